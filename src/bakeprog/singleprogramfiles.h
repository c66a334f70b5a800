#pragma once
// The two single-program files: the binary .BPR (46 bytes, the name is the file name) and
// the USB .TBP (ini text in the layout of an exported program).

#include "bakeprogram.h"

#include <QByteArray>
#include <QString>

namespace torvel {

// A .BPR holds exactly 46 bytes; a file far larger is some other file.
constexpr qint64 kMaxBprBytes = 4096;

// "ROGGEN.BPR" -> "ROGGEN": the file name without folder and last four characters, cut to
// 14 characters.
QString bprProgramName(const QString &fileName);

// The 23 values of a .BPR, low byte first; false when fewer than 46 bytes are given (bytes
// after the 46th are ignored).
bool decodeBprValues(const QByteArray &bytes, ProgramValues *values);

// Reads .TBP text: name (cut to 14 characters) and values of section "Programm" and
// "Phase1".."Phase5", keys in any case; a missing section or key, or a value that is no
// whole number, counts 0. False when the text has neither "[Programm]" nor any phase
// section: that is no program file.
bool decodeTbp(const QByteArray &content, BakeProgram *program);

} // namespace torvel
