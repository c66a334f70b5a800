// WinTorvel, the desktop program.

#include "link/controllerlink.h"
#include "link/ui/tser.h"
#include "shell/appstate.h"
#include "shell/startupoptions.h"
#include "shell/torvelsettings.h"
#include "shell/ui/tmainform.h"
#include "transportfactory.h"

#include <QApplication>

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

    QStringList args = QApplication::arguments().mid(1);
    TorvelSettings settings;
    QString port = takePortArgument(args);
    if (port.isEmpty())
        port = settings.portText();

    AppState state;
    applyStartupOptions(args, state);

    ControllerLink link;
    sim::SimLine *simLine = nullptr;
    link.setTransport(sim::makeTransport(port, settings.portMapping(), &simLine));
    link.engine().settings().addTimeoutGiven = state.addTimeoutGiven;
    link.engine().settings().addTimeout = state.addTimeout;
    QObject::connect(&link.engine(), &CommandEngine::beep, &app, [] { QApplication::beep(); });

    TMainForm mainForm(&state, &link);
    TSer monitor(&link.log(), &link.engine());
    mainForm.setMonitor(&monitor);
    mainForm.show();
    return app.exec();
}
