#pragma once
// "Schnittstelle wählen": the user picks the port the line runs on, from the ports found or
// by typing one (COM12, SIM, /dev/ttyUSB0). Lives in an MDI subwindow; one at a time, its
// handle in AppState::portWindow. The port is written to the settings whenever it closes.

#include <QString>
#include <QWidget>

#include <optional>

class QComboBox;
class QMdiSubWindow;
class QPushButton;

namespace torvel {

class AppState;
class ControllerLink;
class Prompter;
class TorvelSettings;

class PortWindow : public QWidget
{
    Q_OBJECT
public:
    PortWindow(AppState *state, TorvelSettings *settings, Prompter *prompter, QWidget *parent = nullptr);

    // The port a typed text stands for: "SIM" (any case), a device path ("/dev/ttyUSB0"), or
    // "COMn" from the text without its first "COM" read as a number 1..99 ("COM12", "7").
    // Nothing for anything else ("com5" keeps its lower-case letters and is no number).
    static std::optional<QString> portFromText(const QString &text);

    // The line whose port is in use: the window shows that port (also a one-run choice such
    // as --port SIM) and refuses another one while a transfer runs on it.
    void setLink(ControllerLink *link);

    QComboBox *comBox() const { return m_comBox; }
    QString currentPort() const { return m_port; }

    // Window activation: becomes the print target and shows the current port again. Runs by
    // itself when the MDI subwindow around it activates.
    void activate();

signals:
    // A valid port was chosen with "Ok"; the line is to switch to it.
    void portChosen(const QString &portText);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void ok();
    // The port the line uses now, or the stored one without a line.
    QString portInUse() const;
    // Activation of the subwindow around this widget is this window's activation.

    AppState *m_state;
    TorvelSettings *m_settings;
    Prompter *m_prompter;
    QComboBox *m_comBox;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    QString m_port;
    ControllerLink *m_link = nullptr;
    bool m_closed = false;
};

} // namespace torvel
