// The list and the night starts against what an oven holds: what a send would change, the
// copy of the oven that reads and sends keep, and torvelctl's diff and send --changed.

#include "bakeprog/programcompare.h"
#include "bakeprog/programsheet.h"
#include "bakeprog/programtransfer.h"
#include "link/controllerlink.h"
#include "nightstart/nightcompare.h"
#include "nightstart/nightstartgrid.h"
#include "shell/appstate.h"
#include "shell/sheetmodel.h"
#include "shell/sheettablemodel.h"
#include "simline.h"
#include "testsupport/processes.h"
#include "testsupport/scriptedprompter.h"
#include "testsupport/linerig.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace torvel;

namespace {
// Program 7: the name and BZ1 (column 4) as given, every other value 0 on both sides.
ProgramDiff diffOf(const QString &listName, const QString &listBz1, const QString &ovenName,
                   int ovenBz1Seconds)
{
    SheetModel list;
    setupProgramSheet(list);
    list.setText(7, 1, listName);
    for (int c = 2; c <= 24; ++c)
        list.setText(7, c, c == 4 ? listBz1 : QStringLiteral("0"));
    ProgramValues values{};
    values[2] = static_cast<quint16>(ovenBz1Seconds);
    OvenPrograms oven(3);
    oven.setProgram(7, {encodeProgramName(ovenName), encodeProgramValues(values)});
    return compareProgram(list, 7, oven, AppState::defaultMinuteColumns());
}

QByteArray fileBytes(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeBytes(const QString &name, const QByteArray &bytes)
{
    QFile f(name);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
} // namespace

class TestCompare : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString settings() const { return dir.filePath(QStringLiteral("settings.ini")); }
    torvel::test::CliRun torvelctl(const QStringList &args) const
    {
        return torvel::test::runTorvelctl(args, settings());
    }

private slots:
    void programsCompareAsTheSendWritesThem_data()
    {
        QTest::addColumn<QString>("listName");
        QTest::addColumn<QString>("listBz1");
        QTest::addColumn<QString>("ovenName");
        QTest::addColumn<int>("ovenBz1");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("line");
        const auto k = [](ProgramDiffKind kind) { return static_cast<int>(kind); };
        QTest::newRow("equal") << "Brot"
                               << "12"
                               << "Brot" << 720 << k(ProgramDiffKind::Equal) << "";
        QTest::newRow("value and name") << "Brötchen"
                                        << "14"
                                        << "Brot" << 720 << k(ProgramDiffKind::Differs)
                                        << "Programm 7: BZ1 12 -> 14, Name Brot -> Brötchen";
        // 119 s show as 1 minute, which the send writes as 60 s.
        QTest::newRow("seconds lost")
            << "Brot"
            << "1"
            << "Brot" << 119 << k(ProgramDiffKind::Differs) << "Programm 7: BZ1 119 s -> 60 s";
        QTest::newRow("wrapped to 16 bits") << "Brot"
                                            << "1093"
                                            << "Brot" << 44 << k(ProgramDiffKind::Equal) << "";
        QTest::newRow("name cut at 14") << "Weizenmischbrot"
                                        << "0"
                                        << "Weizenmischbro" << 0 << k(ProgramDiffKind::Equal) << "";
        QTest::newRow("only in the list")
            << "Semmel"
            << "0"
            << "" << 0 << k(ProgramDiffKind::OnlyInList) << "Programm 7: Semmel kommt neu hinzu";
        QTest::newRow("only on the oven")
            << ""
            << "0"
            << "Zopf" << 0 << k(ProgramDiffKind::OnlyOnOven) << "Programm 7: Zopf wird gelöscht";
        QTest::newRow("never sent") << "ERR: keine Antwort"
                                    << "0"
                                    << "Zopf" << 0 << k(ProgramDiffKind::NotSent) << "";
    }
    void programsCompareAsTheSendWritesThem()
    {
        QFETCH(QString, listName);
        QFETCH(QString, listBz1);
        QFETCH(QString, ovenName);
        QFETCH(int, ovenBz1);
        QFETCH(int, kind);
        QFETCH(QString, line);
        const ProgramDiff diff = diffOf(listName, listBz1, ovenName, ovenBz1);
        QCOMPARE(static_cast<int>(diff.kind), kind);
        QCOMPARE(differenceLine(diff, AppState::defaultMinuteColumns()), line);
    }

    void marksShowTheOvenAndGoWithTheNextChange()
    {
        SheetModel list;
        setupProgramSheet(list);
        list.setText(7, 1, QStringLiteral("Brot"));
        list.setText(7, 4, QStringLiteral("14"));
        OvenPrograms oven(3);
        ProgramValues values{};
        values[2] = 720;
        oven.setProgram(7, {encodeProgramName(QStringLiteral("Brot")), encodeProgramValues(values)});
        oven.setProgram(8, {encodeProgramName(QStringLiteral("Zopf")), encodeProgramValues(values)});
        const QList<ProgramDiff> diffs = compareRange(list, oven, 7, 9, AppState::defaultMinuteColumns());
        markDifferences(list, diffs, AppState::defaultMinuteColumns());
        SheetTableModel table(&list);
        const auto tip = [&](int row, int col) {
            return table.index(row - 1, col - 1).data(Qt::ToolTipRole).toString();
        };
        QCOMPARE(list.cellMark(7, 4), CellMark::Differs);
        QCOMPARE(tip(7, 4), QStringLiteral("Torvel: 12"));
        QCOMPARE(list.cellMark(7, 1), CellMark::RowDiffers);
        QCOMPARE(tip(7, 1), QStringLiteral("Torvel: andere Werte in BZ1"));
        QCOMPARE(table.index(7, 0).data(SheetTableModel::MarkRole).toInt(),
                 static_cast<int>(CellMark::OnlyThere));
        QCOMPARE(tip(8, 1), QStringLiteral("Torvel: Zopf (wird beim Senden gelöscht)"));
        QCOMPARE(tip(8, 4), QStringLiteral("Torvel: 12"));
        QCOMPARE(list.cellMark(9, 1), CellMark::None); // not read: nothing to show
        QCOMPARE(compareSummary(countDiffs(diffs), 3, 7, 9, false),
                 QStringLiteral("Vergleich mit Ofen 3, Programme 7 bis 9: 1 verschieden, 0 nur in der Liste, "
                                "1 nur am Torvel, 0 gleich, 1 nicht gelesen."));
        list.setText(50, 2, QStringLiteral("1"));
        QVERIFY(!list.hasMarks());
        QVERIFY(tip(7, 4).isEmpty());
    }

    // The copy of the oven follows every program that arrives or is acknowledged: three
    // edited programs are all a second send puts on the line.
    void onlyTheChangedProgramsGoOnTheLine()
    {
        AppState state;
        ControllerLink link;
        sim::SimLine *line = torvel::test::attachSimulatedLine(link);
        torvel::test::ScriptedPrompter prompter;
        SheetModel list;
        setupProgramSheet(list);
        ProgramTransfer transfer(state, link.engine(), prompter, list);
        OvenPrograms oven;
        transfer.setWireCopy(&oven);
        QCOMPARE(transfer.receive(3, 1, 99), 99);
        QVERIFY(programsToSend(list, oven, 1, 99, state.minuteColumns).isEmpty());
        list.setText(3, 1, QStringLiteral("Brötchen hell"));
        list.setNumber(40, 4, 20);
        list.setText(77, 1, QString());
        list.setText(77, 1, QStringLiteral("              ")); // blanks are sent as no name: unchanged
        list.setNumber(98, 2, 180);
        const QList<int> changed = programsToSend(list, oven, 1, 99, state.minuteColumns);
        QCOMPARE(changed, (QList<int>{3, 40, 98}));
        line->resetStats();
        QVERIFY(transfer.send(3, changed));
        QCOMPARE(line->stats().functionFrameCount(0x16), 3);
        QCOMPARE(line->stats().functionFrameCount(0x0C), 3);
        QCOMPARE(line->controller(3).programs().values(98)[0], quint16(180));
        QVERIFY(programsToSend(list, oven, 1, 99, state.minuteColumns).isEmpty());

        // A program that does not arrive is not known, and would be sent.
        sim::FaultRule silent;
        silent.oven = 3;
        silent.function = 0x0B;
        silent.count = 5;
        line->faults().add(silent);
        OvenPrograms reread;
        bool aborted = true;
        QCOMPARE(readOvenPrograms(state, link.engine(), prompter, 3, 1, 5, reread, nullptr, &aborted), 4);
        QVERIFY(!aborted);
        QVERIFY(!reread.knows(1));
        QCOMPARE(list.text(1, 1), QStringLiteral("Weizenbrot    ")); // the list was not touched
        QCOMPARE(programsToSend(list, reread, 1, 5, state.minuteColumns), QList<int>{1});
    }

    void nightStartsCompareCellByCell_data()
    {
        QTest::addColumn<QStringList>("monday"); // Std1, Min1, Std2, Min2 as typed
        QTest::addColumn<QByteArray>("ovenMonday");
        QTest::addColumn<QStringList>("lines");
        const QStringList none{"", "", "", ""};
        QTest::newRow("unset on both sides") << none << QByteArray::fromHex("2400FF59") << QStringList();
        QTest::newRow("hour differs") << QStringList{"4", "30", "", ""} << QByteArray::fromHex("0330FFFF")
                                      << QStringList{"Montag: Std1 3 -> 4"};
        QTest::newRow("set on one side")
            << none << QByteArray::fromHex("0330FFFF") << QStringList{"Montag: Std1 3 -> --, Min1 30 -> --"};
        QTest::newRow("hour without minute")
            << QStringList{"5", "", "", ""} << QByteArray::fromHex("FFFFFFFF") << QStringList();
        QTest::newRow("hour 24 is no start")
            << QStringList{"24", "0", "", ""} << QByteArray::fromHex("FFFFFFFF") << QStringList();
        QTest::newRow("second start") << QStringList{"", "", "22", "5"} << QByteArray::fromHex("FFFF2200")
                                      << QStringList{"Montag: Min2 0 -> 5"};
    }
    void nightStartsCompareCellByCell()
    {
        QFETCH(QStringList, monday);
        QFETCH(QByteArray, ovenMonday);
        QFETCH(QStringList, lines);
        SheetModel grid;
        setupNightStartGrid(grid);
        for (int i = 0; i < 4; ++i)
            grid.setText(3, 2 + i, monday.at(i));
        NightStartRecord oven = unsetNightRecord();
        for (int i = 0; i < 4; ++i)
            oven[4 + i] = static_cast<quint8>(ovenMonday.at(i));
        const NightStartRecord mine = nightRecordAsSent(grid);
        QCOMPARE(grid.text(3, 2), monday.at(0)); // the grid keeps what was typed
        const QList<NightCellDiff> diffs = compareNightRecords(mine, oven);
        QCOMPARE(nightDifferenceLines(diffs, mine, oven), lines);
        markNightDifferences(grid, diffs, oven);
        QCOMPARE(grid.cellMark(3, 1), lines.isEmpty() ? CellMark::None : CellMark::RowDiffers);
    }

    void cliDiffsAndSendsOnlyWhatDiffers()
    {
        const QString original = dir.filePath(QStringLiteral("a.TBR"));
        const QString edited = dir.filePath(QStringLiteral("b.TBR"));
        QCOMPARE(torvelctl({"--port", "SIM", "--oven", "3", "programs", "read", "--to", "12", "-o", original})
                     .code,
                 0);
        QByteArray bytes = fileBytes(original);
        bytes.replace("Name=Roggenbrot    ", "Name=").replace("Name=Baguette      ", "Name=Baguette fein");
        bytes.replace("[Phase1]\r\nOH =00233\r\nUH =00220\r\nBZ =00540",
                      "[Phase1]\r\nOH =00233\r\nUH =00220\r\nBZ =00840");
        QVERIFY(writeBytes(edited, bytes));

        auto r = torvelctl({"--port", "SIM", "--oven", "3", "programs", "diff", "--to", "12", original});
        QCOMPARE(r.out, QString());
        QCOMPARE(r.code, 0);
        r = torvelctl({"--port", "SIM", "--oven", "3", "programs", "diff", "--to", "12", edited});
        QCOMPARE(r.out,
                 QStringLiteral(
                     "Programm 2: Roggenbrot wird gelöscht\nProgramm 4: Name Baguette -> Baguette fein\n"
                     "Programm 7: BZ1 9 -> 14\n"));
        QVERIFY(r.err.endsWith(
            QStringLiteral("Vergleich mit Ofen 3, Programme 1 bis 12: 2 verschieden, 0 nur in der "
                           "Liste, 1 nur am Torvel, 9 gleich.\n")));
        QCOMPARE(r.code, 1);
        QCOMPARE(torvelctl({"--port", "SIM", "programs", "diff", dir.filePath("none.TBR")}).code, 2);

        torvel::test::PtySim sim;
        QVERIFY(sim.start({}));
        const QStringList send{"--port", sim.device,  "--oven", "3",  "--yes", "programs",
                               "send",   "--changed", "--to",   "12", edited};
        r = torvelctl(send);
        QCOMPARE(r.out, QStringLiteral("3 Backprogramme an Ofen 3 gesendet, 9 waren schon gleich.\n"));
        QCOMPARE(r.code, 0);
        r = torvelctl(send);
        QCOMPARE(r.out, QStringLiteral("0 Backprogramme an Ofen 3 gesendet, 12 waren schon gleich.\n"));
        QCOMPARE(torvelctl({"--port", sim.device, "--oven", "3", "programs", "diff", edited}).code, 0);
    }

    void cliNightDiff()
    {
        const QString file = dir.filePath(QStringLiteral("n.TBZ"));
        QCOMPARE(torvelctl({"--port", "SIM", "--oven", "3", "night", "read", "-o", file}).code, 0);
        QCOMPARE(torvelctl({"--port", "SIM", "--oven", "3", "night", "diff", file}).code, 0);
        QVERIFY(writeBytes(file, fileBytes(file).replace("Mo1=03:30", "Mo1=04:30")));
        const auto r = torvelctl({"--port", "SIM", "--oven", "3", "night", "diff", file});
        QCOMPARE(r.out, QStringLiteral("Montag: Std1 3 -> 4\n"));
        QCOMPARE(r.code, 1);
    }
};

QTEST_GUILESS_MAIN(TestCompare)
#include "tst_compare.moc"
