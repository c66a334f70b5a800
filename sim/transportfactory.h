#pragma once
// The line for a user-given port name: "SIM" is the simulated line, anything else a serial port.

#include <QMap>
#include <QString>

#include <memory>

namespace torvel {
class Transport;
}

namespace torvel::sim {

class SimLine;

// "SIMMODEM" gives a SimModemTransport on a fresh SimDialUp, *simOut pointing to the line of
// the bakery every number reaches. "SIM" (any case) gives a SimTransport on a fresh default SimLine, which *simOut then
// points to (the transport owns it). Anything else gives a SerialTransport on
// portDevice(portText, mapping), shown as portText; *simOut becomes nullptr.
std::unique_ptr<Transport> makeTransport(const QString &portText, const QMap<QString, QString> &mapping,
                                         SimLine **simOut = nullptr);

} // namespace torvel::sim
