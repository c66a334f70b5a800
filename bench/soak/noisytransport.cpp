#include "noisytransport.h"

namespace torvel::soak {

namespace {
constexpr char kEnqByte = 0x05;
} // namespace

bool NoisyTransport::write(const QByteArray &bytes)
{
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
