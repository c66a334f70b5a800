#include "nightstartgrid.h"

#include "clock/clocktexts.h"
#include "link/bytes.h"
#include "shell/sheetmodel.h"

#include <QStringList>

namespace torvel {

QString nightColumnHeading(int col)
{
    static const QStringList headings{QStringLiteral("Std1"), QStringLiteral("Min1"), QStringLiteral("Std2"),
                                      QStringLiteral("Min2")};
    return col >= 2 && col <= 5 ? headings.at(col - 2) : QString();
}

void setupNightStartGrid(SheetModel &grid)
{
    grid.beginUpdate();
    grid.setMaxRow(kNightRows);
    grid.setMaxCol(kNightCols);
    grid.setSheetName(kNightSheetName);
    for (int d = 0; d < kNightDays; ++d)
        grid.setText(kNightFirstValueRow + d, 1, dayName(d));
    for (int col = 2; col <= kNightCols; ++col)
        grid.setText(1, col, nightColumnHeading(col));
    grid.endUpdate();
}

QString nightReceivedSheetName(int oven)
{
    return kNightSheetName + QStringLiteral("_Ofen_") + QString::number(oven);
}

bool isUnsetNightText(const QString &text)
{
    return text.isEmpty() || text.contains(QLatin1String("--"));
}

bool parseNightNumber(const QString &text, int *value)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    if (ok && value)
        *value = v;
    return ok;
}

void clearNightValues(SheetModel &grid)
{
    grid.clearRange(SheetModel::range(kNightFirstValueRow, kNightFirstValueCol, kNightRows, kNightCols));
}

void putNightRecord(SheetModel &grid, const NightStartRecord &record)
{
    grid.beginUpdate();
    for (int k = 0; k < kNightRecordBytes; ++k) {
        const int row = nightRowOf(k);
        const int col = nightColOf(k);
        const quint8 b = record[k];
        grid.setNumber(row, col, BcdToInt(b));
        if (isHourByte(k)) {
            if (nightHourUnset(b))
                grid.setText(row, col, nightmarker::kRead);
            continue;
        }
        if (nightHourUnset(record[k - 1]))
            grid.setText(row, col, nightmarker::kRead);
        if (nightMinuteUnset(b)) {
            grid.setText(row, col, nightmarker::kRead);
            grid.setText(row, col - 1, nightmarker::kRead);
        }
    }
    grid.endUpdate();
}

} // namespace torvel
