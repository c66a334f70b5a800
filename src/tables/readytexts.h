#pragma once
// The ready table's messages, as the user sees them.

#include <QString>
#include <QStringList>

namespace torvel::readytext {

inline const QString kAttention = QStringLiteral("ACHTUNG");
inline const QString kAchtung = QStringLiteral("Achtung");
inline const QString kError = QStringLiteral("ERROR");
inline const QString kWarning = QStringLiteral("WARNUNG");

inline const QString kCrcError = QStringLiteral("Bereittabelle-CRC-Fehler!");
inline const QString kWrongLength = QStringLiteral("Bereittabelle nicht lesbar (falsche Länge)!");
inline const QString kExtraBytes = QStringLiteral("Bereittabelle-Fehler01!");
inline const QString kSet = QStringLiteral("Bereittabelle gesetzt.");
inline const QString kNotSet = QStringLiteral("Bereittabelle konnte nicht gesetzt werden!");
inline const QString kDefaultsFailed = QStringLiteral("Fehler beim Setzen der Bereittabelle!");
inline const QString kBlockNotRead = QStringLiteral(
    "Der gewählte Herde/Wochentag\"\r\nist noch nicht ausgelesen!\r\nBitte zuerst Herd auslesen!\r\n");
inline const QString kDefaultsQuestion =
    QStringLiteral("ACHTUNG: hiermit wird die Bereittabelle überschrieben!\r\ndieser Vorgang kann nicht "
                   "rückgängig gemacht werden!\r\n\r\nwirklich weitermachen??");
inline const QString kSaveFailed = QStringLiteral("Fehler beim Sichern der Bereittabelle!");
inline const QString kOpenFailed = QStringLiteral("Fehler beim Öffnen der Bereittabelle!");

// "Tag:3-Herd:2" and CR LF: one block in the default comparison.
inline QString blockLine(int day, int deck)
{
    return QStringLiteral("Tag:%1-Herd:%2\r\n").arg(day).arg(deck);
}

// The default comparison's message from its list of differing blocks.
inline QString defaultsReport(const QString &differing)
{
    return differing.isEmpty() ? QStringLiteral("Alle Einträge entsprechen Defaults!")
                               : QStringLiteral("Folgende Einträge entsprechen nicht Defaults:\r\n") + differing;
}

// The complete send refused: blocks never read, as "(SO)1-(SO)2-" with a line per day.
inline QString missingBlocksMessage(const QString &list)
{
    return QStringLiteral("Folgende Herde/Wochentag -> \"(WochenTag)HerdNr-\"\r\nsind noch nicht ausgelesen!\r\n"
                          "Für diese Funktion müssen alle Herde ausgelesen sein!\r\n\r\nFehlende Herde:\r\n")
           + list;
}

// The shown day has decks never read, as "4-5-".
inline QString missingDecksMessage(const QString &list)
{
    return QStringLiteral("Folgende Herde dieses Wochentages\r\nsind noch nicht ausgelesen!\r\nFür diese Funktion "
                          "müssen alle Herde\r\ndes entsprechenden Tages ausgelesen sein!\r\n\r\nFehlende Herde:")
           + list;
}

inline QString dayName(int day)
{
    static const QStringList names{QStringLiteral("Sonntag"),  QStringLiteral("Montag"),  QStringLiteral("Dienstag"),
                                   QStringLiteral("Mittwoch"), QStringLiteral("Donnerstag"), QStringLiteral("Freitag"),
                                   QStringLiteral("Samstag")};
    return names.value(day);
}

// How a transfer ended, in one sentence (the frame's status line, torvelctl).
inline QString readOutcome(int oven, bool ok)
{
    return ok ? QStringLiteral("Bereittabelle von Ofen %1 gelesen.").arg(oven)
              : QStringLiteral("Bereittabelle von Ofen %1 nicht vollständig gelesen.").arg(oven);
}
inline QString sendOutcome(int oven, bool ok)
{
    return ok ? QStringLiteral("Bereittabelle an Ofen %1 gesendet.").arg(oven)
              : QStringLiteral("Bereittabelle an Ofen %1 nicht vollständig gesendet.").arg(oven);
}
inline QString blockReadOutcome(int oven, int day, int deck, bool ok)
{
    return QStringLiteral("Bereittabelle %1, Herd %2 von Ofen %3 %4.")
        .arg(dayName(day))
        .arg(deck)
        .arg(oven)
        .arg(ok ? QStringLiteral("gelesen") : QStringLiteral("nicht gelesen"));
}
inline QString blockSendOutcome(int oven, int day, int deck, bool ok)
{
    return QStringLiteral("Bereittabelle %1, Herd %2 an Ofen %3 %4.")
        .arg(dayName(day))
        .arg(deck)
        .arg(oven)
        .arg(ok ? QStringLiteral("gesendet") : QStringLiteral("nicht gesendet"));
}
inline QString defaultsDeclined(int oven)
{
    return QStringLiteral("Default-Bereittabelle an Ofen %1 nicht gesendet (nicht bestätigt).").arg(oven);
}
inline QString defaultsOutcome(int oven, bool ok)
{
    return ok ? QStringLiteral("Default-Bereittabelle an Ofen %1 gesendet.").arg(oven)
              : QStringLiteral("Default-Bereittabelle an Ofen %1 nicht vollständig gesendet.").arg(oven);
}

} // namespace torvel::readytext
