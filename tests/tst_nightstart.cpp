// Night start times: the wire record and its frames, decoding with the unset rules, the
// check before sending, read and send against the simulated line with faults, the .TBZ
// and .NGT files, and torvelctl night end to end.

#include "nightstart/nightcheck.h"
#include "nightstart/nightfilename.h"
#include "nightstart/nightfiles.h"
#include "nightstart/nightprintname.h"
#include "nightstart/nightrecord.h"
#include "nightstart/nightstartgrid.h"
#include "nightstart/nighttransfer.h"
#include "nightstart/ngtfile.h"
#include "nightstart/tbzfile.h"

#include "link/bytes.h"
#include "link/controller.h"
#include "link/controllerlink.h"
#include "shell/appstate.h"
#include "shell/requests.h"
#include "shell/sheetmodel.h"
#include "shell/workbookfile.h"
#include "simline.h"
#include "simnight.h"
#include "simtransport.h"
#include "testsupport/scriptedprompter.h"
#include "testsupport/simulatedline.h"

#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "testsupport/processes.h"

using namespace torvel;
using namespace torvel::sim;
using torvel::test::ScriptedPrompter;

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

NightStartRecord recordOf(const QByteArray &bytes)
{
    return nightRecordFrom(bytes);
}

// The value cells as shown, row by row.
QStringList valueTexts(const SheetModel &grid)
{
    QStringList out;
    for (int k = 0; k < kNightRecordBytes; ++k)
        out << grid.text(nightRowOf(k), nightColOf(k));
    return out;
}

// Every cell of the grid with its value, to see that nothing changed.
SheetModel::Cells snapshot(const SheetModel &grid)
{
    return grid.cells();
}

// Stands in for the clock window and records the requests posted to it.
class RequestProbe : public QObject
{
public:
    QList<Request> requests;

protected:
    bool event(QEvent *e) override
    {
        if (e->type() != RequestEvent::eventType())
            return QObject::event(e);
        requests << static_cast<RequestEvent *>(e)->request();
        return true;
    }
};

using torvel::test::PtySim;
using Run = torvel::test::CliRun;

Run torvelctl(const QStringList &args)
{
    return torvel::test::runTorvelctl(args);
}

bool writeFile(const QString &name, const QByteArray &content)
{
    QFile f(name);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

QByteArray readFile(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QByteArray kMondaySixTbz = "Nacht-Backbereitschaften f\xFCr den Fenmork VKS Torvel\r\n\r\n\r\n[BEREITSCHAFT]\r\n"
                                 "So1=--:--\r\nSo2=--:--\r\nMo1=06:00\r\nMo2=--:--\r\nDi1=--:--\r\nDi2=--:--\r\n"
                                 "Mi1=--:--\r\nMi2=--:--\r\nDo1=--:--\r\nDo2=--:--\r\nFr1=--:--\r\nFr2=--:--\r\n"
                                 "Sa1=--:--\r\nSa2=--:--\r\n[ENDE]\r\n";

// The simulator's default week as a .TBZ file.
const QByteArray kSimDefaultTbz = "Nacht-Backbereitschaften f\xFCr den Fenmork VKS Torvel\r\n\r\n\r\n[BEREITSCHAFT]\r\n"
                                  "So1=--:--\r\nSo2=--:--\r\nMo1=03:30\r\nMo2=--:--\r\nDi1=03:30\r\nDi2=--:--\r\n"
                                  "Mi1=03:30\r\nMi2=--:--\r\nDo1=03:30\r\nDo2=--:--\r\nFr1=03:30\r\nFr2=--:--\r\n"
                                  "Sa1=04:15\r\nSa2=22:00\r\n[ENDE]\r\n";

} // namespace

class TestNightStart : public QObject
{
    Q_OBJECT

    AppState *state = nullptr;
    ControllerLink *link = nullptr;
    SimLine *line = nullptr;
    ScriptedPrompter *prompter = nullptr;
    SheetModel *grid = nullptr;
    QList<QByteArray> frames;

    SimNightStore &store(int oven = 3) { return line->controller(oven).nights(); }
    NightTransfer transfer() { return NightTransfer(*state, link->engine(), *prompter, *grid); }

    QList<QByteArray> framesStarting(const QByteArray &start) const
    {
        QList<QByteArray> out;
        for (const QByteArray &f : frames)
            if (f.startsWith(start))
                out << f;
        return out;
    }
    int addressFrames(int oven) const { return int(framesStarting(addressFrame(ovenAddressByte(oven))).size()); }
    int readFrames() const { return int(framesStarting(hex("46 17")).size()); }
    int announceFrames() const { return int(framesStarting(hex("46 18")).size()); }
    // Frames that are neither addressing nor function frames: the records.
    QList<QByteArray> sentRecords() const
    {
        QList<QByteArray> out;
        for (const QByteArray &f : frames)
            if (!f.startsWith(char(0x46)) && !(f.size() == 2 && f.at(0) == kEnq))
                out << f;
        return out;
    }

    // A controller that acknowledges the announce and refuses the first `refusals` records.
    void refuseRecords(int oven, int refusals)
    {
        SimController &c = line->controller(oven);
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
        state = new AppState;
        link = new ControllerLink;
        line = torvel::test::attachSimulatedLine(*link);
        prompter = new ScriptedPrompter;
        grid = new SheetModel;
        setupNightStartGrid(*grid);
        frames.clear();
        connect(&link->engine(), &CommandEngine::frameSent, this, [this](const QByteArray &f) { frames << f; });
    }
    void cleanup()
    {
        delete grid;
        delete prompter;
        delete link;
        delete state;
    }

    void gridLayout()
    {
        QCOMPARE(grid->maxRow(), 8);
        QCOMPARE(grid->maxCol(), 5);
        QCOMPARE(grid->sheetName(), QStringLiteral("Nachtstartzeiten"));
        QCOMPARE(grid->text(1, 1), QString());
        const QStringList headings{"Std1", "Min1", "Std2", "Min2"};
        for (int col = 2; col <= 5; ++col)
            QCOMPARE(grid->text(1, col), headings.at(col - 2));
        const QStringList days{"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"};
        for (int row = 2; row <= 8; ++row)
            QCOMPARE(grid->text(row, 1), days.at(row - 2));
        QCOMPARE(nightReceivedSheetName(3), QStringLiteral("Nachtstartzeiten_Ofen_3"));
        // Byte k is the value cells read row by row.
        QCOMPARE(nightRowOf(0), 2);
        QCOMPARE(nightColOf(0), 2);
        QCOMPARE(nightRowOf(27), 8);
        QCOMPARE(nightColOf(27), 5);
        QCOMPARE(nightByteOf(5, 4), 14);
    }

    void fixedFrames()
    {
        QCOMPARE(nightReadFrame(), hex("46 17 4E 4E B3"));
        QCOMPARE(nightAnnounceFrame(), hex("46 18 6E 6E F4"));
        QCOMPARE(kNightAddressCaption, QStringLiteral("Steuerung adressieren"));
        QCOMPARE(kNightReadCaption, QStringLiteral("Nachtstartzeiten lesen"));
        QCOMPARE(kNightAnnounceCaption, QStringLiteral("Nachtstartzeiten senden (Fkt)"));
        QCOMPARE(kNightRecordCaption, QStringLiteral("Nachtstartzeiten senden"));
    }

    void recordFrames_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QByteArray>("frame");
        QTest::newRow("all unset") << QByteArray(28, char(0xFF)) << QByteArray(28, char(0xFF)) + hex("E4");
        QTest::newRow("all 05") << QByteArray(28, char(0x05)) << QByteArray(28, char(0x05)) + hex("8C");
        QTest::newRow("one start") << hex("0630FFFF") + QByteArray(24, char(0xFF))
                                   << hex("0630FFFF") + QByteArray(24, char(0xFF)) + hex("1C");
    }
    void recordFrames()
    {
        QFETCH(QByteArray, record);
        QFETCH(QByteArray, frame);
        QCOMPARE(nightRecordFrame(recordOf(record)).toHex(' '), frame.toHex(' '));
    }

    void packedDecimals_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("byte");
        QTest::newRow("0") << 0 << 0x00;
        QTest::newRow("7") << 7 << 0x07;
        QTest::newRow("30") << 30 << 0x30;
        QTest::newRow("59") << 59 << 0x59;
        QTest::newRow("hour 24 has no range test") << 24 << 0x24;
        QTest::newRow("123 beyond two digits") << 123 << 0xC3;
        QTest::newRow("159, the last with a byte") << 159 << 0xF9;
        QTest::newRow("160 is unset") << 160 << 0xFF;
        QTest::newRow("huge is unset") << 100000 << 0xFF;
        QTest::newRow("negative is unset") << -1 << 0xFF;
    }
    void packedDecimals()
    {
        QFETCH(int, number);
        QFETCH(int, byte);
        QCOMPARE(int(nightBcd(number)), byte);
    }

    void decodingAndUnsetRules_data()
    {
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<QString>("hour");
        QTest::addColumn<QString>("minute");
        QTest::newRow("05:30") << hex("05 30") << "5" << "30";
        QTest::newRow("00:00") << hex("00 00") << "0" << "0";
        QTest::newRow("23:59") << hex("23 59") << "23" << "59";
        QTest::newRow("hour FF hides the minute") << hex("FF 00") << "  -----" << "  -----";
        QTest::newRow("hour 24") << hex("24 15") << "  -----" << "  -----";
        QTest::newRow("minute 60") << hex("06 60") << "  -----" << "  -----";
        QTest::newRow("minute 59") << hex("06 59") << "6" << "59";
        QTest::newRow("minute FF") << hex("06 FF") << "  -----" << "  -----";
        QTest::newRow("hour no packed decimal") << hex("1A 00") << "  -----" << "  -----";
        QTest::newRow("minute no packed decimal") << hex("07 3A") << "  -----" << "  -----";
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
        putNightRecord(*grid, recordOf(record));
        QCOMPARE(grid->text(3, 4), hour);
        QCOMPARE(grid->text(3, 5), minute);
        QCOMPARE(grid->text(3, 2), QStringLiteral("  -----"));
        QCOMPARE(grid->text(8, 5), QStringLiteral("  -----"));
    }

    void markers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("unset");
        QTest::newRow("empty") << "" << true;
        QTest::newRow("after reading") << "  -----" << true;
        QTest::newRow("after the check") << "  ----" << true;
        QTest::newRow("after a .TBZ") << "--" << true;
        QTest::newRow("two hyphens anywhere") << "x--y" << true;
        QTest::newRow("number") << "5" << false;
        QTest::newRow("leading zero") << "05" << false;
        QTest::newRow("one hyphen") << "-5" << false;
        QTest::newRow("blank") << " " << false;
    }
    void markers()
    {
        QFETCH(QString, text);
        QFETCH(bool, unset);
        QCOMPARE(isUnsetNightText(text), unset);
    }

    void sendCheck_data()
    {
        QTest::addColumn<QString>("hourIn");
        QTest::addColumn<QString>("minuteIn");
        QTest::addColumn<QString>("hourOut");
        QTest::addColumn<QString>("minuteOut");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("06:00") << "6" << "0" << "6" << "0" << hex("06 00");
        QTest::newRow("leading zeros") << "07" << "05" << "07" << "05" << hex("07 05");
        QTest::newRow("hour without minute") << "6" << "" << "  ----" << "  ----" << hex("FF FF");
        QTest::newRow("hour with unset minute") << "6" << "--" << "  ----" << "  ----" << hex("FF FF");
        QTest::newRow("minute 60") << "6" << "60" << "  ----" << "  ----" << hex("FF FF");
        QTest::newRow("minute 59") << "6" << "59" << "6" << "59" << hex("06 59");
        QTest::newRow("hour 24 is sent") << "24" << "0" << "24" << "0" << hex("24 00");
        QTest::newRow("hour 159") << "159" << "0" << "159" << "0" << hex("F9 00");
        QTest::newRow("hour 160 unset") << "160" << "30" << "160" << "30" << hex("FF 30");
        QTest::newRow("minute without hour") << "" << "30" << "" << "30" << hex("FF 30");
        QTest::newRow("both empty") << "" << "" << "" << "" << hex("FF FF");
        QTest::newRow("read markers") << "  -----" << "  -----" << "  -----" << "  -----" << hex("FF FF");
        QTest::newRow("file markers") << "--" << "--" << "--" << "--" << hex("FF FF");
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

    void invalidCells_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("letters") << 3 << 2 << "abc"
                                 << "Nachtstartzeiten wurden nicht übertragen:\r\nMontag, Std1: \"abc\" ist keine ganze Zahl.";
        QTest::newRow("fraction") << 8 << 5 << "2.5"
                                  << "Nachtstartzeiten wurden nicht übertragen:\r\nSamstag, Min2: \"2.5\" ist keine ganze Zahl.";
        QTest::newRow("too large") << 2 << 3 << "99999999999"
                                   << "Nachtstartzeiten wurden nicht übertragen:\r\nSonntag, Min1: \"99999999999\" ist "
                                      "keine ganze Zahl.";
        QTest::newRow("an error marker") << 2 << 2 << "ERR: keine Antwort"
                                         << "Nachtstartzeiten wurden nicht übertragen:\r\nSonntag, Std1: \"ERR: keine "
                                            "Antwort\" ist keine ganze Zahl.";
    }
    void invalidCells()
    {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QString, text);
        QFETCH(QString, message);
        grid->setText(3, 4, "6"); // would be marked by the check
        grid->setText(row, col, text);
        const auto problem = findInvalidNightCell(*grid);
        QVERIFY(problem);
        QCOMPARE(problem->row, row);
        QCOMPARE(problem->col, col);
        QCOMPARE(nightCellProblemText(*problem), message);

        // Sending refuses before the first frame and leaves the grid as it was.
        const SheetModel::Cells before = snapshot(*grid);
        QCOMPARE(transfer().send(3), NightSendResult::Refused);
        QVERIFY(frames.isEmpty());
        QCOMPARE(snapshot(*grid), before);
        QCOMPARE(prompter->shown.size(), 1);
        QCOMPARE(prompter->shown.first().kind, QStringLiteral("inform"));
        QCOMPARE(prompter->shown.first().caption, QStringLiteral("FEHLER"));
        QCOMPARE(prompter->shown.first().text, message);
        QVERIFY(!state->transferActive());
    }

    void readFillsTheGrid()
    {
        store().setStart(0, 2, 0x05, 0x05); // 0x05 doubled on the line
        grid->setText(5, 5, "17");
        QVERIFY(transfer().read(3));
        QCOMPARE(frames, (QList<QByteArray>{hex("05 9E"), hex("46 17 4E 4E B3")}));
        QCOMPARE(valueTexts(*grid),
                 (QStringList{"  -----", "  -----", "5",       "5",       "3",       "30",      "  -----",
                              "  -----", "3",       "30",      "  -----", "  -----", "3",       "30",
                              "  -----", "  -----", "3",       "30",      "  -----", "  -----", "3",
                              "30",      "  -----", "  -----", "4",       "15",      "22",      "0"}));
        QCOMPARE(grid->sheetName(), QStringLiteral("Nachtstartzeiten_Ofen_3"));
        QCOMPARE(prompter->texts("window"),
                 (QStringList{"Nachtstartzeiten werden gelesen...", "Nachtstartzeiten lesen: Funktion beendet."}));
        QVERIFY(prompter->retriggers >= 1);
        QVERIFY(!state->abortFlag);
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
        line->faults().aim(FaultKind(fault), 3, function, count);
        grid->setText(6, 4, "12");
        QCOMPARE(transfer().read(3), ok);
        QCOMPARE(grid->text(2, 2), cell);
        QCOMPARE(readFrames(), reads);
        QCOMPARE(addressFrames(3), 5);
        QCOMPARE(grid->sheetName(), ok ? QStringLiteral("Nachtstartzeiten_Ofen_3") : QStringLiteral("Nachtstartzeiten"));
        if (!ok) {
            // Cleared before the read, and a send now refuses the marker.
            QCOMPARE(grid->text(6, 4), QString());
            frames.clear();
            QCOMPARE(transfer().send(3), NightSendResult::Refused);
            QVERIFY(frames.isEmpty());
        }
        QCOMPARE(prompter->texts("window").last(), QStringLiteral("Nachtstartzeiten lesen: Funktion beendet."));
    }

    void lastFailureIsTheAddressing()
    {
        // Four bad replies, then the oven stops answering: the last failure was the addressing.
        line->faults().aim(FaultKind::CorruptChecksum, 3, 0x17, 4);
        connect(&link->engine(), &CommandEngine::frameSent, this, [this](const QByteArray &) {
            if (readFrames() == 4)
                line->setPresentOvens({1});
        });
        QVERIFY(!transfer().read(3));
        QCOMPARE(grid->text(2, 2), QStringLiteral("ERR: keine Antwort"));
    }

    void shortReplyIsAFailedTry()
    {
        // Framed and summed right, but one byte short of the record.
        line->controller(3).registerFunction(kNightReadFunction, [](quint8, quint8) {
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
        line->faults().aim(FaultKind::CorruptChecksum, 3, 0x17, -1);
        connect(&link->engine(), &CommandEngine::frameSent, this, [this](const QByteArray &f) {
            if (f.startsWith(hex("46 17")) && readFrames() == 2)
                state->abortFlag = true; // "Abbruch" during the second try
        });
        QVERIFY(!transfer().read(3));
        QCOMPARE(readFrames(), 2);
        QCOMPARE(grid->text(2, 2), QStringLiteral("Read"));
        QCOMPARE(prompter->texts("window").last(), QStringLiteral("Funktion abgebrochen."));
        QVERIFY(!state->abortFlag);
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
        QCOMPARE(frames.mid(0, 3), (QList<QByteArray>{hex("05 9E"), hex("46 18 6E 6E F4"), dataFrame(expected)}));
        // Read back: what the controller holds now.
        QCOMPARE(frames.mid(3), (QList<QByteArray>{hex("05 9E"), hex("46 17 4E 4E B3")}));
        QCOMPARE(grid->text(3, 2), QStringLiteral("6"));
        QCOMPARE(grid->text(3, 3), QStringLiteral("0"));
        QCOMPARE(grid->text(5, 4), QStringLiteral("  -----"));
        QCOMPARE(grid->sheetName(), QStringLiteral("Nachtstartzeiten_Ofen_3"));
        QCOMPARE(prompter->texts("window"),
                 (QStringList{"Nachtstartzeiten werden übertragen...", "Nachtstartzeiten übertragen.",
                              "Nachtstartzeiten werden gelesen...", "Nachtstartzeiten lesen: Funktion beendet."}));
    }

    void emptyGridSendsAllUnset()
    {
        QCOMPARE(transfer().send(3), NightSendResult::Sent);
        QCOMPARE(sentRecords(), (QList<QByteArray>{QByteArray(28, char(0xFF)) + hex("E4")}));
        QCOMPARE(nightRecordBytes(store().record()), QByteArray(28, char(0xFF)));
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
        line->setPresentOvens(ovens);
        if (announceNaks)
            line->faults().aim(FaultKind::Nak, 3, kNightWriteFunction, announceNaks);
        if (recordRefusals)
            refuseRecords(3, recordRefusals);
        grid->setText(2, 2, "4");
        grid->setText(2, 3, "45");
        QCOMPARE(int(transfer().send(3)), result);
        QCOMPARE(prompter->texts("window"), messages);
        QCOMPARE(int(sentRecords().size()), records);
        const bool sent = result == int(NightSendResult::Sent);
        QCOMPARE(addressFrames(3), sent ? (announceNaks ? 6 : records) + 1 : 6);
        QCOMPARE(readFrames(), sent ? 1 : 0);
        QCOMPARE(store().record()[0], quint8(sent ? 0x04 : 0xFF));
        QVERIFY(!state->abortFlag);
    }

    void abortBetweenSendAttempts()
    {
        refuseRecords(3, -1);
        connect(&link->engine(), &CommandEngine::frameSent, this, [this](const QByteArray &f) {
            if (f.startsWith(hex("46 18")) && announceFrames() == 2)
                state->abortFlag = true;
        });
        QCOMPARE(transfer().send(3), NightSendResult::Aborted);
        QCOMPARE(sentRecords().size(), 2);
        QCOMPARE(prompter->texts("window").last(), QStringLiteral("Funktion abgebrochen."));
        QVERIFY(!state->abortFlag);
    }

    void transfersHoldTheLineAndPauseTheClock()
    {
        RequestProbe clock;
        state->clockWindow = &clock;
        bool guarded = true;
        connect(&link->engine(), &CommandEngine::frameSent, this,
                [&](const QByteArray &) { guarded = guarded && state->transferActive(); });
        QCOMPARE(transfer().send(3), NightSendResult::Sent);
        QVERIFY(transfer().read(3));
        QVERIFY(guarded);
        QVERIFY(!state->transferActive());
        QCoreApplication::sendPostedEvents();
        QCOMPARE(clock.requests, (QList<Request>{Request::StopCommunication, Request::StartCommunication,
                                                 Request::StopCommunication, Request::StartCommunication}));
    }

    void fileNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("usb");
        QTest::addColumn<QString>("saved");
        QTest::newRow("plan") << "plan" << false << "plan.NGT";
        QTest::newRow("plan usb") << "plan" << true << "plan.TBZ";
        QTest::newRow("lower case kept") << "PLAN.ngt" << false << "PLAN.ngt";
        QTest::newRow("tbz kept") << "/tmp/a.tbz" << true << "/tmp/a.tbz";
        QTest::newRow("contains, not ends") << "x.NGT.alt" << false << "x.NGT.alt";
        QTest::newRow("other kind") << "plan.NGT" << true << "plan.NGT.TBZ";
    }
    void fileNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, usb);
        QFETCH(QString, saved);
        QCOMPARE(withNightSuffix(name, usb ? NightFileKind::Tbz : NightFileKind::Ngt), saved);
        QCOMPARE(nightFileKind("a.tbz"), NightFileKind::Tbz);
        QCOMPARE(nightFileKind("a.NGT"), NightFileKind::Ngt);
        QCOMPARE(nightFileKind("a.NGT.txt"), NightFileKind::None);
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

    void tbzRoundTripAndSend()
    {
        grid->setText(3, 2, "6");
        grid->setText(3, 3, "0");
        grid->setText(8, 4, "23");
        grid->setText(8, 5, "59");
        QTemporaryDir dir;
        const QString name = dir.filePath("plan.TBZ");
        QVERIFY(saveTbzFile(*grid, name, nullptr));
        SheetModel back;
        setupNightStartGrid(back);
        QString error;
        QVERIFY2(loadTbzFile(name, back, &error), qPrintable(error));
        QCOMPARE(back.text(3, 2), QStringLiteral("06"));
        QCOMPARE(back.text(3, 3), QStringLiteral("00"));
        QCOMPARE(back.text(3, 4), QStringLiteral("--"));
        QCOMPARE(back.text(8, 5), QStringLiteral("59"));
        QCOMPARE(back.text(2, 2), QStringLiteral("--"));
        NightTransfer t(*state, link->engine(), *prompter, back);
        QCOMPARE(t.send(3), NightSendResult::Sent);
        QCOMPARE(nightRecordBytes(store().record()).mid(4, 2), hex("06 00"));
        QCOMPARE(nightRecordBytes(store().record()).mid(26, 2), hex("23 59"));
        QCOMPARE(back.text(3, 2), QStringLiteral("6")); // read back as numbers
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
        QCOMPARE(grid->text(3, 2), QStringLiteral("05"));
        QCOMPARE(grid->text(3, 3), QStringLiteral("30"));
        QCOMPARE(grid->text(8, 4), QStringLiteral("--"));
        QCOMPARE(grid->text(8, 5), QStringLiteral("--"));
        QCOMPARE(grid->text(4, 2), QStringLiteral("--"));
        QCOMPARE(grid->text(4, 3), QStringLiteral("15"));
        QCOMPARE(grid->text(2, 2), QString()); // missing key: empty cells
        QCOMPARE(grid->text(2, 1), QStringLiteral("Sonntag"));
        QCOMPARE(grid->sheetName(), QStringLiteral("Nachtstartzeiten"));
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
        const SheetModel::Cells before = snapshot(*grid);
        QString error;
        QVERIFY(!loadNightFile(name, nightFileKind(name), *grid, &error));
        QCOMPARE(snapshot(*grid), before);
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
        QCOMPARE(back.maxRow(), 8);
        QCOMPARE(back.maxCol(), 5);
        // Converted to .TBZ and back to .NGT: the start times stay.
        const QString tbz = dir.filePath("plan.TBZ");
        QVERIFY(saveNightFile(back, tbz, NightFileKind::Tbz, &error));
        SheetModel again;
        setupNightStartGrid(again);
        QVERIFY(loadNightFile(tbz, NightFileKind::Tbz, again, &error));
        QCOMPARE(nightRecordFromGrid(again), nightRecordFromGrid(back));
    }

    void ngtOfAnotherGridIsRefused()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath("programs.NGT");
        SheetModel programs;
        programs.setText(1, 1, "Weizenbrot");
        programs.setNumber(1, 24, 230);
        QVERIFY(saveWorkbook(programs, name));
        const SheetModel::Cells before = snapshot(*grid);
        QString error;
        QVERIFY(!loadNgtFile(name, *grid, &error));
        QCOMPARE(error, QStringLiteral("Datei enthält keine Nachtstartzeiten: %1").arg(name));
        QCOMPARE(snapshot(*grid), before);
        SheetModel empty;
        QVERIFY(saveWorkbook(empty, name));
        QVERIFY(!loadNgtFile(name, *grid, &error));
        QCOMPARE(snapshot(*grid), before);
    }

    void printName()
    {
        const QDateTime at(QDate(2026, 12, 24), QTime(5, 30, 0));
        const QLocale locale = QLocale::system();
        QCOMPARE(nightPrintSheetName("Nachtstartzeiten_Ofen_3", at),
                 QStringLiteral("Nachtstartzeiten_Ofen_3          ") + locale.toString(at.date(), QLocale::ShortFormat)
                     + " " + locale.toString(at.time(), QLocale::LongFormat));
    }

    void simKeepsWhatWasSent()
    {
        QCOMPARE(nightRecordBytes(store(5).record()).toHex(' '),
                 QByteArray("ff ff ff ff 03 30 ff ff 03 30 ff ff 03 30 ff ff 03 30 ff ff 03 30 ff ff 04 15 22 00"));
        QCOMPARE(transfer().send(5), NightSendResult::Sent);
        QCOMPARE(store(5).writeCount(), 1);
        QCOMPARE(nightRecordBytes(store(5).record()), QByteArray(28, char(0xFF)));
        QCOMPARE(store(3).writeCount(), 0);
    }

    // torvelctl night, each run on a fresh built-in line.
    void cliReadWritesTheFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("tbz") << "woche.TBZ";
        QTest::newRow("ngt") << "woche.ngt";
    }
    void cliReadWritesTheFile()
    {
        QFETCH(QString, file);
        QTemporaryDir dir;
        const QString name = dir.filePath(file);
        const Run r = torvelctl({"--port", "SIM", "--oven", "3", "night", "read", "-o", name});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("Nachtstartzeiten von Ofen 3 gelesen: %1\n").arg(name));
        SheetModel back;
        setupNightStartGrid(back);
        QString error;
        QVERIFY2(loadNightFile(name, nightFileKind(name), back, &error), qPrintable(error));
        if (nightFileKind(name) == NightFileKind::Tbz) {
            QCOMPARE(readFile(name), kSimDefaultTbz);
        } else {
            QCOMPARE(back.sheetName(), QStringLiteral("Nachtstartzeiten_Ofen_3"));
            QCOMPARE(back.text(8, 4), QStringLiteral("22"));
        }
    }

    void cliSendsFiles()
    {
        QTemporaryDir dir;
        const QString tbz = dir.filePath("woche.TBZ");
        QVERIFY(writeFile(tbz, kMondaySixTbz));
        Run r = torvelctl({"--port", "SIM", "--oven", "2", "night", "send", tbz});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("Nachtstartzeiten an Ofen 2 gesendet.\n"));
        QVERIFY(r.err.contains("Nachtstartzeiten übertragen."));
        const QString ngt = dir.filePath("woche.NGT");
        grid->setText(3, 2, "6");
        grid->setText(3, 3, "0");
        QVERIFY(saveNgtFile(*grid, ngt, nullptr));
        r = torvelctl({"--port", "SIM", "night", "send", ngt});
        QCOMPARE(r.code, 0);
    }

    void cliUnusableFilesTouchNoLine_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << "none.TBZ" << QByteArray() << "Datei nicht gefunden: %1";
        QTest::newRow("no section") << "a.TBZ" << QByteArray("Nacht\r\n[ENDE]\r\n")
                                    << "Datei enthält keine Nachtstartzeiten (Abschnitt [BEREITSCHAFT] fehlt): %1";
        QTest::newRow("not a number") << "c.NGT" << QByteArray()
                                      << "FEHLER: Nachtstartzeiten wurden nicht übertragen:\nDienstag, Min2: \"x7\" ist "
                                         "keine ganze Zahl.";
        QTest::newRow("no night file") << "a.txt" << QByteArray("x")
                                       << "night send: genau eine Datei mit der Endung .TBZ oder .NGT angeben.";
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
        const Run r = torvelctl({"--port", "SIM", "--monitor", monitor, "night", "send", name});
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(message.contains("%1") ? message.arg(name) : message), qPrintable(r.err));
        QCOMPARE(readFile(monitor), QByteArray("Kommandos\tGesendete Befehle\tEmpfangene Antwort\n"));
    }

    void cliConvertsBothWays()
    {
        QTemporaryDir dir;
        const QString tbz = dir.filePath("in.TBZ");
        const QString ngt = dir.filePath("mid.NGT");
        const QString back = dir.filePath("back.tbz");
        QVERIFY(writeFile(tbz, kMondaySixTbz));
        Run r = torvelctl({"--port", "SIM", "convert", tbz, ngt});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("Nachtstartzeiten umgewandelt: %1 -> %2\n").arg(tbz, ngt));
        r = torvelctl({"--port", "SIM", "convert", ngt, back});
        QCOMPARE(r.code, 0);
        QCOMPARE(readFile(back), kMondaySixTbz);
        const QString none = dir.filePath("none.TBZ");
        const QString out = dir.filePath("out.NGT");
        r = torvelctl({"--port", "SIM", "convert", none, out});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains(QStringLiteral("Datei nicht gefunden: %1").arg(none)));
        QVERIFY(!QFile::exists(out));
    }

    void cliUsage()
    {
        QTemporaryDir dir;
        QCOMPARE(torvelctl({"--port", "SIM", "night", "read"}).code, 2);
        QCOMPARE(torvelctl({"--port", "SIM", "night", "read", "-o", dir.filePath("a.csv")}).code, 2);
        QVERIFY(!QFile::exists(dir.filePath("a.csv")));
        QCOMPARE(torvelctl({"--port", "SIM", "night", "send"}).code, 2);
        const Run help = torvelctl({"--help"});
        QVERIFY(help.out.contains("night read"));
        QVERIFY(help.out.contains("night send"));
    }

    void cliOverAPty()
    {
        PtySim sim;
        // Oven 5 refuses its address at once (no waiting for time-outs).
        QVERIFY(sim.start({"--fault", "checksum@3:17x4", "--fault", "nak@5:addrx*"}));
        QTemporaryDir dir;
        const QString in = dir.filePath("in.TBZ");
        QVERIFY(writeFile(in, kMondaySixTbz));
        Run r = torvelctl({"--port", sim.device, "--oven", "3", "night", "send", in});
        QCOMPARE(r.code, 0);
        // The read back used up the four faults; this read gets it at once.
        const QString out = dir.filePath("out.tbz");
        r = torvelctl({"--port", sim.device, "--oven", "3", "night", "read", "-o", out});
        QCOMPARE(r.code, 0);
        QCOMPARE(readFile(out), kMondaySixTbz);
        // An oven that does not answer: exit 1 and no file.
        const QString none = dir.filePath("none.TBZ");
        r = torvelctl({"--port", sim.device, "--oven", "5", "night", "read", "-o", none});
        QCOMPARE(r.code, 1);
        QVERIFY(r.err.contains("Nachtstartzeiten von Ofen 5 nicht gelesen: ERR: keine Antwort"));
        QVERIFY(!QFile::exists(none));
        r = torvelctl({"--port", sim.device, "--oven", "5", "night", "send", in});
        QCOMPARE(r.code, 1);
        QVERIFY(r.err.contains("Steuerung nicht erreichbar."));
    }
};

QTEST_GUILESS_MAIN(TestNightStart)
#include "tst_nightstart.moc"
