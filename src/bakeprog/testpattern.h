#pragma once
// The service test pattern: computed programs written into the list and later checked, e.g.
// after sending them to a controller and reading them back.

#include "programtable.h"

#include <QString>

namespace torvel {

class SheetModel;

struct TestPatternOptions {
    bool countUp = false;      // DefRec_UP: numbers count up from 1, else down from maxPrograms
    int maxPrograms = 99;      // MaxPrograms, the start when counting down
    bool withGaps = false;     // MitLuecken: positions 3, 5, 7 of every ten stay empty
    bool shortNames = false;   // NameShort: "Test07" instead of "Test________07"
};

// Positions 1 to 99, values in the list's display units (no seconds conversion).
ProgramTable testPattern(const TestPatternOptions &options);

// Rows 1..rows get the pattern: the name in column 1, the values as numbers.
void fillTestPattern(SheetModel &list, const TestPatternOptions &options, int rows);

struct TestPatternCheck {
    bool ok = false;
    QString errors;  // "05-03; " per difference, each faulty row ended by "\r\n"
    QString caption; // "O.K." or "Fehler"
    QString text;    // "Alles O.K." or "ACHTUNG FEHLER:\r\n" + errors
};

// Compares rows 1..rows with the pattern; the list is not changed. With
// ignoreTrailingBlanks, names are compared without trailing blanks on either side.
TestPatternCheck checkTestPattern(const SheetModel &list, const TestPatternOptions &options, int rows,
                                  bool ignoreTrailingBlanks);

} // namespace torvel
