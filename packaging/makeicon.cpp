// Writes the program's icon as a PNG file for the package, from the same drawing the
// program shows in its windows. Usage: makeicon FILE SIZE
#include "shell/ui/programicon.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen"); // no display needed at build time
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int size = args.size() == 3 ? args.at(2).toInt() : 0;
    if (size < 16 || size > 1024) {
        std::fprintf(stderr, "usage: makeicon FILE SIZE\n");
        return 2;
    }
    return torvel::programIconImage(size).save(args.at(1), "PNG") ? 0 : 1;
}
