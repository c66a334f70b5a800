#pragma once
// What the pages "Betriebsdaten" and "Fehler-Liste" of the Torvel2 window share: a log in its
// grid, read from and cleared in the window's oven, saved, opened and printed; a debug panel
// (shown with the MODEM switch) with the first entry to read, ReadComplete, IgnoreError and
// the endurance test. Each kind names its controls itself (OperatingDataPage, ErrorListPage).

#include "oplog/logkind.h"

#include <QWidget>

#include <functional>
#include <memory>

class QCheckBox;
class QPrinter;
class QPushButton;
class QSpinBox;
class QTimer;

namespace torvel {

class GridView;
class SheetModel;
class Torvel2Context;
struct OperatingList;

class LogPage : public QWidget
{
    Q_OBJECT
public:
    // The control names of one kind's page.
    struct Names {
        const char *sheet;        // BDataSheet
        const char *grid;         // BetriebsDatenGrid
        const char *read;         // GetData
        const char *clear;        // ClearData
        const char *save;         // SaveBData
        const char *open;         // OpenBData
        const char *print;        // Drucken
        const char *offset;       // HiOff
        const char *readComplete; // ReadComplete
        const char *ignoreError;  // IgnoreError
        const char *endurance;    // BDatenDauertest
        const char *enduranceText;
        const char *saveDebug; // Button5, or null
    };

    // An endurance test reads again this long after a read has returned (the box can be
    // unchecked meanwhile).
    static constexpr int kEnduranceGapMs = 300;

    LogPage(Torvel2Context &ctx, LogKind kind, const Names &names, QWidget *parent = nullptr);
    ~LogPage() override;

    LogKind kind() const { return m_kind; }
    SheetModel *sheet() const { return m_sheet; }

    void ReadClick();  // "Lesen"
    void ClearClick(); // "Löschen"
    void SaveClick();  // "Speichern": `SaveOperatingFile`
    void OpenClick();  // "Öffnen": `OpenOperatingFile`
    void PrintClick(); // "Drucken": `PrintOperatingList`

    // The printer a print goes to; unset: the system's default printer. Tests print to PDF.
    std::function<std::unique_ptr<QPrinter>()> makePrinter;

private:
    bool readOnce(bool showMessages, bool endurance);
    void enduranceTick();
    QString enduranceEnded() const;
    bool ignoreError() const;
    void showList(const OperatingList &list, bool newestFirst);
    QList<int> columnWidths() const;

    Torvel2Context &m_ctx;
    LogKind m_kind;
    SheetModel *m_sheet;
    GridView *m_grid;
    QSpinBox *m_offset;
    QCheckBox *m_readComplete;
    QCheckBox *m_ignoreError;
    QCheckBox *m_endurance;
    QTimer *m_enduranceTimer;
    int m_enduranceRounds = 0;
};

} // namespace torvel
