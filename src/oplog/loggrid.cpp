#include "loggrid.h"

#include "shell/sheetmodel.h"

#include <algorithm>

namespace torvel {

QStringList logColumnTitles(LogKind kind)
{
    QStringList titles{QStringLiteral("Nr"), QStringLiteral("Datum"), QStringLiteral("Zeit"),
                       QStringLiteral("Ereignis"), QStringLiteral("Herd")};
    if (kind == LogKind::OperatingData)
        titles << QStringLiteral("PNr") << QStringLiteral("Prg-Namen.");
    else
        titles << QString() << QString();
    return titles;
}

void setupLogGrid(SheetModel &grid, LogKind kind)
{
    grid.beginUpdate();
    grid.clear();
    grid.setMaxCol(kLogGridCols);
    grid.setMaxRow(1);
    const QStringList titles = logColumnTitles(kind);
    // An empty heading would show the column's letter: a blank stands in for it on screen,
    // and the rows of files and printouts (logGridRow) take it as the empty title it is.
    for (int col = 1; col <= kLogGridCols; ++col)
        grid.setColHeading(col, titles.at(col - 1).isEmpty() ? QStringLiteral(" ") : titles.at(col - 1));
    grid.endUpdate();
}

QStringList logRowCells(const OperatingEntry &e)
{
    // A number a file did not hold (-1) is shown as nothing, as it was saved.
    const QString number = e.Number >= 0 ? QString::number(e.Number) : QString();
    const QString deck = e.Deck >= 1   ? QStringLiteral("Herd %1").arg(e.Deck)
                         : e.Deck == 0 ? QStringLiteral("Torvel")
                                       : e.DeckText;
    const QString program = e.Program >= 0 ? QStringLiteral("%1").arg(e.Program, 2, 10, QLatin1Char('0')) : QString();
    return {number, e.Date, e.Time, e.Event, deck, program, e.ProgramName};
}

void ShowOperatingList(SheetModel &grid, const OperatingList &list, bool newestFirst)
{
    const qsizetype count = list.entries.size();
    grid.beginUpdate();
    grid.clear();
    grid.setMaxRow(static_cast<int>(std::max<qsizetype>(1, std::min<qsizetype>(count, SheetModel::kRowLimit))));
    for (qsizetype i = 0; i < count && i < SheetModel::kRowLimit; ++i) {
        const OperatingEntry &e = list.entries.at(newestFirst ? count - 1 - i : i);
        const QStringList cells = logRowCells(e);
        for (int col = 1; col <= kLogGridCols; ++col)
            grid.setText(static_cast<int>(i) + 1, col, cells.at(col - 1));
    }
    grid.endUpdate();
}

QString logPrintTitle(const QString &caption, LogKind kind)
{
    return beginsWithWord(caption, logTitle(kind)) ? caption : logTitle(kind) + QStringLiteral(" Torvel");
}

int logGridRowCount(const SheetModel &grid)
{
    return grid.maxRow() + 1;
}

QStringList logGridRow(const SheetModel &grid, int row)
{
    QStringList cells;
    for (int col = 1; col <= grid.maxCol(); ++col)
        cells << (row == 0 ? grid.colHeading(col).trimmed() : grid.text(row, col));
    return cells;
}

} // namespace torvel
