#include "logentry.h"

#include <array>

namespace torvel {

namespace {
const std::array<const char *, 7> kShortDays{"SO", "MO", "DI", "MI", "DO", "FR", "SA"};

QString digits(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

QString operatingEvent(const LogEntryBytes &b)
{
    switch (b.type) {
    case kDayEntryType:
        return QStringLiteral("Eintrag Datum");
    case 1:
        switch (b.parameter) {
        case 0:
            return QStringLiteral("AUS");
        case 5:
            return QStringLiteral("Nachtstart durchgeführt.");
        case 21:
            return QStringLiteral("Nachtstart durchgeführt(fast EIN).");
        case 85:
            return QStringLiteral("EIN");
        case 208:
            return QStringLiteral("Nachtstart aktiviert.");
        default:
            return QStringLiteral("unbek. Modus");
        }
    case 2:
        return QStringLiteral("BPrg STOPP");
    case 3:
        return QStringLiteral("BPrg START");
    case 4:
        return QStringLiteral("Programm");
    default:
        return QStringLiteral("unbek. Ereignis Typ %1").arg(b.type);
    }
}

QString errorEvent(const LogEntryBytes &b)
{
    switch (b.type) {
    case kDayEntryType:
        return QStringLiteral("Eintrag Datum");
    case 1:
        // The controller counts its first two errors from 0; later numbers stand as they are.
        return QStringLiteral("Fehler Nr. :")
               + (b.parameter == 0   ? QStringLiteral("1")
                  : b.parameter == 1 ? QStringLiteral("2")
                                     : QString::number(b.parameter));
    case 2:
        return QStringLiteral("Ereignis/Fehler II");
    case 3:
        return QStringLiteral("Ereignis/Fehler III");
    case 4:
        return QStringLiteral("Ereignis/Fehler IV");
    default:
        return QStringLiteral("unbek. Ereignis Typ %1").arg(b.type);
    }
}
} // namespace

LogEntryBytes LogEntryBytes::from(const QByteArray &four)
{
    LogEntryBytes b;
    b.minuteOfWeek = quint8(four.at(0)) | (quint8(four.at(1)) << 8);
    b.parameter = quint8(four.at(2));
    b.type = quint8(four.at(3)) >> 4;
    b.deck = quint8(four.at(3)) & 0x0F;
    return b;
}

bool isLogEndMark(const QByteArray &four)
{
    return four.size() >= kLogEntryBytes && four.left(kLogEntryBytes) == QByteArray(kLogEntryBytes, char(0xFF));
}

int logWeekday(int minuteOfWeek)
{
    const int day = minuteOfWeek / kMinutesPerDay;
    return day <= 6 ? day : kInvalidWeekday;
}

QString logTimeText(int minuteOfWeek)
{
    const int weekday = logWeekday(minuteOfWeek);
    const int minutes = minuteOfWeek % kMinutesPerDay;
    const QString day =
        weekday < kInvalidWeekday ? QString::fromLatin1(kShortDays[std::size_t(weekday)]) : QStringLiteral("XX");
    return digits(minutes / 60, 2) + QLatin1Char(':') + digits(minutes % 60, 2) + QStringLiteral(" (") + day
           + QLatin1Char(')');
}

OperatingEntry decodeLogEntry(const LogEntryBytes &b, LogKind kind)
{
    OperatingEntry e;
    e.Time = logTimeText(b.minuteOfWeek);
    e.DayOfWeek = logWeekday(b.minuteOfWeek);
    e.Event = kind == LogKind::OperatingData ? operatingEvent(b) : errorEvent(b);
    if (b.type != kDayEntryType) {
        e.Deck = b.deck;
        e.DeckText = b.deck == 0 ? QStringLiteral("Torvel") : QStringLiteral("Herd %1").arg(b.deck);
    }
    if (b.type >= 2)
        e.Program = b.parameter;
    return e;
}

QString logDebugLine(int index, const QByteArray &four, const LogEntryBytes &b, const QString &time)
{
    QString line = QLatin1Char('B') + digits(index, 4) + QLatin1Char(':');
    for (int i = 0; i < kLogEntryBytes; ++i) {
        if (i > 0)
            line += QLatin1Char('.');
        line += digits(quint8(four.at(i)), 3);
    }
    const int deckField = b.type == kDayEntryType ? b.dayNumber() % 372 : b.deck;
    return line + QStringLiteral("--") + time + QLatin1Char('-') + digits(b.parameter, 3) + QLatin1Char('-')
           + digits(deckField, 2) + QLatin1Char('-') + digits(b.type, 2);
}

} // namespace torvel
