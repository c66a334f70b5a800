#pragma once
// The list against what an oven holds: which programs a send would change, and how. The
// list window, torvelctl's "programs diff" and "programs send --changed" (and whatever backs
// up or checks an oven) share this. Programs are compared as the send would write them: the
// name padded or cut to 14 bytes in the display character set, the values x 60 in minute
// columns and reduced to 16 bits, against the bytes the oven returned.

#include "ovenprograms.h"

#include <QList>
#include <QString>

#include <optional>

namespace torvel {

class AppState;
class CommandEngine;
class Prompter;
class ProgramTransferView;
class SheetModel;

// Reads programs first..last of `oven` through the receive into `copy` alone: no list is
// touched. Returns how many arrived whole; *aborted tells an early end (Abbrechen, a lost
// line). Programs that failed stay unknown in `copy`.
int readOvenPrograms(AppState &state, CommandEngine &engine, Prompter &prompter, int oven, int first,
                     int last, OvenPrograms &copy, ProgramTransferView *view = nullptr,
                     bool *aborted = nullptr);

enum class ProgramDiffKind {
    Equal,      // a send would leave the oven as it is
    Differs,    // name or values would change
    OnlyInList, // the list has a program where the oven has none
    OnlyOnOven, // the list has none: a send would delete the oven's program
    NotRead,    // what the oven holds is not known
    NotSent,    // the list row is an "ERR:" marker: never sent
};

struct ProgramDiff {
    int number = 0;
    ProgramDiffKind kind = ProgramDiffKind::Equal;
    bool nameDiffers = false;
    QList<int> columns; // the value columns (2..24) whose sent form differs
    ProgramWire list;   // as the send would write it
    std::optional<ProgramWire> oven;

    // Whether a send of this row changes the oven (or may: an unknown one counts).
    bool needsSending() const { return kind != ProgramDiffKind::Equal && kind != ProgramDiffKind::NotSent; }
};

ProgramDiff compareProgram(const SheetModel &list, int number, const OvenPrograms &oven,
                           const QList<int> &minuteColumns);
QList<ProgramDiff> compareRange(const SheetModel &list, const OvenPrograms &oven, int first, int last,
                                const QList<int> &minuteColumns);
// The programs of first..last a send would change, ascending: those that differ and those
// not known; "ERR:" rows are never sent and left out.
QList<int> programsToSend(const SheetModel &list, const OvenPrograms &oven, int first, int last,
                          const QList<int> &minuteColumns);

struct CompareCounts {
    int equal = 0;
    int differ = 0;
    int onlyInList = 0;
    int onlyOnOven = 0;
    int notRead = 0;
    int notSent = 0;
    int changed() const { return differ + onlyInList + onlyOnOven; }
};
CompareCounts countDiffs(const QList<ProgramDiff> &diffs);

// "Vergleich mit Ofen 3, Programme 1 bis 99: 3 verschieden, 1 nur in der Liste, 0 nur am
// Torvel, 95 gleich."
QString compareSummary(const CompareCounts &counts, int oven, int first, int last, bool aborted);
// One line of a program a send would change: "Programm 7: BZ1 12 -> 14, Name Brot ->
// Brötchen" (the oven's value first), "Programm 12: Semmel kommt neu hinzu", "Programm 40:
// Baguette wird gelöscht"; empty for the other kinds.
QString differenceLine(const ProgramDiff &diff, const QList<int> &minuteColumns);
// A value as the list shows it ("12"); in a minute column that holds no whole minute, in
// seconds ("119 s").
QString programValueText(int column, quint16 stored, const QList<int> &minuteColumns);
// The oven's name as shown: trailing blanks dropped.
QString programNameText(const QByteArray &wireName);

// The question before a send when part of the range is known to be on the oven already.
inline const QString kSendChoiceCaption = QStringLiteral("Backprogramme senden");
// "Backprogramme 1 bis 99, Ofen 3:\r\n3 weichen vom Torvel ab, 96 sind dort schon gleich." and
// how many of the 3 are not known; `changed` counts those too.
QString sendChoiceText(int changed, int unknown, int equal, int first, int last, int oven);
// "Nur geänderte Programme senden (3)", "Alle Programme senden (99)".
QString sendChangedChoice(int changed);
QString sendAllChoice(int all);

// Marks the list: the differing cells with the oven's value as tooltip, the name of a program
// whose values differ, and whole rows found on one side only.
void markDifferences(SheetModel &list, const QList<ProgramDiff> &diffs, const QList<int> &minuteColumns);

} // namespace torvel
