#include "readygrideditor.h"

#include "shell/prompter.h"
#include "shell/sheetmodel.h"
#include "shell/ui/gridview.h"
#include "tables/readygrid.h"
#include "tables/readytexts.h"
#include "tables/readytime.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace torvel {

ReadyGridEditor::ReadyGridEditor(ReadyTable &table, ReadyBlockFlags &flags, Prompter &prompter,
                                 std::function<int()> herdMax, QWidget *parent)
    : QWidget(parent), m_table(table), m_flags(flags), m_prompter(prompter), m_herdMax(std::move(herdMax)),
      m_sheet(new SheetModel(this))
{
    setupReadyGrid(*m_sheet);
    m_tabControl1 = new QTabBar(this);
    m_tabControl1->setObjectName(QStringLiteral("TabControl1"));
    for (const char *name : {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"})
        m_tabControl1->addTab(QString::fromLatin1(name));
    m_tabControl1->setDrawBase(false);
    m_tabControl1->setExpanding(false);

    m_grid = new GridView(m_sheet, this);
    m_grid->setObjectName(QStringLiteral("BereitGrid"));
    QTableView *view = m_grid->table();
    view->verticalHeader()->hide();
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The form's widths (20 and 50), wider where the font needs it.
    const QFontMetrics metrics = view->fontMetrics();
    const int wocheWidth = std::max(20, metrics.horizontalAdvance(QStringLiteral("Wo 31")) + 4);
    const int timeWidth = std::max(50, metrics.horizontalAdvance(QStringLiteral("00:00")) + 16);
    for (int col = 0; col < kReadyGridCols; ++col)
        view->setColumnWidth(col, isReadyTimeCol(col + 1) ? timeWidth : wocheWidth);
    view->verticalHeader()->setDefaultSectionSize(metrics.height() + 6);
    view->setFixedWidth(4 * (wocheWidth + timeWidth) + view->verticalScrollBar()->sizeHint().width() +
                        2 * view->frameWidth());
    view->setMinimumHeight(12 * (metrics.height() + 6));

    m_tabEdit = new QCheckBox(QStringLiteral("Tabelle bearbeiten"), this);
    m_tabEdit->setObjectName(QStringLiteral("TabEdit"));
    auto *sort = new QPushButton(QStringLiteral("Sortieren (nur Anzeige)"), this);
    sort->setObjectName(QStringLiteral("SortBereitTab2"));
    auto *below = new QHBoxLayout;
    below->addWidget(m_tabEdit);
    below->addWidget(sort);
    below->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tabControl1, 0, Qt::AlignLeft);
    layout->addWidget(m_grid, 1);
    layout->addLayout(below);

    TabEditClick(false); // the window starts without editing
    connect(m_tabEdit, &QCheckBox::clicked, this, &ReadyGridEditor::TabEditClick);
    connect(sort, &QPushButton::clicked, this, &ReadyGridEditor::SortReadyGridView);
    connect(m_tabControl1, &QTabBar::currentChanged, this, &ReadyGridEditor::dayChanged);
    connect(m_grid, &GridView::keyDown, this,
            [this](int key, Qt::KeyboardModifiers, bool *handled) { keyDown(key, handled); });
    connect(m_grid, &GridView::cellEdited, this, &ReadyGridEditor::cellEdited);
    connect(view->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget *, QAbstractItemDelegate::EndEditHint hint) { editorClosed(hint); });
    connect(qApp, &QApplication::focusChanged, this, &ReadyGridEditor::focusChanged);
}

ReadyGridEditor::~ReadyGridEditor()
{
    disconnect(qApp, nullptr, this, nullptr);
    delete m_grid; // the view goes before the sheet it shows
}

int ReadyGridEditor::day() const
{
    return std::clamp(m_tabControl1->currentIndex(), 0, kReadyDays - 1);
}

bool ReadyGridEditor::editing() const
{
    return m_tabEdit->isChecked();
}

void ReadyGridEditor::ShowReadyTableDay(bool checkMissing)
{
    m_sortedView = false;
    m_shownDay = day();
    if (checkMissing) {
        const QString missing = missingReadyDecks(m_flags, m_shownDay, m_herdMax());
        if (!missing.isEmpty())
            m_prompter.inform(readytext::kAttention, readytext::missingDecksMessage(missing));
    }
    drawReadyDay(*m_sheet, m_table, m_shownDay, m_herdMax());
}

void ReadyGridEditor::CommitReadyGrid()
{
    if (!editing())
        return;
    commitReadyDay(*m_sheet, m_table, m_flags, m_shownDay);
}

void ReadyGridEditor::SortReadyGridView()
{
    m_tabEdit->setChecked(false);
    TabEditClick(false);
    m_sortedView = true;
    sortReadyDayView(*m_sheet, m_herdMax());
}

void ReadyGridEditor::TabEditClick(bool checked)
{
    m_grid->table()->setEditTriggers(checked ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                                   | QAbstractItemView::AnyKeyPressed
                                             : QAbstractItemView::NoEditTriggers);
    if (!checked && m_sortedView)
        ShowReadyTableDay(true);
}

void ReadyGridEditor::dayChanged(int)
{
    CommitReadyGrid(); // the day being left, still in the grid
    ShowReadyTableDay(true);
}

void ReadyGridEditor::keyDown(int key, bool *handled)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        *handled = true;
        // From an open cell editor the key comes here too; the editor's closing moves on then.
        QWidget *focus = QApplication::focusWidget();
        QTableView *view = m_grid->table();
        if (focus && focus != view && view->isAncestorOf(focus))
            return;
        moveToNextCell();
        CommitReadyGrid();
    } else if (key == Qt::Key_Tab) {
        CommitReadyGrid(); // the grid moves on by itself
    }
}

void ReadyGridEditor::editorClosed(int hint)
{
    // Enter in the cell editor closes it with SubmitModelCache, Tab with EditNextItem.
    if (hint == QAbstractItemDelegate::SubmitModelCache) {
        moveToNextCell();
        CommitReadyGrid();
    } else if (hint == QAbstractItemDelegate::EditNextItem) {
        CommitReadyGrid();
    }
}

void ReadyGridEditor::moveToNextCell()
{
    int row = m_sheet->currentRow();
    int col = m_sheet->currentCol() + 1;
    if (col > kReadyGridCols) {
        col = 1;
        ++row;
    }
    if (row > m_sheet->maxRow())
        row = 1;
    m_sheet->setCurrentCell(row, col);
}

void ReadyGridEditor::cellEdited(int row, int col)
{
    // A typed time is shown as it will be taken ("930" vanishes: 93:00 is no time of day).
    const QString text = m_sheet->text(row, col);
    if (!isReadyTimeCol(col) || text.startsWith(QStringLiteral("HERD")))
        return;
    const QString normalized = NormalizeTimeText(text);
    if (normalized != text)
        m_sheet->setText(row, col, normalized);
}

void ReadyGridEditor::focusChanged(QWidget *old, QWidget *now)
{
    const auto inGrid = [this](QWidget *w) { return w && (w == m_grid || m_grid->isAncestorOf(w)); };
    if (inGrid(old) && !inGrid(now))
        CommitReadyGrid(); // `BereitGrid` exit
}

} // namespace torvel
