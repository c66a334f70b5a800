#include "readygrid.h"

#include "readytime.h"

#include "shell/sheetmodel.h"

#include <QStringList>

#include <algorithm>

namespace torvel {

namespace {
int decksOf(int herdMax)
{
    return std::clamp(herdMax, 1, kReadyDecks);
}

void showEntry(SheetModel &grid, int deck, int i, const ReadyEntry &e)
{
    const int row = readyEntryRow(deck, i);
    grid.setNumber(row, readyWocheCol(i), e.woche);
    grid.setText(row, readyWocheCol(i) + 1, readyTimeText(e.minutes));
}
} // namespace

void setupReadyGrid(SheetModel &grid)
{
    grid.setMaxCol(kReadyGridCols);
    for (int col = 1; col <= kReadyGridCols; ++col)
        grid.setColHeading(col, isReadyTimeCol(col) ? QStringLiteral("Zeit") : QStringLiteral("Wo"));
}

int readyDeckRow(int deck)
{
    return (deck - 1) * kReadyDeckRows + 1;
}

int readyEntryRow(int deck, int i)
{
    return readyDeckRow(deck) + 1 + (i - 1) / 4;
}

int readyWocheCol(int i)
{
    return 2 * ((i - 1) % 4) + 1;
}

bool isReadyTimeCol(int col)
{
    return col % 2 == 0;
}

void drawReadyDay(SheetModel &grid, const ReadyTable &table, int day, int herdMax)
{
    const int decks = decksOf(herdMax);
    grid.beginUpdate();
    grid.clear();
    grid.setMaxRow(decks * kReadyDeckRows);
    for (int deck = 1; deck <= decks; ++deck) {
        for (int col = 1; col <= kReadyGridCols; ++col)
            grid.setText(readyDeckRow(deck), col,
                         isReadyTimeCol(col) ? QStringLiteral("HERD%1").arg(deck) : QStringLiteral("XX"));
        for (int i = 1; i <= kReadyEntries; ++i)
            showEntry(grid, deck, i, table.entry(day, deck, i));
    }
    grid.endUpdate();
}

QString missingReadyDecks(const ReadyBlockFlags &flags, int day, int herdMax)
{
    QString list;
    for (int deck = 1; deck <= decksOf(herdMax); ++deck)
        if (!flags.isSet(day, deck))
            list += QStringLiteral("%1-").arg(deck);
    return list;
}

ReadyEntry readyGridEntry(SheetModel &grid, int deck, int i)
{
    const int row = readyEntryRow(deck, i);
    const int col = readyWocheCol(i);
    if (row > grid.maxRow())
        return {};
    bool ok = false;
    const int woche = grid.text(row, col).trimmed().toInt(&ok, 10);
    if (!ok || woche < 0 || woche >= kReadyEmptyWoche)
        return {};
    const QString typed = grid.text(row, col + 1);
    const QString time = NormalizeTimeText(typed);
    if (time != typed)
        grid.setText(row, col + 1, time);
    const auto minutes = timeOfDayMinutes(time);
    if (!minutes)
        return {};
    return {woche, *minutes};
}

void commitReadyDay(SheetModel &grid, ReadyTable &table, ReadyBlockFlags &flags, int day)
{
    grid.beginUpdate();
    for (int deck = 1; deck <= kReadyDecks; ++deck) {
        const bool hasRows = readyDeckRow(deck) <= grid.maxRow();
        if (!hasRows && !table.blockEmpty(day, deck))
            flags.set(day, deck, false); // emptied without the user seeing it: never sent so
        for (int i = 1; i <= kReadyEntries; ++i)
            table.entry(day, deck, i) = readyGridEntry(grid, deck, i);
    }
    grid.endUpdate();
}

void sortReadyDayView(SheetModel &grid, int herdMax)
{
    grid.beginUpdate();
    for (int deck = 1; deck <= decksOf(herdMax); ++deck) {
        QStringList keys;
        for (int i = 1; i <= kReadyEntries; ++i) {
            const ReadyEntry e = readyGridEntry(grid, deck, i);
            keys << QString::asprintf("%.2d-%.4d", e.woche, e.minutes);
        }
        keys.sort();
        for (int i = 1; i <= kReadyEntries; ++i) {
            const QStringList parts = keys.at(i - 1).split(QLatin1Char('-'));
            showEntry(grid, deck, i, {parts.at(0).toInt(), parts.at(1).toInt()});
        }
    }
    grid.endUpdate();
}

void emptyReadyDecks(ReadyTable &table, ReadyBlockFlags &flags, int herdMax)
{
    for (int day = 0; day < kReadyDays; ++day) {
        for (int deck = 1; deck <= decksOf(herdMax); ++deck) {
            table.emptyBlock(day, deck);
            flags.set(day, deck, false);
        }
    }
}

} // namespace torvel
