#pragma once
// Which child windows the frame can open, and how each one is made.

namespace torvel {

class AppState;
class ControllerLink;
class Prompter;
class RangeDialog;
class MainWindow;
class ProgramEditorWindow;
class TorvelSettings;

struct ChildWindows {
    AppState &state;
    ControllerLink &link;
    TorvelSettings &settings;
    Prompter &prompter;
    MainWindow &frame;
    RangeDialog &rangeDialog; // made once, so the last range is offered again
    ProgramEditorWindow &editor;  // made once, hidden when closed
};

void registerChildWindows(ChildWindows &c);

} // namespace torvel
