#pragma once
// Reading an oven's bake programs into a list as torvelctl's "programs read" and the backup do:
// the oven's capacity first (99 or 11 programs), then the receive of the range.

#include <QList>

#include <optional>

namespace torvel {

class AppState;
class CommandEngine;
class Prompter;
class SheetModel;

struct ProgramListRead {
    bool reachable = false; // the capacity query answered
    int first = 1;
    int last = 0;        // below first: the range was empty and nothing was read
    QList<int> failed;   // programs left with their "ERR:" marker

    int count() const { return last >= first ? last - first + 1 : 0; }
};

// Reads programs first..min(to, capacity) of `oven` into `list` (set up by setupProgramSheet).
// An oven that does not answer is told through the prompter (unless the lost line has said so).
ProgramListRead readProgramList(AppState &state, CommandEngine &engine, Prompter &prompter, int oven, int first,
                                std::optional<int> to, SheetModel &list);

} // namespace torvel
