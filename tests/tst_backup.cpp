// torvelctl backup end to end: one line over a pty, and a fleet of bakeries through the
// simulated modem with one that cannot be reached, then resumed.

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "backup/fleetbackup.h"
#include "modem/phonebook.h"
#include "testsupport/files.h"
#include "testsupport/processes.h"
#include "testsupport/scriptedprompter.h"
#include "torvel2/recordfile.h"
#include "torvel2/torvelrecord.h"

using torvel::test::readFile;

class TestBackup : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    torvel::test::CliRun backup(const QString &device, const QStringList &args)
    {
        return torvel::test::runTorvelctl(QStringList{"--port", device, "--guard-time", "20", "backup", "--date",
                                                      "2026-12-07", "--log", path("log")}
                                              + args,
                                          path("settings.ini"));
    }

private slots:
    // Names a file system cannot hold, and names that would share a folder.
    void bakeryFoldersAreDistinct()
    {
        const torvel::PhoneBook book{{"A/B", "1"}, {"a:b", "2"}, {"..", "3"}, {"A_B_2", "4"}, {" Nord ", "5"}};
        QCOMPARE(torvel::bakeryFolderNames(book), (QStringList{"A_B", "a_b_2", "_", "A_B_2_2", "Nord"}));
    }

    void backsUpEveryPresentOvenOfTheLine()
    {
        torvel::test::PtySim sim;
        QVERIFY(sim.start({"--ovens", "3,7"}));
        auto r = backup(sim.device, {"-o", path("line")});
        QCOMPARE(r.out, QStringLiteral("Ofen 3 (2.91 r3, 1. Generation): gesichert Backprogramme, Nachtstartzeiten\n"
                                       "Ofen 7 (4.10 r30, 2. Generation): gesichert Backprogramme, "
                                       "Nachtstartzeiten, Torvel-Datensatz, Bereittabelle\n"));
        QCOMPARE(r.code, 0);
        QCOMPARE(QDir(path("line")).entryList(QDir::Files),
                 (QStringList{"Ofen3_2026-12-07.TBR", "Ofen3_2026-12-07.TBZ", "Ofen7_2026-12-07.TBR",
                              "Ofen7_2026-12-07.TBT", "Ofen7_2026-12-07.TBZ", "Ofen7_2026-12-07.vtr"}));
        QVERIFY(readFile(path("line/Ofen3_2026-12-07.TBR")).startsWith("Backprogramme f\xfcr den Fenmork VKS Torvel\r\n"));
        QVERIFY(readFile(path("line/Ofen7_2026-12-07.TBZ")).startsWith("Nacht-Backbereitschaften f\xfcr den Fenmork VKS Torvel\r\n"));
        QVERIFY(readFile(path("line/Ofen7_2026-12-07.TBT")).startsWith("###################;\r\nWOCHENTAG;0;"));
        // The record opens again as the record page opens it.
        torvel::TorvelRecord record;
        torvel::test::ScriptedPrompter prompter;
        QCOMPARE(torvel::openRecordFile(path("line/Ofen7_2026-12-07.vtr"), record, prompter, {path("log")}),
                 torvel::RecordOpen::Opened);

        // An oven asked for that does not answer is a failure; the others are still saved.
        r = backup(sim.device, {"--ovens", "2-3", "-o", path("line2")});
        QCOMPARE(r.out, QStringLiteral("Ofen 3 (2.91 r3, 1. Generation): gesichert Backprogramme, Nachtstartzeiten\n"
                                       "Ofen 2: nicht gefunden\n"));
        QCOMPARE(r.code, 1);
    }

    void backsUpAFleetAndResumes()
    {
        torvel::test::PtySim sim;
        QVERIFY(sim.start({"--modem", "--modem-fast", "--bakery", "201=1,7", "--bakery", "202=1-7", "--bakery",
                           "203=1,7", "--no-answer", "204"}));
        const QString book = path("Telefonbuch.ini");
        // The bakery that does not answer comes second: the run goes on after it.
        QCOMPARE(torvel::savePhoneBook(book, {{"Nord", "201"}, {"West", "204"}, {"Süd", "202"}, {"Ost/Mitte", "203"}}),
                 torvel::PhoneBookSaveError::None);
        const QStringList args{"--ovens", "1,7", "--phonebook", book, "-o", path("fleet")};
        auto r = backup(sim.device, args);
        const QString summary = path("fleet/Sicherung_2026-12-07.CSV");
        QCOMPARE(r.out, "Nord: 2 Öfen gesichert\nWest: Kein Trägersignal\nSüd: 2 Öfen gesichert\n"
                        "Ost/Mitte: 2 Öfen gesichert\nZusammenfassung: " + summary + "\n");
        QCOMPARE(r.code, 1);
        QByteArray rows = "B\xe4" "ckerei;Ofen;Generation;Gesichert;Fehlgeschlagen\r\n";
        for (const QByteArray bakery : {"Nord", "West", "S\xfc" "d", "Ost/Mitte"})
            rows += bakery == "West" ? QByteArray("West;;;;Kein Tr\xe4gersignal\r\n")
                                     : bakery + ";1;1;Backprogramme, Nachtstartzeiten;\r\n" + bakery
                                           + ";7;2;Backprogramme, Nachtstartzeiten, Torvel-Datensatz, Bereittabelle;\r\n";
        QCOMPARE(readFile(summary), rows);
        // Each bakery's own data in its own dated folder.
        QVERIFY(readFile(path("fleet/Süd/2026-12-07/Ofen7_2026-12-07.TBR")).contains("Tel 202"));
        QVERIFY(QFile::exists(path("fleet/Ost_Mitte/2026-12-07/Ofen1_2026-12-07.TBZ")));
        QVERIFY(!QFile::exists(path("fleet/West")));

        // Resumed the same day: only the bakery that failed is dialled again.
        r = backup(sim.device, QStringList{"--resume"} + args);
        QCOMPARE(r.out, "Nord: heute bereits gesichert, übersprungen\nWest: Kein Trägersignal\n"
                        "Süd: heute bereits gesichert, übersprungen\nOst/Mitte: heute bereits gesichert, übersprungen\n"
                        "Zusammenfassung: " + summary + "\n");
        QVERIFY(!r.err.contains("Verbunden"));
        QCOMPARE(r.code, 1);
        QVERIFY(readFile(summary).contains("\r\nNord;;;bereits gesichert;\r\n"));
    }

    // A bakery that fails in any way is noted and the next one is still saved.
    void goesOnAfterABakeryThatFails_data()
    {
        QTest::addColumn<QStringList>("simArgs");
        QTest::addColumn<QByteArray>("rows");
        QTest::newRow("busy") << QStringList{"--busy", "301"} << QByteArray("A;;;;Besetzt\r\n");
        QTest::newRow("no carrier") << QStringList{"--no-carrier", "301"}
                                    << QByteArray("A;;;;Kein Tr\xe4gersignal\r\n");
        // Nothing of the oven whose read broke off is kept: no list with blank programs.
        QTest::newRow("connection lost") << QStringList{"--carrier-lost-after", "300"}
                                         << QByteArray("A;1;1;;Backprogramme: Programm 1-99 nicht gelesen\r\n"
                                                       "A;;;;Die Modem-Verbindung wurde unterbrochen!!\r\n");
    }
    void goesOnAfterABakeryThatFails()
    {
        QFETCH(QStringList, simArgs);
        QFETCH(QByteArray, rows);
        torvel::test::PtySim sim;
        QVERIFY(sim.start(QStringList{"--modem", "--modem-fast", "--bakery", "302=1"} + simArgs));
        const QString book = path("failing.ini");
        QCOMPARE(torvel::savePhoneBook(book, {{"A", "301"}, {"B", "302"}}), torvel::PhoneBookSaveError::None);
        const QString folder = path(QTest::currentDataTag());
        const auto r = backup(sim.device, {"--ovens", "1", "--phonebook", book, "-o", folder});
        QCOMPARE(r.code, 1);
        QVERIFY(readFile(folder + "/Sicherung_2026-12-07.CSV").endsWith(rows + "B;1;1;Backprogramme, Nachtstartzeiten;\r\n"));
        QVERIFY(!QFile::exists(folder + "/A/2026-12-07/Ofen1_2026-12-07.TBR"));
    }
};

QTEST_GUILESS_MAIN(TestBackup)
#include "tst_backup.moc"
