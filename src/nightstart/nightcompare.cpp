#include "nightcompare.h"

#include "nightcheck.h"
#include "nightstartgrid.h"
#include "nighttransfer.h"

#include "clock/clocktexts.h"
#include "link/bytes.h"
#include "shell/sheetmodel.h"

#include <QMap>

namespace torvel {

namespace {
constexpr int kNightStarts = kNightRecordBytes / 2;

// The hour byte of the start time that byte k belongs to.
int hourByteOf(int k)
{
    return k - (k % 2);
}

bool startUnset(const NightStartRecord &record, int k)
{
    const int hour = hourByteOf(k);
    return nightHourUnset(record[hour]) || nightMinuteUnset(record[hour + 1]);
}
} // namespace

std::optional<NightStartRecord> readOvenNightRecord(AppState &state, CommandEngine &engine,
                                                    Prompter &prompter, int oven, bool *aborted)
{
    SheetModel scratch;
    setupNightStartGrid(scratch);
    NightTransfer transfer(state, engine, prompter, scratch);
    const bool read = transfer.read(oven);
    if (aborted)
        *aborted = !read && scratch.text(kNightFirstValueRow, kNightFirstValueCol) == nightmarker::kTrying;
    if (!read)
        return std::nullopt;
    return transfer.lastRecord();
}

QString nightCompareProblemText(const NightCellProblem &problem)
{
    return QStringLiteral("Nachtstartzeiten wurden nicht verglichen:\r\n")
           + nightCellProblemDescription(problem);
}

NightStartRecord nightRecordAsSent(const SheetModel &grid)
{
    SheetModel copy; // the send marks incomplete start times in its grid; this one is thrown away
    copy.setMaxRow(grid.maxRow());
    copy.setMaxCol(grid.maxCol());
    for (auto it = grid.cells().cbegin(); it != grid.cells().cend(); ++it)
        copy.setCell(it.key().first, it.key().second, it.value());
    markIncompleteNightStarts(copy);
    return nightRecordFromGrid(copy);
}

QList<NightCellDiff> compareNightRecords(const NightStartRecord &list, const NightStartRecord &oven)
{
    QList<NightCellDiff> diffs;
    for (int hour = 0; hour < kNightRecordBytes; hour += 2) {
        const bool listUnset = startUnset(list, hour);
        const bool ovenUnset = startUnset(oven, hour);
        if (listUnset && ovenUnset)
            continue;
        for (int k = hour; k <= hour + 1; ++k)
            if (list[k] != oven[k] || listUnset != ovenUnset)
                diffs << NightCellDiff{k};
    }
    return diffs;
}

int differingNightStarts(const QList<NightCellDiff> &diffs)
{
    int starts = 0;
    int lastHour = -1;
    for (const NightCellDiff &d : diffs) {
        if (hourByteOf(d.byte) != lastHour)
            ++starts;
        lastHour = hourByteOf(d.byte);
    }
    return starts;
}

QString nightValueText(const NightStartRecord &record, int byte)
{
    return startUnset(record, byte) ? QStringLiteral("--") : QString::number(BcdToInt(record[byte]));
}

QStringList nightDifferenceLines(const QList<NightCellDiff> &diffs, const NightStartRecord &list,
                                 const NightStartRecord &oven)
{
    QMap<int, QStringList> days;
    for (const NightCellDiff &d : diffs)
        days[d.byte / 4] << nightColumnHeading(nightColOf(d.byte)) + QLatin1Char(' ')
                                + nightValueText(oven, d.byte) + QStringLiteral(" -> ")
                                + nightValueText(list, d.byte);
    QStringList lines;
    for (auto it = days.cbegin(); it != days.cend(); ++it)
        lines << dayName(it.key()) + QStringLiteral(": ") + it.value().join(QStringLiteral(", "));
    return lines;
}

QString nightCompareSummary(int oven, const QList<NightCellDiff> &diffs)
{
    const QString head = QStringLiteral("Vergleich mit Ofen %1: ").arg(oven);
    if (diffs.isEmpty())
        return head + QStringLiteral("alle %1 Startzeiten gleich.").arg(kNightStarts);
    const int starts = differingNightStarts(diffs);
    return head + QStringLiteral("%1 von %2 Startzeiten verschieden.").arg(starts).arg(kNightStarts);
}

void markNightDifferences(SheetModel &grid, const QList<NightCellDiff> &diffs, const NightStartRecord &oven)
{
    QMap<int, QStringList> days;
    for (const NightCellDiff &d : diffs) {
        const QString value =
            startUnset(oven, d.byte) ? QStringLiteral("nicht gesetzt") : nightValueText(oven, d.byte);
        grid.setCellMark(nightRowOf(d.byte), nightColOf(d.byte), CellMark::Differs,
                         QStringLiteral("Torvel: ") + value);
        days[d.byte / 4] << nightColumnHeading(nightColOf(d.byte));
    }
    for (auto it = days.cbegin(); it != days.cend(); ++it)
        grid.setCellMark(kNightFirstValueRow + it.key(), 1, CellMark::RowDiffers,
                         QStringLiteral("Torvel: andere Werte in ") + it.value().join(QStringLiteral(", ")));
}

} // namespace torvel
