#include "gradienttransfer.h"

#include "gradienttexts.h"

#include "link/bytes.h"
#include "link/commandengine.h"
#include "link/memolog.h"
#include "shell/prompter.h"
#include "torvel2/datablockcrc.h"

#include <QTime>

namespace torvel {

namespace {
const QString kReadCaption = QStringLiteral("Steigungstabelle lesen");
const QString kWriteCaption = QStringLiteral("Steigungstabelle schreiben");
const QByteArray kAckOnly(1, kAck);

quint8 modeParameter(int mode)
{
    return mode == GradientTag ? 't' : 'n';
}

QString threeDigits(int v)
{
    return QStringLiteral("%1").arg(v, 3, 10, QLatin1Char('0'));
}

} // namespace

QByteArray takeGradientMode(QByteArray body, int mode, GradientTable &table, MemoLog *memo)
{
    if (memo)
        memo->addLine(QStringLiteral("Steigungstabelle ") + longTimeText(QTime::currentTime()));
    for (int deck = 1; deck <= kGradientDecks && body.size() >= kGradientValues; ++deck) {
        const int oh = static_cast<quint8>(body.at(0));
        const int uh = static_cast<quint8>(body.at(1));
        const int sh = static_cast<quint8>(body.at(2));
        table.setValue(mode, deck, GradientOH, oh);
        table.setValue(mode, deck, GradientUH, uh);
        table.setValue(mode, deck, GradientSH, sh);
        if (memo)
            memo->addLine(QStringLiteral("Herd%1:OH:%2.UH:%3.SH:%4")
                              .arg(threeDigits(deck), threeDigits(oh), threeDigits(uh), threeDigits(sh)));
        body.remove(0, kGradientValues);
    }
    return body;
}

namespace {

enum class ModeOutcome { Arrived, Missing, Failed };

ModeOutcome readMode(const Torvel2Line &line, int mode, GradientTable &table, const GradientReadOptions &options)
{
    QByteArray reply;
    int length = 0;
    bool crcFailed = false;
    for (int attempt = 0; attempt < kGradientAttempts && length < kGradientReadReplyLength; ++attempt) {
        reply = line.engine.SendCommand(gradientReadFrame(mode), kGradientReadReplyLength, true,
                                        kGradientReadTimeoutMs, kReadCaption, ControllerFlags);
        if (!CheckReply(reply, true)) {
            length = 0;
            continue;
        }
        length = static_cast<int>(reply.size());
        // Data and CRC: all but the leading 0x06 and the closing checksum and 0x06.
        if (!DataBlockCrcGood(reply.mid(1, reply.size() - 3))) {
            if (!options.ignoreError) {
                line.prompter.inform(gradienttext::kError, gradienttext::kCrcError);
                crcFailed = true;
                length = 0;
                break;
            }
            line.prompter.showTimedMessage(gradienttext::kError, gradienttext::kCrcError, gradienttext::kNoticeMs);
        }
    }
    if (length < kGradientReadReplyLength) {
        if (!options.ignoreError || crcFailed) {
            line.prompter.inform(gradienttext::kError, gradienttext::kWrongLength);
            return ModeOutcome::Failed;
        }
        line.prompter.showTimedMessage(gradienttext::kError, gradienttext::kCrcError, gradienttext::kNoticeMs);
        return ModeOutcome::Missing;
    }
    const QByteArray rest = takeGradientMode(reply.mid(1), mode, table, options.memo);
    if (rest.size() != 4) // CRC, checksum and 0x06 are all that may follow the decks
        line.prompter.inform(gradienttext::kError, gradienttext::kExtraBytes);
    return ModeOutcome::Arrived;
}
} // namespace

QByteArray gradientReadFrame(int mode)
{
    return functionFrame(0x24, modeParameter(mode), modeParameter(mode));
}

QByteArray gradientWriteFrame(int mode)
{
    return functionFrame(0x25, modeParameter(mode), modeParameter(mode));
}

QByteArray gradientDataFrame(const GradientTable &table, int mode)
{
    return dataFrame(withDataBlockCrc(gradientModeBytes(table, mode)));
}

bool ReadGradientTable(const Torvel2Line &line, bool showMessages, GradientTable &table,
                       const GradientReadOptions &options)
{
    if (!AddressTorvel2Oven(line, showMessages))
        return false;
    GradientTable read = table;
    bool failed = false;
    bool complete = true;
    for (int mode = GradientTag; mode <= GradientNacht && !failed; ++mode) {
        switch (readMode(line, mode, read, options)) {
        case ModeOutcome::Arrived:
            break;
        case ModeOutcome::Missing:
            complete = false;
            break;
        case ModeOutcome::Failed:
            failed = true;
            break;
        }
    }
    if (failed || !complete)
        return false;
    table = read;
    if (showMessages)
        line.prompter.inform(gradienttext::kAttention, gradienttext::kRead);
    return true;
}

bool WriteGradientTable(const Torvel2Line &line, const GradientTable &table, bool showMessages)
{
    bool ok = AddressTorvel2Oven(line, showMessages);
    for (int mode = GradientTag; mode <= GradientNacht && ok; ++mode) {
        const QByteArray data = gradientDataFrame(table, mode);
        bool sent = false;
        for (int attempt = 0; attempt < kGradientAttempts && !sent; ++attempt) {
            if (attempt > 0 && !AddressTorvel2Oven(line, false))
                continue;
            if (line.engine.SendCommand(gradientWriteFrame(mode), 1, true, kGradientWriteTimeoutMs, kWriteCaption,
                                        ControllerFlags)
                != kAckOnly)
                continue;
            sent = line.engine.SendCommand(data, 1, true, kGradientWriteTimeoutMs, kWriteCaption, ControllerFlags)
                   == kAckOnly;
        }
        ok = sent;
    }
    if (showMessages) {
        if (ok)
            line.prompter.inform(gradienttext::kAttention, gradienttext::kWritten);
        else
            line.prompter.inform(gradienttext::kError, gradienttext::kNotWritten);
    }
    return ok;
}

} // namespace torvel
