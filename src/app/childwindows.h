#pragma once
// Which child windows the frame can open, and how each one is made.

namespace torvel {

class AppState;
class ControllerLink;
class Prompter;
class TGetSelect;
class TMainForm;
class TwBackprogramm;
class TorvelSettings;

struct ChildWindows {
    AppState &state;
    ControllerLink &link;
    TorvelSettings &settings;
    Prompter &prompter;
    TMainForm &frame;
    TGetSelect &rangeDialog; // made once, so the last range is offered again
    TwBackprogramm &editor;  // made once, hidden when closed
};

void registerChildWindows(ChildWindows &c);

} // namespace torvel
