#include "simprograms.h"

#include "simcontroller.h"
#include "simwire.h"

namespace torvel::sim {

SimProgramStore::SimProgramStore()
{
    clear();
}

QByteArray SimProgramStore::nameBytes(int n) const
{
    return (n >= 1 && n <= kSimProgramSlots) ? m_names[n - 1] : QByteArray(kSimNameBytes, ' ');
}

void SimProgramStore::setNameBytes(int n, const QByteArray &bytes)
{
    if (n >= 1 && n <= kSimProgramSlots)
        m_names[n - 1] = bytes.left(kSimNameBytes).leftJustified(kSimNameBytes, ' ');
}

void SimProgramStore::setName(int n, const QString &name)
{
    setNameBytes(n, toDisplayName(name, kSimNameBytes));
}

SimProgramValues SimProgramStore::values(int n) const
{
    return (n >= 1 && n <= kSimProgramSlots) ? m_values[n - 1] : SimProgramValues{};
}

void SimProgramStore::setValues(int n, const SimProgramValues &values)
{
    if (n >= 1 && n <= kSimProgramSlots)
        m_values[n - 1] = values;
}

void SimProgramStore::clear()
{
    for (auto &name : m_names)
        name = QByteArray(kSimNameBytes, ' ');
    m_values.fill(SimProgramValues{});
}

void SimProgramStore::fillDefaults(int oven)
{
    clear();
    static const char *const names[] = {"Weizenbrot", "Roggenbrot", "Brötchen", "Baguette", "Laugengebäck",
                                        "Dinkelbrot", "Vollkornbrot", "Ciabatta", "Zopf", "Stollen"};
    for (int i = 0; i < 10; ++i) {
        const int n = i + 1;
        setName(n, QString::fromUtf8(names[i]));
        SimProgramValues v{};
        for (int phase = 0; phase < 5; ++phase) {
            const int base = phase * 5;
            v[base] = static_cast<quint16>(230 - 5 * phase + oven);      // top heat, degrees
            v[base + 1] = static_cast<quint16>(220 - 5 * phase);          // bottom heat
            v[base + 2] = static_cast<quint16>(60 * (3 + i + phase));     // bake time, seconds
            if (phase < 4) {
                v[base + 3] = static_cast<quint16>(phase % 2 ? 5 : 10 + i); // steam seconds
                v[base + 4] = static_cast<quint16>(60 * (phase + 1));       // damper seconds
            }
        }
        setValues(n, v);
    }
}

int programCapacity(const SimController &c)
{
    const auto capability = c.version().capability;
    return !capability || (*capability & 0x02) ? 99 : 11;
}

namespace {
bool slotValid(const SimController &c, quint8 p1, quint8 p2)
{
    return p1 == p2 && p1 >= 1 && p1 <= programCapacity(c);
}
} // namespace

void registerProgramFunctions(SimController &c)
{
    // Both parameters carry the program number.
    c.registerFunction(kReadNameFunction, [&c](quint8 p1, quint8 p2) {
        if (!slotValid(c, p1, p2))
            return SimReply::nak();
        return SimReply::withData(c.programs().nameBytes(p1));
    });
    c.registerFunction(kReadValuesFunction, [&c](quint8 p1, quint8 p2) {
        if (!slotValid(c, p1, p2))
            return SimReply::nak();
        return SimReply::withData(wordsBigEndian(c.programs().values(p1)));
    });
    c.registerFunction(kWriteNameFunction, [&c](quint8 p1, quint8 p2) {
        if (!slotValid(c, p1, p2))
            return SimReply::nak();
        const int n = p1;
        return SimReply::expectData(kSimNameBytes, [&c, n](const QByteArray &data) {
            c.programs().setNameBytes(n, data);
            return SimReply::ack();
        });
    });
    c.registerFunction(kWriteValuesFunction, [&c](quint8 p1, quint8 p2) {
        if (!slotValid(c, p1, p2))
            return SimReply::nak();
        const int n = p1;
        return SimReply::expectData(kSimValueBytes, [&c, n](const QByteArray &data) {
            c.programs().setValues(n, wordsFromBigEndian<kSimValueCount>(data));
            return SimReply::ack();
        });
    });
}

} // namespace torvel::sim
