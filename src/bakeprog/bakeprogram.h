#pragma once
// A bake program: a name of up to 14 characters and 23 values, and their wire form.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

namespace torvel {

constexpr int kProgramValueCount = 23;
constexpr int kProgramNameLength = 14;
constexpr int kProgramValueBytes = 2 * kProgramValueCount;
constexpr int kMaxProgramNumber = 99;

using ProgramValues = std::array<quint16, kProgramValueCount>;

struct BakeProgram {
    int number = 0;
    QString name; // empty: no program under this number
    ProgramValues values{};
};

// "Name", "OH1", "UH1", "BZ1", ... "BZ5": the 24 column headings of the list.
const QStringList &programColumnHeadings();

// 46 bytes, high byte first.
QByteArray encodeProgramValues(const ProgramValues &values);
// Needs exactly 46 bytes.
bool decodeProgramValues(const QByteArray &bytes, ProgramValues *values);

// The name padded with blanks and cut to 14 characters, in the display character set.
QByteArray encodeProgramName(const QString &name);
// 14 bytes from the controller, trailing blanks kept.
QString decodeProgramName(const QByteArray &bytes);

} // namespace torvel
