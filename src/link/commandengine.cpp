#include "commandengine.h"

#include "bytes.h"
#include "logrender.h"

#include <QEventLoop>
#include <QScopeGuard>

#include <algorithm>
#include <climits>

namespace torvel {

namespace {
const QByteArray kListingPrompt = QByteArrayLiteral("\r\nStrike a key when ready . . .\r\n");
const QByteArray kModemOk = QByteArrayLiteral("\r\nOK\r\n");

bool modemTextDone(const QByteArray &buffer)
{
    return buffer.contains(kListingPrompt) || buffer.contains(kModemOk);
}
} // namespace

CommandEngine::CommandEngine(MonitorLog *log, QObject *parent) : QObject(parent), m_log(log)
{
    m_timeOut.setSingleShot(true);
    connect(&m_timeOut, &QTimer::timeout, this, [this] {
        if (m_loop)
            m_loop->quit();
    });
}

CommandEngine::~CommandEngine() = default;

void CommandEngine::setTransport(Transport *transport)
{
    if (m_transport)
        disconnect(m_transport, nullptr, this, nullptr);
    m_transport = transport;
    m_lineLost = false; // another port: nothing of the old one's loss applies
    if (!transport)
        return;
    connect(transport, &Transport::bytesAvailable, this, &CommandEngine::onBytesAvailable);
    connect(transport, &Transport::carrierChanged, this, &CommandEngine::carrierChanged);
    connect(transport, &Transport::lineLost, this, [this](const QString &message) {
        m_lineLost = true;
        emit lineLost(message);
        if (m_loop)
            m_loop->quit(); // nothing more will arrive
    });
}

int CommandEngine::effectiveTimeout(int timeoutMs) const
{
    qint64 extra = m_settings.modemConnect ? m_settings.toAdd : 0;
    if (m_settings.alwaysAddTO)
        extra = m_settings.toAdd;
    if (m_settings.addTimeoutGiven)
        extra += m_settings.addTimeout;
    const qint64 total = static_cast<qint64>(timeoutMs) + extra;
    return static_cast<int>(std::clamp<qint64>(total, 1, INT_MAX));
}

void CommandEngine::closePort()
{
    if (m_busy) {
        m_closeWhenDone = true; // never pull the port from under a running transaction
        return;
    }
    if (m_transport)
        m_transport->close();
}

void CommandEngine::cancelWait()
{
    if (m_loop)
        m_loop->quit();
}

void CommandEngine::onBytesAvailable()
{
    if (!m_transport)
        return;
    const QByteArray bytes = m_transport->readAll();
    m_receive.append(bytes);
    m_enqCount += static_cast<int>(bytes.count(kEnq));
    emit dataEvent();
    emit bytesReceived(bytes);
    checkDone();
}

bool CommandEngine::enoughReceived() const
{
    // Each doubled 0x05 of the answer makes it one byte longer.
    const qint64 expected = m_expectedBase + (m_stuff ? m_enqCount / 2 : 0);
    return m_receive.size() >= expected || (m_textMode && modemTextDone(m_receive));
}

void CommandEngine::checkDone()
{
    if (m_loop && enoughReceived())
        m_loop->quit();
}

void CommandEngine::logRequest(const QString &caption, const QByteArray &frame)
{
    m_log->add(MonitorList::Kommandos, caption);
    const QStringList rows = renderRows(frame, RenderDirection::Sent);
    for (int i = 0; i < rows.size(); ++i) {
        m_log->add(MonitorList::SentCommands, rows.at(i));
        if (i + 1 < rows.size()) {
            m_log->add(MonitorList::Got, QString());
            m_log->add(MonitorList::Kommandos, QString());
        }
    }
    if (m_log->logging())
        m_log->scrollToEnd({MonitorList::SentCommands, MonitorList::Kommandos});
}

void CommandEngine::logAnswer(const QByteArray &answer, int replyLen)
{
    QStringList rows = renderRows(answer, RenderDirection::Received);
    for (int i = 0; i + 1 < rows.size(); ++i) {
        m_log->add(MonitorList::Got, rows.at(i));
        m_log->add(MonitorList::SentCommands, QString());
        m_log->add(MonitorList::Kommandos, QString());
    }
    QString last = rows.last();
    if (replyLen == 0)
        last.prepend(QStringLiteral("<nothing - Ok.>"));
    m_log->add(MonitorList::Got, last.isEmpty() ? QStringLiteral("TimeOut") : last);
    if (m_log->logging())
        m_log->scrollToEnd({MonitorList::Got, MonitorList::SentCommands, MonitorList::Kommandos});
}

QByteArray CommandEngine::SendCommand(const QByteArray &cmd, int replyLen, bool stuff, int timeoutMs,
                                      const QString &caption, int flags)
{
    if (m_busy || m_lineLost)
        return {}; // never disturb the running transaction; nothing goes out on a lost line
    m_busy = true;
    const auto release = qScopeGuard([this] { m_busy = false; });

    const bool stripEcho = (flags & StripEcho) && !m_settings.ohneEcho;
    const bool skipToAnswer = flags & SkipToAnswer;
    const bool textMode = flags & TextMode;
    m_timeOut.setInterval(effectiveTimeout(timeoutMs));

    int doubled = 0;
    const QByteArray frame = stuff ? stuffEnq(cmd, &doubled) : cmd;
    const qint64 frameLen = frame.size();
    replyLen = std::max(replyLen, 0);

    logRequest(caption, frame);

    bool writeFailed = true;
    if (m_transport) {
        if (m_transport->isOpen() || m_transport->open()) {
            m_transport->readAll(); // stale bytes are no part of this answer
            m_portError.clear();
        } else if (m_portError != m_transport->errorString()) {
            m_portError = m_transport->errorString();
            emit portFailed(m_portError);
        }
        m_transport->flushInput();
    }
    m_receive.clear();
    m_enqCount = 0;
    emit frameSent(frame);
    if (m_transport && !m_lineLost) // lost while flushing: the port is not opened again here
        writeFailed = !m_transport->write(frame);

    if (!writeFailed) {
        QEventLoop loop;
        m_loop = &loop;
        m_stuff = stuff;
        m_textMode = textMode;
        m_expectedBase = frameLen + replyLen - (stuff ? doubled : 0);
        m_timeOut.start();
        if (!enoughReceived())
            loop.exec(); // ends on enough bytes, the time-out or a lost line
        m_loop = nullptr;
        m_timeOut.stop();
    }

    QByteArray answer = m_receive;
    if (textMode)
        answer.prepend(modemTextDone(answer) ? kAck : kNak);
    m_receive.clear();
    if (stripEcho)
        answer.remove(0, std::min<qint64>(frameLen, answer.size()));
    if (skipToAnswer) {
        qsizetype i = 0;
        while (i < answer.size() && answer.at(i) != kAck && answer.at(i) != kNak)
            ++i;
        answer.remove(0, i);
    }
    logAnswer(answer, replyLen);
    if (m_closeWhenDone && m_transport)
        m_transport->close();
    m_closeWhenDone = false;
    emit transactionFinished(answer);
    return answer;
}

} // namespace torvel
