#pragma once
// One transaction on the line: write a frame, collect echo and answer until enough
// bytes are in or the time-out runs out. Never retries, never throws.

#include "enginesettings.h"
#include "monitorlog.h"
#include "transport.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QEventLoop;

namespace torvel {

enum SendFlag {
    StripEcho = 1,    // remove the echo of the frame
    SkipToAnswer = 2, // then drop leading bytes up to the first 0x06 or 0x15
    TextMode = 4,     // modem text: ends on "OK" or the listing prompt; 0x06/0x15 verdict in front
    ControllerFlags = StripEcho | SkipToAnswer,
};

class CommandEngine : public QObject
{
    Q_OBJECT
public:
    explicit CommandEngine(MonitorLog *log, QObject *parent = nullptr);
    ~CommandEngine() override;

    // The line; the engine does not own it. May be changed between transactions.
    void setTransport(Transport *transport);
    Transport *transport() const { return m_transport; }

    EngineSettings &settings() { return m_settings; }
    const EngineSettings &settings() const { return m_settings; }

    MonitorLog *log() const { return m_log; }

    // Performs one transaction. A request made while one runs, or after the line was lost,
    // is refused with an empty answer and puts nothing on the line.
    QByteArray SendCommand(const QByteArray &cmd, int replyLen, bool stuff, int timeoutMs,
                           const QString &caption, int flags);

    bool busy() const { return m_busy; }

    // Why the port could not be opened for the last transaction ("COM9 lässt sich nicht
    // öffnen: ..."); empty once it opens.
    QString portError() const { return m_portError; }
    // The port failed while open (an adapter pulled, a pty whose other side closed). Every
    // request is refused from then on, so a transfer ends within the time-out it was in;
    // the next transfer calls resumeAfterLineLoss() and the port is opened again by its name.
    bool isLineLost() const { return m_lineLost; }
    void resumeAfterLineLoss() { m_lineLost = false; }

    // The receive state of the running transaction.
    const QByteArray &receiveBuffer() const { return m_receive; }
    int enqCount() const { return m_enqCount; }

    // The effective time-out for a transaction asked for with timeoutMs (at least 1 ms).
    int effectiveTimeout(int timeoutMs) const;

    // Ends the running wait at once, as if the time-out had run out (a modem dial that the
    // user breaks off). Nothing happens between transactions.
    void cancelWait();

    // Closes the port (the monitor window was closed); the next transaction re-opens it.
    // During a transaction the port is closed when it has ended.
    void closePort();

signals:
    // Data-available event handled (once per event, not per byte).
    void dataEvent();
    // The bytes of that event, whether a transaction runs or not (the modem's result words).
    void bytesReceived(const QByteArray &bytes);
    // The frame as written, for the modem window's send log.
    void frameSent(const QByteArray &frame);
    void transactionFinished(const QByteArray &answer);
    void carrierChanged(bool on);
    void lineLost(const QString &message);
    // The port could not be opened (once per new reason).
    void portFailed(const QString &message);
    // A successful query asks for the default system beep (the desktop program sounds it).
    void beep();

private:
    void onBytesAvailable();
    void checkDone();
    bool enoughReceived() const;
    void logRequest(const QString &caption, const QByteArray &frame);
    void logAnswer(const QByteArray &answer, int replyLen);

    QPointer<Transport> m_transport;
    MonitorLog *m_log;
    EngineSettings m_settings;
    QTimer m_timeOut;
    QByteArray m_receive;
    int m_enqCount = 0;
    bool m_busy = false;
    bool m_closeWhenDone = false;
    QString m_portError;
    bool m_lineLost = false;

    // State of the running wait.
    QEventLoop *m_loop = nullptr;
    qint64 m_expectedBase = 0; // F + ReplyLen - D
    bool m_stuff = false;
    bool m_textMode = false;
};

} // namespace torvel
