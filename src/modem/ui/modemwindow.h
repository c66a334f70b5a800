#pragma once
// "Modem-Einwahl" (TwModemWahl): the phone book and dialling page, and with the start-up word
// MODEM the service pages (controller status, modem service commands, terminal and memos).
// Made once at start-up as a window of its own and only hidden when closed, so the connection
// it made is watched all the time.

#include <QWidget>

#include <functional>

class QTabWidget;

namespace torvel {

class AppState;
class ControllerLink;
class DialPage;
class ModemSession;
class PhoneBookEntryDialog;
class Prompter;
class ServicePage;
class StatusPage;
class TerminalPage;

class ModemWindow : public QWidget
{
    Q_OBJECT
public:
    // A click while another window holds the line is carried out this much later.
    static constexpr int kBusyRetryMs = 50;

    // `dir` holds the phone book and the listing files (the program's directory).
    ModemWindow(AppState *state, ControllerLink *link, Prompter *prompter, const QString &dir,
                QWidget *parent = nullptr);
    ~ModemWindow() override;

    ModemSession &session() { return *m_session; }
    AppState &state() { return *m_state; }
    ControllerLink &link() { return *m_link; }
    Prompter &prompter() { return *m_prompter; }
    const QString &dir() const { return m_dir; }
    PhoneBookEntryDialog *entryDialog() const { return m_entryDialog; }

    DialPage *dialPage() const { return m_dialPage; }
    StatusPage *statusPage() const { return m_statusPage; }
    ServicePage *servicePage() const { return m_servicePage; }
    TerminalPage *terminalPage() const { return m_terminalPage; }
    QTabWidget *pages() const { return m_pages; }

    // Runs a click's work with the window busy and the line held for it. A click while this
    // window is busy is dropped; one while another window holds the line waits for it.
    void runClick(std::function<void()> work);
    // A poller's tick: runs only when the line is free, holding it meanwhile like a click.
    void runTick(const std::function<void()> &work);
    bool busy() const { return m_busy; }
    // This or any other window holds the line: pollers skip their tick.
    bool lineTaken() const;

    // `StopTimePoll`: the clock window does not poll while it is set.
    bool stopTimePoll() const;

signals:
    void busyChanged(bool busy);
    void stopTimePollChanged(bool stop);

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    class Busy;
    void setBusy(bool on);

    AppState *m_state;
    ControllerLink *m_link;
    Prompter *m_prompter;
    QString m_dir;
    ModemSession *m_session;
    PhoneBookEntryDialog *m_entryDialog;
    QTabWidget *m_pages;
    DialPage *m_dialPage;
    StatusPage *m_statusPage;
    ServicePage *m_servicePage;
    TerminalPage *m_terminalPage;
    bool m_busy = false;
    bool m_clickWaiting = false;
};

} // namespace torvel
