// Start-up words, file routing, stored settings, the transfer guard and the version text.

#include "shell/appstate.h"
#include "shell/filerouting.h"
#include "shell/startupoptions.h"
#include "shell/torvelsettings.h"
#include "shell/transferguard.h"
#include "shell/versiontext.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace torvel;

Q_DECLARE_METATYPE(torvel::FileKind)

class TestShellCore : public QObject
{
    Q_OBJECT
private slots:
    void startupWords_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("service");
        QTest::addColumn<bool>("modem");
        QTest::addColumn<bool>("damper");
        QTest::addColumn<bool>("addToGiven");
        QTest::addColumn<int>("addTo");
        QTest::newRow("none") << QStringList{} << false << false << false << false << 0;
        QTest::newRow("service lower case") << QStringList{"halvo"} << true << false << false << false << 0;
        QTest::newRow("modem and damper") << QStringList{"Modem", "ZIRBELAS"} << false << true << true << false << 0;
        QTest::newRow("ADDTO=500") << QStringList{"ADDTO=500"} << false << false << false << true << 500;
        QTest::newRow("ADDTO500") << QStringList{"ADDTO500"} << false << false << false << true << 500;
        QTest::newRow("addto=1:2") << QStringList{"addto=1:2"} << false << false << false << true << 12;
        QTest::newRow("last addto wins") << QStringList{"ADDTO=5", "ADDTO=7"} << false << false << false << true << 7;
    }
    void startupWords()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, service);
        QFETCH(bool, modem);
        QFETCH(bool, damper);
        QFETCH(bool, addToGiven);
        QFETCH(int, addTo);
        AppState state;
        applyStartupOptions(args, state);
        QCOMPARE(state.serviceMode, service);
        QCOMPARE(state.modemStartup, modem);
        QCOMPARE(state.damperSecondsMode, damper);
        QCOMPARE(state.minuteColumns, damper ? (QList<int>{4, 9, 14, 19, 24})
                                             : (QList<int>{4, 6, 9, 11, 14, 16, 19, 21, 24}));
        QCOMPARE(state.addTimeoutGiven, addToGiven);
        QCOMPARE(state.addTimeout, addTo);
    }

    void openKinds_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("name");
        QTest::addColumn<FileKind>("kind");
        QTest::newRow("entry 1 decides") << 1 << "x.txt" << FileKind::Bpr;
        QTest::newRow("own suffix before the entry") << 1 << "list.REC" << FileKind::Rec;
        QTest::newRow("entry 6") << 6 << "a" << FileKind::Tbz;
        QTest::newRow("all files by suffix") << 7 << "/tmp/Ofen3.rec" << FileKind::Rec;
        QTest::newRow("suffix must end the name") << 7 << "/tmp/a.REC.bak" << FileKind::None;
        QTest::newRow("folder name does not count") << 7 << "/data/x.TBR/file.txt" << FileKind::None;
        QTest::newRow("ngt") << 7 << "n.Ngt" << FileKind::Ngt;
    }
    void openKinds()
    {
        QFETCH(int, entry);
        QFETCH(QString, name);
        QFETCH(FileKind, kind);
        QCOMPARE(openKind(entry, name), kind);
    }

    void filtersAreExact()
    {
        QCOMPARE(openFilters().join('|'),
                 QStringLiteral("Backprogramme (*.BPR)|Backprogramm Record (*.REC)|Nachtstartzeiten (*.NGT)|"
                                "USB-Backprogramme (*.TBP)|USB-Backprogramm Record (*.TBR)|"
                                "USB-Nachtstartzeiten (*.TBZ)|Alle Dateien (*.*)"));
        QCOMPARE(saveFilters().join('|'),
                 QStringLiteral("Backprogramm Record (*.REC)|Nachtstartzeiten (*.NGT)|"
                                "USB-Backprogramm Record (*.TBR)|USB-Nachtstartzeiten (*.TBZ)"));
        QCOMPARE(proposedSaveName(3), QStringLiteral("TORVEL.TBR"));
        QCOMPARE(proposedSaveName(4), QStringLiteral("TORVEL.TBZ"));
        QCOMPARE(proposedSaveName(1), QString());
        QCOMPARE(saveKind(2), FileKind::Ngt);
        QCOMPARE(withSaveSuffix("a", 1), QStringLiteral("a.REC"));
        QCOMPARE(withSaveSuffix("a.rec", 1), QStringLiteral("a.rec"));
        QCOMPARE(withSaveSuffix("a.rec.txt", 1), QStringLiteral("a.rec.txt.REC"));
    }

    void severalFilesLoadSecondToLastThenFirst()
    {
        QCOMPARE(multiFileOrder({"1", "2", "3"}), (QStringList{"2", "3", "1"}));
        QCOMPARE(multiFileOrder({"1"}), QStringList{"1"});
        QCOMPARE(multiFileOrder({}), QStringList{});
    }

    void settingsDefaultsAndPortChoices()
    {
        QTemporaryDir dir;
        TorvelSettings s(dir.filePath("s.ini"));
        QCOMPARE(s.portText(), QStringLiteral("COM3"));
        QVERIFY(!s.hasPrintScale());
        QCOMPARE(s.printScale(), 80);
        s.setPortText("COM12");
        s.setPortText("SIM"); // kept beside the COM number
        QCOMPARE(s.portText(), QStringLiteral("SIM"));
        QCOMPARE(s.commPort(), 12);
        s.setPrintScale(0);
        s.setCommPort(250);
        QCOMPARE(s.commPort(), 3);
        s.setPortMapping("com5", "/dev/ttyUSB0");
        s.sync();
        TorvelSettings again(dir.filePath("s.ini"));
        QCOMPARE(again.printScale(), 0);
        QCOMPARE(again.portMapping().value("COM5"), QStringLiteral("/dev/ttyUSB0"));
    }

    void transferGuardsNestAndReportTheEnd()
    {
        AppState state;
        QSignalSpy ended(&state, &AppState::transferEnded);
        {
            TransferGuard outer(state);
            {
                TransferGuard inner(state);
                QVERIFY(state.transferActive());
            }
            QVERIFY(state.transferActive());
            QCOMPARE(ended.count(), 0);
        }
        QVERIFY(!state.transferActive());
        QCOMPARE(ended.count(), 1);
    }

    void selectedOvenStaysInRange()
    {
        AppState state;
        QCOMPARE(state.selectedOven(), 1);
        state.setSelectedOven(4);
        QCOMPARE(state.selectedOven(), 4);
        state.setSelectedOven(9);
        QCOMPARE(state.selectedOven(), 7);
    }

    // "major.minor.release [Build n]"; "0.0.0.0" when the build carries no usable version.
    void versionText_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("build");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two digits") << "2.13.7" << 42 << "2.13.7 [Build 42]";
        QTest::newRow("leading zero") << "01.2.03" << 5 << "1.2.3 [Build 5]";
        QTest::newRow("empty") << "" << 3 << "0.0.0.0";
        QTest::newRow("two parts") << "1.0" << 1 << "0.0.0.0";
        QTest::newRow("four parts") << "1.0.0.4" << 1 << "0.0.0.0";
        QTest::newRow("letters") << "1.a.0" << 1 << "0.0.0.0";
        QTest::newRow("sign") << "-1.0.0" << 1 << "0.0.0.0";
        QTest::newRow("blank") << "1.0.0 " << 1 << "0.0.0.0";
        QTest::newRow("too big") << "1.0.99999999999" << 1 << "0.0.0.0";
    }
    void versionText()
    {
        QFETCH(QString, version);
        QFETCH(int, build);
        QFETCH(QString, expected);
        QCOMPARE(versionTextFrom(version, build), expected);
    }
};

QTEST_GUILESS_MAIN(TestShellCore)
#include "tst_shellcore.moc"
