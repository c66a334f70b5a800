// Bake program files: .TBR and export bytes, the .TBR reader's flags, .BPR and .TBP single
// programs, .REC round trips with the seconds rows, bad files of every kind, the editor's
// conversions, the service test pattern, the print setup, and torvelctl convert / export.

#include "bakeprog/editorprogram.h"
#include "bakeprog/editorrecord.h"
#include "bakeprog/programexport.h"
#include "bakeprog/programlistfiles.h"
#include "bakeprog/programprint.h"
#include "bakeprog/programsheet.h"
#include "bakeprog/tbrfile.h"
#include "bakeprog/testpattern.h"
#include "bakeprog/typedvalue.h"
#include "shell/appstate.h"
#include "shell/sheetmodel.h"
#include "shell/workbookfile.h"
#include "testsupport/files.h"
#include "testsupport/processes.h"
#include "testsupport/scriptedprompter.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace torvel;
using torvel::test::ScriptedPrompter;
using torvel::test::writeFile;

namespace {

const QString kData = QStringLiteral(TORVEL_TEST_DATA "/programs/");
// One block as the stick holds it, written out line by line.
QByteArray block(const QString &name, int number, const ProgramValues &v)
{
    QByteArray out = "[Programm]\r\nName=" + name.toLatin1() + "\r\nNummer=" + QByteArray::number(number).rightJustified(2, '0')
                     + "\r\n";
    const char *keys[] = {"OH =", "UH =", "BZ =", "SCH=", "ABZ="};
    for (int p = 1; p <= 5; ++p) {
        out += "[Phase" + QByteArray::number(p) + "]\r\n";
        for (int k = 0; k < (p < 5 ? 5 : 3); ++k)
            out += QByteArray(keys[k]) + QByteArray::number(v[5 * p - 5 + k]).rightJustified(5, '0') + "\r\n";
    }
    return out;
}

// The sheet of the list window, the program state and the flag, with the file functions.
struct Rig {
    AppState state;
    SheetModel list;
    ScriptedPrompter prompter;
    bool modified = false;
    ProgramListFiles files{list, state, prompter, modified};

    Rig() { setupProgramSheet(list); }

    // A few cells that a failed operation must leave alone.
    void fillSome()
    {
        list.setText(1, 1, QStringLiteral("Alt"));
        list.setNumber(1, 2, 111);
        list.setNumber(2, 4, 12);
        list.setText(50, 1, QStringLiteral("Fünfzig"));
        list.setNumber(50, 24, 7);
    }
};

using Cli = torvel::test::CliRun;

Cli torvelctl(const QStringList &args)
{
    return torvel::test::runTorvelctl(QStringList{QStringLiteral("--port"), QStringLiteral("SIM")} + args);
}

} // namespace

class TestProgramFiles : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;

    QString tmp(const QString &name) const { return m_tmp.filePath(name); }

private slots:
    void tbrSaveIsByteExact()
    {
        Rig rig;
        rig.list.setText(1, 1, QStringLiteral("Roggen"));
        // Steam 2.5 and 3.5 round to the even neighbour; minutes 10.5 and 2.5 are whole seconds.
        const double shown[23] = {250, 230, 12, 2.5, 3, 240, 220, 10.5, 3.5, 2.5, 230, 210, 1, 7, 0, 220, 200, 0, 8, 0, 210, 190, 20};
        for (int i = 0; i < 23; ++i)
            rig.list.setNumber(1, i + 2, shown[i]);
        rig.list.setText(3, 1, QStringLiteral("Zöpfe"));
        rig.modified = true;
        rig.state.currentFileName = tmp(QStringLiteral("liste"));

        const ListFileResult r = rig.files.saveRecord(ListFileKind::Tbr);
        QVERIFY(r.done());
        QCOMPARE(r.fileName, tmp(QStringLiteral("liste.TBR")));
        QCOMPARE(rig.state.currentFileName, tmp(QStringLiteral("liste.TBR")));
        QCOMPARE(r.caption, QStringLiteral("Backprogramm: ") + tmp(QStringLiteral("liste.TBR")));
        QVERIFY(!rig.modified);

        const ProgramValues p1{250, 230, 720, 2, 180, 240, 220, 630, 4, 150, 230, 210, 60, 7, 0, 220, 200, 0, 8, 0, 210, 190, 1200};
        QByteArray expected = "Backprogramme f\xFCr den Fenmork VKS Torvel\r\n\r\n\r\n";
        expected += block(QStringLiteral("Roggen"), 1, p1);
        expected += block(QString(), 2, ProgramValues{});
        expected += block(QStringLiteral("Zöpfe"), 3, ProgramValues{});
        for (int n = 4; n <= 99; ++n)
            expected += block(QString(), n, ProgramValues{});
        expected += "[ENDE]\r\n";
        QCOMPARE(torvel::test::readFile(r.fileName), expected);
    }

    void suffixRule_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("result");
        QTest::newRow("plain") << "a" << 1 << "a.TBR";
        QTest::newRow("contains only") << "a.TBR.bak" << 1 << "a.TBR.bak.TBR";
        QTest::newRow("other kind") << "a.REC" << 1 << "a.REC.TBR";
        QTest::newRow("rec") << "liste" << 0 << "liste.REC";
    }
    void suffixRule()
    {
        QFETCH(QString, name);
        QFETCH(int, kind);
        QFETCH(QString, result);
        QCOMPARE(withListSuffix(name, kind == 0 ? ListFileKind::Rec : ListFileKind::Tbr), result);
    }

    void failedSaveKeepsFlagAndCaption_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("tbr") << 1;
        QTest::newRow("rec") << 0;
    }
    void failedSaveKeepsFlagAndCaption()
    {
        QFETCH(int, kind);
        Rig rig;
        rig.fillSome();
        rig.modified = true;
        const QString file = tmp(QStringLiteral("no/such/dir/liste"));
        rig.state.currentFileName = file;
        const ListFileResult r = rig.files.saveRecord(kind ? ListFileKind::Tbr : ListFileKind::Rec);
        QCOMPARE(r.outcome, ListFileResult::Outcome::Failed);
        QVERIFY(r.caption.isEmpty() && rig.modified);
        QCOMPARE(rig.prompter.shown.size(), 1);
        QVERIFY(rig.prompter.shown[0].text.startsWith(
            QStringLiteral("Beim Speichern der Daten ist ein Fehler aufgetreten.\r\nBitte überprüfen Sie die Datei.")));
        QVERIFY(rig.prompter.shown[0].text.endsWith(QDir::toNativeSeparators(r.fileName)));
        QCOMPARE(rig.list.text(1, 1), QStringLiteral("Alt"));
    }

    void tbrOnlyProgram5EmptiesEveryOtherRow()
    {
        Rig rig;
        rig.fillSome();
        rig.state.currentFileName = kData + QStringLiteral("only5.TBR");
        const ListFileResult r = rig.files.loadRecord(ListFileKind::Tbr);
        QVERIFY(r.done());
        QCOMPARE(r.caption, QStringLiteral("Backprogramm: ") + kData + QStringLiteral("only5.TBR"));
        QVERIFY(rig.prompter.shown.isEmpty());
        QCOMPARE(rig.list.text(5, 1), QStringLiteral("Brötchen süß"));
        // Seconds / 60 in minute columns: 119 s BZ -> 1, damper 90 s -> 1, BZ5 3600 -> 60.
        QStringList shown;
        for (int col : {2, 4, 5, 6, 24})
            shown << rig.list.text(5, col);
        QCOMPARE(shown, (QStringList{"220", "1", "5", "1", "60"}));
        for (int row : {1, 2, 4, 6, 50, 99}) {
            QVERIFY2(rig.list.isEmpty(row, 1), qPrintable(QString::number(row)));
            for (int c = 2; c <= 24; ++c) {
                QVERIFY(rig.list.isNumber(row, c));
                QCOMPARE(rig.list.number(row, c), 0.0);
            }
        }
    }

    void tbrFlags_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("flags");
        QTest::newRow("number 0 and 100") << "out_of_range.TBR" << 8;
        QTest::newRow("missing Nummer") << "no_number.TBR" << 2;
        QTest::newRow("missing UH line") << "missing_uh.TBR" << 4;
    }
    void tbrFlags()
    {
        QFETCH(QString, file);
        QFETCH(int, flags);
        const TbrReadResult read = readTbr(torvel::test::readFile(kData + file), 99);
        QCOMPARE(read.errorFlags, flags);

        // No leaves the list exactly as it was, the flag too.
        Rig rig;
        rig.fillSome();
        rig.modified = true;
        const SheetModel::Cells before = rig.list.cells();
        rig.state.currentFileName = kData + file;
        rig.prompter.answers << PromptButton::Yes << PromptButton::No;
        const ListFileResult r = rig.files.loadRecord(ListFileKind::Tbr);
        QCOMPARE(r.outcome, ListFileResult::Outcome::Declined);
        QVERIFY(r.caption.isEmpty() && rig.modified);
        QCOMPARE(rig.list.cells(), before);
        QCOMPARE(rig.prompter.shown.size(), 2);
        QCOMPARE(rig.prompter.shown[1].text,
                 QStringLiteral("Fehler beim Öffen der Datei!\r\nFehlernummer: %1\r\n\r\n"
                                "Einige Daten konnten nicht gelesen werden\r\noder sind fehlerhaft!\r\n\r\n"
                                "Wollen Sie dennoch fortfahren?")
                     .arg(flags));
    }

    void tbrMissingKeyShiftsTheRestOfTheBlock()
    {
        const TbrReadResult read = readTbr(torvel::test::readFile(kData + QStringLiteral("missing_uh.TBR")), 99);
        const BakeProgram &p2 = read.table.at(2);
        QCOMPARE(p2.name, QStringLiteral("Kruste"));
        // Every later line is read one key too late: nothing matches, all stay 0.
        QCOMPARE(p2.values, (ProgramValues{100}));
        // The shift ends with the block: the next program is read whole.
        ProgramValues whole{};
        for (int i = 0; i < 23; ++i)
            whole[i] = quint16(300 + i);
        QCOMPARE(read.table.at(3).values, whole);
    }

    void tbrElevenProgramsBoundTheNumbers()
    {
        QByteArray text = "Backprogramme\r\n\r\n\r\n" + block(QStringLiteral("Elf"), 11, ProgramValues{})
                          + block(QStringLiteral("Zwoelf"), 12, ProgramValues{}) + "[ENDE]\r\n";
        QCOMPARE(readTbr(text, 11).errorFlags, 8);
        QCOMPARE(readTbr(text, 99).errorFlags, 0);
        QCOMPARE(readTbr(text, 11).table.at(11).name, QStringLiteral("Elf"));
    }

    void tbrHugeNumbersWrapSafely()
    {
        ProgramValues v{};
        QByteArray text = block(QStringLiteral("Gross"), 1, v);
        text.replace("OH =00000", "OH =99999999999999999999999");
        text.replace("UH =00000", "UH =-1");
        text.replace("BZ =00000", "BZ =65536");
        const TbrReadResult read = readTbr(text, 99);
        QCOMPARE(read.table.at(1).values[0], quint16(65535)); // no number in 64 bits: -1
        QCOMPARE(read.table.at(1).values[1], quint16(65535));
        QCOMPARE(read.table.at(1).values[2], quint16(0));
    }

    void modifiedListAsksFirst_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("rec") << 0;
        QTest::newRow("tbr") << 1;
    }
    void modifiedListAsksFirst()
    {
        QFETCH(int, kind);
        Rig rig;
        rig.fillSome();
        rig.modified = true;
        const SheetModel::Cells before = rig.list.cells();
        rig.state.currentFileName = kData + QStringLiteral("only5.TBR");
        rig.prompter.answers << PromptButton::No;
        const ListFileResult r = rig.files.loadRecord(kind ? ListFileKind::Tbr : ListFileKind::Rec);
        QCOMPARE(r.outcome, ListFileResult::Outcome::Declined);
        QCOMPARE(rig.prompter.shown.size(), 1);
        QCOMPARE(rig.prompter.shown[0].text,
                 QStringLiteral("Backprogramm-Record wurde verändert!\n\rSollen die Änderungen verworfen werden?"));
        QCOMPARE(rig.list.cells(), before);
        QVERIFY(rig.modified);
    }

    void recSecondsRowsRoundTrip()
    {
        Rig rig;
        for (int row : {1, 2, 24, 25}) {
            rig.list.setText(row, 1, QStringLiteral("P%1").arg(row));
            rig.list.setNumber(row, 4, 10);   // BZ1
            rig.list.setNumber(row, 6, 3);    // A1
            rig.list.setNumber(row, 5, 45);   // S1: no minute column
        }
        rig.list.setText(2, 9, QStringLiteral("abc")); // a text in a minute column stays text
        rig.modified = true;
        rig.state.currentFileName = tmp(QStringLiteral("sekunden"));
        const ListFileResult saved = rig.files.saveRecord(ListFileKind::Rec);
        QCOMPARE(saved.fileName, tmp(QStringLiteral("sekunden.REC")));
        QVERIFY(!rig.modified);
        QCOMPARE(rig.list.number(2, 4), 10.0); // the list on screen never went into seconds

        // The file: seconds in rows 2 to 24 only.
        SheetModel raw;
        QVERIFY(loadWorkbook(saved.fileName, raw));
        QCOMPARE(raw.number(1, 4), 10.0);
        QCOMPARE(raw.number(2, 4), 600.0);
        QCOMPARE(raw.number(2, 6), 180.0);
        QCOMPARE(raw.number(2, 5), 45.0);
        QCOMPARE(raw.number(25, 4), 10.0);
        QCOMPARE(raw.text(2, 9), QStringLiteral("abc"));

        Rig back;
        back.fillSome();
        back.modified = true;
        back.state.currentFileName = saved.fileName;
        back.prompter.answers << PromptButton::Yes;
        QCOMPARE(back.files.loadRecord(ListFileKind::Rec).caption, QStringLiteral("Backprogramm: ") + saved.fileName);
        QVERIFY(!back.modified);
        for (int row : {1, 2, 24, 25})
            QVERIFY(back.list.number(row, 4) == 10.0 && back.list.number(row, 6) == 3.0 && back.list.number(row, 5) == 45.0);
        QVERIFY(back.list.isEmpty(50, 1));
    }

    void recLoadTruncatesMinutes()
    {
        SheetModel raw;
        setupProgramSheet(raw);
        raw.setNumber(2, 4, 119);
        raw.setNumber(3, 4, -30);
        raw.setNumber(4, 4, 1e300);
        QVERIFY(saveWorkbook(raw, tmp(QStringLiteral("roh.REC"))));
        Rig rig;
        rig.state.currentFileName = tmp(QStringLiteral("roh.REC"));
        QVERIFY(rig.files.loadRecord(ListFileKind::Rec).done());
        QCOMPARE(rig.list.text(2, 4), QStringLiteral("1"));
        QCOMPARE(rig.list.text(3, 4), QStringLiteral("0"));
        QVERIFY(rig.list.number(4, 4) > 1e297);
    }

    void badFilesChangeNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("content"); // "<missing>": no file; "<dir>": a folder
        QTest::addColumn<QString>("message");
        const QByteArray garbage = torvel::test::readFile(kData + QStringLiteral("garbage.bin"));
        const QByteArray tbr = torvel::test::readFile(kData + QStringLiteral("only5.TBR"));
        // What an unusable file of each kind is told as.
        const struct {
            const char *kind;
            const char *notAProgram;
            const char *tooLarge;
        } kinds[] = {
            {"TBR", "Datei enthält keine Backprogramme:\r\n", "Datei ist zu groß:\r\n"},
            {"REC", "Datei ist keine gültige Arbeitsmappe: ", "Datei ist keine gültige Arbeitsmappe: "},
            {"BPR", "Datei ist zu kurz für ein Backprogramm (46 Bytes):\r\n", "Datei ist zu groß:\r\n"},
            {"TBP", "Datei ist kein vollständiges USB-Backprogramm:\r\n", "Datei ist zu groß:\r\n"},
        };
        for (const auto &k : kinds) {
            const QString kind = QString::fromLatin1(k.kind);
            const QString notAProgram = QString::fromUtf8(k.notAProgram);
            QTest::newRow(qPrintable(kind + " missing")) << kind << QByteArray("<missing>") << "Datei kann nicht ";
            QTest::newRow(qPrintable(kind + " empty")) << kind << QByteArray() << notAProgram;
            QTest::newRow(qPrintable(kind + " short garbage")) << kind << garbage.left(45) << notAProgram;
            QTest::newRow(qPrintable(kind + " huge")) << kind << QByteArray("<huge>") << QString::fromUtf8(k.tooLarge);
        }
        QTest::newRow("TBR folder") << "TBR" << QByteArray("<dir>") << "Datei kann nicht ";
        QTest::newRow("REC that is a TBR") << "REC" << tbr << "Datei ist keine gültige Arbeitsmappe: ";
        QTest::newRow("BPR too short") << "BPR" << torvel::test::readFile(kData + QStringLiteral("KURZ.BPR"))
                                       << "Datei ist zu kurz für ein Backprogramm (46 Bytes):\r\n";
    }
    void badFilesChangeNothing()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        const QString file = tmp(QStringLiteral("bad_%1.%2").arg(QTest::currentDataTag()).arg(kind)).replace(' ', '_');
        QFile::remove(file);
        if (content == "<dir>") {
            QVERIFY(QDir().mkpath(file));
        } else if (content == "<huge>") {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(ProgramListFiles::kMaxTextFileBytes + 1)); // just over the largest text read
        } else if (content != "<missing>") {
            QVERIFY(writeFile(file, content));
        }

        Rig rig;
        rig.fillSome();
        rig.list.setCurrentCell(50, 3);
        rig.modified = true;
        rig.state.currentFileName = file;
        rig.prompter.answers << PromptButton::Yes; // discard the changes: the load itself must fail
        const SheetModel::Cells before = rig.list.cells();
        const QString sheetName = rig.list.sheetName();
        if (kind == QLatin1String("TBR") || kind == QLatin1String("REC")) {
            const ListFileResult r = rig.files.loadRecord(kind == QLatin1String("TBR") ? ListFileKind::Tbr : ListFileKind::Rec);
            QCOMPARE(r.outcome, ListFileResult::Outcome::Failed);
            QVERIFY(r.caption.isEmpty());
            QCOMPARE(rig.prompter.shown.size(), 2);
        } else {
            bool ok = true;
            const int next = kind == QLatin1String("BPR") ? rig.files.loadBpr(file, 50, &ok) : rig.files.loadTbp(file, 50, &ok);
            QVERIFY(!ok);
            QCOMPARE(next, 50);
            QCOMPARE(rig.prompter.shown.size(), 1);
        }
        QCOMPARE(rig.list.cells(), before);
        QCOMPARE(rig.list.sheetName(), sheetName);
        QVERIFY(rig.list.currentRow() == 50 && rig.list.currentCol() == 3 && rig.modified);
        const ScriptedPrompter::Shown &shown = rig.prompter.shown.last();
        QCOMPARE(shown.caption, QStringLiteral("ERROR"));
        QVERIFY2(shown.text.startsWith(message) && shown.text.contains(QDir::toNativeSeparators(file)), qPrintable(shown.text));
    }

    void bprNameValuesAndNextRow()
    {
        Rig rig;
        rig.list.setCurrentCell(7, 5);
        bool ok = false;
        const int next = rig.files.loadBpr(kData + QStringLiteral("ROGGENMISCHBROTHELL21.BPR"), 7, &ok);
        QVERIFY(ok && !rig.modified);
        QCOMPARE(next, 8);
        QVERIFY(rig.list.currentRow() == 8 && rig.list.currentCol() == 1);
        QCOMPARE(rig.list.text(7, 1), QStringLiteral("ROGGENMISCHBRO"));
        // Little endian; minute columns (BZ, A) divided by 60, truncated.
        const QStringList expected{"250", "230", "12", "5", "2", "240", "220", "1", "6", "1", "230", "210",
                                   "10", "7", "0", "220", "200", "1092", "8", "1", "210", "190", "20"};
        for (int c = 2; c <= 24; ++c) {
            QVERIFY(rig.list.isNumber(7, c));
            QCOMPARE(rig.list.text(7, c), expected[c - 2]);
        }
    }

    void bprRowRules_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("target");
        QTest::addColumn<int>("next");
        QTest::newRow("row 0 counts as 1") << 0 << 1 << 2;
        QTest::newRow("row 99 stays") << 99 << 99 << 99;
    }
    void bprRowRules()
    {
        QFETCH(int, row);
        QFETCH(int, target);
        QFETCH(int, next);
        Rig rig;
        QCOMPARE(rig.files.loadBpr(kData + QStringLiteral("ROGGENMISCHBROTHELL21.BPR"), row), next);
        QCOMPARE(rig.list.text(target, 1), QStringLiteral("ROGGENMISCHBRO"));
    }

    void tbpKeysInAnyCase()
    {
        Rig rig;
        rig.list.setText(4, 1, QStringLiteral("wird ersetzt"));
        bool ok = false;
        const int next = rig.files.loadTbp(kData + QStringLiteral("weizen.TBP"), 4, &ok);
        QVERIFY(ok && !rig.modified && next == 5);
        QVERIFY(rig.list.isEmpty(42, 1)); // "Nummer=42" is not used: the program goes into the row given
        QCOMPARE(rig.list.text(4, 1), QStringLiteral("Weizenmischbro"));
        const QStringList expected{"250", "230", "12", "5", "2",      // phase 1, blanks and cases
                                   "65531", "0", "1", "7", "1",       // -5 wraps, "xyz" is 0
                                   "4464", "0", "0", "0", "0",        // 70000 wraps, missing keys 0
                                   "0", "0", "0", "0", "0",           // empty section
                                   "180", "170", "60"};
        for (int c = 2; c <= 24; ++c)
            QCOMPARE(rig.list.text(4, c), expected[c - 2]);
    }

    void exportWritesDatedFolders()
    {
        const QString base = tmp(QStringLiteral("export"));
        Rig rig;
        rig.files.setExportBase(base);
        rig.files.setExportDate(QDate(2024, 3, 5));
        rig.list.setText(3, 1, QStringLiteral("Nur drei"));
        rig.list.setNumber(3, 2, 250);
        rig.list.setNumber(3, 4, 12);
        rig.modified = true;

        const ListFileResult first = rig.files.exportAll();
        QVERIFY(first.done() && !rig.modified);
        const QString folder = base + QStringLiteral("/20240305");
        QCOMPARE(first.fileName, QDir::toNativeSeparators(folder));
        QCOMPARE(rig.prompter.texts("inform").size(), 1);
        QCOMPARE(rig.prompter.shown[0].text, QStringLiteral("Alle Backprogramme wurden ins Verzeichnis.\r\n\r\n")
                                                 + QDir::toNativeSeparators(folder)
                                                 + QStringLiteral("\r\n\r\nexportiert."));

        const QStringList files = QDir(folder).entryList(QDir::Files, QDir::Name);
        QCOMPARE(files.size(), 99);
        ProgramValues v{};
        v[0] = 250;
        v[2] = 720;
        QCOMPARE(torvel::test::readFile(folder + QStringLiteral("/TORVEL03.TBR")),
                 "Backprogramm f\xFCr den VKS Torvel (c) ZAN GmbH\r\n\r\n\r\n" + block(QStringLiteral("Nur drei"), 3, v)
                     + "[ENDE]\r\n");
        QCOMPARE(QFileInfo(folder + QStringLiteral("/TORVEL04.TBR")).size(), qint64(0)); // no program: an empty file

        // Twice on the same day: "_1", then "_2".
        QCOMPARE(rig.files.exportAll().fileName, QDir::toNativeSeparators(folder + QStringLiteral("_1")));
        QCOMPARE(rig.files.exportAll().fileName, QDir::toNativeSeparators(folder + QStringLiteral("_2")));
    }

    void exportFolderThatCannotBeMade()
    {
        const QString blocker = tmp(QStringLiteral("eine_datei"));
        QVERIFY(writeFile(blocker, "x"));
        Rig rig;
        rig.modified = true;
        rig.files.setExportBase(blocker + QStringLiteral("/Export"));
        rig.files.setExportDate(QDate(2024, 12, 31));
        const ListFileResult r = rig.files.exportAll();
        QCOMPARE(r.outcome, ListFileResult::Outcome::Failed);
        QVERIFY(rig.modified);
        const QString folder = QDir::toNativeSeparators(blocker + QStringLiteral("/Export/20241231"));
        QCOMPARE(rig.prompter.shown.size(), 1);
        QCOMPARE(rig.prompter.shown[0].text, QStringLiteral("Verzeichnis.\r\n\r\n") + folder
                                                 + QStringLiteral("\r\n\r\nKonnte nicht angelegt werden.\r\n"
                                                                  "Funktion wird abgebrochen!"));
    }

    void exportFailedFilesText()
    {
        QCOMPARE(torvel::exportFailedFilesText(QStringLiteral("X"), {QStringLiteral("TORVEL04.TBR"), QStringLiteral("TORVEL09.TBR")}),
                 QStringLiteral("Beim Speichern der Daten ist ein Fehler aufgetreten.\r\nBitte überprüfen Sie folgende "
                                "Dateien:\r\n\r\nVerzeichnis:\r\nX\r\n\r\nDateien mit Speicherfehler:\r\n"
                                "TORVEL04.TBR\r\nTORVEL09.TBR\r\n"));
        QCOMPARE(exportFileName(7), QStringLiteral("TORVEL07.TBR"));
    }

    void editorLeavingFields_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("stored");
        QTest::newRow("Bz1 -5") << 2 << "-5" << "1087" << 65236;
        QTest::newRow("OH1 -5") << 0 << "-5" << "65531" << 65531;
        QTest::newRow("Bz2 letters") << 7 << "abc" << "0" << 0;
        QTest::newRow("Bz2 999") << 7 << "999" << "999" << 59940;
        QTest::newRow("Bz5 1093") << 22 << "1093" << "0" << 44;
        QTest::newRow("OH2 70000") << 5 << "70000" << "4464" << 4464;
        QTest::newRow("Bz1 huge") << 2 << "99999999999999999999" << "0" << 0;
    }
    void editorLeavingFields()
    {
        QFETCH(int, index);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, stored);
        EditorRecord record;
        const QString text = editorFieldOf(index) == EditorField::BakeTime ? record.leaveBakeTime(index, typed)
                                                                           : record.leaveHeat(index, typed);
        QCOMPARE(text, shown);
        QCOMPARE(int(record.value(index)), stored);
    }

    void editorUpdateAndTotal()
    {
        QStringList texts(23, QStringLiteral("0"));
        texts[2] = QStringLiteral("10");
        texts[7] = QStringLiteral("20");
        texts[22] = QStringLiteral("5");
        texts[4] = QStringLiteral("3");  // A1
        texts[3] = QStringLiteral("45"); // S1
        EditorRecord record;
        record.update(texts, AppState::defaultMinuteColumns());
        QCOMPARE(record.totalMinutes(), 35);
        QVERIFY(record.value(2) == 600 && record.value(4) == 180 && record.value(3) == 45);
        record.update(texts, AppState::damperSecondsMinuteColumns());
        QCOMPARE(int(record.value(4)), 3);

        // Five times 999 minutes: the total is not cut to 16 bits.
        texts = QStringList(23, QStringLiteral("999"));
        record.update(texts, AppState::defaultMinuteColumns());
        QCOMPARE(record.totalMinutes(), 4995);
    }

    void takeOverWritesTheRowAsTyped()
    {
        SheetModel list;
        setupProgramSheet(list);
        list.setText(4, 1, QStringLiteral("Vier"));
        bool modified = false;
        EditorProgram p = programFromRow(list, 4);
        QCOMPARE(p.values.size(), 23);
        p.number = 9;
        p.values[0] = QStringLiteral("250");
        p.values[3] = QString();           // steam empty
        p.values[4] = QStringLiteral("x"); // damper as typed
        p.values[5] = QStringLiteral("-5");
        QVERIFY(takeOverIntoList(list, p, modified));
        QVERIFY(modified);
        QCOMPARE(list.text(9, 1), QStringLiteral("Vier"));
        QVERIFY(list.isNumber(9, 2) && list.number(9, 2) == 250.0 && list.number(9, 7) == -5.0);
        QVERIFY(list.isEmpty(9, 5));
        QCOMPARE(list.text(9, 6), QStringLiteral("x"));
        QVERIFY(list.isEmpty(4, 2));
        p.number = 0;
        modified = false;
        QVERIFY(!takeOverIntoList(list, p, modified));
        QVERIFY(!modified);
    }

    void patternCountingDown()
    {
        TestPatternOptions o;
        const ProgramTable t = testPattern(o);
        QCOMPARE(t.at(1).name, QStringLiteral("Test________99"));
        QCOMPARE(t.at(1).values, (ProgramValues{299, 199, 99, 100, 101, 300, 200, 100, 101, 102, 301, 201, 101, 102,
                                                103, 302, 202, 102, 103, 104, 303, 203, 103}));
        QCOMPARE(t.at(99).name, QStringLiteral("Test________01"));
    }

    void patternFillAndCheck()
    {
        SheetModel list;
        setupProgramSheet(list);
        TestPatternOptions o;
        list.setText(60, 1, QStringLiteral("bleibt"));
        fillTestPattern(list, o, 50);
        QCOMPARE(list.text(1, 1), QStringLiteral("Test________99"));
        QVERIFY(list.isNumber(1, 4) && list.number(1, 4) == 99); // display units: no conversion
        QCOMPARE(list.text(60, 1), QStringLiteral("bleibt"));
        QVERIFY(list.isEmpty(51, 1));

        const SheetModel::Cells filled = list.cells();
        TestPatternCheck c = checkTestPattern(list, o, 50, false);
        QCOMPARE(c.caption + ' ' + c.text, QStringLiteral("O.K. Alles O.K."));
        QCOMPARE(list.cells(), filled);

        list.setNumber(5, 3, 1);
        list.setText(5, 10, QStringLiteral("Read"));
        list.setText(12, 1, QStringLiteral("ERR: keine Antwort"));
        c = checkTestPattern(list, o, 50, false);
        QVERIFY(!c.ok);
        QCOMPARE(c.caption, QStringLiteral("Fehler"));
        QCOMPARE(c.text, QStringLiteral("ACHTUNG FEHLER:\r\n05-03; 05-10; \r\n12-01; \r\n"));
        // Rows beyond MaxDefault are not looked at.
        QVERIFY(checkTestPattern(list, o, 4, false).ok);
    }

    void printSetupSelectsTheRangeAndRestoresTheName()
    {
        SheetModel list;
        setupProgramSheet(list);
        list.setSheetName(QStringLiteral("Backprogramme_Ofen_2"));
        list.setSelection(SheetModel::range(3, 2, 4, 5));
        const QDateTime when(QDate(2024, 2, 29), QTime(13, 5, 9));
        {
            const ProgramPrintSetup setup(list, QStringLiteral("Backprogramme_Ofen_2"), 10, 20, 75, when);
            QVERIFY(setup.valid() && list.printHeadings() && list.landscape() && list.printScale() == 75);
            QCOMPARE(list.printArea(), SheetModel::range(10, 1, 20, 24));
            QCOMPARE(list.selection(), SheetModel::range(3, 2, 4, 5));
            QVERIFY(list.sheetName().startsWith(QStringLiteral("Backprogramme_Ofen_2        ")));
        }
        QCOMPARE(list.sheetName(), QStringLiteral("Backprogramme_Ofen_2"));
        const ProgramPrintSetup none(list, QStringLiteral("X"), 20, 10, 80, when);
        QVERIFY(!none.valid());
        QCOMPARE(list.sheetName(), QStringLiteral("Backprogramme_Ofen_2"));
    }

    void cliConvertTbrBytesSurviveARecTrip()
    {
        const QString rec = tmp(QStringLiteral("trip.REC"));
        const QString tbr = tmp(QStringLiteral("trip.TBR"));
        const Cli r = torvelctl({QStringLiteral("convert"), kData + QStringLiteral("only5.TBR"), rec});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("Gespeichert: %1\n").arg(rec));
        QCOMPARE(torvelctl({QStringLiteral("convert"), rec, tbr}).code, 0);
        const QByteArray back = torvel::test::readFile(tbr);
        QVERIFY(back.contains("Name=Br\xF6tchen s\xFC\xDF\r\nNummer=05\r\n[Phase1]\r\nOH =00220\r\nUH =00200\r\nBZ =00060\r\n"));
        QCOMPARE(back.count("[Programm]"), 99);
    }

    void cliConvertRefusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("err");
        QTest::newRow("program to night") << QStringList{"convert", kData + "only5.TBR", "y.TBZ"} << "convert: IN";
        QTest::newRow("missing in") << QStringList{"convert", "/nonexistent/x.TBR", "y.TBR"} << "ERROR: Datei kann nicht";
        QTest::newRow("flags without --yes") << QStringList{"convert", kData + "out_of_range.TBR", "y.TBR"}
                                             << "ERROR: Fehler beim Öffen der Datei!\nFehlernummer: 8";
    }
    void cliConvertRefusals()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, err);
        QDir::setCurrent(m_tmp.path());
        const Cli r = torvelctl(args);
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.startsWith(err), qPrintable(r.err));
        QVERIFY(!QFile::exists(tmp(QStringLiteral("y.TBR"))));
    }

    void cliConvertWithYesLoadsWhatWasRead()
    {
        const QString out = tmp(QStringLiteral("ja.TBR"));
        const Cli r = torvelctl({QStringLiteral("--yes"), QStringLiteral("convert"), kData + QStringLiteral("out_of_range.TBR"), out});
        QCOMPARE(r.code, 0);
        QVERIFY(torvel::test::readFile(out).contains("Name=Sieben\r\nNummer=07\r\n"));
    }

    void cliExport()
    {
        const QString dir = tmp(QStringLiteral("cli_export"));
        const QString folder = QDir::toNativeSeparators(dir + QLatin1Char('/') + QDate::currentDate().toString("yyyyMMdd"));
        Cli r = torvelctl({QStringLiteral("programs"), QStringLiteral("export"), kData + QStringLiteral("only5.TBR"),
                           QStringLiteral("--dir"), dir});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QCOMPARE(r.out, folder + QLatin1Char('\n'));
        QCOMPARE(r.err, QStringLiteral("Meldung: Alle Backprogramme wurden ins Verzeichnis.\n\n") + folder
                            + QStringLiteral("\n\nexportiert.\n"));
        QVERIFY(torvel::test::readFile(folder + QStringLiteral("/TORVEL05.TBR"))
                    .startsWith("Backprogramm f\xFCr den VKS Torvel (c) ZAN GmbH\r\n\r\n\r\n[Programm]\r\nName=Br\xF6tchen"));
        QCOMPARE(QFileInfo(folder + QStringLiteral("/TORVEL04.TBR")).size(), qint64(0));

        r = torvelctl({QStringLiteral("programs"), QStringLiteral("export"), kData + QStringLiteral("only5.TBR"),
                       QStringLiteral("--dir"), kData + QStringLiteral("only5.TBR")});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.startsWith(QStringLiteral("ERROR: Verzeichnis.")));
    }

    // ---- nothing lost, nothing misleading ------------------------------------------------

    void shortTbpLoadsWithZeroForWhatIsMissing()
    {
        Rig rig;
        bool ok = false;
        rig.files.loadTbp(kData + QStringLiteral("cut.TBP"), 2, &ok); // phases 3 to 5 and keys are missing
        QVERIFY(ok);
        QCOMPARE(rig.list.text(2, 1), QStringLiteral("Abgeschnitten"));
        QStringList values;
        for (int c = 2; c <= 24; ++c)
            values << rig.list.text(2, c);
        QCOMPARE(values.join(' '), QStringLiteral("250 230 12 5 2 240 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0"));
    }

    void errRowsTravelAsProgramsWithoutAName()
    {
        Rig rig;
        rig.list.setText(1, 1, QStringLiteral("ERR: keine Antwort"));
        rig.list.setText(3, 1, QStringLiteral("ERR: Übertragungsfehler"));
        rig.list.setNumber(3, 2, 240); // a name that failed: its values are no program either
        rig.state.currentFileName = tmp(QStringLiteral("err"));
        QCOMPARE(rig.files.saveRecord(ListFileKind::Tbr).leftOut, 2);
        QCOMPARE(torvel::test::readFile(tmp(QStringLiteral("err.TBR"))), tbrRecordFile(ProgramTable())); // 99 without a name
        rig.files.setExportBase(tmp(QStringLiteral("errexport")));
        rig.files.setExportDate(QDate(2026, 3, 29));
        QCOMPARE(rig.files.exportAll().leftOut, 2);
        QCOMPARE(QFileInfo(tmp(QStringLiteral("errexport/20260329/TORVEL03.TBR"))).size(), qint64(0));
        const QStringList told = rig.prompter.texts("inform");
        QCOMPARE(told.first(), QStringLiteral("2 fehlerhafte Backprogramme (\"ERR\") wurden ohne Namen und Werte gespeichert."));
        QVERIFY(told.last().endsWith("exportiert.\r\n\r\n2 fehlerhafte Backprogramme (\"ERR\") wurden nicht exportiert (leere Dateien)."));
    }

    void typedValues_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("problem"); // empty: accepted
        const QString range = QStringLiteral("\r\nErlaubt sind ganze Zahlen von 0 bis ");
        QTest::newRow("empty") << 4 << "" << "";
        QTest::newRow("1092 minutes") << 4 << " 1092 " << "";
        QTest::newRow("1093 minutes") << 4 << "1093" << "BZ1, Programm 7: \"1093\" ist kein gültiger Wert." + range + "1092 (Minuten).";
        QTest::newRow("minus five") << 4 << "-5" << "BZ1, Programm 7: \"-5\" ist kein gültiger Wert." + range + "1092 (Minuten).";
        QTest::newRow("letters") << 2 << "abc" << "OH1, Programm 7: \"abc\" ist kein gültiger Wert." + range + "65535.";
        QTest::newRow("fraction") << 5 << "2.5" << "S1, Programm 7: \"2.5\" ist kein gültiger Wert." + range + "65535.";
        QTest::newRow("17 bits") << 2 << "65536" << "OH1, Programm 7: \"65536\" ist kein gültiger Wert." + range + "65535.";
        QTest::newRow("name") << 1 << "-5" << "";
    }
    void typedValues()
    {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, problem);
        QCOMPARE(typedCellProblem(7, column, text, AppState::defaultMinuteColumns()).value_or(QString()), problem);
    }

    void cliSendRefusesAnUnusableListBeforeTheLine()
    {
        const QString bad = tmp(QStringLiteral("x.TBR"));
        QVERIFY(writeFile(bad, "zwei\r\nZeilen\r\n"));
        const QString monitor = tmp(QStringLiteral("send.tsv"));
        const Cli r = torvelctl({"--monitor", monitor, "--yes", "programs", "send", "--to", "5", bad});
        QCOMPARE(r.code, 2);
        QCOMPARE(r.out, QString());
        QCOMPARE(r.err, "ERROR: Datei enthält keine Backprogramme:\n" + bad + "\n");
        QCOMPARE(torvel::test::readFile(monitor), QByteArray("Kommandos\tGesendete Befehle\tEmpfangene Antwort\n"));
    }
};

QTEST_GUILESS_MAIN(TestProgramFiles)
#include "tst_programfiles.moc"
