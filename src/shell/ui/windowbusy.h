#pragma once
// One window's busy guard. A handler that waits on the line runs nested event loops (the
// engine's wait, dialogs, message boxes) in which anything may happen: clicks, timers, the
// window being closed. So the window is held busy from the click it accepts until that
// handler has returned:
// - a close meanwhile hides the window at once and closes it when the handler returns; the
//   handler sees closing() after each wait and stops;
// - a click while the line is taken (another window's transfer or poll, or this window's
//   own handler) waits for the line, one click per window, and the hint says so;
// - further clicks while one waits or is in work are ignored: they never queue more transfers.
// Every window that uses the line holds one; windows still to come take it as they are.

#include <QObject>
#include <QPointer>

#include <functional>

class QCloseEvent;
class QLabel;
class QTimer;
class QWidget;

namespace torvel {

class AppState;
class ControllerLink;

class WindowBusy : public QObject
{
    Q_OBJECT
public:
    // How often a waiting click looks whether the line is free.
    static constexpr int kRetryMs = 50;

    // `link` may be null for a window that only waits for other windows' transfers.
    WindowBusy(QWidget *window, AppState *state, ControllerLink *link);

    // From the accepted click until its handler has returned.
    bool held() const { return m_held; }
    // A click waits for the line.
    bool waiting() const { return m_waiting; }
    // The window was closed while held: the handler stops at its next chance.
    bool closing() const { return m_closing; }
    // Any transaction or transfer holds the line.
    bool lineTaken() const;

    // Runs `handler` held now. Refused (false) while held or closing; a click waiting for the
    // line waits on behind it.
    bool run(const std::function<void()> &handler);
    // A click that needs the line: runs held now, or once the line is free and this window's
    // own poll or request has returned. Ignored while a click waits or is in work, or the
    // window closes.
    void runWhenLineFree(std::function<void()> handler);
    // Forgets a waiting click.
    void cancelWaiting();

    // For the window's closeEvent: true when the close has to wait for the handler (the
    // window is hidden now and closed when it returns); the event is ignored then. A
    // waiting click is forgotten either way.
    bool deferClose(QCloseEvent *event);

    // "Wartet auf die Leitung...", visible while a click waits; the window lays it out.
    QLabel *hint() const { return m_hint; }
    static QString hintText();

signals:
    void heldChanged(bool held);
    // The handler has returned (emitted before a deferred close is carried out).
    void released();

private:
    bool hold(const std::function<void()> &handler, bool click);
    void setWaiting(bool on);
    void retry();

    QWidget *m_window;
    AppState *m_state;
    QPointer<ControllerLink> m_link;
    QLabel *m_hint;
    QTimer *m_retry;
    std::function<void()> m_waitingClick;
    bool m_held = false;
    bool m_clickHeld = false; // held by a click, not by a poll or a file request
    bool m_waiting = false;
    bool m_closing = false;
};

} // namespace torvel
