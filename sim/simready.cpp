#include "simready.h"

#include "simcontroller.h"
#include "simcrc.h"
#include "simgeneration.h"

namespace torvel::sim {

namespace {
constexpr int kWeekEveryWeek = 30;

bool validBlock(int day, int deck)
{
    return day >= 0 && day < kSimReadyDays && deck >= 1 && deck <= kSimReadyDecks;
}
} // namespace

SimReadyStore::SimReadyStore()
{
    for (QByteArray &b : m_blocks)
        b = QByteArray(kSimReadyBlockBytes, char(0xFF));
    for (int day = 1; day <= 6; ++day) {
        for (int deck = 1; deck <= kSimReadyDecks; ++deck) {
            const int first = 4 * 60 + 30 + 5 * (deck - 1);
            setEntry(day, deck, 1, kWeekEveryWeek, first);
            if (day == 6)
                continue; // Saturday: the morning only
            setEntry(day, deck, 2, kWeekEveryWeek, 11 * 60);
            setEntry(day, deck, 3, kWeekEveryWeek, 16 * 60 + 30);
        }
    }
}

void SimReadyStore::setBlock(int day, int deck, const QByteArray &bytes)
{
    m_blocks[index(day, deck)] = bytes.left(kSimReadyBlockBytes).leftJustified(kSimReadyBlockBytes, char(0xFF));
}

void SimReadyStore::setEntry(int day, int deck, int entry, int week, int minutes)
{
    const int word = ((week & 0x1F) << 11) | (minutes & 0x7FF);
    QByteArray &b = m_blocks[index(day, deck)];
    b[2 * (entry - 1)] = static_cast<char>(word & 0xFF);
    b[2 * (entry - 1) + 1] = static_cast<char>(word >> 8);
}

void registerReadyFunctions(SimController &c)
{
    c.registerFunction(kReadyReadFunction, [&c](quint8 deck, quint8 day) {
        if (!isSecondGeneration(c.version()) || !validBlock(day, deck))
            return SimReply::nak();
        return SimReply::withData(appendBlockCrc(c.ready().block(day, deck)));
    });
    c.registerFunction(kReadyWriteFunction, [&c](quint8 deck, quint8 day) {
        if (!isSecondGeneration(c.version()) || !validBlock(day, deck))
            return SimReply::nak();
        return SimReply::expectData(kSimReadyBlockBytes + 2, [&c, day, deck](const QByteArray &data) {
            if (!blockCrcMatches(data))
                return SimReply::nak();
            c.ready().setBlock(day, deck, data.left(kSimReadyBlockBytes));
            c.ready().noteWrite();
            return SimReply::ack();
        });
    });
}

} // namespace torvel::sim
