#pragma once
// The messages of the log functions, as the user sees them.

#include "logkind.h"

#include <QString>

namespace torvel::logtext {

inline const QString kAttention = QStringLiteral("ACHTUNG");
inline const QString kError = QStringLiteral("ERROR");
inline const QString kWarning = QStringLiteral("WARNUNG");

// The 3-second notice under `IgnoreError`.
constexpr int kNoticeMs = 3000;

inline QString readCaption(LogKind kind)
{
    return logTitle(kind) + QStringLiteral(" lesen");
}
inline QString clearCaption(LogKind kind)
{
    return logTitle(kind) + QStringLiteral(" löschen");
}
inline QString crcError(LogKind kind)
{
    return logTitle(kind) + QStringLiteral("-CRC-Fehler!");
}
inline QString wrongLength(LogKind kind)
{
    return logTitle(kind) + QStringLiteral(" nicht lesbar (falsche Länge)!");
}
inline QString extraBytes(LogKind kind)
{
    return logTitle(kind) + QStringLiteral("-Fehler01!");
}
inline QString datesFailed(LogKind kind)
{
    return logTitle(kind) + QStringLiteral("-Fehler02!");
}
inline QString read(LogKind kind)
{
    return logTitle(kind) + QStringLiteral(" gelesen!");
}

inline const QString kClockUnreadable =
    QStringLiteral("Uhrzeit konnte nicht gelesen werden!\r\n\r\nPC-Zeit wird als Referenz genommen.\r\n"
                   "Falls dies nicht gewünscht wird,\r\nbitte Abbrechen drücken.");

inline QString clearQuestion(LogKind kind)
{
    return kind == LogKind::OperatingData
               ? QStringLiteral("ACHTUNG: hiermit werden alle Betriebsdaten gelöscht!\r\n"
                                "dieser Vorgang kann nicht rückgängig gemacht werden!\r\n\r\nwirklich weitermachen??")
               : QStringLiteral("ACHTUNG: hiermit wird die Fehlerliste gelöscht!\r\n"
                                "dieser Vorgang kann nicht rückgängig gemacht werden!\r\n\r\nwirklich weitermachen??");
}
inline QString cleared(LogKind kind)
{
    return kind == LogKind::OperatingData ? QStringLiteral("Betriebsdaten wurden gelöscht!")
                                          : QStringLiteral("Fehlerliste wurde gelöscht!");
}
inline QString clearFailed(LogKind kind)
{
    return kind == LogKind::OperatingData ? QStringLiteral("Fehler beim Löschen der Betriebsdaten!!")
                                          : QStringLiteral("Fehler beim Löschen der Fehlerliste!!");
}
// The debug log's line when the oven did not answer its address before a clear.
inline QString notAddressedLogLine(LogKind kind)
{
    return kind == LogKind::OperatingData ? QStringLiteral("No BData") : QStringLiteral("No ErrorData");
}

inline QString saveFailed(LogKind kind)
{
    return QStringLiteral("Fehler beim Sichern der ") + logKindWord(kind) + QLatin1Char('!');
}
inline QString openFailed(LogKind kind)
{
    return QStringLiteral("Fehler beim Öffnen der ") + logKindWord(kind) + QLatin1Char('!');
}

inline const QString kPrintQuestion = QStringLiteral(
    "Achtung: z.Z. ist kein Drucker wählbar!\r\nEs wird ohne Auswahl-Dialog die komplette Liste\r\n"
    "direkt auf dem Windows-Standard-Drucker gedruckt.\r\n\r\nCa alle 80 Zeilen wird eine neue Seite (DIN A4) "
    "gedruckt.\r\n\r\nWollen sie dennoch fortfahren?");

// How a read or clear ended, in one sentence (the frame's status line, torvelctl).
inline QString readOutcome(LogKind kind, int oven, bool ok, bool aborted, int entries)
{
    const QString what = logTitle(kind);
    if (aborted)
        return QStringLiteral("Lesen der %1 von Ofen %2 abgebrochen.").arg(what).arg(oven);
    if (ok)
        return QStringLiteral("%1 von Ofen %2 gelesen: %3 Einträge.").arg(what).arg(oven).arg(entries);
    if (entries > 0)
        return QStringLiteral("%1 von Ofen %2 nicht vollständig gelesen: %3 Einträge.")
            .arg(what)
            .arg(oven)
            .arg(entries);
    return QStringLiteral("%1 von Ofen %2 nicht gelesen.").arg(what).arg(oven);
}
inline QString clearOutcome(LogKind kind, int oven, bool cleared, bool asked)
{
    const QString what = logTitle(kind);
    if (!asked)
        return QStringLiteral("%1 von Ofen %2 nicht gelöscht (nicht bestätigt).").arg(what).arg(oven);
    return cleared ? QStringLiteral("%1 von Ofen %2 gelöscht.").arg(what).arg(oven)
                   : QStringLiteral("%1 von Ofen %2 nicht gelöscht.").arg(what).arg(oven);
}

} // namespace torvel::logtext
