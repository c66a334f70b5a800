#pragma once
// Everything the desktop program is made of, wired as it runs: the settings, the program-wide
// state from the start-up options, the line with its engine, the frame and the windows made
// at start-up, and the child windows the frame opens. main() only adds the event loop, so a
// test can start the real program and look at its wiring.

#include "link/controllerlink.h"
#include "shell/appstate.h"
#include "shell/torvelsettings.h"

#include <QStringList>
#include <memory>

namespace torvel {

class MainWindow;
class MonitorWindow;
class PrinterScaleDialog;
class ProgramEditorWindow;
class RangeDialog;
class VersionHolder;
class WidgetPrompter;
struct ChildWindows;

class DesktopProgram
{
public:
    // `args` are the command-line arguments without the program name: "--port X" chooses
    // the line for this run, everything else goes to the start-up options (ADDTO, ...).
    explicit DesktopProgram(QStringList args);
    ~DesktopProgram();
    DesktopProgram(const DesktopProgram &) = delete;
    DesktopProgram &operator=(const DesktopProgram &) = delete;

    AppState &state() { return m_state; }
    ControllerLink &link() { return m_link; }
    TorvelSettings &settings() { return m_settings; }
    MainWindow &mainForm() { return *m_mainForm; }
    WidgetPrompter &prompter() { return *m_prompter; }

private:
    // Declared in the order they may go last: the frame first, the line and state after it.
    TorvelSettings m_settings;
    AppState m_state;
    ControllerLink m_link;
    std::unique_ptr<WidgetPrompter> m_prompter;
    std::unique_ptr<MonitorWindow> m_monitor;
    std::unique_ptr<ChildWindows> m_children;
    std::unique_ptr<MainWindow> m_mainForm; // owns the editor, range and printer scale dialogs
    VersionHolder *m_version = nullptr;
    ProgramEditorWindow *m_editor = nullptr;
    RangeDialog *m_rangeDialog = nullptr;
    PrinterScaleDialog *m_printerScale = nullptr;
};

} // namespace torvel
