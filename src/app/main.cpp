// WinTorvel, the desktop program.

#include "desktopprogram.h"
#include "screenshot.h"

#include "shell/ui/germantranslations.h"
#include "shell/ui/mainwindow.h"
#include "shell/ui/programicon.h"

#include <QApplication>

using namespace torvel;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("WinTorvel"));
    QApplication::setQuitOnLastWindowClosed(false); // the frame ends the program
    installGermanTranslations(app);
    QApplication::setWindowIcon(programIcon()); // every window's caption, not the toolkit's

    DesktopProgram program(QApplication::arguments().mid(1));
    QObject::connect(&program.mainForm(), &MainWindow::closed, &app, &QApplication::quit);
    program.mainForm().showInitial();
    scheduleScreenshot(program.mainForm());
    scheduleStartupProbe(program.mainForm());
    return app.exec();
}
