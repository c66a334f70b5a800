#include "nightcheck.h"

#include "nightstartgrid.h"

#include "clock/clocktexts.h"
#include "shell/sheetmodel.h"

namespace torvel {

namespace {
// The number in a cell that counts as set; nullopt for an unset cell.
std::optional<int> setValue(const SheetModel &grid, int row, int col)
{
    const QString text = grid.text(row, col);
    int value = 0;
    if (isUnsetNightText(text) || !parseNightNumber(text, &value))
        return std::nullopt;
    return value;
}
} // namespace

std::optional<NightCellProblem> findInvalidNightCell(const SheetModel &grid)
{
    for (int k = 0; k < kNightRecordBytes; ++k) {
        const int row = nightRowOf(k);
        const int col = nightColOf(k);
        const QString text = grid.text(row, col);
        if (!isUnsetNightText(text) && !parseNightNumber(text, nullptr))
            return NightCellProblem{row, col, text};
    }
    return std::nullopt;
}

QString nightCellProblemDescription(const NightCellProblem &problem)
{
    return QStringLiteral("%1, %2: \"%3\" ist keine ganze Zahl.")
        .arg(dayName(problem.row - kNightFirstValueRow), nightColumnHeading(problem.col), problem.text);
}

QString nightCellProblemText(const NightCellProblem &problem)
{
    return QStringLiteral("Nachtstartzeiten wurden nicht übertragen:\r\n") + nightCellProblemDescription(problem);
}

void markIncompleteNightStarts(SheetModel &grid)
{
    for (int row = kNightFirstValueRow; row <= kNightRows; ++row) {
        for (int hourCol : {2, 4}) {
            if (!setValue(grid, row, hourCol))
                continue;
            const int minute = setValue(grid, row, hourCol + 1).value_or(60);
            if (minute < 0 || minute > 59) {
                grid.setText(row, hourCol + 1, nightmarker::kChecked);
                grid.setText(row, hourCol, nightmarker::kChecked);
            }
        }
    }
}

NightStartRecord nightRecordFromGrid(const SheetModel &grid)
{
    NightStartRecord record = unsetNightRecord();
    for (int k = 0; k < kNightRecordBytes; ++k) {
        if (const auto value = setValue(grid, nightRowOf(k), nightColOf(k)))
            record[k] = nightBcd(*value);
    }
    return record;
}

} // namespace torvel
