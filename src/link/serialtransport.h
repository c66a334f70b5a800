#pragma once
// The serial port: 8N1, no flow control, opened by the first operation that needs it.

#include "transport.h"

#include <QSerialPort>
#include <QTimer>

namespace torvel {

class SerialTransport : public Transport
{
    Q_OBJECT
public:
    // `device` is the path or system name to open (see portDevice()); `display` the user's name.
    SerialTransport(const QString &device, const QString &display, QObject *parent = nullptr);
    ~SerialTransport() override;

    bool open() override;
    void close() override;
    bool isOpen() const override;
    bool flushInput() override;
    bool write(const QByteArray &bytes) override;
    QByteArray readAll() override;
    void setBaudRate(int baud) override;
    int baudRate() const override;
    bool carrierDetect() const override;
    bool hasModemLines() const override { return m_hasModemLines; }
    QString displayName() const override;
    QString errorString() const override;

    // Changes the device; an open port is re-opened on it.
    void setDevice(const QString &device, const QString &display);

private:
    void onError(QSerialPort::SerialPortError error);
    // Why the last open failed, in German where the reason is a common one.
    QString openFailureReason() const;
    void pollCarrier();

    QSerialPort m_port;
    QString m_device;
    QString m_display;
    QString m_error;
    QSerialPort::SerialPortError m_lastError = QSerialPort::NoError;
    QString m_lastErrorText;
    int m_baud = 9600;
    bool m_carrier = false;
    bool m_hasModemLines = false;  // the last line query worked (never on a pty)
    bool m_inLineQuery = false;
    bool m_lineQueryFailed = false; // set by onError during a line query
    // QSerialPort reports no modem-line changes: carrier detect is polled while open.
    QTimer m_carrierPoll;
};

} // namespace torvel
