#pragma once
// The terminal page: what arrives on the port as text (while the window is shown), the
// receive counter `EmpfCount`, and the memos `SendLog` and `ErrorLog`.

#include <QByteArray>
#include <QTimer>
#include <QWidget>

class QPlainTextEdit;
class QSpinBox;

namespace torvel {

class ModemWindow;

class TerminalPage : public QWidget
{
    Q_OBJECT
public:
    TerminalPage(ModemWindow &window, QWidget *parent = nullptr);

    // The terminal shows the port only while the window is shown.
    void setActive(bool active);
    // Writes the bytes that came meanwhile now (tests, screenshots).
    void refreshNow();

    QPlainTextEdit *terminal() const { return m_terminal; }

private:
    void received(const QByteArray &bytes);

    ModemWindow &m_window;
    QPlainTextEdit *m_terminal;
    QSpinBox *m_empfCount;
    QByteArray m_pending;
    QTimer m_refresh;
    bool m_active = false;
};

// Port bytes as terminal text: line ends as they are, other control bytes as "[XX]".
QString terminalText(const QByteArray &bytes);

} // namespace torvel
