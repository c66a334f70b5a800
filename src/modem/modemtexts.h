#pragma once
// The German texts of the modem window: dialling, hanging up, checks and service commands.

#include <QString>

namespace torvel::modemtext {

inline const QString kAchtung = QStringLiteral("ACHTUNG");
inline const QString kWarnung = QStringLiteral("WARNUNG");
inline const QString kFehler = QStringLiteral("FEHLER");
inline const QString kError = QStringLiteral("ERROR");

inline const QString kNoEntry = QStringLiteral("kein Eintrag");
inline const QString kInvalidNumber = QStringLiteral("ERROR");
inline const QString kNumberRefused = QStringLiteral("Gewählte Nummer ist ungültig!\r\nBitte eine andere Nummer wählen");
inline const QString kConnectedWith = QStringLiteral("Verbunden mit ");
inline const QString kBusy = QStringLiteral("Besetzt");
inline const QString kNoCarrier = QStringLiteral("Kein Trägersignal");
inline const QString kErrorPrefix = QStringLiteral("Fehler:");
inline const QString kHangingUp = QStringLiteral("Lege Auf!");
inline const QString kConnectionLost = QStringLiteral("Die Modem-Verbindung wurde unterbrochen!!");

inline const QString kNoAnswer = QStringLiteral("Keine Antwort vom Modem");
inline const QString kAdviceAfterInit = QStringLiteral("Bitte erneut konfigurieren!!!");
inline const QString kAdviceAfterTest = QStringLiteral("Bitte entsprechend konfigurieren!!!");

inline const QString kFactoryResetQuestion = QStringLiteral(
    "Achtung, hiermit wird das Modem\r\nauf Werkseinstellungen (0) gesetzt!\r\n\r\nDAMIT WIRD DER BETRIEB MIT "
    "TORVEL NICHT\r\nMÖGLICH SEIN!!!!!!!\r\n\r\nWirklich weitermachen???");
inline const QString kCommandSent = QStringLiteral("Befehl an Modem gesendet!");
inline const QString kNoReaction = QStringLiteral("Keine Reaktion vom Modem\r\nBefehl bitte erneut senden!");

inline const QString kNotAddressable = QStringLiteral("Steuerung nicht adressierbar!!");

} // namespace torvel::modemtext
