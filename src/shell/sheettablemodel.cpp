#include "sheettablemodel.h"

#include "sheetmodel.h"

#include <QRegularExpression>

namespace torvel {

SheetTableModel::SheetTableModel(SheetModel *sheet, QObject *parent)
    : QAbstractTableModel(parent), m_sheet(sheet), m_rows(sheet->maxRow()), m_cols(sheet->maxCol())
{
    connect(sheet, &SheetModel::cellsChanged, this, &SheetTableModel::cellsChanged);
    connect(sheet, &SheetModel::marksChanged, this, &SheetTableModel::marksChanged);
    m_flush.setSingleShot(true);
    m_flush.setInterval(40);
    connect(&m_flush, &QTimer::timeout, this, &SheetTableModel::flushChanges);
    connect(sheet, &SheetModel::headingsChanged, this, &SheetTableModel::headingsChanged);
    connect(sheet, &SheetModel::sizeChanged, this, &SheetTableModel::sizeChanged);
    // A reset is the only safe way to follow a sheet that has gone away.
    connect(sheet, &QObject::destroyed, this, [this] {
        beginResetModel();
        m_sheet = nullptr;
        m_rows = m_cols = 0;
        endResetModel();
    });
}

QString SheetTableModel::rowHeadingText(const SheetModel &sheet, int row)
{
    const QString heading = sheet.rowHeading(row);
    return heading.isEmpty() ? QString::number(row) : heading;
}

QString SheetTableModel::colHeadingText(const SheetModel &sheet, int col)
{
    const QString heading = sheet.colHeading(col);
    return heading.isEmpty() ? columnLetters(col) : heading;
}

QString SheetTableModel::columnLetters(int col)
{
    QString letters;
    for (int n = col; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters;
}

QVariant SheetTableModel::valueForText(const QString &text)
{
    static const QRegularExpression plain(QStringLiteral("^-?\\d{1,15}(\\.\\d{1,15})?$"));
    if (plain.match(text).hasMatch()) {
        const double value = text.toDouble();
        if (SheetModel::formatNumber(value) == text)
            return value;
    }
    return text;
}

int SheetTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int SheetTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_cols;
}

QVariant SheetTableModel::data(const QModelIndex &index, int role) const
{
    if (!m_sheet || !index.isValid())
        return {};
    const int row = index.row() + 1;
    const int col = index.column() + 1;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_sheet->text(row, col);
    case Qt::ToolTipRole: {
        const QString tip = m_sheet->cellMarkToolTip(row, col);
        return tip.isEmpty() ? QVariant() : QVariant(tip);
    }
    case MarkRole:
        return static_cast<int>(m_sheet->cellMark(row, col));
    case Qt::TextAlignmentRole:
        // Numbers line up on the right, as in a spreadsheet.
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (m_sheet->isNumber(row, col) ? Qt::AlignRight : Qt::AlignLeft));
    default:
        return {};
    }
}

bool SheetTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!m_sheet || !index.isValid() || role != Qt::EditRole)
        return false;
    // The sheet reports the change through cellsChanged, which emits dataChanged.
    const QVariant stored = value.typeId() == QMetaType::QString ? valueForText(value.toString()) : value;
    return m_sheet->setCell(index.row() + 1, index.column() + 1, stored);
}

QVariant SheetTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (m_sheet && role == Qt::ToolTipRole && orientation == Qt::Horizontal && section >= 0) {
        const QString tip = m_sheet->colToolTip(section + 1);
        return tip.isEmpty() ? QVariant() : QVariant(tip);
    }
    if (!m_sheet || role != Qt::DisplayRole || section < 0)
        return QAbstractTableModel::headerData(section, orientation, role);
    return orientation == Qt::Vertical ? rowHeadingText(*m_sheet, section + 1)
                                       : colHeadingText(*m_sheet, section + 1);
}

Qt::ItemFlags SheetTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void SheetTableModel::cellsChanged(const QRect &range)
{
    // Changes are collected and shown at most every 40 ms: a transfer that fills a row cell by
    // cell must not wait for the screen.
    m_pending = m_pending.isNull() ? range : (m_pending | range);
    if (!m_flush.isActive())
        m_flush.start();
}

void SheetTableModel::flushChanges()
{
    const QRect shown = m_pending & QRect(1, 1, columnCount(), rowCount());
    m_pending = QRect();
    if (shown.isEmpty())
        return;
    emit dataChanged(index(shown.top() - 1, shown.left() - 1), index(shown.bottom() - 1, shown.right() - 1),
                     {Qt::DisplayRole, Qt::EditRole, Qt::TextAlignmentRole, Qt::ToolTipRole, MarkRole});
}

void SheetTableModel::marksChanged(const QRect &range)
{
    // A compare marks cell by cell: shown with the next batch of changes.
    cellsChanged(range.isNull() ? QRect(1, 1, columnCount(), rowCount()) : range);
}

void SheetTableModel::headingsChanged()
{
    if (rowCount() > 0)
        emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
    if (columnCount() > 0)
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void SheetTableModel::sizeChanged()
{
    // Views forget rows and columns wholesale; cheaper and simpler than insert/remove.
    beginResetModel();
    m_rows = m_sheet->maxRow();
    m_cols = m_sheet->maxCol();
    endResetModel();
}

} // namespace torvel
