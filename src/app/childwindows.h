#pragma once
// Which child windows the frame can open, and how each one is made.

namespace torvel {

class AppState;
class ControllerLink;
class Prompter;
class TMainForm;
class TorvelSettings;

struct ChildWindows {
    AppState &state;
    ControllerLink &link;
    TorvelSettings &settings;
    Prompter &prompter;
    TMainForm &frame;
};

void registerChildWindows(ChildWindows &c);

} // namespace torvel
