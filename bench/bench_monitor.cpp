// The serial monitor under a long session: 100000 transactions through the engine with the
// monitor logging into its three lists (each capped at 30000 lines) and a list model per
// list catching up as the window's would. Prints the cost per transaction with logging on
// and off, and that cost against the wire time of the shortest transaction at 9600 baud.
// Asserts nothing.

#include "link/commandengine.h"
#include "link/controller.h"
#include "link/loglistmodel.h"
#include "link/monitorlog.h"
#include "link/transport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

using namespace torvel;

namespace {
// Echoes every frame and answers 0x06 at once, so only the engine and the monitor cost time.
class InstantLine : public Transport
{
public:
    bool open() override { return true; }
    void close() override {}
    bool isOpen() const override { return true; }
    bool flushInput() override { return true; }
    bool write(const QByteArray &bytes) override
    {
        m_pending += bytes;
        m_pending += '\x06';
        QTimer::singleShot(0, this, [this] { emit bytesAvailable(m_pending.size()); });
        return true;
    }
    QByteArray readAll() override { return std::exchange(m_pending, {}); }
    void setBaudRate(int) override {}
    int baudRate() const override { return 9600; }
    bool carrierDetect() const override { return false; }
    QString displayName() const override { return QStringLiteral("BENCH"); }
    QString errorString() const override { return {}; }

private:
    QByteArray m_pending;
};

double nsPerTransaction(CommandEngine &engine, int n)
{
    const QByteArray frame = addressFrame(ovenAddressByte(3));
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < n; ++i)
        engine.SendCommand(frame, 1, false, 50, QStringLiteral("Steuerung adressieren"), ControllerFlags);
    return double(t.nsecsElapsed()) / n;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int n = argc > 1 ? std::max(1, atoi(argv[1])) : 100000;

    MonitorLog log;
    CommandEngine engine(&log);
    InstantLine line;
    engine.setTransport(&line);
    LogListModel kommandos(&log.kommandos()), sent(&log.sentCommands()), got(&log.got());
    QObject::connect(&log, &MonitorLog::changed, &kommandos, &LogListModel::scheduleRefresh);
    QObject::connect(&log, &MonitorLog::changed, &sent, &LogListModel::scheduleRefresh);
    QObject::connect(&log, &MonitorLog::changed, &got, &LogListModel::scheduleRefresh);

    log.setLogging(false);
    const double off = nsPerTransaction(engine, n);
    log.setLogging(true);
    const double on = nsPerTransaction(engine, n);
    // The shortest transaction on the wire: 2 bytes out, echo, 1 byte back, 10 bits a byte.
    const double wireNs = (2 + 2 + 1) * 10 * 1e9 / 9600;
    std::printf("monitor: %d transactions, lists at %lld/%lld/%lld lines (cap 30000)\n", n,
                static_cast<long long>(log.kommandos().count()), static_cast<long long>(log.sentCommands().count()),
                static_cast<long long>(log.got().count()));
    std::printf("monitor: %.1f us per transaction logged, %.1f us without logging, logging costs %.2f x\n",
                on / 1000, off / 1000, on / off);
    std::printf("monitor: logged transaction / shortest wire time at 9600 baud = %.4f\n", on / wireNs);
    return 0;
}
