// Byte routines, reply checking, frame rendering and the decoders of version and status.

#include "link/bytes.h"
#include "link/controller.h"
#include "link/logrender.h"

#include "testsupport/files.h"

#include <QTest>

using namespace torvel;
using torvel::test::hex;

class TestBytes : public QObject
{
    Q_OBJECT
private slots:
    void byteSumStartsAtPositionAndIsNotReduced()
    {
        QCOMPARE(ByteSum(hex("46 13 00 00"), 2), 0x13);
        QCOMPARE(ByteSum(hex("FF FF FF"), 1), 765);
        QCOMPARE(ByteSum(hex("01 02"), 3), 0);
        QCOMPARE(ByteSum(QByteArray(), 1), 0);
    }

    void bcdBothWays_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("value");
        QTest::newRow("zero") << 0x00 << 0;
        QTest::newRow("59") << 0x59 << 59;
        QTest::newRow("23") << 0x23 << 23;
        QTest::newRow("99") << 0x99 << 99;
    }
    void bcdBothWays()
    {
        QFETCH(int, byte);
        QFETCH(int, value);
        QCOMPARE(BcdToInt(static_cast<quint8>(byte)), value);
        QCOMPARE(int(IntToBcd(value)), byte);
    }

    void bcdOfNonDecimalNibbles()
    {
        QCOMPARE(BcdToInt(0xFF), 165);
        QCOMPARE(BcdToInt(0x1A), 20);
    }

    void displayCharacterSet()
    {
        const QByteArray pc = hex("E4 DF F6 FC C4 D6 DC 41");
        const QByteArray lcd = hex("E1 E2 EF F5 C4 D6 DC 41");
        QCOMPARE(TextToLcd(pc), lcd);
        QCOMPARE(LcdToText(lcd), pc);
    }

    void functionAndDataFrames()
    {
        QCOMPARE(functionFrame(0x13, 0, 0), hex("46 13 00 00 13"));
        QCOMPARE(functionFrame(0x09, 0x56, 0x72), hex("46 09 56 72 D1"));
        QCOMPARE(functionFrame(0xFF, 0x02, 0x00), hex("46 FF 02 00 01"));
        QCOMPARE(dataFrame(hex("80 90 05")), hex("80 90 05 15"));
    }

    void stuffingDoublesEveryEnq()
    {
        int d = -1;
        QCOMPARE(stuffEnq(hex("46 05 00 05 05"), &d), hex("46 05 05 00 05 05 05 05"));
        QCOMPARE(d, 3);
        QCOMPARE(stuffEnq(hex("46 13"), &d), hex("46 13"));
        QCOMPARE(d, 0);
    }

    void checkReply_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QByteArray>("undoubled");
        QTest::newRow("plain") << hex("06 01 23 24 06") << true << hex("06 01 23 24 06");
        QTest::newRow("bad sum") << hex("06 01 23 25 06") << false << hex("06 01 23 25 06");
        QTest::newRow("nak first") << hex("15 01 23 24 06") << false << hex("15 01 23 24 06");
        // A doubled data byte counts twice in the sum: 05 + 05 + 01 = 0B.
        QTest::newRow("doubled data") << hex("06 05 05 01 0B 06") << true << hex("06 05 01 0B 06");
        // Checksum 0x05 arrives doubled: 02 + 03 = 05.
        QTest::newRow("doubled checksum") << hex("06 02 03 05 05 06") << true << hex("06 02 03 05 06");
        QTest::newRow("empty data") << hex("06 00 06") << true << hex("06 00 06");
        QTest::newRow("empty") << QByteArray() << false << QByteArray();
        // A lone 0x05 after a kept byte is dropped like the first of a pair.
        QTest::newRow("lone enq") << hex("06 41 05 42 88 06") << true << hex("06 41 42 88 06");
        QTest::newRow("four enq") << hex("06 05 05 05 05 14 06") << true << hex("06 05 05 14 06");
    }
    void checkReply()
    {
        QFETCH(QByteArray, reply);
        QFETCH(bool, valid);
        QFETCH(QByteArray, undoubled);
        QByteArray kept = reply;
        QCOMPARE(CheckReply(kept, false), valid);
        QCOMPARE(kept, reply);
        QByteArray changed = reply;
        QCOMPARE(CheckReply(changed, true), valid);
        QCOMPARE(changed, undoubled);
    }

    void renderRows_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("direction");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("addressing") << hex("05 8A") << int(RenderDirection::Sent) << QStringList{"<ENQ>[8A]"};
        QTest::newRow("nak received") << hex("15") << int(RenderDirection::Received) << QStringList{"<NAK>"};
        QByteArray thirty(30, '\x41');
        QTest::newRow("30 bytes sent")
            << thirty << int(RenderDirection::Sent)
            << QStringList{"[41][41][41][41][41][41][41]", "--> [41][41][41][41][41][41]",
                           "--> [41][41][41][41][41][41]", "--> [41][41][41][41][41][41]",
                           "--> [41][41][41][41][41]"};
        // 72 characters = 18 tokens; continuation rows hold 16 tokens after the 11-character prefix.
        QByteArray forty(40, '\x42');
        const QString t = QStringLiteral("[42]");
        QTest::newRow("40 bytes received")
            << forty << int(RenderDirection::Received)
            << QStringList{t.repeated(18), "|      --> " + t.repeated(16), "|      --> " + t.repeated(6)};
        QTest::newRow("exact wrap leaves prefix")
            << QByteArray(7, '\x41') << int(RenderDirection::Sent)
            << QStringList{"[41][41][41][41][41][41][41]", "--> "};
    }
    void renderRows()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, direction);
        QFETCH(QStringList, rows);
        QCOMPARE(torvel::renderRows(bytes, RenderDirection(direction)), rows);
    }

    void ovenAddresses()
    {
        const int expected[] = {0x8A, 0x94, 0x9E, 0xA8, 0xB2, 0xBC, 0xC6};
        for (int oven = 1; oven <= 7; ++oven)
            QCOMPARE(int(ovenAddressByte(oven)), expected[oven - 1]);
        QCOMPARE(int(busAddressByte(200)), 0x48);
        QCOMPARE(addressFrame(0x9E), hex("05 9E"));
    }

    void versionText_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("capability"); // -1: none
        QTest::newRow("with revision") << hex("06 01 23 72 03 99 06") << "2.91 r3" << -1;
        QTest::newRow("five bytes") << hex("06 01 23 24 06") << "2.91" << -1;
        QTest::newRow("capability 99") << hex("06 01 23 72 03 4D 63 00 06") << "2.91 r3" << 99;
        QTest::newRow("capability without revision") << hex("06 01 23 4D 0B 00 06") << "2.91" << 11;
        // The letter M inside the revision fields is no capability marker.
        QTest::newRow("M as revision") << hex("06 01 23 72 4D 00 06") << "2.91 r77" << -1;
    }
    void versionText()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QString, text);
        QFETCH(int, capability);
        const auto v = decodeSoftwareVersion(reply);
        QVERIFY(v.has_value());
        QCOMPARE(torvel::versionText(*v), text);
        QCOMPARE(v->capability.has_value() ? int(*v->capability) : -1, capability);
    }

    void versionTooShort()
    {
        QVERIFY(!decodeSoftwareVersion(hex("06 01 06")) && !decodeSoftwareVersion(hex("06 01 23 06")));
    }

    void versionThatLostAByteIsRefused()
    {
        // 0.25 r82 whose leading 0x00 was lost: the sum still fits, every field has shifted.
        QVERIFY(decodeSoftwareVersion(hex("06 00 19 72 52 DD 06")).has_value());
        QVERIFY(!decodeSoftwareVersion(hex("06 19 72 52 DD 06")));
        QVERIFY(!decodeSoftwareVersion(hex("06 01 23 72 96 06"))); // "r" without its R
    }

    void statusDecodesFullAnswer()
    {
        // 22 data bytes: on-status 3, program 7 (high byte), bake time 0x0102, heats, bits.
        QByteArray data = hex("03 07 00 00 01 02 00 C8 00 B4 00 FA 00 F0 05 00 01 00 00 00 00 00");
        QByteArray reply = QByteArray(1, kAck) + data + char(ByteSum(data) & 0xFF) + kAck;
        const ControllerStatus s = decodeStatus(reply);
        QCOMPARE((QList<int>{s.onStatus.value(), s.programNumber, s.bakeTime.value(), s.topHeatActual.value(),
                             s.bottomHeatActual.value(), s.topHeatSet.value(), s.bottomHeatSet.value()}),
                 (QList<int>{3, 7, 0x0102, 200, 180, 250, 240}));
        QVERIFY(s.topHeatOn.value() && s.bottomHeatOn.value() && s.programStarted.value());
    }

    void statusReplyThatLostAZeroIsRefused()
    {
        // A lost 0x00 leaves the sum as it was: only the length shows that the fields shifted.
        const QByteArray data = hex("03 07 00 00 01 02 00 C8 00 B4 00 FA 00 F0 01 00 01 00 00 00 00 00");
        const QByteArray whole = QByteArray(1, kAck) + data + char(ByteSum(data) & 0xFF) + kAck;
        QCOMPARE(decodeCheckedStatus(whole).value().bakeTime, std::optional<int>(0x0102));
        QVERIFY(!decodeCheckedStatus(QByteArray(whole).remove(3, 1)));
    }

    void statusFieldsOnlyWhenComplete_data()
    {
        QTest::addColumn<int>("dataBytes");
        QTest::addColumn<int>("programNumber");
        QTest::addColumn<bool>("bakeTime");
        QTest::addColumn<bool>("topActual");
        QTest::addColumn<bool>("started");
        QTest::newRow("nothing") << 0 << -1 << false << false << false;
        QTest::newRow("word complete") << 3 << 9 << false << false << false;
        QTest::newRow("bake time") << 6 << 9 << true << false << false;
        QTest::newRow("all") << 17 << 9 << true << true << true;
    }
    void statusFieldsOnlyWhenComplete()
    {
        QFETCH(int, dataBytes);
        QFETCH(int, programNumber);
        QFETCH(bool, bakeTime);
        QFETCH(bool, topActual);
        QFETCH(bool, started);
        QByteArray data = hex("01 09 00 00 00 10 00 20 00 30 00 40 00 50 01 00 01").left(dataBytes);
        // Framed like a controller answer (checksum and closing ACK are no fields).
        const QByteArray reply = QByteArray(1, kAck) + data + char(ByteSum(data) & 0xFF) + kAck;
        const ControllerStatus s = decodeStatus(reply);
        QCOMPARE(s.programNumber, programNumber);
        QCOMPARE(s.bakeTime.has_value(), bakeTime);
        QCOMPARE(s.topHeatActual.has_value(), topActual);
        QCOMPARE(s.programStarted.has_value(), started);
    }
};

QTEST_GUILESS_MAIN(TestBytes)
#include "tst_bytes.moc"
