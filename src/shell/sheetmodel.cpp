#include "sheetmodel.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace torvel {

namespace {

bool isNumberType(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

} // namespace

SheetModel::SheetModel(QObject *parent)
    : QObject(parent)
    , m_sheetName(QStringLiteral("Tabelle1"))
{
}

QRect SheetModel::range(int row1, int col1, int row2, int col2)
{
    return QRect(QPoint(std::min(col1, col2), std::min(row1, row2)),
                 QPoint(std::max(col1, col2), std::max(row1, row2)));
}

QString SheetModel::formatNumber(double value)
{
    if (value == 0.0)
        return QStringLiteral("0"); // also for -0
    // 15 significant digits is what a spreadsheet keeps; its exponent is written "1E+20".
    return QString::number(value, 'g', 15).replace(QLatin1Char('e'), QLatin1Char('E'));
}

void SheetModel::setMaxRow(int rows)
{
    rows = std::clamp(rows, 1, kRowLimit);
    if (rows == m_maxRow)
        return;
    m_maxRow = rows;
    dropOutside();
    emit sizeChanged();
}

void SheetModel::setMaxCol(int cols)
{
    cols = std::clamp(cols, 1, kColLimit);
    if (cols == m_maxCol)
        return;
    m_maxCol = cols;
    dropOutside();
    emit sizeChanged();
}

bool SheetModel::contains(int row, int col) const
{
    return row >= 1 && row <= m_maxRow && col >= 1 && col <= m_maxCol;
}

QVariant SheetModel::cell(int row, int col) const
{
    return m_cells.value(CellKey(row, col));
}

bool SheetModel::setCell(int row, int col, const QVariant &value)
{
    if (!value.isValid())
        return clearCell(row, col);
    if (value.typeId() == QMetaType::QString)
        return setText(row, col, value.toString());
    if (isNumberType(value))
        return setNumber(row, col, value.toDouble());
    return false;
}

bool SheetModel::setText(int row, int col, const QString &text)
{
    if (!contains(row, col) || text.size() > kTextLimit)
        return false;
    if (text.isEmpty())
        return clearCell(row, col);
    QVariant &slot = m_cells[CellKey(row, col)];
    if (slot.typeId() == QMetaType::QString && slot.toString() == text)
        return true;
    slot = text;
    noteChanged(range(row, col, row, col));
    return true;
}

bool SheetModel::setNumber(int row, int col, double value)
{
    if (!contains(row, col) || !std::isfinite(value))
        return false;
    QVariant &slot = m_cells[CellKey(row, col)];
    // Compare bit-exactly through the type too: 60 as a number differs from the text "60".
    if (slot.typeId() == QMetaType::Double && slot.toDouble() == value)
        return true;
    slot = value;
    noteChanged(range(row, col, row, col));
    return true;
}

bool SheetModel::clearCell(int row, int col)
{
    if (!contains(row, col))
        return false;
    if (m_cells.remove(CellKey(row, col)) > 0)
        noteChanged(range(row, col, row, col));
    return true;
}

bool SheetModel::isNumber(int row, int col) const
{
    return cell(row, col).typeId() == QMetaType::Double;
}

QString SheetModel::text(int row, int col) const
{
    const QVariant value = cell(row, col);
    if (value.typeId() == QMetaType::Double)
        return formatNumber(value.toDouble());
    return value.toString();
}

double SheetModel::number(int row, int col, bool *ok) const
{
    const QVariant value = cell(row, col);
    bool good = false;
    double result = 0.0;
    if (value.typeId() == QMetaType::Double) {
        good = true;
        result = value.toDouble();
    } else if (value.isValid()) {
        result = value.toString().trimmed().toDouble(&good);
        if (!good || !std::isfinite(result)) {
            good = false;
            result = 0.0;
        }
    }
    if (ok)
        *ok = good;
    return result;
}

void SheetModel::clear()
{
    if (m_cells.isEmpty())
        return;
    const QRect used = usedRange();
    m_cells.clear();
    noteChanged(used);
}

void SheetModel::clearRange(const QRect &area)
{
    const QRect clipped = area.normalized() & bounds();
    if (clipped.isEmpty())
        return;
    bool removed = false;
    for (auto it = m_cells.begin(); it != m_cells.end();) {
        if (clipped.contains(it.key().second, it.key().first)) {
            it = m_cells.erase(it);
            removed = true;
        } else {
            ++it;
        }
    }
    if (removed)
        noteChanged(clipped);
}

QRect SheetModel::usedRange() const
{
    if (m_cells.isEmpty())
        return QRect();
    int lastCol = 1;
    for (auto it = m_cells.cbegin(); it != m_cells.cend(); ++it)
        lastCol = std::max(lastCol, it.key().second);
    return range(1, 1, m_cells.lastKey().first, lastCol);
}

void SheetModel::setSheetName(const QString &name)
{
    if (name == m_sheetName)
        return;
    m_sheetName = name;
    emit sheetNameChanged(name);
}

void SheetModel::setTitle(const QString &title)
{
    if (title == m_title)
        return;
    m_title = title;
    emit headingsChanged();
}

void SheetModel::setCornerText(const QString &text)
{
    if (text == m_cornerText)
        return;
    m_cornerText = text;
    emit headingsChanged();
}

bool SheetModel::setRowHeading(int row, const QString &text)
{
    if (row < 1 || row > m_maxRow)
        return false;
    if (m_rowHeadings.value(row) == text)
        return true;
    if (text.isEmpty())
        m_rowHeadings.remove(row);
    else
        m_rowHeadings.insert(row, text);
    emit headingsChanged();
    return true;
}

void SheetModel::setColToolTip(int col, const QString &text)
{
    if (col < 1 || col > m_maxCol || m_colToolTips.value(col) == text)
        return;
    m_colToolTips.insert(col, text);
    emit headingsChanged();
}

bool SheetModel::setColHeading(int col, const QString &text)
{
    if (col < 1 || col > m_maxCol)
        return false;
    if (m_colHeadings.value(col) == text)
        return true;
    if (text.isEmpty())
        m_colHeadings.remove(col);
    else
        m_colHeadings.insert(col, text);
    emit headingsChanged();
    return true;
}

bool SheetModel::setCurrentCell(int row, int col)
{
    if (!contains(row, col))
        return false;
    if (row != m_currentRow || col != m_currentCol) {
        m_currentRow = row;
        m_currentCol = col;
        emit currentCellChanged(row, col);
    }
    setSelection(range(row, col, row, col));
    return true;
}

void SheetModel::setTopRow(int row)
{
    row = std::clamp(row, 1, m_maxRow);
    if (row == m_topRow)
        return;
    m_topRow = row;
    emit topRowChanged(row);
}

void SheetModel::setSelection(const QRect &area)
{
    const QRect clipped = area.normalized() & bounds();
    if (clipped.isEmpty() || clipped == m_selection)
        return;
    m_selection = clipped;
    emit selectionChanged(clipped);
}

void SheetModel::setPrintArea(const QRect &area)
{
    const QRect clipped = area.isNull() ? QRect() : (area.normalized() & bounds());
    if (clipped == m_printArea)
        return;
    m_printArea = clipped;
    emit printSetupChanged();
}

void SheetModel::setPrintHeadings(bool on)
{
    if (on == m_printHeadings)
        return;
    m_printHeadings = on;
    emit printSetupChanged();
}

void SheetModel::setLandscape(bool on)
{
    if (on == m_landscape)
        return;
    m_landscape = on;
    emit printSetupChanged();
}

void SheetModel::setPrintScale(int percent)
{
    percent = std::clamp(percent, kMinPrintScale, kMaxPrintScale);
    if (percent == m_printScale)
        return;
    m_printScale = percent;
    emit printSetupChanged();
}

bool SheetModel::setCellMark(int row, int col, CellMark mark, const QString &toolTip)
{
    if (!contains(row, col))
        return false;
    if (mark == CellMark::None) {
        if (m_marks.remove(CellKey(row, col)) == 0)
            return true;
    } else {
        m_marks.insert(CellKey(row, col), Mark{mark, toolTip});
    }
    emit marksChanged(range(row, col, row, col));
    return true;
}

CellMark SheetModel::cellMark(int row, int col) const
{
    return m_marks.value(CellKey(row, col)).kind;
}

QString SheetModel::cellMarkToolTip(int row, int col) const
{
    return m_marks.value(CellKey(row, col)).toolTip;
}

void SheetModel::clearMarks()
{
    if (m_marks.isEmpty())
        return;
    m_marks.clear();
    emit marksChanged(QRect());
}

void SheetModel::beginUpdate()
{
    ++m_updateDepth;
}

void SheetModel::endUpdate()
{
    if (m_updateDepth == 0 || --m_updateDepth > 0)
        return;
    const QRect pending = m_pending;
    m_pending = QRect();
    if (!pending.isNull())
        emit cellsChanged(pending);
}

void SheetModel::noteChanged(const QRect &area)
{
    clearMarks(); // they describe the cells as they were
    if (m_updateDepth > 0)
        m_pending = m_pending.isNull() ? area : (m_pending | area);
    else
        emit cellsChanged(area);
}

// After a shrink: forget what no longer fits and pull the cursor back inside.
void SheetModel::dropOutside()
{
    for (auto it = m_cells.begin(); it != m_cells.end();) {
        if (contains(it.key().first, it.key().second))
            ++it;
        else
            it = m_cells.erase(it);
    }
    for (auto it = m_marks.begin(); it != m_marks.end();)
        it = contains(it.key().first, it.key().second) ? std::next(it) : m_marks.erase(it);
    bool headings = false;
    while (!m_rowHeadings.isEmpty() && m_rowHeadings.lastKey() > m_maxRow) {
        m_rowHeadings.remove(m_rowHeadings.lastKey());
        headings = true;
    }
    while (!m_colHeadings.isEmpty() && m_colHeadings.lastKey() > m_maxCol) {
        m_colHeadings.remove(m_colHeadings.lastKey());
        headings = true;
    }
    while (!m_colToolTips.isEmpty() && m_colToolTips.lastKey() > m_maxCol) {
        m_colToolTips.remove(m_colToolTips.lastKey());
        headings = true;
    }
    if (headings)
        emit headingsChanged();

    if (!contains(m_currentRow, m_currentCol)) {
        m_currentRow = std::min(m_currentRow, m_maxRow);
        m_currentCol = std::min(m_currentCol, m_maxCol);
        emit currentCellChanged(m_currentRow, m_currentCol);
    }
    setTopRow(m_topRow);
    const QRect selection = m_selection & bounds();
    if (selection != m_selection) {
        m_selection = selection.isEmpty() ? range(m_currentRow, m_currentCol, m_currentRow, m_currentCol)
                                          : selection;
        emit selectionChanged(m_selection);
    }
    if (!m_printArea.isNull()) {
        const QRect area = m_printArea & bounds();
        if (area != m_printArea) {
            m_printArea = area.isEmpty() ? QRect() : area;
            emit printSetupChanged();
        }
    }
}

} // namespace torvel
