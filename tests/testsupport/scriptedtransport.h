#pragma once
// A line whose answers a test scripts: every write is recorded, echoed (unless told not
// to) and answered with what the responder returns, delivered later on the event loop.

#include "link/transport.h"

#include <QList>
#include <functional>

namespace torvel::test {

class ScriptedTransport : public Transport
{
    Q_OBJECT
public:
    using Responder = std::function<QByteArray(const QByteArray &written)>;
    using Transport::Transport;

    bool open() override;
    void close() override;
    bool isOpen() const override { return m_open; }
    bool flushInput() override;
    bool write(const QByteArray &bytes) override;
    QByteArray readAll() override;
    void setBaudRate(int baud) override { m_baud = baud; }
    int baudRate() const override { return m_baud; }
    bool carrierDetect() const override { return false; }
    QString displayName() const override { return QStringLiteral("TEST"); }
    QString errorString() const override { return m_failOpen ? QStringLiteral("geht nicht") : QString(); }

    void setResponder(Responder r) { m_responder = std::move(r); }
    void setEcho(bool on) { m_echo = on; }
    void setFailOpen(bool on) { m_failOpen = on; }
    void setFailWrite(bool on) { m_failWrite = on; }
    // Deliver incoming bytes in pieces of this size, one piece per event-loop pass (0 = all).
    void setChunkSize(int n) { m_chunk = n; }
    // Puts bytes on the line at once, outside any write (noise, late answers).
    void inject(const QByteArray &bytes);

    const QList<QByteArray> &writes() const { return m_writes; }
    int opens() const { return m_opens; }
    int flushes() const { return m_flushes; }

private:
    void deliverSome();

    Responder m_responder;
    QList<QByteArray> m_writes;
    QByteArray m_pending;  // on the wire, not yet arrived
    QByteArray m_received; // arrived, not yet read
    bool m_open = false;
    bool m_echo = true;
    bool m_failOpen = false;
    bool m_failWrite = false;
    bool m_deliveryQueued = false;
    int m_chunk = 0;
    int m_baud = 9600;
    int m_opens = 0;
    int m_flushes = 0;
};

} // namespace torvel::test
