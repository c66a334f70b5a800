#include "torvelsettings.h"

#include "link/portname.h"

#include <QSettings>

namespace torvel {

namespace {
const QString kGroup = QStringLiteral("1.0");
const QString kCommPort = QStringLiteral("1.0/CommPort");
const QString kPortName = QStringLiteral("1.0/CommPortName");
const QString kPrintScale = QStringLiteral("1.0/Printscale");
const QString kMappingGroup = QStringLiteral("1.0/PortMapping");
const QString kMainGeometry = QStringLiteral("1.0/MainWindowGeometry");
constexpr int kDefaultPrintScale = 80;
} // namespace

TorvelSettings::TorvelSettings()
{
    const QString file = qEnvironmentVariable("TORVEL_SETTINGS");
    if (!file.isEmpty())
        m_settings = std::make_unique<QSettings>(file, QSettings::IniFormat);
    else
        m_settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                 QStringLiteral("ZAN"), QStringLiteral("VKS3Torvel"));
}

TorvelSettings::TorvelSettings(const QString &iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

TorvelSettings::~TorvelSettings() = default;

int TorvelSettings::commPort() const
{
    bool ok = false;
    const int n = m_settings->value(kCommPort).toInt(&ok);
    return ok && n >= kMinComNumber && n <= kMaxComNumber ? n : kDefaultComNumber;
}

void TorvelSettings::setCommPort(int number)
{
    m_settings->setValue(kCommPort, number);
}

QString TorvelSettings::portText() const
{
    const QString name = m_settings->value(kPortName).toString().trimmed();
    return name.isEmpty() ? comName(commPort()) : name;
}

void TorvelSettings::setPortText(const QString &text)
{
    if (const auto n = parseComName(text)) {
        setCommPort(*n);
        m_settings->remove(kPortName);
    } else {
        m_settings->setValue(kPortName, text.trimmed());
    }
}

bool TorvelSettings::hasPrintScale() const
{
    return m_settings->contains(kPrintScale);
}

int TorvelSettings::printScale() const
{
    bool ok = false;
    const int n = m_settings->value(kPrintScale).toInt(&ok);
    return ok ? n : kDefaultPrintScale;
}

void TorvelSettings::setPrintScale(int percent)
{
    m_settings->setValue(kPrintScale, percent);
}

QMap<QString, QString> TorvelSettings::portMapping() const
{
    QMap<QString, QString> map;
    m_settings->beginGroup(kMappingGroup);
    for (const QString &key : m_settings->childKeys()) {
        if (const auto n = parseComName(key))
            map.insert(comName(*n), m_settings->value(key).toString());
    }
    m_settings->endGroup();
    return map;
}

void TorvelSettings::setPortMapping(const QString &name, const QString &device)
{
    m_settings->setValue(kMappingGroup + QLatin1Char('/') + name.toUpper(), device);
}

QByteArray TorvelSettings::mainWindowGeometry() const
{
    return m_settings->value(kMainGeometry).toByteArray();
}

void TorvelSettings::setMainWindowGeometry(const QByteArray &geometry)
{
    m_settings->setValue(kMainGeometry, geometry);
}

void TorvelSettings::sync()
{
    m_settings->sync();
}

} // namespace torvel
