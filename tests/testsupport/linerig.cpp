#include "linerig.h"

#include "link/controller.h"
#include "simoptions.h"
#include "simtransport.h"

namespace torvel::test {

sim::SimLine *attachSimulatedLine(ControllerLink &link)
{
    auto transport = std::make_unique<sim::SimTransport>();
    sim::SimLine *line = transport->line();
    link.setTransport(std::move(transport));
    return line;
}

LineRig::LineRig() : line(attachSimulatedLine(link))
{
    QObject::connect(&link.engine(), &CommandEngine::frameSent, &link, [this](const QByteArray &f) {
        frames << f;
        if (onFrame)
            onFrame(f);
    });
}

bool LineRig::addFaults(const QStringList &rules)
{
    for (const QString &text : rules) {
        QString error;
        const auto rule = sim::parseFaultRule(text, &error);
        if (!rule) {
            qWarning("%s", qPrintable(error));
            return false;
        }
        line->faults().add(*rule);
    }
    return true;
}

int LineRig::framesStarting(const QByteArray &start) const
{
    int n = 0;
    for (const QByteArray &f : frames)
        n += f.startsWith(start) ? 1 : 0;
    return n;
}

int LineRig::addressFrames(int oven) const
{
    return framesStarting(addressFrame(ovenAddressByte(oven)));
}

} // namespace torvel::test
