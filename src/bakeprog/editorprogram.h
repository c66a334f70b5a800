#pragma once
// One program as the editor shows it: its number (the list row), its name and the 23 value
// texts in ProgramValues order, moved between the list and the editor as texts.

#include <QString>
#include <QStringList>

namespace torvel {

class SheetModel;

struct EditorProgram {
    int number = 1;
    QString name;
    QStringList values; // 23 texts, ProgramValues order (list columns 2 to 24)
};

// Row `row` of the list: column 1 and the texts of columns 2 to 24 as shown.
EditorProgram programFromRow(const SheetModel &list, int row);

// "Übernehmen": writes the program into row `program.number` (1..99): the name into column
// 1 and each text into its column, a whole number as a number (as after a receive), any
// other text as typed. Sets recordModified. False (nothing written) for a row outside 1..99.
bool takeOverIntoList(SheetModel &list, const EditorProgram &program, bool &recordModified);

} // namespace torvel
