#include "readyblock.h"

#include "link/bytes.h"
#include "link/memolog.h"
#include "torvel2/datablockcrc.h"

#include <QStringList>

namespace torvel {

namespace {
constexpr quint8 kReadFunction = 0x22;
constexpr quint8 kWriteFunction = 0x23;

QString digits(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}
} // namespace

quint16 readyEntryWord(const ReadyEntry &entry)
{
    if (entry.woche < 0 || entry.woche >= kReadyEmptyWoche || entry.minutes < 0 || entry.minutes >= kReadyEmptyMinutes)
        return kReadyEmptyWord;
    return static_cast<quint16>(entry.woche * 2048 + entry.minutes);
}

ReadyEntry readyEntryFromWord(quint16 word)
{
    return {word >> 11, word & 0x7FF};
}

QByteArray readyBlockData(const ReadyTable &table, int day, int deck)
{
    QByteArray data;
    data.reserve(kReadyBlockDataBytes);
    for (int i = 1; i <= kReadyEntries; ++i) {
        const quint16 w = readyEntryWord(table.entry(day, deck, i));
        data.append(static_cast<char>(w & 0xFF)).append(static_cast<char>(w >> 8));
    }
    return data;
}

QByteArray readyBlockFrame(const QByteArray &data)
{
    return dataFrame(withDataBlockCrc(data));
}

QByteArray readyReadFrame(int day, int deck)
{
    return functionFrame(kReadFunction, static_cast<quint8>(deck), static_cast<quint8>(day));
}

QByteArray readyWriteFrame(int day, int deck)
{
    return functionFrame(kWriteFunction, static_cast<quint8>(deck), static_cast<quint8>(day));
}

QByteArray takeReadyBlock(QByteArray body, int day, int deck, ReadyTable &table, MemoLog *memo)
{
    if (memo)
        memo->addLine(QStringLiteral("Bereittabelle ") + longTimeText(QTime::currentTime()));
    for (int i = 1; i <= kReadyEntries && body.size() >= 2; ++i) {
        const int low = static_cast<quint8>(body.at(0));
        const int high = static_cast<quint8>(body.at(1));
        const ReadyEntry e = readyEntryFromWord(static_cast<quint16>(low + 256 * high));
        if (memo)
            memo->addLine(QStringLiteral("B%1:%2.%3--%4.%5:%6")
                              .arg(digits(i, 3), digits(low, 3), digits(high, 3), digits(e.woche, 2),
                                   digits(e.minutes / 60, 2), digits(e.minutes % 60, 2)));
        table.entry(day, deck, i) = e;
        body.remove(0, 2);
    }
    return body;
}

QString readyDayShortName(int day)
{
    static const QStringList names{QStringLiteral("SO"), QStringLiteral("MO"), QStringLiteral("DI"),
                                   QStringLiteral("MI"), QStringLiteral("DO"), QStringLiteral("FR"),
                                   QStringLiteral("SA")};
    return names.value(day);
}

} // namespace torvel
