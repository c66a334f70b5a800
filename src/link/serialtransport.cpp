#include "serialtransport.h"

namespace torvel {

SerialTransport::SerialTransport(const QString &device, const QString &display, QObject *parent)
    : Transport(parent), m_device(device), m_display(display)
{
    m_port.setReadBufferSize(0);
    connect(&m_port, &QSerialPort::readyRead, this, [this] { emit bytesAvailable(m_port.bytesAvailable()); });
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialTransport::onError);
    m_carrierPoll.setInterval(200);
    connect(&m_carrierPoll, &QTimer::timeout, this, &SerialTransport::pollCarrier);
}

SerialTransport::~SerialTransport()
{
    m_port.close();
}

bool SerialTransport::open()
{
    if (m_port.isOpen())
        return true;
    if (m_device.isEmpty()) {
        m_error = QStringLiteral("Unbekannte Schnittstelle \"%1\"").arg(m_display);
        return false;
    }
    m_port.setPortName(m_device);
    m_port.setBaudRate(m_baud);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    m_lastError = QSerialPort::NoError;
    m_lastErrorText.clear();
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_error = QStringLiteral("%1 lässt sich nicht öffnen: %2").arg(m_display, openFailureReason());
        return false;
    }
    m_port.clearError();
    m_error.clear();
    m_carrier = false;
    pollCarrier();
    m_carrierPoll.start();
    return true;
}

QString SerialTransport::openFailureReason() const
{
    switch (m_lastError) {
    case QSerialPort::DeviceNotFoundError:
        return QStringLiteral("Gerät %1 nicht gefunden").arg(m_device);
    case QSerialPort::PermissionError:
        return QStringLiteral("kein Zugriff (von einem anderen Programm belegt oder keine Berechtigung)");
    case QSerialPort::OpenError:
        return QStringLiteral("bereits geöffnet");
    default:
        return m_lastErrorText;
    }
}

void SerialTransport::close()
{
    m_carrierPoll.stop();
    if (m_port.isOpen())
        m_port.close();
    if (m_carrier) {
        m_carrier = false;
        emit carrierChanged(false);
    }
}

bool SerialTransport::isOpen() const
{
    return m_port.isOpen();
}

bool SerialTransport::flushInput()
{
    if (!open())
        return false;
    m_port.readAll(); // what Qt has buffered already
    return m_port.clear(QSerialPort::Input);
}

bool SerialTransport::write(const QByteArray &bytes)
{
    if (!open())
        return false;
    const qint64 n = m_port.write(bytes);
    if (n != bytes.size()) {
        m_error = QStringLiteral("Schreiben auf %1 fehlgeschlagen: %2").arg(m_display, m_port.errorString());
        return false;
    }
    return true;
}

QByteArray SerialTransport::readAll()
{
    return m_port.isOpen() ? m_port.readAll() : QByteArray();
}

void SerialTransport::setBaudRate(int baud)
{
    m_baud = baud;
    if (m_port.isOpen())
        m_port.setBaudRate(baud);
}

int SerialTransport::baudRate() const
{
    return m_baud;
}

bool SerialTransport::carrierDetect() const
{
    return m_carrier;
}

QString SerialTransport::displayName() const
{
    return m_display;
}

QString SerialTransport::errorString() const
{
    return m_error;
}

void SerialTransport::setDevice(const QString &device, const QString &display)
{
    const bool wasOpen = m_port.isOpen();
    close();
    m_device = device;
    m_display = display;
    if (wasOpen)
        open();
}

void SerialTransport::onError(QSerialPort::SerialPortError error)
{
    // Kept for the open failure's message: the error itself is cleared below (and clearing
    // reports NoError, which must not overwrite it).
    if (error != QSerialPort::NoError) {
        m_lastError = error;
        m_lastErrorText = m_port.errorString();
    }
    // A pty has no modem lines: failed line queries are not a fault of the link.
    if (m_inLineQuery && error != QSerialPort::NoError) {
        m_lineQueryFailed = true;
        return;
    }
    if (error == QSerialPort::NoError || error == QSerialPort::UnsupportedOperationError)
        return;
    // A port that cannot be read any more is gone too: a pty whose other side closed reads
    // end-of-file, an unplugged adapter fails with EIO. Kept open it would report it again
    // and again while the engine waits.
    if (error == QSerialPort::ResourceError || error == QSerialPort::PermissionError
        || error == QSerialPort::ReadError) {
        m_error = QStringLiteral("Verbindung über %1 verloren: die Schnittstelle ist geschlossen, die nächste "
                                 "Übertragung öffnet sie wieder.")
                      .arg(m_display);
        if (m_port.isOpen()) {
            close();
            emit lineLost(m_error);
        }
    }
    m_port.clearError();
}

void SerialTransport::pollCarrier()
{
    if (!m_port.isOpen())
        return;
    m_lineQueryFailed = false;
    m_inLineQuery = true;
    const auto lines = m_port.pinoutSignals();
    m_inLineQuery = false;
    m_hasModemLines = !m_lineQueryFailed && m_port.error() == QSerialPort::NoError;
    m_port.clearError();
    const bool carrier = lines.testFlag(QSerialPort::DataCarrierDetectSignal);
    if (carrier != m_carrier) {
        m_carrier = carrier;
        emit carrierChanged(carrier);
    }
}

} // namespace torvel
