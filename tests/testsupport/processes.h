#pragma once
// The programs end-to-end tests start: torvelctl for one command, torvelsim on a pty for
// the length of a test. Header-only: the paths come from each test program's definitions.

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

namespace torvel::test {

struct CliRun {
    int code = -1; // -1: did not finish
    QString out;
    QString err;
};

// Runs torvelctl with the arguments, always on a settings file of the test's own (a file in a
// folder that lives as long as the test program, unless `settingsFile` names another).
inline CliRun runTorvelctl(const QStringList &args, const QString &settingsFile = QString())
{
    static QTemporaryDir ownFolder;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TORVEL_SETTINGS"),
               settingsFile.isEmpty() ? ownFolder.filePath(QStringLiteral("torvel.ini")) : settingsFile);
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TORVELCTL_PATH), args);
    CliRun r;
    if (!p.waitForFinished(30000))
        return r;
    r.code = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// torvelsim on a pty for one test; stops with it.
struct PtySim {
    QProcess process;
    QString device;

    bool start(const QStringList &args)
    {
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QStringLiteral(TORVELSIM_PATH), args);
        if (!process.waitForStarted(5000))
            return false;
        if (!QTest::qWaitFor([this] { return process.canReadLine(); }, 5000))
            return false;
        device = QString::fromLocal8Bit(process.readLine()).trimmed();
        return device.startsWith(QLatin1Char('/'));
    }
    ~PtySim()
    {
        process.terminate();
        process.waitForFinished(3000);
    }
};

} // namespace torvel::test
