#pragma once
// What the frame needs of the bake program list to load single-program files (.BPR,
// .TBP) one after the other into consecutive rows.

#include "filerouting.h"

#include <QString>

namespace torvel {

class SingleProgramTarget
{
public:
    virtual ~SingleProgramTarget() = default;
    // The list's current row (1..99).
    virtual int currentProgramRow() const = 0;
    // Loads one program file into the current row and moves the current row down by one
    // unless it is the last row.
    virtual void loadSingleProgram(FileKind kind, const QString &fileName) = 0;
};

} // namespace torvel
