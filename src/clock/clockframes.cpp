#include "clockframes.h"

#include "link/bytes.h"

namespace torvel {

const QByteArray &timeRequestFrame()
{
    static const QByteArray frame = functionFrame(0x19, 0x55, 0x55);
    return frame;
}

const QByteArray &setTimeFunctionFrame()
{
    static const QByteArray frame = functionFrame(0x1A, 0x75, 0x75);
    return frame;
}

const QString &timeRequestCaption()
{
    static const QString caption = QStringLiteral("Uhrzeit anfordern");
    return caption;
}

const QString &setTimeFunctionCaption()
{
    static const QString caption = QStringLiteral("Uhrzeit senden (Fkt)");
    return caption;
}

const QString &setTimeDataCaption()
{
    static const QString caption = QStringLiteral("Uhrzeit senden");
    return caption;
}

int controllerWeekday(const QDate &date)
{
    return date.dayOfWeek() % 7; // Qt counts Monday 1 .. Sunday 7
}

QByteArray setTimeDataFrame(const QDateTime &time)
{
    const QDate d = time.date();
    const QTime t = time.time();
    QByteArray data;
    data.append(static_cast<char>(controllerWeekday(d)));
    for (int v : {d.day(), d.month(), d.year() % 100, t.hour(), t.minute(), t.second()})
        data.append(static_cast<char>(IntToBcd(v)));
    return dataFrame(data);
}

} // namespace torvel
