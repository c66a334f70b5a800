#pragma once
// The text section of the gradient table, as the .TST file and the Torvel record file hold it:
//   Steigunstabelle Torvel2EM:;
//   TAG:;
//   HERD01;040;040;040          (nine deck lines: OH;UH;SH, three digits each)
//   NACHT:;
//   ...                          (nine deck lines)

#include "gradienttable.h"

#include <QString>

namespace torvel {

class TextLineReader;
class TextLineWriter;

constexpr int kGradientSectionLines = 2 + 2 * (1 + kGradientDecks); // 21
constexpr int kGradientDeckLineLength = 18;

void WriteGradientSection(TextLineWriter &file, const GradientTable &table);

// Reads the 21 lines of the section. Each deck line must be "HERD" + its deck as two digits,
// exactly 18 characters, holding three numbers 0..255; anything else sets `failed` and ends the
// read. `table` receives the values only when the whole section was good: a failed read never
// leaves half a table. `problem`, when given, names the first bad line.
void ReadGradientSection(TextLineReader &file, bool &failed, GradientTable &table, QString *problem = nullptr);

} // namespace torvel
