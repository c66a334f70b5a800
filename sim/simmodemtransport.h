#pragma once
// A simulated modem as the port the engine talks through: what the engine writes goes to the
// modem's DTE side, what the modem sends is read like bytes from a port, and its carrier
// detect is the port's.

#include "link/transport.h"

#include <QPointer>

namespace torvel::sim {

class SimDialUp;
class SimModem;

class SimModemTransport : public Transport
{
    Q_OBJECT
public:
    // The transport owns `dialUp` and talks to its PC modem.
    explicit SimModemTransport(SimDialUp *dialUp, QObject *parent = nullptr);
    ~SimModemTransport() override;

    SimDialUp *dialUp() const { return m_dialUp; }

    bool open() override;
    void close() override;
    bool isOpen() const override { return m_open; }
    bool flushInput() override;
    bool write(const QByteArray &bytes) override;
    QByteArray readAll() override;
    void setBaudRate(int baud) override;
    int baudRate() const override { return m_baud; }
    bool carrierDetect() const override;
    bool hasModemLines() const override { return true; }
    QString displayName() const override;
    QString errorString() const override { return {}; }

private:
    void onModemBytes(const QByteArray &bytes);

    SimDialUp *m_dialUp;
    QPointer<SimModem> m_modem;
    QByteArray m_received;
    int m_baud = 9600;
    bool m_open = false;
};

} // namespace torvel::sim
