#pragma once
// The messages of the night start transfers.

#include <QString>

namespace torvel::nighttext {

inline const QString kReading = QStringLiteral("Nachtstartzeiten werden gelesen...");
inline const QString kReadDone = QStringLiteral("Nachtstartzeiten lesen: Funktion beendet.");
inline const QString kAborted = QStringLiteral("Funktion abgebrochen.");
inline const QString kSending = QStringLiteral("Nachtstartzeiten werden übertragen...");
inline const QString kSent = QStringLiteral("Nachtstartzeiten übertragen.");
inline const QString kNotReachable = QStringLiteral("Steuerung nicht erreichbar.");
inline const QString kNotAccepted = QStringLiteral("Commando \"Nachtstartzeit empfangen\" wurde nicht akzeptiert.");
inline const QString kRecordRefused = QStringLiteral("Funktion wurde abgebrochen");
inline const QString kPrinting = QStringLiteral("Fenster \"Nachtstartzeiten\" wird gedruckt");

} // namespace torvel::nighttext
