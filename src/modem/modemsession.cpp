#include "modemsession.h"

#include "modeminit.h"
#include "modemtexts.h"

#include "link/commandengine.h"
#include "link/cp1252.h"
#include "link/logrender.h"
#include "shell/appstate.h"
#include "shell/prompter.h"
#include "shell/transferguard.h"

#include <QEventLoop>
#include <QScopeGuard>
#include <QTimer>

#include <climits>

namespace torvel {

namespace {
constexpr int kDialReplyLength = 7;
constexpr int kDialTimeoutMs = 60050;
constexpr int kHangUpReplyLength = 10;
constexpr int kHangUpTimeoutMs = 250;
const QByteArray kNoCarrierWord = QByteArrayLiteral("NO CARRIER");

// One line per frame: printable characters as they are, the others as the monitor shows them.
QString sendLogLine(const QByteArray &frame)
{
    QString line;
    for (const char c : frame) {
        const auto b = static_cast<quint8>(c);
        line += (b >= 0x20 && b < 0x7F) ? QString(QLatin1Char(c)) : renderByte(b, RenderDirection::Sent);
    }
    return line;
}
} // namespace

bool isDiallable(const QString &number)
{
    const QString t = number.trimmed();
    if (t.isEmpty() || number == modemtext::kInvalidNumber || t.contains(QLatin1Char(';')))
        return false;
    for (const QChar c : t)
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return false;
    return true;
}

ModemSession::ModemSession(AppState &state, CommandEngine &engine, Prompter &prompter, QObject *parent)
    : QObject(parent), m_state(state), m_engine(engine), m_prompter(prompter)
{
    m_engine.settings().toAdd = 250; // `TOAdd` starts at 250 ms
    m_sinceActivity.start();
    connect(&m_engine, &CommandEngine::carrierChanged, this, &ModemSession::onCarrier);
    connect(&m_engine, &CommandEngine::bytesReceived, this, &ModemSession::onBytes);
    connect(&m_engine, &CommandEngine::dataEvent, this, [this] {
        m_receiveCount = m_receiveCount == INT_MAX ? 0 : m_receiveCount + 1;
        emit receiveCountChanged(m_receiveCount);
    });
    connect(&m_engine, &CommandEngine::frameSent, this, [this](const QByteArray &frame) {
        m_sinceActivity.restart();
        if (m_sendLogActive)
            m_sendLog.addLine(sendLogLine(frame));
    });
    // Work that waited for the line runs once the transaction or transfer has returned.
    connect(&m_engine, &CommandEngine::transactionFinished, this, &ModemSession::schedulePending);
    connect(&m_state, &AppState::transferEnded, this, &ModemSession::schedulePending);
}

void ModemSession::setDisableAllLogs(bool disabled)
{
    for (MemoLog *log : {&m_sendLog, &m_errorLog, &m_vksMemo})
        log->setDisabled(disabled);
}

void ModemSession::setTake38400(bool on)
{
    m_options.take38400 = on;
    applySpeed();
}

void ModemSession::applySpeed()
{
    if (Transport *t = m_engine.transport())
        t->setBaudRate(m_options.take38400 ? 38400 : 9600);
}

bool ModemSession::hasModemLines() const
{
    return m_engine.transport() && m_engine.transport()->hasModemLines();
}

bool ModemSession::lineTaken() const
{
    return m_engine.busy() || m_state.transferActive();
}

void ModemSession::pause(int ms)
{
    if (ms <= 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void ModemSession::setConnected(bool on)
{
    if (on)
        m_resultTail.clear();
    const bool was = m_connected;
    m_connected = on;
    m_engine.settings().modemConnect = on; // every time-out gets `TOAdd` while connected
    if (was != on)
        emit connectionChanged(on);
    if (was && !on)
        onLost();
}

void ModemSession::onCarrier(bool on)
{
    if (m_armed)
        setConnected(on);
}

void ModemSession::onBytes(const QByteArray &bytes)
{
    m_sinceActivity.restart();
    emit received(bytes);
    if (!m_connected || hasModemLines())
        return;
    // Without modem lines the modem's "NO CARRIER" is the only sign of a lost connection.
    m_resultTail += bytes;
    if (m_resultTail.contains(kNoCarrierWord)) {
        m_resultTail.clear();
        setConnected(false);
        return;
    }
    m_resultTail = m_resultTail.right(kNoCarrierWord.size() - 1);
}

void ModemSession::onLost()
{
    if (m_hangingUp)
        return; // this program hung up
    m_lost = true;
    m_lossPending = true;
    if (lineTaken())
        m_state.abortFlag = true; // the transfer stops after its running transaction
    schedulePending();
}

void ModemSession::schedulePending()
{
    if (m_lossPending || m_hangUpPending)
        QTimer::singleShot(0, this, &ModemSession::settle);
}

void ModemSession::settle()
{
    if (lineTaken() || (!m_lossPending && !m_hangUpPending))
        return; // never inside a running transaction or transfer
    const bool loss = std::exchange(m_lossPending, false);
    m_hangUpPending = false;
    hangUpNow(!loss);
    if (loss && !m_userHungUp)
        m_prompter.inform(modemtext::kAchtung, modemtext::kConnectionLost);
}

void ModemSession::hangUp()
{
    m_userHungUp = true;
    if (m_hangingUp)
        return; // already under way
    if (m_dialling) {
        m_engine.cancelWait(); // the dial returns now and hangs up itself
        return;
    }
    if (lineTaken()) {
        m_hangUpPending = true;
        m_state.abortFlag = true;
        return;
    }
    hangUpNow();
}

void ModemSession::hangUpNow(bool escape)
{
    TransferGuard guard(m_state);
    m_hangingUp = true;
    const ModemPort p = port();
    if (escape) {
        // The modem takes "+++" only after a silence of its guard time (also after its CONNECT).
        pause(m_options.guardTimeMs - static_cast<int>(m_sinceActivity.elapsed()));
        p.send(QByteArrayLiteral("+++"), kHangUpReplyLength, kHangUpTimeoutMs);
        pause(m_options.guardTimeMs);
    }
    bool onHook = false;
    p.send(QByteArrayLiteral("ATH0\r"), kHangUpReplyLength, kHangUpTimeoutMs, &onHook);
    // A modem that did not confirm may still hold the line: then its carrier tells.
    setConnected(!onHook && hasModemLines() && m_engine.transport()->carrierDetect());
    m_hangingUp = false;
    emit dialControlsEnabled(true);
}

DialResult ModemSession::dial(const QString &number)
{
    if (m_dialling || m_hangingUp)
        return DialResult::Cancelled;
    m_userHungUp = false;
    m_lost = false;
    m_dialling = true;
    emit dialControlsEnabled(false);
    TransferGuard guard(m_state);
    const auto done = qScopeGuard([this] {
        m_dialling = false;
        emit dialControlsEnabled(true);
    });

    if (!m_options.skipPcChecks) {
        InitialiseModem(port(), ModemKind::Pc);
        const ModemCheckPair checks = CheckModem(port(), ModemKind::Pc, m_options.take38400, m_options.dir);
        if (m_userHungUp)
            return DialResult::Cancelled;
        if (!checks.correct()
            && m_prompter.ask(modemtext::kWarnung, dialWarningText(checks),
                              {PromptButton::Yes, PromptButton::No, PromptButton::Cancel})
                   != PromptButton::Yes)
            return DialResult::Declined;
    }
    if (!isDiallable(number)) {
        m_prompter.inform(modemtext::kFehler, modemtext::kNumberRefused);
        return DialResult::Refused;
    }

    m_armed = true;
    const QByteArray command =
        (m_options.einwahlIsdn ? QByteArrayLiteral("ATDN") : QByteArrayLiteral("ATDT")) + toCp1252(number) + '\r';
    const QByteArray reply = port().send(command, kDialReplyLength, kDialTimeoutMs, nullptr, true).toUpper();
    if (m_userHungUp) {
        m_dialling = false;
        hangUpNow();
        return DialResult::Cancelled;
    }
    if (reply.contains("CONN")) {
        setConnected(true);
        m_prompter.inform(modemtext::kAchtung, modemtext::kConnectedWith + number);
        return DialResult::Connected;
    }
    DialResult result = DialResult::Failed;
    QString text = modemtext::kErrorPrefix + fromCp1252(reply);
    if (reply.contains("BUSY")) {
        result = DialResult::Busy;
        text = modemtext::kBusy;
    } else if (reply.contains("NO C")) {
        result = DialResult::NoCarrier;
        text = modemtext::kNoCarrier;
    }
    m_prompter.inform(modemtext::kFehler, text + QStringLiteral("\r\n") + modemtext::kHangingUp);
    m_dialling = false;
    hangUpNow(result == DialResult::Failed); // after no answer at all a late CONNECT may still come
    return result;
}

void ModemSession::initialiseAndCheck(ModemKind kind)
{
    ModemCheckPair checks;
    {
        TransferGuard guard(m_state);
        InitialiseModem(port(), kind);
        checks = CheckModem(port(), kind, m_options.take38400, m_options.dir);
    }
    ReportModemCheck(m_prompter, checks, true);
}

void ModemSession::test(ModemKind kind)
{
    ModemCheckPair checks;
    {
        TransferGuard guard(m_state);
        checks = CheckModem(port(), kind, m_options.take38400, m_options.dir);
    }
    ReportModemCheck(m_prompter, checks, false);
}

} // namespace torvel
