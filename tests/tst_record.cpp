// The whole Torvel record: the version, the read and the send with their phases and Errors
// texts against the simulated line, the .vtr file with its CRC line and configuration part,
// and torvelctl record over a pty.

#include "torvel2/configurationfile.h"
#include "torvel2/filecrc.h"
#include "torvel2/recordfile.h"
#include "torvel2/recordtransfer.h"
#include "torvel2/datablockcrc.h"
#include "torvel2/torvelrecord.h"

#include "bakeprog/bakeprogram.h"

#include "link/controller.h"
#include "shell/profilefile.h"
#include "tables/gradienttransfer.h"
#include "tables/readydefaults.h"
#include "tables/readytransfer.h"
#include "simline.h"
#include "testsupport/linerig.h"
#include "testsupport/processes.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace torvel;
using namespace torvel::sim;

namespace {

const QString kConfigNotes = QStringLiteral("Konfigurationsdaten können z.Z. nur mit\r\n"
                                            "dem Programm \"VKSKonfig\" empfangen werden!\r\n");
const QString kReadyNotes = QStringLiteral("Konfigurationsdaten können z.Z. nur mit\r\n"
                                           "dem Programm \"VKSKonfig\" gesendet werden!\r\n");

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

struct Rig : test::LineRig {
    Rig() { state.setSelectedOven(7); }
    Torvel2Line torvel2(int oven = 7) { return {engine(), prompter, oven}; }
    RecordTransferResult read(TorvelRecord &record, int oven = 7) { return ReadTorvelRecord(torvel2(oven), state, record); }
    RecordTransferResult send(TorvelRecord &record, int oven = 7) { return SendTorvelRecord(torvel2(oven), state, record); }
};

// A record as a read leaves it, with a configuration of two parameters.
TorvelRecord sampleRecord()
{
    TorvelRecord r;
    r.NoRecordLoaded = false;
    r.name(1) = QStringLiteral("Brötchen     ");
    r.name(2) = QStringLiteral("ERR: Übertragungsfehler");
    for (int f = 2; f <= kRecordValueFields; ++f)
        r.value(1, f) = QString::number(f * 10);
    for (int d = 1; d <= kRecordNightDays; ++d)
        for (int e = 1; e <= kRecordNightEntries; ++e)
            r.nightStart(d, e) = d == 1 ? QStringLiteral("  -----") : QString::number(e * 7);
    r.gradient = testGradientTable();
    r.ready = defaultReadyTable();
    r.ReadyBlockRead.setAll(true);
    r.configuration.version = QStringLiteral("4.10 r30");
    r.configuration.parameters = {{0, QStringLiteral("Busadresse"), false, false, 70, 10, 70, 10},
                                  {0, QStringLiteral("Temperatur"), true, true, -5, -40, 300, 0}};
    return r;
}

} // namespace

class TestRecord : public QObject
{
    Q_OBJECT

private slots:
    void versionFields_data()
    {
        QTest::addColumn<int>("word");
        QTest::addColumn<int>("revision"); // -1: none
        QTest::addColumn<int>("capability"); // -1: none
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("variant");
        QTest::addColumn<QString>("text");
        QTest::newRow("4.00 r25") << 400 << 25 << 0x02 << 0x40019 << "9" << "4.00 r25";
        QTest::newRow("11 programs") << 399 << 9 << 0x00 << 0x36309 << "1" << "3.99 r9";
        // 3.33: the low byte of V is "M"; only the "M" behind the version fields counts.
        QTest::newRow("M in V") << 333 << 9 << 0x00 << 0x32109 << "1" << "3.33 r9";
        QTest::newRow("no M") << 160 << -1 << -1 << 0x13C00 << "9" << "1.60 r0";
    }
    void versionFields()
    {
        QFETCH(int, word);
        QFETCH(int, revision);
        QFETCH(int, capability);
        QFETCH(int, number);
        QFETCH(QString, variant);
        QFETCH(QString, text);
        Rig rig;
        SimVersion v{static_cast<quint16>(word), std::nullopt, std::nullopt};
        if (revision >= 0)
            v.revision = static_cast<quint8>(revision);
        if (capability >= 0)
            v.capability = static_cast<quint8>(capability);
        rig.line->controller(7).version() = v;
        const Torvel2Version read = ReadTorvel2Version(rig.torvel2());
        QCOMPARE(read.number, number);
        QCOMPARE(read.major, word / 100);
        QCOMPARE(read.variant, variant);
        QCOMPARE(read.text, text);
        QCOMPARE(rig.frames, (QList<QByteArray>{hex("05 C6"), hex("46 09 56 72 D1")}));
    }

    void readPhases_data()
    {
        QTest::addColumn<int>("word");
        QTest::addColumn<int>("revision");
        QTest::addColumn<QString>("errors");
        QTest::addColumn<bool>("gradientRead");
        QTest::newRow("3.99 r9") << 399 << 9
                                 << "Version < 4.00 r25 unterstützt\r\nkein Auslesen der Steigungstabelle!\r\n"
                                    "Defaultwerte wurden eingetragen!\r\n"
                                 << false;
        QTest::newRow("4.00 r25") << 400 << 25 << "" << true;
        QTest::newRow("4.10 r30") << 410 << 30 << "" << true;
    }
    void readPhases()
    {
        QFETCH(int, word);
        QFETCH(int, revision);
        QFETCH(QString, errors);
        QFETCH(bool, gradientRead);
        Rig rig;
        rig.line->controller(7).version() = {static_cast<quint16>(word), static_cast<quint8>(revision), 99};
        TorvelRecord record;
        const RecordTransferResult r = rig.read(record);
        QVERIFY(r.ok);
        QVERIFY(!record.NoRecordLoaded);
        const QString all = errors + kReadyNotes + kConfigNotes;
        QCOMPARE(r.errors, all);
        QCOMPARE(rig.prompter.shown.size(), 1);
        QCOMPARE(rig.prompter.shown.at(0).caption, QStringLiteral("ERROR"));
        QCOMPARE(rig.prompter.shown.at(0).text, QStringLiteral("Torvelrecord  gelesen.\r\n\r\n") + all);
        QCOMPARE(r.status, QStringLiteral("Prgstatus\r\nBackprogramme gelesen.\r\nNachstarts gelesen.\r\n")
                               + (gradientRead ? "Steigungstabelle gelesen." : "Steigungstabelle Defaults gesetzt.")
                               + "\r\nBereittabelle Defaults gesetzt.\r\nKonfiguration geht nicht in WinTorvel.\r\n"
                                 "Konfiguration gelesen.");
        QCOMPARE(rig.framesStarting(hex("46 24")), gradientRead ? 2 : 0);
        QCOMPARE(record.gradient == defaultGradientTable(), !gradientRead);
        QCOMPARE(record.ready, defaultReadyTable());
        QVERIFY(missingReadyBlocks(record.ReadyBlockRead, 9).isEmpty());
        QCOMPARE(rig.framesStarting(hex("46 15")), 99);
        QCOMPARE(rig.framesStarting(hex("46 0B")), 99);
        QCOMPARE(record.name(1).toLatin1(), rig.line->controller(7).programs().nameBytes(1));
        QCOMPARE(record.value(1, 1), QString());
        QCOMPARE(record.value(1, 2), QString::number(rig.line->controller(7).programs().values(1)[0]));
        QCOMPARE(record.nightStart(2, 1), QStringLiteral("3"));
        QCOMPARE(record.nightStart(1, 1), QStringLiteral("  -----"));
        QCOMPARE(record.configuration.version, QStringLiteral("%1.%2 r%3").arg(word / 100).arg(word % 100, 2, 10, QChar('0')).arg(revision));
        QCOMPARE(rig.frames.mid(0, 5), (QList<QByteArray>{hex("05 C6"), hex("05 C6"), hex("46 09 56 72 D1"),
                                                          hex("05 C6"), hex("46 09 56 72 D1")}));
    }

    void elevenPrograms_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Ja") << true;
        QTest::newRow("Nein") << false;
    }
    void elevenPrograms()
    {
        QFETCH(bool, yes);
        const PromptButton answer = yes ? PromptButton::Yes : PromptButton::No;
        Rig rig;
        rig.line->controller(7).version() = {410, 30, 0x00};
        rig.prompter.answers << answer;
        TorvelRecord record;
        QCOMPARE(rig.read(record).ok, answer == PromptButton::Yes);
        QCOMPARE(rig.prompter.shown.at(0).caption, QStringLiteral("ACHTUNG"));
        QCOMPARE(rig.prompter.shown.at(0).text,
                 QStringLiteral("Torvel mit nur 11 Backprogrammen erkannt!\r\nWollen Sie dennoch weitermachen?."));
        QCOMPARE(rig.framesStarting(hex("46 15")), answer == PromptButton::Yes ? 11 : 0);
        QCOMPARE(record.NoRecordLoaded, answer != PromptButton::Yes);
        if (answer == PromptButton::Yes) { // the send counts 11 without asking
            rig.frames.clear();
            QVERIFY(rig.send(record).ok);
            QCOMPARE(rig.framesStarting(hex("46 16")), 11);
            QCOMPARE(rig.prompter.texts("ask").size(), 1);
        }
    }

    void readFailures_data()
    {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<QString>("box"); // empty: the addressing box only
        QTest::newRow("no version") << QStringList{"silence@7:09x*"}
                                    << "Torvelrecord konnte nicht gelesen werden!\r\n\r\n"
                                       "Version konnte nicht empfangen werden!\r\n" + kConfigNotes;
        QTest::newRow("night starts") << QStringList{"silence@7:17x*"}
                                      << "Torvelrecord konnte nicht gelesen werden!\r\n\r\n"
                                         "Nachtstartzeiten konnten nicht empfangen werden!\r\n" + kConfigNotes;
        QTest::newRow("not addressable") << QStringList{"silence@7:addrx*"} << QString();
    }
    void readFailures()
    {
        QFETCH(QStringList, faults);
        QFETCH(QString, box);
        Rig rig;
        QVERIFY(rig.addFaults(faults));
        TorvelRecord record;
        const RecordTransferResult r = rig.read(record);
        QVERIFY(!r.ok);
        QVERIFY(record.NoRecordLoaded);
        QCOMPARE(rig.prompter.shown.last().text, box.isEmpty() ? QStringLiteral("Steuerung nicht adressierbar!!") : box);
    }

    void abortStopsTheReadAfterItsTry()
    {
        Rig rig;
        rig.onFrame = [&](const QByteArray &f) {
            if (f.startsWith(hex("46 15")))
                rig.state.abortFlag = true;
        };
        TorvelRecord record;
        const RecordTransferResult r = rig.read(record);
        QVERIFY(!r.ok && r.aborted);
        QVERIFY(record.NoRecordLoaded);
        QCOMPARE(rig.framesStarting(hex("46 15")), 1);
        QCOMPARE(rig.framesStarting(hex("46 0B")), 0);
        QCOMPARE(rig.framesStarting(hex("46 17")), 1);
        QVERIFY(r.status.contains(QStringLiteral("\r\nFunktion abgebrochen.\r\n")));
        QVERIFY(!rig.state.abortFlag);
    }

    void failedValuesMarkTheName()
    {
        Rig rig;
        rig.line->faults().aim(FaultKind::CorruptChecksum, 7, 0x0B, 5);
        TorvelRecord record;
        const RecordTransferResult r = rig.read(record);
        QVERIFY(r.ok);
        QCOMPARE(record.name(1), QStringLiteral("ERR: Übertragungsfehler"));
        QCOMPARE(record.value(1, 2), QString());
        QCOMPARE(r.failedPrograms, QList<int>{1});
        rig.frames.clear();
        QVERIFY(rig.send(record).ok);
        QCOMPARE(rig.framesStarting(hex("46 16 01 01")), 0); // never sent
        QCOMPARE(rig.framesStarting(hex("46 0C 01 01")), 0);
    }

    void sendChecks_data()
    {
        QTest::addColumn<int>("spoil");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::newRow("ready block") << 0 << "ACHTUNG"
                                     << "Bereittabelle fehlt!\r\nBitte Torvelrecord öffnen oder lesen\r\noder laden!";
        QTest::newRow("no record") << 1 << "ACHTUNG" << "Bitte erst Torvelrecord öffnen oder lesen!";
        QTest::newRow("no gradient") << 2 << "ACHTUNG"
                                     << "Bitte erst Steigungstabelle auslesen\r\noder gespeicherte Tabelle öffnen!";
        QTest::newRow("night entry") << 3 << "FEHLER"
                                     << "Nachtstartzeiten wurden nicht übertragen:\r\nSamstag, Min2: \"x\" ist keine "
                                        "ganze Zahl.";
    }
    void sendChecks()
    {
        QFETCH(int, spoil);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        Rig rig;
        TorvelRecord record = sampleRecord();
        if (spoil == 0)
            record.ReadyBlockRead.set(6, 9, false);
        if (spoil == 1)
            record.NoRecordLoaded = true;
        if (spoil == 2)
            record.gradient.markEmpty();
        if (spoil == 3)
            record.nightStart(7, 4) = QStringLiteral("x");
        const RecordTransferResult r = rig.send(record);
        QVERIFY(!r.ok && r.refused);
        QVERIFY(rig.frames.isEmpty());
        QCOMPARE(rig.prompter.shown.size(), 2);
        QCOMPARE(rig.prompter.shown.at(0).caption, caption);
        QCOMPARE(rig.prompter.shown.at(0).text, text);
        QCOMPARE(rig.prompter.shown.at(1).text, QStringLiteral("Torvelrecord konnte nicht übertragen werden!\r\n\r\n"));
    }

    void sendWritesEverything()
    {
        Rig rig;
        TorvelRecord record = sampleRecord();
        record.nightStart(2, 1) = QStringLiteral("170"); // no packed form: unset
        record.nightStart(3, 2) = QStringLiteral("75");  // a minute beyond the hour
        const RecordTransferResult r = rig.send(record);
        QVERIFY(r.ok);
        QCOMPARE(rig.prompter.shown.last().text, QStringLiteral("Torvelrecord  übertragen.\r\n\r\n") + kReadyNotes);
        SimController &oven = rig.line->controller(7);
        QCOMPARE(decodeProgramName(oven.programs().nameBytes(1)), QStringLiteral("Brötchen      "));
        QCOMPARE(oven.programs().values(1)[22], quint16(240));
        QCOMPARE(rig.framesStarting(hex("46 16 02 02")), 0); // the marked program stays
        QCOMPARE(oven.nights().record()[4], quint8(0xFF));
        QCOMPARE(oven.nights().record()[8], quint8(0xFF)); // "  ----" both
        QCOMPARE(record.nightStart(3, 1), QStringLiteral("  ----"));
        QCOMPARE(oven.nights().record()[5], quint8(0x14));
        QCOMPARE(rig.framesStarting(hex("46 23")), 63);
        QCOMPARE(oven.gradient().writeCount(), 2);
    }

    void sendToTheFirstGeneration()
    {
        Rig rig;
        rig.line->controller(7).version() = {399, 9, 99};
        TorvelRecord record = sampleRecord();
        const RecordTransferResult r = rig.send(record);
        QVERIFY(r.ok);
        QCOMPARE(rig.framesStarting(hex("46 23")), 0);
        QCOMPARE(r.errors, QStringLiteral("Steigungstabelle konnte nicht gesendet werden!\r\n"
                                          "Ausgelesener Torvel ist Torvel Typ1!\r\nBereittabelle gibt es nur bei "
                                          "Torvel2(EM)!\r\nBereittabelle nicht gesendet!\r\n\r\n")
                               + kReadyNotes);
    }

    void programThatFailsAbortsTheSend()
    {
        Rig rig;
        rig.line->faults().aim(FaultKind::Nak, 7, 0x16, 5);
        TorvelRecord record = sampleRecord();
        const RecordTransferResult r = rig.send(record);
        QVERIFY(!r.ok && r.aborted);
        QVERIFY(r.status.contains(QStringLiteral("\r\nERR: Übertragung wurde abgebrochen!\r\n")));
        QCOMPARE(r.errors, QStringLiteral("Backprogramme konnten nicht gesendet werden!\r\n") + kReadyNotes);
        QCOMPARE(rig.framesStarting(hex("46 18")), 0);
        QVERIFY(!rig.state.abortFlag);
    }

    void abortStopsTheReadyTableAfterItsBlock()
    {
        Rig rig;
        TorvelRecord record = sampleRecord();
        rig.onFrame = [&](const QByteArray &f) {
            if (f.startsWith(hex("46 23 01 00")))
                rig.state.abortFlag = true;
        };
        const RecordTransferResult r = rig.send(record);
        QCOMPARE(rig.framesStarting(hex("46 23")), 1);
        QVERIFY(r.errors.startsWith(QStringLiteral("Bereittabelle konnte nicht gesendet werden!\r\n")));
    }

    // ---- The file ------------------------------------------------------------------------------

    void fileRoundTrip()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("a.vtr");
        const TorvelRecord saved = sampleRecord();
        QString error;
        QVERIFY2(saveRecordFile(file, saved, &error), qPrintable(error));
        const QByteArray bytes = readFile(file);
        QVERIFY(bytes.startsWith("[Backprogramme Torvel:]\r\nName01;Br\xf6tchen     ;\r\nName02;ERR: "));
        QVERIFY(bytes.contains("\r\nPrg01;;20;30;40;"));
        QVERIFY(bytes.contains("\r\nPrg02;;;;;;;;;;;;;;;;;;;;;;;;;\r\n"));
        QVERIFY(bytes.contains("\r\n[Nachtstarts Torvel:]\r\nSonntag;  -----;  -----;  -----;  -----;\r\nMontag;7;14;21;28;\r\n"));
        QVERIFY(bytes.contains("\r\n[Version]\r\nDatei=001.003\r\nSteuerung=4.10 r30\r\n[VKS-Info]\r\nAdressParNr=0\r\n"));
        QVERIFY(bytes.contains("Parameter01_Text=Temperatur\r\nParameter01_Bytes=2\r\nParameter01_signed=1\r\n"
                               "Parameter01_Wert=-5\r\nParameter01_MIN=-40\r\nParameter01_MAX=300\r\n"
                               "Parameter01_Default=0\r\n"));
        const qsizetype crcAt = bytes.lastIndexOf("XX-CRC16-XX:");
        QByteArray lines = bytes.left(crcAt);
        lines.replace("\r\n", "");
        QCOMPARE(bytes.mid(crcAt), "XX-CRC16-XX:" + QByteArray::number(DataBlockCrc(lines) | 0x10000, 16).mid(1) + "\r\n");
        QVERIFY(CheckCrc(file, nullptr));

        test::ScriptedPrompter prompter;
        TorvelRecord opened;
        QCOMPARE(openRecordFile(file, opened, prompter, {dir.path()}), RecordOpen::Opened);
        QVERIFY(prompter.shown.isEmpty());
        QVERIFY(!opened.NoRecordLoaded);
        QCOMPARE(opened.names, saved.names);
        QCOMPARE(opened.values, saved.values);
        QCOMPARE(opened.nightStarts, saved.nightStarts);
        QCOMPARE(opened.gradient, saved.gradient);
        QCOMPARE(opened.ready, saved.ready);
        QCOMPARE(opened.ReadyBlockRead, saved.ReadyBlockRead);
        QCOMPARE(opened.configuration, saved.configuration);
    }

    void crcDeviations_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<QStringList>("before"); // messages before the question
        QTest::newRow("one character") << 0 << QStringList{};
        QTest::newRow("upper-case digits") << 1 << QStringList{};
        QTest::newRow("no CRC line") << 2
                                     << QStringList{"CRC-Checksumme konnte nicht überprüft werden!\r\n(Konnte nicht "
                                                    "aus Datei gelesen werden.)"};
    }
    void crcDeviations()
    {
        QFETCH(int, change);
        QFETCH(QStringList, before);
        QTemporaryDir dir;
        const QString file = dir.filePath("a.vtr");
        // A record whose CRC shows letters, so that upper case changes it.
        TorvelRecord record = sampleRecord();
        QByteArray crc;
        for (int i = 0; !crc.contains('f') && !crc.contains('a') && !crc.contains('c'); ++i) {
            record.name(3) = QString::number(i);
            const QByteArray content = recordFileContent(record);
            crc = content.mid(content.lastIndexOf("XX-CRC16-XX:") + 12, 4);
        }
        QString error;
        QVERIFY(saveRecordFile(file, record, &error));
        QByteArray bytes = readFile(file);
        const qsizetype crcAt = bytes.lastIndexOf("XX-CRC16-XX:");
        if (change == 0)
            bytes.replace("Prg01;;20;", "Prg01;;21;");
        if (change == 1)
            bytes = bytes.left(crcAt) + bytes.mid(crcAt).toUpper();
        if (change == 2)
            bytes = bytes.left(crcAt);
        QVERIFY(writeFile(file, bytes));
        QVERIFY(!CheckCrc(file, nullptr));
        for (const PromptButton answer : {PromptButton::No, PromptButton::Yes}) {
            test::ScriptedPrompter prompter;
            prompter.answers << answer;
            TorvelRecord opened;
            const RecordOpen outcome = openRecordFile(file, opened, prompter, {dir.path()});
            QCOMPARE(prompter.texts("inform").mid(0, before.size()), before);
            QCOMPARE(prompter.texts("ask").size(), 1);
            QVERIFY(prompter.texts("ask").first().startsWith("Achtung: CRC-Checksumme der Datei stimmt nicht!\r\n"));
            QCOMPARE(outcome, answer == PromptButton::Yes ? RecordOpen::Opened : RecordOpen::CrcDeclined);
            QCOMPARE(opened.NoRecordLoaded, answer != PromptButton::Yes);
            if (answer == PromptButton::Yes && change == 0)
                QCOMPARE(opened.value(1, 2), QStringLiteral("21"));
        }
    }

    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("reason"); // the "Fehler" box, empty when none
        QTest::newRow("empty") << QByteArray() << QByteArray() << int(RecordOpen::Deviates) << QString();
        QTest::newRow("short") << QByteArray("\r\nName02;") << QByteArray("\r\n") << int(RecordOpen::Deviates) << QString();
        QTest::newRow("name with ;") << QByteArray("Name01;Br") << QByteArray("Name01;B;r") << int(RecordOpen::Deviates)
                                     << QString();
        QTest::newRow("value field missing") << QByteArray("240;\r\nPrg02") << QByteArray("240\r\nPrg02")
                                             << int(RecordOpen::Deviates) << QString();
        QTest::newRow("bad gradient") << QByteArray("HERD01;") << QByteArray("HERD1;;") << int(RecordOpen::Deviates)
                                      << QString();
        QTest::newRow("Datei no number") << QByteArray("Datei=001.003") << QByteArray("Datei=0x1.003")
                                         << int(RecordOpen::ConfigRejected) << "Achtung:\r\nKeine gültige Konfigurationsdatei";
        QTest::newRow("Datei old") << QByteArray("Datei=001.003") << QByteArray("Datei=001.000")
                                   << int(RecordOpen::ConfigRejected) << "Achtung:\r\nVersion der Konfigurationsdatei ungültig.";
        QTest::newRow("Steuerung empty") << QByteArray("Steuerung=4.10 r30") << QByteArray("Steuerung=")
                                         << int(RecordOpen::ConfigRejected) << "Achtung:\r\nKeine gültige Konfigurationsdatei";
    }
    void badFiles()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(int, outcome);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString file = dir.filePath("a.vtr");
        QString error;
        QVERIFY(saveRecordFile(file, sampleRecord(), &error));
        QByteArray bytes = readFile(file);
        if (from.isEmpty())
            bytes.clear();
        else if (from.startsWith("\r\nName02"))
            bytes = bytes.left(bytes.indexOf(from)) + to;
        else
            bytes.replace(bytes.indexOf(from), from.size(), to);
        QVERIFY(writeFile(file, withCrcLine(bytes)));
        test::ScriptedPrompter prompter;
        TorvelRecord opened = sampleRecord();
        QCOMPARE(int(openRecordFile(file, opened, prompter, {dir.path()})), outcome);
        QVERIFY(opened.NoRecordLoaded);
        QCOMPARE(opened.name(1), QString());
        QCOMPARE(opened.nightStart(2, 1), QString());
        QStringList boxes = prompter.texts("inform");
        QCOMPARE(boxes.last(), QStringLiteral("Fehler beim Laden des Torvelrecords!"));
        if (!reason.isEmpty())
            QCOMPARE(boxes.at(boxes.size() - 2), reason);
    }

    void saveRefusesFieldsThatCannotBeRead()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("a.vtr");
        TorvelRecord record = sampleRecord();
        record.name(5) = QStringLiteral("A;B");
        QString error;
        QVERIFY(!saveRecordFile(file, record, &error));
        QVERIFY(error.startsWith(QStringLiteral("Fehler beim Sichern des Torvelrecords!")));
        QVERIFY(!QFile::exists(file));
        record = sampleRecord();
        record.NoRecordLoaded = true;
        QVERIFY(!saveRecordFile(file, record, &error));
        QCOMPARE(error, QStringLiteral("Bitte erst Torvelrecord lesen oder öffnen!"));
    }

    void configurationLimits()
    {
        QTemporaryDir dir;
        TorvelConfiguration config;
        config.version = QStringLiteral("4.10 r30");
        config.parameters = {{0, QStringLiteral("A"), false, false, 500, 0, 255, 1},
                             {0, QStringLiteral("B"), false, true, -9, -5, 5, 0},
                             {0, QStringLiteral("C"), false, false, 3, 0, 5, 0}};
        ProfileFile file;
        WriteConfiguration(true, file, config);
        test::ScriptedPrompter prompter;
        TorvelConfiguration read;
        QString message;
        QCOMPARE(ReadConfiguration(file, read, message, dir.path(), &prompter), 0);
        QCOMPARE(read.parameters.at(0).value, 255);
        QCOMPARE(read.parameters.at(1).value, -5);
        QCOMPARE(read.parameters.at(2).value, 3);
        QCOMPARE(prompter.shown.size(), 1);
        QCOMPARE(prompter.shown.at(0).caption, QStringLiteral("Achtung"));
        QVERIFY(prompter.shown.at(0).text.startsWith(QStringLiteral("Einige Parameter der Konfiguration lagen")));
        QVERIFY(prompter.shown.at(0).text.contains(QStringLiteral("wurden auf Minimum/Maximum gesetzt!")));
        const QByteArray report = readFile(dir.filePath("Config_MinMaxCheck.txt"));
        QCOMPARE(report.count("\r\n"), 2);
        QVERIFY(report.startsWith("Parameter00 \"A\": 500"));
    }

    void openedReadyFlagsOnlyForPresentBlocks()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("a.vtr");
        QString error;
        QVERIFY(saveRecordFile(file, sampleRecord(), &error));
        QByteArray bytes = readFile(file);
        // Day 0, deck 9: its deck line and 32 entry lines.
        const qsizetype from = bytes.indexOf("XX;HERD9;");
        const qsizetype to = bytes.indexOf("\r\n\r\n", from) + 2;
        bytes.remove(from, to - from);
        QVERIFY(writeFile(file, withCrcLine(bytes.left(bytes.lastIndexOf("XX-CRC16-XX:")))));
        test::ScriptedPrompter prompter;
        TorvelRecord opened;
        QCOMPARE(openRecordFile(file, opened, prompter, {dir.path()}), RecordOpen::Opened);
        QVERIFY(!opened.ReadyBlockRead.isSet(0, 9));
        QVERIFY(opened.ReadyBlockRead.isSet(1, 9));
        Rig rig;
        QVERIFY(rig.send(opened).refused);
        QVERIFY(rig.prompter.texts("inform").first().startsWith(QStringLiteral("Bereittabelle fehlt!")));
    }

    // ---- torvelctl record ------------------------------------------------------------------------

    void cliReadAndSend()
    {
        QTemporaryDir dir;
        test::PtySim sim;
        QVERIFY(sim.start({"--version", "3=410.30:99", "--version", "4=410.30:0", "--fault", "checksum@7:0bx5"}));
        const QString file = dir.filePath("ofen7.vtr");
        const QStringList common{"--port", sim.device};
        test::CliRun r = test::runTorvelctl(common + QStringList{"--oven", "7", "record", "read", "-o", file});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.startsWith(QStringLiteral("Torvelrecord von Ofen 7 (Version 4.10 r30) gelesen: ")));
        QVERIFY(r.out.endsWith(QStringLiteral("\nBackprogramme mit Fehler: 1\n")));
        QVERIFY(CheckCrc(file, nullptr));
        r = test::runTorvelctl(common + QStringList{"--oven", "3", "record", "send", file, "--log", dir.path()});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("Torvelrecord an Ofen 3 übertragen.\n"));
        // 11 programs: the question needs --yes.
        const QString eleven = dir.filePath("ofen4.vtr");
        r = test::runTorvelctl(common + QStringList{"--oven", "4", "record", "read", "-o", eleven});
        QCOMPARE(r.code, 1);
        QVERIFY(!QFile::exists(eleven));
        r = test::runTorvelctl(common + QStringList{"--oven", "4", "--yes", "record", "read", "-o", eleven});
        QCOMPARE(r.code, 0);

        // A changed file: No unless --yes; a night entry that is no number: 2 before any frame.
        QByteArray bytes = readFile(file);
        bytes.replace("\r\nMontag;", "\r\nMontag;x");
        bytes.replace("Montag;x3;", "Montag;x;");
        QVERIFY(writeFile(file, bytes));
        r = test::runTorvelctl(common + QStringList{"--oven", "3", "record", "send", file, "--log", dir.path()});
        QCOMPARE(r.code, 1);
        r = test::runTorvelctl(common + QStringList{"--oven", "3", "--yes", "record", "send", file, "--log", dir.path()});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains(QStringLiteral("ist keine ganze Zahl")));
        QVERIFY(writeFile(file, "kein Torvelrecord\r\n"));
        r = test::runTorvelctl(common + QStringList{"--oven", "3", "--yes", "record", "send", file, "--log", dir.path()});
        QCOMPARE(r.code, 2);
        r = test::runTorvelctl(common + QStringList{"--oven", "6", "record", "read", "-o", dir.filePath("x.vtr")});
        QCOMPARE(r.code, 0); // a first-generation oven: its gradient table is the defaults
    }
};

QTEST_GUILESS_MAIN(TestRecord)
#include "tst_record.moc"
