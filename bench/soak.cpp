// The fault soak: thousands of transfers of every kind (bench/soak/soakkinds.h, where a new
// kind is added with one entry) against the in-process simulated line, with seeded faults on
// the controllers' answers (corrupted checksums, lost bytes, silence, NAK, noise, now and then
// a controller that vanishes until the next transfer) and changed bytes in the PC's frames.
// After each transfer the controllers, the grids and the files are compared with the truth:
// a read shows the controller's values or a failure, a send leaves each item as it was or as
// sent. Prints what ran, the faults, the failures reported and the wrong values found; exits
// with 1 when there was a wrong value. `soak --seed N --transfers M` repeats a run exactly:
// every choice and fault follows the seed, and nothing it checks depends on the wall clock.

#include "soakkinds.h"
#include "soakrig.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <map>

using namespace torvel;
using namespace torvel::soak;

namespace {
struct Tally {
    int runs = 0;
    int failed = 0;
};

const SoakKind &pickKind(SoakRig &rig, const QList<SoakKind> &kinds, int totalWeight)
{
    int at = rig.number(0, totalWeight - 1);
    for (const SoakKind &kind : kinds) {
        if (at < kind.weight)
            return kind;
        at -= kind.weight;
    }
    return kinds.last();
}

void printFaults(const SoakRig &rig, const sim::SimLine &line)
{
    const sim::SimStats &stats = line.stats();
    int total = rig.corruptedFrames();
    std::printf("faults injected:");
    for (auto kind : {sim::FaultKind::CorruptChecksum, sim::FaultKind::LostBytes, sim::FaultKind::Silence,
                      sim::FaultKind::Nak, sim::FaultKind::Noise, sim::FaultKind::Vanish}) {
        std::printf(" %s %d,", qPrintable(sim::faultKindName(kind)), stats.faultCount(kind));
        total += stats.faultCount(kind);
    }
    std::printf(" changed PC frames %d; %d in all\n", rig.corruptedFrames(), total);
    std::printf("line: %d answers, %d frames refused for their checksum\n", stats.answers, stats.badChecksums);
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Transfers of every kind against the simulated line with seeded faults."));
    parser.addHelpOption();
    const QCommandLineOption seedOption(QStringLiteral("seed"), QStringLiteral("Seed of choices and faults."),
                                        QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption transfersOption(QStringLiteral("transfers"), QStringLiteral("Transfers to run."),
                                             QStringLiteral("M"), QStringLiteral("2000"));
    parser.addOption(seedOption);
    parser.addOption(transfersOption);
    parser.process(app);
    bool seedOk = false;
    bool countOk = false;
    const quint32 seed = parser.value(seedOption).toUInt(&seedOk);
    const int transfers = parser.value(transfersOption).toInt(&countOk);
    if (!seedOk || !countOk || transfers < 1) {
        std::fprintf(stderr, "soak: --seed takes a number, --transfers a number from 1\n");
        return 2;
    }

    SoakRig rig(seed);
    const QList<SoakKind> &kinds = soakKinds();
    int totalWeight = 0;
    for (const SoakKind &kind : kinds)
        totalWeight += kind.weight;
    std::map<const SoakKind *, Tally> tally;

    QElapsedTimer wall;
    wall.start();
    for (int i = 1; i <= transfers; ++i) {
        const SoakKind &kind = pickKind(rig, kinds, totalWeight);
        rig.beginTransfer(i, kind.name);
        QElapsedTimer one;
        one.start();
        const SoakOutcome outcome = kind.run(rig);
        if (qEnvironmentVariableIsSet("SOAK_SLOW") && one.elapsed() > 1000)
            std::printf("slow: transfer %d (%s) %lld ms\n", i, kind.name, static_cast<long long>(one.elapsed()));
        rig.endTransfer();
        Tally &t = tally[&kind];
        ++t.runs;
        t.failed += outcome == SoakOutcome::Failed ? 1 : 0;
    }
    const double seconds = double(wall.nsecsElapsed()) / 1e9;

    std::printf("soak: seed %u, %d transfers in %.1f s (%.1f transfers/s)\n", seed, transfers, seconds,
                transfers / seconds);
    std::printf("  %-20s %6s %6s\n", "kind", "runs", "failed");
    int failures = 0;
    for (const SoakKind &kind : kinds) {
        const Tally t = tally[&kind];
        failures += t.failed;
        std::printf("  %-20s %6d %6d\n", kind.name, t.runs, t.failed);
    }
    printFaults(rig, rig.line());
    std::printf("failures reported: %d\n", failures);
    std::printf("wrong values: %d\n", rig.wrongValues());
    if (rig.wrongValues() > 0)
        std::printf("repeat with: soak --seed %u --transfers %d\n", seed, transfers);
    return rig.wrongValues() == 0 ? 0 : 1;
}
