#include "readytime.h"

#include <QRegularExpression>

namespace torvel {

QString readyTimeText(int minutes)
{
    return QString::asprintf("%.2d:%.2d", minutes / 60, minutes % 60);
}

std::optional<int> timeOfDayMinutes(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{1,2}):([0-9]{1,2})(?::([0-9]{1,2}))?$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const int hours = m.captured(1).toInt();
    const int minutes = m.captured(2).toInt();
    const int seconds = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
    if (hours > 23 || minutes > 59 || seconds > 59)
        return std::nullopt;
    return hours * 60 + minutes;
}

QString NormalizeTimeText(const QString &text)
{
    QString t = text;
    t.remove(QLatin1Char(' '));
    // Positions as the rules count them: the colon "at position 3" is index 2.
    const auto colonAt = [&t] { return t.indexOf(QLatin1Char(':')); };
    if (colonAt() < 0 && t.size() > 4)
        t.truncate(4);
    if (colonAt() == 2 && t.size() > 5)
        t.truncate(5);
    if (colonAt() == 1)
        t.prepend(QLatin1Char('0'));
    if (colonAt() == 2 && t.size() == 4)
        t.insert(3, QLatin1Char('0'));
    if (colonAt() < 0 && t.size() == 3)
        t = t.left(2) + QLatin1Char(':') + t.mid(2) + QLatin1Char('0');
    if (colonAt() < 0 && t.size() == 4)
        t.insert(2, QLatin1Char(':'));
    if (colonAt() < 0 && t.size() == 2)
        t += QStringLiteral(":00");
    if (colonAt() < 0 && t.size() == 1)
        t = QLatin1Char('0') + t + QStringLiteral(":00");
    return timeOfDayMinutes(t) ? t : QString();
}

} // namespace torvel
