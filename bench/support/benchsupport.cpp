#include "benchsupport.h"

#include <QObject>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace torvel::bench {

namespace {
double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}
} // namespace

SimProcess::~SimProcess()
{
    m_process.terminate();
    if (!m_process.waitForFinished(3000))
        m_process.kill();
}

bool SimProcess::start(const QStringList &args)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral(TORVELSIM_PATH), args);
    if (!m_process.waitForStarted(5000) || !m_process.waitForReadyRead(5000)) {
        std::fprintf(stderr, "torvelsim did not start\n");
        return false;
    }
    m_path = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    return !m_path.isEmpty();
}

Meter::Meter(CommandEngine &engine)
{
    QObject::connect(&engine, &CommandEngine::dataEvent, [this] { m_lastByteNs = m_wall.nsecsElapsed(); });
    QObject::connect(&engine, &CommandEngine::transactionFinished,
                     [this](const QByteArray &answer) { m_wireBytes += answer.size(); });
    QObject::connect(&engine, &CommandEngine::frameSent, [this](const QByteArray &frame) {
        ++m_transactions;
        m_wireBytes += frame.size();
        if (m_lastByteNs >= 0)
            m_turnaroundsNs.push_back(m_wall.nsecsElapsed() - m_lastByteNs);
        m_lastByteNs = -1;
    });
}

void Meter::begin()
{
    m_turnaroundsNs.clear();
    m_lastByteNs = -1;
    m_transactions = 0;
    m_wireBytes = 0;
    m_cpuStart = cpuSeconds();
    m_wall.start();
}

void Meter::end()
{
    m_wallNs = m_wall.nsecsElapsed();
    m_cpuSeconds = cpuSeconds() - m_cpuStart;
}

void Meter::report(const char *what, int transactions, int good, qint64 wireBytes, int baud) const
{
    const double wire = double(wireBytes) * 10.0 / baud;
    const double wall = double(m_wallNs) / 1e9;
    std::vector<qint64> t = m_turnaroundsNs;
    double medianMs = 0;
    if (!t.empty()) {
        std::nth_element(t.begin(), t.begin() + t.size() / 2, t.end());
        medianMs = double(t[t.size() / 2]) / 1e6;
    }
    std::printf("%s: %d transactions, %d good\n", what, transactions, good);
    std::printf("  wall %.3f s, wire %.3f s, wall/wire %.3f (target <= 1.03)\n", wall, wire, wall / wire);
    std::printf("  cpu %.3f s, cpu/wall %.4f (target <= 0.03)\n", m_cpuSeconds, m_cpuSeconds / wall);
    std::printf("  median turnaround last byte -> next frame %.3f ms (target <= 0.2)\n", medianMs);
}

void Meter::report(const char *what, int good, int baud) const
{
    report(what, m_transactions, good, m_wireBytes, baud);
}

} // namespace torvel::bench
