#pragma once
// How the monitor renders frames: "<ENQ>", "<ACK>", "<NAK>" and "[XX]" tokens,
// wrapped into rows.

#include <QByteArray>
#include <QStringList>

namespace torvel {

enum class RenderDirection { Sent, Received };

QString renderByte(quint8 b, RenderDirection direction);

// The rows of one frame: sent rows wrap at 25 characters and continue with "--> ",
// received rows wrap at 72 and continue with "|      --> ". The last row is always present
// (possibly empty or only the continuation prefix).
QStringList renderRows(const QByteArray &bytes, RenderDirection direction);

} // namespace torvel
