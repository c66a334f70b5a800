#include "torvel2window.h"

#include "debugpage.h"
#include "recordpage.h"
#include "torvel2context.h"
#include "vksdebugpage.h"

#include "oplog/ui/errorlistpage.h"
#include "oplog/ui/operatingdatapage.h"
#include "shell/appstate.h"
#include "shell/prompter.h"
#include "shell/requests.h"
#include "shell/ui/childhost.h"
#include "tables/ui/gradientpage.h"
#include "tables/ui/readytablepage.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace torvel {

Torvel2Window::Torvel2Window(AppState *state, ControllerLink *link, Prompter *prompter, QWidget *parent)
    : QWidget(parent), m_state(state), m_ctx(new Torvel2Context(state, link, prompter, this))
{
    setObjectName(QStringLiteral("TwTorvel2"));
    setWindowTitle(m_ctx->caption());
    m_ctx->setDialogParent(this);
    buildPages();

    m_fortschritt = new QWidget(this);
    m_fortschritt->setObjectName(QStringLiteral("Fortschritt"));
    m_gauge = new QProgressBar(m_fortschritt);
    m_gauge->setObjectName(QStringLiteral("Gauge1"));
    m_gauge->setRange(0, m_ctx->progressMaximum());
    auto *progress = new QHBoxLayout(m_fortschritt);
    progress->setContentsMargins(0, 0, 0, 0);
    progress->addWidget(new QLabel(QStringLiteral("Gesamtfortschritt:"), m_fortschritt));
    progress->addWidget(m_gauge, 1);
    m_fortschritt->hide();
    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setSizeGripEnabled(false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 0);
    layout->addWidget(m_pageControl, 1);
    layout->addWidget(m_fortschritt);
    layout->addWidget(m_statusBar);
    resize(820, 600);

    connect(m_ctx, &Torvel2Context::busyChanged, this, &Torvel2Window::showBusy);
    connect(m_ctx, &Torvel2Context::progressChanged, this, [this](int value, int maximum) {
        m_gauge->setRange(0, maximum);
        m_gauge->setValue(value);
    });
    connect(m_ctx, &Torvel2Context::transferFinished, this, &Torvel2Window::finishDeferredClose);
    connect(m_ctx, &Torvel2Context::captionChanged, this, &QWidget::setWindowTitle);
    connect(m_ctx, &Torvel2Context::transferFinished, this, [this] {
        if (m_printWaiting && !m_ctx->transferRunning()) {
            m_printWaiting = false;
            printActivePage();
        }
    });

    m_vksTimer = new QTimer(this);
    m_vksTimer->setObjectName(QStringLiteral("VKSTimer"));
    m_vksTimer->setSingleShot(true);
    connect(m_vksTimer, &QTimer::timeout, this, &Torvel2Window::VKSTimerTimer);
    m_vksTimer->start(kFirstPollMs);

    m_state->torvel2Window = this;
    followActivation(this, [this] { onActivated(); });
}

Torvel2Window::~Torvel2Window()
{
    unregister();
    if (m_hourglass)
        QApplication::restoreOverrideCursor();
    delete m_pageControl; // the pages use the context: they go first
}

void Torvel2Window::buildPages()
{
    m_pageControl = new QTabWidget(this);
    m_pageControl->setObjectName(QStringLiteral("PageControl1"));
    m_vksDebug = new VksDebugPage(*m_ctx, m_pageControl);
    m_ready = new ReadyTablePage(*m_ctx, m_pageControl);
    m_operatingData = new OperatingDataPage(*m_ctx, m_pageControl);
    m_gradient = new GradientPage(*m_ctx, m_pageControl);
    m_record = new RecordPage(*m_ctx, m_pageControl);
    m_debugTab = new DebugPage(*m_ctx, m_pageControl);
    m_errorList = new ErrorListPage(*m_ctx, m_pageControl);
    m_pageControl->addTab(m_vksDebug, QStringLiteral("VKSDebug"));
    m_pageControl->addTab(m_ready, QStringLiteral("Bereittabelle"));
    m_pageControl->addTab(m_operatingData, QStringLiteral("Betriebsdaten"));
    m_pageControl->addTab(m_gradient, QStringLiteral("Steigungs-Tabelle"));
    m_pageControl->addTab(m_record, QStringLiteral("Torvel komplett lesen/schreiben"));
    m_pageControl->addTab(m_debugTab, QStringLiteral("Debug"));
    m_pageControl->addTab(m_errorList, QStringLiteral("Fehler-Liste"));
    // The service pages come with the start-up switches; without them only "Betriebsdaten"
    // and "Steigungs-Tabelle" are offered.
    for (QWidget *page : {static_cast<QWidget *>(m_vksDebug), static_cast<QWidget *>(m_ready)})
        m_pageControl->setTabVisible(m_pageControl->indexOf(page), m_state->modemStartup);
    for (QWidget *page : {static_cast<QWidget *>(m_record), static_cast<QWidget *>(m_debugTab),
                          static_cast<QWidget *>(m_errorList)})
        m_pageControl->setTabVisible(m_pageControl->indexOf(page), m_state->serviceMode);
}

void Torvel2Window::showEvent(QShowEvent *event)
{
    if (!m_shown) {
        m_shown = true;
        m_pageControl->setCurrentWidget(m_operatingData);
    }
    QWidget::showEvent(event);
}

void Torvel2Window::showBusy(bool done)
{
    // The record page stays usable during its own transfer: its "Abbrechen" is there.
    m_pageControl->setEnabled(done || m_pageControl->currentWidget() == m_record);
    m_fortschritt->setVisible(!done);
    if (done == m_hourglass) {
        m_hourglass = !done;
        if (m_hourglass)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    }
}

void Torvel2Window::VKSTimerTimer()
{
    m_vksTimer->stop();
    m_vksTimer->setInterval(m_vksDebug->pollInterval());
    m_vksDebug->pollStatus();
    if (m_ctx->closing())
        return;
    m_debugTab->followPcTime();
    m_vksTimer->start();
}

void Torvel2Window::onActivated()
{
    m_state->printTarget = this;
    if (!m_readyTableInitialised) {
        m_readyTableInitialised = true;
        m_ready->InitReadyTable();
    }
}

void Torvel2Window::printActivePage()
{
    if (m_ctx->transferRunning()) {
        m_printWaiting = true; // once the transfer has returned
        return;
    }
    QWidget *page = m_pageControl->currentWidget();
    if (page == m_operatingData)
        m_operatingData->PrintClick();
    else if (page == m_errorList)
        m_errorList->PrintClick();
    else
        m_ctx->prompter().showMessageWindow(QStringLiteral("ERR: Kein druckbares Fenster markiert."));
}

void Torvel2Window::unregister()
{
    if (m_state->torvel2Window == this)
        m_state->torvel2Window = nullptr;
}

void Torvel2Window::finishDeferredClose()
{
    if (!m_closeDeferred || m_ctx->transferRunning())
        return;
    m_closeDeferred = false;
    closeHost(this); // the transfer has returned: now the frame may go
}

void Torvel2Window::closeEvent(QCloseEvent *event)
{
    m_vksTimer->stop();
    m_ctx->setClosing(true);
    unregister();
    if (m_ctx->transferRunning()) {
        // The transfer still runs on a page's stack: hide now, close when it returns.
        m_closeDeferred = true;
        hostWindow(this)->hide();
        event->ignore();
        return;
    }
    event->accept();
    // Closed directly (not through its frame): take the subwindow along.
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->close();
}

bool Torvel2Window::event(QEvent *event)
{
    if (event->type() == RequestEvent::eventType()) {
        const auto *r = static_cast<RequestEvent *>(event);
        if (r->request() == Request::ShowAgain && !m_closeDeferred)
            showAgain(this);
        else if (r->request() == Request::Print && !m_ctx->closing())
            printActivePage();
        return true;
    }
    return QWidget::event(event);
}

} // namespace torvel
