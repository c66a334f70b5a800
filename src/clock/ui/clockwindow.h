#pragma once
// "Uhrzeit": the PC's time beside the selected controller's, read every five seconds, and
// "Stellen" to set the controller's clock to the PC's. Content of a QMdiSubWindow with
// WA_DeleteOnClose; alone it works as a top-level window.

#include <QPointer>
#include <QWidget>

class QLabel;
class QPushButton;
class QTimer;

namespace torvel {

class AppState;
class ControllerLink;
class Prompter;
class WindowBusy;

class ClockWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kFirstPollMs = 500;
    static constexpr int kPollMs = 5000;

    // state and link are required and outlive the window; prompter may be null (no messages).
    ClockWindow(AppState *state, ControllerLink *link, Prompter *prompter, QWidget *parent = nullptr);
    ~ClockWindow() override;

    QTimer *getTimer() const { return m_getTimer; }

    // Set (by the modem window's box): a tick reads nothing and polling stops.
    bool stopTimePoll() const { return m_stopTimePoll; }
    void setStopTimePoll(bool stop) { m_stopTimePoll = stop; }

    // True while a read or set of this window runs (its busy guard is held).
    bool transactionRunning() const;
    WindowBusy *busyGuard() const { return m_busy; }

    // A GetTimer tick: one read of the controller's clock.
    void pollClock();
    // "Stellen": waits while the line is taken.
    void setClock();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void readClock();
    void setClockNow();
    void onActivated();
    void handleRequest(int number);
    void unregister();

    AppState *m_state;
    ControllerLink *m_link;
    Prompter *m_prompter;
    QLabel *m_pcZeit;
    QLabel *m_vksZeit;
    QPushButton *m_stellen;
    QPushButton *m_schliessen;
    QTimer *m_getTimer;
    WindowBusy *m_busy;
    bool m_stopTimePoll = false;
};

} // namespace torvel
