#pragma once
// The ready table of a second-generation controller as data: per weekday (0 = Sunday) and
// deck 1..9 up to 128 switching times, each with its week field `Woche` (0..30 in use, 31 empty)
// and its minutes after midnight (0..1439 in use, 2047 empty). The transfer, grid and file
// of the table build on this.

#include <array>
#include <cstddef>

namespace torvel {

constexpr int kReadyDays = 7;
constexpr int kReadyDecks = 9;
constexpr int kReadyEntries = 128;
constexpr int kReadyEmptyWoche = 31;
constexpr int kReadyEmptyMinutes = 2047;
constexpr int kReadyMinutesPerDay = 1440;

struct ReadyEntry {
    int woche = kReadyEmptyWoche;
    int minutes = kReadyEmptyMinutes;

    bool operator==(const ReadyEntry &other) const = default;
};

// Every entry empty when made.
struct ReadyTable {
    std::array<ReadyEntry, kReadyDays * kReadyDecks * kReadyEntries> entries{};

    // day 0..6, deck 1..9, entry 1..128.
    ReadyEntry &entry(int day, int deck, int i) { return entries[index(day, deck, i)]; }
    const ReadyEntry &entry(int day, int deck, int i) const { return entries[index(day, deck, i)]; }

    // All 128 entries of the block (day, deck) empty.
    bool blockEmpty(int day, int deck) const
    {
        for (int i = 1; i <= kReadyEntries; ++i)
            if (entry(day, deck, i) != ReadyEntry{})
                return false;
        return true;
    }
    void emptyBlock(int day, int deck)
    {
        for (int i = 1; i <= kReadyEntries; ++i)
            entry(day, deck, i) = ReadyEntry{};
    }

    bool operator==(const ReadyTable &other) const = default;

    static std::size_t index(int day, int deck, int i)
    {
        return static_cast<std::size_t>((day * kReadyDecks + deck - 1) * kReadyEntries + i - 1);
    }
};

// `ReadyBlockRead`: which blocks (day, deck) are present, all false when made.
struct ReadyBlockFlags {
    std::array<bool, kReadyDays * kReadyDecks> flags{};

    bool isSet(int day, int deck) const { return flags[index(day, deck)]; }
    void set(int day, int deck, bool on = true) { flags[index(day, deck)] = on; }
    void setAll(bool on) { flags.fill(on); }

    bool operator==(const ReadyBlockFlags &other) const = default;

    static std::size_t index(int day, int deck) { return static_cast<std::size_t>(day * kReadyDecks + deck - 1); }
};

} // namespace torvel
