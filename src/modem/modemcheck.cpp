#include "modemcheck.h"

#include "modemport.h"
#include "modemtexts.h"

#include "shell/prompter.h"

#include <QDir>
#include <QSaveFile>

namespace torvel {

namespace {

struct Section {
    QString name;
    QStringList items;
    bool showsItems; // the message names the missing items
};

// Items the NVRAM listing does not show.
bool excludedFromNvram(const QString &item)
{
    return item.startsWith(QLatin1Char('Y')) || item.startsWith(QLatin1String("S01"))
           || item.startsWith(QLatin1String("S16")) || item.startsWith(QLatin1String("S18"));
}

QStringList withoutExcluded(const QStringList &items)
{
    QStringList out;
    for (const QString &item : items)
        if (!excludedFromNvram(item))
            out << item;
    return out;
}

QList<Section> sections(ModemKind kind, ModemListing which, bool take38400)
{
    const ModemProfile &p = modemProfile(kind);
    if (which == ModemListing::Current) {
        return {{QStringLiteral("Start-String"), {listingHeader(which)}, false},
                {QStringLiteral("H_Standard:"), p.basic, true},
                {QStringLiteral("COMPort-String"), {speedLine(take38400)}, false},
                {QStringLiteral("Dial-String"), {currentDialLine()}, false},
                {QStringLiteral("&-Befehle:"), p.ampersand, true},
                {QStringLiteral("S-Register:"), p.sRegisters, true}};
    }
    return {{QStringLiteral("Start-String"),
             {listingHeader(which), QStringLiteral("Template Y0"), QStringLiteral("DIAL=TONE")},
             false},
            {QStringLiteral("H_Standard:"), withoutExcluded(p.basic), true},
            {QStringLiteral("COMPort-String"), {speedLine(take38400)}, false},
            {QStringLiteral("&-Befehle:"), p.ampersand, true},
            {QStringLiteral("S-Register:"), withoutExcluded(p.sRegisters), true}};
}

QString expectedText(ModemKind kind, const QString &item)
{
    if (kind == ModemKind::Pc && item.startsWith(QLatin1String("S00")))
        return QStringLiteral("S00=000");
    if (kind == ModemKind::Torvel && item == QLatin1String("Q0"))
        return QStringLiteral("Q1"); // set quiet by "ATQ1" after the tables
    return item;
}

QString failedHeading(ModemKind kind, ModemListing which)
{
    const bool current = which == ModemListing::Current;
    if (kind == ModemKind::Torvel) {
        return current ? QStringLiteral("Aktuelle Einstellungen des Modems\r\nentsprechen nicht der für Torvel\r\n"
                                        "erforderlichen Konfiguration!!!\r\n\r\n")
                       : QStringLiteral("NVRAM-Einstellungen des Modems\r\nentsprechen nicht der für Torvel\r\n"
                                        "erforderlichen Konfiguration!!!\r\n\r\n");
    }
    return current ? QStringLiteral("Aktuelle Einstellungen des Modems\r\nentsprechen nicht der für den Sende-PC\r\n"
                                    "erforderlichen Konfiguration!!!\r\n\r\n")
                   : QStringLiteral("NVRAM-Einstellungen des Modems\r\nentsprechen nicht der für den Sende-PC \r\n"
                                    "erforderlichen Konfiguration!!!\r\n\r\n");
}

QString correctText(ModemKind kind, ModemListing which)
{
    const QString settings = which == ModemListing::Current ? QStringLiteral("Aktuelle Einstellungen")
                                                            : QStringLiteral("NVRAM-Einstellungen");
    const QString target = kind == ModemKind::Torvel ? QStringLiteral("Torvel") : QStringLiteral("den Sende-PC");
    return settings + QStringLiteral(" des Modems für ") + target + QStringLiteral(" sind korrekt!");
}

void saveListing(const QString &dir, const QString &name, const QByteArray &listing)
{
    // A listing that cannot be stored does not change the verdict.
    QSaveFile file(QDir(dir).filePath(name));
    if (file.open(QIODevice::WriteOnly)) {
        file.write(listing);
        file.commit();
    }
}

} // namespace

ModemCheck compareModemListing(ModemKind kind, ModemListing which, bool take38400, const QByteArray &listing)
{
    const QString text = QString::fromLatin1(listing);
    qsizetype lastFound = -1;
    bool failed = false;
    QString message = QStringLiteral("Fehler bei\r\n");
    for (const Section &section : sections(kind, which, take38400)) {
        QString errors;
        for (const QString &item : section.items) {
            const QString expected = expectedText(kind, item);
            const qsizetype at = text.indexOf(expected, lastFound + 1);
            if (at < 0) {
                errors += QStringLiteral("Err-") + expected;
                continue;
            }
            lastFound = at;
        }
        if (errors.isEmpty())
            continue;
        failed = true;
        message += section.name + (section.showsItems ? errors : QString()) + QStringLiteral("\r\n");
    }
    ModemCheck check;
    check.listing = listing;
    check.code = failed ? ModemSettingsDiffer : ModemSettingsCorrect;
    check.text = failed ? failedHeading(kind, which) + message : correctText(kind, which);
    return check;
}

QString listingFileName(ModemKind kind, ModemListing which)
{
    QString name = QStringLiteral("Modemantwort");
    if (kind == ModemKind::Pc)
        name += QStringLiteral("_PC");
    if (which == ModemListing::Nvram)
        name += QStringLiteral("_NVR");
    return name + QStringLiteral(".txt");
}

ModemCheck CheckModemSettings(const ModemPort &port, ModemKind kind, ModemListing which, bool take38400,
                              const QString &dir)
{
    QByteArray listing;
    QByteArray compared;
    if (which == ModemListing::Current) {
        listing = port.send(QByteArrayLiteral("ATI4\r"), 1000, 1000);
        compared = listing;
    } else {
        // Only the first page (template Y0, the profile "AT&W0" stored) is compared: items
        // of the second template must not stand in for missing ones of the first.
        compared = port.send(QByteArrayLiteral("ATI5\r"), 2000, 2000);
        listing = compared;
        if (!listing.isEmpty()) // the modem waits at "Strike a key when ready . . ."
            listing += port.send(QByteArrayLiteral(" "), 1000, 1000);
    }
    ModemCheck check;
    if (listing.isEmpty()) {
        check.code = ModemNoAnswer;
        check.text = modemtext::kNoAnswer;
    } else {
        check = compareModemListing(kind, which, take38400, compared);
        check.listing = listing;
    }
    saveListing(dir, listingFileName(kind, which), listing);
    return check;
}

ModemCheckPair CheckModem(const ModemPort &port, ModemKind kind, bool take38400, const QString &dir)
{
    ModemCheckPair pair;
    pair.current = CheckModemSettings(port, kind, ModemListing::Current, take38400, dir);
    pair.nvram = CheckModemSettings(port, kind, ModemListing::Nvram, take38400, dir);
    return pair;
}

QString checkTextWithAdvice(const ModemCheck &check, const QString &advice)
{
    if (check.code == ModemSettingsCorrect || check.code == ModemNoAnswer)
        return check.text;
    return check.text + QStringLiteral("\r\n") + advice;
}

QString checkReportText(const ModemCheckPair &pair, bool afterInit, QString *caption)
{
    if (pair.correct()) {
        *caption = modemtext::kAchtung;
        return pair.current.text + QStringLiteral("\r\n") + pair.nvram.text;
    }
    *caption = modemtext::kWarnung;
    const QString advice = afterInit ? modemtext::kAdviceAfterInit : modemtext::kAdviceAfterTest;
    return checkTextWithAdvice(pair.current, advice) + QStringLiteral("\r\n") + checkTextWithAdvice(pair.nvram, advice);
}

void ReportModemCheck(Prompter &prompter, const ModemCheckPair &pair, bool afterInit)
{
    QString caption;
    const QString text = checkReportText(pair, afterInit, &caption);
    prompter.inform(caption, text);
}

QString dialWarningText(const ModemCheckPair &pcChecks)
{
    const QString advice = modemtext::kAdviceAfterInit;
    return checkTextWithAdvice(pcChecks.current, advice) + QStringLiteral("\r\n")
           + checkTextWithAdvice(pcChecks.nvram, advice) + QStringLiteral("\r\n\r\n")
           + QStringLiteral("Eine Verbindung zum Torvel kann") + QStringLiteral("\r\n")
           + QStringLiteral("mit diesen Einstellungen fehlerhaft sein!!") + QStringLiteral("\r\n\r\n")
           + QStringLiteral("Wollen sie dennoch eine Verbindung aufbauen?");
}

} // namespace torvel
