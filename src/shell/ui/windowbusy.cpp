#include "windowbusy.h"

#include "childhost.h"

#include "link/controllerlink.h"
#include "shell/appstate.h"

#include <QCloseEvent>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <utility>

namespace torvel {

WindowBusy::WindowBusy(QWidget *window, AppState *state, ControllerLink *link)
    : QObject(window), m_window(window), m_state(state), m_link(link), m_hint(new QLabel(hintText(), window)),
      m_retry(new QTimer(this))
{
    m_hint->setObjectName(QStringLiteral("WarteHinweis"));
    m_hint->hide();
    m_retry->setSingleShot(true);
    m_retry->setInterval(kRetryMs);
    connect(m_retry, &QTimer::timeout, this, &WindowBusy::retry);
}

QString WindowBusy::hintText()
{
    return QStringLiteral("Wartet auf die Leitung...");
}

bool WindowBusy::lineTaken() const
{
    return (m_link && m_link->engine().busy()) || m_state->transferActive();
}

bool WindowBusy::run(const std::function<void()> &handler)
{
    return hold(handler, false);
}

bool WindowBusy::hold(const std::function<void()> &handler, bool click)
{
    if (m_held || m_closing)
        return false;
    m_held = true;
    m_clickHeld = click;
    emit heldChanged(true);
    handler();
    m_held = false;
    m_clickHeld = false;
    emit heldChanged(false);
    emit released();
    if (m_closing) {
        m_closing = false;
        // The handler has returned: now the window may go. A window that refuses after all
        // (a question answered No) comes back into sight.
        if (!hostWindow(m_window)->close())
            hostWindow(m_window)->show();
    }
    return true;
}

void WindowBusy::runWhenLineFree(std::function<void()> handler)
{
    // One waiting click is enough, and a click in work takes no second one: either would
    // transfer twice.
    if (m_waiting || m_closing || m_clickHeld)
        return;
    if (!m_held && !lineTaken()) {
        hold(handler, true);
        return;
    }
    m_waitingClick = std::move(handler);
    setWaiting(true);
    m_retry->start();
}

void WindowBusy::cancelWaiting()
{
    m_retry->stop();
    m_waitingClick = nullptr;
    setWaiting(false);
}

void WindowBusy::retry()
{
    if (!m_waiting)
        return;
    if (m_held || lineTaken()) {
        m_retry->start();
        return;
    }
    const std::function<void()> click = std::exchange(m_waitingClick, nullptr);
    setWaiting(false);
    hold(click, true);
}

void WindowBusy::setWaiting(bool on)
{
    m_waiting = on;
    m_hint->setVisible(on);
}

bool WindowBusy::deferClose(QCloseEvent *event)
{
    cancelWaiting();
    if (!m_held)
        return false;
    m_closing = true;
    hostWindow(m_window)->hide();
    event->ignore();
    return true;
}

} // namespace torvel
