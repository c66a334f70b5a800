#pragma once
// The simulated bakery line: up to seven controllers on one wire that echoes every
// byte the PC sends before any controller answers. The PC's bytes go in through
// receive(); echo and answers come out through toPc(), always later from the event loop.

#include "faultplan.h"
#include "lineoutput.h"
#include "lineparser.h"
#include "simcontroller.h"
#include "simstats.h"

#include <QByteArray>
#include <QList>
#include <QObject>

#include <array>
#include <memory>
#include <optional>

namespace torvel::sim {

class SimLine : public QObject
{
    Q_OBJECT
public:
    static constexpr int kOvens = 7;

    // All seven ovens present with their default versions and status (simdefaults.h).
    explicit SimLine(QObject *parent = nullptr);
    ~SimLine() override;

    // oven 1..7.
    SimController &controller(int oven);
    const SimController &controller(int oven) const;
    // The listed ovens are present, all others absent.
    void setPresentOvens(const QList<int> &ovens);
    QList<int> presentOvens() const;
    // The selected oven, 0 when none.
    int selectedOven() const { return m_selected; }

    // Bytes as the PC wrote them.
    void receive(const QByteArray &bytes);

    // Pacing at 10 bits a byte; off by default (bytes come as soon as the event loop runs).
    void setPacing(bool on);
    bool pacing() const;
    void setBaudRate(int baud);
    int baudRate() const;
    bool outputPending() const;

    FaultPlan &faults() { return m_faults; }
    const SimStats &stats() const { return m_stats; }
    void resetStats() { m_stats = {}; }

signals:
    void toPc(const QByteArray &bytes);

private:
    struct PendingData {
        int oven = 0;
        int function = 0;
        DataContinuation onData;
    };

    void handle(const LineEvent &e);
    void handleAddress(quint8 address);
    void handleFunction(const LineEvent &e);
    void handleData(const LineEvent &e);
    void answer(SimController &c, int function, const SimReply &reply);
    SimController *selected();

    std::array<std::unique_ptr<SimController>, kOvens> m_controllers;
    LineParser m_parser;
    LineOutput m_output;
    FaultPlan m_faults;
    SimStats m_stats;
    int m_selected = 0;
    std::optional<PendingData> m_pendingData;
};

} // namespace torvel::sim
