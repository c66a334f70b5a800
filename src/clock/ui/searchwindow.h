#pragma once
// "VKS Torvel suchen...": the software version of ovens 1 to 7 in a small table, searched
// once shortly after opening and again on "Erneut suchen". Content of a QMdiSubWindow with
// WA_DeleteOnClose; alone it works as a top-level window.

#include <QPointer>
#include <QWidget>

class QPushButton;
class QTimer;
class QTableWidget;

namespace torvel {

class AppState;
class ControllerLink;
class WindowBusy;

class SearchWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kOvens = 7;
    static constexpr int kStartDelayMs = 500;

    // state and link are required and outlive the window.
    SearchWindow(AppState *state, ControllerLink *link, QWidget *parent = nullptr);
    ~SearchWindow() override;

    QTimer *getTimer() const { return m_getTimer; }
    QTableWidget *table() const { return m_table; }
    // True while the search runs (a close meanwhile waits for it).
    bool searching() const;
    WindowBusy *busyGuard() const { return m_busy; }

    // A GetTimer tick: asks ovens 1 to 7 for their version (later, while the line is taken).
    void search();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void searchOvens();
    void onActivated();
    void writeOvenColumn();
    void setCell(int row, int column, const QString &text);
    QString cellText(int row, int column) const;

    AppState *m_state;
    ControllerLink *m_link;
    QTableWidget *m_table;
    QPushButton *m_suchen;
    QPushButton *m_schliessen;
    QTimer *m_getTimer;
    WindowBusy *m_busy;
};

} // namespace torvel
