#include "recordtransfer.h"

#include "recordnights.h"
#include "recordtexts.h"
#include "torvelrecord.h"

#include "bakeprog/bakeprogram.h"
#include "bakeprog/programsheet.h"
#include "bakeprog/programtransfer.h"
#include "link/bytes.h"
#include "link/commandengine.h"
#include "nightstart/nightcheck.h"
#include "nightstart/nightstartgrid.h"
#include "nightstart/nighttexts.h"
#include "shell/appstate.h"
#include "shell/prompter.h"
#include "shell/transferguard.h"
#include "tables/gradienttransfer.h"
#include "tables/readydefaults.h"
#include "tables/readytransfer.h"

#include <QCoreApplication>

#include <algorithm>

namespace torvel {

namespace {
constexpr int kTries = 5;
constexpr int kNightSendAttempts = 6;
constexpr int kProgramBaseProgress = 396;
const QByteArray kAckOnly(1, kAck);

QString frameCaption(int n, const QString &what)
{
    return QString::number(n) + QStringLiteral(". ") + what;
}

// Requests posted to other windows (Retrigger, the clock's pause) and "Abbrechen" are taken now.
void processEvents()
{
    QCoreApplication::processEvents();
}

bool isMarked(const QString &name)
{
    return name.startsWith(marker::kErrorPrefix);
}

// One read or send: the line, the record, the texts it collects and what it shows.
class RecordRun
{
public:
    RecordRun(const Torvel2Line &line, AppState &state, TorvelRecord &record, const RecordTransferOptions &options)
        : m_line(line), m_state(state), m_record(record), m_view(options.view),
          m_herdMax(std::clamp(options.herdMax, 1, kReadyDecks)), m_maximum(recordProgressMaximum(m_herdMax))
    {
    }

    RecordTransferResult read();
    RecordTransferResult send();

private:
    bool aborted() const { return m_state.abortFlag; }
    void action(const QString &text)
    {
        if (m_view)
            m_view->setAction(text);
    }
    void status(const QString &line)
    {
        m_result.status = m_result.status.isEmpty() ? line : m_result.status + QStringLiteral("\r\n") + line;
        if (m_view)
            m_view->setStatus(m_result.status);
    }
    void resetStatus()
    {
        m_result.status.clear();
        status(recordtext::kStatusStart);
    }
    void error(const QString &entry) { m_result.errors += entry + QStringLiteral("\r\n"); }
    void programFields(bool shown)
    {
        if (m_view)
            m_view->showProgramFields(shown);
    }
    void program(int n, const QString &name)
    {
        if (m_view)
            m_view->setProgram(n, name);
    }
    void progress(int value)
    {
        m_progress = std::min(value, m_maximum);
        if (m_view)
            m_view->setProgress(m_progress, m_maximum);
    }
    void start();
    void finish();

    bool readPrograms();
    bool readName(int n);
    bool readValues(int n);
    bool readNights();
    void readGradient();
    bool checkBeforeSend();
    bool sendPrograms();
    bool sendPart(int n, bool names);
    bool sendNights(const NightStartRecord &wire);
    void sendReady();
    int programCount(bool ask);

    const Torvel2Line &m_line;
    AppState &m_state;
    TorvelRecord &m_record;
    RecordTransferView *m_view;
    int m_herdMax;
    int m_maximum;
    int m_progress = 0;
    RecordTransferResult m_result;
};

void RecordRun::start()
{
    m_state.pauseClockPolling();
    m_state.abortFlag = false;
    progress(0);
    resetStatus();
}

void RecordRun::finish()
{
    programFields(false);
    for (int n = 1; n <= kRecordPrograms; ++n)
        if (isMarked(m_record.name(n)))
            m_result.failedPrograms << n;
    m_result.aborted = m_result.aborted || m_state.abortFlag;
    m_state.abortFlag = false;
    m_state.resumeClockPolling();
}

// 99 or 11 programs from a fresh version answer; 0 when the controller did not answer or the
// user would rather not go on with 11.
int RecordRun::programCount(bool ask)
{
    const Torvel2Version version = ReadTorvel2Version(m_line);
    if (!version.valid()) {
        m_line.prompter.inform(kNotReachableCaption, kNotReachableText);
        return 0;
    }
    if (version.variant == QStringLiteral("9"))
        return kRecordPrograms;
    if (ask
        && m_line.prompter.ask(recordtext::kAchtungUpper, recordtext::kElevenPrograms,
                               {PromptButton::Yes, PromptButton::No, PromptButton::Cancel})
               != PromptButton::Yes)
        return 0;
    return 11;
}

// ---- Reading ---------------------------------------------------------------------------------

bool RecordRun::readName(int n)
{
    int tries = kTries;
    bool firstTry = true;
    bool ok = false;
    do {
        m_line.prompter.retrigger();
        processEvents();
        m_record.name(n) = marker::kTrying;
        program(n, m_record.name(n));
        const bool retry = !firstTry;
        firstTry = false;
        if (retry && !AddressTorvel2Oven(m_line, false)) {
            if (--tries == 0)
                m_record.name(n) = marker::kNoAnswer;
        } else if (const auto name = ReadProgramNameBytes(m_line.engine, n, retry)) {
            m_record.name(n) = decodeProgramName(*name);
            tries = 0;
            ok = true;
        } else if (--tries == 0) {
            m_record.name(n) = marker::kTransferError;
        }
        program(n, m_record.name(n));
        processEvents();
    } while (tries > 0 && !aborted());
    return ok;
}

bool RecordRun::readValues(int n)
{
    int tries = kTries;
    bool firstTry = true;
    bool ok = false;
    do {
        m_line.prompter.retrigger();
        processEvents();
        const bool retry = !firstTry;
        firstTry = false;
        QString marker;
        if (retry && !AddressTorvel2Oven(m_line, false)) {
            marker = marker::kNoAnswer;
        } else {
            QByteArray reply = m_line.engine.SendCommand(functionFrame(0x0B, n, n), kProgramValueBytes + 3, true,
                                                         retry ? 200 : 150,
                                                         frameCaption(n, QStringLiteral("Backprogramm lesen")),
                                                         ControllerFlags);
            // Fewer than 23 words would leave fields that a send turns into zeros: a failed try.
            if (CheckReply(reply, true) && reply.size() >= kProgramValueBytes + 3) {
                // The data words fill fields 2 to 24; words beyond them are dropped.
                const QByteArray data = reply.mid(1, reply.size() - 3);
                const int words = std::min(static_cast<int>(data.size()) / 2, kProgramValueCount);
                for (int i = 1; i <= words; ++i) {
                    const int word =
                        (static_cast<quint8>(data.at(2 * i - 2)) << 8) | static_cast<quint8>(data.at(2 * i - 1));
                    m_record.value(n, i + 1) = QString::number(word);
                }
                tries = 0;
                ok = true;
            } else {
                marker = marker::kTransferError;
            }
        }
        // A program whose values never came is marked in its name: it is never sent or kept
        // as a program of zeros.
        if (!ok && --tries == 0) {
            if (!isMarked(m_record.name(n)))
                m_record.name(n) = marker;
            program(n, m_record.name(n));
        }
        processEvents();
    } while (tries > 0 && !aborted());
    return ok;
}

bool RecordRun::readPrograms()
{
    for (int n = 1; n <= kRecordPrograms; ++n) {
        m_record.name(n).clear();
        for (int f = 1; f <= kRecordValueFields; ++f)
            m_record.value(n, f).clear();
    }
    const int count = programCount(true);
    if (count == 0)
        return false;
    bool last = false;
    for (int n = 1; n <= count && !aborted(); ++n) {
        if (n % 10 == 0)
            progress(m_progress + 10);
        last = readName(n);
    }
    action(recordtext::kReceivingProgram);
    for (int n = 1; n <= count && !aborted(); ++n) {
        if (n % 10 == 0)
            progress(m_progress + 30);
        last = readValues(n);
    }
    return last;
}

bool RecordRun::readNights()
{
    int tries = kTries;
    bool ok = false;
    do {
        processEvents();
        if (!AddressTorvel2Oven(m_line, false)) {
            if (--tries == 0)
                status(nightmarker::kNoAnswer);
        } else {
            QByteArray reply = m_line.engine.SendCommand(nightReadFrame(), kNightReadReplyLength, true,
                                                         kNightReadTimeoutMs, kNightReadCaption, ControllerFlags);
            // Night start data under 28 bytes are a failed try.
            if (CheckReply(reply, true) && reply.size() >= kNightRecordBytes + 3) {
                putNightRecordIntoRecord(m_record, nightRecordFrom(reply.mid(1, kNightRecordBytes)));
                tries = 0;
                ok = true;
            } else if (--tries == 0) {
                status(nightmarker::kTransferError);
            }
        }
        processEvents();
    } while (tries > 0 && !aborted());
    if (aborted()) {
        status(nighttext::kAborted);
        return false;
    }
    return ok;
}

void RecordRun::readGradient()
{
    const int number = m_result.version.number;
    if (number <= 0 || number >= kGradientFirstVersion) {
        GradientTable table = m_record.gradient;
        if (ReadGradientTable(m_line, false, table)) {
            m_record.gradient = table;
            status(QStringLiteral("Steigungstabelle gelesen."));
            return;
        }
        m_record.gradient = defaultGradientTable();
        error(QStringLiteral("Steigungstabelle konnte nicht empfangen werden!"));
        error(QStringLiteral("Defaultwerte wurden eingetragen!"));
        error(QStringLiteral("Falls Steigunstabelle dieser Steuerung"));
        error(QStringLiteral("benötigt wird, bitte erneut auslesen"));
    } else {
        m_record.gradient = defaultGradientTable();
        error(QStringLiteral("Version < 4.00 r25 unterstützt"));
        error(QStringLiteral("kein Auslesen der Steigungstabelle!"));
        error(QStringLiteral("Defaultwerte wurden eingetragen!"));
    }
    status(QStringLiteral("Steigungstabelle Defaults gesetzt."));
}

RecordTransferResult RecordRun::read()
{
    TransferGuard guard(m_state, &m_line.engine);
    start();
    programFields(true);
    action(recordtext::kReceivingName);
    m_record.ReadyBlockRead.setAll(false);

    bool failed = true; // an oven that does not answer its address is a failed read
    m_result.addressed = AddressTorvel2Oven(m_line, true);
    if (m_result.addressed) {
        failed = false;
        m_result.version = ReadTorvel2Version(m_line);
        if (!m_result.version.valid()) {
            error(recordtext::kNoVersion);
            failed = true;
        }
        if (!failed && !readPrograms()) {
            error(recordtext::kProgramsNotRead);
            failed = true;
        }
        if (!failed) {
            status(QStringLiteral("Backprogramme gelesen."));
            action(recordtext::kReceivingNights);
            if (!readNights()) {
                error(recordtext::kNightsNotRead);
                failed = true;
            }
        }
        programFields(false);
        if (!failed) {
            status(QStringLiteral("Nachstarts gelesen."));
            action(recordtext::kReceivingGradient);
            readGradient();
        }
        if (!failed) {
            action(recordtext::kReceivingReady);
            m_record.ready = defaultReadyTable();
            m_record.ReadyBlockRead.setAll(true);
            error(recordtext::kConfigNote);
            error(recordtext::kConfigSentNote);
            status(QStringLiteral("Bereittabelle Defaults gesetzt."));
        }
    }
    error(recordtext::kConfigNote);
    error(recordtext::kConfigReadNote);
    status(QStringLiteral("Konfiguration geht nicht in WinTorvel."));
    if (!failed) {
        // The configuration part of a record file must name a controller to be opened again.
        m_record.configuration.version = m_result.version.text;
        status(QStringLiteral("Konfiguration gelesen."));
        progress(m_maximum);
        m_line.prompter.inform(recordtext::kError, recordtext::kReadDone + m_result.errors);
    } else if (m_result.addressed) {
        m_line.prompter.inform(recordtext::kError, recordtext::kReadFailed + m_result.errors);
    }
    m_record.NoRecordLoaded = failed;
    action(failed ? recordtext::kNoRecord : recordtext::kRecordRead);
    m_result.ok = !failed;
    finish();
    return m_result;
}

// ---- Sending ---------------------------------------------------------------------------------

bool RecordRun::checkBeforeSend()
{
    const auto refuse = [this](const QString &caption, const QString &text) {
        m_line.prompter.inform(caption, text);
        m_result.refused = true;
        return false;
    };
    if (!missingReadyBlocks(m_record.ReadyBlockRead, m_herdMax).isEmpty())
        return refuse(recordtext::kAchtungUpper, recordtext::kReadyMissing);
    if (m_record.NoRecordLoaded)
        return refuse(recordtext::kAchtungUpper, recordtext::kOpenOrReadFirst);
    if (m_record.gradient.isEmpty())
        return refuse(recordtext::kAchtungUpper, recordtext::kGradientMissing);
    // All 28 entries before the first frame: a half-checked record never goes half sent.
    if (const auto problem = invalidRecordNightEntry(m_record))
        return refuse(kNightCellProblemCaption, *problem);
    return true;
}

bool RecordRun::sendPart(int n, bool names)
{
    int tries = kTries;
    bool firstTry = true;
    do {
        m_state.pauseClockPolling();
        m_line.prompter.retrigger();
        processEvents();
        program(n, m_record.name(n));
        if (isMarked(m_record.name(n)))
            return true; // never sent
        const bool addressed = firstTry || AddressTorvel2Oven(m_line, false);
        firstTry = false;
        if (!addressed) {
            --tries;
            continue;
        }
        const QByteArray announce = functionFrame(names ? 0x16 : 0x0C, n, n);
        const QString announceCaption = frameCaption(
            n, names ? QStringLiteral("Backprg-Namen senden (Fkt)") : QStringLiteral("Backprogramm senden (Fkt)"));
        if (m_line.engine.SendCommand(announce, 1, true, names ? 100 : 150, announceCaption, ControllerFlags)
            != kAckOnly) {
            --tries;
            continue;
        }
        QByteArray data;
        if (names) {
            data = encodeProgramName(m_record.name(n));
        } else {
            for (int f = 2; f <= kRecordValueFields; ++f) {
                bool ok = false;
                const int v = m_record.value(n, f).toInt(&ok, 10);
                const int word = ok ? v : 0;
                data.append(static_cast<char>((word >> 8) & 0xFF)).append(static_cast<char>(word & 0xFF));
            }
        }
        const QString dataCaption =
            names ? QStringLiteral("Backprg-Namen senden") : QStringLiteral("Backprogramm senden");
        if (m_line.engine.SendCommand(dataFrame(data), 1, true, names ? 350 : 2000, dataCaption, ControllerFlags)
            == kAckOnly)
            return true;
        --tries;
    } while (tries > 0 && !aborted());
    return false;
}

bool RecordRun::sendPrograms()
{
    const int count = programCount(false);
    if (count == 0)
        return false;
    for (int n = 1; n <= count && !aborted(); ++n) {
        if (n % 10 == 0)
            progress(m_progress + 10);
        if (!sendPart(n, true) && !aborted())
            m_state.abortFlag = true; // a program that used up its tries ends the send
    }
    action(recordtext::kSendingProgram);
    for (int n = 1; n <= count && !aborted(); ++n) {
        if (n % 10 == 0)
            progress(m_progress + 30);
        if (!sendPart(n, false) && !aborted())
            m_state.abortFlag = true;
    }
    if (aborted()) {
        status(kSendAborted);
        m_result.aborted = true;
        return false;
    }
    return true;
}

bool RecordRun::sendNights(const NightStartRecord &wire)
{
    for (int attempt = 0; attempt < kNightSendAttempts && !aborted(); ++attempt) {
        const bool last = attempt == kNightSendAttempts - 1;
        processEvents();
        if (!AddressTorvel2Oven(m_line, false)) {
            if (last)
                status(nighttext::kNotReachable);
            continue;
        }
        if (m_line.engine.SendCommand(nightAnnounceFrame(), 1, true, kNightAnnounceTimeoutMs, kNightAnnounceCaption,
                                      ControllerFlags)
            != kAckOnly) {
            if (last)
                status(QStringLiteral("Kommando \"Nachtstartzeit empfangen\" wurde nicht akzeptiert."));
            continue;
        }
        if (m_line.engine.SendCommand(nightRecordFrame(wire), 1, true, kNightRecordTimeoutMs, kNightRecordCaption,
                                      ControllerFlags)
            == kAckOnly)
            return true;
        status(nighttext::kRecordRefused);
    }
    return false;
}

void RecordRun::sendReady()
{
    if (m_result.version.major == 3) {
        error(QStringLiteral("Ausgelesener Torvel ist Torvel Typ1!"));
        error(QStringLiteral("Bereittabelle gibt es nur bei Torvel2(EM)!"));
        error(QStringLiteral("Bereittabelle nicht gesendet!"));
        error(QString());
        status(QStringLiteral("Bereittabelle nicht gesendet."));
        return;
    }
    action(recordtext::kSendingReady);
    const int base = m_progress;
    bool ok = true;
    for (int day = 0; day < kReadyDays && ok; ++day) {
        for (int deck = 1; deck <= m_herdMax && ok; ++deck) {
            processEvents();
            if (aborted()) {
                ok = false;
                m_result.aborted = true;
                break;
            }
            progress(base + 2 * (m_herdMax * day + deck));
            ok = WriteReadyBlock(m_line, m_record.ready, deck, day, false);
        }
    }
    if (!ok) {
        error(recordtext::kReadyNotSent);
        status(QStringLiteral("Bereittabelle nicht gesendet."));
    } else {
        status(QStringLiteral("Bereittabelle gesendet."));
    }
}

RecordTransferResult RecordRun::send()
{
    TransferGuard guard(m_state, &m_line.engine);
    start();
    action(recordtext::kChecking);
    bool failed = !checkBeforeSend();
    if (!failed) {
        const NightStartRecord wire = markAndBuildNightRecord(m_record);
        m_result.addressed = AddressTorvel2Oven(m_line, true);
        failed = !m_result.addressed;
        if (!failed) {
            m_result.version = ReadTorvel2Version(m_line);
            if (!m_result.version.valid()) {
                error(recordtext::kNoVersion);
                failed = true;
            }
        }
        if (!failed) {
            programFields(true);
            m_result.status.clear();
            status(QStringLiteral("Torvelrecord überprüft."));
            action(recordtext::kSendingPrograms);
            if (!sendPrograms()) {
                error(recordtext::kProgramsNotSent);
                failed = true;
            }
        }
        if (!failed) {
            status(QStringLiteral("Backprogramme gesendet."));
            action(recordtext::kSendingNights);
            if (!sendNights(wire)) {
                error(recordtext::kNightsNotSent);
                failed = true;
            }
        }
        programFields(false);
        if (!failed) {
            status(QStringLiteral("Nachtstarts gesendet."));
            action(recordtext::kSendingGradient);
            if (WriteGradientTable(m_line, m_record.gradient, false))
                status(QStringLiteral("Steigungstabelle gesendet."));
            else
                error(recordtext::kGradientNotSent);
        }
        if (!failed)
            sendReady();
        if (m_result.addressed) {
            error(recordtext::kConfigNote);
            error(recordtext::kConfigSentNote);
            status(QStringLiteral("Konfiguration geht nicht in WinTorvel."));
        }
    }
    if (!failed) {
        status(QStringLiteral("Konfiguration gesendet."));
        progress(m_maximum);
        // Not left at the last phase, which would read as a send still running.
        action(recordtext::kRecordSent);
        m_line.prompter.inform(recordtext::kError, recordtext::kSendDone + m_result.errors);
    } else if (m_result.addressed || m_result.refused) {
        action(recordtext::kRecordNotSent);
        m_line.prompter.inform(recordtext::kError, recordtext::kSendFailed + m_result.errors);
    }
    m_result.ok = !failed;
    finish();
    return m_result;
}
} // namespace

int recordProgressMaximum(int herdMax)
{
    return kProgramBaseProgress + 14 * herdMax + 50;
}

RecordTransferResult ReadTorvelRecord(const Torvel2Line &line, AppState &state, TorvelRecord &record,
                                      const RecordTransferOptions &options)
{
    return RecordRun(line, state, record, options).read();
}

RecordTransferResult SendTorvelRecord(const Torvel2Line &line, AppState &state, TorvelRecord &record,
                                      const RecordTransferOptions &options)
{
    return RecordRun(line, state, record, options).send();
}

} // namespace torvel
