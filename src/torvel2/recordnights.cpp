#include "recordnights.h"

#include "nightstart/nightcheck.h"
#include "nightstart/nightstartgrid.h"
#include "shell/sheetmodel.h"

namespace torvel {

namespace {
void fillGrid(SheetModel &grid, const TorvelRecord &record)
{
    setupNightStartGrid(grid);
    for (int k = 0; k < kNightRecordBytes; ++k)
        grid.setText(nightRowOf(k), nightColOf(k),
                     record.nightStarts[static_cast<std::size_t>(k / 4)][static_cast<std::size_t>(k % 4)]);
}

void takeGrid(const SheetModel &grid, TorvelRecord &record)
{
    for (int k = 0; k < kNightRecordBytes; ++k)
        record.nightStart(k / 4 + 1, k % 4 + 1) = grid.text(nightRowOf(k), nightColOf(k));
}
} // namespace

void putNightRecordIntoRecord(TorvelRecord &record, const NightStartRecord &wire)
{
    SheetModel grid;
    setupNightStartGrid(grid);
    putNightRecord(grid, wire);
    takeGrid(grid, record);
}

std::optional<QString> invalidRecordNightEntry(const TorvelRecord &record)
{
    SheetModel grid;
    fillGrid(grid, record);
    if (const auto problem = findInvalidNightCell(grid))
        return nightCellProblemText(*problem);
    return std::nullopt;
}

NightStartRecord markAndBuildNightRecord(TorvelRecord &record)
{
    SheetModel grid;
    fillGrid(grid, record);
    markIncompleteNightStarts(grid);
    takeGrid(grid, record);
    return nightRecordFromGrid(grid);
}

} // namespace torvel
