// torvelctl end to end: against torvelsim on a pty and against the built-in line.

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "testsupport/processes.h"

class TestCliLink : public QObject
{
    Q_OBJECT

    using Run = torvel::test::CliRun;
    using Sim = torvel::test::PtySim;

    static Run torvelctl(const QStringList &args) { return torvel::test::runTorvelctl(args); }

private slots:
    void versionOverAPty_data()
    {
        QTest::addColumn<QStringList>("simArgs");
        QTest::addColumn<int>("oven");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("out");
        QTest::newRow("oven 3") << QStringList() << 3 << 0 << "2.91 r3\n";
        QTest::newRow("absent oven") << QStringList{"--ovens", "1,2"} << 3 << 1 << "NA\n";
    }
    void versionOverAPty()
    {
        QFETCH(QStringList, simArgs);
        QFETCH(int, oven);
        QFETCH(int, code);
        QFETCH(QString, out);
        Sim sim;
        QVERIFY(sim.start(simArgs));
        const Run r = torvelctl({"--port", sim.device, "--oven", QString::number(oven), "version"});
        QCOMPARE(r.out, out);
        QCOMPARE(r.code, code);
    }

    void searchListsSevenOvens()
    {
        const Run r = torvelctl({"--port", "SIM", "search"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("Ofen 1: 2.85 r1\nOfen 2: 2.90 r2\nOfen 3: 2.91 r3\nOfen 4: 2.91 r3\n"
                                       "Ofen 5: 3.02 r0\nOfen 6: 1.60\nOfen 7: 4.10 r30\n"));
    }

    void statusPrintsTheDecodedFields()
    {
        Sim sim;
        QVERIFY(sim.start({}));
        const Run r = torvelctl({"--port", sim.device, "--oven", "3", "status"});
        QCOMPARE(r.code, 0);
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 10);
        QVERIFY(lines.at(0).startsWith("Einstatus: "));
        QVERIFY(lines.at(9).startsWith("PRGStart: "));
        QVERIFY(!r.out.contains(": -\n"));
    }

    void statusOfAnAbsentOvenFails()
    {
        Sim sim;
        QVERIFY(sim.start({"--ovens", "1"}));
        const Run r = torvelctl({"--port", sim.device, "--oven", "2", "status"});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, QStringLiteral("Steuerung nicht adressierbar!!\n"));
    }

    void statusOnlyFromAValidReply()
    {
        Sim sim;
        QVERIFY(sim.start({"--fault", "lost@3:13"})); // one byte of the status reply goes missing
        const Run r = torvelctl({"--port", sim.device, "--oven", "3", "status"});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.out, QString());
        QCOMPARE(r.err, QStringLiteral("No Status\n"));
    }

    void monitorFileHoldsTheThreeColumns()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("monitor.tsv");
        const Run r = torvelctl({"--port", "SIM", "--oven", "3", "--monitor", file, "version"});
        QCOMPARE(r.code, 0);
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(f.readAll()),
                 QStringLiteral("Kommandos\tGesendete Befehle\tEmpfangene Antwort\n"
                                "Steuerung adressieren\t<ENQ>[9E]\t<ACK>\n"
                                "Software Version abrufen\t[46][09][56][72][D1]\t<ACK>[01][23][72][03][4D][63][49]<ACK>\n"));
    }

    void monitorFileThatCannotBeWritten()
    {
        const Run r = torvelctl({"--port", "SIM", "--monitor", "/nonexistent-dir/x.tsv", "version"});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.startsWith("Datei kann nicht geschrieben werden: /nonexistent-dir/x.tsv"));
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("err");
        QTest::newRow("no command") << QStringList{"--port", "SIM"} << "Kein Befehl angegeben.";
        QTest::newRow("unknown command") << QStringList{"--port", "SIM", "fly"} << "Unbekannter Befehl: fly";
        QTest::newRow("oven 8") << QStringList{"--oven", "8", "version"} << "Ofen muss 1 bis 7 sein: 8";
        QTest::newRow("extra word") << QStringList{"--port", "SIM", "version", "x"}
                                    << "version: unerwartete Angabe \"x\"";
        QTest::newRow("bad port") << QStringList{"--port", "LPT1", "version"} << "Unbekannte Schnittstelle: LPT1";
    }
    void usageErrors()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, err);
        const Run r = torvelctl(args);
        QCOMPARE(r.code, 2);
        QCOMPARE(r.err.split('\n').first(), err);
    }

    void missingDeviceIsAControllerFailure()
    {
        const Run r = torvelctl({"--port", "/dev/does-not-exist", "version"});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains("/dev/does-not-exist lässt sich nicht öffnen: Gerät /dev/does-not-exist nicht gefunden"),
                 qPrintable(r.err));
    }

    void helpListsTheCommands()
    {
        const Run r = torvelctl({"--help"});
        QCOMPARE(r.code, 0);
        for (const char *word : {"--port", "--oven", "--monitor"})
            QVERIFY2(r.out.contains(word), word);
        // Every command on one line: its words and arguments, then what it does.
        const QStringList lines = r.out.split('\n');
        const auto lineOf = [&lines](const QString &usage) {
            for (const QString &line : lines)
                if (line.startsWith("  " + usage + "  "))
                    return line.simplified();
            return QString();
        };
        QCOMPARE(lineOf("version"), QStringLiteral("version Software-Version des Ofens (--oven) ausgeben"));
        QCOMPARE(lineOf("programs read [--from A] [--to B] -o FILE"),
                 QStringLiteral("programs read [--from A] [--to B] -o FILE Backprogramme lesen (.TBR oder .REC)"));
        QCOMPARE(lineOf("night send FILE"),
                 QStringLiteral("night send FILE Nachtstartzeiten aus FILE (.TBZ oder .NGT) zur Steuerung (--oven) senden"));
    }
};

QTEST_GUILESS_MAIN(TestCliLink)
#include "tst_cli_link.moc"
