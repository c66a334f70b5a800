// Transactions through a pty against torvelsim paced at 9600 baud: how close the engine
// gets to the wire time, how little CPU it burns while waiting, and how fast it turns
// around from the last answer byte to the next frame. Prints figures; asserts nothing.

#include "link/bytes.h"
#include "link/controller.h"
#include "link/controllerlink.h"
#include "link/serialtransport.h"

#include "benchsupport.h"

#include <QCoreApplication>

#include <cstdio>

using namespace torvel;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int n = argc > 1 ? std::max(1, atoi(argv[1])) : 100;

    bench::SimProcess sim;
    if (!sim.start({QStringLiteral("--pace"), QStringLiteral("--baud"), QStringLiteral("9600")}))
        return 1;

    ControllerLink link;
    link.setTransport(std::make_unique<SerialTransport>(sim.devicePath(), sim.devicePath()));
    bench::Meter meter(link.engine());
    CommandEngine &engine = link.engine();

    // Version queries of oven 3: addressing (2 out, 1 back) + query (5 out, 9 back).
    meter.begin();
    int good = 0;
    for (int i = 0; i < n; ++i)
        good += ReadSoftwareVersion(engine, 3) == QLatin1String("2.91 r3") ? 1 : 0;
    meter.end();
    meter.report("version queries", n, good, n * (2 + 1 + 5 + 9), 9600);

    // A series of status answers (25 bytes each) after one addressing.
    meter.begin();
    good = AddressController(engine, ovenAddressByte(3), 50, 1) ? 0 : -1;
    for (int i = 0; i < n; ++i) {
        QByteArray reply = engine.SendCommand(statusQueryFrame(), 25, true, 150, QStringLiteral("Statusabfrage"),
                                              ControllerFlags);
        good += CheckReply(reply, true) ? 1 : 0;
    }
    meter.end();
    meter.report("status answers", n, good, 3 + n * (5 + 25), 9600);
    return 0;
}
