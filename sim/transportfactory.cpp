#include "transportfactory.h"

#include "simdialup.h"
#include "simmodemtransport.h"
#include "simtransport.h"

#include "link/portname.h"
#include "link/serialtransport.h"

namespace torvel::sim {

std::unique_ptr<Transport> makeTransport(const QString &portText, const QMap<QString, QString> &mapping,
                                         SimLine **simOut)
{
    if (simOut)
        *simOut = nullptr;
    if (isSimulatedModemPort(portText)) {
        auto *dialUp = new SimDialUp;
        if (simOut)
            *simOut = &dialUp->line();
        return std::make_unique<SimModemTransport>(dialUp);
    }
    if (isSimulatedPort(portText)) {
        auto sim = std::make_unique<SimTransport>();
        if (simOut)
            *simOut = sim->line();
        return sim;
    }
    return std::make_unique<SerialTransport>(portDevice(portText, mapping), portText);
}

} // namespace torvel::sim
