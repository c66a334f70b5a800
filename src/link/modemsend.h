#pragma once
// The modem window's wrapper around a transaction: at least 2000 ms (EngineSettings), caption "MODEM",
// and in text mode the modem's verdict.

#include <QByteArray>
#include <QString>

namespace torvel {

class CommandEngine;
class MemoLog;

QByteArray ModemSend(CommandEngine &engine, MemoLog *errorLog, const QByteArray &cmd, int replyLen, bool stuff,
                     int timeoutMs, int flags, bool *ok);

} // namespace torvel
