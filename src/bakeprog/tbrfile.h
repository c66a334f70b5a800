#pragma once
// The USB text files of bake programs: the .TBR record of all 99 programs and the
// single-program files of the export (cp1252, CR LF).

#include "programtable.h"

#include <QByteArray>
#include <QString>

namespace torvel {

// One "[Programm]" block with its five phases.
QByteArray programBlock(const BakeProgram &program);
// "Backprogramme für den Fenmork VKS Torvel", two empty lines, 99 blocks, "[ENDE]".
QByteArray tbrRecordFile(const ProgramTable &table);
// "Backprogramm für den VKS Torvel (c) ZAN GmbH", two empty lines, the block, "[ENDE]";
// empty for a program without a name.
QByteArray exportedProgramFile(const BakeProgram &program);

struct TbrReadResult {
    ProgramTable table;
    int errorFlags = 0; // 2 missing "Nummer", 4 a key line missing, 8 number out of range
    int blocks = 0;     // "Name" lines found; 0 means the text holds no program at all
};

// Reads a .TBR record; `maxPrograms` bounds the numbers taken (11 or 99).
TbrReadResult readTbr(const QByteArray &content, int maxPrograms);

// The question shown when errorFlags is not 0.
QString tbrErrorQuestion(int errorFlags);

} // namespace torvel
