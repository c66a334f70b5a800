#pragma once
// The line to the controllers as the engine sees it. Implementations: the serial
// port and the in-process simulated line. Failures are values, never exceptions.

#include <QByteArray>
#include <QObject>
#include <QString>

namespace torvel {

class Transport : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~Transport() override = default;

    // Opens the line if it is closed; false with errorString() set when it cannot.
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Both open the line when needed, as the first operation that needs it.
    virtual bool flushInput() = 0;
    virtual bool write(const QByteArray &bytes) = 0;

    // Everything received and not yet read.
    virtual QByteArray readAll() = 0;

    virtual void setBaudRate(int baud) = 0;
    virtual int baudRate() const = 0;

    // Carrier detect; false where the line has no modem lines (a pty, the simulator).
    virtual bool carrierDetect() const = 0;
    // True when carrierDetect() reports a real line; without one only the modem's result
    // words tell whether a connection stands.
    virtual bool hasModemLines() const { return false; }

    // The name the user sees ("COM3", "SIM", a device path).
    virtual QString displayName() const = 0;
    virtual QString errorString() const = 0;

signals:
    // Data-available event: `count` bytes are ready to read.
    void bytesAvailable(qint64 count);
    void carrierChanged(bool on);
    // The port failed while open (e.g. a USB adapter was unplugged); it has been closed.
    void lineLost(const QString &message);
};

} // namespace torvel
