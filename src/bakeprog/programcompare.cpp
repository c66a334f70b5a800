#include "programcompare.h"

#include "programsheet.h"
#include "programtransfer.h"

#include "shell/sheetmodel.h"

#include <QStringList>

namespace torvel {

namespace {
const QString kOvenTip = QStringLiteral("Torvel: ");

ProgramValues valuesOf(const ProgramWire &wire)
{
    ProgramValues values{};
    decodeProgramValues(wire.values, &values);
    return values;
}

// Both sides of a changed value in one unit: seconds when either is no whole minute.
QString valueChange(int column, quint16 oven, quint16 list, const QList<int> &minuteColumns)
{
    if (isMinuteColumn(column, minuteColumns) && (oven % 60 != 0 || list % 60 != 0))
        return QStringLiteral("%1 s -> %2 s").arg(oven).arg(list);
    return programValueText(column, oven, minuteColumns) + QStringLiteral(" -> ")
           + programValueText(column, list, minuteColumns);
}

QString headingsOf(const QList<int> &columns)
{
    QStringList names;
    for (int c : columns)
        names << programColumnHeadings().at(c - 1);
    return names.join(QStringLiteral(", "));
}
} // namespace

int readOvenPrograms(AppState &state, CommandEngine &engine, Prompter &prompter, int oven, int first,
                     int last, OvenPrograms &copy, ProgramTransferView *view, bool *aborted)
{
    SheetModel scratch; // the receive fills a sheet; this one is thrown away
    setupProgramSheet(scratch);
    ProgramTransfer transfer(state, engine, prompter, scratch, view);
    transfer.setWireCopy(&copy);
    const int arrived = transfer.receive(oven, first, last);
    if (aborted)
        *aborted = transfer.aborted();
    return arrived;
}

ProgramDiff compareProgram(const SheetModel &list, int number, const OvenPrograms &oven,
                           const QList<int> &minuteColumns)
{
    ProgramDiff diff;
    diff.number = number;
    diff.list = wireOfRow(list, number, minuteColumns);
    diff.oven = oven.program(number);
    if (isFaultyName(list.text(number, 1))) {
        diff.kind = ProgramDiffKind::NotSent;
        return diff;
    }
    if (!diff.oven) {
        diff.kind = ProgramDiffKind::NotRead;
        return diff;
    }
    diff.nameDiffers = diff.list.name != diff.oven->name;
    const ProgramValues mine = valuesOf(diff.list);
    const ProgramValues theirs = valuesOf(*diff.oven);
    for (int i = 0; i < kProgramValueCount; ++i)
        if (mine[i] != theirs[i])
            diff.columns << i + 2;
    if (!diff.nameDiffers && diff.columns.isEmpty())
        diff.kind = ProgramDiffKind::Equal;
    else if (diff.list.isEmpty() && !diff.oven->isEmpty())
        diff.kind = ProgramDiffKind::OnlyOnOven;
    else if (!diff.list.isEmpty() && diff.oven->isEmpty())
        diff.kind = ProgramDiffKind::OnlyInList;
    else
        diff.kind = ProgramDiffKind::Differs;
    return diff;
}

QList<ProgramDiff> compareRange(const SheetModel &list, const OvenPrograms &oven, int first, int last,
                                const QList<int> &minuteColumns)
{
    QList<ProgramDiff> diffs;
    for (int n = std::max(first, 1); n <= std::min(last, kMaxProgramNumber); ++n)
        diffs << compareProgram(list, n, oven, minuteColumns);
    return diffs;
}

QList<int> programsToSend(const SheetModel &list, const OvenPrograms &oven, int first, int last,
                          const QList<int> &minuteColumns)
{
    QList<int> numbers;
    for (const ProgramDiff &diff : compareRange(list, oven, first, last, minuteColumns))
        if (diff.needsSending())
            numbers << diff.number;
    return numbers;
}

CompareCounts countDiffs(const QList<ProgramDiff> &diffs)
{
    CompareCounts counts;
    for (const ProgramDiff &diff : diffs) {
        switch (diff.kind) {
        case ProgramDiffKind::Equal:
            ++counts.equal;
            break;
        case ProgramDiffKind::Differs:
            ++counts.differ;
            break;
        case ProgramDiffKind::OnlyInList:
            ++counts.onlyInList;
            break;
        case ProgramDiffKind::OnlyOnOven:
            ++counts.onlyOnOven;
            break;
        case ProgramDiffKind::NotRead:
            ++counts.notRead;
            break;
        case ProgramDiffKind::NotSent:
            ++counts.notSent;
            break;
        }
    }
    return counts;
}

QString compareSummary(const CompareCounts &counts, int oven, int first, int last, bool aborted)
{
    QString text = QStringLiteral("Vergleich mit Ofen %1%2, Programme %3 bis %4: ")
                       .arg(oven)
                       .arg(aborted ? QStringLiteral(" abgebrochen") : QString())
                       .arg(first)
                       .arg(last);
    if (counts.equal == last - first + 1)
        return text + QStringLiteral("alle gleich.");
    QStringList parts{QStringLiteral("%1 verschieden").arg(counts.differ),
                      QStringLiteral("%1 nur in der Liste").arg(counts.onlyInList),
                      QStringLiteral("%1 nur am Torvel").arg(counts.onlyOnOven),
                      QStringLiteral("%1 gleich").arg(counts.equal)};
    if (counts.notRead > 0)
        parts << QStringLiteral("%1 nicht gelesen").arg(counts.notRead);
    if (counts.notSent > 0)
        parts << QStringLiteral("%1 mit \"ERR:\" (nie gesendet)").arg(counts.notSent);
    return text + parts.join(QStringLiteral(", ")) + QLatin1Char('.');
}

QString programValueText(int column, quint16 stored, const QList<int> &minuteColumns)
{
    if (isMinuteColumn(column, minuteColumns) && stored % 60 != 0)
        return QStringLiteral("%1 s").arg(stored);
    return QString::number(displayValue(column, stored, minuteColumns));
}

QString programNameText(const QByteArray &wireName)
{
    QString name = decodeProgramName(wireName);
    while (name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    return name;
}

QString differenceLine(const ProgramDiff &diff, const QList<int> &minuteColumns)
{
    const QString head = QStringLiteral("Programm %1: ").arg(diff.number);
    switch (diff.kind) {
    case ProgramDiffKind::OnlyInList:
        return head + programNameText(diff.list.name) + QStringLiteral(" kommt neu hinzu");
    case ProgramDiffKind::OnlyOnOven:
        return head + programNameText(diff.oven->name) + QStringLiteral(" wird gelöscht");
    case ProgramDiffKind::Differs:
        break;
    default:
        return {};
    }
    const ProgramValues mine = valuesOf(diff.list);
    const ProgramValues theirs = valuesOf(*diff.oven);
    QStringList parts;
    for (int c : diff.columns)
        parts << programColumnHeadings().at(c - 1) + QLatin1Char(' ')
                     + valueChange(c, theirs[c - 2], mine[c - 2], minuteColumns);
    if (diff.nameDiffers)
        parts << QStringLiteral("Name ") + programNameText(diff.oven->name) + QStringLiteral(" -> ")
                     + programNameText(diff.list.name);
    return head + parts.join(QStringLiteral(", "));
}

QString sendChoiceText(int changed, int unknown, int equal, int first, int last, int oven)
{
    QString text = QStringLiteral("Backprogramme %1 bis %2, Ofen %3:\r\n").arg(first).arg(last).arg(oven)
                   + QStringLiteral("%1 %2 vom Torvel ab, %3 %4 dort schon gleich.")
                         .arg(changed)
                         .arg(changed == 1 ? QStringLiteral("weicht") : QStringLiteral("weichen"))
                         .arg(equal)
                         .arg(equal == 1 ? QStringLiteral("ist") : QStringLiteral("sind"));
    if (unknown > 0)
        text += QStringLiteral("\r\n(Von %1 davon ist der Stand am Torvel nicht bekannt.)").arg(unknown);
    return text + QStringLiteral("\r\n\r\nBekannt ist, was zuletzt gelesen, verglichen oder gesendet wurde.");
}

QString sendChangedChoice(int changed)
{
    return QStringLiteral("Nur geänderte Programme senden (%1)").arg(changed);
}

QString sendAllChoice(int all)
{
    return QStringLiteral("Alle Programme senden (%1)").arg(all);
}

void markDifferences(SheetModel &list, const QList<ProgramDiff> &diffs, const QList<int> &minuteColumns)
{
    const int lastCol = kProgramValueCount + 1;
    for (const ProgramDiff &diff : diffs) {
        const int n = diff.number;
        if (!diff.oven || diff.kind == ProgramDiffKind::Equal || diff.kind == ProgramDiffKind::NotSent)
            continue;
        const ProgramValues theirs = valuesOf(*diff.oven);
        const QString ovenName = programNameText(diff.oven->name);
        if (diff.kind == ProgramDiffKind::OnlyInList) {
            for (int c = 1; c <= lastCol; ++c)
                list.setCellMark(n, c, CellMark::OnlyHere, kOvenTip + QStringLiteral("kein Programm"));
            continue;
        }
        if (diff.kind == ProgramDiffKind::OnlyOnOven) {
            list.setCellMark(n, 1, CellMark::OnlyThere,
                             kOvenTip + ovenName + QStringLiteral(" (wird beim Senden gelöscht)"));
            for (int c = 2; c <= lastCol; ++c)
                list.setCellMark(n, c, CellMark::OnlyThere,
                                 kOvenTip + programValueText(c, theirs[c - 2], minuteColumns));
            continue;
        }
        for (int c : diff.columns)
            list.setCellMark(n, c, CellMark::Differs,
                             kOvenTip + programValueText(c, theirs[c - 2], minuteColumns));
        if (diff.nameDiffers)
            list.setCellMark(n, 1, CellMark::Differs, kOvenTip + ovenName);
        else
            list.setCellMark(n, 1, CellMark::RowDiffers,
                             kOvenTip + QStringLiteral("andere Werte in ") + headingsOf(diff.columns));
    }
}

} // namespace torvel
