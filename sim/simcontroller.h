#pragma once
// One simulated oven controller: its state and the functions it answers. Functions are
// registered by code, so further ones (clock, bake programs, ...) plug in without touching
// the line.

#include "simclock.h"
#include "simgradient.h"
#include "simlogs.h"
#include "simnight.h"
#include "simprograms.h"
#include "simready.h"
#include "simreply.h"
#include "simstate.h"

#include <QtGlobal>

#include <functional>
#include <map>

namespace torvel::sim {

class SimController
{
public:
    // Gets p1 and p2 of a function frame whose checksum matched.
    using Handler = std::function<SimReply(quint8 p1, quint8 p2)>;

    // Registers the standard functions (see simfunctions.h).
    explicit SimController(int oven);
    // Handlers capture the controller: it stays where it was made.
    SimController(const SimController &) = delete;
    SimController &operator=(const SimController &) = delete;

    int oven() const { return m_oven; }
    quint8 addressByte() const;

    // An absent controller never answers, not even its address.
    bool present() const { return m_present; }
    void setPresent(bool present) { m_present = present; }

    SimVersion &version() { return m_version; }
    const SimVersion &version() const { return m_version; }
    SimStatus &status() { return m_status; }
    const SimStatus &status() const { return m_status; }
    SimClock &clock() { return m_clock; }
    const SimClock &clock() const { return m_clock; }
    SimProgramStore &programs() { return m_programs; }
    const SimProgramStore &programs() const { return m_programs; }
    SimNightStore &nights() { return m_nights; }
    const SimNightStore &nights() const { return m_nights; }
    // Second generation (simgeneration.h decides what answers).
    SimGradientStore &gradient() { return m_gradient; }
    const SimGradientStore &gradient() const { return m_gradient; }
    SimReadyStore &ready() { return m_ready; }
    const SimReadyStore &ready() const { return m_ready; }
    SimLogStore &logs() { return m_logs; }
    const SimLogStore &logs() const { return m_logs; }

    // Replaces the handler of `code` when there is one.
    void registerFunction(quint8 code, Handler handler);
    void unregisterFunction(quint8 code);
    bool hasFunction(quint8 code) const;
    // NAK for a code without handler.
    SimReply handle(quint8 code, quint8 p1, quint8 p2);
    // Frames of `code` handed to a handler so far.
    int handledCount(quint8 code) const;

    // A fault: the controller answers `frames` more frames (0: none), then falls silent
    // until revive().
    void vanishAfter(int frames);
    bool vanished() const { return m_vanished; }
    void revive();
    // Counts one frame aimed at this controller; false when it does not answer it.
    bool acceptFrame();

private:
    int m_oven;
    bool m_present = true;
    SimVersion m_version;
    SimStatus m_status;
    SimClock m_clock;
    SimProgramStore m_programs;
    SimNightStore m_nights;
    SimGradientStore m_gradient;
    SimReadyStore m_ready;
    SimLogStore m_logs;
    std::map<quint8, Handler> m_functions;
    std::map<quint8, int> m_handled;
    int m_framesLeft = -1; // -1: no vanish pending
    bool m_vanished = false;
};

} // namespace torvel::sim
