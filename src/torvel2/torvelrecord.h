#pragma once
// `TorvelRecord`: the whole data set of one second-generation controller as the Torvel2 window
// holds it in memory: bake programs as texts, night starts as texts, its own gradient and ready
// tables, and the configuration that only record files carry.

#include "tables/gradienttable.h"
#include "tables/readytable.h"
#include "torvelconfiguration.h"

#include <QString>

#include <array>

namespace torvel {

constexpr int kRecordPrograms = 99;
constexpr int kRecordValueFields = 24; // field 1 is never filled from a controller
constexpr int kRecordNightDays = 7;    // Sunday first
constexpr int kRecordNightEntries = 4; // start 1 hour, start 1 minute, start 2 hour, start 2 minute

struct TorvelRecord {
    // True until a read or an open succeeds, and again after a failed one.
    bool NoRecordLoaded = true;
    std::array<QString, kRecordPrograms> names;
    std::array<std::array<QString, kRecordValueFields>, kRecordPrograms> values;
    std::array<std::array<QString, kRecordNightEntries>, kRecordNightDays> nightStarts;
    GradientTable gradient = emptyGradientTable();
    ReadyTable ready;
    ReadyBlockFlags ReadyBlockRead;
    TorvelConfiguration configuration;

    // 1-based: program 1..99, field 1..24, day 1..7, entry 1..4.
    QString &name(int program) { return names[static_cast<std::size_t>(program - 1)]; }
    QString &value(int program, int field)
    {
        return values[static_cast<std::size_t>(program - 1)][static_cast<std::size_t>(field - 1)];
    }
    QString &nightStart(int day, int entry)
    {
        return nightStarts[static_cast<std::size_t>(day - 1)][static_cast<std::size_t>(entry - 1)];
    }

    // Empties all names, values and night start entries (the tables stay).
    void clearProgramsAndNights();
};

} // namespace torvel
