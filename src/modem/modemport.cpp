#include "modemport.h"

#include "link/commandengine.h"
#include "link/modemsend.h"

namespace torvel {

namespace {
constexpr int kAtLineLimit = 50;
constexpr int kCommandReplyLength = 10;
} // namespace

QByteArray ModemPort::send(const QByteArray &bytes, int replyLen, int timeoutMs, bool *ok, bool stripEcho) const
{
    bool verdict = false;
    const int flags = stripEcho ? (TextMode | StripEcho) : TextMode;
    const QByteArray answer = ModemSend(engine, errorLog, bytes, replyLen, false, timeoutMs, flags, &verdict);
    if (ok)
        *ok = verdict;
    return answer;
}

bool ModemPort::command(const QByteArray &line, int timeoutMs, QByteArray *answer) const
{
    bool ok = false;
    const QByteArray a = send(line, kCommandReplyLength, timeoutMs, &ok);
    if (answer)
        *answer = a;
    return ok;
}

bool SendAtTable(const ModemPort &port, const QStringList &table, bool replaceFirst)
{
    QByteArray line = "AT";
    for (qsizetype i = 0; i < table.size(); ++i) {
        line += (i == 0 && replaceFirst) ? QByteArrayLiteral("S00=000") : table.at(i).toLatin1();
        if (line.size() > kAtLineLimit) {
            if (!port.command(line + '\r'))
                return false;
            line = "AT";
        }
    }
    if (line != "AT")
        return port.command(line + '\r');
    return true;
}

} // namespace torvel
