// The night start window against the simulated line: its texts and controls, the key
// filter, the busy state during read and send, closing during a transfer, the frame's file
// and print requests (printing to PDF, the sheet name put back every time).

#include "simline.h"
#include "simnight.h"
#include "simtransport.h"
#include "testsupport/scriptedprompter.h"

#include "link/controller.h"
#include "link/controllerlink.h"
#include "nightstart/nightstartgrid.h"
#include "nightstart/ngtfile.h"
#include "nightstart/ui/nightstartwindow.h"
#include "shell/appstate.h"
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

#include <functional>
#include <memory>

using namespace torvel;
using namespace torvel::sim;
using torvel::test::ScriptedPrompter;

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

// What the window needs: the program state, a link on its own simulated line, a prompter.
struct Rig {
    AppState state;
    ControllerLink link;
    SimLine *line = nullptr;
    ScriptedPrompter prompter;
    QList<QByteArray> frames;
    std::function<void(const QByteArray &)> onFrame;

    Rig()
    {
        auto transport = std::make_unique<SimTransport>();
        line = transport->line();
        link.setTransport(std::move(transport));
        state.setSelectedOven(3);
        QObject::connect(&link.engine(), &CommandEngine::frameSent, [this](const QByteArray &f) {
            frames << f;
            if (onFrame)
                onFrame(f);
        });
    }
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

QByteArray readFile(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
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
    void initialState()
    {
        Rig rig;
        {
            NightStartWindow w(&rig.state, &rig.link, &rig.prompter);
            QCOMPARE(w.windowTitle(), QStringLiteral("Nacht"));
            QCOMPARE(rig.state.nightStartWindow.data(), &w);
            const QList<std::pair<const char *, QString>> buttons{
                {"NachtRead", QStringLiteral("Nachtstartzeiten vom Torvel lesen")},
                {"NachtWrite", QStringLiteral("Nachtstartzeiten zum Torvel senden")},
                {"AbbruchButton", QStringLiteral("Abbruch")},
                {"NachtLoadBtn", QStringLiteral("Nachtstartzeiten laden")},
                {"NachtWriteBtn", QStringLiteral("Nachtstartzeiten speichern")}};
            for (const auto &[name, text] : buttons) {
                QVERIFY2(button(w, name), name);
                QCOMPARE(button(w, name)->text(), text);
            }
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QCOMPARE(busyPattern(w), QStringLiteral("1101"));
            QVERIFY(!button(w, "NachtLoadBtn")->isVisible());
            QVERIFY(!button(w, "NachtWriteBtn")->isVisible());
            SheetModel &grid = *w.sheet();
            QCOMPARE(w.grid()->sheet(), &grid);
            QCOMPARE(grid.maxRow(), 8);
            QCOMPARE(grid.maxCol(), 5);
            QCOMPARE(grid.sheetName(), QStringLiteral("Nachtstartzeiten"));
            QCOMPARE(grid.text(1, 2), QStringLiteral("Std1"));
            QCOMPARE(grid.text(1, 5), QStringLiteral("Min2"));
            QCOMPARE(grid.text(2, 1), QStringLiteral("Sonntag"));
            QCOMPARE(grid.text(8, 1), QStringLiteral("Samstag"));
            // Sized to its controls: the whole grid without scrolling.
            QTableView *table = w.grid()->table();
            QVERIFY(table->viewport()->height() >= table->rowViewportPosition(7) + table->rowHeight(7));
        }
        QVERIFY(!rig.state.nightStartWindow);
    }

    void keyFilterTakesDigitsOnly()
    {
        Rig rig;
        NightStartWindow w(&rig.state, &rig.link, &rig.prompter);
        for (QChar c : QStringLiteral("0123456789")) {
            QChar ch = c;
            w.NachtzeitKeyPress(&ch);
            QCOMPARE(ch, c);
        }
        for (QChar c : QStringLiteral("a-.,: \u0663")) {
            QChar ch = c;
            w.NachtzeitKeyPress(&ch);
            QVERIFY(ch.isNull());
        }
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTableView *table = w.grid()->table();
        w.sheet()->setCurrentCell(3, 2);
        table->setFocus();
        QTest::keyClick(table, Qt::Key_Minus); // swallowed: no editor opens
        QVERIFY(!table->findChild<QLineEdit *>());
        QTest::keyClick(table, Qt::Key_0);
        auto *editor = table->findChild<QLineEdit *>();
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("6x:"));
        QTest::keyClick(editor, Qt::Key_Return);
        deliverPosted();
        QCOMPARE(w.sheet()->text(3, 2), QStringLiteral("06"));
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
        QCOMPARE(w.sheet()->text(3, 2), QStringLiteral("3"));
        QCOMPARE(w.sheet()->text(3, 3), QStringLiteral("30"));
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
        QCOMPARE(during.size(), 5); // address, announce, record; address, read
        QCOMPARE(during.count(QStringLiteral("0010")), 5);
        QCOMPARE(busyPattern(w), QStringLiteral("1101"));
        QCOMPARE(rig.frames.count(hex("05 9E")), 2);
        QCOMPARE(rig.line->controller(3).nights().record()[8], quint8(0x05));
        QCOMPARE(rig.line->controller(3).nights().record()[9], quint8(0x45));
        QCOMPARE(w.sheet()->text(4, 3), QStringLiteral("45"));
    }

    void sendRefusesABadCell()
    {
        Rig rig;
        NightStartWindow w(&rig.state, &rig.link, &rig.prompter);
        w.sheet()->setText(7, 4, "7a");
        QTest::mouseClick(button(w, "NachtWrite"), Qt::LeftButton);
        QVERIFY(rig.frames.isEmpty());
        QCOMPARE(rig.prompter.shown.size(), 1);
        QCOMPARE(rig.prompter.shown.first().caption, QStringLiteral("FEHLER"));
        QCOMPARE(rig.prompter.shown.first().text,
                 QStringLiteral("Nachtstartzeiten wurden nicht übertragen:\r\nFreitag, Std2: \"7a\" ist keine ganze Zahl."));
        QCOMPARE(busyPattern(w), QStringLiteral("1101"));
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
        QCOMPARE(addressings, 2);
        QCOMPARE(rig.prompter.texts("window").last(), QStringLiteral("Funktion abgebrochen."));
        QVERIFY(!rig.state.abortFlag);
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
        QVERIFY(!alive); // closed once it had returned
        QVERIFY(!frame);
        if (send)
            QCOMPARE(rig.line->controller(3).nights().writeCount(), 1);
    }

    void closeWhenIdleIsImmediate()
    {
        Rig rig;
        QMdiArea area;
        auto *w = new NightStartWindow(&rig.state, &rig.link, &rig.prompter);
        QMdiSubWindow *sub = area.addSubWindow(w);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<NightStartWindow> alive(w);
        QVERIFY(w->close()); // closing the content takes the frame along
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!alive);
        QVERIFY(!rig.state.nightStartWindow);
    }

    void activationMakesItThePrintTarget()
    {
        Rig rig;
        QMdiArea area;
        auto *other = area.addSubWindow(new QWidget);
        auto *w = new NightStartWindow(&rig.state, &rig.link, &rig.prompter);
        QMdiSubWindow *sub = area.addSubWindow(w);
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        other->show();
        sub->show();
        area.setActiveSubWindow(other);
        rig.state.printTarget = nullptr;
        area.setActiveSubWindow(sub);
        QCOMPARE(rig.state.printTarget.data(), w);
        sub->showMinimized();
        postRequest(w, Request::ShowAgain);
        deliverPosted();
        QVERIFY(!sub->isMinimized());
        QCOMPARE(area.activeSubWindow(), sub);
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
        QCOMPARE(rig.state.currentFileName, dir.filePath("PLAN.ngt"));
        QVERIFY(QFile::exists(dir.filePath("PLAN.ngt")));

        w.sheet()->setText(3, 2, "");
        rig.state.currentFileName = dir.filePath("plan.TBZ");
        postRequest(&w, Request::NachtLoad, kUsbParam, kUsbParam);
        deliverPosted();
        QCOMPARE(w.sheet()->text(3, 2), QStringLiteral("06"));
        QCOMPARE(w.sheet()->text(3, 4), QStringLiteral("--"));

        w.sheet()->setSheetName("anders");
        rig.state.currentFileName = dir.filePath("PLAN.ngt");
        postRequest(&w, Request::NachtLoad);
        deliverPosted();
        QCOMPARE(w.sheet()->sheetName(), QStringLiteral("Nachtstartzeiten"));
        QCOMPARE(w.sheet()->text(3, 2), QStringLiteral("6"));
        QVERIFY(rig.prompter.shown.isEmpty());
    }

    void badFilesLeaveTheGridAndSay_data()
    {
        QTest::addColumn<bool>("usb");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << true << QByteArray() << "Datei nicht gefunden: %1";
        QTest::newRow("no section") << true << QByteArray("Nacht-Backbereitschaften\r\n\r\n[ENDE]\r\n")
                                    << "Datei enthält keine Nachtstartzeiten (Abschnitt [BEREITSCHAFT] fehlt): %1";
        QTest::newRow("garbage ngt") << false << QByteArray("\x01\x02garbage") << "";
    }
    void badFilesLeaveTheGridAndSay()
    {
        QFETCH(bool, usb);
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        Rig rig;
        NightStartWindow w(&rig.state, &rig.link, &rig.prompter);
        w.sheet()->setText(3, 2, "6");
        const SheetModel::Cells before = w.sheet()->cells();
        QTemporaryDir dir;
        const QString name = dir.filePath(usb ? "a.TBZ" : "a.NGT");
        if (!content.isEmpty()) {
            QFile f(name);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        rig.state.currentFileName = name;
        postRequest(&w, Request::NachtLoad, usb ? kUsbParam : 0, usb ? kUsbParam : 0);
        deliverPosted();
        QCOMPARE(w.sheet()->cells(), before);
        QCOMPARE(rig.prompter.shown.size(), 1);
        QCOMPARE(rig.prompter.shown.first().caption, QStringLiteral("FEHLER"));
        if (!message.isEmpty())
            QCOMPARE(rig.prompter.shown.first().text, message.arg(name));
        else
            QVERIFY(rig.prompter.shown.first().text.contains(name));
    }

    void requestsDuringATransferWaitForIt()
    {
        Rig rig;
        NightStartWindow w(&rig.state, &rig.link, &rig.prompter);
        QTemporaryDir dir;
        const QString name = dir.filePath("during.TBZ");
        bool posted = false;
        bool savedEarly = false;
        rig.onFrame = [&](const QByteArray &) {
            if (!posted) {
                posted = true;
                rig.state.currentFileName = dir.filePath("during");
                postRequest(&w, Request::NachtSave, kUsbParam, kUsbParam);
                return;
            }
            savedEarly = savedEarly || QFile::exists(name);
        };
        w.NachtReadClick();
        deliverPosted();
        QVERIFY(!savedEarly);
        // Saved after the read, with what was read.
        QVERIFY(readFile(name).contains("Mo1=03:30\r\n"));
        QCOMPARE(rig.state.currentFileName, name);
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
        QVERIFY(nameWhilePrinting.size() > 33 + 8);
        QVERIFY(!landscapeWhilePrinting);
        QCOMPARE(w.sheet()->sheetName(), QStringLiteral("Nachtstartzeiten_Ofen_3"));
        QCOMPARE(QFile::exists(pdf), printed);
        if (printed)
            QVERIFY(readFile(pdf).startsWith("%PDF"));
        QCOMPARE(rig.prompter.texts("window"),
                 printed ? QStringList{"Fenster \"Nachtstartzeiten\" wird gedruckt"} : QStringList{});
    }
};

QTEST_MAIN(TestUiNightStart)
#include "tst_ui_nightstart.moc"
