#include "logrender.h"

#include "bytes.h"

namespace torvel {

QString renderByte(quint8 b, RenderDirection direction)
{
    if (b == static_cast<quint8>(kEnq))
        return QStringLiteral("<ENQ>");
    if (b == static_cast<quint8>(kAck))
        return QStringLiteral("<ACK>");
    if (b == static_cast<quint8>(kNak) && direction == RenderDirection::Received)
        return QStringLiteral("<NAK>");
    return QStringLiteral("[%1]").arg(b, 2, 16, QLatin1Char('0')).toUpper();
}

QStringList renderRows(const QByteArray &bytes, RenderDirection direction)
{
    const bool sent = direction == RenderDirection::Sent;
    const int wrapAt = sent ? 25 : 72;
    const QString continuation = sent ? QStringLiteral("--> ") : QStringLiteral("|      --> ");
    QStringList rows;
    QString line;
    for (char c : bytes) {
        line += renderByte(static_cast<quint8>(c), direction);
        if (line.size() >= wrapAt) {
            rows.append(line);
            line = continuation;
        }
    }
    rows.append(line);
    return rows;
}

} // namespace torvel
