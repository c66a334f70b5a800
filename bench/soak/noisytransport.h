#pragma once
// The simulated line with one more fault, on the way to the controllers: now and then one
// byte of a function or data frame arrives changed. A sum checksum always sees a single
// changed byte, so such a frame must be refused and never stored. Addressing frames carry no
// checksum (a changed one addresses another oven, which no program can notice) and 0x05 is
// never made or unmade (it would change the framing): both stay as sent.
//
// The line answers at once, from the event loop. Once it has delivered all it will for a
// frame, waiting on can only end in the time-out: onSettled is called then, and the soak ends
// the wait there (CommandEngine::cancelWait), so silence costs no wall-clock time.

#include "simtransport.h"

#include <QRandomGenerator>
#include <QTimer>

#include <functional>

namespace torvel::soak {

class NoisyTransport : public sim::SimTransport
{
    Q_OBJECT
public:
    NoisyTransport(sim::SimLine *line, quint32 seed);

    // Chance per frame; 0 turns it off.
    void setProbability(double p) { m_probability = p; }
    int corrupted() const { return m_corrupted; }
    void setOnSettled(std::function<void()> onSettled) { m_onSettled = std::move(onSettled); }

    bool write(const QByteArray &bytes) override;

private:
    void checkSettled();

    QRandomGenerator m_random;
    QTimer m_settle;
    std::function<void()> m_onSettled;
    double m_probability = 0;
    int m_corrupted = 0;
};

} // namespace torvel::soak
