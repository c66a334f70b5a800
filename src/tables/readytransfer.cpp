#include "readytransfer.h"

#include "readyblock.h"
#include "readydefaults.h"
#include "readytexts.h"

#include "link/bytes.h"
#include "link/commandengine.h"
#include "shell/prompter.h"
#include "torvel2/datablockcrc.h"

#include <algorithm>
#include <functional>

namespace torvel {

namespace {
const QString kReadCaption = QStringLiteral("Bereittab lesen");
const QString kWriteCaption = QStringLiteral("Bereittab schreiben");
const QByteArray kAckOnly(1, kAck);

int decksOf(int herdMax)
{
    return std::clamp(herdMax, 1, kReadyDecks);
}

// The oven once, then every block of decks 1..herdMax day by day: told to `step` (which may
// stop the run) before `transfer` moves it.
ReadyRun eachReadyBlock(const Torvel2Line &line, int herdMax, const ReadyBlockStep &step,
                        const std::function<bool(int day, int deck)> &transfer)
{
    if (!AddressTorvel2Oven(line, true))
        return ReadyRun::NotAddressed;
    const int decks = decksOf(herdMax);
    for (int day = 0; day < kReadyDays; ++day) {
        for (int deck = 1; deck <= decks; ++deck) {
            if (step && !step(day, deck, day * decks + deck))
                return ReadyRun::Stopped;
            if (!transfer(day, deck))
                return ReadyRun::Failed;
        }
    }
    return ReadyRun::Done;
}

// Write announcement, then the block: both must be answered with 0x06 alone.
bool sendBlock(const Torvel2Line &line, int day, int deck, const QByteArray &block)
{
    if (line.engine.SendCommand(readyWriteFrame(day, deck), 1, true, kReadyAnnounceTimeoutMs, kWriteCaption,
                                ControllerFlags)
        != kAckOnly)
        return false;
    return line.engine.SendCommand(block, 1, true, kReadyDataTimeoutMs, kWriteCaption, ControllerFlags) == kAckOnly;
}
} // namespace

bool ReadReadyBlock(const Torvel2Line &line, bool showMessages, int day, int deck, ReadyTable &table,
                    ReadyBlockFlags &flags, QString &report, const ReadyReadOptions &options)
{
    if (!AddressTorvel2Oven(line, showMessages))
        return false;
    QByteArray reply;
    int length = 0;
    for (int attempt = 0; attempt < kReadyAttempts && length < kReadyReadReplyLength; ++attempt) {
        reply = line.engine.SendCommand(readyReadFrame(day, deck), kReadyReadReplyLength, true, kReadyReadTimeoutMs,
                                        kReadCaption, ControllerFlags);
        if (!CheckReply(reply, true)) {
            length = 0;
            continue;
        }
        length = static_cast<int>(reply.size());
        // Data and CRC: all but the leading 0x06 and the closing checksum and 0x06.
        if (!DataBlockCrcGood(reply.mid(1, reply.size() - 3))) {
            line.prompter.inform(readytext::kError, readytext::kCrcError);
            length = 0;
            break;
        }
    }
    if (length < kReadyReadReplyLength) {
        line.prompter.inform(readytext::kError, readytext::kWrongLength);
        return false;
    }
    const QByteArray body = reply.mid(1);
    const QByteArray defaults = BuildDefaultReadyBlock(day, deck, options.debugDefaults) + kAckOnly;
    if (body.left(kReadyBlockDataBytes) != defaults.left(kReadyBlockDataBytes)) {
        if (body.size() != defaults.size())
            report += QStringLiteral("(len)");
        report += readytext::blockLine(day, deck);
    }
    const QByteArray rest = takeReadyBlock(body, day, deck, table, options.memo);
    if (rest.size() != 4) { // CRC, checksum and 0x06 are all that may follow the entries
        line.prompter.inform(readytext::kError, readytext::kExtraBytes);
        return false;
    }
    flags.set(day, deck);
    return true;
}

bool WriteReadyBlock(const Torvel2Line &line, const ReadyTable &table, int deck, int day, bool showMessages)
{
    if (!AddressTorvel2Oven(line, showMessages))
        return false;
    const bool ok = sendBlock(line, day, deck, readyBlockFrame(readyBlockData(table, day, deck)));
    if (showMessages) {
        if (ok)
            line.prompter.inform(readytext::kAttention, readytext::kSet);
        else
            line.prompter.inform(readytext::kError, readytext::kNotSet);
    }
    return ok;
}

ReadyRun ReadReadyTable(const Torvel2Line &line, int herdMax, ReadyTable &table, ReadyBlockFlags &flags,
                        QString &report, const ReadyReadOptions &options, const ReadyBlockStep &step)
{
    return eachReadyBlock(line, herdMax, step, [&](int day, int deck) {
        return ReadReadyBlock(line, true, day, deck, table, flags, report, options);
    });
}

QString missingReadyBlocks(const ReadyBlockFlags &flags, int herdMax)
{
    QString list;
    for (int day = 0; day < kReadyDays; ++day) {
        bool firstOfDay = true;
        for (int deck = 1; deck <= decksOf(herdMax); ++deck) {
            if (flags.isSet(day, deck))
                continue;
            if (firstOfDay && !list.isEmpty())
                list += QStringLiteral("\r\n");
            firstOfDay = false;
            list += QStringLiteral("(%1)%2-").arg(readyDayShortName(day)).arg(deck);
        }
    }
    return list;
}

ReadyRun WriteReadyTable(const Torvel2Line &line, int herdMax, const ReadyTable &table, const ReadyBlockStep &step)
{
    return eachReadyBlock(line, herdMax, step,
                          [&](int day, int deck) { return WriteReadyBlock(line, table, deck, day, false); });
}

ReadyRun SendReadyDefaults(const Torvel2Line &line, int herdMax, bool debug, const ReadyBlockStep &step)
{
    return eachReadyBlock(line, herdMax, step, [&](int day, int deck) {
        return sendBlock(line, day, deck, BuildDefaultReadyBlock(day, deck, debug));
    });
}

} // namespace torvel
