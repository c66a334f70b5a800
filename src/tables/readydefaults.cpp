#include "readydefaults.h"

#include "readyblock.h"
#include "readytexts.h"

namespace torvel {

namespace {
constexpr int kDefaultWoche = 30;
constexpr int kDefaultStep = 42;
constexpr int kDefaultLastMinute = 1386; // the 100th multiple of 14 minutes
} // namespace

void setDefaultReadyBlock(ReadyTable &table, int day, int deck, bool debug)
{
    // Three runs of 42-minute steps, offset by 0, 14 and 28 minutes: 34, 33 and 33 entries.
    int i = 1;
    for (int offset = 0; offset < kDefaultStep; offset += 14)
        for (int minutes = offset; minutes <= kDefaultLastMinute; minutes += kDefaultStep)
            table.entry(day, deck, i++) = {kDefaultWoche, minutes};
    for (; i <= kReadyEntries; ++i)
        table.entry(day, deck, i) = ReadyEntry{};
    if (debug) {
        table.entry(day, deck, 1) = {kDefaultWoche, day * 60 + deck};
        table.entry(day, deck, kReadyEntries) = {kDefaultWoche, (day + 10) * 60 + deck + 10};
    }
}

ReadyTable defaultReadyTable()
{
    ReadyTable table;
    for (int day = 0; day < kReadyDays; ++day)
        for (int deck = 1; deck <= kReadyDecks; ++deck)
            setDefaultReadyBlock(table, day, deck, false);
    return table;
}

QByteArray BuildDefaultReadyBlock(int day, int deck, bool debug)
{
    ReadyTable table;
    setDefaultReadyBlock(table, day, deck, debug);
    return readyBlockFrame(readyBlockData(table, day, deck));
}

QString CheckReadyTableAgainstDefaults(const ReadyTable &table, int herdMax, bool debug)
{
    QString differing;
    for (int day = 0; day < kReadyDays; ++day)
        for (int deck = 1; deck <= herdMax && deck <= kReadyDecks; ++deck)
            if (readyBlockData(table, day, deck) != BuildDefaultReadyBlock(day, deck, debug).left(kReadyBlockDataBytes))
                differing += readytext::blockLine(day, deck);
    return readytext::defaultsReport(differing);
}

} // namespace torvel
