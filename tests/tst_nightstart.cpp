// Night start times: the wire record and its frames, decoding with the unset rules, the
// check before sending, read and send against the simulated line with faults, the .TBZ
// and .NGT files, and torvelctl night end to end.

#include "nightstart/nightcheck.h"
#include "nightstart/nightfilename.h"
#include "nightstart/nightfiles.h"
#include "nightstart/nightrecord.h"
#include "nightstart/nightstartgrid.h"
#include "nightstart/nighttransfer.h"
#include "nightstart/ngtfile.h"
#include "nightstart/tbzfile.h"

#include "link/bytes.h"
#include "link/controller.h"
#include "shell/requests.h"
#include "shell/sheetmodel.h"
#include "shell/workbookfile.h"
#include "simline.h"
#include "simnight.h"
#include "testsupport/files.h"
#include "testsupport/linerig.h"
#include "testsupport/processes.h"
#include "testsupport/requestprobe.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace torvel;
using namespace torvel::sim;
using namespace torvel::test;

namespace {

// The value cells as shown, row by row.
QStringList valueTexts(const SheetModel &grid)
{
    QStringList out;
    for (int k = 0; k < kNightRecordBytes; ++k)
        out << grid.text(nightRowOf(k), nightColOf(k));
    return out;
}

const QByteArray kMondaySixTbz = "Nacht-Backbereitschaften f\xFCr den Fenmork VKS Torvel\r\n\r\n\r\n[BEREITSCHAFT]\r\n"
                                 "So1=--:--\r\nSo2=--:--\r\nMo1=06:00\r\nMo2=--:--\r\nDi1=--:--\r\nDi2=--:--\r\n"
                                 "Mi1=--:--\r\nMi2=--:--\r\nDo1=--:--\r\nDo2=--:--\r\nFr1=--:--\r\nFr2=--:--\r\n"
                                 "Sa1=--:--\r\nSa2=--:--\r\n[ENDE]\r\n";

} // namespace

class TestNightStart : public QObject
{
    Q_OBJECT

    LineRig *rig = nullptr;
    SheetModel *grid = nullptr;

    SimNightStore &store(int oven = 3) { return rig->line->controller(oven).nights(); }
    NightTransfer transfer() { return NightTransfer(rig->state, rig->engine(), rig->prompter, *grid); }

    int addressFrames(int oven) const { return rig->addressFrames(oven); }
    int readFrames() const { return rig->framesStarting(hex("46 17")); }
    int announceFrames() const { return rig->framesStarting(hex("46 18")); }
    // Frames that are neither addressing nor function frames: the records.
    QList<QByteArray> sentRecords() const
    {
        QList<QByteArray> out;
        for (const QByteArray &f : rig->frames)
            if (!f.startsWith(char(0x46)) && !(f.size() == 2 && f.at(0) == kEnq))
                out << f;
        return out;
    }

    // A controller that acknowledges the announce and refuses the first `refusals` records.
    void refuseRecords(int oven, int refusals)
    {
        SimController &c = rig->line->controller(oven);
        auto left = std::make_shared<int>(refusals);
        c.registerFunction(kNightWriteFunction, [&c, left](quint8, quint8) {
            return SimReply::expectData(kNightRecordBytes, [&c, left](const QByteArray &data) {
                if (*left != 0) {
                    --*left;
                    return SimReply::nak();
                }
                c.nights().setRecord(nightRecordFrom(data));
                return SimReply::ack();
            });
        });
    }

private slots:
    void init()
    {
        rig = new LineRig;
        grid = new SheetModel;
        setupNightStartGrid(*grid);
    }
    void cleanup()
    {
        delete grid;
        delete rig;
    }

    void fixedFrames()
    {
        QCOMPARE(nightReadFrame(), hex("46 17 4E 4E B3"));
        QCOMPARE(nightAnnounceFrame(), hex("46 18 6E 6E F4"));
    }

    void decodingAndUnsetRules_data()
    {
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<QString>("hour");
        QTest::addColumn<QString>("minute");
        QTest::newRow("05:30") << hex("05 30") << "5" << "30";
        QTest::newRow("hour FF hides the minute") << hex("FF 00") << "  -----" << "  -----";
        QTest::newRow("hour 24") << hex("24 15") << "  -----" << "  -----";
        QTest::newRow("minute 60") << hex("06 60") << "  -----" << "  -----";
        QTest::newRow("hour no packed decimal") << hex("1A 00") << "  -----" << "  -----";
    }
    void decodingAndUnsetRules()
    {
        QFETCH(QByteArray, start);
        QFETCH(QString, hour);
        QFETCH(QString, minute);
        // Monday start 2 (bytes 6 and 7), everything else unset.
        QByteArray record(28, char(0xFF));
        record[6] = start[0];
        record[7] = start[1];
        putNightRecord(*grid, nightRecordFrom(record));
        QCOMPARE(grid->text(3, 4), hour);
        QCOMPARE(grid->text(3, 5), minute);
        QCOMPARE(grid->text(3, 2), QStringLiteral("  -----"));
        QCOMPARE(grid->text(8, 5), QStringLiteral("  -----"));
    }

    void sendCheck_data()
    {
        QTest::addColumn<QString>("hourIn");
        QTest::addColumn<QString>("minuteIn");
        QTest::addColumn<QString>("hourOut");
        QTest::addColumn<QString>("minuteOut");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("06:00") << "6" << "0" << "6" << "0" << hex("06 00");
        QTest::newRow("hour without minute") << "6" << "" << "  ----" << "  ----" << hex("FF FF");
        QTest::newRow("minute 60") << "6" << "60" << "  ----" << "  ----" << hex("FF FF");
        QTest::newRow("hour 24 is sent") << "24" << "0" << "24" << "0" << hex("24 00");
        QTest::newRow("hour 160 unset") << "160" << "30" << "160" << "30" << hex("FF 30");
        QTest::newRow("read markers") << "  -----" << "  -----" << "  -----" << "  -----" << hex("FF FF");
    }
    void sendCheck()
    {
        QFETCH(QString, hourIn);
        QFETCH(QString, minuteIn);
        QFETCH(QString, hourOut);
        QFETCH(QString, minuteOut);
        QFETCH(QByteArray, bytes);
        grid->setText(4, 2, hourIn); // Tuesday start 1: bytes 8 and 9
        grid->setText(4, 3, minuteIn);
        QVERIFY(!findInvalidNightCell(*grid));
        markIncompleteNightStarts(*grid);
        QCOMPARE(grid->text(4, 2), hourOut);
        QCOMPARE(grid->text(4, 3), minuteOut);
        const QByteArray record = nightRecordBytes(nightRecordFromGrid(*grid));
        QCOMPARE(record.mid(8, 2).toHex(' '), bytes.toHex(' '));
        QCOMPARE(record.left(8), QByteArray(8, char(0xFF)));
    }

    void numberCellsCount()
    {
        grid->setNumber(2, 2, 5);
        grid->setNumber(2, 3, 30);
        QVERIFY(!findInvalidNightCell(*grid));
        QCOMPARE(nightRecordBytes(nightRecordFromGrid(*grid)).left(2), hex("05 30"));
    }

    // A read's error marker is no whole number: the send refuses before the first frame.
    void invalidCellRefusesTheSend()
    {
        const QString message = QStringLiteral("Nachtstartzeiten wurden nicht übertragen:\r\nSonntag, Std1: \"ERR: keine "
                                               "Antwort\" ist keine ganze Zahl.");
        grid->setText(3, 4, "6"); // would be marked by the check
        grid->setText(2, 2, "ERR: keine Antwort");
        const auto problem = findInvalidNightCell(*grid);
        QVERIFY(problem);
        QCOMPARE(nightCellProblemText(*problem), message);
        const SheetModel::Cells before = grid->cells();
        QCOMPARE(transfer().send(3), NightSendResult::Refused);
        QVERIFY(rig->frames.isEmpty());
        QCOMPARE(grid->cells(), before);
        QCOMPARE(rig->prompter.shown.size(), 1);
        QCOMPARE(rig->prompter.shown.first().caption, QStringLiteral("FEHLER"));
        QCOMPARE(rig->prompter.shown.first().text, message);
        QVERIFY(!rig->state.transferActive());
    }

    void readFillsTheGrid()
    {
        store().setStart(0, 2, 0x05, 0x05); // 0x05 doubled on the line
        grid->setText(5, 5, "17");
        QVERIFY(transfer().read(3));
        QCOMPARE(rig->frames, (QList<QByteArray>{hex("05 9E"), hex("46 17 4E 4E B3")}));
        QCOMPARE(valueTexts(*grid),
                 (QStringList{"  -----", "  -----", "5",       "5",       "3",       "30",      "  -----",
                              "  -----", "3",       "30",      "  -----", "  -----", "3",       "30",
                              "  -----", "  -----", "3",       "30",      "  -----", "  -----", "3",
                              "30",      "  -----", "  -----", "4",       "15",      "22",      "0"}));
        QCOMPARE(grid->sheetName(), QStringLiteral("Nachtstartzeiten_Ofen_3"));
        QCOMPARE(rig->prompter.texts("window"),
                 (QStringList{"Nachtstartzeiten werden gelesen...", "Nachtstartzeiten lesen: Funktion beendet."}));
        QVERIFY(rig->prompter.retriggers >= 1);
        QVERIFY(!rig->state.abortFlag);
    }

    void readTries_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("function");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<int>("reads");
        QTest::newRow("fifth try") << int(FaultKind::CorruptChecksum) << 0x17 << 4 << true << "  -----" << 5;
        QTest::newRow("five bad checksums") << int(FaultKind::CorruptChecksum) << 0x17 << 5 << false
                                            << "ERR: Übertragungsfehler" << 5;
        QTest::newRow("addressing fails five times") << int(FaultKind::Nak) << kAddressing << 5 << false
                                                     << "ERR: keine Antwort" << 0;
    }
    void readTries()
    {
        QFETCH(int, fault);
        QFETCH(int, function);
        QFETCH(int, count);
        QFETCH(bool, ok);
        QFETCH(QString, cell);
        QFETCH(int, reads);
        rig->line->faults().aim(FaultKind(fault), 3, function, count);
        grid->setText(6, 4, "12");
        QCOMPARE(transfer().read(3), ok);
        QCOMPARE(grid->text(2, 2), cell);
        QVERIFY(readFrames() == reads && addressFrames(3) == 5);
        QCOMPARE(grid->sheetName(), ok ? QStringLiteral("Nachtstartzeiten_Ofen_3") : QStringLiteral("Nachtstartzeiten"));
        if (!ok) {
            // Cleared before the read, and a send now refuses the marker.
            QCOMPARE(grid->text(6, 4), QString());
            rig->frames.clear();
            QCOMPARE(transfer().send(3), NightSendResult::Refused);
            QVERIFY(rig->frames.isEmpty());
        }
        QCOMPARE(rig->prompter.texts("window").last(), QStringLiteral("Nachtstartzeiten lesen: Funktion beendet."));
    }

    void shortReplyIsAFailedTry()
    {
        // Framed and summed right, but one byte short of the record.
        rig->line->controller(3).registerFunction(kNightReadFunction, [](quint8, quint8) {
            return SimReply::withData(QByteArray(27, char(0x12)));
        });
        QVERIFY(!transfer().read(3));
        QCOMPARE(grid->text(2, 2), QStringLiteral("ERR: Übertragungsfehler"));
        QCOMPARE(readFrames(), 5);
        for (int k = 1; k < kNightRecordBytes; ++k)
            QCOMPARE(grid->text(nightRowOf(k), nightColOf(k)), QString());
    }

    void abortEndsTheReadAfterTheTry()
    {
        rig->line->faults().aim(FaultKind::CorruptChecksum, 3, 0x17, -1);
        connect(&rig->engine(), &CommandEngine::frameSent, this, [this](const QByteArray &f) {
            if (f.startsWith(hex("46 17")) && readFrames() == 2)
                rig->state.abortFlag = true; // "Abbruch" during the second try
        });
        QVERIFY(!transfer().read(3));
        QCOMPARE(readFrames(), 2);
        QCOMPARE(grid->text(2, 2), QStringLiteral("Read")); // the try's marker stays
        QCOMPARE(rig->prompter.texts("window").last(), QStringLiteral("Funktion abgebrochen."));
        QVERIFY(!rig->state.abortFlag);
    }

    void sendWritesTheRecordAndReadsItBack()
    {
        grid->setText(3, 2, "6"); // Monday 06:00
        grid->setText(3, 3, "0");
        grid->setText(5, 4, "22"); // Wednesday start 2 without a minute
        QCOMPARE(transfer().send(3), NightSendResult::Sent);
        QByteArray expected(28, char(0xFF));
        expected[4] = 0x06;
        expected[5] = 0x00;
        QCOMPARE(nightRecordBytes(store().record()).toHex(' '), expected.toHex(' '));
        QCOMPARE(rig->frames.mid(0, 3), (QList<QByteArray>{hex("05 9E"), hex("46 18 6E 6E F4"), dataFrame(expected)}));
        // Read back: what the controller holds now.
        QCOMPARE(rig->frames.mid(3), (QList<QByteArray>{hex("05 9E"), hex("46 17 4E 4E B3")}));
        QCOMPARE((QStringList{grid->text(3, 2), grid->text(3, 3), grid->text(5, 4), grid->sheetName()}),
                 (QStringList{"6", "0", "  -----", "Nachtstartzeiten_Ofen_3"}));
        QCOMPARE(rig->prompter.texts("window"),
                 (QStringList{"Nachtstartzeiten werden übertragen...", "Nachtstartzeiten übertragen.",
                              "Nachtstartzeiten werden gelesen...", "Nachtstartzeiten lesen: Funktion beendet."}));
    }

    void fivesAreDoubledOnTheLine()
    {
        for (int k = 0; k < kNightRecordBytes; ++k)
            grid->setText(nightRowOf(k), nightColOf(k), "5");
        QCOMPARE(transfer().send(3), NightSendResult::Sent);
        // Written as 56 bytes 0x05 and the checksum 0x8C taken over the undoubled bytes.
        QCOMPARE(sentRecords(), (QList<QByteArray>{QByteArray(56, char(0x05)) + hex("8C")}));
        QCOMPARE(nightRecordBytes(store().record()), QByteArray(28, char(0x05)));
        QCOMPARE(grid->text(8, 5), QStringLiteral("5"));
    }

    void sendFailures_data()
    {
        QTest::addColumn<QList<int>>("ovens");
        QTest::addColumn<int>("announceNaks");
        QTest::addColumn<int>("recordRefusals");
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("records");
        const QList<int> all{1, 2, 3, 4, 5, 6, 7};
        const QString sending = QStringLiteral("Nachtstartzeiten werden übertragen...");
        const QString refused = QStringLiteral("Funktion wurde abgebrochen");
        QTest::newRow("not reachable") << QList<int>{1, 2} << 0 << 0 << int(NightSendResult::NotReachable)
                                       << QStringList{sending, "Steuerung nicht erreichbar."} << 0;
        QTest::newRow("announce refused") << all << -1 << 0 << int(NightSendResult::NotAccepted)
                                          << QStringList{sending, "Commando \"Nachtstartzeit empfangen\" wurde nicht "
                                                                  "akzeptiert."}
                                          << 0;
        QTest::newRow("record refused") << all << 0 << -1 << int(NightSendResult::NotAcknowledged)
                                        << QStringList{sending, refused, refused, refused, refused, refused, refused}
                                        << 6;
        QTest::newRow("record taken at the third attempt")
            << all << 0 << 2 << int(NightSendResult::Sent)
            << QStringList{sending, refused, refused, "Nachtstartzeiten übertragen.", "Nachtstartzeiten werden gelesen...",
                           "Nachtstartzeiten lesen: Funktion beendet."}
            << 3;
        QTest::newRow("announce at the sixth attempt")
            << all << 5 << 0 << int(NightSendResult::Sent)
            << QStringList{sending, "Nachtstartzeiten übertragen.", "Nachtstartzeiten werden gelesen...",
                           "Nachtstartzeiten lesen: Funktion beendet."}
            << 1;
    }
    void sendFailures()
    {
        QFETCH(QList<int>, ovens);
        QFETCH(int, announceNaks);
        QFETCH(int, recordRefusals);
        QFETCH(int, result);
        QFETCH(QStringList, messages);
        QFETCH(int, records);
        rig->line->setPresentOvens(ovens);
        if (announceNaks)
            rig->line->faults().aim(FaultKind::Nak, 3, kNightWriteFunction, announceNaks);
        if (recordRefusals)
            refuseRecords(3, recordRefusals);
        grid->setText(2, 2, "4");
        grid->setText(2, 3, "45");
        QCOMPARE(int(transfer().send(3)), result);
        QCOMPARE(rig->prompter.texts("window"), messages);
        QCOMPARE(int(sentRecords().size()), records);
        const bool sent = result == int(NightSendResult::Sent);
        QCOMPARE(addressFrames(3), sent ? (announceNaks ? 6 : records) + 1 : 6);
        QCOMPARE(readFrames(), sent ? 1 : 0); // the read back
        QCOMPARE(store().record()[0], quint8(sent ? 0x04 : 0xFF));
        QVERIFY(!rig->state.abortFlag);
    }

    void abortBetweenSendAttempts()
    {
        refuseRecords(3, -1);
        connect(&rig->engine(), &CommandEngine::frameSent, this, [this](const QByteArray &f) {
            if (f.startsWith(hex("46 18")) && announceFrames() == 2)
                rig->state.abortFlag = true;
        });
        QCOMPARE(transfer().send(3), NightSendResult::Aborted);
        QCOMPARE(sentRecords().size(), 2);
        QCOMPARE(rig->prompter.texts("window").last(), QStringLiteral("Funktion abgebrochen."));
        QVERIFY(!rig->state.abortFlag);
    }

    void transfersHoldTheLineAndPauseTheClock()
    {
        RequestProbe clock;
        rig->state.clockWindow = &clock;
        bool guarded = true;
        connect(&rig->engine(), &CommandEngine::frameSent, this,
                [&](const QByteArray &) { guarded = guarded && rig->state.transferActive(); });
        QCOMPARE(transfer().send(3), NightSendResult::Sent);
        QVERIFY(transfer().read(3));
        QVERIFY(guarded);
        QVERIFY(!rig->state.transferActive());
        QCoreApplication::sendPostedEvents();
        QCOMPARE(clock.requests(), (QList<Request>{Request::StopCommunication, Request::StartCommunication,
                                                 Request::StopCommunication, Request::StartCommunication}));
    }

    void tbzExactBytes()
    {
        grid->setNumber(3, 2, 6); // Monday start 1 at 6 and 0, no start 2
        grid->setText(3, 3, "0");
        grid->setText(4, 2, "  -----");
        grid->setText(4, 3, "12");
        grid->setText(5, 4, "123"); // beyond two digits: written unset
        grid->setText(5, 5, "5");
        QCOMPARE(tbzStartText(*grid, 3, 2), QStringLiteral("06:00"));
        QCOMPARE(tbzStartText(*grid, 3, 4), QStringLiteral("--:--"));
        QCOMPARE(tbzContent(*grid), kMondaySixTbz);
        QTemporaryDir dir;
        const QString name = dir.filePath("plan.TBZ");
        QString error;
        QVERIFY(saveTbzFile(*grid, name, &error));
        QCOMPARE(readFile(name), kMondaySixTbz);
        QVERIFY(!saveTbzFile(*grid, dir.path(), &error));
        QCOMPARE(error, QStringLiteral("Datei kann nicht geschrieben werden: %1").arg(dir.path()));
    }

    void tbzSaveRefusesWhatItCannotHold()
    {
        // A failed read leaves its marker: the file must not turn it into an empty week.
        grid->setText(2, 2, "ERR: keine Antwort");
        QTemporaryDir dir;
        const QString name = dir.filePath("plan.TBZ");
        QString error;
        QVERIFY(!saveNightFile(*grid, name, NightFileKind::Tbz, &error));
        QCOMPARE(error, QStringLiteral("Nachtstartzeiten wurden nicht gespeichert:\r\nSonntag, Std1: \"ERR: keine "
                                       "Antwort\" ist keine ganze Zahl."));
        QVERIFY(!QFile::exists(name));
        // The workbook keeps every cell as it is.
        QVERIFY(saveNightFile(*grid, dir.filePath("plan.NGT"), NightFileKind::Ngt, &error));
    }

    void tbzLoadsWithoutHeaderAndWithMissingKeys()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath("a.tbz");
        QVERIFY(writeFile(name, "[bereitschaft]\nmo1 = 05:30\nSa2=--:--\nDi1=--:15\n"));
        grid->setText(2, 2, "9");
        grid->setText(2, 1, "x");
        QString error;
        QVERIFY2(loadTbzFile(name, *grid, &error), qPrintable(error));
        // Keys in any case and with blanks; a missing key gives empty cells.
        QCOMPARE((QStringList{grid->text(3, 2), grid->text(3, 3), grid->text(8, 4), grid->text(8, 5), grid->text(4, 2),
                              grid->text(4, 3), grid->text(2, 2), grid->text(2, 1)}),
                 (QStringList{"05", "30", "--", "--", "--", "15", "", "Sonntag"}));
    }

    void badFilesLeaveTheGrid_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing tbz") << "none.TBZ" << QByteArray() << "Datei nicht gefunden: %1";
        QTest::newRow("no section") << "a.TBZ" << QByteArray("Nacht\r\n[ANDERS]\r\nMo1=05:30\r\n[ENDE]\r\n")
                                    << "Datei enthält keine Nachtstartzeiten (Abschnitt [BEREITSCHAFT] fehlt): %1";
        QTest::newRow("garbage") << "g.TBZ" << QByteArray("\x00\x01\xFF\xFE garbage\r\n=\r\n[", 18)
                                 << "Datei enthält keine Nachtstartzeiten (Abschnitt [BEREITSCHAFT] fehlt): %1";
        QTest::newRow("section without keys") << "e.TBZ" << QByteArray("[BEREITSCHAFT]\r\nX=1\r\n[ENDE]\r\n")
                                              << "Datei enthält keine Nachtstartzeiten: %1";
        QTest::newRow("bad value") << "v.TBZ" << QByteArray("[BEREITSCHAFT]\r\nMo1=5:30\r\n")
                                   << "Ungültige Nachtstartzeit Mo1=5:30 in Datei: %1";
        QTest::newRow("huge") << "h.TBZ"
                              << QByteArray("[BEREITSCHAFT]\r\nMo1=05:30\r\n") + QByteArray(200000, ';')
                              << "Datei ist zu groß für Nachtstartzeiten: %1";
        QTest::newRow("missing ngt") << "none.NGT" << QByteArray() << "";
        QTest::newRow("garbage ngt") << "g.NGT" << QByteArray("PK\x03\x04 kaputt") << "";
    }
    void badFilesLeaveTheGrid()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString name = dir.filePath(file);
        if (!content.isEmpty())
            QVERIFY(writeFile(name, content));
        grid->setText(3, 2, "6");
        grid->setText(3, 3, "0");
        const SheetModel::Cells before = grid->cells();
        QString error;
        QVERIFY(!loadNightFile(name, nightFileKind(name), *grid, &error));
        QCOMPARE(grid->cells(), before);
        QCOMPARE(grid->sheetName(), QStringLiteral("Nachtstartzeiten"));
        if (!message.isEmpty())
            QCOMPARE(error, message.arg(name));
        else
            QVERIFY(error.contains(name));
    }

    void ngtRoundTrip()
    {
        grid->setText(3, 2, "6");
        grid->setNumber(3, 3, 0);
        grid->setText(4, 2, "  -----");
        grid->setSheetName("Nachtstartzeiten_Ofen_5");
        grid->setPrintScale(90);
        QTemporaryDir dir;
        const QString name = dir.filePath("plan.NGT");
        QString error;
        QVERIFY2(saveNightFile(*grid, name, NightFileKind::Ngt, &error), qPrintable(error));
        SheetModel back;
        setupNightStartGrid(back);
        back.setText(7, 5, "stale");
        QVERIFY2(loadNgtFile(name, back, &error), qPrintable(error));
        QCOMPARE(back.cells(), grid->cells());
        QCOMPARE(back.sheetName(), QStringLiteral("Nachtstartzeiten_Ofen_5"));
        QCOMPARE(back.printScale(), 90);
    }

    void ngtOfAnotherGridIsRefused()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath("programs.NGT");
        SheetModel programs;
        programs.setNumber(1, 24, 230);
        QVERIFY(saveWorkbook(programs, name));
        const SheetModel::Cells before = grid->cells();
        QString error;
        QVERIFY(!loadNgtFile(name, *grid, &error));
        QCOMPARE(error, QStringLiteral("Datei enthält keine Nachtstartzeiten: %1").arg(name));
        QCOMPARE(grid->cells(), before);
    }

    void cliUnusableFilesTouchNoLine_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << "none.TBZ" << QByteArray() << "Datei nicht gefunden: %1";
        QTest::newRow("not a number") << "c.NGT" << QByteArray()
                                      << "FEHLER: Nachtstartzeiten wurden nicht übertragen:\nDienstag, Min2: \"x7\" ist "
                                         "keine ganze Zahl.";
    }
    void cliUnusableFilesTouchNoLine()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString name = dir.filePath(file);
        if (!content.isEmpty())
            QVERIFY(writeFile(name, content));
        if (file == "c.NGT") {
            grid->setText(4, 5, "x7");
            QVERIFY(saveNgtFile(*grid, name, nullptr));
        }
        const QString monitor = dir.filePath("monitor.tsv");
        const CliRun r = runTorvelctl({"--port", "SIM", "--monitor", monitor, "night", "send", name});
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(message.contains("%1") ? message.arg(name) : message), qPrintable(r.err));
        QCOMPARE(readFile(monitor), QByteArray("Kommandos\tGesendete Befehle\tEmpfangene Antwort\n"));
    }

    void cliOverAPty()
    {
        PtySim sim;
        // Oven 5 refuses its address at once (no waiting for time-outs).
        QVERIFY(sim.start({"--fault", "checksum@3:17x4", "--fault", "nak@5:addrx*"}));
        QTemporaryDir dir;
        const QString in = dir.filePath("in.TBZ");
        QVERIFY(writeFile(in, kMondaySixTbz));
        CliRun r = runTorvelctl({"--port", sim.device, "--oven", "3", "night", "send", in});
        QCOMPARE(r.code, 0);
        // The read back used up the four faults; this read gets it at once.
        const QString out = dir.filePath("out.tbz");
        r = runTorvelctl({"--port", sim.device, "--oven", "3", "night", "read", "-o", out});
        QCOMPARE(r.code, 0);
        QCOMPARE(readFile(out), kMondaySixTbz);
        // An oven that does not answer: exit 1 and no file.
        const QString none = dir.filePath("none.TBZ");
        r = runTorvelctl({"--port", sim.device, "--oven", "5", "night", "read", "-o", none});
        QCOMPARE(r.code, 1);
        QVERIFY(r.err.contains("Nachtstartzeiten von Ofen 5 nicht gelesen: ERR: keine Antwort"));
        QVERIFY(!QFile::exists(none));
    }
};

QTEST_GUILESS_MAIN(TestNightStart)
#include "tst_nightstart.moc"
