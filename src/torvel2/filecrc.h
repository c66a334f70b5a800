#pragma once
// The CRC line that closes a Torvel record file: "XX-CRC16-XX:" and four lower-case hexadecimal
// digits of DataBlockCrc over all lines before it, each without its line end. A file edited by
// hand no longer matches.

#include <QByteArray>
#include <QString>

namespace torvel {

class Prompter;

inline const QString kCrcLinePrefix = QStringLiteral("XX-CRC16-XX:");

// `FileCrc`: the CRC over the lines of `content` (any line ends), without their ends; with
// withoutLastLine the last line is left out.
quint16 FileCrc(const QByteArray &content, bool withoutLastLine);

// The content with its CRC line appended (the content ends with CR LF or is empty).
QByteArray withCrcLine(const QByteArray &content);

enum class CrcCheck { Good, Mismatch, NoCrcLine };
// Compares the last line's four characters after the prefix with "%.4x" of the CRC over the
// lines before it: exactly, so upper-case digits do not match.
CrcCheck checkCrcContent(const QByteArray &content);

// `InsertCrc`: appends the CRC line to the file (written anew through a temporary file).
// False when the file cannot be read or written; with a prompter, "CRC-Checksumme konnte
// nicht eingetragen werden!" (caption "ERROR").
bool InsertCrc(const QString &fileName, Prompter *prompter);
// `CheckCrc`: true when the file's CRC line matches. A missing CRC line is told with a
// prompter ("... (Konnte nicht aus Datei gelesen werden.)", caption "Error"), a file that
// cannot be read as "... (Konnte nicht aus berechnet werden.)" (caption "ERROR"); a mismatch
// is not told.
bool CheckCrc(const QString &fileName, Prompter *prompter);

} // namespace torvel
