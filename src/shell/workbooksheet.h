#pragma once
// Reads one worksheet part: its cells and page settings. Anything past the grid's
// limits (SheetModel::kRowLimit x kColLimit) makes the whole sheet TooLarge.

#include "workbookstatus.h"

#include <QByteArray>
#include <QStringList>

namespace torvel {

struct WorkbookData;

// Fills data->cells and data->print (all but the print area, which the workbook part holds).
WorkbookStatus parseSheetPart(const QByteArray &xml, const QStringList &sharedStrings, WorkbookData *data);

} // namespace torvel
