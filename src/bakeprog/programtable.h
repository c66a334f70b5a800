#pragma once
// Programs 1 to 99 as the files carry them: names and values in the controller's units.

#include "bakeprogram.h"

#include <QList>

namespace torvel {

class SheetModel;

struct ProgramTable {
    QList<BakeProgram> programs; // index n - 1 holds program n

    ProgramTable();
    BakeProgram &at(int number) { return programs[number - 1]; }
    const BakeProgram &at(int number) const { return programs[number - 1]; }
};

// A number from a cell or a file in the controller's units: x 60 in a minute column, rounded
// to the nearest integer (ties to even) in 64 bits, then reduced to 16 bits. Infinite or
// absurd numbers count as 0.
quint16 fileValue(double number, int column, const QList<int> &minuteColumns);

// The grid's programs 1 to 99 in file units.
ProgramTable tableFromSheet(const SheetModel &sheet, const QList<int> &minuteColumns);
// Rows whose name is an "ERR:" marker hold no program that arrived: they become programs
// without name and values, so no file ever offers a marker as a program to an oven's USB
// import. Returns how many there were.
int blankFaultyPrograms(ProgramTable &table);

// Writes programs 1..lastNumber into the grid (names in column 1, values in display units).
void tableToSheet(const ProgramTable &table, int lastNumber, SheetModel &sheet, const QList<int> &minuteColumns);

} // namespace torvel
