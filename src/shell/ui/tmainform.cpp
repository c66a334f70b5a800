#include "tmainform.h"

#include "link/controller.h"
#include "link/controllerlink.h"
#include "link/ui/tser.h"
#include "shell/appstate.h"

#include <QApplication>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>

namespace torvel {

TMainForm::TMainForm(AppState *state, ControllerLink *link, QWidget *parent)
    : QMainWindow(parent), m_state(state), m_link(link), m_mdi(new QMdiArea(this))
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("WinTorvel"));
    setCentralWidget(m_mdi);
    buildMenus();
    statusBar()->show();
    resize(1000, 700);
}

void TMainForm::buildMenus()
{
    QMenu *datei = menuBar()->addMenu(QStringLiteral("&Datei"));
    QAction *quit = datei->addAction(QStringLiteral("&Beenden"), this, &QWidget::close);
    quit->setStatusTip(QStringLiteral("Diese Anwendung beenden"));

    QMenu *vks = menuBar()->addMenu(QStringLiteral("VKS"));
    vks->addAction(QStringLiteral("Software-Version abfragen"), this, &TMainForm::queryVersion);

    QMenu *fenster = menuBar()->addMenu(QStringLiteral("&Fenster"));
    fenster->addAction(QStringLiteral("Debug-Fenster anzeigen"), this, [this] {
        if (!m_monitor)
            return;
        m_monitor->show();
        m_monitor->raise();
        m_monitor->activateWindow();
    });
}

void TMainForm::queryVersion()
{
    const int oven = m_state->selectedOven();
    statusBar()->showMessage(QStringLiteral("Ofen %1: ...").arg(oven));
    const QString text = ReadSoftwareVersion(m_link->engine(), oven);
    statusBar()->showMessage(QStringLiteral("Ofen %1: %2").arg(oven).arg(text));
}

} // namespace torvel
