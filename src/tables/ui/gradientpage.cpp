#include "gradientpage.h"

#include "shell/appstate.h"
#include "shell/prompter.h"
#include "shell/sheetmodel.h"
#include "shell/ui/gridview.h"
#include "shell/ui/namedcontrol.h"
#include "tables/gradientfile.h"
#include "tables/gradientgrid.h"
#include "tables/gradienttexts.h"
#include "tables/gradienttransfer.h"
#include "torvel2/ui/torvel2context.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace torvel {

namespace {
const QString kBadRate = QStringLiteral("Ungültige Steigung: \"%1\"\r\nErlaubt sind Zahlen von 0 bis 15,9 (°C/min).");
} // namespace

GradientPage::GradientPage(Torvel2Context &ctx, QWidget *parent)
    : QWidget(parent), m_ctx(ctx), m_sheet(new SheetModel(this))
{
    setObjectName(QStringLiteral("SteigungsTabSheet"));
    setupGradientGrid(*m_sheet);

    m_steigungsTab = new QTabBar(this);
    m_steigungsTab->setObjectName(QStringLiteral("SteigungsTab"));
    m_steigungsTab->addTab(QStringLiteral("Tag"));
    m_steigungsTab->addTab(QStringLiteral("Nacht"));
    m_steigungsTab->setDrawBase(false);
    m_grid = new GridView(m_sheet, this);
    m_grid->setObjectName(QStringLiteral("SteigungsGrid"));
    QTableView *table = m_grid->table();
    table->verticalHeader()->hide();
    // The widths of the form, wider where a heading needs it.
    const QList<int> widths{42, 95, 95, 95};
    const int deckWidth = table->fontMetrics().horizontalAdvance(QStringLiteral("Herd 9")) + 12;
    for (int col = 0; col < kGradientGridCols; ++col)
        table->setColumnWidth(col, std::max({widths.at(col), table->horizontalHeader()->sectionSizeHint(col) + 8,
                                             col == 0 ? deckWidth : 0}));
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int frame = 2 * table->frameWidth();
    table->setMinimumSize(table->horizontalHeader()->length() + frame,
                          table->horizontalHeader()->sizeHint().height() + table->verticalHeader()->length() + frame);
    table->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    table->setFixedSize(table->minimumSize());

    auto *group = new QGroupBox(QStringLiteral("Steigunstabelle: ab Firmware 4.00r25 "), this);
    group->setObjectName(QStringLiteral("GroupBox"));
    auto *readSteig = named<QPushButton>(QStringLiteral("ReadSteig"), QStringLiteral("Tabelle lesen"), group);
    auto *writeSteig = named<QPushButton>(QStringLiteral("WriteSteig"), QStringLiteral("Tabelle senden"), group);
    auto *writeDefault = named<QPushButton>(QStringLiteral("WriteDefaultSteig"), QStringLiteral("Default-Werte senden"), group);
    auto *button1 = named<QPushButton>(QStringLiteral("Button1"), QStringLiteral("Test-Werte senden"), group);
    auto *saveSteig = named<QPushButton>(QStringLiteral("SaveSteig"), QStringLiteral("Tabelle speichern"), group);
    auto *loadSteig = named<QPushButton>(QStringLiteral("LoadSteig"), QStringLiteral("Tabelle öffnen"), group);
    auto *printSteig = named<QPushButton>(QStringLiteral("PrintSteig"), QStringLiteral("Tabelle drucken"), group);
    printSteig->hide();
    auto *buttons = new QVBoxLayout(group);
    for (QPushButton *b : {readSteig, writeSteig, writeDefault, button1, saveSteig, loadSteig, printSteig})
        buttons->addWidget(b);
    buttons->addStretch();

    auto *gridColumn = new QVBoxLayout;
    gridColumn->addWidget(m_steigungsTab, 0, Qt::AlignLeft);
    gridColumn->addWidget(m_grid);
    gridColumn->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(gridColumn);
    layout->addWidget(group);
    layout->addStretch();

    connect(readSteig, &QPushButton::clicked, this, &GradientPage::ReadSteigClick);
    connect(writeSteig, &QPushButton::clicked, this, &GradientPage::WriteSteigClick);
    connect(writeDefault, &QPushButton::clicked, this, &GradientPage::WriteDefaultSteigClick);
    connect(button1, &QPushButton::clicked, this, &GradientPage::Button1Click);
    connect(saveSteig, &QPushButton::clicked, this, &GradientPage::SaveSteigClick);
    connect(loadSteig, &QPushButton::clicked, this, &GradientPage::LoadSteigClick);
    connect(m_steigungsTab, &QTabBar::currentChanged, this, [this] { showTable(); });
    connect(m_sheet, &SheetModel::cellsChanged, this, &GradientPage::takeEdits);
    // Rates only: digits and a decimal separator.
    connect(m_grid, &GridView::keyPress, this, [](QChar *ch) {
        if (!ch->isDigit() && *ch != QLatin1Char(',') && *ch != QLatin1Char('.'))
            *ch = QChar();
    });
}

GradientPage::~GradientPage()
{
    delete m_grid; // the view goes before the sheet it shows
}

void GradientPage::showTable()
{
    m_drawing = true;
    ShowGradientTable(*m_sheet, m_table, m_steigungsTab->currentIndex(), m_ctx.prompter());
    m_drawing = false;
}

void GradientPage::ReadSteigClick()
{
    if (!m_ctx.acceptClick([this] { ReadSteigClick(); }))
        return;
    Torvel2Context::Transfer transfer(m_ctx);
    m_ctx.debugMemo().clear();
    GradientTable read = m_table;
    const bool ok = ReadGradientTable(transfer.line(), true, read, {m_ctx.ignoreError(), &m_ctx.debugMemo()});
    if (ok) {
        m_table = read;
        showTable();
    }
    m_ctx.state().reportOutcome(gradienttext::readOutcome(transfer.line().oven, ok));
}

void GradientPage::WriteSteigClick()
{
    if (m_table.isEmpty()) {
        m_ctx.prompter().inform(gradienttext::kAttention, gradienttext::kReadFirstOrOpen);
        return;
    }
    send(m_table, &GradientPage::WriteSteigClick);
}

void GradientPage::WriteDefaultSteigClick()
{
    send(defaultGradientTable(), &GradientPage::WriteDefaultSteigClick);
}

void GradientPage::Button1Click()
{
    send(testGradientTable(), &GradientPage::Button1Click);
}

void GradientPage::send(const GradientTable &table, void (GradientPage::*click)())
{
    if (!m_ctx.acceptClick([this, click] { (this->*click)(); }))
        return;
    Torvel2Context::Transfer transfer(m_ctx);
    const bool ok = WriteGradientTable(transfer.line(), table, true);
    m_ctx.state().reportOutcome(gradienttext::sendOutcome(transfer.line().oven, ok));
}

void GradientPage::SaveSteigClick()
{
    if (m_table.isEmpty()) {
        m_ctx.prompter().inform(gradienttext::kAttention, gradienttext::kReadFirst);
        return;
    }
    const QString file = m_ctx.askSaveFileName(kGradientFileFilter, kGradientFileSuffix);
    if (file.isEmpty())
        return;
    QString error;
    if (!saveGradientFile(m_table, file, &error))
        m_ctx.prompter().inform(gradienttext::kError, gradienttext::kSaveFailed);
}

void GradientPage::LoadSteigClick()
{
    const QString file = m_ctx.askOpenFileName(kGradientFileFilter, kGradientFileSuffix);
    if (file.isEmpty())
        return; // cancelled: the table stays as it is
    GradientTable loaded = m_table;
    QString error;
    if (!loadGradientFile(file, &loaded, &error)) {
        // A file that cannot be used leaves the table (and the grid) as they were.
        m_ctx.prompter().inform(gradienttext::kError, gradienttext::kLoadFailed);
        return;
    }
    m_table = loaded;
    showTable();
}

void GradientPage::takeEdits(const QRect &range)
{
    if (m_drawing)
        return;
    const int mode = m_steigungsTab->currentIndex();
    QString problem;
    for (int row = std::max(range.top(), 1); row <= std::min(range.bottom(), kGradientGridRows); ++row) {
        for (int col = std::max(range.left(), 2); col <= std::min(range.right(), kGradientGridCols); ++col) {
            const QString typed = m_sheet->text(row, col);
            const auto value = parseGradientRate(typed);
            if (m_table.isEmpty())
                problem = gradienttext::kReadFirst;
            else if (!value)
                problem = kBadRate.arg(typed);
            else
                m_table.setValue(mode, row, col - 2, *value);
        }
    }
    // The grid always shows the table: a rate typed is shown as it will be sent, anything
    // refused (or typed into the deck column) goes back to what the table holds.
    if (m_table.isEmpty()) {
        m_drawing = true;
        m_sheet->clearRange(SheetModel::range(1, 1, kGradientGridRows, kGradientGridCols));
        m_drawing = false;
    } else {
        showTable();
    }
    if (!problem.isEmpty())
        m_ctx.prompter().inform(gradienttext::kAttention, problem);
}
} // namespace torvel
