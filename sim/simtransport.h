#pragma once
// The simulated line as a Transport: what the engine writes goes to a SimLine, what
// the line sends back is read like bytes from a port.

#include "simline.h"

#include "link/transport.h"

#include <QPointer>

namespace torvel::sim {

class SimTransport : public Transport
{
    Q_OBJECT
public:
    // Without a line the transport makes a default one of its own.
    explicit SimTransport(SimLine *line = nullptr, QObject *parent = nullptr);
    ~SimTransport() override;

    SimLine *line() const { return m_line; }

    bool open() override;
    void close() override;
    bool isOpen() const override { return m_open; }
    bool flushInput() override;
    bool write(const QByteArray &bytes) override;
    QByteArray readAll() override;
    // Also the line's pacing rate.
    void setBaudRate(int baud) override;
    int baudRate() const override { return m_baud; }
    bool carrierDetect() const override { return false; }
    QString displayName() const override;
    QString errorString() const override { return {}; }

private:
    void onLineBytes(const QByteArray &bytes);

    QPointer<SimLine> m_line;
    QByteArray m_received;
    int m_baud = 9600;
    bool m_open = false;
};

} // namespace torvel::sim
