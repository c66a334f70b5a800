// Night start times: read and send the record of one first-generation oven, and the
// .NGT and .TBZ files of what the last read showed.

#include "soakkinds.h"
#include "soakrig.h"

#include "nightstart/nightfiles.h"
#include "nightstart/nightstartgrid.h"
#include "nightstart/nighttransfer.h"
#include "nightstart/tbzfile.h"
#include "simcontroller.h"

#include <QFile>

namespace torvel::soak {

namespace {
constexpr quint8 kUnsetByte = 0xFF;

quint8 packed(int n)
{
    return static_cast<quint8>((n / 10) * 16 + n % 10);
}

// A packed decimal within 0..limit; nullopt for anything else.
std::optional<int> unpacked(quint8 b, int limit)
{
    if ((b >> 4) > 9 || (b & 0x0F) > 9)
        return std::nullopt;
    const int n = (b >> 4) * 10 + (b & 0x0F);
    return n <= limit ? std::optional<int>(n) : std::nullopt;
}

// A record with set and unset starts, and now and then a byte no clock can hold.
sim::SimNightRecord randomRecord(SoakRig &rig)
{
    sim::SimNightRecord r;
    for (int k = 0; k < sim::kSimNightBytes; k += 2) {
        if (rig.chance(0.3)) {
            r[k] = r[k + 1] = kUnsetByte;
            continue;
        }
        r[k] = packed(rig.number(0, 23));
        r[k + 1] = packed(rig.number(0, 59));
        if (rig.chance(0.05))
            r[k + rig.number(0, 1)] = static_cast<quint8>(rig.number(0, 255));
    }
    return r;
}

// The grid after a read that arrived: each start as its two numbers, or "  -----" in both
// cells when either byte is no possible hour or minute.
void checkShownRecord(SoakRig &rig, const SheetModel &grid, const sim::SimNightRecord &truth, int oven)
{
    for (int k = 0; k < sim::kSimNightBytes; k += 2) {
        const int row = kNightFirstValueRow + k / 4;
        const int col = kNightFirstValueCol + k % 4;
        const auto hour = unpacked(truth[k], 23);
        const auto minute = unpacked(truth[k + 1], 59);
        const QString hourText = hour && minute ? QString::number(*hour) : nightmarker::kRead;
        const QString minuteText = hour && minute ? QString::number(*minute) : nightmarker::kRead;
        if (grid.text(row, col) != hourText || grid.text(row, col + 1) != minuteText)
            rig.wrong(QStringLiteral("oven %1 night start row %2 column %3 shows \"%4\" \"%5\", the controller holds "
                                     "%6 %7 (\"%8\" \"%9\")")
                          .arg(oven)
                          .arg(row)
                          .arg(col)
                          .arg(grid.text(row, col), grid.text(row, col + 1))
                          .arg(truth[k], 2, 16, QLatin1Char('0'))
                          .arg(truth[k + 1], 2, 16, QLatin1Char('0'))
                          .arg(hourText, minuteText));
    }
}

// After a read that failed: the marker in the first value cell, every other value cell empty.
void checkFailedRead(SoakRig &rig, const SheetModel &grid, int oven)
{
    for (int row = kNightFirstValueRow; row <= kNightRows; ++row) {
        for (int col = kNightFirstValueCol; col <= kNightCols; ++col) {
            const bool first = row == kNightFirstValueRow && col == kNightFirstValueCol;
            if (first && !grid.text(row, col).startsWith(QLatin1String("ERR:")))
                rig.wrong(QStringLiteral("oven %1: a failed night start read shows \"%2\", no marker")
                              .arg(oven)
                              .arg(grid.text(row, col)));
            if (!first && !grid.isEmpty(row, col))
                rig.wrong(QStringLiteral("oven %1: a failed night start read left \"%2\" in row %3 column %4")
                              .arg(oven)
                              .arg(grid.text(row, col))
                              .arg(row)
                              .arg(col));
        }
    }
}

void checkRead(SoakRig &rig, const SheetModel &grid, const sim::SimNightRecord &truth, int oven)
{
    if (grid.text(kNightFirstValueRow, kNightFirstValueCol).startsWith(QLatin1String("ERR:")))
        checkFailedRead(rig, grid, oven);
    else
        checkShownRecord(rig, grid, truth, oven);
}
} // namespace

SoakOutcome soakNightRead(SoakRig &rig)
{
    const int oven = rig.firstGenerationOven();
    sim::SimNightStore &store = rig.controller(oven).nights();
    if (rig.chance(0.7))
        store.setRecord(randomRecord(rig));
    SheetModel &grid = rig.nightGrid();
    NightTransfer transfer(rig.state(), rig.engine(), rig.prompter(), grid);
    const bool ok = transfer.read(oven);
    if (ok)
        checkShownRecord(rig, grid, store.record(), oven);
    else
        checkFailedRead(rig, grid, oven);
    return ok ? SoakOutcome::Done : SoakOutcome::Failed;
}

SoakOutcome soakNightSend(SoakRig &rig)
{
    const int oven = rig.firstGenerationOven();
    sim::SimNightStore &store = rig.controller(oven).nights();
    SheetModel grid;
    setupNightStartGrid(grid);
    // Typed starts: most complete, some unset, some with only the hour or only the minute.
    sim::SimNightRecord sent;
    for (int k = 0; k < sim::kSimNightBytes; k += 2) {
        const int row = kNightFirstValueRow + k / 4;
        const int col = kNightFirstValueCol + k % 4;
        const int hour = rig.number(0, 23);
        const int minute = rig.number(0, 59);
        const int how = rig.number(0, 9);
        const bool hourSet = how < 7 || how == 8;
        const bool minuteSet = how < 7 || how == 9;
        grid.setText(row, col, hourSet ? QString::number(hour) : QStringLiteral("--"));
        grid.setText(row, col + 1, minuteSet ? QString::number(minute) : QString());
        // A set hour without its minute goes as unset; a lone minute goes as it is.
        sent[k] = hourSet && minuteSet ? packed(hour) : kUnsetByte;
        sent[k + 1] = minuteSet ? packed(minute) : kUnsetByte;
    }
    const sim::SimNightRecord before = store.record();

    NightTransfer transfer(rig.state(), rig.engine(), rig.prompter(), grid);
    const NightSendResult result = transfer.send(oven);

    const sim::SimNightRecord now = store.record();
    if (now != before && now != sent)
        rig.wrong(QStringLiteral("oven %1 holds night starts that are neither the old nor the ones sent").arg(oven));
    if (result == NightSendResult::Sent) {
        if (now != sent)
            rig.wrong(QStringLiteral("oven %1: the night start send reported success, the controller holds others")
                          .arg(oven));
        checkRead(rig, grid, now, oven); // the read-back
    }
    return result == NightSendResult::Sent ? SoakOutcome::Done : SoakOutcome::Failed;
}

SoakOutcome soakNightNgtFile(SoakRig &rig)
{
    const QString fileName = rig.filePath(QStringLiteral("soak.NGT"));
    QString error;
    const SheetModel &grid = rig.nightGrid();
    if (!saveNightFile(grid, fileName, NightFileKind::Ngt, &error))
        return SoakOutcome::Failed;
    SheetModel back;
    setupNightStartGrid(back);
    if (!loadNightFile(fileName, NightFileKind::Ngt, back, &error)) {
        rig.wrong(QStringLiteral("the .NGT file just written does not read back: ") + error);
        return SoakOutcome::Failed;
    }
    for (int row = 1; row <= kNightRows; ++row) {
        for (int col = 1; col <= kNightCols; ++col) {
            if (back.text(row, col) != grid.text(row, col))
                rig.wrong(QStringLiteral(".NGT row %1 column %2 reads back \"%3\", written \"%4\"")
                              .arg(row)
                              .arg(col)
                              .arg(back.text(row, col), grid.text(row, col)));
        }
    }
    if (back.sheetName() != grid.sheetName())
        rig.wrong(QStringLiteral(".NGT sheet name reads back \"%1\", written \"%2\"").arg(back.sheetName(), grid.sheetName()));
    return SoakOutcome::Done;
}

SoakOutcome soakNightTbzFile(SoakRig &rig)
{
    const QString fileName = rig.filePath(QStringLiteral("soak.TBZ"));
    QString error;
    // Refused while a marker of a failed read is on the grid: that is a message, not a file.
    if (!saveNightFile(rig.nightGrid(), fileName, NightFileKind::Tbz, &error))
        return SoakOutcome::Failed;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        rig.wrong(QStringLiteral("the .TBZ file just written cannot be opened"));
        return SoakOutcome::Failed;
    }
    const QByteArray written = file.readAll();
    SheetModel back;
    setupNightStartGrid(back);
    if (!loadNightFile(fileName, NightFileKind::Tbz, back, &error)) {
        rig.wrong(QStringLiteral("the .TBZ file just written does not read back: ") + error);
        return SoakOutcome::Failed;
    }
    if (tbzContent(back) != written)
        rig.wrong(QStringLiteral("the .TBZ file reads back as something else than was written"));
    return SoakOutcome::Done;
}

} // namespace torvel::soak
