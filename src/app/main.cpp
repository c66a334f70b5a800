// WinTorvel, the desktop program.

#include "link/controllerlink.h"
#include "link/portname.h"
#include "link/ui/monitorwindow.h"
#include "shell/appstate.h"
#include "shell/startupoptions.h"
#include "shell/torvelsettings.h"
#include "shell/ui/germantranslations.h"
#include "shell/ui/versionholder.h"
#include "shell/ui/mainwindow.h"
#include "shell/ui/printerscaledialog.h"
#include "shell/ui/widgetprompter.h"
#include "bakeprog/ui/rangedialog.h"
#include "bakeprog/ui/programeditorwindow.h"
#include "childwindows.h"
#include "screenshot.h"
#include "transportfactory.h"

#include <QApplication>
#include <QMdiArea>

using namespace torvel;

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

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("WinTorvel"));
    QApplication::setQuitOnLastWindowClosed(false); // the frame ends the program
    installGermanTranslations(app);

    QStringList args = QApplication::arguments().mid(1);
    TorvelSettings settings;
    QString port = takePortArgument(args);
    if (port.isEmpty())
        port = settings.portText();

    AppState state;
    applyStartupOptions(args, state);

    ControllerLink link;
    link.setTransport(sim::makeTransport(port, settings.portMapping()));
    link.engine().settings().addTimeoutGiven = state.addTimeoutGiven;
    link.engine().settings().addTimeout = state.addTimeout;
    QObject::connect(&link.engine(), &CommandEngine::beep, &app, [] { QApplication::beep(); });

    // Made in this order at start-up; only the frame is visible.
    MainWindow mainForm(&state, &link, &settings);
    VersionHolder version(&mainForm);
    ProgramEditorWindow editor(&state, &mainForm);
    RangeDialog rangeDialog(&mainForm);
    mainForm.setVersionText(version.versionText());
    WidgetPrompter prompter(&state, mainForm.mdiArea(), &mainForm);
    mainForm.setPrompter(&prompter);
    PrinterScaleDialog printerScale(&state, &settings, &mainForm);
    mainForm.setPrinterScaleDialog([&printerScale] { printerScale.exec(); });
    MonitorWindow monitor(&link.log(), &link.engine());
    mainForm.setMonitor(&monitor);

    ChildWindows children{state, link, settings, prompter, mainForm, rangeDialog, editor};
    registerChildWindows(children);

    QObject::connect(&mainForm, &MainWindow::closed, &app, &QApplication::quit);
    mainForm.show();
    scheduleScreenshot(mainForm);
    const int code = app.exec();
    mainForm.mdiArea()->closeAllSubWindows(); // the port window writes its choice on close
    return code;
}
