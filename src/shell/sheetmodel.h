#pragma once
// The data behind a spreadsheet grid (bake program list, night start times): cells,
// headings, cursor and print settings. No drawing here, so files and tests use it too.
//
// Cells are 1-based (row, col). A range is a QRect with x = column and y = row, so
// QRect::left() is the first column and QRect::top() the first row; use range() to build one.

#include <QMap>
#include <QObject>
#include <QRect>
#include <QString>
#include <QVariant>

#include <utility>

namespace torvel {

// A cell's mark, e.g. where a compare found the other side different. Marks are a display
// matter: never saved, printed or copied; any change of the cells clears them all, since
// they describe the cells as they were.
enum class CellMark {
    None,
    Differs,    // this cell differs from the other side
    RowDiffers, // something else in this row differs (marks the row's key cell)
    OnlyHere,   // the row exists here only
    OnlyThere,  // the row exists on the other side only
};

class SheetModel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int MaxRow READ maxRow WRITE setMaxRow NOTIFY sizeChanged)
    Q_PROPERTY(int MaxCol READ maxCol WRITE setMaxCol NOTIFY sizeChanged)
    Q_PROPERTY(QString SheetName READ sheetName WRITE setSheetName NOTIFY sheetNameChanged)
    Q_PROPERTY(int TopRow READ topRow WRITE setTopRow NOTIFY topRowChanged)
    Q_PROPERTY(QString Title READ title WRITE setTitle NOTIFY headingsChanged)
    Q_PROPERTY(QString CornerText READ cornerText WRITE setCornerText NOTIFY headingsChanged)
    Q_PROPERTY(QRect Selection READ selection WRITE setSelection NOTIFY selectionChanged)
    Q_PROPERTY(QRect PrintArea READ printArea WRITE setPrintArea NOTIFY printSetupChanged)
    Q_PROPERTY(bool PrintHeadings READ printHeadings WRITE setPrintHeadings NOTIFY printSetupChanged)
    Q_PROPERTY(bool Landscape READ landscape WRITE setLandscape NOTIFY printSetupChanged)
    Q_PROPERTY(int PrintScale READ printScale WRITE setPrintScale NOTIFY printSetupChanged)

public:
    // The largest grid any window asks for; workbook files beyond it are refused.
    static constexpr int kRowLimit = 65536;
    static constexpr int kColLimit = 256;
    // A spreadsheet cell holds at most this many characters.
    static constexpr int kTextLimit = 32767;
    static constexpr int kMinPrintScale = 10;
    static constexpr int kMaxPrintScale = 400;

    // Ordered row by row, then column: the order files and views walk the cells in.
    using CellKey = std::pair<int, int>;
    using Cells = QMap<CellKey, QVariant>;

    explicit SheetModel(QObject *parent = nullptr);

    // The rectangle from (row1, col1) to (row2, col2), corners in any order.
    static QRect range(int row1, int col1, int row2, int col2);
    // A number as a spreadsheet shows it in the General format: 60 -> "60", 2.5 -> "2.5".
    static QString formatNumber(double value);

    int maxRow() const { return m_maxRow; }
    int maxCol() const { return m_maxCol; }
    // Clamped to 1..kRowLimit / 1..kColLimit. Shrinking drops cells and headings outside.
    void setMaxRow(int rows);
    void setMaxCol(int cols);
    bool contains(int row, int col) const;
    QRect bounds() const { return range(1, 1, m_maxRow, m_maxCol); }

    // Invalid QVariant for an empty cell, else a QString or a double.
    QVariant cell(int row, int col) const;
    // Accepts QString, any number type, or an invalid QVariant (empties the cell).
    bool setCell(int row, int col, const QVariant &value);
    // An empty text empties the cell. Refused outside the grid and over kTextLimit.
    bool setText(int row, int col, const QString &text);
    // Refused outside the grid and for NaN or infinity.
    bool setNumber(int row, int col, double value);
    bool clearCell(int row, int col);

    bool isEmpty(int row, int col) const { return !cell(row, col).isValid(); }
    bool isNumber(int row, int col) const;
    // What the cell shows: its text, or its number in the General format.
    QString text(int row, int col) const;
    // The number in a cell; a text cell counts if it reads as a plain number ("60", "2.5").
    double number(int row, int col, bool *ok = nullptr) const;

    // Empties all cells (headings, cursor and print settings stay).
    void clear();
    void clearRange(const QRect &range);

    const Cells &cells() const { return m_cells; }
    int cellCount() const { return static_cast<int>(m_cells.size()); }
    // The smallest range from (1,1) holding every filled cell; null when the grid is empty.
    QRect usedRange() const;

    QString sheetName() const { return m_sheetName; }
    void setSheetName(const QString &name);
    QString title() const { return m_title; }
    void setTitle(const QString &title);
    QString cornerText() const { return m_cornerText; }
    void setCornerText(const QString &text);
    QString rowHeading(int row) const { return m_rowHeadings.value(row); }
    bool setRowHeading(int row, const QString &text);
    QString colHeading(int col) const { return m_colHeadings.value(col); }
    bool setColHeading(int col, const QString &text);
    // What a column holds and in which unit, shown when the mouse rests on its heading.
    QString colToolTip(int col) const { return m_colToolTips.value(col); }
    void setColToolTip(int col, const QString &text);

    int currentRow() const { return m_currentRow; }
    int currentCol() const { return m_currentCol; }
    // Also selects the cell alone, as a click does. Refused outside the grid.
    bool setCurrentCell(int row, int col);
    int topRow() const { return m_topRow; }
    void setTopRow(int row);
    QRect selection() const { return m_selection; }
    // Clipped to the grid; a range wholly outside is refused and the selection stays.
    void setSelection(const QRect &range);

    // Null means "print the used range".
    QRect printArea() const { return m_printArea; }
    void setPrintArea(const QRect &range);
    QRect effectivePrintArea() const { return m_printArea.isNull() ? usedRange() : m_printArea; }
    bool printHeadings() const { return m_printHeadings; }
    void setPrintHeadings(bool on);
    bool landscape() const { return m_landscape; }
    void setLandscape(bool on);
    int printScale() const { return m_printScale; }
    // Percent, clamped to kMinPrintScale..kMaxPrintScale.
    void setPrintScale(int percent);

    // Marks with their tooltips (what the other side holds). Refused outside the grid;
    // CellMark::None removes the mark.
    bool setCellMark(int row, int col, CellMark mark, const QString &toolTip = QString());
    CellMark cellMark(int row, int col) const;
    QString cellMarkToolTip(int row, int col) const;
    bool hasMarks() const { return !m_marks.isEmpty(); }
    void clearMarks();

    // Collects cell changes into one cellsChanged per outermost batch (loading, clearing).
    void beginUpdate();
    void endUpdate();

signals:
    void cellsChanged(const QRect &range);
    void sizeChanged();
    void sheetNameChanged(const QString &name);
    void headingsChanged();
    void currentCellChanged(int row, int col);
    void topRowChanged(int row);
    void selectionChanged(const QRect &range);
    void printSetupChanged();
    // Marks were set or cleared in `range` (null: wherever there were marks).
    void marksChanged(const QRect &range);

private:
    struct Mark {
        CellMark kind = CellMark::None;
        QString toolTip;
    };

    void noteChanged(const QRect &range);
    void dropOutside();

    Cells m_cells;
    QMap<CellKey, Mark> m_marks;
    QMap<int, QString> m_rowHeadings;
    QMap<int, QString> m_colHeadings;
    QMap<int, QString> m_colToolTips;
    QString m_sheetName;
    QString m_title;
    QString m_cornerText;
    int m_maxRow = 16384;
    int m_maxCol = 256;
    int m_currentRow = 1;
    int m_currentCol = 1;
    int m_topRow = 1;
    QRect m_selection = QRect(1, 1, 1, 1);
    QRect m_printArea;
    bool m_printHeadings = false;
    bool m_landscape = false;
    int m_printScale = 100;
    int m_updateDepth = 0;
    QRect m_pending;
};

} // namespace torvel
