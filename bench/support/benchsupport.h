#pragma once
// What every benchmark needs: torvelsim on a pty, and a meter for wall time, CPU time and
// the turnaround between the last answer byte and the next frame.

#include "link/commandengine.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <vector>

namespace torvel::bench {

class SimProcess
{
public:
    ~SimProcess();
    bool start(const QStringList &args);
    QString devicePath() const { return m_path; }

private:
    QProcess m_process;
    QString m_path;
};

class Meter
{
public:
    explicit Meter(CommandEngine &engine);
    void begin();
    void end();
    // wireBytes: bytes that cross the line (frames and answers, echo not counted twice).
    void report(const char *what, int transactions, int good, qint64 wireBytes, int baud) const;
    // The same with the bytes counted on the way: every frame sent and every answer.
    void report(const char *what, int good, int baud) const;
    int transactions() const { return m_transactions; }
    qint64 wireBytes() const { return m_wireBytes; }

private:
    QElapsedTimer m_wall;
    qint64 m_wallNs = 0;
    double m_cpuStart = 0;
    double m_cpuSeconds = 0;
    qint64 m_lastByteNs = -1;
    std::vector<qint64> m_turnaroundsNs;
    int m_transactions = 0;
    qint64 m_wireBytes = 0;
};

} // namespace torvel::bench
