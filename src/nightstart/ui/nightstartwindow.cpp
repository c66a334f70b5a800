#include "nightstartwindow.h"

#include "link/controllerlink.h"
#include "nightstart/nightcheck.h"
#include "nightstart/nightcompare.h"
#include "nightstart/nightfiles.h"
#include "nightstart/nightstartgrid.h"
#include "nightstart/nighttransfer.h"
#include "shell/appstate.h"
#include "shell/prompter.h"
#include "shell/sheetmodel.h"
#include "shell/ui/childhost.h"
#include "shell/ui/compareresultpanel.h"
#include "shell/ui/gridview.h"
#include "shell/ui/namedcontrol.h"
#include "shell/ui/windowbusy.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <utility>

namespace torvel {

namespace {
const QString kFileErrorCaption = QStringLiteral("FEHLER");

} // namespace

NightStartWindow::NightStartWindow(AppState *state, ControllerLink *link, Prompter *prompter, QWidget *parent)
    : QWidget(parent), m_state(state), m_link(link), m_prompter(prompter), m_sheet(new SheetModel(this)),
      m_busy(new WindowBusy(this, state, link))
{
    setObjectName(QStringLiteral("TNacht"));
    setWindowTitle(QStringLiteral("Nacht"));
    setupNightStartGrid(*m_sheet);

    m_nachtzeit = new GridView(m_sheet, this);
    m_nachtzeit->setObjectName(QStringLiteral("Nachtzeit"));
    m_nachtRead = named<QPushButton>(QStringLiteral("NachtRead"), QStringLiteral("Nachtstartzeiten vom Torvel lesen"), this);
    m_nachtWrite = named<QPushButton>(QStringLiteral("NachtWrite"), QStringLiteral("Nachtstartzeiten zum Torvel senden"), this);
    m_vergleichen = named<QPushButton>(QStringLiteral("NachtVergleichen"), QStringLiteral("Mit Torvel vergleichen"), this);
    m_vergleichen->setToolTip(QStringLiteral("Liest die Nachtstartzeiten vom Torvel, ohne die Tabelle zu ändern, "
                                             "und markiert, was ein Senden dort ändern würde."));
    m_compareResult = new CompareResultPanel({{CellMark::Differs, QStringLiteral("verschieden")},
                                              {CellMark::RowDiffers, QStringLiteral("Tag mit anderen Zeiten")}},
                                             this);
    m_abbruch = named<QPushButton>(QStringLiteral("AbbruchButton"), QStringLiteral("Abbruch"), this);
    m_abbruch->setEnabled(false);
    m_nachtLoadBtn = named<QPushButton>(QStringLiteral("NachtLoadBtn"), QStringLiteral("Nachtstartzeiten laden"), this);
    m_nachtLoadBtn->hide();
    m_nachtWriteBtn = named<QPushButton>(QStringLiteral("NachtWriteBtn"), QStringLiteral("Nachtstartzeiten speichern"), this);
    m_nachtWriteBtn->hide();

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_nachtRead);
    buttons->addWidget(m_nachtWrite);
    buttons->addWidget(m_vergleichen);
    buttons->addWidget(m_abbruch);
    buttons->addWidget(m_nachtLoadBtn);
    buttons->addWidget(m_nachtWriteBtn);
    buttons->addWidget(m_busy->hint());
    buttons->addWidget(m_compareResult); // beside the grid: the window keeps its size
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_nachtzeit, 1);
    layout->addLayout(buttons);

    // Sized to the controls: the whole 8 x 5 grid without scroll bars.
    QTableView *table = m_nachtzeit->table();
    const QFontMetrics metrics = table->fontMetrics();
    table->setColumnWidth(0, metrics.horizontalAdvance(QStringLiteral("Donnerstag")) + 16);
    for (int col = 1; col < kNightCols; ++col) // room for the markers "  -----"
        table->setColumnWidth(col, metrics.horizontalAdvance(QStringLiteral("  -----")) + 16);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int frame = 2 * table->frameWidth();
    table->setMinimumSize(table->verticalHeader()->sizeHint().width() + table->horizontalHeader()->length() + frame,
                          table->horizontalHeader()->sizeHint().height() + table->verticalHeader()->length() + frame);
    adjustSize();

    connect(m_nachtRead, &QPushButton::clicked, this, &NightStartWindow::NachtReadClick);
    connect(m_nachtWrite, &QPushButton::clicked, this, &NightStartWindow::NachtWriteClick);
    connect(m_vergleichen, &QPushButton::clicked, this, &NightStartWindow::NachtVergleichenClick);
    // A compare describes the grid as it was (the sheet drops the marks itself on a change)
    // and the oven it was made with.
    connect(m_sheet, &SheetModel::cellsChanged, m_compareResult, &CompareResultPanel::clear);
    connect(m_state, &AppState::selectedOvenChanged, this, [this] {
        m_sheet->clearMarks();
        m_compareResult->clear();
    });
    connect(m_nachtLoadBtn, &QPushButton::clicked, this, &NightStartWindow::NachtReadClick);
    connect(m_nachtWriteBtn, &QPushButton::clicked, this, &NightStartWindow::NachtWriteClick);
    connect(m_abbruch, &QPushButton::clicked, this, [this] { m_state->abortFlag = true; });
    connect(m_nachtzeit, &GridView::keyPress, this, &NightStartWindow::NachtzeitKeyPress);
    connect(m_busy, &WindowBusy::heldChanged, this, &NightStartWindow::setBusy);
    connect(m_busy, &WindowBusy::released, this, &NightStartWindow::finishTransfer);

    m_state->nightStartWindow = this;
    followActivation(this, [this] { onActivated(); });
}

NightStartWindow::~NightStartWindow()
{
    unregister();
    delete m_nachtzeit; // the view goes before the sheet it shows (children die in creation order)
}

void NightStartWindow::unregister()
{
    if (m_state->nightStartWindow == this)
        m_state->nightStartWindow = nullptr;
}

bool NightStartWindow::transferRunning() const
{
    return m_busy->held();
}

void NightStartWindow::setBusy(bool on)
{
    for (QPushButton *b : {m_nachtRead, m_nachtWrite, m_vergleichen, m_nachtLoadBtn, m_nachtWriteBtn})
        b->setEnabled(!on);
    m_abbruch->setEnabled(on);
    // The transfer writes the cells; typing meanwhile would mix with it.
    m_nachtzeit->setEnabled(!on);
}

void NightStartWindow::NachtReadClick()
{
    m_busy->runWhenLineFree([this] { read(); });
}

void NightStartWindow::NachtWriteClick()
{
    m_busy->runWhenLineFree([this] { send(); });
}

void NightStartWindow::read()
{
    const int oven = m_state->selectedOven(); // taken once: a later choice does not redirect it
    const bool read = NightTransfer(*m_state, m_link->engine(), *m_prompter, *m_sheet).read(oven);
    if (!m_link->engine().isLineLost()) // a lost line has said so itself
        m_state->reportOutcome(nightReadOutcome(oven, read, m_sheet->text(kNightFirstValueRow, kNightFirstValueCol) == nightmarker::kTrying));
}

void NightStartWindow::send()
{
    const int oven = m_state->selectedOven();
    const NightSendResult result = NightTransfer(*m_state, m_link->engine(), *m_prompter, *m_sheet).send(oven);
    if (!m_link->engine().isLineLost())
        m_state->reportOutcome(nightSendOutcome(oven, result));
}

void NightStartWindow::NachtVergleichenClick()
{
    m_busy->runWhenLineFree([this] { compare(); });
}

void NightStartWindow::compare()
{
    const int oven = m_state->selectedOven();
    // What cannot be sent cannot be compared: said before anything goes on the line.
    if (const auto problem = findInvalidNightCell(*m_sheet)) {
        m_prompter->inform(kNightCellProblemCaption, nightCompareProblemText(*problem));
        return;
    }
    bool aborted = false;
    const auto record = readOvenNightRecord(*m_state, m_link->engine(), *m_prompter, oven, &aborted);
    if (m_busy->closing())
        return;
    const bool lost = m_link->engine().isLineLost(); // a lost line has said so itself
    if (!record) {
        if (!lost)
            m_state->reportOutcome(nightReadOutcome(oven, false, aborted));
        return;
    }
    const QList<NightCellDiff> diffs = compareNightRecords(nightRecordAsSent(*m_sheet), *record);
    m_sheet->clearMarks();
    markNightDifferences(*m_sheet, diffs, *record);
    const QString summary = nightCompareSummary(oven, diffs);
    m_compareResult->showResult(summary);
    if (!lost)
        m_state->reportOutcome(summary);
}

void NightStartWindow::NachtzeitKeyPress(QChar *ch)
{
    if (*ch < QLatin1Char('0') || *ch > QLatin1Char('9'))
        *ch = QChar();
}

void NightStartWindow::finishTransfer()
{
    const QList<PendingRequest> pending = std::exchange(m_pending, {});
    for (const PendingRequest &r : pending)
        handleRequest(r);
    emit transferFinished();
}

void NightStartWindow::closeEvent(QCloseEvent *event)
{
    unregister();
    // The transfer still runs on this window's stack: hidden now, closed when it returns.
    if (m_busy->deferClose(event))
        return;
    event->accept();
    // Closed directly (not through its frame): take the subwindow along.
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->close();
}

bool NightStartWindow::event(QEvent *event)
{
    if (event->type() == RequestEvent::eventType()) {
        const auto *r = static_cast<RequestEvent *>(event);
        const PendingRequest request{r->request(), r->p1(), m_state->currentFileName};
        if (m_busy->held() && request.request != Request::ShowAgain)
            m_pending << request; // the grid must not change or be half-saved under a transfer
        else
            handleRequest(request);
        return true;
    }
    return QWidget::event(event);
}

void NightStartWindow::handleRequest(const PendingRequest &request)
{
    const bool usb = request.p1 == kUsbParam;
    switch (request.request) {
    case Request::ShowAgain:
        if (!m_busy->closing())
            showAgain(this);
        break;
    case Request::NachtSave:
        saveGrid(usb, request.fileName);
        break;
    case Request::NachtLoad:
        loadGrid(usb, request.fileName);
        break;
    case Request::Print:
        printGrid();
        break;
    default:
        break;
    }
}

void NightStartWindow::saveGrid(bool usb, const QString &fileName)
{
    if (fileName.isEmpty()) {
        m_prompter->inform(kFileErrorCaption, QStringLiteral("Kein Dateiname angegeben."));
        return;
    }
    const NightFileKind kind = usb ? NightFileKind::Tbz : NightFileKind::Ngt;
    const QString name = withNightSuffix(fileName, kind);
    m_state->currentFileName = name;
    QString error;
    if (!saveNightFile(*m_sheet, name, kind, &error))
        m_prompter->inform(kFileErrorCaption, error);
}

void NightStartWindow::loadGrid(bool usb, const QString &fileName)
{
    QString error;
    if (!loadNightFile(fileName, usb ? NightFileKind::Tbz : NightFileKind::Ngt, *m_sheet, &error)) {
        m_prompter->inform(kFileErrorCaption, error);
        return;
    }
    m_sheet->clearMarks(); // also when the file held what the grid showed
    m_compareResult->clear();
}

void NightStartWindow::printGrid()
{
    printNightGrid(*m_sheet, *m_prompter, this, m_print);
}


void NightStartWindow::onActivated()
{
    m_state->printTarget = this;
}
} // namespace torvel
