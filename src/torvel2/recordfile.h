#pragma once
// The Torvel record file (.vtr): a text part (bake program names and values, night starts,
// the gradient and ready table sections), the configuration as ini sections, and a last line
// with the CRC over everything before it. The record page, torvelctl record and torvelctl
// backup save and open it with this same code.

#include "torvelrecord.h"

#include <QByteArray>
#include <QString>

namespace torvel {

class Prompter;

// A whole file is about 110 KB; anything far larger is no record file.
constexpr qint64 kRecordFileMaxBytes = 1024 * 1024;

// Why a record cannot be written so that it opens again: a name, value, night start entry or
// configuration text holding ";" (text part) or CR or LF; empty when it can.
QString unsavableRecordField(const TorvelRecord &record);

// The whole file: text part, configuration, CRC line.
QByteArray recordFileContent(const TorvelRecord &record);

// Writes the file in one piece (temporary file renamed over the old one: an old file stays
// whole and a written one always ends with its CRC line). Refuses a record without data
// ("Bitte erst Torvelrecord lesen oder öffnen!") and one that unsavableRecordField names
// ("Fehler beim Sichern des Torvelrecords!"); `error` gets the message and the reason.
bool saveRecordFile(const QString &fileName, const TorvelRecord &record, QString *error);

struct RecordOpenOptions {
    // The folder for the check reports ("Bereittab_Check.txt", "Config_MinMaxCheck.txt").
    QString logFolder;
};

enum class RecordOpen {
    Opened,
    CrcDeclined,   // the CRC did not match and the question was not answered Yes
    Deviates,      // a line of the text part or a table section deviates, or the file is short
    ConfigRejected, // the configuration part was rejected ("Achtung:\r\n" and the reason shown)
    Unreadable,    // the file could not be read at all
};

// Opens as the record page does: empties the names, values and night starts, checks the CRC
// (question "Warnung" when it fails), reads the text part, the gradient section (it replaces
// the record's table), the ready section (replaces the table; exactly the blocks the section
// holds get their `ReadyBlockRead` flag) with ValidateReadyTable's report ("Achtung"), then the
// configuration. `NoRecordLoaded` is true after any failure, which also shows "Fehler beim
// Laden des Torvelrecords!" and empties names, values and night starts again. `problem`, when
// given, names the first deviating line.
RecordOpen openRecordFile(const QString &fileName, TorvelRecord &record, Prompter &prompter,
                          const RecordOpenOptions &options, QString *problem = nullptr);

} // namespace torvel
