#include "phonebookeditor.h"

#include "phonebookentrydialog.h"
#include "shell/ui/namedcontrol.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace torvel {

namespace {
QToolButton *arrow(const QString &name, Qt::ArrowType type, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(name);
    b->setArrowType(type);
    return b;
}
} // namespace

PhoneBookEditor::PhoneBookEditor(PhoneBookEntryDialog *dialog, QWidget *parent)
    : QGroupBox(QStringLiteral("Einträge bearbeiten: "), parent), m_dialog(dialog), m_numbers(new QTableWidget(this))
{
    setObjectName(QStringLiteral("GroupBox1"));
    m_numbers->setObjectName(QStringLiteral("Numbers"));
    m_numbers->setColumnCount(2);
    m_numbers->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Nummer")});
    m_numbers->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_numbers->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_numbers->setSelectionMode(QAbstractItemView::SingleSelection);
    m_numbers->horizontalHeader()->setStretchLastSection(true);
    m_numbers->setColumnWidth(0, 200);
    m_numbers->verticalHeader()->hide();
    connect(m_numbers, &QTableWidget::cellDoubleClicked, this, &PhoneBookEditor::editEntry);

    auto *ok = named<QPushButton>(QStringLiteral("OkBtn"), QStringLiteral("Übernehmen"), this);
    auto *cancel = named<QPushButton>(QStringLiteral("CancelBtn"), QStringLiteral("Abbrechen"), this);
    auto *add = named<QPushButton>(QStringLiteral("NewNumber"), QStringLiteral("Neu"), this);
    auto *remove = named<QPushButton>(QStringLiteral("DeleteNumber"), QStringLiteral("Löschen"), this);
    auto *edit = named<QPushButton>(QStringLiteral("EditNumber"), QStringLiteral("Bearbeiten"), this);
    auto *updown = new QWidget(this);
    updown->setObjectName(QStringLiteral("UpDown1"));
    auto *up = arrow(QStringLiteral("UpDown1Up"), Qt::UpArrow, updown);
    auto *down = arrow(QStringLiteral("UpDown1Down"), Qt::DownArrow, updown);
    auto *arrows = new QVBoxLayout(updown);
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->addWidget(up);
    arrows->addWidget(down);

    connect(ok, &QPushButton::clicked, this, [this] { emit applied(m_rows); });
    connect(cancel, &QPushButton::clicked, this, &PhoneBookEditor::cancelled);
    connect(add, &QPushButton::clicked, this, &PhoneBookEditor::newEntry);
    connect(edit, &QPushButton::clicked, this, &PhoneBookEditor::editEntry);
    connect(remove, &QPushButton::clicked, this, &PhoneBookEditor::deleteEntry);
    connect(up, &QToolButton::clicked, this, [this] { moveSelected(-1); });
    connect(down, &QToolButton::clicked, this, [this] { moveSelected(1); });

    auto *side = new QVBoxLayout;
    side->addWidget(updown, 0, Qt::AlignLeft);
    side->addStretch();
    auto *top = new QHBoxLayout;
    top->addWidget(m_numbers, 1);
    top->addLayout(side);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {add, edit, remove})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
}

void PhoneBookEditor::setRows(const PhoneBook &rows)
{
    m_rows = rows;
    showRows();
    selectRow(0);
}

void PhoneBookEditor::showRows()
{
    // An empty book still shows one blank row to start from.
    m_numbers->setRowCount(std::max<int>(1, static_cast<int>(m_rows.size())));
    for (int row = 0; row < m_numbers->rowCount(); ++row) {
        const PhoneBookEntry e = row < m_rows.size() ? m_rows.at(row) : PhoneBookEntry{};
        m_numbers->setItem(row, 0, new QTableWidgetItem(e.name));
        m_numbers->setItem(row, 1, new QTableWidgetItem(e.number));
    }
}

int PhoneBookEditor::selectedRow() const
{
    const int row = m_numbers->currentRow();
    return row >= 0 && row < m_rows.size() ? row : -1;
}

void PhoneBookEditor::selectRow(int row)
{
    m_numbers->setCurrentCell(std::clamp(row, 0, m_numbers->rowCount() - 1), 0);
}

void PhoneBookEditor::newEntry()
{
    if (m_dialog->run(&m_rows, -1)) {
        showRows();
        selectRow(static_cast<int>(m_rows.size()) - 1);
    }
}

void PhoneBookEditor::editEntry()
{
    const int row = selectedRow();
    if (m_dialog->run(&m_rows, row)) { // the blank row of an empty book takes a new entry
        showRows();
        selectRow(row >= 0 ? row : static_cast<int>(m_rows.size()) - 1);
    }
}

void PhoneBookEditor::deleteEntry()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    m_rows.removeAt(row);
    showRows();
    selectRow(row);
}

void PhoneBookEditor::moveSelected(int step)
{
    const int row = selectedRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= m_rows.size())
        return; // the first and the last row are the limits
    m_rows.swapItemsAt(row, target);
    showRows();
    selectRow(target);
}
} // namespace torvel
