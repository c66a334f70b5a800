#pragma once
// Reading the whole Torvel record of the oven of a Torvel2Line (version, bake programs, night
// starts, gradient table, default ready blocks) and sending it (bake programs, night starts,
// gradient table, ready table). The record page, torvelctl record and torvelctl backup run
// this same code; they differ in the view and the prompter they hand in.

#include "torvel2address.h"
#include "torvel2version.h"

#include <QList>
#include <QString>

namespace torvel {

class AppState;
struct TorvelRecord;

// What a record transfer tells whoever shows it (the record page's labels and gauge).
class RecordTransferView
{
public:
    virtual ~RecordTransferView() = default;
    virtual void setAction(const QString &) {}       // `ActAction`
    virtual void setStatus(const QString &) {}       // `PrgStatus`, the whole text
    virtual void showProgramFields(bool) {}          // `Nummer`, `PrgName`, `PrgNo`
    virtual void setProgram(int, const QString &) {} // `PrgNo` and `PrgName`
    virtual void setProgress(int /*value*/, int /*maximum*/) {}
};

struct RecordTransferOptions {
    // `HerdMax` of the ready table page: the decks the send needs and writes (1..9).
    int herdMax = 9;
    RecordTransferView *view = nullptr;
};

struct RecordTransferResult {
    bool ok = false;
    // The oven answered its address (otherwise its message box was the only report).
    bool addressed = false;
    // Ended by "Abbrechen" (or a program that used up its send tries, or a lost line).
    bool aborted = false;
    // Refused by a check before anything went on the line.
    bool refused = false;
    // The Errors text as shown at the end, entries ended by CR LF.
    QString errors;
    // `PrgStatus` at the end.
    QString status;
    Torvel2Version version;
    // Programs (1..99) whose name or values did not arrive: their names hold an "ERR:" marker.
    QList<int> failedPrograms;
};

// `Gauge1`'s maximum for a record transfer: 396 + 14 * herdMax + 50.
int recordProgressMaximum(int herdMax);

// Reads into `record`. A read that worked clears `NoRecordLoaded` and sets the configuration's
// version text ("4.00 r25"); anything else sets it. Holds the line (TransferGuard) from the
// first frame to the last and takes `AbortFlag` of `state` (cleared at start and end).
RecordTransferResult ReadTorvelRecord(const Torvel2Line &line, AppState &state, TorvelRecord &record,
                                      const RecordTransferOptions &options = {});

// Checks, then sends `record`. The record changes only by the "  ----" marks of the night
// start check.
RecordTransferResult SendTorvelRecord(const Torvel2Line &line, AppState &state, TorvelRecord &record,
                                      const RecordTransferOptions &options = {});

} // namespace torvel
