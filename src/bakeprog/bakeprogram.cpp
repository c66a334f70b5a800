#include "bakeprogram.h"

#include "link/bytes.h"
#include "link/cp1252.h"

namespace torvel {

const QStringList &programColumnHeadings()
{
    static const QStringList headings = {
        QStringLiteral("Name"), QStringLiteral("OH1"), QStringLiteral("UH1"), QStringLiteral("BZ1"),
        QStringLiteral("S1"),   QStringLiteral("A1"),  QStringLiteral("OH2"), QStringLiteral("UH2"),
        QStringLiteral("BZ2"),  QStringLiteral("S2"),  QStringLiteral("A2"),  QStringLiteral("OH3"),
        QStringLiteral("UH3"),  QStringLiteral("BZ3"), QStringLiteral("S3"),  QStringLiteral("A3"),
        QStringLiteral("OH4"),  QStringLiteral("UH4"), QStringLiteral("BZ4"), QStringLiteral("S4"),
        QStringLiteral("A4"),   QStringLiteral("OH5"), QStringLiteral("UH5"), QStringLiteral("BZ5")};
    return headings;
}

QByteArray encodeProgramValues(const ProgramValues &values)
{
    QByteArray out;
    out.reserve(kProgramValueBytes);
    for (quint16 v : values)
        out.append(static_cast<char>(v >> 8)).append(static_cast<char>(v & 0xFF));
    return out;
}

bool decodeProgramValues(const QByteArray &bytes, ProgramValues *values)
{
    if (bytes.size() != kProgramValueBytes)
        return false;
    for (int i = 0; i < kProgramValueCount; ++i)
        (*values)[i] = static_cast<quint16>((static_cast<quint8>(bytes.at(2 * i)) << 8)
                                            | static_cast<quint8>(bytes.at(2 * i + 1)));
    return true;
}

QByteArray encodeProgramName(const QString &name)
{
    QByteArray bytes = toCp1252(name.left(kProgramNameLength));
    bytes = bytes.leftJustified(kProgramNameLength, ' ', true);
    return TextToLcd(bytes);
}

QString decodeProgramName(const QByteArray &bytes)
{
    return fromCp1252(LcdToText(bytes));
}

} // namespace torvel
