#include "logkind.h"

namespace torvel {

int logTotalEntries(LogKind kind)
{
    return kind == LogKind::OperatingData ? kOperatingDataEntries : kErrorListEntries;
}

quint8 logReadFunction(LogKind kind)
{
    return kind == LogKind::OperatingData ? 0x20 : 0x26;
}

quint8 logClearFunction(LogKind kind)
{
    return kind == LogKind::OperatingData ? 0x21 : 0x27;
}

QString logTitle(LogKind kind)
{
    return kind == LogKind::OperatingData ? QStringLiteral("Betriebsdaten") : QStringLiteral("Fehlerliste");
}

QString logKindWord(LogKind kind)
{
    return kind == LogKind::OperatingData ? QStringLiteral("Betriebsdaten") : QStringLiteral("FehlerListe");
}

bool beginsWithWord(const QString &text, const QString &word)
{
    return text.startsWith(word, Qt::CaseInsensitive);
}

} // namespace torvel
