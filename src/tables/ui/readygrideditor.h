#pragma once
// The day view of the ready table page: the day tabs `TabControl1` ("So" .. "Sa"), the grid
// `BereitGrid` with one day of the window's table, the box `TabEdit` ("Tabelle bearbeiten")
// and the sorted view ("Sortieren (nur Anzeige)"). Edits reach the table when a day is left,
// the grid loses the focus, or after Enter or Tab; Enter moves on to the next cell.

#include "tables/readytable.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QTabBar;

namespace torvel {

class GridView;
class Prompter;
class SheetModel;

class ReadyGridEditor : public QWidget
{
    Q_OBJECT
public:
    // The table and flags are the page's; herdMax tells the decks shown.
    ReadyGridEditor(ReadyTable &table, ReadyBlockFlags &flags, Prompter &prompter, std::function<int()> herdMax,
                    QWidget *parent = nullptr);
    ~ReadyGridEditor() override;

    SheetModel *sheet() const { return m_sheet; }
    GridView *grid() const { return m_grid; }
    QTabBar *dayTabs() const { return m_tabControl1; }
    int day() const;

    // Draws the selected day from the table (the sorted view ends); with checkMissing the decks
    // of that day never read are named first ("Folgende Herde dieses Wochentages ...").
    void ShowReadyTableDay(bool checkMissing);
    // While "Tabelle bearbeiten" is checked: the shown day's grid into the table.
    void CommitReadyGrid();
    // "Tabelle bearbeiten" off, then each deck's entries sorted in the grid only.
    void SortReadyGridView();
    bool sortedView() const { return m_sortedView; }
    void clearSortedView() { m_sortedView = false; }
    bool editing() const;

private:
    void TabEditClick(bool checked);
    void dayChanged(int day);
    void keyDown(int key, bool *handled);
    void editorClosed(int hint);
    void cellEdited(int row, int col);
    void focusChanged(QWidget *old, QWidget *now);
    void moveToNextCell();

    ReadyTable &m_table;
    ReadyBlockFlags &m_flags;
    Prompter &m_prompter;
    std::function<int()> m_herdMax;
    SheetModel *m_sheet;
    GridView *m_grid;
    QTabBar *m_tabControl1;
    QCheckBox *m_tabEdit;
    int m_shownDay = 0;
    bool m_sortedView = false;
};

} // namespace torvel
