#pragma once
// For documentation and checks by eye: TORVEL_SCREENSHOT=<file.png> grabs every window (file-1.png, ... for windows beside the frame)
// two seconds after start-up and ends the program; TORVEL_SCREENSHOT_OPEN lists menu entries
// to trigger first (texts without "&", separated by ";").

class QMainWindow;

namespace torvel {

void scheduleScreenshot(QMainWindow &frame);

// For the start-up benchmark: TORVEL_EXIT_WHEN_SHOWN=1 ends the program as soon as the
// frame has been shown and painted once.
void scheduleStartupProbe(QMainWindow &frame);

} // namespace torvel
