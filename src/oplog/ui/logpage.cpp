#include "logpage.h"

#include "gridprinter.h"

#include "oplog/logfile.h"
#include "oplog/loggrid.h"
#include "oplog/logreadview.h"
#include "oplog/logtexts.h"
#include "oplog/logtransfer.h"
#include "shell/appstate.h"
#include "shell/prompter.h"
#include "shell/sheetmodel.h"
#include "shell/ui/gridview.h"
#include "shell/ui/namedcontrol.h"
#include "torvel2/ui/torvel2context.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace torvel {

namespace {
LogReference logReference(const ReferenceYear &r)
{
    LogReference out;
    out.RefYear = r.RefYear;
    out.CheckYear = r.CheckYear;
    out.source = r.source == ReferenceYear::Source::PcTime   ? LogReference::Source::PcTime
                 : r.source == ReferenceYear::Source::Manual ? LogReference::Source::Manual
                                                             : LogReference::Source::TorvelTime;
    return out;
}

// The read shows its progress in the window's gauge and its block in `HiOff`, and stops at
// "Abbrechen".
class PageReadView : public LogReadView
{
public:
    PageReadView(Torvel2Context &ctx, QSpinBox *offset) : m_ctx(ctx), m_offset(offset) {}
    void setProgress(int value, int maximum) override
    {
        if (m_ctx.progressMaximum() != maximum)
            m_ctx.setProgressMaximum(maximum);
        m_ctx.setProgress(value);
    }
    void setOffset(int entry) override { m_offset->setValue(std::clamp(entry, 0, m_offset->maximum())); }
    bool abortRequested() const override { return m_ctx.abortRequested(); }
    void clearAbort() override { m_ctx.setAbortFlag(false); }

private:
    Torvel2Context &m_ctx;
    QSpinBox *m_offset;
};

std::unique_ptr<QPrinter> defaultPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}
} // namespace

LogPage::LogPage(Torvel2Context &ctx, LogKind kind, const Names &names, QWidget *parent)
    : QWidget(parent), m_ctx(ctx), m_kind(kind), m_sheet(new SheetModel(this))
{
    setObjectName(QString::fromLatin1(names.sheet));
    setupLogGrid(*m_sheet, kind);

    m_grid = new GridView(m_sheet, this);
    m_grid->setObjectName(QString::fromLatin1(names.grid));
    QTableView *table = m_grid->table();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    // The form's widths, wider where a title or a typical entry needs it.
    const QFontMetrics fm = table->fontMetrics();
    const QStringList typical{QStringLiteral("0000"),          QStringLiteral("00.00.0000"),
                              QStringLiteral("00:00 (MO)"),    QStringLiteral("Nachtstart durchgeführt."),
                              QStringLiteral("Herd 15"),       QStringLiteral("000"),
                              QStringLiteral("Laugengebäck  ")};
    for (int col = 0; col < kLogGridCols; ++col)
        table->setColumnWidth(col, std::max({kLogColumnWidths.at(col), table->horizontalHeader()->sectionSizeHint(col),
                                             fm.horizontalAdvance(typical.at(col)) + 12}));

    auto *read = named<QPushButton>(names.read, QStringLiteral("Lesen"), this);
    auto *clear = named<QPushButton>(names.clear, QStringLiteral("Löschen"), this);
    auto *save = named<QPushButton>(names.save, QStringLiteral("Speichern"), this);
    auto *open = named<QPushButton>(names.open, QStringLiteral("Öffnen"), this);
    auto *print = named<QPushButton>(names.print, QStringLiteral("Drucken"), this);

    // The debug panel, for the service technician who comes with the MODEM switch.
    auto *debug = new QFrame(this);
    debug->setObjectName(QString::fromLatin1(names.sheet) + QStringLiteral("Debug"));
    debug->setFrameShape(QFrame::StyledPanel);
    m_offset = new QSpinBox(debug);
    m_offset->setObjectName(QString::fromLatin1(names.offset));
    m_offset->setRange(0, 65535);
    m_readComplete = named<QCheckBox>(names.readComplete, QStringLiteral("ReadComplete"), debug);
    m_ignoreError = named<QCheckBox>(names.ignoreError, QStringLiteral("IgnoreError"), debug);
    m_endurance = named<QCheckBox>(names.endurance, QString::fromLatin1(names.enduranceText), debug);
    auto *offsetRow = new QHBoxLayout;
    offsetRow->addWidget(new QLabel(QStringLiteral("Offset:"), debug));
    offsetRow->addWidget(m_offset, 1);
    auto *debugLayout = new QVBoxLayout(debug);
    debugLayout->addLayout(offsetRow);
    debugLayout->addWidget(m_readComplete);
    debugLayout->addWidget(m_ignoreError);
    debugLayout->addWidget(m_endurance);
    if (names.saveDebug) {
        auto *saveDebug = named<QPushButton>(names.saveDebug, QStringLiteral("SaveDebugData"), debug);
        debugLayout->addWidget(saveDebug);
        connect(saveDebug, &QPushButton::clicked, this, [this] { m_ctx.SaveDebugMemo(); });
    }
    debug->setVisible(m_ctx.state().modemStartup);

    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {read, clear, save, open, print})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(debug);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);

    m_enduranceTimer = new QTimer(this);
    m_enduranceTimer->setObjectName(QString::fromLatin1(names.endurance) + QStringLiteral("Timer"));
    m_enduranceTimer->setSingleShot(true);
    m_enduranceTimer->setInterval(kEnduranceGapMs);
    connect(m_enduranceTimer, &QTimer::timeout, this, &LogPage::enduranceTick);
    connect(m_endurance, &QCheckBox::toggled, this, [this](bool on) {
        if (on || !m_enduranceTimer->isActive())
            return; // a read under way says it itself when it returns
        m_enduranceTimer->stop();
        m_ctx.state().reportOutcome(enduranceEnded());
    });

    // The operating data page's box is the window's `IgnoreError` (the gradient table takes it
    // too); the error list has a box of its own.
    if (kind == LogKind::OperatingData) {
        m_ignoreError->setChecked(m_ctx.ignoreError());
        connect(m_ignoreError, &QCheckBox::toggled, &m_ctx, &Torvel2Context::setIgnoreError);
        connect(&m_ctx, &Torvel2Context::ignoreErrorChanged, m_ignoreError, &QCheckBox::setChecked);
    }

    connect(read, &QPushButton::clicked, this, &LogPage::ReadClick);
    connect(clear, &QPushButton::clicked, this, &LogPage::ClearClick);
    connect(save, &QPushButton::clicked, this, &LogPage::SaveClick);
    connect(open, &QPushButton::clicked, this, &LogPage::OpenClick);
    connect(print, &QPushButton::clicked, this, &LogPage::PrintClick);
}

LogPage::~LogPage()
{
    delete m_grid; // the view goes before the sheet it shows
}

QString LogPage::enduranceEnded() const
{
    return QStringLiteral("Dauertest beendet nach %1 Lesevorgängen.").arg(m_enduranceRounds);
}

bool LogPage::ignoreError() const
{
    return m_kind == LogKind::OperatingData ? m_ctx.ignoreError() : m_ignoreError->isChecked();
}

QList<int> LogPage::columnWidths() const
{
    QList<int> widths;
    for (int col = 0; col < kLogGridCols; ++col)
        widths << m_grid->table()->columnWidth(col);
    return widths;
}

void LogPage::showList(const OperatingList &list, bool newestFirst)
{
    m_grid->setEnabled(false);
    ShowOperatingList(*m_sheet, list, newestFirst);
    m_grid->setEnabled(true);
    m_ctx.setCaption(list.header);
}

void LogPage::ReadClick()
{
    if (!m_ctx.acceptClick([this] { ReadClick(); }))
        return;
    m_enduranceTimer->stop();
    m_enduranceRounds = 0;
    const bool endurance = m_endurance->isChecked();
    // The endurance test goes on while its box stays checked, once the first read succeeded.
    if (readOnce(!endurance, endurance) && endurance && m_endurance->isChecked() && !m_ctx.closing())
        m_enduranceTimer->start();
}

void LogPage::enduranceTick()
{
    if (!m_endurance->isChecked() || m_ctx.closing())
        return;
    if (!m_ctx.acceptClick([this] { enduranceTick(); }))
        return;
    readOnce(false, true);
    if (m_endurance->isChecked() && !m_ctx.closing())
        m_enduranceTimer->start();
}

bool LogPage::readOnce(bool showMessages, bool endurance)
{
    // An endurance test leaves the window usable, so its box can be unchecked during a read;
    // a click that needs the line waits for it meanwhile (acceptClick).
    Torvel2Context::Transfer transfer(m_ctx, endurance ? Torvel2Context::TransferKind::ServiceQuery
                                                       : Torvel2Context::TransferKind::Page);
    if (endurance)
        m_ctx.state().pauseClockPolling();
    PageReadView view(m_ctx, m_offset);
    LogReadOptions options;
    options.offset = m_offset->value();
    options.ignoreError = ignoreError();
    options.readComplete = m_readComplete->isChecked();
    options.reference = logReference(m_ctx.reference());
    options.memo = &m_ctx.debugMemo();
    options.view = &view;
    // Read aside: a file opened meanwhile never mixes with the entries coming in.
    OperatingList list;
    const LogReadResult result = ReadOperatingList(transfer.line(), m_kind, showMessages, options, list);
    if (endurance)
        m_ctx.state().resumeClockPolling();
    m_ctx.operatingList() = list;

    ReferenceYear reference = m_ctx.reference();
    reference.RefYear = result.refYear;
    if (result.refYearRed)
        reference.refYearRed = *result.refYearRed;
    m_ctx.setReference(reference);
    showList(list, true);
    m_offset->setValue(0);
    QString outcome = logtext::readOutcome(m_kind, transfer.line().oven, result.ok, result.aborted,
                                           static_cast<int>(list.entries.size()));
    if (endurance) {
        ++m_enduranceRounds;
        outcome = m_endurance->isChecked() ? QStringLiteral("Dauertest, %1. Lesen: ").arg(m_enduranceRounds) + outcome
                                           : enduranceEnded() + QLatin1Char(' ') + outcome;
    }
    m_ctx.state().reportOutcome(outcome);
    return result.ok;
}

void LogPage::ClearClick()
{
    if (!m_ctx.acceptClick([this] { ClearClick(); }))
        return;
    // The question first, the window busy only while the oven is talked to.
    const int oven = m_ctx.state().selectedOven();
    if (!confirmLogClear(m_ctx.prompter(), m_kind) || m_ctx.closing()) {
        m_ctx.state().reportOutcome(logtext::clearOutcome(m_kind, oven, false, false));
        return;
    }
    // Whatever ran meanwhile (a poll) has returned before the question could.
    Torvel2Context::Transfer transfer(m_ctx);
    const LogClearResult result = clearLogConfirmed(transfer.line(), m_kind, true, &m_ctx.vksMemo());
    m_ctx.state().reportOutcome(
        logtext::clearOutcome(m_kind, transfer.line().oven, result == LogClearResult::Cleared, true));
}

void LogPage::SaveClick()
{
    if (!m_ctx.acceptClick([this] { SaveClick(); }))
        return; // during an endurance read: once it has returned
    int type = 0;
    const QString file = m_ctx.askSaveFileName(kLogSaveFilters, kLogFileSuffix, &type);
    if (file.isEmpty())
        return;
    QString error;
    if (!saveOperatingFile(file, *m_sheet, m_ctx.caption(), m_kind, logFileTypeOfFilter(type), &error)) {
        m_ctx.prompter().inform(logtext::kError, logtext::saveFailed(m_kind));
        m_ctx.state().reportOutcome(error);
        return;
    }
    m_ctx.state().reportOutcome(QStringLiteral("%1 gespeichert: %2").arg(logTitle(m_kind), file));
}

void LogPage::OpenClick()
{
    if (!m_ctx.acceptClick([this] { OpenClick(); }))
        return;
    const QString file = m_ctx.askOpenFileName(kLogOpenFilters.join(QStringLiteral(";;")), kLogFileSuffix);
    if (file.isEmpty())
        return;
    OperatingList opened;
    QString error;
    if (!openOperatingFile(file, m_kind, &opened, &error)) {
        // A file that cannot be used leaves the list and the grid as they were.
        m_ctx.prompter().inform(logtext::kError, logtext::openFailed(m_kind) + QStringLiteral("\r\n") + error);
        return;
    }
    m_ctx.operatingList() = opened;
    showList(opened, false);
    m_ctx.state().reportOutcome(
        QStringLiteral("%1 geöffnet: %2 Einträge aus %3").arg(logTitle(m_kind)).arg(opened.entries.size()).arg(file));
}

void LogPage::PrintClick()
{
    if (!m_ctx.acceptClick([this] { PrintClick(); }))
        return;
    if (m_ctx.prompter().ask(logtext::kAttention, logtext::kPrintQuestion,
                             {PromptButton::Yes, PromptButton::No, PromptButton::Cancel})
        != PromptButton::Yes)
        return;
    const QString title = logPrintTitle(m_ctx.caption(), m_kind);
    const std::unique_ptr<QPrinter> printer = makePrinter ? makePrinter() : defaultPrinter();
    if (!printer) {
        m_ctx.prompter().inform(logtext::kError,
                                QStringLiteral("Es ist kein Standard-Drucker eingerichtet: nichts gedruckt."));
        return;
    }
    QString error;
    if (!PrintGrid(*printer, *m_sheet, columnWidths(), title, QPageLayout::Portrait, true, &error)) {
        m_ctx.prompter().inform(logtext::kError, error);
        return;
    }
    const int pages = gridPrintLayout(*printer, logGridRowCount(*m_sheet)).pages;
    m_ctx.state().reportOutcome(QStringLiteral("%1 gedruckt: %2 Seiten.").arg(title).arg(pages));
}
} // namespace torvel
