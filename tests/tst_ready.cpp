// The ready table: default blocks, entry words and frames, block read and write against the
// simulated line with faults, complete read, send and defaults, the repair and its report, the
// .TBT section and bad files, typed times, the day grid's commit and sort, torvelctl ready.

#include "tables/readyblock.h"
#include "tables/readydefaults.h"
#include "tables/readyfile.h"
#include "tables/readygrid.h"
#include "tables/readysection.h"
#include "tables/readytime.h"
#include "tables/readytransfer.h"
#include "tables/readyvalidate.h"

#include "link/memolog.h"
#include "shell/sheetmodel.h"
#include "shell/textlines.h"
#include "simcrc.h"
#include "testsupport/files.h"
#include "testsupport/linerig.h"
#include "testsupport/processes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace torvel;
using namespace torvel::sim;
using torvel::test::hex;
using torvel::test::readFile;
using torvel::test::writeFile;

namespace {

const QString kWrongLength = QStringLiteral("Bereittabelle nicht lesbar (falsche Länge)!");

struct Rig : test::LineRig {
    MemoLog memo;
    ReadyTable table;
    ReadyBlockFlags flags;
    QString report;

    Torvel2Line torvel2() { return {link.engine(), prompter, 7}; }
    SimController &oven7() { return line->controller(7); }
    bool read(int day, int deck) { return ReadReadyBlock(torvel2(), true, day, deck, table, flags, report, {false, &memo}); }
    // Oven 7 answers block reads with `reply` made of the stored block.
    void answerReads(std::function<SimReply(const QByteArray &block, int day, int deck)> reply)
    {
        SimController &c = oven7();
        c.registerFunction(kReadyReadFunction, [&c, reply](quint8 deck, quint8 day) {
            return reply(c.ready().block(day, deck), day, deck);
        });
    }
};

// A .TBT with line `line` (0-based) replaced.
QByteArray withLine(int line, const QByteArray &text)
{
    QList<QByteArray> lines = readyFileContent(defaultReadyTable()).split('\n');
    lines[line] = text + "\r";
    return lines.join('\n');
}

} // namespace

class TestReady : public QObject
{
    Q_OBJECT

private slots:
    void defaultBlock_data()
    {
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("deck");
        QTest::newRow("So 1") << 0 << 1;
        QTest::newRow("Sa 9") << 6 << 9;
    }
    void defaultBlock()
    {
        QFETCH(int, day);
        QFETCH(int, deck);
        const QByteArray block = BuildDefaultReadyBlock(day, deck, false);
        QCOMPARE(block.size(), 259);
        QVERIFY(block.startsWith(hex("00 F0 2A F0 54 F0 7E F0")));
        QCOMPARE(block.mid(66, 4), hex("6A F5 0E F0")); // entries 34 and 35: (30, 1386), (30, 14)
        QCOMPARE(block.mid(200, 56), QByteArray(56, char(0xFF)));
        QCOMPARE(block.right(3), hex("88 99 3C"));
        ReadyTable debug;
        setDefaultReadyBlock(debug, day, deck, true);
        QCOMPARE(debug.entry(day, deck, 1), (ReadyEntry{30, day * 60 + deck}));
        QCOMPARE(debug.entry(day, deck, 128), (ReadyEntry{30, (day + 10) * 60 + deck + 10}));
    }

    void entryWordsAndFrames()
    {
        QCOMPARE(readyEntryWord({30, 42}), quint16(0xF02A));
        for (const ReadyEntry &e : {ReadyEntry{31, 100}, ReadyEntry{45, 700}, ReadyEntry{-1, 5}, ReadyEntry{5, 2048},
                                    ReadyEntry{5, -1}, ReadyEntry{5, 2047}})
            QCOMPARE(readyEntryWord(e), kReadyEmptyWord);
        QCOMPARE(readyReadFrame(3, 2), hex("46 22 02 03 27"));
        QCOMPARE(readyWriteFrame(3, 2), hex("46 23 02 03 28"));
    }

    void readBlockStoresEntriesFlagAndMemo()
    {
        Rig rig;
        QVERIFY(rig.read(1, 2));
        QCOMPARE(rig.frames, (QList<QByteArray>{hex("05C6"), hex("46 22 02 01 25")}));
        QCOMPARE(rig.table.entry(1, 2, 1), (ReadyEntry{30, 275}));
        QCOMPARE(rig.table.entry(1, 2, 3), (ReadyEntry{30, 990}));
        QVERIFY(rig.flags.isSet(1, 2));
        QVERIFY(!rig.flags.isSet(1, 1));
        QCOMPARE(rig.report, QStringLiteral("Tag:1-Herd:2\r\n"));
        QCOMPARE(rig.memo.lines().size(), 129);
        QCOMPARE(rig.memo.lines().at(1), QStringLiteral("B001:019.241--30.04:35"));
        QCOMPARE(rig.memo.lines().at(128), QStringLiteral("B128:255.255--31.34:07"));
        QVERIFY(rig.prompter.shown.isEmpty());
        rig.oven7().ready().setBlock(0, 1, BuildDefaultReadyBlock(0, 1, false).left(256));
        rig.report.clear();
        QVERIFY(rig.read(0, 1));
        QVERIFY(rig.report.isEmpty()); // a default block is no difference
    }

    void readFailures_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("informs");
        QTest::addColumn<int>("readFrames");
        QTest::newRow("3 bad checksums retried") << "checksum3" << true << QStringList{} << 4;
        QTest::newRow("4 bad checksums") << "checksum4" << false << QStringList{kWrongLength} << 4;
        QTest::newRow("bad CRC") << "crc" << false << QStringList{"Bereittabelle-CRC-Fehler!", kWrongLength} << 1;
        QTest::newRow("262 bytes") << "extra" << false << QStringList{"Bereittabelle-Fehler01!"} << 1;
    }
    void readFailures()
    {
        QFETCH(QString, fault);
        QFETCH(bool, ok);
        QFETCH(QStringList, informs);
        QFETCH(int, readFrames);
        Rig rig;
        if (fault.startsWith("checksum"))
            rig.line->faults().aim(FaultKind::CorruptChecksum, 7, kReadyReadFunction, fault.right(1).toInt());
        if (fault == "crc")
            rig.answerReads([](const QByteArray &block, int, int) {
                QByteArray data = appendBlockCrc(block);
                data[257] = char(data.at(257) ^ 0x40);
                return SimReply::withData(data);
            });
        if (fault == "extra")
            rig.answerReads([](const QByteArray &block, int, int) { return SimReply::withData(appendBlockCrc(block + 'x')); });
        QCOMPARE(rig.read(4, 1), ok);
        QCOMPARE(rig.prompter.texts("inform"), informs);
        QCOMPARE(rig.frames.count(hex("46 22 01 04 27")), readFrames);
        QCOMPARE(rig.flags.isSet(4, 1), ok);
        // Only a whole reply is taken; one with a byte over keeps its entries all the same.
        const ReadyEntry first = (ok || fault == "extra") ? ReadyEntry{30, 270} : ReadyEntry{};
        QCOMPARE(rig.table.entry(4, 1, 1), first);
    }

    void writeBlockSendsWhatTheControllerCanHold()
    {
        Rig rig;
        ReadyTable table;
        table.entry(3, 2, 1) = {0, 5}; // 05 00: the 0x05 goes doubled on the line
        table.entry(3, 2, 2) = {31, 100};
        table.entry(3, 2, 3) = {45, 700};
        table.entry(3, 2, 4) = {-1, 3};
        QVERIFY(WriteReadyBlock(rig.torvel2(), table, 2, 3, true));
        QCOMPARE(rig.frames.size(), 3);
        QCOMPARE(rig.frames.at(1), hex("46 23 02 03 28"));
        QVERIFY(rig.frames.at(2).startsWith(hex("05 05 00 FF FF")));
        QCOMPARE(rig.oven7().ready().block(3, 2), hex("05 00") + QByteArray(254, char(0xFF)));
        QCOMPARE(rig.prompter.texts("inform"), QStringList{"Bereittabelle gesetzt."});
        rig.line->faults().aim(FaultKind::Nak, 7, kReadyWriteFunction);
        rig.frames.clear();
        QVERIFY(!WriteReadyBlock(rig.torvel2(), table, 2, 3, true)); // one attempt, no data frame
        QCOMPARE(rig.frames, (QList<QByteArray>{hex("05C6"), hex("46 23 02 03 28")}));
        QCOMPARE(rig.prompter.texts("inform").last(), QStringLiteral("Bereittabelle konnte nicht gesetzt werden!"));
    }

    void completeReadCoversHerdMaxAndStopsAtAFailure()
    {
        Rig rig;
        QList<int> steps;
        const auto step = [&](int, int, int s) {
            steps << s;
            return true;
        };
        QCOMPARE(ReadReadyTable(rig.torvel2(), 3, rig.table, rig.flags, rig.report, {}, step), ReadyRun::Done);
        QCOMPARE(steps.size(), 21);
        QCOMPARE(steps.last(), 21);
        for (int day = 0; day < 7; ++day)
            for (int deck = 1; deck <= 9; ++deck)
                QCOMPARE(rig.flags.isSet(day, deck), deck <= 3);

        Rig failing;
        failing.answerReads([](const QByteArray &block, int day, int deck) {
            QByteArray data = appendBlockCrc(block);
            if (day == 1 && deck == 2)
                data[0] = char(data.at(0) ^ 0x01); // a bad CRC ends the block at once
            return SimReply::withData(data);
        });
        QCOMPARE(ReadReadyTable(failing.torvel2(), 3, failing.table, failing.flags, failing.report), ReadyRun::Failed);
        QVERIFY(failing.flags.isSet(1, 1));
        QVERIFY(!failing.flags.isSet(1, 2));
        QCOMPARE(failing.table.entry(1, 1, 1), (ReadyEntry{30, 270})); // the blocks read so far stay
        QCOMPARE(failing.frames.count(hex("46 22 03 01 26")), 0);       // nothing after the failure
    }

    void completeSendAndDefaults()
    {
        ReadyBlockFlags flags;
        flags.setAll(true);
        flags.set(0, 1, false);
        flags.set(0, 2, false);
        flags.set(1, 1, false);
        QCOMPARE(missingReadyBlocks(flags, 2), QStringLiteral("(SO)1-(SO)2-\r\n(MO)1-"));
        QVERIFY(missingReadyBlocks(flags, 9).endsWith("(MO)1-"));

        Rig rig;
        const ReadyTable table = defaultReadyTable();
        QCOMPARE(WriteReadyTable(rig.torvel2(), 2, table), ReadyRun::Done);
        QCOMPARE(rig.oven7().ready().writeCount(), 14);
        QCOMPARE(rig.oven7().ready().block(6, 2), readyBlockData(table, 6, 2));
        rig.oven7().registerFunction(kReadyWriteFunction, [](quint8, quint8 day) {
            return day == 2 ? SimReply::nak() : SimReply::expectData(258, [](const QByteArray &) { return SimReply::ack(); });
        });
        rig.frames.clear();
        QCOMPARE(WriteReadyTable(rig.torvel2(), 2, table), ReadyRun::Failed);
        QCOMPARE(rig.frames.count(hex("46 23 02 02 27")), 0); // stops at day 2, deck 1

        Rig defaults;
        QCOMPARE(SendReadyDefaults(defaults.torvel2(), 1, true), ReadyRun::Done);
        QCOMPARE(defaults.frames.count(hex("05C6")), 1); // the oven addressed once
        QCOMPARE(defaults.oven7().ready().block(4, 1), BuildDefaultReadyBlock(4, 1, true).left(256));
        QCOMPARE(defaults.oven7().ready().writeCount(), 7);
    }

    void validationRepairsAndReports()
    {
        QTemporaryDir dir;
        const QString logs = dir.filePath("log");
        ReadyTable table;
        table.entry(0, 1, 1) = {5, 2000};
        table.entry(0, 1, 2) = {30, 42};
        QString message;
        QVERIFY(ValidateReadyTable(table, message, logs));
        QCOMPARE(table.entry(0, 1, 1), (ReadyEntry{5, 42}));
        QCOMPARE(readFile(logs + "/Bereittab_Check.txt"),
                 QByteArray("Folgende Werte lagen au\xDF" "erhalb des zul\xE4ssigen Bereichs und\r\nwurden ge\xE4ndert:\r\n"
                            "Alter Wert:\r\nWochentag: 0 - Herd: 1 - Woche: 05 - Minuten: 2000\r\n"
                            "Neuer Wert:\r\nWochentag: 0 - Herd: 1 - Woche: 05 - Minuten: 42\r\n"));
        QVERIFY(message.startsWith("\r\nEinige Werte der Bereittabelle lagen\r\n"));
        QVERIFY(message.endsWith("protokolliert:\r\n" + QDir::toNativeSeparators(logs + "/Bereittab_Check.txt") + "\r\n"));

        // A bad neighbour is no repair: the entry becomes empty (the empty time of an empty
        // neighbour too). A Woche beyond 31, and a used Woche without a time, too.
        table.entry(2, 4, 7) = {6, 1500};
        table.entry(2, 4, 6) = {6, 3000};
        table.entry(2, 4, 9) = {40, 100};
        table.entry(2, 4, 12) = {5, 2047};
        QVERIFY(ValidateReadyTable(table, message, logs));
        for (int i : {6, 7, 9, 12})
            QCOMPARE(table.entry(2, 4, i), ReadyEntry{});
        QString again;
        QVERIFY(!ValidateReadyTable(table, again, logs)); // nothing left out of range
        QVERIFY(again.isEmpty());

        // No folder to write to: repaired all the same, and the message says so.
        QVERIFY(writeFile(dir.filePath("file"), "x"));
        table.entry(1, 1, 1) = {-2, 0};
        message.clear();
        QVERIFY(ValidateReadyTable(table, message, dir.filePath("file/log")));
        QVERIFY(message.contains("konnten nicht protokolliert werden"));
    }

    void defaultsCheck()
    {
        ReadyTable table = defaultReadyTable();
        QCOMPARE(CheckReadyTableAgainstDefaults(table, 9, false), QStringLiteral("Alle Einträge entsprechen Defaults!"));
        table.entry(2, 3, 50) = {1, 1};
        table.entry(2, 4, 50) = {1, 1}; // beyond HerdMax 3
        QCOMPARE(CheckReadyTableAgainstDefaults(table, 3, false),
                 QStringLiteral("Folgende Einträge entsprechen nicht Defaults:\r\nTag:2-Herd:3\r\n"));
        QCOMPARE(CheckReadyTableAgainstDefaults(defaultReadyTable(), 1, true).count("Tag:"), 7);
    }

    void sectionBytesAndRoundTrip()
    {
        const QByteArray content = readyFileContent(defaultReadyTable());
        QCOMPARE(content.count("\r\n"), 2100);
        QVERIFY(content.startsWith("###################;\r\nWOCHENTAG;0;###################;\r\n"
                                   "XX;HERD1;XX;HERD1;XX;HERD1;XX;HERD1;\r\n30;00:00;30;00:42;30;01:24;30;02:06;\r\n"));
        QCOMPARE(content.split('\n').at(299), QByteArray("\r")); // each day ends with an empty line
        QVERIFY(content.contains("\r\n31;34:07;31;34:07;31;34:07;31;34:07;\r\n"));

        QTemporaryDir dir;
        ReadyTable table = defaultReadyTable();
        table.entry(6, 9, 128) = {0, 1439};
        table.entry(3, 5, 1) = {31, 2047};
        QString error;
        QVERIFY(saveReadyFile(table, dir.filePath("t.TBT"), &error));
        ReadyTable back;
        ReadyBlockFlags flags;
        QString repaired;
        QVERIFY(openReadyFile(dir.filePath("t.TBT"), dir.path(), &back, &flags, &error, &repaired));
        QCOMPARE(back, table);
        QVERIFY(repaired.isEmpty());
        QVERIFY(std::all_of(flags.flags.begin(), flags.flags.end(), [](bool f) { return f; }));
    }

    void sectionLines_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("problem"); // empty: read
        const QByteArray head = "WOCHENTAG;2;#;\r\nXX;HERD3;\r\n";
        QTest::newRow("one-digit Woche") << head + "5;08:00;30;09:00;\r\n" << "";
        QTest::newRow("whole block") << head + "5;08:00;30;09:00;\r\n" + QByteArray("30;00:00;").repeated(126) << "";
        QTest::newRow("hours fallback") << head + "05;34:07;31;xx;\r\n" << "";
        QTest::newRow("no deck character") << withLine(2, "XX;HERD") << "Herd muss 1 bis 9 sein";
        QTest::newRow("deck 0") << withLine(2, "XX;HERD0;XX;HERD0;") << "Herd muss 1 bis 9 sein";
        QTest::newRow("day 7") << withLine(301, "WOCHENTAG;7;#;") << "Wochentag muss 0 bis 6 sein";
        QTest::newRow("day no number") << withLine(301, "WOCHENTAG;x;#;") << "Wochentag muss 0 bis 6 sein";
        QTest::newRow("negative Woche") << withLine(5, "-1;00:00;") << "Woche ist keine Zahl ab 0";
        QTest::newRow("bad hours") << withLine(5, "30;ab:07;") << "Zeit \"ab:07\" ist keine Uhrzeit hh:mm";
        QTest::newRow("letter Woche") << withLine(5, "x;00:00;") << "Woche ist keine Zahl";
        QTest::newRow("before any day") << QByteArray("30;00:00;\r\n") << "Einträge vor der Zeile WOCHENTAG oder XX;HERD";
        QTest::newRow("129 entries") << head + QByteArray("30;00:00;").repeated(129) << "mehr als 128 Einträge für Herd 3";
    }
    void sectionLines()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, problem);
        TextLineReader reader(content);
        ReadyTable table = defaultReadyTable();
        ReadyBlockFlags flags;
        flags.set(0, 9);
        bool failed = false;
        QString why;
        ReadReadySection(reader, flags, table, failed, &why);
        QCOMPARE(failed, !problem.isEmpty());
        if (failed) {
            QVERIFY2(why.endsWith(problem), qPrintable(why));
            QCOMPARE(table, defaultReadyTable()); // a failed read leaves table and flags alone
            QVERIFY(flags.isSet(0, 9));
            return;
        }
        const bool fallback = QTest::currentDataTag() == QByteArray("hours fallback");
        const ReadyEntry first = fallback ? ReadyEntry{5, 2047} : ReadyEntry{5, 480};
        const ReadyEntry second = fallback ? ReadyEntry{} : ReadyEntry{30, 540};
        QCOMPARE(table.entry(2, 3, 1), first);
        QCOMPARE(table.entry(2, 3, 2), second);
        // Only a block the file held whole counts as present: one cut short would be sent with
        // its missing entries empty.
        const bool whole = QTest::currentDataTag() == QByteArray("whole block");
        QCOMPARE(flags.isSet(2, 3), whole);
        QCOMPARE(std::count(flags.flags.begin(), flags.flags.end(), true), whole ? 1 : 0);
    }

    void emptyingDecksClearsTheirFlags()
    {
        ReadyTable table = defaultReadyTable();
        ReadyBlockFlags flags;
        for (int day = 0; day < kReadyDays; ++day)
            for (int deck = 1; deck <= kReadyDecks; ++deck)
                flags.set(day, deck);
        emptyReadyDecks(table, flags, 2);
        // Emptied blocks are no longer present; decks above HerdMax keep block and flag.
        QCOMPARE(table.entry(6, 2, 1), ReadyEntry{});
        QVERIFY(!flags.isSet(6, 2) && !flags.isSet(0, 1));
        QVERIFY(flags.isSet(6, 3));
        QCOMPARE(table.entry(6, 3, 1), defaultReadyTable().entry(6, 3, 1));
    }

    void typedTimes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("normalized");
        const QList<QPair<QString, QString>> cases{{"930", ""},     {"7", "07:00"},     {"7:5", "07:05"},
                                                   {"12:34:56", "12:34"}, {"9:30", "09:30"}, {"123", "12:30"},
                                                   {"1230", "12:30"},  {"12", "12:00"},   {" 8 : 1 5", "08:15"},
                                                   {"24:00", ""},      {"ab", ""},        {"", ""}};
        for (const auto &[typed, normalized] : cases)
            QTest::newRow(qPrintable("\"" + typed + "\"")) << typed << normalized;
    }
    void typedTimes()
    {
        QFETCH(QString, typed);
        QFETCH(QString, normalized);
        QCOMPARE(NormalizeTimeText(typed), normalized);
    }

    void gridCommitAndSort()
    {
        SheetModel grid;
        setupReadyGrid(grid);
        ReadyTable table;
        table.entry(1, 5, 1) = {30, 60};
        ReadyBlockFlags flags;
        flags.setAll(true);
        drawReadyDay(grid, table, 1, 2);
        QCOMPARE(grid.maxRow(), 66); // 67 rows with the heading row
        QCOMPARE(grid.colHeading(1), QStringLiteral("Wo"));
        QCOMPARE(grid.colHeading(8), QStringLiteral("Zeit"));
        QCOMPARE(grid.text(34, 1), QStringLiteral("XX"));
        QCOMPARE(grid.text(34, 8), QStringLiteral("HERD2"));
        QCOMPARE(grid.text(readyEntryRow(2, 5), readyWocheCol(5)), QStringLiteral("31"));
        QCOMPARE(grid.text(36, 2), QStringLiteral("34:07"));

        grid.setText(2, 1, "-4");    // entry 1: a negative Woche is no number
        grid.setText(2, 3, "5");     // entry 2: 930 is no time
        grid.setText(2, 4, "930");
        grid.setText(2, 5, "6");     // entry 3
        grid.setText(2, 6, "7:5");
        commitReadyDay(grid, table, flags, 1);
        QCOMPARE(table.entry(1, 1, 1), ReadyEntry{});
        QCOMPARE(table.entry(1, 1, 2), ReadyEntry{});
        QCOMPARE(grid.text(2, 4), QString());
        QCOMPARE(table.entry(1, 1, 3), (ReadyEntry{6, 425}));
        QCOMPARE(grid.text(2, 6), QStringLiteral("07:05"));
        QCOMPARE(table.entry(1, 5, 1), ReadyEntry{}); // no rows: emptied, and no longer sendable
        QVERIFY(!flags.isSet(1, 5));
        QVERIFY(flags.isSet(1, 4) && flags.isSet(1, 1)); // nothing lost there / emptied on purpose

        ReadyTable view;
        view.entry(0, 1, 1) = {30, 600};
        view.entry(0, 1, 2) = {2, 900};
        view.entry(0, 1, 4) = {2, 60};
        drawReadyDay(grid, view, 0, 1);
        sortReadyDayView(grid, 1);
        const QStringList row{grid.text(2, 1), grid.text(2, 2), grid.text(2, 3), grid.text(2, 4),
                              grid.text(2, 5), grid.text(2, 6), grid.text(2, 7), grid.text(2, 8)};
        QCOMPARE(row, (QStringList{"2", "01:00", "2", "15:00", "30", "10:00", "31", "34:07"}));
    }

    void cliReadAndSendOverAPty()
    {
        test::PtySim sim;
        QVERIFY(sim.start({}));
        QTemporaryDir dir;
        const QString file = dir.filePath("oven7.TBT");
        const QStringList common{"--port", sim.device, "--oven", "7", "ready"};
        test::CliRun r = test::runTorvelctl(common + QStringList{"read", "-o", file, "--log", dir.path()});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, "Bereittabelle von Ofen 7 gelesen: " + file + "\n");
        QList<QByteArray> lines = readFile(file).split('\n');
        QCOMPARE(lines.size(), 2101);
        QCOMPARE(lines.at(303), QByteArray("30;04:30;30;11:00;30;16:30;31;34:07;\r"));
        lines[303] = "7;06:00;30;11:00;31;00:00;31;34:07;\r";
        QVERIFY(writeFile(file, lines.join('\n')));
        r = test::runTorvelctl(common + QStringList{"send", file, "--log", dir.path()});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("Bereittabelle an Ofen 7 gesendet.\n"));
        r = test::runTorvelctl(common + QStringList{"read", "-o", file, "--log", dir.path()});
        QCOMPARE(readFile(file).split('\n').at(303), QByteArray("07;06:00;30;11:00;31;34:07;31;34:07;\r"));

        // A first-generation oven: the read fails and writes no file.
        const QString none = dir.filePath("oven1.TBT");
        r = test::runTorvelctl({"--port", sim.device, "--oven", "1", "ready", "read", "-o", none});
        QCOMPARE(r.code, 1);
        QVERIFY(!QFile::exists(none));
    }

    void cliRefusesAnUnusableFileBeforeTheLine_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("bad deck") << withLine(2, "XX;HERD") << "Fehler beim Öffnen der Bereittabelle!\n";
        QTest::newRow("blocks missing") << readyFileContent(defaultReadyTable()).left(20000)
                                        << "ACHTUNG: Folgende Herde/Wochentag -> \"(WochenTag)HerdNr-\"\n";
        QTest::newRow("last block cut short")
            << readyFileContent(defaultReadyTable()).split('\n').mid(0, 2067).join('\n')
            << "ACHTUNG: Folgende Herde/Wochentag -> \"(WochenTag)HerdNr-\"\n";
    }
    void cliRefusesAnUnusableFileBeforeTheLine()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString file = dir.filePath("bad.TBT");
        QVERIFY(writeFile(file, content));
        const QString monitor = dir.filePath("monitor.tsv");
        const test::CliRun r =
            test::runTorvelctl({"--port", "SIM", "--oven", "7", "--monitor", monitor, "ready", "send", file});
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.startsWith(message), qPrintable(r.err));
        QCOMPARE(readFile(monitor).count('\n'), 1); // the heading only: nothing went on the line
    }
};

QTEST_GUILESS_MAIN(TestReady)
#include "tst_ready.moc"
