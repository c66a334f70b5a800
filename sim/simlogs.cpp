#include "simlogs.h"

#include "simcontroller.h"
#include "simcrc.h"
#include "simgeneration.h"
#include "simwire.h"

#include <map>

namespace torvel::sim {

namespace {
constexpr int kMinutesPerDay = 1440;
const QByteArray kEndMark(kSimLogEntryBytes, char(0xFF));

// Types and parameters of the operating data.
constexpr int kTypeMode = 1;
constexpr int kTypeStop = 2;
constexpr int kTypeStart = 3;
constexpr int kTypeProgram = 4;
constexpr int kModeOff = 0;
constexpr int kModeNightStartDone = 5;
constexpr int kModeOn = 85;
constexpr int kModeNightStartArmed = 208;

int weekdayOf(const QDate &date)
{
    return date.dayOfWeek() % 7; // Sunday 0
}

int minuteOf(const QDate &date, int hour, int minute)
{
    return weekdayOf(date) * kMinutesPerDay + hour * 60 + minute;
}

// A small fixed sequence, so every oven's log differs but stays the same from run to run.
int pick(int seed, int range)
{
    return static_cast<int>((static_cast<unsigned>(seed) * 2654435761u >> 16) % static_cast<unsigned>(range));
}
} // namespace

QByteArray simLogEntry(int minuteOfWeek, int parameter, int type, int deck)
{
    QByteArray e;
    e.append(static_cast<char>(minuteOfWeek & 0xFF));
    e.append(static_cast<char>((minuteOfWeek >> 8) & 0xFF));
    e.append(static_cast<char>(parameter & 0xFF));
    e.append(static_cast<char>(((type & 0x0F) << 4) | (deck & 0x0F)));
    return e;
}

QByteArray simDayEntry(const QDate &date)
{
    const int n = (date.year() % 10) * 372 + (date.month() - 1) * 31 + date.day() - 1;
    return simLogEntry(weekdayOf(date) * kMinutesPerDay, n & 0xFF, 0, n >> 8);
}

SimLogStore::SimLogStore()
{
    clear(SimLogKind::OperatingData);
    clear(SimLogKind::ErrorList);
    m_clears = {};
}

int SimLogStore::capacity(SimLogKind kind)
{
    return kind == SimLogKind::OperatingData ? kSimOperatingEntries : kSimErrorEntries;
}

QByteArray SimLogStore::entries(SimLogKind kind) const
{
    const QByteArray &log = m_logs[index(kind)];
    QByteArray out;
    for (qsizetype at = 0; at + kSimLogEntryBytes <= log.size(); at += kSimLogEntryBytes) {
        const QByteArray entry = log.mid(at, kSimLogEntryBytes);
        if (entry == kEndMark)
            break;
        out += entry;
    }
    return out;
}

void SimLogStore::setEntries(SimLogKind kind, const QByteArray &entries)
{
    const int bytes = capacity(kind) * kSimLogEntryBytes;
    QByteArray log = entries.left(bytes);
    while (log.size() < bytes)
        log += kEndMark;
    m_logs[index(kind)] = log;
}

void SimLogStore::clear(SimLogKind kind)
{
    setEntries(kind, {});
    ++m_clears[index(kind)];
}

QByteArray SimLogStore::block(SimLogKind kind, int first) const
{
    QByteArray out =
        m_logs[index(kind)].mid(qsizetype(first) * kSimLogEntryBytes, kSimLogBlockEntries * kSimLogEntryBytes);
    while (out.size() < kSimLogBlockEntries * kSimLogEntryBytes)
        out += kEndMark;
    return out;
}

void SimLogStore::fillDefaults(int oven, const QDate &lastDay)
{
    QByteArray operating;
    QByteArray errors;
    for (QDate day = lastDay.addDays(-13); day <= lastDay; day = day.addDays(1)) {
        if (weekdayOf(day) == 0)
            continue; // closed on Sundays: the controller writes nothing, not even the date
        const int seed = oven * 1000 + static_cast<int>(day.toJulianDay() % 1000);
        // The day's events by minute of the day; the controller writes them as they happen.
        std::multimap<int, QByteArray> events;
        const auto add = [&events, &day](int minuteOfDay, int parameter, int type, int deck) {
            events.emplace(minuteOfDay, simLogEntry(minuteOf(day, 0, minuteOfDay), parameter, type, deck));
        };
        add(4 * 60 + 30, kModeNightStartDone, kTypeMode, 0);
        add(4 * 60 + 31, kModeOn, kTypeMode, 0);
        for (int deck = 1; deck <= 3; ++deck) {
            int program = 1 + pick(seed + deck, 10);
            add(5 * 60 + 50 + deck, program, kTypeProgram, deck);
            for (int bake = 0; bake < 4; ++bake) {
                const int start = 6 * 60 + 7 * deck + 55 * bake;
                if (bake == 2) {
                    program = 1 + pick(seed + 10 * deck + bake, 10);
                    add(start - 3, program, kTypeProgram, deck);
                }
                add(start, program, kTypeStart, deck);
                add(start + 38 + pick(seed + bake, 6), program, kTypeStop, deck);
            }
        }
        add(13 * 60 + 30, kModeOff, kTypeMode, 0);
        if (weekdayOf(day) != 6) // no night start for Sunday
            add(19 * 60 + 5, kModeNightStartArmed, kTypeMode, 0);
        operating += simDayEntry(day);
        for (const auto &event : events)
            operating += event.second;

        if (pick(seed, 3) == 0) {
            const int deck = 1 + pick(seed + 7, 3);
            errors += simDayEntry(day);
            errors += simLogEntry(minuteOf(day, 7, 12 + deck), pick(seed, 2), 1, deck);   // Fehler Nr. 1 or 2
            errors += simLogEntry(minuteOf(day, 9, 40), 7 + pick(seed, 5), 1, deck);      // a later error
            errors += simLogEntry(minuteOf(day, 9, 41), 1 + pick(seed + 1, 10), 2, deck); // with its program
            errors += simLogEntry(minuteOf(day, 11, 2), 1 + pick(seed + 2, 10), 3, 0);
        }
    }
    setEntries(SimLogKind::OperatingData, operating);
    setEntries(SimLogKind::ErrorList, errors);
}

void registerLogFunctions(SimController &c)
{
    const auto reader = [&c](SimLogKind kind) {
        return [&c, kind](quint8 p1, quint8 p2) {
            const int first = (p1 << 8) | p2;
            if (!isSecondGeneration(c.version()) || first >= SimLogStore::capacity(kind))
                return SimReply::nak();
            return SimReply::withData(appendBlockCrc(c.logs().block(kind, first)));
        };
    };
    const auto clearer = [&c](SimLogKind kind) {
        return [&c, kind](quint8 p1, quint8 p2) {
            if (!isSecondGeneration(c.version()) || p1 != kLogClearParameter || p2 != kLogClearParameter)
                return SimReply::nak();
            c.logs().clear(kind);
            return SimReply::raw(QByteArray(2, char(kSimAck)));
        };
    };
    c.registerFunction(kOperatingReadFunction, reader(SimLogKind::OperatingData));
    c.registerFunction(kErrorReadFunction, reader(SimLogKind::ErrorList));
    c.registerFunction(kOperatingClearFunction, clearer(SimLogKind::OperatingData));
    c.registerFunction(kErrorClearFunction, clearer(SimLogKind::ErrorList));
}

} // namespace torvel::sim
