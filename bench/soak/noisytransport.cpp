#include "noisytransport.h"

namespace torvel::soak {

namespace {
constexpr char kEnqByte = 0x05;
} // namespace

NoisyTransport::NoisyTransport(sim::SimLine *line, quint32 seed) : sim::SimTransport(line), m_random(seed)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(0);
    connect(&m_settle, &QTimer::timeout, this, &NoisyTransport::checkSettled);
}

void NoisyTransport::checkSettled()
{
    if (line() && line()->outputPending()) {
        m_settle.start(); // its bytes come first
        return;
    }
    if (m_onSettled)
        m_onSettled();
}

bool NoisyTransport::write(const QByteArray &bytes)
{
    m_settle.start();
    const bool addressing = bytes.size() == 2 && bytes.at(0) == kEnqByte;
    if (addressing || m_probability <= 0 || bytes.size() < 2 || !(m_random.generateDouble() < m_probability))
        return sim::SimTransport::write(bytes);
    QByteArray changed = bytes;
    // Never the first byte: a function frame without its 0x46 is plain noise to a controller.
    const auto at = static_cast<qsizetype>(1 + m_random.bounded(static_cast<quint32>(bytes.size() - 1)));
    if (changed.at(at) == kEnqByte || (at > 0 && changed.at(at - 1) == kEnqByte))
        return sim::SimTransport::write(bytes);
    char to = changed.at(at);
    while (to == changed.at(at) || to == kEnqByte)
        to = static_cast<char>(m_random.bounded(256));
    changed[at] = to;
    ++m_corrupted;
    return sim::SimTransport::write(changed);
}

} // namespace torvel::soak
