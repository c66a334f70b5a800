#pragma once
// Puts a fresh in-process simulated line under a link and hands back the line, so a test
// can set up controllers and faults.

#include "link/controllerlink.h"
#include "simline.h"
#include "simtransport.h"

namespace torvel::test {

inline sim::SimLine *attachSimulatedLine(ControllerLink &link)
{
    auto transport = std::make_unique<sim::SimTransport>();
    sim::SimLine *line = transport->line();
    link.setTransport(std::move(transport));
    return line;
}

} // namespace torvel::test
