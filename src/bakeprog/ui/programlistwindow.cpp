#include "programlistwindow.h"

#include "rangedialog.h"

#include "bakeprog/editorprogram.h"
#include "bakeprog/programlistfiles.h"
#include "bakeprog/programprint.h"
#include "bakeprog/programsheet.h"
#include "bakeprog/ui/servicepanel.h"
#include "bakeprog/ui/programprinter.h"
#include "bakeprog/ui/programeditorwindow.h"
#include "shell/ui/childhost.h"
#include "link/controllerlink.h"
#include "shell/appstate.h"
#include "shell/prompter.h"
#include "shell/requests.h"
#include "shell/transferguard.h"
#include "shell/ui/gridview.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTime>
#include <QVBoxLayout>

namespace torvel {

namespace {
const QString kTimePending = QStringLiteral("Übertragungszeit=..");

QString elapsedText(qint64 ms)
{
    return QStringLiteral("Übertragungszeit=")
           + QTime(0, 0).addMSecs(static_cast<int>(ms)).toString(QLocale::system().timeFormat(QLocale::LongFormat));
}
} // namespace

QString ProgramListWindow::captionFor(const AppState &state)
{
    return state.damperSecondsMode ? QStringLiteral("Backprogramm (ABZUG-Sekunden)") : QStringLiteral("Backprogramm");
}

ProgramListWindow::ProgramListWindow(AppState *state, ControllerLink *link, Prompter *prompter, RangeDialog *rangeDialog, QWidget *parent)
    : QWidget(parent), m_state(state), m_link(link), m_prompter(prompter), m_rangeDialog(rangeDialog)
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
    // Names take every key; value columns only digits.
    connect(m_grid, &GridView::keyPress, this, [this](QChar *ch) {
        if (m_record.currentCol() >= 2 && !ch->isDigit())
            *ch = QChar();
    });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_grid, 1);
    buildButtons();
    layout->addWidget(m_progressPanel);
    auto *buttons = new QWidget(this);
    buttons->setObjectName(QStringLiteral("Buttons"));
    auto *row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_receive);
    row->addWidget(m_send);
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

void ProgramListWindow::setBusy(bool busy)
{
    m_busy = busy;
    m_receive->setEnabled(!busy);
    m_send->setEnabled(!busy);
    m_abort->setEnabled(busy);
    m_progressPanel->setVisible(busy);
}

bool ProgramListWindow::prepare(const QString &label, int oven, int *first, int *last)
{
    m_transferTime->setText(kTimePending);
    std::optional<int> capacity;
    {
        TransferGuard guard(*m_state);
        capacity = QueryProgramCapacity(m_link->engine(), oven);
    }
    if (!capacity) {
        m_prompter->inform(kNotReachableCaption, kNotReachableText);
        return false;
    }
    return m_rangeDialog->choose(label, *capacity, first, last);
}

void ProgramListWindow::BPrgempfangenClick()
{
    if (m_busy || m_state->transferActive())
        return;
    const int oven = m_state->selectedOven(); // taken once: choosing another oven meanwhile changes nothing
    int first = 0;
    int last = 0;
    if (!prepare(QStringLiteral("empfange von:"), oven, &first, &last))
        return;
    QElapsedTimer clock;
    clock.start();
    m_record.setTopRow(first);
    setBusy(true);
    ProgramTransfer transfer(*m_state, m_link->engine(), *m_prompter, m_record, this);
    transfer.receive(oven, first, last);
    setBusy(false);
    m_transferTime->setText(elapsedText(clock.elapsed()));
    finishTransfer();
}

void ProgramListWindow::BPrgsendenClick()
{
    if (m_busy || m_state->transferActive())
        return;
    const int oven = m_state->selectedOven();
    int first = 0;
    int last = 0;
    if (!prepare(QStringLiteral("   sende von:"), oven, &first, &last))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QElapsedTimer clock;
    clock.start();
    setBusy(true);
    ProgramTransfer transfer(*m_state, m_link->engine(), *m_prompter, m_record, this);
    transfer.setRetrytest(m_retrytest->isChecked());
    transfer.send(oven, first, last);
    setBusy(false);
    m_transferTime->setText(elapsedText(clock.elapsed()));
    QApplication::restoreOverrideCursor();
    finishTransfer();
}

void ProgramListWindow::AbbruchButtonClick()
{
    m_state->abortFlag = true;
    m_progressPanel->hide();
}

void ProgramListWindow::finishTransfer()
{
    if (m_closeDeferred) {
        m_closeDeferred = false;
        closeHost(this);
    }
}

void ProgramListWindow::closeEvent(QCloseEvent *event)
{
    if (m_busy) {
        // The transfer runs on this window's stack: stop it, close when it has returned.
        m_state->abortFlag = true;
        m_closeDeferred = true;
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
        if (m_closeDeferred)
            return true;
        switch (r->request()) {
        case Request::ShowAgain:
            showAgain(this);
            break;
        case Request::LoadRecord:
            loadRecordRequest(r->p1());
            break;
        case Request::SaveRecord:
            saveRecordRequest(r->p1(), r->p2());
            break;
        case Request::Print:
            printRequest();
            break;
        default:
            break;
        }
        return true;
    }
    return QWidget::event(event);
}

void ProgramListWindow::setEditor(ProgramEditorWindow *editor)
{
    if (m_editor)
        disconnect(m_editor, nullptr, this, nullptr);
    m_editor = editor;
    if (!editor)
        return;
    connect(editor, &ProgramEditorWindow::takenOver, this,
            [this](int number, const QString &name, const QStringList &values) {
                takeOverIntoList(m_record, EditorProgram{number, name, values}, m_recordModified);
            });
}

void ProgramListWindow::openEditor(int row)
{
    if (!m_editor || row < 1 || row > kMaxProgramNumber)
        return;
    m_editor->fillFromRow(m_record, row);
    m_editor->showModal();
}

void ProgramListWindow::loadRecordRequest(int p1)
{
    if (m_busy)
        return; // never replace the list under a running transfer
    ProgramListFiles files(m_record, *m_state, *m_prompter, m_recordModified);
    const ListFileResult result = files.loadRecord(p1 == kUsbParam ? ListFileKind::Tbr : ListFileKind::Rec);
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
    if (m_busy)
        return;
    ProgramListFiles files(m_record, *m_state, *m_prompter, m_recordModified);
    const int row = std::max(1, m_record.currentRow());
    if (kind == FileKind::Bpr)
        files.loadBpr(fileName, row);
    else if (kind == FileKind::Tbp)
        files.loadTbp(fileName, row);
}


void ProgramListWindow::onActivated()
{
    m_state->printTarget = this;
}

} // namespace torvel
