#include "workbookdata.h"

#include "sheetmodel.h"

#include <algorithm>

namespace torvel {

int WorkbookData::lastRow() const
{
    int last = 0;
    for (const WorkbookCell &cell : cells)
        last = std::max(last, cell.row);
    return last;
}

int WorkbookData::lastCol() const
{
    int last = 0;
    for (const WorkbookCell &cell : cells)
        last = std::max(last, cell.col);
    return last;
}

WorkbookData workbookDataFrom(const SheetModel &model)
{
    WorkbookData data;
    data.sheetName = model.sheetName();
    const SheetModel::Cells &cells = model.cells();
    data.cells.reserve(cells.size());
    for (auto it = cells.cbegin(); it != cells.cend(); ++it)
        data.cells.append(WorkbookCell{it.key().first, it.key().second, it.value()});
    data.print.landscape = model.landscape();
    data.print.scale = model.printScale();
    data.print.area = model.printArea();
    data.print.headings = model.printHeadings();
    return data;
}

void applyWorkbookData(const WorkbookData &data, SheetModel &model)
{
    model.beginUpdate();
    model.setMaxRow(std::max(model.maxRow(), data.lastRow()));
    model.setMaxCol(std::max(model.maxCol(), data.lastCol()));
    model.clear();
    for (const WorkbookCell &cell : data.cells)
        model.setCell(cell.row, cell.col, cell.value);
    model.setSheetName(data.sheetName);
    model.setLandscape(data.print.landscape);
    model.setPrintScale(data.print.scale);
    model.setPrintArea(data.print.area);
    model.setPrintHeadings(data.print.headings);
    model.endUpdate();
}

} // namespace torvel
