#include "gridview.h"

#include "frozencolumn.h"

#include "shell/sheetmodel.h"
#include "shell/sheettablemodel.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include <utility>

namespace torvel {

namespace {

// The same key with another character, for a filter that replaced what was typed.
QKeyEvent retyped(const QKeyEvent &event, QChar ch)
{
    return QKeyEvent(event.type(), ch.toUpper().unicode(), event.modifiers(), QString(ch),
                     event.isAutoRepeat(), event.count());
}

} // namespace

// Hands key events on to the GridView's hooks; the view itself stays a plain table.
class GridTable : public QTableView
{
public:
    explicit GridTable(GridView *grid) : QTableView(grid), m_grid(grid) {}

    // After the corner text or the heading sizes changed.
    void relayout() { updateGeometries(); }

    // With a frozen first column, that column never scrolls sideways and no other cell hides
    // under it.
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::Show)
            return QTableView::event(event);
        // Showing scrolls to the cursor; the sheet's top row wins, as it does in the sheet.
        m_grid->m_holdTopRow = true;
        const bool done = QTableView::event(event);
        m_grid->m_holdTopRow = false;
        m_grid->showTopRow();
        return done;
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        QChar ch;
        if (!m_grid->filterKey(event, false, &ch)) {
            event->accept();
        } else if (ch.isNull()) {
            passKey(event);
        } else {
            QKeyEvent other = retyped(*event, ch);
            passKey(&other);
            event->setAccepted(other.isAccepted());
        }
    }

    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override
    {
        // A first-column cell under the frozen column is edited in it, where it can be seen.
        if (m_grid->m_frozen && index.column() == 0)
            return m_grid->m_frozen->editCell(index, trigger, event);
        return QTableView::edit(index, trigger, event);
    }

    void updateGeometries() override
    {
        QTableView::updateGeometries();
        if (m_grid->m_frozen)
            m_grid->m_frozen->follow();
        // Over the corner button, which QTableView keeps to itself.
        QLabel *corner = m_grid->m_corner;
        corner->setGeometry(verticalHeader()->x(), horizontalHeader()->y(), verticalHeader()->width(),
                            horizontalHeader()->height());
        corner->setVisible(!corner->text().isEmpty() && !verticalHeader()->isHidden() &&
                           !horizontalHeader()->isHidden());
        corner->raise();
        m_grid->showTopRow(); // the scroll range may only now reach the sheet's top row
    }

private:
    // Passes an event on to the table after filtering, marked so no filter sees it twice.
    void passKey(QKeyEvent *event)
    {
        const QEvent *before = m_grid->m_passing;
        m_grid->m_passing = event;
        QTableView::keyPressEvent(event);
        m_grid->m_passing = before;
    }

    GridView *m_grid;
};

void GridTable::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    if (!m_grid->m_frozen) {
        QTableView::scrollTo(index, hint);
        return;
    }
    QScrollBar *sideways = horizontalScrollBar();
    const int before = sideways->value();
    QTableView::scrollTo(index, hint);
    if (index.column() == 0) {
        sideways->setValue(before); // always in view: only the rows scroll
        return;
    }
    const int hidden = columnWidth(0) - visualRect(index).left();
    if (hidden > 0)
        sideways->setValue(sideways->value() - hidden);
}

// Filters the characters typed into a cell editor.
class GridKeyFilter : public QObject
{
public:
    explicit GridKeyFilter(GridView *grid) : QObject(grid), m_grid(grid) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || m_grid->isPassing(event))
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        QChar ch;
        if (!m_grid->filterKey(key, true, &ch))
            return true;
        if (ch.isNull())
            return false;
        QKeyEvent other = retyped(*key, ch);
        const QEvent *before = m_grid->m_passing;
        m_grid->m_passing = &other;
        QCoreApplication::sendEvent(watched, &other);
        m_grid->m_passing = before;
        return true;
    }

private:
    GridView *m_grid;
};

class GridDelegate : public QStyledItemDelegate
{
public:
    GridDelegate(QObject *keyFilter, GridView *grid)
        : QStyledItemDelegate(grid), m_keyFilter(keyFilter), m_grid(grid)
    {
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (editor)
            editor->installEventFilter(m_keyFilter);
        return editor;
    }

    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        const int row = index.row() + 1;
        const int col = index.column() + 1;
        const auto *line = qobject_cast<QLineEdit *>(editor);
        if (line && m_grid->m_editCheck && !m_grid->m_editCheck(row, col, line->text()))
            return;
        const QVariant before = m_grid->m_sheet->cell(row, col);
        QStyledItemDelegate::setModelData(editor, model, index);
        if (m_grid->m_sheet->cell(row, col) != before)
            emit m_grid->cellEdited(row, col);
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const QColor colour =
            GridView::markColour(static_cast<CellMark>(index.data(SheetTableModel::MarkRole).toInt()));
        if (colour.isValid())
            option->backgroundBrush = colour;
    }

private:
    QObject *m_keyFilter;
    GridView *m_grid;
};

QColor GridView::markColour(CellMark mark)
{
    switch (mark) {
    case CellMark::Differs:
        return QColor(255, 196, 110);
    case CellMark::RowDiffers:
        return QColor(255, 238, 176);
    case CellMark::OnlyHere:
        return QColor(190, 235, 190);
    case CellMark::OnlyThere:
        return QColor(245, 190, 190);
    case CellMark::None:
        break;
    }
    return QColor();
}

GridView::~GridView()
{
    // The table calls back into this view while it is hidden on destruction: it goes first,
    // the frozen column (its child, with an editor perhaps open in it) before it.
    delete std::exchange(m_frozen, nullptr);
    delete m_table;
    m_table = nullptr;
}

GridView::GridView(SheetModel *sheet, QWidget *parent)
    : QWidget(parent), m_sheet(sheet), m_model(new SheetTableModel(sheet, this))
{
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("Title"));
    m_title->setAlignment(Qt::AlignCenter);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);

    m_table = new GridTable(this);
    m_table->setObjectName(QStringLiteral("Grid"));
    m_corner = new QLabel(m_table);
    m_corner->setObjectName(QStringLiteral("Corner"));
    m_corner->setAlignment(Qt::AlignCenter);
    m_corner->setAttribute(Qt::WA_TransparentForMouseEvents); // the corner button still selects all
    m_corner->hide();

    m_table->setModel(m_model);
    m_table->setItemDelegate(new GridDelegate(new GridKeyFilter(this), this));
    m_table->setSelectionMode(QAbstractItemView::ContiguousSelection); // the sheet keeps one range
    m_table->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);  // scroll value = top row
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_title);
    layout->addWidget(m_table, 1);

    connect(m_table, &QTableView::clicked, this,
            [this](const QModelIndex &i) { emit clicked(i.row() + 1, i.column() + 1); });
    connect(m_table, &QTableView::doubleClicked, this,
            [this](const QModelIndex &i) { emit doubleClicked(i.row() + 1, i.column() + 1); });
    connect(m_table->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &GridView::takeCurrentCell);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &GridView::takeSelection);
    connect(m_table->verticalScrollBar(), &QScrollBar::valueChanged, this, &GridView::takeTopRow);

    connect(sheet, &SheetModel::headingsChanged, this, &GridView::showTitle);
    connect(sheet, &SheetModel::currentCellChanged, this, &GridView::showCurrentCell);
    connect(sheet, &SheetModel::selectionChanged, this, &GridView::showSelection);
    connect(sheet, &SheetModel::topRowChanged, this, &GridView::showTopRow);
    // The table model has reset by now (it connected first), which cleared the cursor.
    connect(sheet, &SheetModel::sizeChanged, this, [this] {
        showCurrentCell();
        showSelection();
        showTopRow();
    });

    showTitle();
    showCurrentCell();
    showSelection();
}

QTableView *GridView::table() const
{
    return m_table;
}

void GridView::setFrozenColumns(int count)
{
    if (count > 0 && !m_frozen) {
        m_frozen = new FrozenColumn(m_table);
    } else if (count <= 0 && m_frozen) {
        delete m_frozen;
        m_frozen = nullptr;
        m_table->setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    }
}

QTableView *GridView::frozenColumn() const
{
    return m_frozen;
}

bool GridView::filterKey(QKeyEvent *event, bool editing, QChar *replacement)
{
    if (!editing) {
        bool handled = false;
        emit keyDown(event->key(), event->modifiers(), &handled);
        if (handled)
            return false;
    }
    const QString text = event->text();
    if (text.size() != 1 || !text.at(0).isPrint())
        return true;
    QChar ch = text.at(0);
    emit keyPress(&ch);
    if (ch.isNull())
        return false;
    if (ch != text.at(0))
        *replacement = ch;
    return true;
}

void GridView::showTitle()
{
    m_title->setText(m_sheet->title());
    m_title->setVisible(!m_sheet->title().isEmpty());
    const QString corner = m_sheet->cornerText();
    m_corner->setText(corner);
    // The row headings widen so the corner text fits above them.
    m_table->verticalHeader()->setMinimumWidth(
        corner.isEmpty() ? 0 : m_corner->fontMetrics().horizontalAdvance(corner) + 8);
    m_table->relayout();
}

void GridView::showCurrentCell()
{
    if (m_syncing)
        return;
    m_syncing = true;
    const QModelIndex index = m_model->index(m_sheet->currentRow() - 1, m_sheet->currentCol() - 1);
    m_table->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    m_syncing = false;
    // Hidden, the viewport has no real size to scroll by; showing scrolls to the cursor anyway.
    if (m_table->isVisible())
        m_table->scrollTo(index);
}

void GridView::showSelection()
{
    if (m_syncing)
        return;
    m_syncing = true;
    const QRect range = m_sheet->selection();
    const QItemSelection selection(m_model->index(range.top() - 1, range.left() - 1),
                                   m_model->index(range.bottom() - 1, range.right() - 1));
    m_table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    m_syncing = false;
}

void GridView::showTopRow()
{
    QScrollBar *bar = m_table->verticalScrollBar();
    if (bar->value() != m_sheet->topRow() - 1)
        bar->setValue(m_sheet->topRow() - 1);
}

void GridView::takeCurrentCell()
{
    if (m_syncing)
        return;
    const QModelIndex index = m_table->selectionModel()->currentIndex();
    if (!index.isValid())
        return;
    m_syncing = true;
    m_sheet->setCurrentCell(index.row() + 1, index.column() + 1);
    m_syncing = false;
    takeSelection(); // the sheet made the cell its selection; keep a range the view extended
}

void GridView::takeSelection()
{
    if (m_syncing)
        return;
    QRect range;
    for (const QItemSelectionRange &part : m_table->selectionModel()->selection())
        range |= SheetModel::range(part.top() + 1, part.left() + 1, part.bottom() + 1, part.right() + 1);
    if (range.isEmpty())
        return;
    m_syncing = true;
    m_sheet->setSelection(range);
    m_syncing = false;
}

void GridView::takeTopRow(int value)
{
    // A hidden table has no real scroll range yet; it would drag the sheet's top row to 1.
    if (m_table->isVisible() && !m_holdTopRow)
        m_sheet->setTopRow(value + 1);
}

} // namespace torvel
