#include "frozencolumn.h"

#include <QHeaderView>
#include <QScrollBar>

namespace torvel {

FrozenColumn::FrozenColumn(QTableView *table) : QTableView(table), m_table(table)
{
    setObjectName(QStringLiteral("FrozenColumn"));
    setModel(table->model());
    setSelectionModel(table->selectionModel());
    setItemDelegate(table->itemDelegate());
    setSelectionMode(table->selectionMode());
    setFocusPolicy(Qt::NoFocus); // the table keeps the keyboard
    setFrameStyle(QFrame::NoFrame);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(table->verticalScrollMode());
    for (int c = 1; c < model()->columnCount(); ++c)
        setColumnHidden(c, true);
    connect(model(), &QAbstractItemModel::modelReset, this, [this] {
        for (int c = 1; c < model()->columnCount(); ++c)
            setColumnHidden(c, true);
        follow();
    });

    // Rows scroll together; widths and heights follow the table.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, table->verticalScrollBar(), &QScrollBar::setValue);
    connect(table->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(), &QScrollBar::setValue);
    connect(table->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        if (section == 0) {
            setColumnWidth(0, size);
            follow();
        }
    });
    connect(table->verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int section, int, int size) { setRowHeight(section, size); });
    // Clicks and double-clicks here are clicks on the table.
    connect(this, &QTableView::clicked, table, &QTableView::clicked);
    connect(this, &QTableView::doubleClicked, table, &QTableView::doubleClicked);
    // After an edit here the keyboard goes back to the table.
    connect(itemDelegate(), &QAbstractItemDelegate::closeEditor, table, [table] { table->setFocus(); });
    table->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    follow();
    show();
}

void FrozenColumn::follow()
{
    setColumnWidth(0, m_table->columnWidth(0));
    horizontalHeader()->setFixedHeight(m_table->horizontalHeader()->height());
    horizontalHeader()->setVisible(!m_table->horizontalHeader()->isHidden());
    const int frame = m_table->frameWidth();
    setGeometry(frame + m_table->verticalHeader()->width(), frame, m_table->columnWidth(0),
                m_table->viewport()->height() + m_table->horizontalHeader()->height());
    verticalScrollBar()->setRange(m_table->verticalScrollBar()->minimum(), m_table->verticalScrollBar()->maximum());
    verticalScrollBar()->setValue(m_table->verticalScrollBar()->value());
    raise();
}

bool FrozenColumn::editCell(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    setEditTriggers(m_table->editTriggers());
    return QTableView::edit(index, trigger, event);
}

bool FrozenColumn::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    return editCell(index, trigger, event);
}

} // namespace torvel
