#pragma once
// The program's two stored values, "CommPort" and "Printscale", under
// SOFTWARE\ZAN\VKS3Torvel\1.0 (the registry on Windows, a settings file elsewhere),
// plus the port choices that are no COM number and the COMn device mapping.

#include <QByteArray>
#include <QMap>
#include <QString>
#include <memory>

class QSettings;

namespace torvel {

class TorvelSettings
{
public:
    // The platform's native store; the environment variable TORVEL_SETTINGS names an ini
    // file to use instead (tests, scripted runs).
    TorvelSettings();
    // An ini file of the caller's choice.
    explicit TorvelSettings(const QString &iniFile);
    ~TorvelSettings();

    // "CommPort": 3 when missing or outside 1..99.
    int commPort() const;
    void setCommPort(int number);

    // The port the user chose: "COMn", "SIM" or a device path.
    QString portText() const;
    void setPortText(const QString &text);

    bool hasPrintScale() const;
    int printScale() const; // 80 when missing
    void setPrintScale(int percent);

    // "COM5" -> "/dev/ttyUSB0": where a COM name points on systems without COM ports.
    QMap<QString, QString> portMapping() const;
    void setPortMapping(const QString &comName, const QString &device);

    // The frame's geometry when it was closed last; empty before the first close.
    QByteArray mainWindowGeometry() const;
    void setMainWindowGeometry(const QByteArray &geometry);

    void sync();

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace torvel
