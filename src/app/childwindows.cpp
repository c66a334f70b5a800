#include "childwindows.h"

#include "bakeprog/ui/tbprg.h"
#include "clock/ui/ttorvelver.h"
#include "clock/ui/tuhrempfangen.h"
#include "link/controllerlink.h"
#include "nightstart/ui/tnacht.h"
#include "link/portname.h"
#include "shell/appstate.h"
#include "shell/torvelsettings.h"
#include "shell/ui/tmainform.h"
#include "shell/ui/tofenwahl.h"
#include "shell/ui/tselect.h"
#include "transportfactory.h"

namespace torvel {

namespace {
// A new port is used from the next transaction on; refused while a transfer runs.
void switchPort(ChildWindows &c, const QString &port)
{
    if (c.link.engine().busy() || c.state.transferActive())
        return;
    c.link.setTransport(sim::makeTransport(port, c.settings.portMapping()));
}
} // namespace

void registerChildWindows(ChildWindows &c)
{
    c.frame.registerChild(ChildWindow::Port, QStringLiteral("Schnittstelle wählen"), [&c] {
        auto *w = new TSelect(&c.state, &c.settings, &c.prompter);
        QObject::connect(w, &TSelect::portChosen, &c.frame, [&c](const QString &port) { switchPort(c, port); });
        return w;
    });
    c.frame.registerChild(ChildWindow::Oven, QStringLiteral(" "), [&c] { return new TOfenwahl(&c.state); });
    c.frame.registerChild(ChildWindow::BakeProgramList, TBPrg::captionFor(c.state),
                          [&c] {
                              auto *list = new TBPrg(&c.state, &c.link, &c.prompter, &c.rangeDialog);
                              list->setEditor(&c.editor);
                              return list;
                          });
    c.frame.registerChild(ChildWindow::NightStart, QStringLiteral("Nachtstartzeiten"),
                          [&c] { return new TNacht(&c.state, &c.link, &c.prompter); });
    c.frame.registerChild(ChildWindow::Search, QStringLiteral("VKS Torvel suchen..."),
                          [&c] { return new TTorvelVer(&c.state, &c.link); });
    c.frame.registerChild(ChildWindow::Clock, QStringLiteral("Uhrzeit"),
                          [&c] { return new TUhrempfangen(&c.state, &c.link, &c.prompter); });
}

} // namespace torvel
