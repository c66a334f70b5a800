#pragma once
// Everything a soak transfer works with: the simulated line with its seven controllers (the
// truth), the link and program state the transfers run on, the seeded fault mix of each
// transfer, what the last reads left on the grids, and the tally of wrong values.

#include "noisytransport.h"
#include "soakprompter.h"

#include "link/controllerlink.h"
#include "shell/appstate.h"
#include "shell/sheetmodel.h"
#include "simline.h"
#include "oplog/logkind.h"
#include "oplog/operatinglist.h"
#include "tables/gradienttable.h"
#include "tables/readytable.h"
#include "torvel2/torvel2address.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QString>
#include <QTemporaryDir>

namespace torvel::soak {

// Oven 7 of the line is the second-generation controller.
constexpr int kTorvel2Oven = 7;

class SoakRig
{
public:
    explicit SoakRig(quint32 seed);

    quint32 seed() const { return m_seed; }
    sim::SimLine &line() { return *m_line; }
    sim::SimController &controller(int oven) { return m_line->controller(oven); }
    CommandEngine &engine() { return m_link.engine(); }
    AppState &state() { return m_state; }
    SoakPrompter &prompter() { return m_prompter; }
    Torvel2Line torvel2Line() { return Torvel2Line{m_link.engine(), m_prompter, kTorvel2Oven}; }

    // The soak's own choices (ovens, ranges, values), seeded apart from the faults.
    int number(int lowest, int highest) { return lowest + int(m_random.bounded(quint32(highest - lowest + 1))); }
    bool chance(double p) { return m_random.generateDouble() < p; }
    // One of the first-generation ovens 1..6.
    int firstGenerationOven() { return number(1, 6); }

    // The controllers' clocks run on this time, which only the soak moves on.
    QDateTime hostTime() const { return m_hostTime; }

    // What the last reads showed, for the file round trips (empty until a read).
    SheetModel &programList() { return m_programList; }
    SheetModel &nightGrid() { return m_nightGrid; }
    GradientTable &gradient() { return m_gradient; }
    ReadyTable &readyTable() { return m_readyTable; }
    ReadyBlockFlags &readyFlags() { return m_readyFlags; }
    // The log the last read brought, and of which kind.
    OperatingList &logList() { return m_logList; }
    LogKind &logKind() { return m_logKind; }

    // A file name in the soak's own folder.
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    // Picks this transfer's faults (none for about one transfer in five).
    void beginTransfer(int transfer, const char *kind);
    // A transfer of all programs: few faults and no vanishing controller, whose every
    // further frame would cost a whole time-out (a minute and more over 99 programs).
    void longTransfer();
    // A read of the truth through the same code: the faults held back until resumeFaults().
    void pauseFaults();
    void resumeFaults();
    // Clears the faults, brings a vanished controller back, moves the clock on.
    void endTransfer();

    // A value that differs from the truth: counted and told with where it happened.
    void wrong(const QString &what);
    int wrongValues() const { return m_wrong; }
    int corruptedFrames() const { return m_transport->corrupted(); }

private:
    static constexpr double kLongTransferRate = 0.01;
    void setFaults(double rate, bool vanish);

    quint32 m_seed;
    QRandomGenerator m_random;
    AppState m_state;
    ControllerLink m_link;
    NoisyTransport *m_transport = nullptr;
    sim::SimLine *m_line = nullptr;
    SoakPrompter m_prompter;
    QDateTime m_hostTime;
    SheetModel m_programList;
    SheetModel m_nightGrid;
    GradientTable m_gradient;
    ReadyTable m_readyTable;
    ReadyBlockFlags m_readyFlags;
    OperatingList m_logList;
    LogKind m_logKind = LogKind::OperatingData;
    QTemporaryDir m_dir;
    double m_rate = 0;
    double m_pausedRate = 0;
    int m_transfer = 0;
    const char *m_kind = "";
    int m_wrong = 0;
};

} // namespace torvel::soak
