#include "clockwindow.h"

#include "shell/ui/childhost.h"
#include "shell/ui/windowbusy.h"

#include "clock/clockread.h"
#include "clock/clockset.h"
#include "clock/clocktexts.h"
#include "link/controllerlink.h"
#include "shell/appstate.h"
#include "shell/prompter.h"
#include "shell/requests.h"
#include "shell/transferguard.h"
#include "shell/ui/namedcontrol.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace torvel {

namespace {
QLabel *makePanel(const QString &name, const QString &text, QWidget *parent)
{
    auto *panel = new QLabel(text, parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(Qt::AlignCenter);
    // Wide enough for the longest line, so the window does not jump between texts.
    panel->setMinimumWidth(panel->fontMetrics().horizontalAdvance(QStringLiteral("Donnerstag  31.12.2026 23.59.58"))
                           + 24);
    return panel;
}
} // namespace

ClockWindow::ClockWindow(AppState *state, ControllerLink *link, Prompter *prompter, QWidget *parent)
    : QWidget(parent), m_state(state), m_link(link), m_prompter(prompter),
      m_getTimer(new QTimer(this)), m_busy(new WindowBusy(this, state, link))
{
    setObjectName(QStringLiteral("TUhrempfangen"));
    setWindowTitle(QStringLiteral("Uhrzeit"));

    m_pcZeit = makePanel(QStringLiteral("PCZeit"), QStringLiteral("PC Zeit"), this);
    m_vksZeit = makePanel(QStringLiteral("VKSZeit"), QStringLiteral("Empfangen..."), this);
    m_stellen = new QPushButton(QStringLiteral("Stellen"), this);
    m_stellen->setObjectName(QStringLiteral("Stellen"));
    m_schliessen = new QPushButton(QStringLiteral("Schließen"), this);
    m_schliessen->setObjectName(QStringLiteral("Schliessen"));

    auto *grid = new QGridLayout;
    grid->addWidget(named<QLabel>(QStringLiteral("Label1"), QStringLiteral("Aktuelle PC Zeit:"), this), 0, 0);
    grid->addWidget(m_pcZeit, 0, 1);
    grid->addWidget(named<QLabel>(QStringLiteral("ZeitvonVKS"), QStringLiteral("Aktuelle Uhrzeit des Torvels: "), this),
                    1, 0);
    grid->addWidget(m_vksZeit, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_stellen);
    buttons->addWidget(m_schliessen);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_busy->hint());
    layout->addLayout(buttons);

    connect(m_stellen, &QPushButton::clicked, this, &ClockWindow::setClock);
    connect(m_schliessen, &QPushButton::clicked, this, [this] {
        m_getTimer->stop();
        closeHost(this);
    });

    m_getTimer->setObjectName(QStringLiteral("GetTimer"));
    m_getTimer->setSingleShot(false);
    m_getTimer->setInterval(kFirstPollMs);
    connect(m_getTimer, &QTimer::timeout, this, &ClockWindow::pollClock);
    m_getTimer->start();

    m_state->clockWindow = this;
    followActivation(this, [this] { onActivated(); });
}

ClockWindow::~ClockWindow()
{
    unregister();
}

void ClockWindow::unregister()
{
    if (m_state->clockWindow == this)
        m_state->clockWindow = nullptr;
}

bool ClockWindow::transactionRunning() const
{
    return m_busy->held();
}

void ClockWindow::pollClock()
{
    m_getTimer->stop();
    if (m_stopTimePoll || m_busy->closing())
        return;
    if (m_busy->held() || m_busy->waiting() || m_busy->lineTaken()) {
        m_getTimer->start(); // the line or this window is busy: try again next tick
        return;
    }
    m_busy->run([this] { readClock(); });
}

void ClockWindow::readClock()
{
    m_vksZeit->setText(QStringLiteral("* ") + m_vksZeit->text() + QStringLiteral(" *"));
    m_pcZeit->setText(pcTimeText(QDateTime::currentDateTime()));
    const int oven = m_state->selectedOven(); // taken once: a later selection does not redirect this read
    ClockReading reading;
    {
        TransferGuard guard(*m_state, &m_link->engine());
        reading = ReadControllerClock(m_link->engine(), oven);
    }
    if (m_busy->closing())
        return;
    m_vksZeit->setText(clockReadingText(reading));
    m_getTimer->setInterval(kPollMs);
    if (!m_stopTimePoll)
        m_getTimer->start();
}

void ClockWindow::setClock()
{
    m_busy->runWhenLineFree([this] { setClockNow(); });
}

void ClockWindow::setClockNow()
{
    const bool wasPolling = m_getTimer->isActive();
    m_getTimer->stop();
    if (m_prompter)
        m_prompter->showMessageWindow(QStringLiteral("Uhr wird gestellt..."));
    int code = ClockNotAddressable;
    const int oven = m_state->selectedOven();
    {
        TransferGuard guard(*m_state, &m_link->engine());
        code = SetControllerClock(m_link->engine(), oven, QDateTime::currentDateTime());
    }
    if (m_prompter)
        m_prompter->showMessageWindow(clockSetOutcomeText(code));
    if (!m_link->engine().isLineLost()) // a lost line has said so itself
        m_state->reportOutcome(QStringLiteral("Ofen %1: ").arg(oven) + clockSetOutcomeText(code));
    if (m_busy->closing())
        return;
    if (wasPolling)
        m_getTimer->start();
    else
        m_getTimer->stop();
}

void ClockWindow::closeEvent(QCloseEvent *event)
{
    m_getTimer->stop();
    unregister();
    // A read or set still runs on this window's stack: hidden now, closed when it returns.
    if (m_busy->deferClose(event))
        return;
    event->accept();
    // Closed directly (not through its frame): take the subwindow along. A subwindow that is
    // closing already ignores this.
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->close();
}

bool ClockWindow::event(QEvent *event)
{
    if (event->type() == RequestEvent::eventType()) {
        handleRequest(static_cast<RequestEvent *>(event)->number());
        return true;
    }
    return QWidget::event(event);
}


void ClockWindow::onActivated()
{
    m_state->printTarget = this;
}

void ClockWindow::handleRequest(int number)
{
    switch (static_cast<Request>(number)) {
    case Request::ShowAgain:
        if (!m_busy->closing())
            showAgain(this);
        break;
    case Request::StartCommunication:
        if (!m_busy->closing())
            m_getTimer->start();
        break;
    case Request::StopCommunication:
        m_getTimer->stop();
        break;
    default:
        break;
    }
}
} // namespace torvel
