#pragma once
// The texts of the Torvel record read, send, save and open.

#include <QString>

namespace torvel::recordtext {

inline const QString kError = QStringLiteral("ERROR");
inline const QString kAchtungUpper = QStringLiteral("ACHTUNG");
inline const QString kAchtung = QStringLiteral("Achtung");
inline const QString kFehler = QStringLiteral("Fehler");
inline const QString kWarnung = QStringLiteral("Warnung");

// ActAction
inline const QString kNoRecord = QStringLiteral("Kein Torvelrecord geladen!");
inline const QString kRecordRead = QStringLiteral("Torvelrecord gelesen!");
inline const QString kRecordLoaded = QStringLiteral("Torvelrecord geladen!");
inline const QString kRecordNotSent = QStringLiteral("Torvelrecord nicht übertragen!");
inline const QString kRecordSent = QStringLiteral("Torvelrecord übertragen!");
inline const QString kReceivingName = QStringLiteral("empfange Backprogrammname Nr.");
inline const QString kReceivingProgram = QStringLiteral("     empfange Backprogramm Nr.");
inline const QString kReceivingNights = QStringLiteral("empfange Nachtstartzeiten");
inline const QString kReceivingGradient = QStringLiteral("empfange Steigungstabelle");
inline const QString kReceivingReady = QStringLiteral("empfange Bereittabelle");
inline const QString kChecking = QStringLiteral("Überprüfe Torvelrecord..");
inline const QString kSendingPrograms = QStringLiteral("sende Backprogramme");
inline const QString kSendingProgram = QStringLiteral("            sende Backprogramm Nr.");
inline const QString kSendingNights = QStringLiteral("sende Nachtstartzeiten");
inline const QString kSendingGradient = QStringLiteral("sende Steigungstabelle");
inline const QString kSendingReady = QStringLiteral("sende Bereittabelle");

// PrgStatus
inline const QString kStatusStart = QStringLiteral("Prgstatus");

// Errors entries
inline const QString kNoVersion = QStringLiteral("Version konnte nicht empfangen werden!");
inline const QString kProgramsNotRead = QStringLiteral("Backprogramme konnten nicht empfangen werden!");
inline const QString kNightsNotRead = QStringLiteral("Nachtstartzeiten konnten nicht empfangen werden!");
inline const QString kProgramsNotSent = QStringLiteral("Backprogramme konnten nicht gesendet werden!");
inline const QString kNightsNotSent = QStringLiteral("Nachtstartzeiten konnten nicht gesendet werden!");
inline const QString kGradientNotSent = QStringLiteral("Steigungstabelle konnte nicht gesendet werden!");
inline const QString kReadyNotSent = QStringLiteral("Bereittabelle konnte nicht gesendet werden!");
inline const QString kConfigNote = QStringLiteral("Konfigurationsdaten können z.Z. nur mit");
inline const QString kConfigSentNote = QStringLiteral("dem Programm \"VKSKonfig\" gesendet werden!");
inline const QString kConfigReadNote = QStringLiteral("dem Programm \"VKSKonfig\" empfangen werden!");

// Boxes
inline const QString kReadDone = QStringLiteral("Torvelrecord  gelesen.\r\n\r\n");
inline const QString kReadFailed = QStringLiteral("Torvelrecord konnte nicht gelesen werden!\r\n\r\n");
inline const QString kSendDone = QStringLiteral("Torvelrecord  übertragen.\r\n\r\n");
inline const QString kSendFailed = QStringLiteral("Torvelrecord konnte nicht übertragen werden!\r\n\r\n");
inline const QString kElevenPrograms =
    QStringLiteral("Torvel mit nur 11 Backprogrammen erkannt!\r\nWollen Sie dennoch weitermachen?.");
inline const QString kReadyMissing =
    QStringLiteral("Bereittabelle fehlt!\r\nBitte Torvelrecord öffnen oder lesen\r\noder laden!");
inline const QString kOpenOrReadFirst = QStringLiteral("Bitte erst Torvelrecord öffnen oder lesen!");
inline const QString kReadOrOpenFirst = QStringLiteral("Bitte erst Torvelrecord lesen oder öffnen!");
inline const QString kGradientMissing =
    QStringLiteral("Bitte erst Steigungstabelle auslesen\r\noder gespeicherte Tabelle öffnen!");

// The file
inline const QString kFileFilter = QStringLiteral("Neuer Torvel-Record VKS (*.vtr)");
inline const QString kFileSuffix = QStringLiteral("vtr");
inline const QString kSaveFailed = QStringLiteral("Fehler beim Sichern des Torvelrecords!");
inline const QString kLoadFailed = QStringLiteral("Fehler beim Laden des Torvelrecords!");
inline const QString kCrcQuestion = QStringLiteral(
    "Achtung: CRC-Checksumme der Datei stimmt nicht!\r\nDie Datei wurde vermutlich von Hand verändert.\r\n"
    "Wollen Sie dennoch versuchen, die Datei zu öffnen?\r\n\r\nVerwenden der Datei ohne gültige "
    "CRC-CHKSumme\r\ngeschieht auf eigene Gefahr!\r\nEs kann sein, dass \"unsinnige\" Werte übertragen werden.");
inline const QString kCrcNotInserted = QStringLiteral("CRC-Checksumme konnte nicht eingetragen werden!");
inline const QString kCrcLineMissing =
    QStringLiteral("CRC-Checksumme konnte nicht überprüft werden!\r\n(Konnte nicht aus Datei gelesen werden.)");
inline const QString kCrcNotComputed =
    QStringLiteral("CRC-Checksumme konnte nicht überprüft werden!\r\n(Konnte nicht aus berechnet werden.)");

// Status line words after a save or an open of the page.
inline QString saveOutcome(const QString &file, bool ok)
{
    return (ok ? QStringLiteral("Torvelrecord gespeichert: %1") : QStringLiteral("Torvelrecord nicht gespeichert: %1"))
        .arg(file);
}
inline QString openOutcome(const QString &file, bool ok)
{
    return (ok ? QStringLiteral("Torvelrecord geöffnet: %1")
               : QStringLiteral("Torvelrecord nicht geöffnet, der bisherige bleibt: %1"))
        .arg(file);
}

} // namespace torvel::recordtext
