// Bake programs: wire form, list conversions, the RangeList text, and receive and send
// against the simulated line with exact frames, retries, faults and aborts.

#include "bakeprog/bakeprogram.h"
#include "bakeprog/programsheet.h"
#include "bakeprog/programtransfer.h"
#include "bakeprog/rangelist.h"
#include "link/bytes.h"
#include "link/controllerlink.h"
#include "shell/appstate.h"
#include "shell/sheetmodel.h"
#include "simline.h"
#include "simprograms.h"
#include "simtransport.h"
#include "testsupport/files.h"
#include "testsupport/linerig.h"

#include <QSignalSpy>
#include <QTest>

using namespace torvel;
using namespace torvel::sim;
using torvel::test::hex;

class TestBakeProg : public QObject
{
    Q_OBJECT

    torvel::test::LineRig *rig = nullptr;
    SheetModel *sheet = nullptr;

    SimProgramStore &store(int oven) { return rig->line->controller(oven).programs(); }

    // As the list window does: the capacity query addresses the oven before every transfer.
    ProgramTransfer transfer(int oven = 3)
    {
        QueryProgramCapacity(rig->engine(), oven);
        rig->frames.clear();
        return ProgramTransfer(rig->state, rig->engine(), rig->prompter, *sheet);
    }

    // Frames after the capacity query, without the addressing frames.
    QList<QByteArray> framesOf(quint8 code) const
    {
        QList<QByteArray> out;
        for (const QByteArray &f : rig->frames)
            if (f.size() >= 2 && static_cast<quint8>(f.at(0)) == 0x46 && static_cast<quint8>(f.at(1)) == code)
                out << f;
        return out;
    }

private slots:
    void init()
    {
        rig = new torvel::test::LineRig;
        sheet = new SheetModel;
        setupProgramSheet(*sheet);
    }
    void cleanup()
    {
        delete sheet;
        delete rig;
    }

    void valuesAreBigEndianAndNamesUseTheDisplaySet()
    {
        ProgramValues v{};
        v[0] = 0x0102;
        v[22] = 0xFFFF;
        const QByteArray bytes = encodeProgramValues(v);
        QCOMPARE(bytes.size(), 46);
        QCOMPARE(bytes.left(2), hex("01 02"));
        QCOMPARE(bytes.right(2), hex("FF FF"));
        ProgramValues back{};
        QVERIFY(decodeProgramValues(bytes, &back));
        QCOMPARE(back, v);
        QVERIFY(!decodeProgramValues(bytes.left(45), &back));
        QCOMPARE(encodeProgramName(QString::fromUtf8("Brötchen")), QByteArray("Br\xEF" "tchen      "));
        QCOMPARE(encodeProgramName("ABCDEFGHIJKLMNO"), QByteArray("ABCDEFGHIJKLMN"));
        QCOMPARE(encodeProgramName("abc"), QByteArray("abc           "));
        QCOMPARE(decodeProgramName(QByteArray("Br\xEF" "tchen      ")), QString::fromUtf8("Brötchen      "));
    }

    void sendValues_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<bool>("damperSeconds");
        QTest::addColumn<int>("sent");
        QTest::newRow("bake time minutes") << 4 << "1" << false << 60;
        QTest::newRow("heat unchanged") << 2 << "230" << false << 230;
        QTest::newRow("damper minutes") << 6 << "1" << false << 60;
        QTest::newRow("damper seconds mode") << 6 << "90" << true << 90;
        QTest::newRow("not a number") << 4 << "abc" << false << 0;
        QTest::newRow("empty") << 2 << "" << false << 0;
        QTest::newRow("wraps to 16 bits") << 4 << "1093" << false << 44;
        QTest::newRow("negative wraps") << 2 << "-5" << false << 65531;
        QTest::newRow("fraction is no whole number") << 2 << "2.5" << false << 0;
        QTest::newRow("huge") << 2 << "99999999999" << false << 0;
    }
    void sendValues()
    {
        QFETCH(int, column);
        QFETCH(QString, cell);
        QFETCH(bool, damperSeconds);
        QFETCH(int, sent);
        const QList<int> cols = damperSeconds ? AppState::damperSecondsMinuteColumns() : AppState::defaultMinuteColumns();
        QCOMPARE(int(sendValue(column, cell, cols)), sent);
    }

    void rangeList_data()
    {
        QTest::addColumn<QList<int>>("numbers");
        QTest::addColumn<QString>("text");
        QTest::newRow("runs") << QList<int>{3, 4, 5, 9} << " 03 bis 05; 09 bis 09";
        QTest::newRow("single") << QList<int>{7} << " 07 bis 07";
        QTest::newRow("empty") << QList<int>{} << "";
        QTest::newRow("wraps after 40 characters")
            << QList<int>{1, 3, 5, 7, 9, 11, 13, 15}
            << " 01 bis 01; 03 bis 03; 05 bis 05; 07 bis 07; 09\r\n bis 09; 11 bis 11; 13 bis 13; 15 bis 15";
    }
    void rangeList()
    {
        QFETCH(QList<int>, numbers);
        QFETCH(QString, text);
        RangeList list;
        for (int n : numbers)
            list.add(n);
        QCOMPARE(list.text(), text);
    }

    void receiveFillsTheRangeAndEmptiesTheRest()
    {
        sheet->setText(1, 1, "alt");
        sheet->setText(50, 3, "alt");
        store(3).setName(5, QString::fromUtf8("Brötchen"));
        ProgramValues v{};
        v[0] = 230;
        v[2] = 119;   // BZ1: shows 1 minute
        v[4] = 90;    // A1
        v[22] = 0x0505; // doubled on the line
        store(3).setValues(5, v);
        const int complete = transfer().receive(3, 5, 10);
        QCOMPARE(complete, 6);
        QVERIFY(sheet->isEmpty(1, 1) && sheet->isEmpty(50, 3));
        QCOMPARE((QStringList{sheet->text(5, 1), sheet->text(5, 2), sheet->text(5, 4), sheet->text(5, 6), sheet->text(5, 24)}),
                 (QStringList{QString::fromUtf8("Brötchen      "), "230", "1", "1", QString::number(0x0505 / 60)}));
        QCOMPARE(sheet->sheetName(), QStringLiteral("Backprogramme_Ofen_3"));
        // Exact frames: read name 5 is 46 15 05 05 1F, doubled on the line.
        QCOMPARE(framesOf(0x15).first(), hex("46 15 05 05 05 05 1F"));
        QCOMPARE(framesOf(0x15).size(), 6);
        QCOMPARE(framesOf(0x0B).size(), 6);
        QVERIFY(!rig->state.abortFlag);
    }

    void receiveMarksFailedPrograms()
    {
        rig->line->faults().aim(FaultKind::CorruptChecksum, 3, 0x15, 5);
        rig->line->faults().aim(FaultKind::Silence, 3, 0x0B, 5);
        transfer().receive(3, 1, 3);
        QCOMPARE(sheet->text(1, 1), QStringLiteral("ERR: Übertragungsfehler"));
        // Program 1's values also fail five times; the message names the last failure.
        QCOMPARE(sheet->text(2, 1), QString::fromUtf8("Roggenbrot    "));
        QCOMPARE(sheet->text(1, 2), QString());
        QCOMPARE(sheet->text(3, 2), QStringLiteral("233"));
    }

    void receiveRetriesWithAddressing()
    {
        rig->line->faults().aim(FaultKind::Nak, 3, 0x15, 4);
        transfer().receive(3, 1, 1);
        QCOMPARE(sheet->text(1, 1), QString::fromUtf8("Weizenbrot    "));
        QCOMPARE(framesOf(0x15).size(), 5);
    }

    void anAbsentOvenLeavesNoAnswerMarkers()
    {
        rig->line->setPresentOvens({1, 2});
        transfer().receive(3, 1, 2);
        QCOMPARE(sheet->text(1, 1), QStringLiteral("ERR: keine Antwort"));
        QCOMPARE(sheet->text(2, 1), QStringLiteral("ERR: keine Antwort"));
        QCOMPARE(sheet->text(2, 2), QString());
    }

    void abortDuringReceiveMarksEveryUnfinishedRow()
    {
        int valueReads = 0;
        connect(&rig->engine(), &CommandEngine::frameSent, this, [&](const QByteArray &f) {
            if (f.startsWith(hex("46 0B")) && ++valueReads == 3)
                rig->state.abortFlag = true; // "Abbrechen" while program 3's values come in
        });
        transfer().receive(3, 1, 6);
        QCOMPARE(sheet->text(3, 1) + sheet->text(3, 2), QString::fromUtf8("Brötchen      233")); // its values arrived
        for (int n = 4; n <= 6; ++n)
            QVERIFY(isFaultyName(sheet->text(n, 1)) && sheet->text(n, 2) != QStringLiteral("Read"));
        QVERIFY(!rig->state.abortFlag);
        // A later send never writes these rows.
        rig->frames.clear();
        rig->prompter.answers.enqueue(PromptButton::Yes);
        QVERIFY(transfer().send(3, 1, 6));
        QCOMPARE(framesOf(0x16).size(), 3);
        QCOMPARE(store(3).nameBytes(4), encodeProgramName(QString::fromUtf8("Baguette")));
    }

    void sendingProgramOneWithAnEmptyName()
    {
        rig->prompter.answers.enqueue(PromptButton::Yes);
        QVERIFY(transfer().send(3, 1, 1));
        QCOMPARE(rig->prompter.shown.first().caption, QStringLiteral("WARNUNG"));
        QCOMPARE(rig->prompter.shown.first().text,
                 QStringLiteral("Achtung\r\nFolgende Backprogramme sind in der Liste\r\nnicht vorhanden(Kein Name "
                                "eingetragen)\r\nund werden daher am Torvel \r\n-falls vorhanden- gelöscht!!\r\n 01 bis "
                                "01\r\nWollen Sie wirklich fortfahren??"));
        const int i = static_cast<int>(rig->frames.indexOf(hex("46 16 01 01 18")));
        QCOMPARE(rig->frames.value(i + 1), QByteArray(14, ' ') + char(0xC0));
        QCOMPARE(store(3).nameBytes(1), QByteArray(14, ' '));
        QCOMPARE(store(3).values(1), ProgramValues{});
    }

    void sendWritesNamesAndValues()
    {
        sheet->setText(2, 1, QString::fromUtf8("Brötchen mit Mohn"));
        sheet->setText(2, 2, "230");
        sheet->setText(2, 4, "1");    // BZ1 one minute
        sheet->setText(2, 6, "abc");  // A1 counts as 0
        sheet->setText(2, 24, "1093"); // wraps
        QVERIFY(transfer().send(3, 2, 2));
        QVERIFY(rig->prompter.shown.isEmpty());
        QCOMPARE(store(3).nameBytes(2), QByteArray("Br\xEF" "tchen mit M"));
        const ProgramValues v = store(3).values(2);
        QCOMPARE((QList<int>{v[0], v[2], v[4], v[22]}), (QList<int>{230, 60, 0, 44}));
        QCOMPARE(framesOf(0x0C).first(), hex("46 0C 02 02 10"));
    }

    void warningNamesAbsentAndFaultyPrograms()
    {
        for (int n = 1; n <= 10; ++n)
            sheet->setText(n, 1, "P");
        sheet->setText(3, 1, "");
        sheet->setText(4, 1, "");
        sheet->setText(5, 1, "");
        sheet->setText(9, 1, "");
        sheet->setText(7, 1, "ERR: keine Antwort");
        sheet->setText(8, 1, " ERR: kein Fehler"); // a blank in front: sent as a name
        QCOMPARE(transfer().sendWarning(1, 10),
                 QStringLiteral("Folgende Backprogramme sind in der Liste\r\nnicht vorhanden(Kein Name eingetragen)\r\n"
                                "und werden daher am Torvel \r\n-falls vorhanden- gelöscht!!\r\n 03 bis 05; 09 bis 09"
                                "\r\nFolgende Backprogramme sind in der Liste\r\nfehlerhaft (\"ERR\")\r\nund können "
                                "nicht zum Torvel \r\nübertragen werden!\r\n 07 bis 07"));
    }

    void declinedWarningSendsNothing()
    {
        rig->prompter.answers.enqueue(PromptButton::Cancel);
        QVERIFY(!transfer().send(3, 1, 1));
        QVERIFY(framesOf(0x16).isEmpty());
        QCOMPARE(rig->prompter.texts("window"), QStringList{"ERR: Übertragung wurde abgebrochen!"});
        QVERIFY(rig->state.abortFlag); // stays set until the next transfer
    }

    void sendStopsAfterFiveFailedTries()
    {
        for (int n = 1; n <= 3; ++n)
            sheet->setText(n, 1, "P");
        rig->line->faults().aim(FaultKind::Nak, 3, 0x16, -1);
        QVERIFY(!transfer().send(3, 1, 3));
        QCOMPARE(framesOf(0x16).size(), 5);
        QCOMPARE(rig->prompter.texts("window"), QStringList{"ERR: Übertragung wurde abgebrochen!"});
        QVERIFY(framesOf(0x0C).isEmpty());
    }

    void retrytestKeepsTryingUntilAbbrechen()
    {
        sheet->setText(1, 1, "P");
        rig->line->setPresentOvens({1});
        int addressings = 0;
        connect(&rig->engine(), &CommandEngine::frameSent, this, [&](const QByteArray &f) {
            if (f.startsWith('\x05') && ++addressings == 15)
                rig->state.abortFlag = true;
        });
        ProgramTransfer t = transfer();
        t.setRetrytest(true);
        QVERIFY(!t.send(3, 1, 1));
        QCOMPARE(addressings, 15); // far beyond five tries
    }

    void capacityFromTheVersion()
    {
        QCOMPARE(QueryProgramCapacity(rig->engine(), 3), std::optional<int>(99));
        QCOMPARE(QueryProgramCapacity(rig->engine(), 4), std::optional<int>(11));
        QCOMPARE(QueryProgramCapacity(rig->engine(), 6), std::optional<int>(99)); // no "M"
        rig->line->setPresentOvens({1});
        QCOMPARE(QueryProgramCapacity(rig->engine(), 3), std::nullopt);
    }

    void theWholeTransferHoldsTheGuard()
    {
        bool guarded = true;
        ProgramTransfer t = transfer();
        connect(&rig->engine(), &CommandEngine::frameSent, this,
                [&](const QByteArray &) { guarded = guarded && rig->state.transferActive(); });
        t.receive(3, 1, 2);
        QVERIFY(guarded);
        QVERIFY(!rig->state.transferActive());
    }
};

QTEST_GUILESS_MAIN(TestBakeProg)
#include "tst_bakeprog.moc"
