#include "logdates.h"

#include <QRegularExpression>

namespace torvel {

namespace {
constexpr int kDaysPerYearSlot = 372; // 12 months of 31 days
constexpr int kDaysPerMonthSlot = 31;
constexpr int kDecadeYears = 10;

// Day, month and year of a "dd.mm.yyyy" text, whatever the calendar says of them.
bool splitDateText(const QString &text, int *day, int *month, int *year)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{2})\\.(\\d{2})\\.(\\d{4})$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return false;
    *day = m.captured(1).toInt();
    *month = m.captured(2).toInt();
    *year = m.captured(3).toInt();
    return true;
}

// The same text ten years earlier (possible date or not).
QString tenYearsBack(const QString &text)
{
    int day = 0, month = 0, year = 0;
    if (!splitDateText(text, &day, &month, &year))
        return text;
    return logDateText(day, month, year - kDecadeYears);
}

// Qt counts Monday 1 .. Sunday 7; the controller Sunday 0 .. Saturday 6.
int controllerWeekday(const QDate &date)
{
    return date.dayOfWeek() % 7;
}
} // namespace

QString logDateText(int day, int month, int year)
{
    return QStringLiteral("%1.%2.%3")
        .arg(day, 2, 10, QLatin1Char('0'))
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(year, 4, 10, QLatin1Char('0'));
}

QDate logDate(const QString &text)
{
    int day = 0, month = 0, year = 0;
    if (!splitDateText(text, &day, &month, &year))
        return {};
    return QDate(year, month, day); // invalid for a day the calendar does not have
}

QDate manualReferenceDate(int refYear, const QDate &today)
{
    int day = today.day();
    if (today.month() == 2 && day == 29 && !QDate::isLeapYear(refYear))
        day = 28;
    return QDate(refYear, today.month(), day);
}

QString dayEntryDate(int dayNumber, int refYear, const QDate &reference)
{
    const int offset = dayNumber / kDaysPerYearSlot;
    const int month = (dayNumber % kDaysPerYearSlot) / kDaysPerMonthSlot + 1;
    const int day = (dayNumber % kDaysPerYearSlot) % kDaysPerMonthSlot + 1;
    int decade = ((refYear % 100) / 10) * 10;
    if (decade >= 10 && refYear < 2000 + offset + decade)
        decade -= kDecadeYears;
    int year = 2000 + offset + decade;
    // Only a possible date can lie after the reference; an impossible one keeps its year.
    const QDate date(year, month, day);
    if (date.isValid() && reference.isValid() && date > reference)
        year -= kDecadeYears;
    return logDateText(day, month, year);
}

void checkYearOrder(QList<OperatingEntry> &entries)
{
    int following = 3000; // the year of the next newer dated entry
    for (qsizetype i = entries.size() - 1; i >= 0; --i) {
        OperatingEntry &e = entries[i];
        const QDate date = logDate(e.Date);
        if (!date.isValid())
            continue;
        int year = date.year();
        if (year > following && year > 2000) {
            e.Date = tenYearsBack(e.Date);
            const QDate moved = logDate(e.Date);
            if (!moved.isValid())
                continue; // 29 February into a year without it: a text now, never compared
            year = moved.year();
        }
        following = year;
    }
}

bool completeEarlyDates(QList<OperatingEntry> &entries)
{
    qsizetype firstDated = 0;
    while (firstDated < entries.size() && entries.at(firstDated).Date.isEmpty())
        ++firstDated;
    if (firstDated == 0 || firstDated == entries.size())
        return true; // nothing waits, or nothing to count back from
    const QDate first = logDate(entries.at(firstDated).Date);
    if (!first.isValid())
        return false;
    for (qsizetype i = 0; i < firstDated; ++i) {
        OperatingEntry &e = entries[i];
        // A week back, then forward to the entry's own weekday: seven days at most.
        for (int back = 7; back >= 1; --back) {
            const QDate candidate = first.addDays(-back);
            if (controllerWeekday(candidate) == e.DayOfWeek) {
                e.Date = logDateText(candidate.day(), candidate.month(), candidate.year());
                break;
            }
        }
    }
    return true;
}

} // namespace torvel
