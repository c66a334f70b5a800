#include "filerouting.h"

#include <QFileInfo>

namespace torvel {

namespace {
struct Suffix {
    const char *text;
    FileKind kind;
};
constexpr Suffix kSuffixes[] = {{".BPR", FileKind::Bpr}, {".REC", FileKind::Rec}, {".NGT", FileKind::Ngt},
                                {".TBP", FileKind::Tbp}, {".TBR", FileKind::Tbr}, {".TBZ", FileKind::Tbz}};
} // namespace

QStringList openFilters()
{
    return {QStringLiteral("Backprogramme (*.BPR)"),        QStringLiteral("Backprogramm Record (*.REC)"),
            QStringLiteral("Nachtstartzeiten (*.NGT)"),     QStringLiteral("USB-Backprogramme (*.TBP)"),
            QStringLiteral("USB-Backprogramm Record (*.TBR)"), QStringLiteral("USB-Nachtstartzeiten (*.TBZ)"),
            QStringLiteral("Alle Dateien (*.*)")};
}

QStringList saveFilters()
{
    return {QStringLiteral("Backprogramm Record (*.REC)"), QStringLiteral("Nachtstartzeiten (*.NGT)"),
            QStringLiteral("USB-Backprogramm Record (*.TBR)"), QStringLiteral("USB-Nachtstartzeiten (*.TBZ)")};
}

FileKind kindFromSuffix(const QString &fileName)
{
    const QString upper = fileName.toUpper();
    for (const auto &s : kSuffixes) {
        if (upper.endsWith(QLatin1String(s.text)))
            return s.kind;
    }
    return FileKind::None;
}

FileKind openKind(int filterEntry, const QString &fileName)
{
    // A file opens as what it is: list.REC typed under the .BPR entry is still a record.
    if (const FileKind own = kindFromSuffix(fileName); own != FileKind::None)
        return own;
    if (filterEntry >= 1 && filterEntry <= 6)
        return kSuffixes[filterEntry - 1].kind;
    return FileKind::None;
}

FileKind saveKind(int filterEntry)
{
    switch (filterEntry) {
    case 1:
        return FileKind::Rec;
    case 2:
        return FileKind::Ngt;
    case 3:
        return FileKind::Tbr;
    case 4:
        return FileKind::Tbz;
    default:
        return FileKind::None;
    }
}

QString saveSuffix(int filterEntry)
{
    static const char *suffixes[] = {"REC", "NGT", "TBR", "TBZ"};
    return filterEntry >= 1 && filterEntry <= 4 ? QString::fromLatin1(suffixes[filterEntry - 1]) : QString();
}

QString proposedSaveName(int filterEntry)
{
    if (filterEntry == 3)
        return QStringLiteral("TORVEL.TBR");
    if (filterEntry == 4)
        return QStringLiteral("TORVEL.TBZ");
    return {};
}

QString withSaveSuffix(const QString &fileName, int filterEntry)
{
    const QString suffix = saveSuffix(filterEntry);
    if (suffix.isEmpty() || fileName.endsWith(QLatin1Char('.') + suffix, Qt::CaseInsensitive))
        return fileName;
    return fileName + QLatin1Char('.') + suffix;
}

QStringList multiFileOrder(const QStringList &chosen)
{
    if (chosen.size() < 2)
        return chosen;
    QStringList order = chosen.mid(1);
    order.append(chosen.first());
    return order;
}

} // namespace torvel
