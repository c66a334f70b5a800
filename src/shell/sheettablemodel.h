#pragma once
// A SheetModel as a Qt item model, so a table view can show and edit it. Row and column
// indexes are 0-based here and 1-based in the sheet.
//
// Editing stores a typed text as a number when it is a plain decimal number that reads back
// exactly as typed ("60", "-2.5"); anything else ("007", "1.50", "2,5", "1e3") stays text, so
// the cell always shows what the user typed. Readers take numbers from both through
// SheetModel::number().

#include <QAbstractTableModel>
#include <QRect>
#include <QTimer>

namespace torvel {

class SheetModel;

class SheetTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // A cell's CellMark as an int; its tooltip comes as Qt::ToolTipRole. How a mark looks is
    // the view's business.
    static constexpr int MarkRole = Qt::UserRole + 1;

    explicit SheetTableModel(SheetModel *sheet, QObject *parent = nullptr);

    SheetModel *sheet() const { return m_sheet; }

    // The heading of row `row` (1-based): its own text, or the row number when it has none.
    static QString rowHeadingText(const SheetModel &sheet, int row);
    // The heading of column `col` (1-based): its own text, or the spreadsheet letters A..IV.
    static QString colHeadingText(const SheetModel &sheet, int col);
    static QString columnLetters(int col);
    // What an edit stores for `text`: a double for a plain decimal number, else the text.
    static QVariant valueForText(const QString &text);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Shows collected cell changes now (tests, before a grab).
    void flushChanges();

private:
    void cellsChanged(const QRect &range);
    void marksChanged(const QRect &range);
    void headingsChanged();
    void sizeChanged();

    SheetModel *m_sheet;
    QTimer m_flush;
    QRect m_pending;
    // The size the views know; the sheet changes its size before it says so.
    int m_rows = 0;
    int m_cols = 0;
};

} // namespace torvel
