#include "modemsend.h"

#include "bytes.h"
#include "commandengine.h"
#include "memolog.h"

#include <algorithm>

namespace torvel {

QByteArray ModemSend(CommandEngine &engine, MemoLog *errorLog, const QByteArray &cmd, int replyLen, bool stuff,
                     int timeoutMs, int flags, bool *ok)
{
    QByteArray answer =
        engine.SendCommand(cmd, replyLen, stuff, std::max(timeoutMs, engine.settings().modemMinTimeout), QStringLiteral("MODEM"), flags);
    if (flags & TextMode) {
        const bool good = answer.startsWith(kAck);
        if (ok)
            *ok = good;
        if (!good && errorLog) {
            errorLog->addStamped(QStringLiteral("NAK empfangen (Sent:") + QString::fromLatin1(cmd)
                                 + QStringLiteral(";; Read:") + QString::fromLatin1(answer) + QLatin1Char(')'));
        }
        answer.remove(0, 1);
    }
    return answer;
}

} // namespace torvel
