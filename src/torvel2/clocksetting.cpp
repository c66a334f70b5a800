#include "clocksetting.h"

#include <QRegularExpression>

namespace torvel {

std::optional<QDateTime> clockSettingFrom(const QString &timeText, const QString &dateText)
{
    // The masks allow a blank first hour digit and nothing else but digits.
    static const QRegularExpression timeForm(QStringLiteral("^\\s*(\\d{1,2}):(\\d{2}):(\\d{2})\\s*$"));
    static const QRegularExpression dateForm(QStringLiteral("^\\s*(\\d{1,2})\\.(\\d{1,2})\\.(\\d{2})\\s*$"));
    const auto t = timeForm.match(timeText);
    const auto d = dateForm.match(dateText);
    if (!t.hasMatch() || !d.hasMatch())
        return std::nullopt;
    const QTime time(t.captured(1).toInt(), t.captured(2).toInt(), t.captured(3).toInt());
    const QDate date(2000 + d.captured(3).toInt(), d.captured(2).toInt(), d.captured(1).toInt());
    if (!time.isValid() || !date.isValid())
        return std::nullopt;
    return QDateTime(date, time, Qt::UTC).addSecs(1);
}

QString timeEditText(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

QString dateEditText(const QDate &date)
{
    return QStringLiteral("%1.%2.%3")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.year() % 100, 2, 10, QLatin1Char('0'));
}

} // namespace torvel
