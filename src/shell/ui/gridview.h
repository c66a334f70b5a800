#pragma once
// The spreadsheet grid the windows embed: a SheetModel's title above a table view, its corner
// text in the corner. Cursor, selection and top row follow the sheet both ways, so windows
// work on the sheet alone. Typing starts editing in place; the key hooks let a window act on
// keys or filter the characters typed (in the grid and in the cell editor alike).

#include "shell/sheetmodel.h"

#include <QColor>
#include <QWidget>

#include <functional>

class QKeyEvent;
class QLabel;
class QTableView;

namespace torvel {

class SheetTableModel;
class GridTable;
class FrozenColumn;

class GridView : public QWidget
{
    Q_OBJECT
public:
    explicit GridView(SheetModel *sheet, QWidget *parent = nullptr);
    ~GridView() override;

    SheetModel *sheet() const { return m_sheet; }
    SheetTableModel *tableModel() const { return m_model; }
    QTableView *table() const;
    QLabel *titleLabel() const { return m_title; }
    QLabel *cornerLabel() const { return m_corner; }

    // The background a marked cell gets (invalid for CellMark::None); its tooltip tells more.
    static QColor markColour(CellMark mark);

    // Keeps the first column in view while the others scroll sideways (0 or 1 columns).
    void setFrozenColumns(int count);
    QTableView *frozenColumn() const;
    // Looks at what the user typed into a cell before it is stored; false keeps the cell as
    // it was (the check tells the user why).
    using EditCheck = std::function<bool(int row, int col, const QString &text)>;
    void setEditCheck(EditCheck check) { m_editCheck = std::move(check); }

signals:
    // Rows and columns are 1-based, as in the sheet.
    void clicked(int row, int col);
    void doubleClicked(int row, int col);
    // Every key pressed on the grid while no cell is being edited; set *handled to keep the
    // grid from acting on it.
    void keyDown(int key, Qt::KeyboardModifiers modifiers, bool *handled);
    // Every printable character typed, in the grid or the cell editor; replace *ch to type
    // another character, or set it to QChar() to swallow it. Backspace, Enter, Tab and
    // Escape never come here.
    void keyPress(QChar *ch);
    // The user changed a cell by typing (after the edit check let it through).
    void cellEdited(int row, int col);

private:
    friend class GridTable;
    friend class GridKeyFilter;
    friend class GridDelegate;
    // Runs the hooks on a key event: false when a hook swallowed it, else true with
    // *replacement set when the character typed is to be another one.
    bool filterKey(QKeyEvent *event, bool editing, QChar *replacement);
    bool isPassing(const QEvent *event) const { return event == m_passing; }

    void showTitle();
    void showCurrentCell();
    void showSelection();
    void showTopRow();
    void takeCurrentCell();
    void takeSelection();
    void takeTopRow(int value);

    SheetModel *m_sheet;
    SheetTableModel *m_model;
    EditCheck m_editCheck;
    GridTable *m_table;
    QLabel *m_title;
    QLabel *m_corner;
    FrozenColumn *m_frozen = nullptr;
    // The key event being handed on after filtering, so the editor's filter lets it pass.
    const QEvent *m_passing = nullptr;
    // Set while one side is being brought in line with the other, to break the echo.
    bool m_syncing = false;
    // Set while the table scrolls on its own when shown, which is no user scrolling.
    bool m_holdTopRow = false;
};

} // namespace torvel
