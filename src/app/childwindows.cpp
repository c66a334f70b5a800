#include "childwindows.h"

#include "bakeprog/ui/programlistwindow.h"
#include "clock/ui/searchwindow.h"
#include "clock/ui/clockwindow.h"
#include "link/controllerlink.h"
#include "nightstart/ui/nightstartwindow.h"
#include "link/portname.h"
#include "modem/ui/modemwindow.h"
#include "shell/appstate.h"
#include "shell/requests.h"
#include "shell/torvelsettings.h"
#include "shell/ui/mainwindow.h"
#include "shell/ui/ovenwindow.h"
#include "shell/ui/portwindow.h"
#include "transportfactory.h"

#include <QCoreApplication>

namespace torvel {

namespace {
// A new port is used from the next transaction on; refused while a transfer runs.
void switchPort(ChildWindows &c, const QString &port)
{
    if (c.link.engine().busy() || c.state.transferActive())
        return;
    c.link.setTransport(sim::makeTransport(port, c.settings.portMapping()));
}

// `StopTimePoll` of the modem window holds the clock window's polling.
void followStopTimePoll(ChildWindows &c, bool stop)
{
    auto *clock = qobject_cast<ClockWindow *>(c.state.clockWindow.data());
    if (!clock)
        return;
    clock->setStopTimePoll(stop);
    if (stop)
        postRequest(clock, Request::StopCommunication);
    else if (clock->isVisible())
        postRequest(clock, Request::StartCommunication);
}
} // namespace

void registerChildWindows(ChildWindows &c)
{
    c.frame.registerChild(ChildWindow::Port, QStringLiteral("Schnittstelle wählen"), [&c] {
        auto *w = new PortWindow(&c.state, &c.settings, &c.prompter);
        w->setLink(&c.link);
        QObject::connect(w, &PortWindow::portChosen, &c.frame, [&c](const QString &port) { switchPort(c, port); });
        return w;
    }, ChildSize::Fixed);
    c.frame.registerChild(ChildWindow::Oven, QStringLiteral(" "), [&c] { return new OvenWindow(&c.state); },
                          ChildSize::Fixed);
    c.frame.registerChild(ChildWindow::BakeProgramList, ProgramListWindow::captionFor(c.state),
                          [&c] {
                              auto *list = new ProgramListWindow(&c.state, &c.link, &c.prompter, &c.rangeDialog);
                              list->setEditor(&c.editor);
                              return list;
                          });
    c.frame.registerChild(ChildWindow::NightStart, QStringLiteral("Nachtstartzeiten"),
                          [&c] { return new NightStartWindow(&c.state, &c.link, &c.prompter); });
    c.frame.registerChild(ChildWindow::Search, QStringLiteral("VKS Torvel suchen..."),
                          [&c] { return new SearchWindow(&c.state, &c.link); }, ChildSize::Fixed);
    // Made at start-up as a window of its own; closing only hides it.
    auto *modem = new ModemWindow(&c.state, &c.link, &c.prompter, QCoreApplication::applicationDirPath(), &c.frame);
    c.frame.registerChild(ChildWindow::Modem, QStringLiteral("Modem-Einwahl"), [modem] { return modem; });
    QObject::connect(modem, &ModemWindow::stopTimePollChanged, &c.frame, [&c](bool stop) { followStopTimePoll(c, stop); });
    c.frame.registerChild(ChildWindow::Clock, QStringLiteral("Uhrzeit"), [&c, modem] {
        auto *clock = new ClockWindow(&c.state, &c.link, &c.prompter);
        clock->setStopTimePoll(modem->stopTimePoll());
        return clock;
    }, ChildSize::Fixed);
}

} // namespace torvel
