#include "modemwindow.h"

#include "dialpage.h"
#include "phonebookentrydialog.h"
#include "servicepage.h"
#include "statuspage.h"
#include "terminalpage.h"

#include "link/controllerlink.h"
#include "modem/modemsession.h"
#include "shell/appstate.h"
#include "shell/requests.h"
#include "shell/transferguard.h"

#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <optional>

namespace torvel {

// One click's work: the window's controls wait and the line is held for it.
class ModemWindow::Busy
{
public:
    explicit Busy(ModemWindow *w) : m_w(w), m_guard(*w->m_state) { m_w->setBusy(true); }
    ~Busy() { m_w->setBusy(false); }
    Busy(const Busy &) = delete;
    Busy &operator=(const Busy &) = delete;

private:
    ModemWindow *m_w;
    TransferGuard m_guard;
};

ModemWindow::ModemWindow(AppState *state, ControllerLink *link, Prompter *prompter, const QString &dir,
                         QWidget *parent)
    : QWidget(parent, Qt::Window), m_state(state), m_link(link), m_prompter(prompter), m_dir(dir),
      m_session(new ModemSession(*state, link->engine(), *prompter, this)),
      m_entryDialog(new PhoneBookEntryDialog(prompter, this)), m_pages(new QTabWidget(this))
{
    setObjectName(QStringLiteral("TwModemWahl"));
    setWindowTitle(QStringLiteral("Modem-Einwahl"));
    m_session->options().dir = dir;
    m_session->options().skipPcChecks = state->modemStartup;

    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_dialPage = new DialPage(*this, m_pages);
    m_statusPage = new StatusPage(*this, m_pages);
    m_servicePage = new ServicePage(*this, m_pages);
    m_terminalPage = new TerminalPage(*this, m_pages);
    m_pages->addTab(m_dialPage, QStringLiteral("Modem"));
    m_pages->addTab(m_statusPage, QStringLiteral("VKSDebug"));
    m_pages->addTab(m_servicePage, QStringLiteral("ModemDebug"));
    m_pages->addTab(m_terminalPage, QStringLiteral("Terminal"));
    m_pages->setCurrentWidget(m_dialPage);
    // Without the start-up word MODEM the service pages stay hidden (they live on, unseen).
    m_pages->tabBar()->setVisible(state->modemStartup);
    for (int i = m_pages->count() - 1; i > 0 && !state->modemStartup; --i)
        m_pages->removeTab(i);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_pages);

    // The port speed follows `Take38400`, also on a port chosen later.
    m_session->applySpeed();
    connect(link, &ControllerLink::transportChanged, m_session, &ModemSession::applySpeed);
    connect(m_servicePage, &ServicePage::stopTimePollChanged, this, &ModemWindow::stopTimePollChanged);
    // The service pages want room; the dial page alone does not.
    if (state->modemStartup)
        resize(sizeHint().expandedTo(QSize(860, 600)));
    else
        resize(m_dialPage->sizeHint() + QSize(24, 24));
}

ModemWindow::~ModemWindow() = default;

bool ModemWindow::stopTimePoll() const
{
    return m_servicePage->stopTimePoll();
}

bool ModemWindow::lineTaken() const
{
    return m_busy || m_link->engine().busy() || m_state->transferActive();
}

void ModemWindow::setBusy(bool on)
{
    m_busy = on;
    emit busyChanged(on);
}

void ModemWindow::runClick(std::function<void()> work)
{
    if (m_busy)
        return;
    if (lineTaken()) {
        if (m_clickWaiting)
            return; // one waiting click is enough
        m_clickWaiting = true;
        QTimer::singleShot(kBusyRetryMs, this, [this, work = std::move(work)]() mutable {
            m_clickWaiting = false;
            runClick(std::move(work));
        });
        return;
    }
    Busy busy(this);
    work();
}

void ModemWindow::runTick(const std::function<void()> &work)
{
    if (lineTaken())
        return; // skipped: the next tick tries again
    Busy busy(this);
    work();
}

bool ModemWindow::event(QEvent *event)
{
    if (event->type() == RequestEvent::eventType()) {
        if (static_cast<RequestEvent *>(event)->request() == Request::ShowAgain) {
            showNormal();
            raise();
            activateWindow();
        }
        return true;
    }
    return QWidget::event(event);
}

void ModemWindow::showEvent(QShowEvent *event)
{
    m_session->setSendLogActive(true);
    m_terminalPage->setActive(true);
    QWidget::showEvent(event);
}

void ModemWindow::hideEvent(QHideEvent *event)
{
    m_session->setSendLogActive(false);
    m_terminalPage->setActive(false);
    QWidget::hideEvent(event);
}

} // namespace torvel
