#include "soakrig.h"

#include "bakeprog/programsheet.h"
#include "nightstart/nightstartgrid.h"

#include <cstdio>

namespace torvel::soak {

namespace {
// Two streams from one seed: the soak's choices and the faults' hits.
constexpr quint32 kFaultStream = 0x5EED0001;
constexpr quint32 kFrameStream = 0x5EED0002;
} // namespace

SoakRig::SoakRig(quint32 seed)
    : m_seed(seed), m_random(seed), m_hostTime(QDate(2024, 3, 11), QTime(9, 0, 0)),
      m_gradient(emptyGradientTable())
{
    auto transport = std::make_unique<NoisyTransport>(nullptr, seed ^ kFrameStream);
    m_transport = transport.get();
    m_line = transport->line();
    m_link.setTransport(std::move(transport));
    m_line->faults().setSeed(seed ^ kFaultStream);
    // A wait the line will answer no more ends at once instead of after its time-out.
    m_transport->setOnSettled([this] { m_link.engine().cancelWait(); });
    // The monitor's lists would only cost time here.
    m_link.log().setLogging(false);
    for (int oven = 1; oven <= sim::SimLine::kOvens; ++oven)
        controller(oven).clock().setHostClock([this] { return m_hostTime; });
    setupProgramSheet(m_programList);
    setupNightStartGrid(m_nightGrid);
    if (qEnvironmentVariableIsSet("SOAK_DEBUG")) {
        const int watch = qEnvironmentVariableIntValue("SOAK_DEBUG");
        QObject::connect(&m_link.engine(), &CommandEngine::frameSent, [this, watch](const QByteArray &f) {
            if (m_transfer == watch) std::printf(">> %s\n", f.toHex(' ').constData());
        });
        QObject::connect(&m_link.engine(), &CommandEngine::transactionFinished, [this, watch](const QByteArray &f) {
            if (m_transfer == watch) std::printf("<< %s\n", f.toHex(' ').constData());
        });
    }
}

void SoakRig::beginTransfer(int transfer, const char *kind)
{
    m_transfer = transfer;
    m_kind = kind;
    // Per answer; most transfers see a fault or two, a long one a few more.
    const double rate = chance(0.2) ? 0.0 : 0.01 + 0.07 * m_random.generateDouble();
    setFaults(rate, rate > 0 && chance(0.04));
}

void SoakRig::longTransfer()
{
    setFaults(qMin(m_rate, kLongTransferRate), false);
}

void SoakRig::setFaults(double rate, bool vanish)
{
    m_rate = rate;
    sim::FaultPlan &faults = m_line->faults();
    faults.clear();
    m_transport->setProbability(rate);
    if (rate <= 0)
        return;
    if (vanish) {
        // Answers a few more frames, then is gone until the transfer has ended.
        sim::FaultRule rule;
        rule.kind = sim::FaultKind::Vanish;
        rule.count = 1;
        rule.amount = number(0, 12);
        faults.add(rule);
    }
    faults.addRandom(sim::FaultKind::CorruptChecksum, rate);
    // One byte lost per answer: a lost 0x00 leaves the sum as it was, so only the length
    // can tell. Two lost bytes whose values add up to 256 would pass both in a reply of
    // variable length (the version), which no program can notice.
    faults.addRandom(sim::FaultKind::LostBytes, rate);
    faults.addRandom(sim::FaultKind::Nak, rate);
    faults.addRandom(sim::FaultKind::Noise, rate, number(1, 4));
    faults.addRandom(sim::FaultKind::Silence, rate / 2);
}

void SoakRig::pauseFaults()
{
    m_pausedRate = m_rate;
    setFaults(0, false);
}

void SoakRig::resumeFaults()
{
    setFaults(m_pausedRate, false);
}

void SoakRig::endTransfer()
{
    setFaults(0, false);
    for (int oven = 1; oven <= sim::SimLine::kOvens; ++oven)
        controller(oven).revive();
    m_hostTime = m_hostTime.addSecs(number(1, 600));
}

void SoakRig::wrong(const QString &what)
{
    ++m_wrong;
    std::printf("WRONG VALUE in transfer %d (%s, seed %u): %s\n", m_transfer, m_kind, m_seed, qPrintable(what));
    std::fflush(stdout);
}

} // namespace torvel::soak
