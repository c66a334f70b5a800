#include "readytablepage.h"

#include "readygrideditor.h"

#include "shell/appstate.h"
#include "shell/prompter.h"
#include "shell/ui/namedcontrol.h"
#include "tables/readydefaults.h"
#include "tables/readyfile.h"
#include "tables/readygrid.h"
#include "tables/readytexts.h"
#include "tables/readytransfer.h"
#include "tables/readyvalidate.h"
#include "torvel2/ui/torvel2context.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace torvel {

ReadyTablePage::ReadyTablePage(Torvel2Context &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("BereitTabSheet"));
    m_editor = new ReadyGridEditor(m_table, m_flags, ctx.prompter(), [this] { return herdMax(); }, this);

    auto *single = new QGroupBox(QStringLiteral("Einzelwerte (nur ein Tag, nur ein Herd)  "), this);
    m_wochTag = namedSpin(QStringLiteral("WochTag"), 0, kReadyDays - 1, 0, single);
    m_herdNo = namedSpin(QStringLiteral("HerdNo"), 1, kReadyDecks, 1, single);
    auto *getBTable = named<QPushButton>(QStringLiteral("GetBTable"), QStringLiteral("Lesen"), single);
    auto *setBTable = named<QPushButton>(QStringLiteral("SetBTable"), QStringLiteral("Setzen"), single);
    auto *singleLayout = new QGridLayout(single);
    singleLayout->addWidget(new QLabel(QStringLiteral("Tag"), single), 0, 0);
    singleLayout->addWidget(m_wochTag, 0, 1);
    singleLayout->addWidget(getBTable, 0, 2);
    singleLayout->addWidget(new QLabel(QStringLiteral("Herd"), single), 1, 0);
    singleLayout->addWidget(m_herdNo, 1, 1);
    singleLayout->addWidget(setBTable, 1, 2);

    auto *complete = new QGroupBox(QStringLiteral("Komplett (alle Tage, alle Herde) "), this);
    m_herdMax = namedSpin(QStringLiteral("HerdMax"), 1, kReadyDecks, ctx.herdMax(), complete);
    auto *readAll = named<QPushButton>(QStringLiteral("BTabKomplett"), QStringLiteral("Tabelle lesen"), complete);
    auto *sendAll = named<QPushButton>(QStringLiteral("SetBTableComplete"), QStringLiteral("Tabelle senden"), complete);
    auto *defaults = named<QPushButton>(QStringLiteral("SetStartDefaults"), QStringLiteral("Default-Werte senden"), complete);
    auto *decks = new QHBoxLayout;
    decks->addWidget(new QLabel(QStringLiteral("HerdAnzahl:"), complete));
    decks->addWidget(m_herdMax);
    decks->addStretch();
    auto *completeLayout = new QVBoxLayout(complete);
    completeLayout->addLayout(decks);
    for (QPushButton *b : {readAll, sendAll, defaults})
        completeLayout->addWidget(b);

    auto *save = named<QPushButton>(QStringLiteral("SaveBereitTab"), QStringLiteral("Tabelle speichern"), this);
    auto *open = named<QPushButton>(QStringLiteral("OpenBereitTab"), QStringLiteral("Tabelle öffnen"), this);

    // The debug panel: default variants and checks, the sort and a fresh table.
    auto *debug = new QGroupBox(QStringLiteral("Debug"), this);
    debug->setObjectName(QStringLiteral("DebugPanel"));
    m_debugDefaults = named<QCheckBox>(QStringLiteral("DebugDefaults"), QStringLiteral("DebugDefaults"), debug);
    m_defaultCheck = named<QCheckBox>(QStringLiteral("DefaultCheck"), QStringLiteral("DefaultCheck"), debug);
    auto *doCheck = named<QPushButton>(QStringLiteral("DoCheckBereittab"), QStringLiteral("DoCheckBereittab"), debug);
    auto *tabInit = named<QPushButton>(QStringLiteral("TabInit"), QStringLiteral("TabInit"), debug);
    auto *sort = named<QPushButton>(QStringLiteral("SortBereitTab"), QStringLiteral("SortBereitTab"), debug);
    auto *debugLayout = new QVBoxLayout(debug);
    debugLayout->addWidget(m_debugDefaults);
    debugLayout->addWidget(m_defaultCheck);
    for (QPushButton *b : {doCheck, tabInit, sort})
        debugLayout->addWidget(b);
    debug->setVisible(ctx.state().modemStartup);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(single);
    buttons->addWidget(complete);
    buttons->addWidget(save);
    buttons->addWidget(open);
    buttons->addWidget(debug);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_editor);
    layout->addLayout(buttons);
    layout->addStretch();

    connect(getBTable, &QPushButton::clicked, this, &ReadyTablePage::GetBTableClick);
    connect(setBTable, &QPushButton::clicked, this, &ReadyTablePage::SetBTableClick);
    connect(readAll, &QPushButton::clicked, this, &ReadyTablePage::BTabKomplettClick);
    connect(sendAll, &QPushButton::clicked, this, &ReadyTablePage::SetBTableCompleteClick);
    connect(defaults, &QPushButton::clicked, this, &ReadyTablePage::SetStartDefaultsClick);
    connect(save, &QPushButton::clicked, this, &ReadyTablePage::SaveReadyFile);
    connect(open, &QPushButton::clicked, this, &ReadyTablePage::OpenReadyFile);
    connect(doCheck, &QPushButton::clicked, this, &ReadyTablePage::DoCheckBereittabClick);
    connect(tabInit, &QPushButton::clicked, this, &ReadyTablePage::InitReadyTable);
    connect(sort, &QPushButton::clicked, m_editor, &ReadyGridEditor::SortReadyGridView);
    connect(m_herdMax, &QSpinBox::valueChanged, this, [this](int value) {
        m_ctx.setHerdMax(value);
        m_editor->ShowReadyTableDay(false);
    });
}

int ReadyTablePage::herdMax() const
{
    return m_herdMax->value();
}

bool ReadyTablePage::debugDefaults() const
{
    return m_debugDefaults->isChecked();
}

void ReadyTablePage::InitReadyTable()
{
    emptyReadyDecks(m_table, m_flags, herdMax());
    m_editor->ShowReadyTableDay(false);
}

void ReadyTablePage::GetBTableClick()
{
    if (!m_ctx.acceptClick([this] { GetBTableClick(); }))
        return;
    Torvel2Context::Transfer transfer(m_ctx);
    m_ctx.setProgressMaximum(100);
    m_ctx.setProgress(50);
    const int day = m_wochTag->value();
    const int deck = m_herdNo->value();
    QString report; // not shown for a single block
    const bool ok = ReadReadyBlock(transfer.line(), true, day, deck, m_table, m_flags, report,
                                   {debugDefaults(), &m_ctx.debugMemo()});
    m_editor->ShowReadyTableDay(false); // the shown day may hold the block
    m_ctx.state().reportOutcome(readytext::blockReadOutcome(transfer.line().oven, day, deck, ok));
}

void ReadyTablePage::SetBTableClick()
{
    m_editor->CommitReadyGrid();
    const int day = m_wochTag->value();
    const int deck = m_herdNo->value();
    if (!m_flags.isSet(day, deck)) {
        m_ctx.prompter().inform(readytext::kAttention, readytext::kBlockNotRead);
        return;
    }
    if (!m_ctx.acceptClick([this] { SetBTableClick(); }))
        return;
    Torvel2Context::Transfer transfer(m_ctx);
    m_ctx.setProgressMaximum(100);
    m_ctx.setProgress(50);
    const bool ok = WriteReadyBlock(transfer.line(), m_table, deck, day, false);
    if (m_ctx.closing())
        return;
    if (ok)
        m_ctx.prompter().inform(readytext::kAttention, readytext::kSet);
    else
        m_ctx.prompter().inform(readytext::kError, readytext::kNotSet);
    m_ctx.state().reportOutcome(readytext::blockSendOutcome(transfer.line().oven, day, deck, ok));
}

void ReadyTablePage::BTabKomplettClick()
{
    if (!m_ctx.acceptClick([this] { BTabKomplettClick(); }))
        return;
    Torvel2Context::Transfer transfer(m_ctx);
    m_editor->clearSortedView();
    m_ctx.setProgressMaximum(kReadyDays * herdMax());
    m_ctx.setProgress(0);
    rememberSpins();
    QString report;
    const ReadyRun run =
        ReadReadyTable(transfer.line(), herdMax(), m_table, m_flags, report, {debugDefaults(), &m_ctx.debugMemo()},
                       [this](int day, int deck, int step) { return followBlock(day, deck, step); });
    restoreSpins();
    if (run == ReadyRun::Stopped)
        return;
    if (run != ReadyRun::NotAddressed) {
        if (m_defaultCheck->isChecked())
            m_ctx.prompter().inform(readytext::kAttention, readytext::defaultsReport(report));
        QString repaired;
        if (ValidateReadyTable(m_table, repaired, m_ctx.logFolder()))
            m_ctx.prompter().inform(readytext::kAchtung, repaired);
        m_editor->ShowReadyTableDay(true);
    }
    m_ctx.state().reportOutcome(readytext::readOutcome(transfer.line().oven, run == ReadyRun::Done));
}

void ReadyTablePage::SetBTableCompleteClick()
{
    m_editor->CommitReadyGrid();
    // Refused before anything goes on the line: a block never read is never sent.
    const QString missing = missingReadyBlocks(m_flags, herdMax());
    if (!missing.isEmpty()) {
        m_ctx.prompter().inform(readytext::kAttention, readytext::missingBlocksMessage(missing));
        return;
    }
    if (!m_ctx.acceptClick([this] { SetBTableCompleteClick(); }))
        return;
    Torvel2Context::Transfer transfer(m_ctx);
    m_ctx.setProgressMaximum(kReadyDays * herdMax());
    m_ctx.setProgress(0);
    rememberSpins();
    const ReadyRun run = WriteReadyTable(transfer.line(), herdMax(), m_table,
                                         [this](int day, int deck, int step) { return followBlock(day, deck, step); });
    restoreSpins();
    if (run == ReadyRun::Stopped)
        return;
    if (run != ReadyRun::NotAddressed) {
        if (run == ReadyRun::Done)
            m_ctx.prompter().inform(readytext::kAttention, readytext::kSet);
        else
            m_ctx.prompter().inform(readytext::kError, readytext::kNotSet);
        m_editor->ShowReadyTableDay(true);
    }
    m_ctx.state().reportOutcome(readytext::sendOutcome(transfer.line().oven, run == ReadyRun::Done));
}

void ReadyTablePage::SetStartDefaultsClick()
{
    if (!m_ctx.acceptClick([this] { SetStartDefaultsClick(); }))
        return;
    // The window's guard from the click on, through the question (the oven taken here).
    Torvel2Context::Transfer hold(m_ctx, Torvel2Context::TransferKind::ServiceQuery);
    if (m_ctx.prompter().ask(readytext::kWarning, readytext::kDefaultsQuestion,
                             {PromptButton::Yes, PromptButton::No, PromptButton::Cancel})
            != PromptButton::Yes
        || m_ctx.closing()) {
        m_ctx.state().reportOutcome(readytext::defaultsDeclined(hold.line().oven));
        return;
    }
    Torvel2Context::Transfer busy(m_ctx);
    rememberSpins();
    m_wochTag->setValue(0);
    m_herdNo->setValue(1);
    m_ctx.setProgressMaximum(kReadyDays * herdMax());
    m_ctx.setProgress(0);
    const ReadyRun run = SendReadyDefaults(hold.line(), herdMax(), debugDefaults(),
                                           [this](int day, int deck, int step) { return followBlock(day, deck, step); });
    if (run == ReadyRun::Stopped)
        return;
    if (run == ReadyRun::Done)
        m_ctx.prompter().inform(readytext::kAttention, readytext::kSet);
    else
        m_ctx.prompter().inform(readytext::kError, readytext::kDefaultsFailed);
    restoreSpins();
    m_ctx.state().reportOutcome(readytext::defaultsOutcome(hold.line().oven, run == ReadyRun::Done));
}

void ReadyTablePage::DoCheckBereittabClick()
{
    m_ctx.prompter().inform(readytext::kAttention, CheckReadyTableAgainstDefaults(m_table, herdMax(), debugDefaults()));
}

void ReadyTablePage::SaveReadyFile()
{
    m_editor->CommitReadyGrid();
    const QString file = m_ctx.askSaveFileName(kReadyFileFilter, kReadyFileSuffix);
    if (file.isEmpty())
        return;
    QString error;
    if (!saveReadyFile(m_table, file, &error)) {
        m_ctx.prompter().inform(readytext::kError, readytext::kSaveFailed);
        return;
    }
    m_ctx.state().reportOutcome(QStringLiteral("Bereittabelle gespeichert: %1").arg(QFileInfo(file).fileName()));
}

void ReadyTablePage::OpenReadyFile()
{
    const QString file = m_ctx.askOpenFileName(kReadyFileFilter, kReadyFileSuffix);
    if (file.isEmpty())
        return;
    QString error;
    QString repaired;
    // A file that cannot be used leaves the table, its flags and the grid as they were.
    if (!openReadyFile(file, m_ctx.logFolder(), &m_table, &m_flags, &error, &repaired)) {
        m_ctx.prompter().inform(readytext::kError, readytext::kOpenFailed);
        m_ctx.state().reportOutcome(QStringLiteral("Bereittabelle nicht geöffnet: %1").arg(QFileInfo(file).fileName()));
        return;
    }
    if (!repaired.isEmpty())
        m_ctx.prompter().inform(readytext::kAchtung, repaired);
    if (m_defaultCheck->isChecked())
        DoCheckBereittabClick();
    m_editor->ShowReadyTableDay(true);
    m_ctx.state().reportOutcome(QStringLiteral("Bereittabelle geöffnet: %1").arg(QFileInfo(file).fileName()));
}

bool ReadyTablePage::followBlock(int day, int deck, int step)
{
    if (m_ctx.closing())
        return false;
    m_wochTag->setValue(day);
    m_herdNo->setValue(deck);
    m_ctx.setProgress(step);
    return true;
}

void ReadyTablePage::rememberSpins()
{
    m_savedDay = m_wochTag->value();
    m_savedDeck = m_herdNo->value();
}

void ReadyTablePage::restoreSpins()
{
    m_wochTag->setValue(m_savedDay);
    m_herdNo->setValue(m_savedDeck);
}
} // namespace torvel
