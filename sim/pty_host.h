#pragma once
// Puts a SimLine on a pseudo-terminal, so programs that open a serial device (the
// desktop program, the CLI, tests through QSerialPort) talk to the simulated ovens.

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QSocketNotifier;

namespace torvel::sim {

class SimLine;
class SimModem;

class PtyHost : public QObject
{
    Q_OBJECT
public:
    explicit PtyHost(SimLine *line, QObject *parent = nullptr);
    // A modem on the pty: the client talks AT commands and, once connected, to the bakery.
    // A pty has no modem lines: the modem's result words tell the connection state. The
    // modem learns the client's speed from the pty's settings.
    explicit PtyHost(SimModem *modem, QObject *parent = nullptr);
    ~PtyHost() override;

    // Creates the pty; false with `error` set when the system refuses.
    bool open(QString *error);
    // The device clients open, e.g. "/dev/pts/7".
    QString slavePath() const { return m_slavePath; }

    // Hex dumps of both directions on stderr.
    void setTrace(bool on) { m_trace = on; }

    // Closes the pty once this many bytes came from the client, as a pulled adapter would
    // (-1: never). The client's port fails; nothing it sends is answered any more.
    void setHangUpAfter(qint64 bytes) { m_hangUpAfter = bytes; }

signals:
    // Bytes came from the client.
    void activity();
    // The pty was closed by setHangUpAfter().
    void hungUp();

private:
    void onReadable();
    void onWritable();
    void send(const QByteArray &bytes);
    void flushPending();
    void hangUp();
    int clientSpeed() const;

    std::function<void(const QByteArray &)> m_deliver; // the client's bytes to the line or modem
    QPointer<SimModem> m_modem;
    int m_master = -1;
    int m_slave = -1; // held open so the master never reads EIO between clients
    QString m_slavePath;
    QSocketNotifier *m_readNotifier = nullptr;
    QSocketNotifier *m_writeNotifier = nullptr;
    QByteArray m_pending; // bytes the pty could not take yet
    bool m_trace = false;
    qint64 m_hangUpAfter = -1;
    qint64 m_received = 0;
};

} // namespace torvel::sim
