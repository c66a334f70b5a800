#include "desktopprogram.h"

#include "childwindows.h"
#include "transportfactory.h"

#include "bakeprog/ui/programeditorwindow.h"
#include "bakeprog/ui/rangedialog.h"
#include "link/ui/monitorwindow.h"
#include "shell/startupoptions.h"
#include "shell/ui/mainwindow.h"
#include "shell/ui/printerscaledialog.h"
#include "shell/ui/versionholder.h"
#include "shell/ui/widgetprompter.h"

#include <QApplication>
#include <QMdiArea>

namespace torvel {

namespace {
// "--port X" chooses the line for this run (scripts/run passes SIM); everything else
// goes to the start-up options.
QString takePortArgument(QStringList &args)
{
    QString port;
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--port") && i + 1 < args.size()) {
            port = args.at(i + 1);
            args.remove(i, 2);
            --i;
        } else if (args.at(i).startsWith(QLatin1String("--port="))) {
            port = args.at(i).mid(7);
            args.remove(i);
            --i;
        }
    }
    return port;
}
} // namespace

DesktopProgram::DesktopProgram(QStringList args)
{
    QString port = takePortArgument(args);
    if (port.isEmpty())
        port = m_settings.portText();
    applyStartupOptions(args, m_state);

    m_link.setTransport(sim::makeTransport(port, m_settings.portMapping()));
    m_link.engine().settings().addTimeoutGiven = m_state.addTimeoutGiven;
    m_link.engine().settings().addTimeout = m_state.addTimeout;
    QObject::connect(&m_link.engine(), &CommandEngine::beep, qApp, [] { QApplication::beep(); });

    // Made in this order at start-up; only the frame is visible.
    m_mainForm = std::make_unique<MainWindow>(&m_state, &m_link, &m_settings);
    MainWindow &mainForm = *m_mainForm;
    m_version = new VersionHolder(&mainForm);
    m_editor = new ProgramEditorWindow(&m_state, &mainForm);
    m_rangeDialog = new RangeDialog(&mainForm);
    mainForm.setVersionText(m_version->versionText());
    m_prompter = std::make_unique<WidgetPrompter>(&m_state, mainForm.mdiArea(), &mainForm);
    mainForm.setPrompter(m_prompter.get());
    m_printerScale = new PrinterScaleDialog(&m_state, &m_settings, &mainForm);
    mainForm.setPrinterScaleDialog([this] { m_printerScale->exec(); });
    m_monitor = std::make_unique<MonitorWindow>(&m_link.log(), &m_link.engine());
    mainForm.setMonitor(m_monitor.get());

    m_children = std::make_unique<ChildWindows>(
        ChildWindows{m_state, m_link, m_settings, *m_prompter, mainForm, *m_rangeDialog, *m_editor});
    registerChildWindows(*m_children);
}

DesktopProgram::~DesktopProgram()
{
    m_mainForm->mdiArea()->closeAllSubWindows(); // the port window writes its choice on close
}

} // namespace torvel
