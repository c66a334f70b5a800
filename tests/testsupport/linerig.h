#pragma once
// What transfers and windows need in a test: the program state, a link on its own simulated
// line, a scripted prompter, and every frame as written to the line.

#include "link/controllerlink.h"
#include "shell/appstate.h"
#include "simline.h"
#include "testsupport/scriptedprompter.h"

#include <QStringList>
#include <functional>

namespace torvel::test {

// Puts a fresh in-process simulated line under a link and hands back the line.
sim::SimLine *attachSimulatedLine(ControllerLink &link);

struct LineRig {
    AppState state;
    ControllerLink link;
    sim::SimLine *line = nullptr;
    ScriptedPrompter prompter;
    QList<QByteArray> frames;
    // Called for every frame before it goes out: tests click, abort or close from here.
    std::function<void(const QByteArray &)> onFrame;

    LineRig();
    CommandEngine &engine() { return link.engine(); }
    // Faults in torvelsim's --fault notation ("nak@3:1ax6"); false when one does not parse.
    bool addFaults(const QStringList &rules);
    // Frames written that start with these bytes.
    int framesStarting(const QByteArray &start) const;
    int addressFrames(int oven) const;
};

} // namespace torvel::test
