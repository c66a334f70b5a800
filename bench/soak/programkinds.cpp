// Bake programs: receive and send a range of one first-generation oven, and the list's
// .REC and .TBR files of what the last receive showed.

#include "soakkinds.h"
#include "soakrig.h"

#include "bakeprog/programlistfiles.h"
#include "bakeprog/programsheet.h"
#include "bakeprog/programtable.h"
#include "bakeprog/programtransfer.h"
#include "simcontroller.h"


namespace torvel::soak {

namespace {
constexpr int kValueColumns = kProgramValueCount;

// The controller's display bytes as the PC shows them: its four German letters, the rest
// Windows-1252 as it is (names here never use 0x80..0x9F).
QString shownName(const QByteArray &display)
{
    QString out;
    for (char ch : display) {
        switch (static_cast<quint8>(ch)) {
        case 0xE1: out += QChar(0xE4); break;
        case 0xE2: out += QChar(0xDF); break;
        case 0xEF: out += QChar(0xF6); break;
        case 0xF5: out += QChar(0xFC); break;
        default: out += QChar(static_cast<quint8>(ch));
        }
    }
    return out;
}

QString randomName(SoakRig &rig)
{
    static const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 -.äöüß");
    QString name;
    const int length = rig.number(1, 16); // longer than 14 is cut
    for (int i = 0; i < length; ++i)
        name += letters.at(rig.number(0, int(letters.size()) - 1));
    return name;
}

// Values the wire finds hard (0x05 doubled, 0x06 and 0x15 inside data, zeros) now and then.
quint16 randomWord(SoakRig &rig)
{
    static const quint16 awkward[] = {0, 5, 6, 0x15, 0x0505, 0x0506, 0x1505, 0x0600, 0xFFFF};
    if (rig.chance(0.25))
        return awkward[rig.number(0, int(std::size(awkward)) - 1)];
    return static_cast<quint16>(rig.number(0, 0xFFFF));
}

// Values as the controller keeps them: seconds in the time columns.
sim::SimProgramValues randomStoredValues(SoakRig &rig)
{
    sim::SimProgramValues v{};
    for (quint16 &w : v)
        w = randomWord(rig);
    return v;
}

bool isTimeColumn(SoakRig &rig, int column)
{
    return rig.state().minuteColumns.contains(column);
}

// The range a window's user would pick: mostly a few programs, now and then all of them.
void pickRange(SoakRig &rig, int capacity, int *first, int *last)
{
    if (rig.chance(0.03)) {
        *first = 1;
        *last = capacity;
        rig.longTransfer();
        return;
    }
    *first = rig.number(1, capacity);
    *last = qMin(capacity, *first + rig.number(0, 4));
}

QString where(int oven, int n)
{
    return QStringLiteral("oven %1 program %2").arg(oven).arg(n);
}

// As the list window and torvelctl begin both transfers: the capacity query, which also
// leaves the oven addressed for the transfer's first try. False when it failed (the window
// says "Torvel nicht erreichbar") or got the capacity wrong.
bool queryCapacity(SoakRig &rig, int oven, int capacity)
{
    const std::optional<int> queried = QueryProgramCapacity(rig.engine(), oven);
    if (!queried)
        return false;
    if (*queried != capacity) {
        rig.wrong(QStringLiteral("oven %1 holds %2 programs, the PC made %3 of it").arg(oven).arg(capacity).arg(*queried));
        return false;
    }
    return true;
}
} // namespace

SoakOutcome soakProgramReceive(SoakRig &rig)
{
    const int oven = rig.firstGenerationOven();
    sim::SimProgramStore &store = rig.controller(oven).programs();
    const int capacity = sim::programCapacity(rig.controller(oven));
    for (int n = 1; n <= capacity; ++n) {
        if (rig.chance(0.1)) {
            store.setName(n, rig.chance(0.1) ? QString() : randomName(rig));
            store.setValues(n, randomStoredValues(rig));
        }
    }

    if (!queryCapacity(rig, oven, capacity))
        return SoakOutcome::Failed;
    int first = 1;
    int last = 1;
    pickRange(rig, capacity, &first, &last);

    SheetModel &list = rig.programList();
    ProgramTransfer transfer(rig.state(), rig.engine(), rig.prompter(), list);
    const int received = transfer.receive(oven, first, last);

    int complete = 0;
    for (int n = 1; n <= kMaxProgramNumber; ++n) {
        const bool inRange = n >= first && n <= last;
        if (!inRange) {
            for (int col = 1; col <= kValueColumns + 1; ++col) {
                if (!list.isEmpty(n, col))
                    rig.wrong(where(oven, n) + QStringLiteral(": outside the range, yet \"%1\"").arg(list.text(n, col)));
            }
            continue;
        }
        const QString name = list.text(n, 1);
        const bool marked = name.startsWith(marker::kErrorPrefix);
        const QString truth = shownName(store.nameBytes(n));
        if (!marked && name != truth)
            rig.wrong(where(oven, n) + QStringLiteral(": name \"%1\", the controller holds \"%2\"").arg(name, truth));
        const sim::SimProgramValues values = store.values(n);
        int present = 0;
        for (int i = 0; i < kValueColumns; ++i) {
            const int col = i + 2;
            if (list.isEmpty(n, col))
                continue;
            ++present;
            const int expected = isTimeColumn(rig, col) ? values[i] / 60 : values[i];
            bool isNumber = false;
            const double shown = list.number(n, col, &isNumber);
            if (!isNumber || shown != expected)
                rig.wrong(where(oven, n)
                          + QStringLiteral(": column %1 shows \"%2\", the controller holds %3 (%4)")
                                .arg(col)
                                .arg(list.text(n, col))
                                .arg(values[i])
                                .arg(expected));
        }
        if (!marked && present != kValueColumns)
            rig.wrong(where(oven, n) + QStringLiteral(": no marker, yet only %1 values").arg(present));
        if (!marked && present == kValueColumns)
            ++complete;
    }
    if (received != complete)
        rig.wrong(QStringLiteral("receive told of %1 complete programs, the list shows %2").arg(received).arg(complete));
    return received == last - first + 1 ? SoakOutcome::Done : SoakOutcome::Failed;
}

SoakOutcome soakProgramSend(SoakRig &rig)
{
    const int oven = rig.firstGenerationOven();
    sim::SimController &controller = rig.controller(oven);
    sim::SimProgramStore &store = controller.programs();
    const int capacity = sim::programCapacity(controller);
    int first = 1;
    int last = 1;
    pickRange(rig, capacity, &first, &last);

    SheetModel list;
    setupProgramSheet(list);
    sim::SimProgramStore sent; // what each row must become on the controller
    QList<bool> willSend(kMaxProgramNumber + 1, false);
    for (int n = first; n <= last; ++n) {
        if (rig.chance(0.05)) {
            list.setText(n, 1, marker::kTransferError); // never sent
            continue;
        }
        const QString name = rig.chance(0.05) ? QString() : randomName(rig);
        list.setText(n, 1, name);
        sent.setName(n, name);
        sim::SimProgramValues stored{};
        for (int i = 0; i < kValueColumns; ++i) {
            const int col = i + 2;
            const int shown = isTimeColumn(rig, col) ? rig.number(0, 1092) : randomWord(rig);
            list.setNumber(n, col, shown);
            stored[i] = static_cast<quint16>(isTimeColumn(rig, col) ? shown * 60 : shown);
        }
        sent.setValues(n, stored);
        willSend[n] = true;
    }
    sim::SimProgramStore before = store;

    if (!queryCapacity(rig, oven, capacity))
        return SoakOutcome::Failed;
    ProgramTransfer transfer(rig.state(), rig.engine(), rig.prompter(), list);
    const bool ok = transfer.send(oven, first, last);

    for (int n = 1; n <= kMaxProgramNumber; ++n) {
        const bool nameKept = store.nameBytes(n) == before.nameBytes(n);
        const bool valuesKept = store.values(n) == before.values(n);
        const bool nameSent = willSend[n] && store.nameBytes(n) == sent.nameBytes(n);
        const bool valuesSent = willSend[n] && store.values(n) == sent.values(n);
        if (!nameKept && !nameSent)
            rig.wrong(where(oven, n) + QStringLiteral(": name became \"%1\", neither the old nor the one sent")
                                           .arg(shownName(store.nameBytes(n))));
        if (!valuesKept && !valuesSent)
            rig.wrong(where(oven, n) + QStringLiteral(": values are neither the old nor the ones sent"));
        if (ok && willSend[n] && (!nameSent || !valuesSent))
            rig.wrong(where(oven, n)
                      + QStringLiteral(": the send reported success, the controller holds %1 \"%2\" (sent \"%3\")")
                            .arg(nameSent ? QStringLiteral("the name sent, other values") : QStringLiteral("another name"),
                                 shownName(store.nameBytes(n)), shownName(sent.nameBytes(n))));
    }
    return ok ? SoakOutcome::Done : SoakOutcome::Failed;
}

SoakOutcome soakProgramRecFile(SoakRig &rig)
{
    bool modified = false;
    rig.state().currentFileName = rig.filePath(QStringLiteral("soak.REC"));
    ProgramListFiles writer(rig.programList(), rig.state(), rig.prompter(), modified);
    if (!writer.saveRecord(ListFileKind::Rec).done())
        return SoakOutcome::Failed;
    SheetModel back;
    setupProgramSheet(back);
    ProgramListFiles reader(back, rig.state(), rig.prompter(), modified);
    if (!reader.loadRecord(ListFileKind::Rec).done()) {
        rig.wrong(QStringLiteral("the .REC file just written does not read back"));
        return SoakOutcome::Failed;
    }
    const SheetModel &list = rig.programList();
    for (int n = 1; n <= kMaxProgramNumber; ++n) {
        for (int col = 1; col <= kValueColumns + 1; ++col) {
            if (back.text(n, col) != list.text(n, col))
                rig.wrong(QStringLiteral(".REC row %1 column %2 reads back \"%3\", written \"%4\"")
                              .arg(n)
                              .arg(col)
                              .arg(back.text(n, col), list.text(n, col)));
        }
    }
    return SoakOutcome::Done;
}

SoakOutcome soakProgramTbrFile(SoakRig &rig)
{
    bool modified = false;
    const QString fileName = rig.filePath(QStringLiteral("soak.TBR"));
    rig.state().currentFileName = fileName;
    ProgramListFiles writer(rig.programList(), rig.state(), rig.prompter(), modified);
    if (!writer.saveRecord(ListFileKind::Tbr).done())
        return SoakOutcome::Failed;
    SheetModel back;
    setupProgramSheet(back);
    ProgramListFiles reader(back, rig.state(), rig.prompter(), modified);
    if (!reader.loadRecord(ListFileKind::Tbr).done()) {
        rig.wrong(QStringLiteral("the .TBR file just written does not read back"));
        return SoakOutcome::Failed;
    }
    // What reads back, written again, must be the very file.
    // The format keeps no leading blanks of a name ("Name=" and the rest without them): an
    // empty slot's 14 blanks read back as no name, as the controller would take either.
    ProgramTable expected = tableFromSheet(rig.programList(), rig.state().minuteColumns);
    blankFaultyPrograms(expected);
    const ProgramTable got = tableFromSheet(back, rig.state().minuteColumns);
    for (int n = 1; n <= kMaxProgramNumber; ++n) {
        QString name = expected.at(n).name;
        while (name.startsWith(QLatin1Char(' ')))
            name.remove(0, 1);
        if (got.at(n).name != name)
            rig.wrong(QStringLiteral(".TBR program %1 reads back as \"%2\", written \"%3\"").arg(n).arg(got.at(n).name, name));
        if (got.at(n).values != expected.at(n).values)
            rig.wrong(QStringLiteral(".TBR program %1 reads back other values than were written").arg(n));
    }
    return SoakOutcome::Done;
}

} // namespace torvel::soak
