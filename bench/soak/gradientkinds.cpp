// The gradient table of the second-generation oven 7: read and write both modes, and the
// .TST file of what the last read brought.

#include "soakkinds.h"
#include "soakrig.h"

#include "simcontroller.h"
#include "tables/gradientfile.h"
#include "tables/gradienttransfer.h"

#include <QFile>

namespace torvel::soak {

namespace {
QByteArray randomModeBytes(SoakRig &rig)
{
    QByteArray bytes;
    for (int i = 0; i < kGradientModeBytes; ++i)
        bytes.append(static_cast<char>(rig.number(0, 255)));
    // A leading zero leaves a CRC that starts at 0 unchanged: a lost one must still be noticed.
    if (rig.chance(0.2))
        bytes[0] = 0;
    return bytes;
}

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' '));
}
} // namespace

SoakOutcome soakGradientRead(SoakRig &rig)
{
    sim::SimGradientStore &store = rig.controller(kTorvel2Oven).gradient();
    if (rig.chance(0.7)) {
        for (int mode = GradientTag; mode <= GradientNacht; ++mode)
            store.setMode(mode, randomModeBytes(rig));
    }
    GradientTable &table = rig.gradient();
    const GradientTable before = table;

    const bool ok = ReadGradientTable(rig.torvel2Line(), false, table);

    if (!ok) {
        if (table != before)
            rig.wrong(QStringLiteral("a gradient read that failed changed the table"));
        return SoakOutcome::Failed;
    }
    for (int mode = GradientTag; mode <= GradientNacht; ++mode) {
        for (int i = 0; i < kGradientModeBytes; ++i) {
            const int truth = static_cast<quint8>(store.mode(mode).at(i));
            const int shown = table.values[size_t(mode * kGradientModeBytes + i)];
            if (shown != truth)
                rig.wrong(QStringLiteral("gradient %1 value %2 reads %3, the controller holds %4")
                              .arg(gradientModeName(mode))
                              .arg(i + 1)
                              .arg(shown)
                              .arg(truth));
        }
    }
    return SoakOutcome::Done;
}

SoakOutcome soakGradientWrite(SoakRig &rig)
{
    sim::SimGradientStore &store = rig.controller(kTorvel2Oven).gradient();
    GradientTable table;
    QByteArray sent[kGradientModes];
    for (int mode = GradientTag; mode <= GradientNacht; ++mode) {
        sent[mode] = randomModeBytes(rig);
        for (int i = 0; i < kGradientModeBytes; ++i)
            table.values[size_t(mode * kGradientModeBytes + i)] = static_cast<quint8>(sent[mode].at(i));
    }
    const QByteArray before[kGradientModes] = {store.mode(GradientTag), store.mode(GradientNacht)};

    const bool ok = WriteGradientTable(rig.torvel2Line(), table, false);

    for (int mode = GradientTag; mode <= GradientNacht; ++mode) {
        const QByteArray now = store.mode(mode);
        if (now != before[mode] && now != sent[mode])
            rig.wrong(QStringLiteral("gradient %1 holds %2, neither the old nor the one sent")
                          .arg(gradientModeName(mode), hex(now)));
        if (ok && now != sent[mode])
            rig.wrong(QStringLiteral("gradient %1: the write reported success, the controller holds %2, sent %3")
                          .arg(gradientModeName(mode), hex(now), hex(sent[mode])));
    }
    return ok ? SoakOutcome::Done : SoakOutcome::Failed;
}

SoakOutcome soakGradientTstFile(SoakRig &rig)
{
    const QString fileName = rig.filePath(QStringLiteral("soak.TST"));
    QString error;
    // Refused before the first read: a table holding the marker is worth no file.
    if (!saveGradientFile(rig.gradient(), fileName, &error))
        return SoakOutcome::Failed;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        rig.wrong(QStringLiteral("the .TST file just written cannot be opened"));
        return SoakOutcome::Failed;
    }
    const QByteArray written = file.readAll();
    GradientTable back = emptyGradientTable();
    if (!loadGradientFile(fileName, &back, &error)) {
        rig.wrong(QStringLiteral("the .TST file just written does not read back: ") + error);
        return SoakOutcome::Failed;
    }
    if (back != rig.gradient())
        rig.wrong(QStringLiteral("the .TST file reads back another table than was written"));
    if (gradientFileContent(back) != written)
        rig.wrong(QStringLiteral("the .TST file reads back as something else than was written"));
    return SoakOutcome::Done;
}

} // namespace torvel::soak
