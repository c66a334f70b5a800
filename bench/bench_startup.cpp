// Start-up time of the desktop program: from starting the process until the main window has
// been shown and painted (offscreen, so no display is needed), over several runs. The ratio
// is against the 1 s a user accepts for a program to come up. Asserts nothing.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 10;
    QTemporaryDir dir;
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("TORVEL_EXIT_WHEN_SHOWN"), QStringLiteral("1"));
        env.insert(QStringLiteral("TORVEL_SETTINGS"), dir.filePath(QStringLiteral("settings.ini")));
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::MergedChannels);
        QElapsedTimer t;
        t.start();
        p.start(QStringLiteral(WINTORVEL_PATH), {QStringLiteral("--port"), QStringLiteral("SIM")});
        if (!p.waitForFinished(30000) || p.exitCode() != 0) {
            std::fprintf(stderr, "wintorvel did not start and end: %s\n", p.readAll().constData());
            return 1;
        }
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    const double median = ms[ms.size() / 2];
    std::printf("start-up: median %.0f ms to the painted main window (min %.0f, max %.0f, %d runs)\n", median,
                ms.front(), ms.back(), runs);
    std::printf("start-up: median / 1 s = %.3f\n", median / 1000.0);
    return 0;
}
