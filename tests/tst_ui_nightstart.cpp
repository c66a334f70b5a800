// The night start window against the simulated line: the key filter, the busy state
// during read and send, closing during a transfer, the frame's file and print requests
// (printing to PDF, the sheet name put back every time).

#include "simline.h"
#include "simnight.h"
#include "nightstart/nightrecord.h"
#include "testsupport/files.h"
#include "testsupport/linerig.h"

#include "nightstart/ui/nightstartwindow.h"
#include "shell/requests.h"
#include "shell/sheetmodel.h"
#include "shell/transferguard.h"
#include "shell/ui/gridview.h"
#include "shell/ui/sheetprinter.h"

#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace torvel;
using namespace torvel::test;

namespace {

// The window works on oven 3.
struct Rig : LineRig {
    Rig() { state.setSelectedOven(3); }
};

QPushButton *button(QWidget &w, const char *name)
{
    return w.findChild<QPushButton *>(QString::fromLatin1(name));
}

// Enabled states of NachtRead, NachtWrite, AbbruchButton and the grid, as "1010".
QString busyPattern(QWidget &w)
{
    QString s;
    for (const char *name : {"NachtRead", "NachtWrite", "AbbruchButton"})
        s += button(w, name)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    s += w.findChild<GridView *>(QStringLiteral("Nachtzeit"))->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

void deliverPosted()
{
    QCoreApplication::sendPostedEvents();
}

} // namespace

class TestUiNightStart : public QObject
{
    Q_OBJECT

private slots:
    void keyFilterTakesDigitsOnly()
    {
        Rig rig;
        NightStartWindow w(&rig.state, &rig.link, &rig.prompter);
        QString kept;
        for (QChar c : QStringLiteral("09a-.,: \u0663")) {
            w.NachtzeitKeyPress(&c);
            kept += c.isNull() ? QLatin1Char('_') : c;
        }
        QCOMPARE(kept, QStringLiteral("09_______"));
    }

    void readIsBusyAndFillsTheGrid()
    {
        Rig rig;
        NightStartWindow w(&rig.state, &rig.link, &rig.prompter);
        QStringList during;
        rig.onFrame = [&](const QByteArray &) {
            during << busyPattern(w);
            rig.state.setSelectedOven(5); // a later choice does not redirect the read
        };
        QSignalSpy finished(&w, &NightStartWindow::transferFinished);
        QTest::mouseClick(button(w, "NachtRead"), Qt::LeftButton);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(during, (QStringList{"0010", "0010"}));
        QCOMPARE(busyPattern(w), QStringLiteral("1101"));
        QCOMPARE(rig.frames, (QList<QByteArray>{hex("05 9E"), hex("46 17 4E 4E B3")}));
        QCOMPARE(w.sheet()->text(3, 2) + ':' + w.sheet()->text(3, 3), QStringLiteral("3:30"));
        QCOMPARE(w.sheet()->sheetName(), QStringLiteral("Nachtstartzeiten_Ofen_3"));
        QCOMPARE(rig.prompter.texts("window"),
                 (QStringList{"Nachtstartzeiten werden gelesen...", "Nachtstartzeiten lesen: Funktion beendet."}));
        QVERIFY(!w.transferRunning());
    }

    void sendIsBusyToo()
    {
        Rig rig;
        NightStartWindow w(&rig.state, &rig.link, &rig.prompter);
        w.sheet()->setText(4, 2, "5");
        w.sheet()->setText(4, 3, "45");
        QStringList during;
        rig.onFrame = [&](const QByteArray &) {
            during << busyPattern(w);
            rig.state.setSelectedOven(1);
        };
        QTest::mouseClick(button(w, "NachtWrite"), Qt::LeftButton);
        QCOMPARE(during, QStringList(5, QStringLiteral("0010"))); // address, announce, record; address, read
        QCOMPARE(busyPattern(w), QStringLiteral("1101"));
        QCOMPARE(rig.frames.count(hex("05 9E")), 2);
        QCOMPARE(nightRecordBytes(rig.line->controller(3).nights().record()).mid(8, 2), hex("05 45"));
    }

    void abbruchEndsTheRead()
    {
        Rig rig;
        rig.line->setPresentOvens({1});
        NightStartWindow w(&rig.state, &rig.link, &rig.prompter);
        int addressings = 0;
        rig.onFrame = [&](const QByteArray &) {
            if (++addressings == 2)
                QTest::mouseClick(button(w, "AbbruchButton"), Qt::LeftButton);
        };
        w.NachtReadClick();
        QVERIFY(addressings == 2 && !rig.state.abortFlag);
        QCOMPARE(rig.prompter.texts("window").last(), QStringLiteral("Funktion abgebrochen."));
        QCOMPARE(w.sheet()->text(2, 2), QStringLiteral("Read"));
    }

    void clickWaitsForAnotherTransfer()
    {
        Rig rig;
        NightStartWindow w(&rig.state, &rig.link, &rig.prompter);
        auto guard = std::make_unique<TransferGuard>(rig.state);
        w.NachtReadClick();
        QVERIFY(rig.frames.isEmpty());
        QCOMPARE(busyPattern(w), QStringLiteral("1101"));
        guard.reset();
        QTRY_COMPARE(rig.frames.size(), 2);
        QCOMPARE(w.sheet()->sheetName(), QStringLiteral("Nachtstartzeiten_Ofen_3"));
    }

    void closeDuringATransferIsDeferred_data()
    {
        QTest::addColumn<bool>("send");
        QTest::newRow("read") << false;
        QTest::newRow("send") << true;
    }
    void closeDuringATransferIsDeferred()
    {
        QFETCH(bool, send);
        Rig rig;
        QMdiArea area;
        auto *w = new NightStartWindow(&rig.state, &rig.link, &rig.prompter);
        QMdiSubWindow *sub = area.addSubWindow(w);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        area.show();
        sub->show();
        QPointer<NightStartWindow> alive(w);
        QPointer<QMdiSubWindow> frame(sub);
        bool closedOnce = false;
        int framesAfterClose = 0;
        rig.onFrame = [&](const QByteArray &) {
            if (closedOnce) {
                ++framesAfterClose;
                QVERIFY(alive && frame);
                return;
            }
            closedOnce = true;
            QVERIFY(!sub->close()); // refused while the transfer runs ...
            QVERIFY(sub->isHidden()); // ... but out of sight at once
            QVERIFY(!rig.state.nightStartWindow);
        };
        if (send)
            w->NachtWriteClick();
        else
            w->NachtReadClick();
        QVERIFY(framesAfterClose >= 1); // the transfer went on to its end
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!alive && !frame); // closed once it had returned
        if (send)
            QCOMPARE(rig.line->controller(3).nights().writeCount(), 1);
    }

    void saveAndLoadRequests()
    {
        Rig rig;
        NightStartWindow w(&rig.state, &rig.link, &rig.prompter);
        QTemporaryDir dir;
        w.sheet()->setText(3, 2, "6");
        w.sheet()->setText(3, 3, "0");
        rig.state.currentFileName = dir.filePath("plan");
        postRequest(&w, Request::NachtSave, kUsbParam, kUsbParam);
        deliverPosted();
        QCOMPARE(rig.state.currentFileName, dir.filePath("plan.TBZ"));
        QVERIFY(readFile(dir.filePath("plan.TBZ")).contains("Mo1=06:00\r\nMo2=--:--\r\n"));
        rig.state.currentFileName = dir.filePath("PLAN.ngt");
        postRequest(&w, Request::NachtSave);
        deliverPosted();
        QVERIFY(QFile::exists(dir.filePath("PLAN.ngt"))); // the suffix in any case is kept
        w.sheet()->setText(3, 2, "");
        rig.state.currentFileName = dir.filePath("plan.TBZ");
        postRequest(&w, Request::NachtLoad, kUsbParam, kUsbParam);
        deliverPosted();
        QCOMPARE(w.sheet()->text(3, 2) + w.sheet()->text(3, 4), QStringLiteral("06--"));
        w.sheet()->setSheetName("anders");
        rig.state.currentFileName = dir.filePath("PLAN.ngt");
        postRequest(&w, Request::NachtLoad);
        deliverPosted();
        QCOMPARE(w.sheet()->sheetName(), QStringLiteral("Nachtstartzeiten"));
        QCOMPARE(w.sheet()->text(3, 2), QStringLiteral("6"));
        QVERIFY(rig.prompter.shown.isEmpty());
    }

    void printToPdfRestoresTheSheetName_data()
    {
        QTest::addColumn<bool>("printed");
        QTest::newRow("printed") << true;
        QTest::newRow("cancelled") << false;
    }
    void printToPdfRestoresTheSheetName()
    {
        QFETCH(bool, printed);
        Rig rig;
        NightStartWindow w(&rig.state, &rig.link, &rig.prompter);
        w.sheet()->setSheetName(QStringLiteral("Nachtstartzeiten_Ofen_3"));
        w.sheet()->setLandscape(true);
        w.sheet()->setText(3, 2, "6");
        QTemporaryDir dir;
        const QString pdf = dir.filePath("nacht.pdf");
        QString nameWhilePrinting;
        bool landscapeWhilePrinting = true;
        w.setPrintFunction([&](const SheetModel &sheet, QWidget *) {
            nameWhilePrinting = sheet.sheetName();
            landscapeWhilePrinting = sheet.landscape();
            if (!printed)
                return false; // the print dialog was cancelled
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return printSheet(sheet, printer);
        });
        postRequest(&w, Request::Print);
        deliverPosted();
        QVERIFY2(nameWhilePrinting.startsWith(QStringLiteral("Nachtstartzeiten_Ofen_3          ")),
                 qPrintable(nameWhilePrinting));
        QVERIFY(!landscapeWhilePrinting);
        QCOMPARE(w.sheet()->sheetName(), QStringLiteral("Nachtstartzeiten_Ofen_3"));
        QCOMPARE(readFile(pdf).startsWith("%PDF"), printed);
        QCOMPARE(rig.prompter.texts("window"),
                 printed ? QStringList{"Fenster \"Nachtstartzeiten\" wird gedruckt"} : QStringList{});
    }
};

QTEST_MAIN(TestUiNightStart)
#include "tst_ui_nightstart.moc"
