#include "programtransfer.h"

#include "bakeprogram.h"
#include "ovenprograms.h"
#include "programsheet.h"
#include "rangelist.h"
#include "link/bytes.h"
#include "link/commandengine.h"
#include "link/controller.h"
#include "shell/appstate.h"
#include "shell/prompter.h"
#include "shell/requests.h"
#include "shell/sheetmodel.h"
#include "shell/transferguard.h"

#include <QCoreApplication>

namespace torvel {

namespace {
constexpr int kTries = 5;
const QByteArray kAckOnly(1, kAck);

QString frameCaption(int n, const char *what)
{
    return QString::number(n) + QStringLiteral(". ") + QString::fromUtf8(what);
}

// Requests posted to other windows (Retrigger, the clock's pause) are delivered now; painting
// and input wait for the engine's own wait loop, which runs while the next frame is on the
// wire, so the screen never delays the line.
void processEvents()
{
    QCoreApplication::sendPostedEvents(nullptr, RequestEvent::eventType());
}
} // namespace

std::optional<int> QueryProgramCapacity(CommandEngine &engine, int oven)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        const QByteArray ack = engine.SendCommand(addressFrame(ovenAddressByte(oven)), 1, false, 50,
                                                  QStringLiteral("Steuerung adressieren"), ControllerFlags);
        if (ack != kAckOnly)
            continue;
        QByteArray reply = engine.SendCommand(versionQueryFrame(), 9, true, 100,
                                              QStringLiteral("Software Version abrufen"), ControllerFlags);
        if (!CheckReply(reply, true))
            continue;
        const auto version = decodeSoftwareVersion(reply);
        if (!version)
            continue;
        // Without a capability byte the controller counts as one with 99 programs.
        const quint8 capability = version->capability.value_or(0x63);
        return (capability & 0x02) ? 99 : 11;
    }
    return std::nullopt;
}

ProgramTransfer::ProgramTransfer(AppState &state, CommandEngine &engine, Prompter &prompter, SheetModel &record,
                                 ProgramTransferView *view)
    : m_state(state), m_engine(engine), m_prompter(prompter), m_record(record), m_view(view)
{
}

void ProgramTransfer::step(const QString &text)
{
    if (m_view)
        m_view->setStep(text);
}

void ProgramTransfer::number(int n)
{
    if (m_view)
        m_view->setNumber(n);
}

void ProgramTransfer::advance(int by)
{
    m_progress += by;
    if (m_view)
        m_view->setProgress(m_progress, m_progressMax);
}

bool ProgramTransfer::address(int oven, int timeoutMs)
{
    return m_engine.SendCommand(addressFrame(ovenAddressByte(oven)), 1, false, timeoutMs,
                                QStringLiteral("Steuerung adressieren"), ControllerFlags)
           == kAckOnly;
}

std::optional<QByteArray> ReadProgramNameBytes(CommandEngine &engine, int n, bool retry)
{
    QByteArray reply = engine.SendCommand(functionFrame(0x15, n, n), 17, true, retry ? 120 : 100,
                                          frameCaption(n, "Backprg Namen lesen"), ControllerFlags);
    // Framing and checksum, and exactly 14 name bytes between 0x06 and checksum, 0x06.
    if (!CheckReply(reply, true) || reply.size() != kProgramNameLength + 3)
        return std::nullopt;
    return reply.mid(1, kProgramNameLength);
}

std::optional<QString> ReadProgramName(CommandEngine &engine, int n, bool retry)
{
    const auto bytes = ReadProgramNameBytes(engine, n, retry);
    if (!bytes)
        return std::nullopt;
    return decodeProgramName(*bytes);
}

bool ProgramTransfer::readName(int n, bool retry, QByteArray *name)
{
    const auto read = ReadProgramNameBytes(m_engine, n, retry);
    if (read)
        *name = *read;
    return read.has_value();
}

bool ProgramTransfer::readValues(int n, bool retry, QByteArray *values)
{
    QByteArray reply = m_engine.SendCommand(functionFrame(0x0B, n, n), 49, true, retry ? 200 : 150,
                                            frameCaption(n, "Backprogramm lesen"), ControllerFlags);
    if (!CheckReply(reply, true) || reply.size() != kProgramValueBytes + 3)
        return false;
    *values = reply.mid(1, kProgramValueBytes);
    return true;
}

int ProgramTransfer::receive(int oven, int first, int last)
{
    TransferGuard guard(m_state, &m_engine);
    const QList<int> minuteColumns = m_state.minuteColumns;
    m_progress = 0;
    m_progressMax = 4 * (last - first + 1);
    advance(0);
    m_state.pauseClockPolling();
    m_state.abortFlag = false;
    step(QStringLiteral("empfange Backprogrammname Nr."));
    if (m_copy) {
        m_copy->setOven(oven);
        for (int n = first; n <= last; ++n)
            m_copy->forget(n);
    }

    m_record.beginUpdate();
    m_record.clearRange(SheetModel::range(1, 1, kMaxProgramNumber, kProgramValueCount + 1));
    m_record.endUpdate();

    // Names first.
    for (int n = first; n <= last && !m_state.abortFlag; ++n) {
        number(n);
        advance(1);
        int tries = kTries;
        bool firstTry = true;
        do {
            m_prompter.retrigger();
            processEvents();
            m_record.setText(n, 1, marker::kTrying);
            const bool addressed = firstTry || address(oven, 70);
            firstTry = false;
            QByteArray name;
            if (!addressed) {
                if (--tries == 0)
                    m_record.setText(n, 1, marker::kNoAnswer);
            } else if (readName(n, tries < kTries, &name)) {
                m_record.setText(n, 1, decodeProgramName(name));
                if (m_copy)
                    m_copy->setName(n, name);
                tries = 0;
            } else if (--tries == 0) {
                m_record.setText(n, 1, marker::kTransferError);
            }
            processEvents();
        } while (tries > 0 && !m_state.abortFlag);
    }

    step(QStringLiteral("     empfange Backprogramm Nr."));
    int complete = 0;
    int n = first;
    for (; n <= last && !m_state.abortFlag; ++n) {
        advance(3);
        number(n);
        int tries = kTries;
        bool firstTry = true;
        bool arrived = false;
        do {
            m_prompter.retrigger();
            processEvents();
            m_record.setText(n, 2, marker::kRead);
            const bool addressed = firstTry || address(oven, 100);
            firstTry = false;
            QByteArray data;
            if (!addressed) {
                if (--tries == 0) {
                    m_record.clearCell(n, 2);
                    m_record.setText(n, 1, marker::kNoAnswer);
                }
            } else if (readValues(n, tries < kTries, &data)) {
                ProgramValues values{};
                decodeProgramValues(data, &values);
                if (m_copy)
                    m_copy->setValues(n, data);
                m_record.beginUpdate();
                for (int i = 0; i < kProgramValueCount; ++i)
                    m_record.setNumber(n, i + 2, displayValue(i + 2, values[i], minuteColumns));
                m_record.endUpdate();
                tries = 0;
                arrived = true;
            } else if (--tries == 0) {
                m_record.clearCell(n, 2);
                m_record.setText(n, 1, marker::kTransferError);
            }
            processEvents();
        } while (tries > 0 && !m_state.abortFlag);
        if (arrived && !isFaultyName(m_record.text(n, 1)))
            ++complete;
        if (!arrived && m_state.abortFlag)
            break; // this row was interrupted: marked below
    }

    m_aborted = m_state.abortFlag;
    if (m_state.abortFlag) {
        // An interrupted row or one whose values never came must never be sent as it stands.
        for (int row = n; row <= last; ++row) {
            if (m_record.text(row, 2) == marker::kRead)
                m_record.clearCell(row, 2);
            if (!isFaultyName(m_record.text(row, 1)))
                m_record.setText(row, 1, marker::kAborted);
        }
    }

    m_record.setSheetName(receivedSheetName(oven));
    m_state.abortFlag = false;
    m_state.resumeClockPolling();
    return complete;
}

QString notReachableText(const CommandEngine &engine)
{
    return engine.portError().isEmpty() ? kNotReachableText : engine.portError();
}

QString receiveOutcome(int received, int first, int last, int oven, bool aborted)
{
    const int wanted = last - first + 1;
    const QString from = QStringLiteral(" von Ofen %1 gelesen.").arg(oven);
    if (aborted)
        return QStringLiteral("Lesen abgebrochen: %1 von %2 Backprogrammen").arg(received).arg(wanted) + from;
    if (received == wanted)
        return QStringLiteral("%1 Backprogramme").arg(received) + from;
    return QStringLiteral("%1 von %2 Backprogrammen").arg(received).arg(wanted) + from
           + QStringLiteral(" Die übrigen sind mit \"ERR:\" markiert.");
}

QString sendOutcome(int first, int last, int oven, bool sent)
{
    if (!sent)
        return QStringLiteral("Senden abgebrochen.");
    return QStringLiteral("Backprogramme %1 bis %2 an Ofen %3 gesendet.").arg(first).arg(last).arg(oven);
}

namespace {
QList<int> numbersOf(int first, int last)
{
    QList<int> numbers;
    for (int n = first; n <= last; ++n)
        numbers << n;
    return numbers;
}
} // namespace

QString changedSendOutcome(int sent, int equal, int oven, bool ok)
{
    if (!ok)
        return QStringLiteral("Senden abgebrochen.");
    return (sent == 1 ? QStringLiteral("1 Backprogramm") : QStringLiteral("%1 Backprogramme").arg(sent))
           + QStringLiteral(" an Ofen %1 gesendet, ").arg(oven)
           + (equal == 1 ? QStringLiteral("1 war") : QStringLiteral("%1 waren").arg(equal))
           + QStringLiteral(" schon gleich.");
}

QString ProgramTransfer::sendWarning(int first, int last) const
{
    return sendWarning(numbersOf(first, last));
}

QString ProgramTransfer::sendWarning(const QList<int> &numbers) const
{
    RangeList absent;
    RangeList faulty;
    for (int n : numbers) {
        const QString name = m_record.text(n, 1);
        if (name.isEmpty())
            absent.add(n);
        else if (isFaultyName(name))
            faulty.add(n);
    }
    QString warning;
    if (!absent.isEmpty())
        warning = QStringLiteral("Folgende Backprogramme sind in der Liste\r\nnicht vorhanden(Kein Name eingetragen)\r\n"
                                 "und werden daher am Torvel \r\n-falls vorhanden- gelöscht!!\r\n")
                  + absent.text();
    if (!faulty.isEmpty()) {
        if (!warning.isEmpty())
            warning += QStringLiteral("\r\n");
        warning += QStringLiteral("Folgende Backprogramme sind in der Liste\r\nfehlerhaft (\"ERR\")\r\n"
                                  "und können nicht zum Torvel \r\nübertragen werden!\r\n")
                   + faulty.text();
    }
    return warning;
}

bool ProgramTransfer::sendPart(int oven, int n, bool names)
{
    int tries = kTries;
    bool firstTry = true;
    do {
        m_state.pauseClockPolling();
        m_prompter.retrigger();
        processEvents();
        if (isFaultyName(m_record.text(n, 1)))
            return true; // never sent
        const bool addressed = firstTry || address(oven, 50);
        firstTry = false;
        if (!addressed) {
            if (!m_retrytest)
                --tries;
            continue;
        }
        const QByteArray announce = names ? functionFrame(0x16, n, n) : functionFrame(0x0C, n, n);
        const QString announceCaption =
            names ? frameCaption(n, "Backprg-Namen senden (Fkt)") : frameCaption(n, "Backprogramm senden (Fkt)");
        if (m_engine.SendCommand(announce, 1, true, names ? 100 : 150, announceCaption, ControllerFlags)
            != kAckOnly) {
            if (!m_retrytest)
                --tries;
            continue;
        }
        const QByteArray bytes = names ? encodeProgramName(m_record.text(n, 1))
                                       : encodeProgramValues(sendValues(m_record, n, m_state.minuteColumns));
        const QString dataCaption = names ? QStringLiteral("Backprg-Namen senden") : QStringLiteral("Backprogramm senden");
        if (m_engine.SendCommand(dataFrame(bytes), 1, true, names ? 350 : 2000, dataCaption, ControllerFlags)
            == kAckOnly) {
            if (m_copy && names)
                m_copy->setName(n, bytes);
            else if (m_copy)
                m_copy->setValues(n, bytes);
            return true;
        }
        --tries;
    } while (tries >= 1 && !m_state.abortFlag);
    return tries != 0; // five failed tries stop the whole send
}

bool ProgramTransfer::send(int oven, int first, int last)
{
    return send(oven, numbersOf(first, last));
}

bool ProgramTransfer::send(int oven, const QList<int> &numbers)
{
    TransferGuard guard(m_state, &m_engine);
    m_progress = 0;
    m_progressMax = 4 * static_cast<int>(numbers.size());
    m_state.abortFlag = false;
    step(QStringLiteral("     sende Backprogrammname Nr."));
    advance(0);
    if (m_copy) {
        m_copy->setOven(oven);
        for (int n : numbers)
            m_copy->forget(n); // known again once both parts are acknowledged
    }

    const QString warning = sendWarning(numbers);
    if (!warning.isEmpty()) {
        const PromptButton answer = m_prompter.ask(
            QStringLiteral("WARNUNG"),
            QStringLiteral("Achtung\r\n") + warning + QStringLiteral("\r\n") + QStringLiteral("Wollen Sie wirklich fortfahren??"),
            {PromptButton::Yes, PromptButton::No, PromptButton::Cancel});
        if (answer != PromptButton::Yes)
            m_state.abortFlag = true;
    }

    for (int i = 0; i < numbers.size() && !m_state.abortFlag; ++i) {
        const int n = numbers.at(i);
        number(n);
        advance(1);
        if (!sendPart(oven, n, true))
            m_state.abortFlag = true;
    }
    step(QStringLiteral("            sende Backprogramm Nr."));
    for (int i = 0; i < numbers.size() && !m_state.abortFlag; ++i) {
        const int n = numbers.at(i);
        number(n);
        advance(3);
        if (!sendPart(oven, n, false))
            m_state.abortFlag = true;
    }

    const bool aborted = m_state.abortFlag;
    m_aborted = aborted;
    if (aborted && !m_engine.isLineLost()) { // a lost line has said so itself
        emit m_engine.beep();
        m_prompter.showMessageWindow(kSendAborted);
        emit m_engine.beep();
    }
    m_state.resumeClockPolling();
    return !aborted;
}

} // namespace torvel
