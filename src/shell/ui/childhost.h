#pragma once
// A child window's content lives in a QMdiSubWindow in the program, alone in the tests.
// These helpers act on whichever frame holds it.

#include <functional>

class QWidget;

namespace torvel {

// The QMdiSubWindow around `content`, or `content` itself when it has none.
QWidget *hostWindow(QWidget *content);

// Shows the frame normal, raises and activates it.
void showAgain(QWidget *content);

// Closes the frame; a subwindow asks its content first (closeEvent) and deletes itself
// afterwards when it has WA_DeleteOnClose.
void closeHost(QWidget *content);

// Calls `activated` whenever the window holding `content` is activated: its QMdiSubWindow
// (followed also when the content moves into one later) or the content as a window itself.
void followActivation(QWidget *content, std::function<void()> activated);

} // namespace torvel
