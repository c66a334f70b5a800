#pragma once
// The message window: a small MDI child that shows one progress or error text and closes
// itself 3.5 s later. Each call makes a new window; the newest one is the program's
// message window (AppState::messageWindow) and is the one a Retrigger keeps open.

#include <QWidget>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QTimer;

namespace torvel {

class AppState;

class MessageWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kTakeCaptionMs = 20;  // Timer1
    // Width a subwindow's title bar needs beside its caption (icon and three buttons).
    static constexpr int kCaptionButtonsWidth = 110;
    static constexpr int kCloseMs = 3500;      // Timer2

    // A window in `area` (a top-level window when area is null) whose caption is `text`;
    // becomes state->messageWindow. Not shown yet.
    MessageWindow(AppState *state, QMdiArea *area, const QString &text);

    // Creates and shows a window, returns at once; the window closes and deletes itself.
    static MessageWindow *showMessageWindow(AppState *state, QMdiArea *area, const QString &text);

    // The caption the user sees (the sub-window's title inside an MDI area).
    QString caption() const;
    QLabel *panel() const { return m_panel; }
    QTimer *timer1() const { return m_timer1; }
    QTimer *timer2() const { return m_timer2; }
    // The MDI frame around this window (null when top-level).
    QMdiSubWindow *subWindow() const;

    // Closes the window with its frame; it deletes itself.
    void closeWindow();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void takeCaption();
    void fitCaption();
    void setCaption(const QString &text);
    void showAgain();

    AppState *m_state;
    QLabel *m_panel;
    QTimer *m_timer1;
    QTimer *m_timer2;
};

} // namespace torvel
