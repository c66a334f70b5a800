#include "logtransfer.h"

#include "logblock.h"
#include "lognames.h"
#include "logreadview.h"
#include "logtexts.h"

#include "bakeprog/programprint.h"
#include "clock/clockread.h"
#include "link/bytes.h"
#include "link/commandengine.h"
#include "link/memolog.h"
#include "shell/prompter.h"
#include "torvel2/datablockcrc.h"
#include "torvel2/torvel2address.h"

namespace torvel {

namespace {
const QByteArray kClearAccepted(2, kAck);
constexpr quint8 kClearParameter = 0x4C; // 'L'

// The reference date of a read, and what became of `RefYear`. False when the user would
// rather not go on with the PC's time.
bool takeReference(const Torvel2Line &line, const LogReadOptions &options, const QDateTime &now, QDate *reference,
                   LogReadResult *result)
{
    result->refYear = options.reference.RefYear;
    switch (options.reference.source) {
    case LogReference::Source::TorvelTime: {
        const ClockReading clock = ReadControllerClock(line.engine, line.oven);
        if (clock.ok()) {
            *reference = clock.time.date();
            result->refYear = reference->year();
            result->refYearRed = false;
            return true;
        }
        *reference = now.date();
        result->refYear = reference->year();
        result->refYearRed = true;
        return line.prompter.ask(logtext::kError, logtext::kClockUnreadable, {PromptButton::Ok, PromptButton::Cancel})
               == PromptButton::Ok;
    }
    case LogReference::Source::Manual:
        *reference = manualReferenceDate(options.reference.RefYear, now.date());
        return true;
    case LogReference::Source::PcTime:
        break;
    }
    *reference = now.date();
    return true;
}

enum class BlockOutcome { Arrived, Short, Failed };

// Up to four attempts at one block. Arrived: `reply` holds a checked reply of full length
// (a bad CRC taken under ignoreError).
BlockOutcome requestBlock(const Torvel2Line &line, LogKind kind, int firstEntry, bool ignoreError, QByteArray *reply)
{
    int length = 0;
    for (int attempt = 0; attempt < kLogAttempts && length < kLogBlockReplyLength; ++attempt) {
        *reply = line.engine.SendCommand(logBlockFrame(kind, firstEntry), kLogBlockReplyLength, true,
                                         kLogBlockTimeoutMs, logtext::readCaption(kind), ControllerFlags);
        if (!CheckReply(*reply, true)) {
            length = 0;
            continue;
        }
        length = static_cast<int>(reply->size());
        // Data and CRC: all but the leading 0x06 and the closing checksum and 0x06.
        if (!DataBlockCrcGood(reply->mid(1, reply->size() - 3))) {
            if (!ignoreError) {
                line.prompter.inform(logtext::kError, logtext::crcError(kind));
                return BlockOutcome::Failed;
            }
            line.prompter.showTimedMessage(logtext::kError, logtext::crcError(kind), logtext::kNoticeMs);
        }
    }
    return length < kLogBlockReplyLength ? BlockOutcome::Short : BlockOutcome::Arrived;
}
} // namespace

QByteArray logBlockFrame(LogKind kind, int firstEntry)
{
    return functionFrame(logReadFunction(kind), static_cast<quint8>((firstEntry >> 8) & 0xFF),
                         static_cast<quint8>(firstEntry & 0xFF));
}

QByteArray logClearFrame(LogKind kind)
{
    return functionFrame(logClearFunction(kind), kClearParameter, kClearParameter);
}

QString logHeaderText(LogKind kind, int oven, const QDateTime &when)
{
    const int address = oven * 10;
    const QString bus =
        address < 1 ? QStringLiteral(" ") : QStringLiteral("%1; ").arg(address, 2, 10, QLatin1Char('0'));
    return logTitle(kind) + QStringLiteral(" Torvel") + bus + printTimestamp(when);
}

LogReadResult ReadOperatingList(const Torvel2Line &line, LogKind kind, bool showMessages, const LogReadOptions &options,
                                OperatingList &list)
{
    const QDateTime now = options.pcTime.isValid() ? options.pcTime : QDateTime::currentDateTime();
    const int total = logTotalEntries(kind);
    LogReadView *view = options.view;
    const auto progress = [view, total](int value) {
        if (view)
            view->setProgress(value, total);
    };
    const auto aborted = [view] { return view && view->abortRequested(); };
    progress(0);
    if (view)
        view->clearAbort();
    if (options.memo)
        options.memo->clear();
    list = OperatingList{logHeaderText(kind, line.oven, now), {}};

    LogReadResult result;
    QDate reference;
    bool failed = !takeReference(line, options, now, &reference, &result);
    if (!failed && !AddressTorvel2Oven(line, showMessages))
        failed = true;

    LogBlockDecoder decoder(kind, result.refYear, reference, options.readComplete, list, options.memo);
    int a = options.offset;
    int shortRounds = 0;
    while (!failed) {
        if (aborted()) {
            failed = result.aborted = true;
            break;
        }
        progress(a);
        if (view)
            view->setOffset(a);
        QByteArray reply;
        const BlockOutcome outcome = requestBlock(line, kind, a, options.ignoreError, &reply);
        if (outcome != BlockOutcome::Arrived) {
            const bool again =
                outcome == BlockOutcome::Short && options.ignoreError && ++shortRounds < kLogShortBlockRounds;
            if (again) {
                line.prompter.showTimedMessage(logtext::kError, logtext::crcError(kind), logtext::kNoticeMs);
                continue; // the same block once more
            }
            line.prompter.inform(logtext::kError, logtext::wrongLength(kind));
            failed = true;
            break;
        }
        shortRounds = 0;
        const LogBlockDecoder::Outcome block = decoder.takeBlock(reply.mid(1), a);
        if (block.endMark) {
            progress(total - kLogNameProgressSpan);
            break;
        }
        a += kLogBlockEntries;
        if (a >= total)
            break;
        if (block.rest.size() != 4) // CRC, checksum and 0x06 are all that may follow the entries
            line.prompter.inform(logtext::kError, logtext::extraBytes(kind));
    }

    if (!failed && kind == LogKind::OperatingData) {
        const QStringList names = FetchProgramNames(line, view, total - kLogNameProgressSpan, total);
        for (OperatingEntry &e : list.entries)
            e.ProgramName = e.Program >= 1 && e.Program < names.size() ? names.at(e.Program) : QString();
    }
    if (!failed)
        progress(total); // all read: the gauge says so before "... gelesen!", names or not
    if (options.reference.CheckYear)
        checkYearOrder(list.entries);
    if (!completeEarlyDates(list.entries)) {
        line.prompter.inform(logtext::kError, logtext::datesFailed(kind));
        failed = true;
    }
    if (!failed && showMessages)
        line.prompter.inform(logtext::kAttention, logtext::read(kind));
    if (view)
        view->setOffset(0);
    result.ok = !failed;
    return result;
}

bool confirmLogClear(Prompter &prompter, LogKind kind)
{
    return prompter.ask(logtext::kWarning, logtext::clearQuestion(kind),
                        {PromptButton::Yes, PromptButton::No, PromptButton::Cancel})
           == PromptButton::Yes;
}

LogClearResult ClearOperatingLog(const Torvel2Line &line, LogKind kind, bool showMessages, MemoLog *debugLog)
{
    if (!confirmLogClear(line.prompter, kind))
        return LogClearResult::NotConfirmed;
    return clearLogConfirmed(line, kind, showMessages, debugLog);
}

LogClearResult clearLogConfirmed(const Torvel2Line &line, LogKind kind, bool showMessages, MemoLog *debugLog)
{
    if (!AddressTorvel2Oven(line, showMessages)) {
        if (debugLog)
            debugLog->addStamped(logtext::notAddressedLogLine(kind));
        return LogClearResult::NotAddressable;
    }
    const QByteArray reply = line.engine.SendCommand(logClearFrame(kind), 2, true, kLogClearTimeoutMs,
                                                     logtext::clearCaption(kind), ControllerFlags);
    if (reply == kClearAccepted) {
        line.prompter.inform(logtext::kAttention, logtext::cleared(kind));
        return LogClearResult::Cleared;
    }
    line.prompter.inform(logtext::kError, logtext::clearFailed(kind));
    return LogClearResult::Failed;
}

} // namespace torvel
