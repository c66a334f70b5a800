#include "programlistwindow.h"

#include "rangedialog.h"

#include "bakeprog/editorprogram.h"
#include "bakeprog/programcompare.h"
#include "bakeprog/programlistfiles.h"
#include "bakeprog/programprint.h"
#include "bakeprog/programsheet.h"
#include "bakeprog/typedvalue.h"
#include "bakeprog/ui/servicepanel.h"
#include "bakeprog/ui/programprinter.h"
#include "bakeprog/ui/programeditorwindow.h"
#include "shell/ui/childhost.h"
#include "link/controllerlink.h"
#include "shell/appstate.h"
#include "shell/prompter.h"
#include "shell/requests.h"
#include "shell/transferguard.h"
#include "shell/ui/compareresultpanel.h"
#include "shell/ui/gridview.h"
#include "shell/ui/windowbusy.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

namespace torvel {

namespace {
const QString kTimePending = QStringLiteral("Übertragungszeit=..");

QString elapsedText(qint64 ms)
{
    // A duration: hours, minutes and seconds, never a time zone.
    return QStringLiteral("Übertragungszeit=") + QTime(0, 0).addMSecs(static_cast<int>(ms)).toString(QStringLiteral("HH:mm:ss"));
}
} // namespace

QString ProgramListWindow::captionFor(const AppState &state)
{
    return state.damperSecondsMode ? QStringLiteral("Backprogramm (ABZUG-Sekunden)") : QStringLiteral("Backprogramm");
}

ProgramListWindow::ProgramListWindow(AppState *state, ControllerLink *link, Prompter *prompter, RangeDialog *rangeDialog, QWidget *parent)
    : QWidget(parent), m_state(state), m_link(link), m_prompter(prompter), m_rangeDialog(rangeDialog),
      m_busyGuard(new WindowBusy(this, state, link))
{
    setObjectName(QStringLiteral("TBPrg"));
    setWindowTitle(captionFor(*state));
    setupProgramSheet(m_record);
    describeProgramColumns(m_record, m_state->minuteColumns);
    m_grid = new GridView(&m_record, this);
    m_grid->setObjectName(QStringLiteral("BackPrg"));
    // Double-click opens the editor, so editing in place starts by typing or F2 only.
    m_grid->table()->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
    m_grid->setFrozenColumns(1); // the names stay in view while the values scroll
    connect(m_grid, &GridView::doubleClicked, this, [this](int row, int) {
        if (row > 0)
            emit editRequested(row);
    });
    connect(m_grid, &GridView::keyDown, this, [this](int key, Qt::KeyboardModifiers, bool *handled) {
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_record.currentRow() > 0) {
            *handled = true;
            emit editRequested(m_record.currentRow());
        }
    });
    connect(this, &ProgramListWindow::editRequested, this, &ProgramListWindow::openEditor);
    // Names take every key; value columns only digits, and only what the controller holds.
    connect(m_grid, &GridView::keyPress, this, [this](QChar *ch) {
        if (m_record.currentCol() >= 2 && !ch->isDigit())
            *ch = QChar();
    });
    m_grid->setEditCheck(
        [this](int row, int col, const QString &text) { return checkTypedCell(row, col, text); });
    connect(m_grid, &GridView::cellEdited, this, [this] { m_recordModified = true; });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_grid, 1);
    buildButtons();
    layout->addWidget(m_progressPanel);
    layout->addWidget(m_compareResult);
    layout->addWidget(m_busyGuard->hint());
    auto *buttons = new QWidget(this);
    buttons->setObjectName(QStringLiteral("Buttons"));
    auto *row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_receive);
    row->addWidget(m_send);
    row->addWidget(m_compare);
    row->addWidget(m_abort);
    row->addWidget(m_eleven);
    row->addWidget(m_ninetyNine);
    row->addStretch();
    row->addWidget(m_debugPanel);
    layout->addWidget(buttons);
    resize(900, 560);

    m_gaugeTimer.setSingleShot(true);
    m_gaugeTimer.setInterval(50);
    connect(&m_gaugeTimer, &QTimer::timeout, this, &ProgramListWindow::showProgress);
    connect(m_busyGuard, &WindowBusy::heldChanged, this, [this](bool held) {
        m_receive->setEnabled(!held);
        m_send->setEnabled(!held);
        m_compare->setEnabled(!held);
    });
    // A compare describes the list as it was: any change of it ends the result (the sheet
    // drops the marks itself); another oven makes it, and all that is known, stale.
    connect(&m_record, &SheetModel::cellsChanged, m_compareResult, &CompareResultPanel::clear);
    connect(m_state, &AppState::selectedOvenChanged, this, [this] {
        m_oven.forgetAll();
        forgetComparison();
    });
    connect(m_busyGuard, &WindowBusy::released, this, &ProgramListWindow::runPendingRequests);
    m_state->bakeProgramList = this;
    followActivation(this, [this] { onActivated(); });
}

ProgramListWindow::~ProgramListWindow()
{
    // The grid reads the record: it must go before the record member does.
    delete m_grid;
}

void ProgramListWindow::buildButtons()
{
    m_progressPanel = new QWidget(this);
    m_progressPanel->setObjectName(QStringLiteral("Fortschritt"));
    m_step = new QLabel(QStringLiteral("empfange Backprogrammname Nr."), m_progressPanel);
    m_step->setObjectName(QStringLiteral("Empfange"));
    m_number = new QLabel(m_progressPanel);
    m_number->setObjectName(QStringLiteral("Nummer"));
    m_number->setMinimumWidth(30);
    m_gauge = new QProgressBar(m_progressPanel);
    m_gauge->setObjectName(QStringLiteral("Gauge1"));
    auto *p = new QHBoxLayout(m_progressPanel);
    p->setContentsMargins(0, 0, 0, 0);
    p->addWidget(m_step);
    p->addWidget(m_number);
    p->addSpacing(20);
    p->addWidget(new QLabel(QStringLiteral("Gesamtfortschritt:"), m_progressPanel));
    p->addWidget(m_gauge, 1);
    m_progressPanel->hide();

    m_receive = new QPushButton(QStringLiteral("Backprogramme vom Torvel lesen"), this);
    m_receive->setObjectName(QStringLiteral("BPrgempfangen"));
    connect(m_receive, &QPushButton::clicked, this, &ProgramListWindow::BPrgempfangenClick);
    m_send = new QPushButton(QStringLiteral("Backprogramme zum Torvel senden"), this);
    m_send->setObjectName(QStringLiteral("BPrgsenden"));
    connect(m_send, &QPushButton::clicked, this, &ProgramListWindow::BPrgsendenClick);
    m_compare = new QPushButton(QStringLiteral("Mit Torvel vergleichen"), this);
    m_compare->setObjectName(QStringLiteral("BPrgVergleichen"));
    m_compare->setToolTip(QStringLiteral("Liest die Programme eines Bereichs vom Torvel, ohne die Liste zu ändern, "
                                         "und markiert, was ein Senden dort ändern würde."));
    connect(m_compare, &QPushButton::clicked, this, &ProgramListWindow::BPrgVergleichenClick);
    m_compareResult = new CompareResultPanel({{CellMark::Differs, QStringLiteral("verschieden")},
                                              {CellMark::RowDiffers, QStringLiteral("Programm mit anderen Werten")},
                                              {CellMark::OnlyHere, QStringLiteral("nur in der Liste")},
                                              {CellMark::OnlyThere, QStringLiteral("nur am Torvel")}},
                                             this);
    m_abort = new QPushButton(QStringLiteral("Abbrechen"), this);
    m_abort->setObjectName(QStringLiteral("AbbruchButton"));
    m_abort->setEnabled(false);
    connect(m_abort, &QPushButton::clicked, this, &ProgramListWindow::AbbruchButtonClick);

    m_eleven = new QRadioButton(QStringLiteral("11 Backprogramme"), this);
    m_eleven->setObjectName(QStringLiteral("RadioButton1"));
    m_ninetyNine = new QRadioButton(QStringLiteral("99 Backprogramme"), this);
    m_ninetyNine->setObjectName(QStringLiteral("RadioButton2"));
    m_ninetyNine->setChecked(m_state->maxPrograms != 11);
    m_eleven->setChecked(m_state->maxPrograms == 11);
    connect(m_eleven, &QRadioButton::toggled, this, [this](bool on) { m_state->maxPrograms = on ? 11 : 99; });
    m_eleven->hide();
    m_ninetyNine->hide();

    m_debugPanel = new ServicePanel(this);
    m_debugPanel->attach(&m_record, m_prompter);
    m_debugPanel->setMaxPrograms(m_state->maxPrograms);
    m_transferTime = m_debugPanel->uebertragungszeit();
    m_retrytest = m_debugPanel->retrytest();
}

void ProgramListWindow::showEvent(QShowEvent *event)
{
    m_debugPanel->applyServiceMode(m_state->serviceMode);
    QWidget::showEvent(event);
}

void ProgramListWindow::setStep(const QString &text)
{
    m_step->setText(text);
}

void ProgramListWindow::setNumber(int n)
{
    m_number->setText(QString::number(n));
}

void ProgramListWindow::setProgress(int value, int maximum)
{
    // A progress bar repaints at once on every step; the gauge follows at most every 50 ms.
    m_progressValue = std::min(value, std::max(1, maximum));
    m_progressMax = std::max(1, maximum);
    if (value == 0 || value >= maximum)
        showProgress();
    else if (!m_gaugeTimer.isActive())
        m_gaugeTimer.start();
}

void ProgramListWindow::showProgress()
{
    m_gaugeTimer.stop();
    m_gauge->setMaximum(m_progressMax);
    m_gauge->setValue(m_progressValue);
}

bool ProgramListWindow::busy() const
{
    return m_busyGuard->held();
}

// The transfer itself: "Abbrechen" and the progress panel (the buttons follow the guard).
void ProgramListWindow::setBusy(bool busy)
{
    m_transferring = busy;
    m_abort->setEnabled(busy);
    m_progressPanel->setVisible(busy);
}

bool ProgramListWindow::prepare(const QString &label, int oven, int *first, int *last)
{
    m_transferTime->setText(kTimePending);
    std::optional<int> capacity;
    {
        TransferGuard guard(*m_state, &m_link->engine());
        capacity = QueryProgramCapacity(m_link->engine(), oven);
    }
    if (m_busyGuard->closing())
        return false; // closed while the controller was asked: nothing more happens
    if (!capacity) {
        if (!m_link->engine().isLineLost()) // a lost line has said so itself
            m_prompter->inform(kNotReachableCaption, notReachableText(m_link->engine()));
        return false;
    }
    return m_rangeDialog->choose(label, *capacity, first, last) && !m_busyGuard->closing();
}

bool ProgramListWindow::mayDiscardChanges()
{
    return !m_recordModified
           || m_prompter->ask(kDiscardChangesCaption, kDiscardChangesText, {PromptButton::Yes, PromptButton::No})
                  == PromptButton::Yes;
}

void ProgramListWindow::BPrgempfangenClick()
{
    m_busyGuard->runWhenLineFree([this] { receive(); });
}

void ProgramListWindow::receive()
{
    const int oven = m_state->selectedOven(); // taken once: choosing another oven meanwhile changes nothing
    int first = 0;
    int last = 0;
    if (!prepare(QStringLiteral("empfange von:"), oven, &first, &last))
        return;
    // A receive empties every row: changes outside the range would be lost without a word.
    if ((first > 1 || last < kMaxProgramNumber) && !mayDiscardChanges())
        return;
    QElapsedTimer clock;
    clock.start();
    m_record.setTopRow(first);
    setBusy(true);
    ProgramTransfer transfer(*m_state, m_link->engine(), *m_prompter, m_record, this);
    transfer.setWireCopy(&m_oven); // the list now equals the oven where a program arrived
    const int received = transfer.receive(oven, first, last);
    setBusy(false);
    if (!m_link->engine().isLineLost()) // a lost line has said so itself
        m_state->reportOutcome(receiveOutcome(received, first, last, oven, transfer.aborted()));
    m_recordModified = false; // the list shows what the oven holds now
    m_transferTime->setText(elapsedText(clock.elapsed()));
}

void ProgramListWindow::BPrgsendenClick()
{
    m_busyGuard->runWhenLineFree([this] { send(); });
}

void ProgramListWindow::send()
{
    const int oven = m_state->selectedOven();
    int first = 0;
    int last = 0;
    if (!prepare(QStringLiteral("   sende von:"), oven, &first, &last))
        return;
    int equal = -1; // -1: the whole range goes
    bool cancelled = false;
    const QList<int> numbers = chooseProgramsToSend(oven, first, last, &equal, &cancelled);
    if (cancelled || m_busyGuard->closing())
        return;
    if (numbers.isEmpty()) { // nothing differs: nothing goes on the line
        m_state->reportOutcome(changedSendOutcome(0, equal, oven, true));
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QElapsedTimer clock;
    clock.start();
    setBusy(true);
    ProgramTransfer transfer(*m_state, m_link->engine(), *m_prompter, m_record, this);
    transfer.setRetrytest(m_retrytest->isChecked());
    transfer.setWireCopy(&m_oven); // what was acknowledged is what the oven holds now
    const bool sent = transfer.send(oven, numbers);
    setBusy(false);
    forgetComparison(); // the oven has changed since
    if (!m_link->engine().isLineLost())
        m_state->reportOutcome(equal < 0 ? sendOutcome(first, last, oven, sent)
                                         : changedSendOutcome(static_cast<int>(numbers.size()), equal, oven, sent));
    m_transferTime->setText(elapsedText(clock.elapsed()));
    QApplication::restoreOverrideCursor();
}

QList<int> ProgramListWindow::chooseProgramsToSend(int oven, int first, int last, int *equal, bool *cancelled)
{
    QList<int> all;
    for (int n = first; n <= last; ++n)
        all << n;
    if (m_oven.oven() != oven || !m_oven.knowsAny(first, last))
        return all; // nothing known of this oven: the question would have no answer
    const QList<int> changed = programsToSend(m_record, m_oven, first, last, m_state->minuteColumns);
    const int count = static_cast<int>(changed.size());
    int sendable = 0; // "ERR:" rows never go
    for (int n : all)
        sendable += isFaultyName(m_record.text(n, 1)) ? 0 : 1;
    if (count >= sendable)
        return all;
    const int unchanged = sendable - count;
    int unknown = 0;
    for (int n : changed)
        unknown += m_oven.knows(n) ? 0 : 1;
    const int choice = m_prompter->choose(kSendChoiceCaption,
                                          sendChoiceText(count, unknown, unchanged, first, last, oven),
                                          {sendChangedChoice(count), sendAllChoice(sendable)});
    if (choice < 0) {
        *cancelled = true;
        return {};
    }
    if (choice == 1)
        return all;
    *equal = unchanged;
    return changed;
}

void ProgramListWindow::BPrgVergleichenClick()
{
    m_busyGuard->runWhenLineFree([this] { compare(); });
}

void ProgramListWindow::compare()
{
    const int oven = m_state->selectedOven();
    int first = 0;
    int last = 0;
    if (!prepare(QStringLiteral("vergleiche von:"), oven, &first, &last))
        return;
    QElapsedTimer clock;
    clock.start();
    setBusy(true);
    bool aborted = false;
    // Into the window's copy of the oven, never into the list.
    readOvenPrograms(*m_state, m_link->engine(), *m_prompter, oven, first, last, m_oven, this, &aborted);
    setBusy(false);
    m_transferTime->setText(elapsedText(clock.elapsed()));
    if (!m_busyGuard->closing())
        showComparison(oven, first, last, aborted);
}

void ProgramListWindow::showComparison(int oven, int first, int last, bool aborted)
{
    const QList<ProgramDiff> diffs = compareRange(m_record, m_oven, first, last, m_state->minuteColumns);
    m_record.clearMarks();
    markDifferences(m_record, diffs, m_state->minuteColumns);
    const QString summary = compareSummary(countDiffs(diffs), oven, first, last, aborted);
    m_compareResult->showResult(summary);
    if (!m_link->engine().isLineLost()) // a lost line has said so itself
        m_state->reportOutcome(summary);
    for (const ProgramDiff &diff : diffs) {
        if (diff.needsSending() && diff.kind != ProgramDiffKind::NotRead) {
            m_record.setTopRow(diff.number); // the first difference in view
            break;
        }
    }
}

void ProgramListWindow::forgetComparison()
{
    m_record.clearMarks();
    m_compareResult->clear();
}

void ProgramListWindow::AbbruchButtonClick()
{
    m_state->abortFlag = true;
    m_progressPanel->hide();
}

bool ProgramListWindow::checkTypedCell(int row, int col, const QString &text)
{
    const auto problem = typedCellProblem(row, col, text, m_state->minuteColumns);
    if (!problem)
        return true;
    // Said once the cell editor has closed; the cell keeps its value.
    QTimer::singleShot(0, this, [this, text = *problem] { m_prompter->inform(kTypedValueCaption, text); });
    return false;
}

void ProgramListWindow::closeEvent(QCloseEvent *event)
{
    if (m_transferring)
        m_state->abortFlag = true; // the transfer stops after its current try
    // A click is still in work on this window's stack: hidden now, closed when it returns.
    if (m_busyGuard->deferClose(event))
        return;
    if (!mayDiscardChanges()) {
        event->ignore();
        return;
    }
    if (m_state->bakeProgramList == this)
        m_state->bakeProgramList = nullptr;
    event->accept();
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->close();
}

bool ProgramListWindow::event(QEvent *event)
{
    if (event->type() == RequestEvent::eventType()) {
        const auto *r = static_cast<RequestEvent *>(event);
        if (m_busyGuard->closing())
            return true;
        const PendingRequest request{r->request(), r->p1(), r->p2(), m_state->currentFileName};
        if (busy() && request.request != Request::ShowAgain)
            m_pending << request; // the list must not change or be half-saved under a transfer
        else
            handleRequest(request);
        return true;
    }
    return QWidget::event(event);
}

void ProgramListWindow::handleRequest(const PendingRequest &request)
{
    if (request.request == Request::ShowAgain) {
        showAgain(this);
        return;
    }
    // Loads and saves ask questions (nested event loops): held like any click.
    m_busyGuard->run([this, &request] {
        m_state->currentFileName = request.fileName;
        switch (request.request) {
        case Request::LoadRecord:
            loadRecordRequest(request.p1);
            break;
        case Request::SaveRecord:
            saveRecordRequest(request.p1, request.p2);
            break;
        case Request::Print:
            printRequest();
            break;
        default:
            break;
        }
    });
}

void ProgramListWindow::runPendingRequests()
{
    const QList<PendingRequest> pending = std::exchange(m_pending, {});
    for (const PendingRequest &r : pending) {
        if (m_busyGuard->closing())
            break; // the window goes: what it was to load or save goes with it
        handleRequest(r);
    }
}

void ProgramListWindow::setEditor(ProgramEditorWindow *editor)
{
    if (m_editor)
        disconnect(m_editor, nullptr, this, nullptr);
    m_editor = editor;
    if (!editor)
        return;
    editor->setPrompter(m_prompter);
    connect(editor, &ProgramEditorWindow::takenOver, this,
            [this](int number, const QString &name, const QStringList &values) {
                takeOverIntoList(m_record, EditorProgram{number, name, values}, m_recordModified);
            });
}

void ProgramListWindow::openEditor(int row)
{
    if (!m_editor || row < 1 || row > kMaxProgramNumber)
        return;
    // Never under a running transfer: the editor's own event loop would hold the transfer up.
    m_busyGuard->run([this, row] {
        m_editor->fillFromRow(m_record, row);
        m_editor->showModal();
    });
}

void ProgramListWindow::loadRecordRequest(int p1)
{
    ProgramListFiles files(m_record, *m_state, *m_prompter, m_recordModified);
    const ListFileResult result = files.loadRecord(p1 == kUsbParam ? ListFileKind::Tbr : ListFileKind::Rec);
    if (result.done()) {
        m_oven.forgetAll(); // the list is the file's now: nothing of it counts as on the oven
        forgetComparison();
    }
    if (!result.caption.isEmpty())
        setWindowTitle(result.caption);
}

void ProgramListWindow::saveRecordRequest(int p1, int p2)
{
    ProgramListFiles files(m_record, *m_state, *m_prompter, m_recordModified);
    ListFileResult result;
    if (p1 == kUsbParam && p2 == kAllParam)
        result = files.exportAll();
    else
        result = files.saveRecord(p1 == kUsbParam ? ListFileKind::Tbr : ListFileKind::Rec);
    if (!result.caption.isEmpty())
        setWindowTitle(result.caption);
}

void ProgramListWindow::printRequest()
{
    int first = 0;
    int last = 0;
    if (!m_rangeDialog->choose(kPrintRangeLabel, kMaxProgramNumber, &first, &last))
        return;
    printPrograms(m_record, m_record.sheetName(), first, last, *m_state, *m_prompter, this);
}

int ProgramListWindow::currentProgramRow() const
{
    return m_record.currentRow();
}

void ProgramListWindow::loadSingleProgram(FileKind kind, const QString &fileName)
{
    if (busy())
        return; // never into a list a transfer fills
    ProgramListFiles files(m_record, *m_state, *m_prompter, m_recordModified);
    const int row = std::max(1, m_record.currentRow());
    bool loaded = false;
    if (kind == FileKind::Bpr)
        files.loadBpr(fileName, row, &loaded);
    else if (kind == FileKind::Tbp)
        files.loadTbp(fileName, row, &loaded);
    if (loaded)
        m_oven.forget(row);
}


void ProgramListWindow::onActivated()
{
    m_state->printTarget = this;
}

} // namespace torvel
