#include "recfile.h"

#include "bakeprogram.h"
#include "programsheet.h"
#include "shell/sheetmodel.h"
#include "shell/workbookfile.h"

#include <cmath>

namespace torvel {

namespace {
constexpr int kFirstSecondsRow = 2;
constexpr int kLastSecondsRow = 24;

void convertSecondsRows(SheetModel &sheet, const QList<int> &minuteColumns, bool toSeconds)
{
    for (int row = kFirstSecondsRow; row <= kLastSecondsRow; ++row) {
        for (int col : minuteColumns) {
            if (col < 2 || col > kProgramValueCount + 1 || !sheet.isNumber(row, col))
                continue;
            const double v = sheet.number(row, col);
            // std::trunc, not a cast to an integer: a file may hold numbers beyond 64 bits.
            // Adding 0.0 turns a -0 (from -30 seconds) into 0.
            const double converted = (toSeconds ? v * 60.0 : std::trunc(v / 60.0)) + 0.0;
            if (std::isfinite(converted))
                sheet.setNumber(row, col, converted);
        }
    }
}

void copyCells(const SheetModel &from, SheetModel &to)
{
    to.beginUpdate();
    to.clear();
    to.setSheetName(from.sheetName());
    for (auto it = from.cells().cbegin(); it != from.cells().cend(); ++it)
        to.setCell(it.key().first, it.key().second, it.value());
    to.setPrintArea(from.printArea());
    to.setPrintHeadings(from.printHeadings());
    to.setLandscape(from.landscape());
    to.setPrintScale(from.printScale());
    to.endUpdate();
}
} // namespace

bool saveRecFile(const SheetModel &list, const QString &fileName, const QList<int> &minuteColumns, QString *error)
{
    SheetModel copy;
    copy.setMaxRow(list.maxRow());
    copy.setMaxCol(list.maxCol());
    copyCells(list, copy);
    convertSecondsRows(copy, minuteColumns, true);
    return saveWorkbook(copy, fileName, error);
}

bool loadRecFile(const QString &fileName, SheetModel &list, const QList<int> &minuteColumns, QString *error)
{
    SheetModel loaded;
    loaded.setMaxRow(kMaxProgramNumber);
    loaded.setMaxCol(kProgramValueCount + 1);
    if (!loadWorkbook(fileName, loaded, error))
        return false;
    convertSecondsRows(loaded, minuteColumns, false);
    copyCells(loaded, list);
    list.setMaxCol(kProgramValueCount + 1);
    list.setMaxRow(kMaxProgramNumber);
    return true;
}

} // namespace torvel
