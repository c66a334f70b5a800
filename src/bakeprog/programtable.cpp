#include "programtable.h"

#include "programsheet.h"
#include "shell/sheetmodel.h"

#include <cmath>

namespace torvel {

ProgramTable::ProgramTable()
{
    programs.resize(kMaxProgramNumber);
    for (int n = 1; n <= kMaxProgramNumber; ++n)
        programs[n - 1].number = n;
}

quint16 fileValue(double number, int column, const QList<int> &minuteColumns)
{
    double x = isMinuteColumn(column, minuteColumns) ? number * 60.0 : number;
    if (!std::isfinite(x) || std::fabs(x) > 9.0e18)
        return 0;
    const auto rounded = static_cast<qint64>(std::nearbyint(x)); // ties to even
    return static_cast<quint16>(static_cast<quint64>(rounded) & 0xFFFF);
}

ProgramTable tableFromSheet(const SheetModel &sheet, const QList<int> &minuteColumns)
{
    ProgramTable table;
    for (int n = 1; n <= kMaxProgramNumber; ++n) {
        BakeProgram &p = table.at(n);
        p.name = sheet.text(n, 1);
        for (int i = 0; i < kProgramValueCount; ++i) {
            bool ok = false;
            const double number = sheet.number(n, i + 2, &ok);
            p.values[i] = ok ? fileValue(number, i + 2, minuteColumns) : 0;
        }
    }
    return table;
}

int blankFaultyPrograms(ProgramTable &table)
{
    int blanked = 0;
    for (BakeProgram &p : table.programs) {
        if (!isFaultyName(p.name))
            continue;
        p.name.clear();
        p.values = {};
        ++blanked;
    }
    return blanked;
}

void tableToSheet(const ProgramTable &table, int lastNumber, SheetModel &sheet, const QList<int> &minuteColumns)
{
    sheet.beginUpdate();
    for (int n = 1; n <= lastNumber && n <= kMaxProgramNumber; ++n)
        putProgram(sheet, n, table.at(n).name, table.at(n).values, minuteColumns);
    sheet.endUpdate();
}

} // namespace torvel
