// The operating data and the error list: frames, the decoding table, dates and the reference
// year rules, reads and clears against the simulated line with its faults, the .TB2 and CSV
// files, and torvelctl oplog/errors over a pty.

#include "oplog/logblock.h"
#include "oplog/logdates.h"
#include "oplog/logentry.h"
#include "oplog/logfile.h"
#include "oplog/loggrid.h"
#include "oplog/logreadview.h"
#include "oplog/logtransfer.h"
#include "torvel2/torvel2address.h"

#include "link/memolog.h"
#include "shell/sheetmodel.h"
#include "simcrc.h"
#include "testsupport/files.h"
#include "testsupport/linerig.h"
#include "testsupport/processes.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace torvel;
using namespace torvel::sim;
using torvel::test::hex;
using torvel::test::readFile;

namespace {

const QDateTime kControllerTime(QDate(2026, 3, 26), QTime(10, 15)); // a Thursday

// Oldest first: a start before the first day entry, the day entry of 26.03.2026, EIN, a start
// of program 4 on deck 2.
const QByteArray kLog = hex("78 05 00 31  80 16 0F 09  8F 17 55 10  EF 17 04 32");

struct Progress : LogReadView {
    QList<int> values;
    void setProgress(int value, int) override { values << value; }
};

// Oven 7 (second generation) holds kLog in both logs, its clock stands still.
struct Rig : test::LineRig {
    MemoLog memo;
    Progress progress;

    Rig()
    {
        oven7().clock().setHostClock([] { return kControllerTime; });
        oven7().logs().setEntries(SimLogKind::OperatingData, kLog);
        oven7().logs().setEntries(SimLogKind::ErrorList, kLog);
    }
    SimController &oven7() { return line->controller(7); }
    LogReadResult read(LogKind kind, OperatingList &list, LogReadOptions options = {})
    {
        options.memo = &memo;
        options.view = &progress;
        return ReadOperatingList({link.engine(), prompter, 7}, kind, true, options, list);
    }
    // 0x05 in A comes doubled, so only the start of the frame is compared.
    int blockFrames(LogKind kind) const { return framesStarting(QByteArray("F") + char(logReadFunction(kind))); }
};

QStringList rows(const OperatingList &list, bool newestFirst = true)
{
    SheetModel grid;
    setupLogGrid(grid, LogKind::OperatingData);
    ShowOperatingList(grid, list, newestFirst);
    QStringList out;
    for (int row = 1; row < logGridRowCount(grid); ++row)
        out << logGridRow(grid, row).join(QLatin1Char('|'));
    return out;
}

OperatingEntry dated(const QString &date, int weekday = 0)
{
    OperatingEntry e;
    e.Date = date;
    e.DayOfWeek = weekday;
    return e;
}

} // namespace

class TestOplog : public QObject
{
    Q_OBJECT

private slots:
    void frames()
    {
        QCOMPARE(logBlockFrame(LogKind::OperatingData, 64), hex("46 20 00 40 60"));
        QCOMPARE(logBlockFrame(LogKind::ErrorList, 1472), hex("46 26 05 C0 EB"));
        QCOMPARE(logClearFrame(LogKind::OperatingData), hex("46 21 4C 4C B9"));
        QCOMPARE(logClearFrame(LogKind::ErrorList), hex("46 27 4C 4C BF"));
    }

    void decoding_data()
    {
        QTest::addColumn<bool>("errors");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("cells"); // time, event, deck column, program
        QTest::newRow("start") << false << hex("78 05 00 31") << "23:20 (SO)|BPrg START|Herd 1|00";
        QTest::newRow("day entry") << false << hex("00 00 57 00") << "00:00 (SO)|Eintrag Datum||";
        QTest::newRow("AUS") << false << hex("00 00 00 10") << "00:00 (SO)|AUS|Torvel|";
        QTest::newRow("night start") << false << hex("1E 00 05 10") << "00:30 (SO)|Nachtstart durchgeführt.|Torvel|";
        QTest::newRow("fast EIN") << false << hex("00 00 15 13")
                                  << "00:00 (SO)|Nachtstart durchgeführt(fast EIN).|Herd 3|";
        QTest::newRow("EIN") << false << hex("8F 17 55 10") << "04:31 (DO)|EIN|Torvel|";
        QTest::newRow("armed") << false << hex("9F 26 D0 10") << "20:47 (SA)|Nachtstart aktiviert.|Torvel|";
        QTest::newRow("unknown mode") << false << hex("00 00 63 10") << "00:00 (SO)|unbek. Modus|Torvel|";
        QTest::newRow("stop") << false << hex("A0 05 0C 29") << "00:00 (MO)|BPrg STOPP|Herd 9|12";
        QTest::newRow("program") << false << hex("A0 05 0C 4F") << "00:00 (MO)|Programm|Herd 15|12";
        QTest::newRow("type 9") << false << hex("A0 05 0C 90") << "00:00 (MO)|unbek. Ereignis Typ 9|Torvel|12";
        QTest::newRow("weekday 7") << false << hex("80 27 00 31") << "00:32 (XX)|BPrg START|Herd 1|00";
        QTest::newRow("error P0") << true << hex("00 00 00 12") << "00:00 (SO)|Fehler Nr. :1|Herd 2|";
        QTest::newRow("error P1") << true << hex("00 00 01 12") << "00:00 (SO)|Fehler Nr. :2|Herd 2|";
        QTest::newRow("error P7") << true << hex("00 00 07 12") << "00:00 (SO)|Fehler Nr. :7|Herd 2|";
        QTest::newRow("error III") << true << hex("00 00 07 30") << "00:00 (SO)|Ereignis/Fehler III|Torvel|07";
    }
    void decoding()
    {
        QFETCH(bool, errors);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, cells);
        const OperatingEntry e =
            decodeLogEntry(LogEntryBytes::from(bytes), errors ? LogKind::ErrorList : LogKind::OperatingData);
        QCOMPARE(logRowCells(e).mid(2, 4).join(QLatin1Char('|')), cells);
    }

    void debugLine()
    {
        const QByteArray four = hex("78 05 00 31");
        const LogEntryBytes b = LogEntryBytes::from(four);
        QCOMPARE(logDebugLine(1, four, b, logTimeText(b.minuteOfWeek)),
                 QStringLiteral("B0001:120.005.000.049--23:20 (SO)-000-01-03"));
        const QByteArray day = hex("80 16 0F 09"); // N 2319: N mod 372 = 87 in the deck's place
        QCOMPARE(logDebugLine(65, day, LogEntryBytes::from(day), QStringLiteral("00:00 (DO)")),
                 QStringLiteral("B0065:128.022.015.009--00:00 (DO)-015-87-00"));
    }

    void dayEntryDates_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("refYear");
        QTest::addColumn<QDate>("reference");
        QTest::addColumn<QString>("date");
        QTest::newRow("old day") << 87 << 2026 << QDate(2026, 6, 1) << "26.03.2020";
        QTest::newRow("this year") << 2319 << 2026 << QDate(2026, 3, 26) << "26.03.2026";
        QTest::newRow("after the reference") << 2320 << 2026 << QDate(2026, 3, 26) << "27.03.2016";
        QTest::newRow("decade from RefYear") << 3 * 372 << 2031 << QDate(2031, 6, 1) << "01.01.2023";
        QTest::newRow("31 February kept") << 6 * 372 + 31 + 30 << 2026 << QDate(2026, 1, 1) << "31.02.2026";
        QTest::newRow("moved onto 29.02.") << 8 * 372 + 31 + 28 << 2028 << QDate(2028, 1, 1) << "29.02.2018";
    }
    void dayEntryDates()
    {
        QFETCH(int, n);
        QFETCH(int, refYear);
        QFETCH(QDate, reference);
        QFETCH(QString, date);
        QCOMPARE(dayEntryDate(n, refYear, reference), date);
    }

    void referenceYearRules()
    {
        QCOMPARE(manualReferenceDate(2025, QDate(2024, 2, 29)), QDate(2025, 2, 28));
        QCOMPARE(manualReferenceDate(2028, QDate(2024, 2, 29)), QDate(2028, 2, 29));
        QVERIFY(!logDate(QStringLiteral("29.02.2018")).isValid());

        // CheckYear, newest last: a year above the one after it goes ten years back, unless
        // the move lands on a day the calendar lacks; impossible dates are skipped.
        QList<OperatingEntry> list{dated("05.01.2026"), dated("29.02.2028"), dated("31.02.2030"), dated("06.01.2036"),
                                   dated("07.01.2026")};
        checkYearOrder(list);
        QStringList dates;
        for (const auto &e : list)
            dates << e.Date;
        QCOMPARE(dates, (QStringList{"05.01.2026", "29.02.2018", "31.02.2030", "06.01.2026", "07.01.2026"}));

        // Undated entries before the first date: the last day before it on their weekday, at
        // most a week back; weekday 7 stays undated.
        list = {dated("", 4), dated("", 0), dated("", 7), dated("26.03.2026")};
        QVERIFY(completeEarlyDates(list));
        QCOMPARE(list.at(0).Date, QStringLiteral("19.03.2026"));
        QCOMPARE(list.at(1).Date, QStringLiteral("22.03.2026"));
        QCOMPARE(list.at(2).Date, QString());
        list = {dated("", 4), dated("31.02.2026")};
        QVERIFY(!completeEarlyDates(list));
        QCOMPARE(list.at(0).Date, QString());
    }

    void readDecodesDatesAndNames()
    {
        Rig rig;
        OperatingList list;
        const LogReadResult r = rig.read(LogKind::OperatingData, list);
        QVERIFY(r.ok);
        QCOMPARE(r.refYear, 2026);
        QCOMPARE(r.refYearRed, std::optional<bool>(false));
        QCOMPARE(rows(list),
                 (QStringList{"4|26.03.2026|06:07 (DO)|BPrg START|Herd 2|04|Baguette      ",
                              "3|26.03.2026|04:31 (DO)|EIN|Torvel||", "2|26.03.2026|00:00 (DO)|Eintrag Datum|||",
                              "1|22.03.2026|23:20 (SO)|BPrg START|Herd 1|00|"}));
        QVERIFY(list.header.startsWith("Betriebsdaten Torvel70; "));
        // Clock, addressing, one block (the end mark is in it), the 99 names.
        QCOMPARE(rig.frames.mid(0, 4),
                 (QList<QByteArray>{hex("05C6"), hex("46 19 55 55 C3"), hex("05C6"), hex("46 20 00 00 20")}));
        QCOMPARE(rig.frames.size(), 4 + 99);
        QCOMPARE(rig.frames.last(), hex("46 15 63 63 DB"));
        QCOMPARE(rig.progress.values.mid(0, 3), (QList<int>{0, 0, 2048 - 990}));
        QCOMPARE(rig.progress.values.last(), 2048);
        QCOMPARE(rig.memo.lines().size(), 5);
        QCOMPARE(rig.memo.lines().at(1), QStringLiteral("B0001:120.005.000.049--23:20 (SO)-000-01-03"));
        QCOMPARE(rig.prompter.texts("inform"), QStringList{"Betriebsdaten gelesen!"});
    }

    void readCompleteReadsPastTheEnd_data()
    {
        QTest::addColumn<LogKind>("kind");
        QTest::addColumn<int>("blocks");
        QTest::newRow("operating data") << LogKind::OperatingData << 32;
        QTest::newRow("error list") << LogKind::ErrorList << 24;
    }
    void readCompleteReadsPastTheEnd()
    {
        QFETCH(LogKind, kind);
        QFETCH(int, blocks);
        Rig rig;
        OperatingList list;
        LogReadOptions options;
        options.readComplete = true;
        options.reference.source = LogReference::Source::Manual;
        options.reference.RefYear = 2026;
        QVERIFY(rig.read(kind, list, options).ok);
        QCOMPARE(rig.blockFrames(kind), blocks);
        QCOMPARE(list.entries.size(), blocks * 64);
        QCOMPARE(list.entries.last().Time, QStringLiteral("12:15 (XX)"));
        QCOMPARE(rig.frames.count(hex("46 19 55 55 C3")), 0); // a manual reference reads no clock
    }

    // Faults aimed at the block answers of oven 7.
    void readFailures_data()
    {
        QTest::addColumn<int>("faults");
        QTest::addColumn<bool>("badCrc");
        QTest::addColumn<bool>("ignoreError");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("informs");
        QTest::addColumn<int>("notices");
        QTest::addColumn<int>("blockFrames");
        const QString read = "Fehlerliste gelesen!";
        const QString crc = "Fehlerliste-CRC-Fehler!";
        const QString length = "Fehlerliste nicht lesbar (falsche Länge)!";
        QTest::newRow("3 bad checksums retried") << 3 << false << false << true << QStringList{read} << 0 << 4;
        QTest::newRow("4 bad checksums") << 4 << false << false << false << QStringList{length} << 0 << 4;
        QTest::newRow("bad CRC") << 0 << true << false << false << QStringList{crc, length} << 0 << 1;
        QTest::newRow("bad CRC ignored") << 0 << true << true << true << QStringList{read} << 1 << 1;
        QTest::newRow("short ignored twice") << 8 << false << true << true << QStringList{read} << 2 << 9;
        QTest::newRow("short ignored, not for ever") << 99 << false << true << false << QStringList{length} << 2 << 12;
    }
    void readFailures()
    {
        QFETCH(int, faults);
        QFETCH(bool, badCrc);
        QFETCH(bool, ignoreError);
        QFETCH(bool, ok);
        QFETCH(QStringList, informs);
        QFETCH(int, notices);
        QFETCH(int, blockFrames);
        Rig rig;
        if (faults)
            rig.line->faults().aim(FaultKind::CorruptChecksum, 7, kErrorReadFunction, faults);
        if (badCrc)
            rig.oven7().registerFunction(kErrorReadFunction, [](quint8, quint8) {
                QByteArray data = appendBlockCrc(QByteArray(kLog).leftJustified(256, char(0xFF)));
                data[257] = char(data.at(257) ^ 0x40);
                return SimReply::withData(data);
            });
        OperatingList list;
        LogReadOptions options;
        options.ignoreError = ignoreError;
        QCOMPARE(rig.read(LogKind::ErrorList, list, options).ok, ok);
        QCOMPARE(rig.prompter.texts("inform"), informs);
        QCOMPARE(rig.prompter.texts("timed").size(), notices);
        QCOMPARE(rig.blockFrames(LogKind::ErrorList), blockFrames);
        QCOMPARE(list.entries.size(), ok ? 4 : 0);
    }

    void longReplyAndUnreadableClock()
    {
        Rig rig;
        rig.oven7().registerFunction(kOperatingReadFunction, [](quint8, quint8) {
            return SimReply::withData(appendBlockCrc(QByteArray(256, 0x11) + hex("00 00 12 34")));
        });
        rig.oven7().clock().setAckOnly(true); // no time to tell
        rig.prompter.answers.enqueue(PromptButton::Ok);
        OperatingList list;
        LogReadOptions options;
        options.pcTime = QDateTime(QDate(2027, 5, 4), QTime(8, 0));
        const LogReadResult r = rig.read(LogKind::OperatingData, list, options);
        QVERIFY(r.ok);
        QCOMPARE(r.refYear, 2027);
        QCOMPARE(r.refYearRed, std::optional<bool>(true));
        QCOMPARE(list.entries.size(), 2048);
        QCOMPARE(rig.prompter.texts("inform").count("Betriebsdaten-Fehler01!"), 31); // not after the last block
        QVERIFY(rig.prompter.texts("ask").first().startsWith("Uhrzeit konnte nicht gelesen werden!"));

        // Cancel: nothing more goes on the line.
        rig.frames.clear();
        rig.prompter.answers.enqueue(PromptButton::Cancel);
        QVERIFY(!rig.read(LogKind::OperatingData, list, options).ok);
        QCOMPARE(rig.blockFrames(LogKind::OperatingData), 0);
        QVERIFY(list.entries.isEmpty());
    }

    void clear_data()
    {
        QTest::addColumn<PromptButton>("answer");
        QTest::addColumn<bool>("present");
        QTest::addColumn<bool>("nak");
        QTest::addColumn<LogClearResult>("result");
        QTest::addColumn<QString>("message");
        QTest::newRow("yes") << PromptButton::Yes << true << false << LogClearResult::Cleared
                             << "Fehlerliste wurde gelöscht!";
        QTest::newRow("no") << PromptButton::No << true << false << LogClearResult::NotConfirmed << "";
        QTest::newRow("cancel") << PromptButton::Cancel << true << false << LogClearResult::NotConfirmed << "";
        QTest::newRow("refused") << PromptButton::Yes << true << true << LogClearResult::Failed
                                 << "Fehler beim Löschen der Fehlerliste!!";
        QTest::newRow("absent") << PromptButton::Yes << false << false << LogClearResult::NotAddressable
                                << "Steuerung nicht adressierbar!!";
    }
    void clear()
    {
        QFETCH(PromptButton, answer);
        QFETCH(bool, present);
        QFETCH(bool, nak);
        QFETCH(LogClearResult, result);
        QFETCH(QString, message);
        Rig rig;
        if (!present)
            rig.line->setPresentOvens({1});
        if (nak)
            rig.line->faults().aim(FaultKind::Nak, 7, kErrorClearFunction);
        rig.prompter.answers.enqueue(answer);
        QCOMPARE(ClearOperatingLog({rig.link.engine(), rig.prompter, 7}, LogKind::ErrorList, true, &rig.memo), result);
        QVERIFY(rig.prompter.texts("ask").first().startsWith("ACHTUNG: hiermit wird die Fehlerliste gelöscht!"));
        QCOMPARE(rig.prompter.texts("inform"), message.isEmpty() ? QStringList{} : QStringList{message});
        if (answer != PromptButton::Yes)
            QVERIFY(rig.frames.isEmpty());
        // A lost answer leaves the oven cleared all the same: the PC only knows it was not told.
        QCOMPARE(rig.oven7().logs().clearCount(SimLogKind::ErrorList), answer == PromptButton::Yes && present ? 1 : 0);
        QCOMPARE(rig.memo.lines().size(), present ? 0 : 1);
        if (!present)
            QVERIFY(rig.memo.lines().first().endsWith(":No ErrorData"));
    }

    void fileBytesAndRoundTrip()
    {
        SheetModel grid;
        setupLogGrid(grid, LogKind::ErrorList);
        QCOMPARE(logFileContent(grid, logFileFirstLine("Betriebsdaten Torvel70; x", LogKind::ErrorList), ','),
                 QByteArray("FehlerListe\r\nNr,Datum,Zeit,Ereignis,Herd,,,\r\n,,,,,,,\r\n"));

        Rig rig;
        OperatingList list;
        QVERIFY(rig.read(LogKind::OperatingData, list).ok);
        setupLogGrid(grid, LogKind::OperatingData);
        ShowOperatingList(grid, list, true);
        QTemporaryDir dir;
        const QString file = dir.filePath("b.TB2");
        QString error;
        QVERIFY(saveOperatingFile(file, grid, list.header, LogKind::OperatingData, LogFileType::Tb2, &error));
        const QByteArray bytes = readFile(file);
        QVERIFY(bytes.startsWith(list.header.toLatin1()
                                 + "\r\nNr;Datum;Zeit;Ereignis;Herd;PNr;Prg-Namen.;\r\n"
                                   "4;26.03.2026;06:07 (DO);BPrg START;Herd 2;04;Baguette      ;\r\n"));
        QVERIFY(bytes.endsWith("1;22.03.2026;23:20 (SO);BPrg START;Herd 1;00;;\r\n"));
        OperatingList back;
        QVERIFY(openOperatingFile(file, LogKind::OperatingData, &back, &error));
        QCOMPARE(back.header, list.header);
        QCOMPARE(rows(back, false), rows(list, true)); // the rows in the order they were saved
        // As an error list it is no file of that kind: the header line is skipped, the titles
        // become a row.
        QVERIFY(openOperatingFile(file, LogKind::ErrorList, &back, &error));
        QCOMPARE(back.header, QStringLiteral("FehlerListe"));
        QCOMPARE(back.entries.size(), 5);
    }

    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        QTest::newRow("empty") << QByteArray() << "Die Datei ist leer.";
        QTest::newRow("binary") << QByteArray("Betriebsdaten\r\n\0\1\2", 18) << "Die Datei ist keine Textdatei.";
        QTest::newRow("too many rows") << QByteArray("x\r\n").repeated(65538) << "Die Datei hat mehr als 65536 Zeilen.";
    }
    void badFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        OperatingList list{QStringLiteral("kept"), {}};
        QString error;
        QVERIFY(!parseOperatingFile(content, LogKind::OperatingData, &list, &error));
        QCOMPARE(error, reason);
        QCOMPARE(list.header, QStringLiteral("kept"));
    }

    void cliReadAndClearOverAPty()
    {
        test::PtySim sim;
        QVERIFY(sim.start({}));
        QTemporaryDir dir;
        const QString csv = dir.filePath("b.CSV");
        const QStringList oven7{"--port", sim.device, "--oven", "7"};
        test::CliRun r = test::runTorvelctl(oven7 + QStringList{"oplog", "read", "-o", csv});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.startsWith("Betriebsdaten von Ofen 7 gelesen: "));
        const QList<QByteArray> lines = readFile(csv).split('\n');
        QVERIFY(lines.at(0).startsWith("Betriebsdaten Torvel70; "));
        QCOMPARE(lines.at(1), QByteArray("Nr;Datum;Zeit;Ereignis;Herd;PNr;Prg-Namen.;\r"));
        QVERIFY(lines.size() > 100);
        r = test::runTorvelctl(oven7 + QStringList{"errors", "clear"});
        QCOMPARE(r.code, 2); // without --yes nothing is cleared
        r = test::runTorvelctl(oven7 + QStringList{"--yes", "errors", "clear"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("Fehlerliste von Ofen 7 gelöscht.\n"));
        const QString tb2 = dir.filePath("e.TB2");
        r = test::runTorvelctl(oven7 + QStringList{"errors", "read", "-o", tb2});
        QCOMPARE(r.code, 0);
        QCOMPARE(readFile(tb2).split('\n').size(), 4); // header, titles, one empty row
        const QString none = dir.filePath("o1.TB2");
        r = test::runTorvelctl({"--port", sim.device, "--oven", "1", "--yes", "oplog", "read", "-o", none});
        QCOMPARE(r.code, 1);
        QVERIFY(!QFile::exists(none));

        // A clock that never answers: only --yes goes on with the PC's time.
        test::PtySim noClock;
        QVERIFY(noClock.start({"--fault", "silence@7:19x*"}));
        r = test::runTorvelctl({"--port", noClock.device, "--oven", "7", "errors", "read", "-o", none});
        QCOMPARE(r.code, 1);
        QVERIFY(r.err.startsWith("ERROR: Uhrzeit konnte nicht gelesen werden!"));
        QVERIFY(!QFile::exists(none));
        r = test::runTorvelctl({"--port", noClock.device, "--oven", "7", "--yes", "errors", "read", "-o", none});
        QCOMPARE(r.code, 0);
        QVERIFY(QFile::exists(none));
    }
};

QTEST_GUILESS_MAIN(TestOplog)
#include "tst_oplog.moc"
