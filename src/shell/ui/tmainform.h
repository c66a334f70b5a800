#pragma once
// The frame window: menus, speed buttons, status line and the child windows.

#include <QMainWindow>

class QMdiArea;

namespace torvel {

class AppState;
class ControllerLink;
class TSer;

class TMainForm : public QMainWindow
{
    Q_OBJECT
public:
    TMainForm(AppState *state, ControllerLink *link, QWidget *parent = nullptr);

    void setMonitor(TSer *monitor) { m_monitor = monitor; }
    QMdiArea *mdiArea() const { return m_mdi; }

private:
    void buildMenus();
    void queryVersion();

    AppState *m_state;
    ControllerLink *m_link;
    TSer *m_monitor = nullptr;
    QMdiArea *m_mdi;
};

} // namespace torvel
