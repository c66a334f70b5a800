#pragma once
// Checking a modem: its "Settings..." or "NVRAM Settings..." listing compared with the
// profile item by item, in order, and the verdicts shown as the modem window shows them.

#include "modemprofile.h"

#include <QByteArray>
#include <QString>

namespace torvel {

class Prompter;
struct ModemPort;

enum ModemCheckCode : int { ModemSettingsCorrect = 0, ModemSettingsDiffer = 1, ModemNoAnswer = 4 };

struct ModemCheck {
    int code = ModemNoAnswer; // a ModemCheckCode
    QString text;
    QByteArray listing; // as the modem sent it
};

// The verdict on a listing. Every expected item must occur after the one found before it,
// across all sections, so the listing shows the whole profile in its order.
ModemCheck compareModemListing(ModemKind kind, ModemListing which, bool take38400, const QByteArray &listing);

// "Modemantwort.txt", "Modemantwort_NVR.txt", "Modemantwort_PC.txt", "Modemantwort_PC_NVR.txt".
QString listingFileName(ModemKind kind, ModemListing which);

// Asks the modem for its listing (ATI4, or ATI5 and a blank for its second page), compares it
// (of ATI5 the first page, the stored profile 0) and saves all of it as the listing file in
// `dir`, replacing the previous one.
ModemCheck CheckModemSettings(const ModemPort &port, ModemKind kind, ModemListing which, bool take38400,
                              const QString &dir);

struct ModemCheckPair {
    ModemCheck current;
    ModemCheck nvram;
    bool correct() const { return current.code == ModemSettingsCorrect && nvram.code == ModemSettingsCorrect; }
};

ModemCheckPair CheckModem(const ModemPort &port, ModemKind kind, bool take38400, const QString &dir);

// A check's text with the advice line when its code is neither 0 nor 4.
QString checkTextWithAdvice(const ModemCheck &check, const QString &advice);

// The message after an initialisation or a test of one modem, and its caption.
QString checkReportText(const ModemCheckPair &pair, bool afterInit, QString *caption);
// Shows it in a message box.
void ReportModemCheck(Prompter &prompter, const ModemCheckPair &pair, bool afterInit);

// The question before dialling with a PC modem whose checks found problems.
QString dialWarningText(const ModemCheckPair &pcChecks);

} // namespace torvel
