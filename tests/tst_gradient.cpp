// The gradient table: the block CRC, frames, read and write against the simulated line with
// faults and the IgnoreError rules, the .TST section and file, the grid texts, the Torvel2
// status and clock setting pieces, and torvelctl gradient over a pty.

#include "tables/gradientfile.h"
#include "tables/gradientgrid.h"
#include "tables/gradientsection.h"
#include "tables/gradienttransfer.h"
#include "torvel2/clocksetting.h"
#include "torvel2/datablockcrc.h"
#include "torvel2/torvel2status.h"

#include "link/controllerlink.h"
#include "link/memolog.h"
#include "shell/sheetmodel.h"
#include "shell/textlines.h"
#include "simcrc.h"
#include "simline.h"
#include "testsupport/processes.h"
#include "testsupport/scriptedprompter.h"
#include "testsupport/linerig.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace torvel;
using namespace torvel::sim;
using torvel::test::ScriptedPrompter;

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

QByteArray readFile(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString &name, const QByteArray &content)
{
    QFile f(name);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

// A link on its own simulated line, oven 7 (second generation) selected.
struct Rig {
    ControllerLink link;
    SimLine *line = test::attachSimulatedLine(link);
    ScriptedPrompter prompter;
    MemoLog memo;
    QList<QByteArray> frames;

    Rig()
    {
        QObject::connect(&link.engine(), &CommandEngine::frameSent, [this](const QByteArray &f) { frames << f; });
    }
    Torvel2Line torvel2(int oven = 7) { return {link.engine(), prompter, oven}; }
    SimController &oven7() { return line->controller(7); }
};

// The default bytes of the sim's Tag mode: OH 40, UH 36, SH 64 per deck.
GradientTable simFactoryTable()
{
    GradientTable t;
    for (int deck = 1; deck <= 9; ++deck)
        for (int mode = 0; mode < 2; ++mode) {
            t.setValue(mode, deck, GradientOH, 40 + 8 * mode);
            t.setValue(mode, deck, GradientUH, 36 + 8 * mode);
            t.setValue(mode, deck, GradientSH, 64 + 16 * mode);
        }
    return t;
}

const QByteArray kDefaultsFile =
    "Steigunstabelle Torvel2EM:;\r\nTAG:;\r\n"
    "HERD01;040;040;040\r\nHERD02;040;040;040\r\nHERD03;040;040;040\r\nHERD04;040;040;040\r\n"
    "HERD05;040;040;040\r\nHERD06;040;040;040\r\nHERD07;040;040;040\r\nHERD08;040;040;040\r\n"
    "HERD09;040;040;040\r\nNACHT:;\r\n"
    "HERD01;048;048;048\r\nHERD02;048;048;048\r\nHERD03;048;048;048\r\nHERD04;048;048;048\r\n"
    "HERD05;048;048;048\r\nHERD06;048;048;048\r\nHERD07;048;048;048\r\nHERD08;048;048;048\r\n"
    "HERD09;048;048;048\r\n";

} // namespace

class TestGradient : public QObject
{
    Q_OBJECT

private slots:
    void blockCrc_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("crc");
        QTest::newRow("check value") << QByteArray("123456789") << 0x31C3;
        QTest::newRow("Tag defaults") << QByteArray(27, 0x28) << 0x4269;
    }
    void blockCrc()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, crc);
        QCOMPARE(DataBlockCrc(data), quint16(crc));
        const QByteArray block = withDataBlockCrc(data);
        QVERIFY(DataBlockCrcGood(block));
        QByteArray bad = block;
        bad[bad.size() - 1] = char(bad.at(bad.size() - 1) ^ 0x01);
        QVERIFY(!DataBlockCrcGood(bad));
    }

    void frames()
    {
        QCOMPARE(gradientReadFrame(GradientTag), hex("46 24 74 74 0C"));
        QCOMPARE(gradientReadFrame(GradientNacht), hex("46 24 6E 6E 00"));
        QCOMPARE(gradientWriteFrame(GradientTag), hex("46 25 74 74 0D"));
        QCOMPARE(gradientWriteFrame(GradientNacht), hex("46 25 6E 6E 01"));
        QCOMPARE(gradientDataFrame(defaultGradientTable(), GradientTag), QByteArray(27, 0x28) + hex("42 69 E3"));
        const GradientTable test = testGradientTable();
        QCOMPARE(test.value(GradientTag, 1, GradientOH), 32);
        QCOMPARE(test.value(GradientNacht, 9, GradientSH), 240);
    }

    void readTakesBothModes()
    {
        Rig rig;
        GradientTable table = emptyGradientTable();
        QVERIFY(ReadGradientTable(rig.torvel2(), true, table, {false, &rig.memo}));
        QCOMPARE(table, simFactoryTable());
        QCOMPARE(rig.frames, (QList<QByteArray>{hex("05C6"), hex("46 24 74 74 0C"), hex("46 24 6E 6E 00")}));
        QCOMPARE(rig.prompter.texts("inform"), QStringList{"Steigungstabelle gelesen!"});
        QCOMPARE(rig.memo.lines().size(), 20);
        QVERIFY(rig.memo.lines().at(0).startsWith("Steigungstabelle "));
        QCOMPARE(rig.memo.lines().at(1), QStringLiteral("Herd001:OH:040.UH:036.SH:064"));
        QCOMPARE(rig.memo.lines().at(19), QStringLiteral("Herd009:OH:048.UH:044.SH:080"));
    }

    // Checksum faults hit the first answers (Tag first); a bad CRC comes with Nacht only.
    void readFailures_data()
    {
        QTest::addColumn<int>("faults");
        QTest::addColumn<bool>("badCrc");
        QTest::addColumn<bool>("ignoreError");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("informs");
        QTest::addColumn<QStringList>("notices");
        QTest::addColumn<int>("tagFrames");
        QTest::addColumn<int>("nachtFrames");
        const QString read = "Steigungstabelle gelesen!";
        const QString crc = "Steigungstabelle-CRC-Fehler!";
        const QString length = "Steigungstabelle nicht lesbar (falsche Länge)!\r\n\r\n(Diese Funktion ist erst ab\r\n"
                               " Firmware 4.00 r25 verfügbar)!";
        QTest::newRow("3 bad checksums retried") << 3 << false << false << true << QStringList{read} << QStringList{}
                                                 << 4 << 1;
        QTest::newRow("4 bad checksums") << 4 << false << false << false << QStringList{length} << QStringList{} << 4
                                         << 0;
        QTest::newRow("bad CRC") << 0 << true << false << false << QStringList{crc, length} << QStringList{} << 1 << 1;
        QTest::newRow("bad CRC ignored") << 0 << true << true << true << QStringList{read} << QStringList{crc} << 1
                                         << 1;
        // A mode that never arrived is no table, even under IgnoreError.
        QTest::newRow("short ignored") << 4 << false << true << false << QStringList{} << QStringList{crc} << 4 << 1;
    }
    void readFailures()
    {
        QFETCH(int, faults);
        QFETCH(bool, badCrc);
        QFETCH(bool, ignoreError);
        QFETCH(bool, ok);
        QFETCH(QStringList, informs);
        QFETCH(QStringList, notices);
        QFETCH(int, tagFrames);
        QFETCH(int, nachtFrames);
        Rig rig;
        if (faults)
            rig.line->faults().aim(FaultKind::CorruptChecksum, 7, kGradientReadFunction, faults);
        if (badCrc) {
            rig.oven7().registerFunction(kGradientReadFunction, [](quint8 p1, quint8) {
                QByteArray data = appendBlockCrc(QByteArray(27, p1 == 't' ? 0x10 : 0x20));
                if (p1 == 'n')
                    data[28] = char(data.at(28) ^ 0x40);
                return SimReply::withData(data);
            });
        }
        GradientTable table = defaultGradientTable();
        QCOMPARE(ReadGradientTable(rig.torvel2(), true, table, {ignoreError, &rig.memo}), ok);
        QCOMPARE(rig.prompter.texts("inform"), informs);
        QCOMPARE(rig.prompter.texts("timed"), notices);
        QCOMPARE(rig.frames.count(hex("46 24 74 74 0C")), tagFrames);
        QCOMPARE(rig.frames.count(hex("46 24 6E 6E 00")), nachtFrames);
        if (!ok)
            QCOMPARE(table, defaultGradientTable()); // a mode that did arrive is not taken alone
        else if (badCrc)
            QCOMPARE(table.value(GradientNacht, 9, GradientSH), 0x20);
    }

    void readOfAnOldControllerFailsWithTheFirmwareNote()
    {
        Rig rig;
        rig.oven7().version() = {400, 24, 99}; // one revision too early
        GradientTable table = emptyGradientTable();
        QVERIFY(!ReadGradientTable(rig.torvel2(), false, table));
        QVERIFY(table.isEmpty());
        QCOMPARE(rig.prompter.texts("inform").size(), 1);
        QVERIFY(rig.prompter.texts("inform").first().contains("Firmware 4.00 r25"));
        QCOMPARE(rig.frames.count(hex("46 24 6E 6E 00")), 0); // Nacht is skipped after Tag failed
        rig.oven7().version() = {400, 25, 99};
        rig.prompter.shown.clear();
        QVERIFY(ReadGradientTable(rig.torvel2(), false, table));
        QVERIFY(rig.prompter.shown.isEmpty()); // no confirmation without messages
    }

    void replyWithExtraBytesIsTakenWithANote()
    {
        Rig rig;
        rig.oven7().registerFunction(kGradientReadFunction,
                                     [](quint8, quint8) { return SimReply::withData(appendBlockCrc(QByteArray(28, 7))); });
        GradientTable table = emptyGradientTable();
        QVERIFY(ReadGradientTable(rig.torvel2(), false, table));
        QCOMPARE(table.value(GradientNacht, 9, GradientSH), 7);
        QCOMPARE(rig.prompter.texts("inform"),
                 (QStringList{"Steigungstabelle-Fehler01!", "Steigungstabelle-Fehler01!"}));
    }

    void notAddressableSendsNothingElse()
    {
        Rig rig;
        rig.line->setPresentOvens({1});
        GradientTable table = emptyGradientTable();
        QVERIFY(!ReadGradientTable(rig.torvel2(), true, table));
        QCOMPARE(rig.frames, QList<QByteArray>(4, hex("05C6")));
        QCOMPARE(rig.prompter.texts("inform"), QStringList{"Steuerung nicht adressierbar!!"});
    }

    void writeSendsBothModes()
    {
        Rig rig;
        QVERIFY(WriteGradientTable(rig.torvel2(), testGradientTable(), true));
        const GradientTable test = testGradientTable();
        QCOMPARE(rig.oven7().gradient().mode(0), gradientModeBytes(test, GradientTag));
        QCOMPARE(rig.oven7().gradient().mode(1), gradientModeBytes(test, GradientNacht));
        QCOMPARE(rig.frames.size(), 5);
        QCOMPARE(rig.frames.at(1), hex("46 25 74 74 0D"));
        QCOMPARE(rig.frames.at(3), hex("46 25 6E 6E 01"));
        QCOMPARE(rig.prompter.texts("inform"), QStringList{"Steigungstabelle geschrieben!"});
    }

    void writeRetriesWithAddressing()
    {
        Rig rig;
        rig.line->faults().aim(FaultKind::Nak, 7, kGradientWriteFunction, 3);
        QVERIFY(WriteGradientTable(rig.torvel2(), defaultGradientTable(), false));
        // Tag: three refused announcements, each repeat addressed anew, then announce and data.
        QCOMPARE(rig.frames.count(hex("05C6")), 4);
        QCOMPARE(rig.frames.count(hex("46 25 74 74 0D")), 4);
        QCOMPARE(rig.oven7().gradient().writeCount(), 2);
    }

    void writeGivesUpAfterFourAttempts()
    {
        Rig rig;
        rig.line->faults().aim(FaultKind::Silence, 7, kGradientWriteFunction, 4);
        QVERIFY(!WriteGradientTable(rig.torvel2(), defaultGradientTable(), true));
        QCOMPARE(rig.frames.count(hex("46 25 6E 6E 01")), 0); // Nacht not tried after Tag failed
        QCOMPARE(rig.oven7().gradient().writeCount(), 0);
        QCOMPARE(rig.prompter.texts("inform").size(), 1);
        QVERIFY(rig.prompter.texts("inform").first().startsWith("Steigungstabelle kann nicht geschrieben werden!"));
    }

    void sectionFileBytesAndRoundTrip()
    {
        QCOMPARE(gradientFileContent(defaultGradientTable()), kDefaultsFile);
        QTemporaryDir dir;
        const QString file = dir.filePath("t.TST");
        QString error;
        QVERIFY(saveGradientFile(testGradientTable(), file, &error));
        GradientTable back = emptyGradientTable();
        QVERIFY(loadGradientFile(file, &back, &error));
        QCOMPARE(back, testGradientTable());
        QVERIFY(!saveGradientFile(emptyGradientTable(), file, &error)); // the marker is never saved
        QCOMPARE(readFile(file), gradientFileContent(testGradientTable()));
    }

    void badSections_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("ok");
        const auto withLine = [](int line, const QByteArray &text) {
            QList<QByteArray> lines = kDefaultsFile.split('\n');
            lines[line] = text + "\r";
            return lines.join('\n');
        };
        QTest::newRow("255 is the largest") << withLine(2, "HERD01;040;040;255") << true;
        QTest::newRow("LF only") << QByteArray(kDefaultsFile).replace("\r\n", "\n") << true;
        QTest::newRow("256") << withLine(2, "HERD01;040;040;256") << false;
        QTest::newRow("negative") << withLine(12, "HERD01;-01;040;040") << false;
        QTest::newRow("not a number") << withLine(5, "HERD04;040;0x0;040") << false;
        QTest::newRow("17 characters") << withLine(3, "HERD02;040;040;40") << false;
        QTest::newRow("deck out of order") << withLine(4, "HERD04;040;040;040") << false;
        QTest::newRow("missing lines") << kDefaultsFile.left(kDefaultsFile.size() - 40) << false;
        QTest::newRow("empty") << QByteArray() << false;
    }
    void badSections()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, ok);
        TextLineReader reader(content);
        GradientTable table = testGradientTable();
        bool failed = false;
        ReadGradientSection(reader, failed, table);
        QCOMPARE(failed, !ok);
        if (ok)
            QCOMPARE(table.value(GradientTag, 1, GradientSH), QTest::currentDataTag() == QByteArray("LF only") ? 40 : 255);
        else
            QCOMPARE(table, testGradientTable()); // a failed read leaves the table alone
    }

    void gridShowsRatesWithADecimalComma()
    {
        QLocale::setDefault(QLocale(QLocale::English));
        SheetModel grid;
        setupGradientGrid(grid);
        ScriptedPrompter prompter;
        QVERIFY(ShowGradientTable(grid, testGradientTable(), GradientNacht, prompter));
        QCOMPARE(grid.colHeading(2), QStringLiteral("Oberhitze /°C/min"));
        QCOMPARE(grid.text(1, 1), QStringLiteral("Herd 1"));
        QCOMPARE(grid.text(1, 2), QStringLiteral("3,0"));
        QCOMPARE(grid.text(9, 4), QStringLiteral("15,0"));
        QCOMPARE(gradientRateText(40), QStringLiteral("2,5"));
        QVERIFY(!ShowGradientTable(grid, emptyGradientTable(), GradientTag, prompter));
        QCOMPARE(grid.cellCount(), 0);
        QCOMPARE(prompter.texts("inform"), QStringList{"Bitte erst Steigungstabelle auslesen!"});
        QCOMPARE(parseGradientRate("2,5"), std::optional<int>(40));
        QCOMPARE(parseGradientRate(" 15.9 "), std::optional<int>(254));
        for (const char *bad : {"16", "-1", "1,2,3", "", "a"})
            QVERIFY2(!parseGradientRate(bad), bad);
        QLocale::setDefault(QLocale::c());
    }

    void clockSetting_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("result");
        QTest::newRow("year turns") << "23:59:59" << "31.12.09" << "2010-01-01T00:00:00";
        QTest::newRow("blank hour digit") << " 9:05:00" << "05.03.26" << "2026-03-05T09:05:01";
        QTest::newRow("hour 24") << "24:00:00" << "01.01.10" << "";
        QTest::newRow("31 February") << "12:00:00" << "31.02.10" << "";
        QTest::newRow("half typed") << "12:__:00" << "01.01.10" << "";
    }
    void clockSetting()
    {
        QFETCH(QString, time);
        QFETCH(QString, date);
        QFETCH(QString, result);
        const auto t = clockSettingFrom(time, date);
        QCOMPARE(t ? t->toString(Qt::ISODate).left(19) : QString(), result);
    }

    void statusQueryDecodesOnlyAValidReply()
    {
        Rig rig;
        rig.oven7().status().topHeatActual = 231;
        auto status = QueryTorvel2Status(rig.torvel2(), false, rig.memo);
        QVERIFY(status);
        QCOMPARE(status->topHeatActual, std::optional<int>(231));
        rig.line->faults().aim(FaultKind::LostBytes, 7, 0x13);
        QVERIFY(!QueryTorvel2Status(rig.torvel2(), false, rig.memo));
        QCOMPARE(rig.memo.lines().size(), 3);
        QVERIFY(rig.memo.lines().at(1).endsWith(":ACK"));
        QVERIFY(rig.memo.lines().at(2).endsWith(":No Status"));
        rig.frames.clear();
        QCOMPARE(AddressOnce(rig.link.engine(), 30), QStringLiteral("ACK"));
        QCOMPARE(rig.frames, QList<QByteArray>{hex("059E")});
        QCOMPARE(AddressOnce(rig.link.engine(), 80), QString()); // no oven 8: nothing came
    }

    void cliReadAndSendOverAPty()
    {
        test::PtySim sim;
        QVERIFY(sim.start({}));
        QTemporaryDir dir;
        const QString file = dir.filePath("oven7.TST");
        test::CliRun r = test::runTorvelctl({"--port", sim.device, "--oven", "7", "gradient", "read", "-o", file});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, "Steigungstabelle von Ofen 7 gelesen: " + file + "\n");
        QCOMPARE(readFile(file), gradientFileContent(simFactoryTable()));
        QVERIFY(writeFile(file, kDefaultsFile));
        r = test::runTorvelctl({"--port", sim.device, "--oven", "7", "gradient", "send", file});
        QCOMPARE(r.code, 0);
        r = test::runTorvelctl({"--port", sim.device, "--oven", "7", "gradient", "read", "-o", file});
        QCOMPARE(readFile(file), kDefaultsFile); // the oven holds what was sent
        // A first-generation oven: read fails and writes no file, send fails.
        const QString none = dir.filePath("oven1.TST");
        r = test::runTorvelctl({"--port", sim.device, "--oven", "1", "gradient", "read", "-o", none});
        QCOMPARE(r.code, 1);
        QVERIFY(!QFile::exists(none));
        r = test::runTorvelctl({"--port", sim.device, "--oven", "1", "gradient", "send", file});
        QCOMPARE(r.code, 1);
    }

    void cliRefusesABadFileBeforeTheLine()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("bad.TST");
        QVERIFY(writeFile(file, QByteArray(kDefaultsFile).replace("HERD05;048;048;048", "HERD05;048;048;300")));
        const QString monitor = dir.filePath("monitor.tsv");
        const test::CliRun r =
            test::runTorvelctl({"--port", "SIM", "--oven", "7", "--monitor", monitor, "gradient", "send", file});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.startsWith("Fehler beim Laden der Steigungstabelle!\n"));
        QCOMPARE(readFile(monitor).count('\n'), 1); // the heading only: nothing went on the line
    }
};

QTEST_GUILESS_MAIN(TestGradient)
#include "tst_gradient.moc"
