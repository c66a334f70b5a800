#include "portname.h"

#include <QRegularExpression>

namespace torvel {

std::optional<int> parseComName(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^COM(\\d{1,2})$"),
                                       QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const int n = m.captured(1).toInt();
    if (n < kMinComNumber || n > kMaxComNumber)
        return std::nullopt;
    return n;
}

QString comName(int number)
{
    return QStringLiteral("COM%1").arg(number);
}

bool isSimulatedPort(const QString &portText)
{
    return portText.trimmed().compare(QLatin1String("SIM"), Qt::CaseInsensitive) == 0
           || isSimulatedModemPort(portText);
}

bool isSimulatedModemPort(const QString &portText)
{
    return portText.trimmed().compare(QLatin1String("SIMMODEM"), Qt::CaseInsensitive) == 0;
}

QString portDevice(const QString &portText, const QMap<QString, QString> &mapping)
{
    const QString text = portText.trimmed();
    if (text.isEmpty())
        return {};
    if (const auto n = parseComName(text)) {
        const QString key = comName(*n);
        if (mapping.contains(key))
            return mapping.value(key);
#ifdef Q_OS_WIN
        return key;
#else
        return QStringLiteral("/dev/ttyS%1").arg(*n - 1);
#endif
    }
    if (text.startsWith(QLatin1Char('/')))
        return text;
#ifdef Q_OS_WIN
    if (text.startsWith(QLatin1String("\\\\.\\")))
        return text;
#endif
    return {};
}

} // namespace torvel
