#pragma once
// The gradient table's messages, as the user sees them.

#include <QString>

namespace torvel::gradienttext {

inline const QString kAttention = QStringLiteral("ACHTUNG");
inline const QString kError = QStringLiteral("ERROR");

inline const QString kRead = QStringLiteral("Steigungstabelle gelesen!");
inline const QString kWritten = QStringLiteral("Steigungstabelle geschrieben!");
inline const QString kCrcError = QStringLiteral("Steigungstabelle-CRC-Fehler!");
inline const QString kWrongLength = QStringLiteral(
    "Steigungstabelle nicht lesbar (falsche Länge)!\r\n\r\n(Diese Funktion ist erst ab\r\n Firmware 4.00 r25 verfügbar)!");
inline const QString kExtraBytes = QStringLiteral("Steigungstabelle-Fehler01!");
inline const QString kNotWritten = QStringLiteral(
    "Steigungstabelle kann nicht geschrieben werden!\r\n\r\n(Diese Funktion ist erst ab\r\n Firmware 4.00 r25 verfügbar)!");
inline const QString kReadFirstOrOpen =
    QStringLiteral("Bitte erst Steigungstabelle auslesen\r\noder gespeicherte Tabelle öffnen!");
inline const QString kReadFirst = QStringLiteral("Bitte erst Steigungstabelle auslesen!");
inline const QString kSaveFailed = QStringLiteral("Fehler beim Sichern der Steigungstabelle!");
inline const QString kLoadFailed = QStringLiteral("Fehler beim Laden der Steigungstabelle!");

// The 3-second notice under `IgnoreError`.
constexpr int kNoticeMs = 3000;

// How a transfer ended, in one sentence (the frame's status line, torvelctl).
inline QString readOutcome(int oven, bool ok)
{
    return ok ? QStringLiteral("Steigungstabelle von Ofen %1 gelesen.").arg(oven)
              : QStringLiteral("Steigungstabelle von Ofen %1 nicht gelesen.").arg(oven);
}
inline QString sendOutcome(int oven, bool ok)
{
    return ok ? QStringLiteral("Steigungstabelle an Ofen %1 gesendet.").arg(oven)
              : QStringLiteral("Steigungstabelle an Ofen %1 nicht gesendet.").arg(oven);
}

} // namespace torvel::gradienttext
