#include "singleprogramfiles.h"

#include "shell/profilefile.h"

#include <QFileInfo>

namespace torvel {

QString bprProgramName(const QString &fileName)
{
    const QString base = QFileInfo(fileName).fileName();
    return base.left(std::max<qsizetype>(0, base.size() - 4)).left(kProgramNameLength);
}

bool decodeBprValues(const QByteArray &bytes, ProgramValues *values)
{
    if (bytes.size() < kProgramValueBytes)
        return false;
    for (int i = 0; i < kProgramValueCount; ++i)
        (*values)[i] = static_cast<quint16>(static_cast<quint8>(bytes.at(2 * i))
                                            | (static_cast<quint8>(bytes.at(2 * i + 1)) << 8));
    return true;
}

namespace {
// An ini value as a whole decimal number, parsed in 64 bits: 0 when it is none or does not
// fit, else its low 16 bits.
quint16 tbpValue(const ProfileFile &file, const QString &section, const QString &key)
{
    bool ok = false;
    const qint64 v = file.value(section, key).trimmed().toLongLong(&ok, 10);
    return ok ? static_cast<quint16>(static_cast<quint64>(v) & 0xFFFF) : 0;
}
} // namespace

bool decodeTbp(const QByteArray &content, BakeProgram *program)
{
    static const char *const keys[] = {"OH", "UH", "BZ", "Sch", "Abz"};
    const ProfileFile file(content);
    const QString programSection = QStringLiteral("Programm");
    // Files of other tools may be short: what is missing counts 0. Only a text with none of
    // the sections is no program file at all.
    bool anySection = file.hasSection(programSection);
    for (int phase = 1; phase <= 5; ++phase)
        anySection = anySection || file.hasSection(QStringLiteral("Phase%1").arg(phase));
    if (!anySection)
        return false;
    BakeProgram read;
    read.name = file.value(programSection, QStringLiteral("Name")).left(kProgramNameLength);
    for (int phase = 1; phase <= 5; ++phase) {
        const QString section = QStringLiteral("Phase%1").arg(phase);
        const int keyCount = phase < 5 ? 5 : 3;
        for (int k = 0; k < keyCount; ++k)
            read.values[5 * phase - 5 + k] = tbpValue(file, section, QLatin1String(keys[k]));
    }
    read.number = program->number; // "Nummer" is not used: the program goes where it is put
    *program = read;
    return true;
}

} // namespace torvel
