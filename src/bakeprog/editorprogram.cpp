#include "editorprogram.h"

#include "bakeprogram.h"
#include "shell/sheetmodel.h"

#include <cmath>

namespace torvel {

EditorProgram programFromRow(const SheetModel &list, int row)
{
    EditorProgram p;
    p.number = row;
    p.name = list.text(row, 1);
    for (int i = 0; i < kProgramValueCount; ++i)
        p.values.append(list.text(row, i + 2));
    return p;
}

namespace {
// Whole-number texts ("12", "-5") become numbers so the USB writers read them; a 64-bit
// parse keeps absurd digit strings out of the double.
void putText(SheetModel &list, int row, int col, const QString &text)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok, 10);
    if (ok && std::llabs(v) < (qint64(1) << 53))
        list.setNumber(row, col, static_cast<double>(v));
    else
        list.setText(row, col, text);
}
} // namespace

bool takeOverIntoList(SheetModel &list, const EditorProgram &program, bool &recordModified)
{
    if (program.number < 1 || program.number > kMaxProgramNumber)
        return false;
    list.beginUpdate();
    list.setText(program.number, 1, program.name);
    for (int i = 0; i < kProgramValueCount; ++i)
        putText(list, program.number, i + 2, program.values.value(i));
    list.endUpdate();
    recordModified = true;
    return true;
}

} // namespace torvel
