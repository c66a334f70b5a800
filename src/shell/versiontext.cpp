#include "versiontext.h"

#include <QStringList>

namespace torvel {

namespace {
const QString kUnknownVersion = QStringLiteral("0.0.0.0");

// Digits only: a sign, blanks or an empty part make the version unusable.
bool isNumber(const QString &part)
{
    if (part.isEmpty())
        return false;
    for (const QChar c : part) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    bool ok = false;
    part.toUInt(&ok);
    return ok;
}
} // namespace

QString versionTextFrom(const QString &version, int build)
{
    const QStringList parts = version.split(QLatin1Char('.'));
    if (parts.size() != 3)
        return kUnknownVersion;
    QStringList numbers;
    for (const QString &part : parts) {
        if (!isNumber(part))
            return kUnknownVersion;
        numbers << QString::number(part.toUInt()); // "01" shows as "1"
    }
    return QStringLiteral("%1 [Build %2]").arg(numbers.join(QLatin1Char('.'))).arg(build);
}

QString applicationVersionText()
{
    return versionTextFrom(QStringLiteral(TORVEL_VERSION_STRING), TORVEL_BUILD_NUMBER);
}

} // namespace torvel
