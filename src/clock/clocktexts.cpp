#include "clocktexts.h"

#include "clockframes.h"
#include "clockread.h"
#include "clockset.h"
#include "controllertime.h"

#include "link/bytes.h"

#include <array>

namespace torvel {

namespace {
// Fixed German formats: the texts must not change with the platform's locale.
const QString kShortDate = QStringLiteral("dd.MM.yyyy");
const QString kLongTime = QStringLiteral("HH:mm:ss");
const QString kTwoBlanks = QStringLiteral("  ");

QString twoDigits(quint8 bcd)
{
    return QStringLiteral("%1").arg(BcdToInt(bcd), 2, 10, QLatin1Char('0'));
}
} // namespace

QString dayName(int weekday)
{
    static const std::array<QString, 7> names = {
        QStringLiteral("Sonntag"),    QStringLiteral("Montag"),  QStringLiteral("Dienstag"),
        QStringLiteral("Mittwoch"),   QStringLiteral("Donnerstag"), QStringLiteral("Freitag"),
        QStringLiteral("Samstag"),
    };
    if (weekday < 0 || weekday >= static_cast<int>(names.size()))
        return QString::number(weekday);
    return names[static_cast<size_t>(weekday)];
}

QString dayName(const QDate &date)
{
    return dayName(controllerWeekday(date));
}

QString pcTimeText(const QDateTime &now)
{
    return dayName(now.date()) + kTwoBlanks + now.toString(kShortDate + QLatin1Char(' ') + kLongTime);
}

QString clockReadingText(const ClockReading &reading)
{
    switch (reading.code) {
    case ClockReadOk:
        return dayName(reading.time.date()) + kTwoBlanks + reading.time.toString(QStringLiteral("dd.MM.yyyy HH.mm.ss"));
    case ClockNotConvertible:
        return QStringLiteral("Zeit kann nicht gewandelt werden.");
    default:
        return clockUnavailableText();
    }
}

QString controllerTimeText(const ControllerTime &t)
{
    return dayName(t.weekday) + kTwoBlanks + twoDigits(t.day) + QLatin1Char('.') + twoDigits(t.month)
           + QLatin1Char('.') + twoDigits(t.year) + kTwoBlanks + twoDigits(t.hour) + QLatin1Char(':')
           + twoDigits(t.minute) + QLatin1Char(':') + twoDigits(t.second);
}

QString clockUnavailableText()
{
    return QStringLiteral("nicht verfügbar");
}

QString clockSetOutcomeText(int code)
{
    switch (code) {
    case ClockSetOk:
        return QStringLiteral("Uhr gestellt.");
    case ClockDataNotAcknowledged:
        return QStringLiteral("Funktion wurde abgebrochen");
    case ClockFunctionNotAcknowledged:
        return QStringLiteral("Commando \"Uhr stellen\" wurde nicht akzeptiert.");
    case ClockNotAddressable:
        return QStringLiteral("Steuerung nicht erreichbar.");
    default:
        return QStringLiteral("Interner Programmfehler, Kommando nicht durchgeführt!");
    }
}

} // namespace torvel
