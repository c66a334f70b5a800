#pragma once
// The page "Bereittabelle" (`BereitTabSheet`) of the Torvel2 window: the window's ready table
// one day at a time (ReadyGridEditor), single blocks read and set ("Einzelwerte"), the whole
// table read and sent and the defaults sent ("Komplett"), the .TBT file, and the debug panel
// shown with `ModemStartup`.

#include "tables/readytable.h"

#include <QWidget>

class QCheckBox;
class QSpinBox;

namespace torvel {

class ReadyGridEditor;
class Torvel2Context;

class ReadyTablePage : public QWidget
{
    Q_OBJECT
public:
    ReadyTablePage(Torvel2Context &ctx, QWidget *parent = nullptr);

    const ReadyTable &table() const { return m_table; }
    const ReadyBlockFlags &flags() const { return m_flags; }
    ReadyGridEditor *editor() const { return m_editor; }

    // Run once, on the window's first activation, and by "TabInit": every block of decks
    // 1..`HerdMax` empty (and no longer counted as read), the day drawn.
    void InitReadyTable();

    void GetBTableClick();          // "Lesen": the block of `WochTag` and `HerdNo`
    void SetBTableClick();          // "Setzen"
    void BTabKomplettClick();       // "Tabelle lesen"
    void SetBTableCompleteClick();  // "Tabelle senden"
    void SetStartDefaultsClick();   // "Default-Werte senden"
    void DoCheckBereittabClick();   // the default comparison of the window's table
    void SaveReadyFile();           // "Tabelle speichern"
    void OpenReadyFile();           // "Tabelle öffnen"

private:
    int herdMax() const;
    bool debugDefaults() const;
    // The spin edits follow the block in progress of a complete operation (false: stop, the
    // window closes); restoreSpins gives them their earlier values back.
    bool followBlock(int day, int deck, int step);
    void rememberSpins();
    void restoreSpins();

    Torvel2Context &m_ctx;
    ReadyTable m_table;
    ReadyBlockFlags m_flags;
    ReadyGridEditor *m_editor;
    QSpinBox *m_wochTag;
    QSpinBox *m_herdNo;
    QSpinBox *m_herdMax;
    QCheckBox *m_debugDefaults;
    QCheckBox *m_defaultCheck;
    int m_savedDay = 0;
    int m_savedDeck = 1;
};

} // namespace torvel
