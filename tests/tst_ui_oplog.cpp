// The pages "Betriebsdaten" and "Fehler-Liste" of the Torvel2 window against the simulated
// line: read, clear, save, open, the debug panel and the endurance test, and printing the page
// in front from the frame's print command to a PDF.

#include "testsupport/files.h"
#include "testsupport/linerig.h"

#include "oplog/ui/errorlistpage.h"
#include "oplog/ui/operatingdatapage.h"
#include "shell/sheetmodel.h"
#include "shell/torvelsettings.h"
#include "shell/ui/mainwindow.h"
#include "tables/ui/gradientpage.h"
#include "torvel2/ui/torvel2context.h"
#include "torvel2/ui/torvel2window.h"

#include <QCheckBox>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace torvel;
using namespace torvel::sim;
using torvel::test::readFile;

namespace {

QString pdfText(const QString &file, int page)
{
    QProcess run;
    run.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page),
                                            QStringLiteral("-l"), QString::number(page), file, QStringLiteral("-")});
    return run.waitForFinished(10000) ? QString::fromUtf8(run.readAllStandardOutput()) : QString();
}

// Oven 7 selected, both start-up switches on; its operating data: a start before the first
// day entry, the day entry of 26.03.2026, EIN, a start of program 4 on deck 2.
struct Rig : test::LineRig {
    Rig()
    {
        state.setSelectedOven(7);
        state.modemStartup = state.serviceMode = true;
        SimController &oven = line->controller(7);
        oven.clock().setHostClock([] { return QDateTime(QDate(2026, 3, 26), QTime(10, 15)); });
        oven.logs().setEntries(SimLogKind::OperatingData, QByteArray::fromHex("7805003180160F098F175510EF170432"));
    }
};

template <typename T>
T *child(QWidget &w, const char *name)
{
    return w.findChild<T *>(QString::fromLatin1(name));
}

} // namespace

class TestUiOplog : public QObject
{
    Q_OBJECT

private slots:
    void operatingDataFromReadToOpen()
    {
        Rig rig;
        Torvel2Window w(&rig.state, &rig.link, &rig.prompter);
        OperatingDataPage *page = w.operatingDataPage();
        QSignalSpy outcomes(&rig.state, &AppState::outcomeReported);
        for (const char *name : {"GetData", "ClearData", "SaveBData", "OpenBData", "Drucken", "Button5"})
            QVERIFY2(child<QPushButton>(w, name), name);
        QCOMPARE(child<QCheckBox>(w, "EDatenDauertest")->text(), QStringLiteral("FehlerDauertest"));

        bool busy = false;
        QObject::connect(&rig.link.engine(), &CommandEngine::frameSent, &w,
                         [&] { busy = busy || !w.pages()->isEnabled(); });
        child<QSpinBox>(w, "RefYear")->setValue(2010);
        page->ReadClick();
        QVERIFY(busy);
        QVERIFY(w.pages()->isEnabled());
        const SheetModel *grid = page->sheet();
        QCOMPARE(grid->maxRow(), 4);
        QCOMPARE(grid->text(1, 7), QStringLiteral("Baguette      "));
        QCOMPARE(grid->text(4, 2), QStringLiteral("22.03.2026"));
        QVERIFY(w.windowTitle().startsWith("Betriebsdaten Torvel70; "));
        QCOMPARE(outcomes.last().first().toString(), QStringLiteral("Betriebsdaten von Ofen 7 gelesen: 4 Einträge."));
        QCOMPARE(child<QSpinBox>(w, "RefYear")->value(), 2026); // the controller's year
        QCOMPARE(child<QSpinBox>(w, "HiOff")->value(), 0);
        QCOMPARE(w.context().debugMemo().lines().at(1), QStringLiteral("B0001:120.005.000.049--23:20 (SO)-000-01-03"));
        child<QCheckBox>(w, "IgnoreError")->setChecked(true);
        QVERIFY(w.context().ignoreError()); // the gradient table's box too

        // Clearing asks first and leaves the list on screen.
        rig.prompter.answers.enqueue(PromptButton::Yes);
        page->ClearClick();
        QCOMPARE(rig.prompter.texts("inform").last(), QStringLiteral("Betriebsdaten wurden gelöscht!"));
        QCOMPARE(rig.line->controller(7).logs().entries(SimLogKind::OperatingData), QByteArray());
        QCOMPARE(grid->maxRow(), 4);

        // Saved with commas and as .TB2; the error list saves its kind word first.
        QTemporaryDir dir;
        QString chosen;
        int type = 0;
        w.context().saveFileTypeDialog = [&](const QStringList &, const QString &, int *t) {
            *t = type;
            return chosen;
        };
        w.context().openFileDialog = [&](const QString &, const QString &) { return chosen; };
        chosen = dir.filePath("b.CSV");
        type = 2;
        page->SaveClick();
        QVERIFY(readFile(chosen).contains("\r\n4,26.03.2026,06:07 (DO),BPrg START,Herd 2,04,Baguette      ,\r\n"));
        chosen = dir.filePath("e.TB2");
        type = 0;
        w.errorListPage()->SaveClick();
        QCOMPARE(readFile(chosen), QByteArray("FehlerListe\r\nNr;Datum;Zeit;Ereignis;Herd;;;\r\n;;;;;;;\r\n"));
        chosen = dir.filePath("b.TB2");
        page->SaveClick();
        const QString caption = w.windowTitle();
        w.context().setCaption(QStringLiteral("Torvel2"));
        page->OpenClick();
        QCOMPARE(w.windowTitle(), caption);
        QCOMPARE(grid->text(1, 7), QStringLiteral("Baguette      ")); // the rows in the order saved
        QCOMPARE(grid->text(4, 2), QStringLiteral("22.03.2026"));

        // An unusable file leaves everything as it was.
        chosen = dir.filePath("missing.TB2");
        page->OpenClick();
        QVERIFY(rig.prompter.texts("inform").last().startsWith("Fehler beim Öffnen der Betriebsdaten!\r\n"));
        QCOMPARE(grid->text(1, 7), QStringLiteral("Baguette      "));
    }

    void enduranceTestReadsUntilUnchecked()
    {
        Rig rig;
        Torvel2Window w(&rig.state, &rig.link, &rig.prompter);
        ErrorListPage *page = w.errorListPage();
        auto *endurance = child<QCheckBox>(w, "EDatenDauertest");
        auto *timer = child<QTimer>(w, "EDatenDauertestTimer");
        endurance->setChecked(true);
        bool usable = true; // the box can be unchecked during a read
        QObject::connect(&rig.link.engine(), &CommandEngine::frameSent, &w,
                         [&] { usable = usable && endurance->isEnabled(); });
        page->ReadClick();
        QVERIFY(usable);
        QVERIFY(rig.prompter.shown.isEmpty()); // no messages in an endurance test
        QVERIFY(timer->isActive());
        QMetaObject::invokeMethod(timer, "timeout");
        QCOMPARE(rig.frames.count(QByteArray::fromHex("4626000026")), 2);
        QVERIFY(timer->isActive());
        QSignalSpy outcomes(&rig.state, &AppState::outcomeReported);
        endurance->setChecked(false);
        QVERIFY(!timer->isActive());
        QCOMPARE(outcomes.last().first().toString(), QStringLiteral("Dauertest beendet nach 2 Lesevorgängen."));
    }

    void frameprintsThePageInFrontToPdf()
    {
        Rig rig;
        QTemporaryDir dir;
        TorvelSettings settings(dir.filePath("settings.ini"));
        MainWindow frame(&rig.state, &rig.link, &settings);
        frame.setPrompter(&rig.prompter);
        Torvel2Window w(&rig.state, &rig.link, &rig.prompter);
        OperatingDataPage *page = w.operatingDataPage();
        const QString pdf = dir.filePath("list.pdf");
        page->makePrinter = [pdf] {
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdf);
            printer->setPageSize(QPageSize(QPageSize::A4));
            return printer;
        };
        // 149 entries and the title row: three A4 pages of 72 rows.
        QByteArray file = "Betriebsdaten Torvel70; Probe\r\nNr;Datum;Zeit;Ereignis;Herd;PNr;Prg-Namen.;\r\n";
        for (int n = 149; n >= 1; --n)
            file += QByteArray::number(n) + ";26.03.2026;06:07 (DO);BPrg START;Herd 2;04;Baguette;\r\n";
        const QString tb2 = dir.filePath("p.TB2");
        QFile out(tb2);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file) == file.size());
        out.close();
        w.context().openFileDialog = [tb2](const QString &, const QString &) { return tb2; };
        page->OpenClick();

        w.pages()->setCurrentWidget(page);
        rig.state.printTarget = &w;
        rig.prompter.answers.enqueue(PromptButton::No);
        frame.filePrint();
        QCoreApplication::processEvents();
        QVERIFY(!QFile::exists(pdf)); // only Yes prints
        rig.prompter.answers.enqueue(PromptButton::Yes);
        frame.filePrint();
        QCoreApplication::processEvents();
        QVERIFY(rig.prompter.texts("ask").last().startsWith("Achtung: z.Z. ist kein Drucker wählbar!"));
        const QString first = pdfText(pdf, 1);
        QVERIFY2(first.contains("Betriebsdaten Torvel70; Probe") && first.contains("Seite: 1 von 3"),
                 qPrintable(first));
        QCOMPARE(first.count("Baguette"), 71);
        const QString third = pdfText(pdf, 3);
        QVERIFY2(third.contains("Seite: 3 von 3") && third.contains("Prg-Namen."), qPrintable(third));
        QCOMPARE(third.count("Baguette"), 149 - 71 - 72);
        QVERIFY(pdfText(pdf, 4).isEmpty());

        // A page too small for one row is refused with a word, not divided by.
        page->makePrinter = [pdf] {
            auto printer = std::make_unique<QPrinter>();
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdf);
            printer->setPageSize(QPageSize(QSizeF(20, 20), QPageSize::Millimeter));
            return printer;
        };
        rig.prompter.answers.enqueue(PromptButton::Yes);
        page->PrintClick();
        QCOMPARE(rig.prompter.texts("inform").last(),
                 QStringLiteral("Der Drucker meldet kein brauchbares Papierformat: nichts gedruckt."));

        // Another page in front: nothing printable.
        w.pages()->setCurrentWidget(w.gradientPage());
        frame.filePrint();
        QCoreApplication::processEvents();
        QCOMPARE(rig.prompter.texts("window").last(), QStringLiteral("ERR: Kein druckbares Fenster markiert."));
    }
};

QTEST_MAIN(TestUiOplog)
#include "tst_ui_oplog.moc"
