// The ready table of the second-generation oven 7: single blocks read and written, the whole
// table read and sent over a few decks, and the .TBT file of what the reads left.

#include "soakkinds.h"
#include "soakrig.h"

#include "simcontroller.h"
#include "simready.h"
#include "tables/readyblock.h"
#include "tables/readyfile.h"
#include "tables/readytransfer.h"
#include "tables/readyvalidate.h"

namespace torvel::soak {

namespace {
// Mostly entries in use or empty; now and then a word the repair has to deal with.
quint16 randomWord(SoakRig &rig)
{
    if (rig.chance(0.3))
        return kReadyEmptyWord;
    const int woche = rig.number(0, 30);
    const int minutes = rig.chance(0.05) ? rig.number(0, 2047) : rig.number(0, kReadyMinutesPerDay - 1);
    return static_cast<quint16>(woche << 11 | minutes);
}

QByteArray randomBlock(SoakRig &rig)
{
    QByteArray block;
    for (int i = 0; i < kReadyEntries; ++i) {
        const quint16 word = randomWord(rig);
        block.append(static_cast<char>(word & 0xFF));
        block.append(static_cast<char>(word >> 8));
    }
    // Zeros at the start leave a CRC that starts at 0 unchanged: a lost one must still show.
    if (rig.chance(0.2))
        block[0] = block[1] = 0;
    return block;
}

QString blockName(int day, int deck)
{
    return QStringLiteral("ready block day %1 deck %2").arg(day).arg(deck);
}

// Block (day, deck) of the table against the controller's bytes.
void compareBlock(SoakRig &rig, const ReadyTable &table, int day, int deck, const QByteArray &truth)
{
    for (int i = 1; i <= kReadyEntries; ++i) {
        const auto word = static_cast<quint16>(quint8(truth.at(2 * i - 2)) | quint8(truth.at(2 * i - 1)) << 8);
        const ReadyEntry expected = readyEntryFromWord(word);
        const ReadyEntry shown = table.entry(day, deck, i);
        if (shown != expected) {
            rig.wrong(blockName(day, deck)
                      + QStringLiteral(" entry %1 reads %2/%3, the controller holds %4/%5")
                            .arg(i)
                            .arg(shown.woche)
                            .arg(shown.minutes)
                            .arg(expected.woche)
                            .arg(expected.minutes));
            return;
        }
    }
}

// Decks 1..herdMax of every day get new blocks now and then.
void changeController(SoakRig &rig, int herdMax)
{
    sim::SimReadyStore &store = rig.controller(kTorvel2Oven).ready();
    for (int day = 0; day < kReadyDays; ++day)
        for (int deck = 1; deck <= herdMax; ++deck)
            if (rig.chance(0.3))
                store.setBlock(day, deck, randomBlock(rig));
}

// The table a window would send: what the last reads left, with a few blocks changed.
ReadyTable tableToSend(SoakRig &rig, int herdMax)
{
    ReadyTable table = rig.readyTable();
    for (int day = 0; day < kReadyDays; ++day) {
        for (int deck = 1; deck <= herdMax; ++deck) {
            if (!rig.chance(0.4))
                continue;
            const QByteArray block = randomBlock(rig);
            for (int i = 1; i <= kReadyEntries; ++i)
                table.entry(day, deck, i) = readyEntryFromWord(
                    static_cast<quint16>(quint8(block.at(2 * i - 2)) | quint8(block.at(2 * i - 1)) << 8));
        }
    }
    return table;
}

// Each block of the controller as it was or as sent; exactly as sent when `sentAll`.
void compareSent(SoakRig &rig, const ReadyTable &table, int herdMax, const QList<QByteArray> &before, bool sentAll)
{
    const sim::SimReadyStore &store = rig.controller(kTorvel2Oven).ready();
    for (int day = 0; day < kReadyDays; ++day) {
        for (int deck = 1; deck <= herdMax; ++deck) {
            const QByteArray now = store.block(day, deck);
            const QByteArray sent = readyBlockData(table, day, deck);
            const QByteArray &old = before.at(day * herdMax + deck - 1);
            if (now != old && now != sent)
                rig.wrong(blockName(day, deck) + QStringLiteral(" holds neither the old block nor the one sent"));
            if (sentAll && now != sent)
                rig.wrong(blockName(day, deck) + QStringLiteral(": the send reported success, the block differs"));
        }
    }
}
} // namespace

SoakOutcome soakReadyBlockRead(SoakRig &rig)
{
    const int day = rig.number(0, kReadyDays - 1);
    const int deck = rig.number(1, kReadyDecks);
    sim::SimReadyStore &store = rig.controller(kTorvel2Oven).ready();
    if (rig.chance(0.7))
        store.setBlock(day, deck, randomBlock(rig));
    ReadyBlockFlags &flags = rig.readyFlags();
    flags.set(day, deck, false);
    QString report;

    const bool ok = ReadReadyBlock(rig.torvel2Line(), false, day, deck, rig.readyTable(), flags, report);

    if (flags.isSet(day, deck) != ok)
        rig.wrong(blockName(day, deck) + QStringLiteral(": flag and outcome disagree"));
    if (!ok)
        return SoakOutcome::Failed;
    compareBlock(rig, rig.readyTable(), day, deck, store.block(day, deck));
    return SoakOutcome::Done;
}

SoakOutcome soakReadyBlockWrite(SoakRig &rig)
{
    const int day = rig.number(0, kReadyDays - 1);
    const int deck = rig.number(1, kReadyDecks);
    sim::SimReadyStore &store = rig.controller(kTorvel2Oven).ready();
    const QByteArray before = store.block(day, deck);
    ReadyTable table;
    const QByteArray block = randomBlock(rig);
    for (int i = 1; i <= kReadyEntries; ++i)
        table.entry(day, deck, i) =
            readyEntryFromWord(static_cast<quint16>(quint8(block.at(2 * i - 2)) | quint8(block.at(2 * i - 1)) << 8));

    const bool ok = WriteReadyBlock(rig.torvel2Line(), table, deck, day, false);

    const QByteArray now = store.block(day, deck);
    const QByteArray sent = readyBlockData(table, day, deck);
    if (now != before && now != sent)
        rig.wrong(blockName(day, deck) + QStringLiteral(" holds neither the old block nor the one sent"));
    if (ok && now != sent)
        rig.wrong(blockName(day, deck) + QStringLiteral(": the write reported success, the block differs"));
    return ok ? SoakOutcome::Done : SoakOutcome::Failed;
}

SoakOutcome soakReadyTableRead(SoakRig &rig)
{
    const int herdMax = rig.number(1, 3);
    changeController(rig, herdMax);
    ReadyTable &table = rig.readyTable();
    ReadyBlockFlags &flags = rig.readyFlags();
    flags.setAll(false);
    QString report;

    const ReadyRun run = ReadReadyTable(rig.torvel2Line(), herdMax, table, flags, report);

    const sim::SimReadyStore &store = rig.controller(kTorvel2Oven).ready();
    for (int day = 0; day < kReadyDays; ++day)
        for (int deck = 1; deck <= herdMax; ++deck)
            if (flags.isSet(day, deck))
                compareBlock(rig, table, day, deck, store.block(day, deck));
    if (run == ReadyRun::Done && !missingReadyBlocks(flags, herdMax).isEmpty())
        rig.wrong(QStringLiteral("the ready table read reported success with blocks missing"));
    return run == ReadyRun::Done ? SoakOutcome::Done : SoakOutcome::Failed;
}

SoakOutcome soakReadyTableSend(SoakRig &rig)
{
    const int herdMax = rig.number(1, 3);
    const ReadyTable table = tableToSend(rig, herdMax);
    const sim::SimReadyStore &store = rig.controller(kTorvel2Oven).ready();
    QList<QByteArray> before;
    for (int day = 0; day < kReadyDays; ++day)
        for (int deck = 1; deck <= herdMax; ++deck)
            before << store.block(day, deck);

    const ReadyRun run = WriteReadyTable(rig.torvel2Line(), herdMax, table);

    compareSent(rig, table, herdMax, before, run == ReadyRun::Done);
    return run == ReadyRun::Done ? SoakOutcome::Done : SoakOutcome::Failed;
}

SoakOutcome soakReadyTbtFile(SoakRig &rig)
{
    const QString fileName = rig.filePath(QStringLiteral("soak.TBT"));
    QString error;
    if (!saveReadyFile(rig.readyTable(), fileName, &error)) {
        rig.wrong(QStringLiteral("the .TBT file cannot be written: ") + error);
        return SoakOutcome::Failed;
    }
    ReadyTable back;
    ReadyBlockFlags flags;
    QString repair;
    if (!openReadyFile(fileName, rig.filePath(QStringLiteral("log")), &back, &flags, &error, &repair)) {
        rig.wrong(QStringLiteral("the .TBT file just written does not read back: ") + error);
        return SoakOutcome::Failed;
    }
    // What the file held, repaired as every table from outside is.
    ReadyTable expected = rig.readyTable();
    QString message;
    ValidateReadyTable(expected, message, rig.filePath(QStringLiteral("log")));
    if (back != expected)
        rig.wrong(QStringLiteral("the .TBT file reads back another table than was written"));
    return SoakOutcome::Done;
}

} // namespace torvel::soak
