#pragma once
// The modem as the modem window talks to it: every command through ModemSend (caption
// "MODEM", at least the engine's modem time-out), refusals written to the error memo.

#include <QByteArray>
#include <QStringList>

namespace torvel {

class CommandEngine;
class MemoLog;

struct ModemPort {
    CommandEngine &engine;
    MemoLog *errorLog = nullptr;

    // Bytes in modem text mode (flags 4); *ok is the modem's verdict ("OK" or the listing
    // prompt arrived). The answer comes without the verdict mark.
    // stripEcho adds flag 1 (the dial).
    QByteArray send(const QByteArray &bytes, int replyLen, int timeoutMs, bool *ok = nullptr,
                    bool stripEcho = false) const;
    // One AT command line, reply length 10.
    bool command(const QByteArray &line, int timeoutMs = 50, QByteArray *answer = nullptr) const;
};

// Sends the table entries in lines of "AT" + entries, cut when a line grows past 50
// characters; the first entry becomes "S00=000" when replaceFirst. False at the first line
// the modem refuses (nothing after it is sent).
bool SendAtTable(const ModemPort &port, const QStringList &table, bool replaceFirst);

} // namespace torvel
