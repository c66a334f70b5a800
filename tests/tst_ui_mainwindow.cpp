// The frame: the caption, single-instance children, routing of open, save, export and
// print, closing while a transfer runs; and the desktop program's own wiring through its real
// main window.

#include "desktopprogram.h"

#include "bakeprog/ui/programlistwindow.h"
#include "nightstart/ui/nightstartwindow.h"
#include "link/controllerlink.h"
#include "shell/appstate.h"
#include "shell/requests.h"
#include "shell/singleprogramtarget.h"
#include "shell/torvelsettings.h"
#include "shell/transferguard.h"
#include "shell/ui/childplacement.h"
#include "shell/ui/mainwindow.h"
#include "shell/ui/messagewindow.h"
#include "shell/ui/portwindow.h"
#include "testsupport/linerig.h"
#include "testsupport/scriptedprompter.h"
#include "transportfactory.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace torvel;
using torvel::test::ScriptedPrompter;

namespace {

// A child window that records the requests it gets.
class RecordingChild : public QWidget, public SingleProgramTarget
{
public:
    QList<QList<int>> requests;
    QStringList loaded;
    int row = 1;

    bool event(QEvent *e) override
    {
        if (e->type() == RequestEvent::eventType()) {
            auto *r = static_cast<RequestEvent *>(e);
            requests.append({r->number(), r->p1(), r->p2()});
            return true;
        }
        return QWidget::event(e);
    }
    int currentProgramRow() const override { return row; }
    void loadSingleProgram(FileKind, const QString &fileName) override
    {
        loaded << fileName;
        if (row < 99)
            ++row;
    }
};

QAction *findAction(QWidget *menuOwner, const QString &text)
{
    for (QAction *a : menuOwner->actions()) {
        if (a->text() == text)
            return a;
        if (a->menu())
            if (QAction *inner = findAction(a->menu(), text))
                return inner;
    }
    return nullptr;
}

void trigger(MainWindow &frame, const QString &text)
{
    for (QAction *a : frame.findChildren<QAction *>())
        if (a->text() == text)
            return a->trigger();
}

// Answers the next message box with the button of this text.
void answerNextBox(const QString &button)
{
    QTimer::singleShot(0, [button] {
        for (QAbstractButton *b : qobject_cast<QMessageBox *>(QApplication::activeModalWidget())->buttons())
            if (b->text() == button)
                b->click();
    });
}

} // namespace

class TestUiMainWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    AppState *state = nullptr;
    ControllerLink *link = nullptr;
    TorvelSettings *settings = nullptr;
    ScriptedPrompter *prompter = nullptr;
    MainWindow *form = nullptr;

    RecordingChild *registerRecording(ChildWindow kind, QPointer<QObject> AppState::*handle)
    {
        auto *holder = new QPointer<RecordingChild>;
        form->registerChild(kind, QStringLiteral("Kind"), [this, holder, handle] {
            auto *c = new RecordingChild;
            state->*handle = c;
            *holder = c;
            return c;
        });
        form->openChild(kind);
        RecordingChild *c = *holder;
        delete holder;
        return c;
    }

    // A child of the given kind whose content asks for `size`; its handle is kept in `handle`.
    void registerChild(ChildWindow kind, QSize size, ChildSize sizing = ChildSize::Resizable,
                       QPointer<QObject> AppState::*handle = nullptr)
    {
        form->registerChild(kind, QStringLiteral("Fenster %1").arg(int(kind)), [this, size, handle] {
            auto *w = new QWidget;
            w->resize(size);
            if (handle)
                state->*handle = w;
            return w;
        }, sizing);
    }
    QMdiSubWindow *sub(QWidget *content) { return qobject_cast<QMdiSubWindow *>(content->parentWidget()); }
    QRect workArea() { return QRect(QPoint(0, 0), form->mdiArea()->viewport()->size()); }

private slots:
    void init()
    {
        state = new AppState;
        link = new ControllerLink;
        settings = new TorvelSettings(dir.filePath("settings.ini"));
        prompter = new ScriptedPrompter;
        form = new MainWindow(state, link, settings);
        form->setPrompter(prompter);
        form->setVersionText("1.0.0 [Build 7]");
    }
    void cleanup()
    {
        delete form;
        delete prompter;
        delete settings;
        delete link;
        delete state;
        QFile::remove(dir.filePath("settings.ini"));
    }

    void captionGetsTheVersionAfterThreeSeconds()
    {
        QCOMPARE(form->windowTitle(), QStringLiteral("WinTorvel"));
        auto *timer = form->findChild<QTimer *>("GVTimer");
        QVERIFY(timer && timer->isSingleShot() && timer->interval() == 3000);
        state->addTimeoutGiven = true;
        state->addTimeout = 0;
        QMetaObject::invokeMethod(timer, "timeout");
        QCOMPARE(form->windowTitle(), QStringLiteral("WinTorvel  V 1.0.0 [Build 7] ADDTO:0"));
    }

    void missingPrintScaleIsWrittenAs80()
    {
        QVERIFY(settings->hasPrintScale() && settings->printScale() == 80 && state->printScale == 80);
    }

    void childWindowsExistOnce()
    {
        int made = 0;
        form->registerChild(ChildWindow::Clock, "Uhrzeit", [&] {
            ++made;
            auto *c = new RecordingChild;
            state->clockWindow = c;
            return c;
        });
        auto *first = static_cast<RecordingChild *>(form->openChild(ChildWindow::Clock));
        QCOMPARE(first->windowTitle(), QStringLiteral("Uhrzeit"));
        QCOMPARE(form->openChild(ChildWindow::Clock), first);
        QCoreApplication::processEvents();
        QCOMPARE(made, 1);
        QCOMPARE(first->requests, (QList<QList<int>>{{1025, 0, 0}})); // shown again instead
        form->mdiArea()->subWindowList().first()->close();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(state->clockWindow.isNull());
        form->openChild(ChildWindow::Clock);
        QCOMPARE(made, 2);
    }

    void recordFilesGoToTheirWindows_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("entry");
        QTest::addColumn<bool>("toList");
        QTest::addColumn<QList<int>>("request");
        QTest::newRow("rec") << "/d/a.REC" << 2 << true << QList<int>{1027, 0, 0};
        QTest::newRow("tbr") << "/d/a.tbr" << 7 << true << QList<int>{1027, 85, 85};
        QTest::newRow("ngt") << "/d/a.NGT" << 3 << false << QList<int>{1033, 0, 0};
        QTest::newRow("tbz") << "/d/a.TBZ" << 6 << false << QList<int>{1033, 85, 85};
    }
    void recordFilesGoToTheirWindows()
    {
        QFETCH(QString, file);
        QFETCH(int, entry);
        QFETCH(bool, toList);
        QFETCH(QList<int>, request);
        RecordingChild *list = registerRecording(ChildWindow::BakeProgramList, &AppState::bakeProgramList);
        RecordingChild *night = registerRecording(ChildWindow::NightStart, &AppState::nightStartWindow);
        QCoreApplication::processEvents();
        list->requests.clear();
        night->requests.clear();
        form->openFiles({file}, entry);
        QCOMPARE(state->currentFileName, file);
        QCoreApplication::processEvents();
        QCOMPARE((toList ? list : night)->requests.last(), request);
        QVERIFY((toList ? night : list)->requests.isEmpty());
    }

    // Second to last, then the first, into consecutive rows; no more once the last row is filled.
    void severalProgramFiles_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("loaded");
        QTest::newRow("from row 5") << 5 << QStringList{"a.BPR", "b.BPR", "c.BPR"} << QStringList{"b.BPR", "c.BPR", "a.BPR"};
        QTest::newRow("up to row 99") << 98 << QStringList{"a.BPR", "b.BPR", "c.BPR", "d.BPR"}
                                      << QStringList{"b.BPR", "c.BPR"};
    }
    void severalProgramFiles()
    {
        QFETCH(int, row);
        QFETCH(QStringList, files);
        QFETCH(QStringList, loaded);
        RecordingChild *list = registerRecording(ChildWindow::BakeProgramList, &AppState::bakeProgramList);
        list->row = row;
        form->openFiles(files, 1);
        QCOMPARE(list->loaded, loaded);
    }

    void saveRecordWithOnlyTheNightWindowOpen()
    {
        RecordingChild *night = registerRecording(ChildWindow::NightStart, &AppState::nightStartWindow);
        form->saveDialog = [](int *entry, const QString &) {
            *entry = 1;
            return QStringLiteral("/d/x.REC");
        };
        form->fileSave();
        QCoreApplication::processEvents();
        QCOMPARE(prompter->texts("window"), QStringList{"ERR: Kein Fenster für diese Funktion geöffnet."});
        night->requests.clear();
        form->saveAs("/d/n.TBZ", 4);
        QCoreApplication::processEvents();
        QCOMPARE(night->requests, (QList<QList<int>>{{1032, 85, 85}}));
        QCOMPARE(state->currentFileName, QStringLiteral("/d/n.TBZ"));
    }

    void saveProposesTheCurrentRecordName()
    {
        registerRecording(ChildWindow::BakeProgramList, &AppState::bakeProgramList);
        QString proposed = "x";
        form->saveDialog = [&](int *, const QString &p) {
            proposed = p;
            return QString();
        };
        state->currentFileName = "/d/Ofen3.rec";
        form->fileSave();
        QCOMPARE(proposed, QStringLiteral("/d/Ofen3.rec"));
        state->currentFileName = "/d/Ofen3.rec.TBR";
        form->fileSave();
        QCOMPARE(proposed, QString());
    }

    void exportNeedsTheList()
    {
        form->exportUsb();
        QCOMPARE(prompter->texts("window"), QStringList{"ERR: Kein Fenster für diese Funktion geöffnet."});
        RecordingChild *list = registerRecording(ChildWindow::BakeProgramList, &AppState::bakeProgramList);
        QCoreApplication::processEvents();
        list->requests.clear();
        form->exportUsb();
        QCoreApplication::processEvents();
        QCOMPARE(list->requests, (QList<QList<int>>{{1028, 85, 65}}));
    }

    void printGoesToThePrintableWindowActivatedLast()
    {
        RecordingChild *list = registerRecording(ChildWindow::BakeProgramList, &AppState::bakeProgramList);
        RecordingChild *clock = registerRecording(ChildWindow::Clock, &AppState::clockWindow);
        state->printTarget = clock;
        form->filePrint();
        QCOMPARE(prompter->texts("window"), QStringList{"ERR: Kein druckbares Fenster markiert."});
        QCoreApplication::processEvents();
        list->requests.clear();
        state->printTarget = list;
        form->filePrint();
        QCoreApplication::processEvents();
        QCOMPARE(list->requests, (QList<QList<int>>{{1034, 0, 0}}));
    }

    void closingDuringATransferWaitsForItsEnd()
    {
        form->show();
        auto *guard = new TransferGuard(*state);
        form->close();
        QVERIFY(form->isVisible());
        QVERIFY(state->abortFlag);
        delete guard;
        QTRY_VERIFY_WITH_TIMEOUT(!form->isVisible(), 1000);
    }

    void filesOfSeveralThatAreNotLoadedAreNamed()
    {
        RecordingChild *list = registerRecording(ChildWindow::BakeProgramList, &AppState::bakeProgramList);
        // Chosen under the .BPR entry: each file opens as what its ending says.
        form->openFiles({"/d/a.BPR", "/d/b.TBP", "/d/list.REC", "/d/c.BPR", "/d/night.TBZ"}, 1);
        QCOMPARE(list->loaded, (QStringList{"/d/c.BPR", "/d/a.BPR"}));
        QCoreApplication::processEvents();
        QCOMPARE(list->requests.last(), (QList<int>{1027, 0, 0}));
        QCOMPARE(prompter->texts("inform"), QStringList{"Folgende Dateien wurden nicht geladen:\r\nb.TBP\r\nnight.TBZ"});
    }

    // The desktop program as it starts, with its own wiring and its real main window.
    void theProgramsOwnWiringThroughItsMainWindow()
    {
        qputenv("TORVEL_SETTINGS", QFile::encodeName(dir.filePath("desktop.ini")));
        DesktopProgram program({"ADDTO=250", "--port", "SIM"});
        MainWindow &frame = program.mainForm();
        QCOMPARE(program.link().engine().effectiveTimeout(50), 300);
        trigger(frame, "Schnittstelle wählen...");
        auto *port = qobject_cast<PortWindow *>(frame.openWindow(ChildWindow::Port));
        port->comBox()->setEditText("/dev/ttyOfen9");
        port->findChild<QPushButton *>("Button1")->click();
        QCOMPARE(program.link().transport()->displayName(), QStringLiteral("/dev/ttyOfen9"));
        QCOMPARE(program.link().engine().effectiveTimeout(50), 300); // the option stays with the new port
        QCOMPARE(program.settings().portText(), QStringLiteral("/dev/ttyOfen9"));

        // Quitting asks about a modified list first.
        frame.show();
        trigger(frame, "Backprogramme...");
        auto *list = qobject_cast<ProgramListWindow *>(frame.openWindow(ChildWindow::BakeProgramList));
        list->setRecordModified(true);
        answerNextBox("&Nein");
        QVERIFY(!frame.close());
        QVERIFY(list->isVisible());
        answerNextBox("&Ja");
        QVERIFY(frame.close());
        qunsetenv("TORVEL_SETTINGS");
    }

    // ---- the frame as a user meets it ---------------------------------------------------

    void firstStartFillsTheScreenThenTheLastGeometryComesBack()
    {
        form->showInitial();
        QVERIFY(form->isMaximized());
        QCOMPARE(form->size(), QGuiApplication::primaryScreen()->availableGeometry().size());
        form->showNormal();
        form->setGeometry(40, 50, 640, 480);
        const QRect closedAt = form->geometry();
        form->close();
        delete form;
        form = new MainWindow(state, link, settings);
        form->showInitial();
        QCOMPARE(form->geometry(), closedAt);
    }

    void childWindowsOpenInsideTheWorkArea()
    {
        form->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
        form->show();
        registerChild(ChildWindow::BakeProgramList, QSize(3000, 2500));
        registerChild(ChildWindow::Clock, QSize(300, 120), ChildSize::Fixed);
        QWidget *big = form->openChild(ChildWindow::BakeProgramList);
        QWidget *small = form->openChild(ChildWindow::Clock);
        QVERIFY(workArea().contains(sub(big)->geometry()));
        QCOMPARE(sub(big)->size(), workArea().size()); // larger than the area: the area's size
        QVERIFY(workArea().contains(sub(small)->geometry()));

        // Cascading keeps the list's size instead of squeezing it to a few rows.
        const QSize listSize = sub(big)->size();
        findAction(form->menuBar(), "Ü&berlappend")->trigger();
        QCOMPARE(sub(big)->size(), listSize);
        QVERIFY(workArea().contains(sub(big)->geometry()));
        QVERIFY(workArea().contains(sub(small)->geometry()));

        // Tiling stretches the list into its cell but leaves the clock at its size.
        const QSize clockSize = sub(small)->size();
        findAction(form->menuBar(), "&Nebeneinander")->trigger();
        QCOMPARE(sub(small)->size(), clockSize);
        QVERIFY(sub(big)->width() >= workArea().width() / 2 - 1);
        QVERIFY(workArea().contains(sub(big)->geometry()));
    }

    void fitInsideMovesAndShrinks_data()
    {
        QTest::addColumn<QRect>("window");
        QTest::addColumn<QRect>("inside");
        const QRect area(0, 0, 1000, 700);
        QTest::newRow("inside stays") << QRect(10, 10, 200, 100) << QRect(10, 10, 200, 100);
        QTest::newRow("off the left edge") << QRect(-300, 20, 900, 500) << QRect(0, 20, 900, 500);
        QTest::newRow("off the bottom right") << QRect(900, 650, 300, 200) << QRect(700, 500, 300, 200);
        QTest::newRow("larger than the area") << QRect(-50, -50, 1400, 900) << area;
    }
    void fitInsideMovesAndShrinks()
    {
        QFETCH(QRect, window);
        QFETCH(QRect, inside);
        QCOMPARE(fitInside(window, QRect(0, 0, 1000, 700)), inside);
    }

    void statusLineNamesPortOvenAndOutcome()
    {
        test::attachSimulatedLine(*link);
        state->setSelectedOven(3);
        QCOMPARE(form->lineText(), QStringLiteral("SIM · Ofen 3"));
        state->reportOutcome(QStringLiteral("99 Backprogramme von Ofen 3 gelesen."));
        QCOMPARE(form->outcomeText(), QStringLiteral("99 Backprogramme von Ofen 3 gelesen."));

        // A port that cannot be opened is named with its reason, at once.
        link->setTransport(sim::makeTransport(QStringLiteral("/dev/torvel-missing-port"), {}));
        QCOMPARE(form->lineText(), QStringLiteral("/dev/torvel-missing-port · Ofen 3"));
        link->engine().SendCommand(QByteArray("\x05\x9e", 2), 1, false, 50, QStringLiteral("Steuerung adressieren"), 3);
        QVERIFY2(form->outcomeText().startsWith("/dev/torvel-missing-port lässt sich nicht öffnen: "),
                 qPrintable(form->outcomeText()));
        QCOMPARE(link->engine().portError(), form->outcomeText());
    }

    void theStatusLineTellsHowATransferEnded()
    {
        qputenv("TORVEL_SETTINGS", QFile::encodeName(dir.filePath("desktop.ini")));
        DesktopProgram program({"--port", "SIM"});
        MainWindow &main = program.mainForm();
        main.show();
        QCOMPARE(main.lineText(), QStringLiteral("SIM · Ofen 1"));
        auto *night = qobject_cast<NightStartWindow *>(main.openChild(ChildWindow::NightStart));
        night->NachtReadClick();
        QCOMPARE(main.outcomeText(), QStringLiteral("Nachtstartzeiten von Ofen 1 gelesen."));
        program.state().setSelectedOven(5);
        QCOMPARE(main.lineText(), QStringLiteral("SIM · Ofen 5"));
        qunsetenv("TORVEL_SETTINGS");
    }

    void dataWindowsPresetTheFileDialogs()
    {
        registerChild(ChildWindow::BakeProgramList, QSize(400, 300), ChildSize::Resizable, &AppState::bakeProgramList);
        registerChild(ChildWindow::NightStart, QSize(400, 300), ChildSize::Resizable, &AppState::nightStartWindow);
        form->show();
        QWidget *list = form->openChild(ChildWindow::BakeProgramList);
        QCOMPARE(form->dialogPreset().fileName, QStringLiteral("*.REC"));
        QCOMPARE(form->dialogPreset().openEntry, 2);
        QCOMPARE(form->dialogPreset().saveEntry, 1);
        form->openChild(ChildWindow::NightStart);
        QCOMPARE(form->dialogPreset().fileName, QStringLiteral("*.NGT"));
        QCOMPARE(form->dialogPreset().openEntry, 3);
        QCOMPARE(form->dialogPreset().saveEntry, 2);

        // The save dialog starts on the night start entry, so a plain name saves night starts.
        int offered = -1;
        form->saveDialog = [&offered](int *entry, const QString &) {
            offered = *entry;
            return QString();
        };
        form->fileSave();
        QCOMPARE(offered, 2);

        form->mdiArea()->setActiveSubWindow(sub(list));
        QCOMPARE(form->dialogPreset().saveEntry, 1);
        QCOMPARE(state->printTarget.data(), list);
    }

    void messageWindowsNeitherPrintNorTakeTheFocus()
    {
        registerChild(ChildWindow::BakeProgramList, QSize(400, 300), ChildSize::Resizable, &AppState::bakeProgramList);
        form->show();
        QWidget *list = form->openChild(ChildWindow::BakeProgramList);
        QVERIFY(QTest::qWaitForWindowActive(form));
        MessageWindow *message =
            MessageWindow::showMessageWindow(state, form->mdiArea(), QStringLiteral("ERR: Übertragung wurde abgebrochen!"));
        QCOMPARE(form->mdiArea()->activeSubWindow(), sub(list));
        QCOMPARE(state->printTarget.data(), list);
        QTRY_COMPARE(message->caption(), QStringLiteral("Meldung"));
        QVERIFY(sub(message)->width() >= sub(message)->fontMetrics().horizontalAdvance("Meldung")
                                             + MessageWindow::kCaptionButtonsWidth);
    }

    void windowMenuListsAndActivatesTheOpenWindows()
    {
        registerChild(ChildWindow::Clock, QSize(300, 120));
        registerChild(ChildWindow::Oven, QSize(120, 300));
        form->show();
        QWidget *clock = form->openChild(ChildWindow::Clock);
        form->openChild(ChildWindow::Oven);
        QMenu *fenster = nullptr;
        for (QAction *a : form->menuBar()->actions())
            if (a->text() == QLatin1String("&Fenster"))
                fenster = a->menu();
        QVERIFY(fenster);
        emit fenster->aboutToShow();
        QAction *first = findAction(fenster, QStringLiteral("&1 Fenster %1").arg(int(ChildWindow::Clock)));
        QAction *second = findAction(fenster, QStringLiteral("&2 Fenster %1").arg(int(ChildWindow::Oven)));
        QVERIFY(first && second);
        QVERIFY(second->isChecked());
        first->trigger();
        QCOMPARE(form->mdiArea()->activeSubWindow(), sub(clock));
    }

    void fileItemsHaveTheirShortcutsAndFollowTheList()
    {
        QCOMPARE(findAction(form->menuBar(), "Ö&ffnen...")->shortcut(), QKeySequence(QKeySequence::Open));
        QCOMPARE(findAction(form->menuBar(), "Speichern &unter...")->shortcut(), QKeySequence(QKeySequence::Save));
        QCOMPARE(findAction(form->menuBar(), "&Drucken (nur BackProgramme/Nachtstarts)...")->shortcut(),
                 QKeySequence(QKeySequence::Print));

        registerChild(ChildWindow::BakeProgramList, QSize(400, 300), ChildSize::Resizable, &AppState::bakeProgramList);
        auto *newItem = form->findChild<QAction *>(QStringLiteral("FileNewItem"));
        auto *copyItem = form->findChild<QAction *>(QStringLiteral("EditCopyItem"));
        QVERIFY(newItem && copyItem);
        QVERIFY(newItem->isEnabled());
        QWidget *list = form->openChild(ChildWindow::BakeProgramList);
        QVERIFY(!newItem->isEnabled());
        QVERIFY(copyItem->isEnabled());
        sub(list)->close();
        QTRY_VERIFY(newItem->isEnabled());
        QVERIFY(!copyItem->isEnabled());
    }

    void portWindowShowsThePortInUseAndRefusesASwitchDuringATransfer()
    {
        test::attachSimulatedLine(*link);
        settings->setPortText(QStringLiteral("COM4"));
        auto *ports = new PortWindow(state, settings, prompter);
        ports->setLink(link);
        QCOMPARE(ports->comBox()->currentText(), QStringLiteral("SIM"));

        QSignalSpy chosen(ports, &PortWindow::portChosen);
        {
            TransferGuard guard(*state);
            ports->comBox()->setCurrentText(QStringLiteral("COM7"));
            QTest::keyClick(ports->comBox()->lineEdit(), Qt::Key_Return);
        }
        QCOMPARE(chosen.count(), 0);
        QCOMPARE(prompter->texts("inform"),
                 QStringList{"Während einer Übertragung kann die Schnittstelle nicht gewechselt werden.\r\n"
                             "Bitte wählen Sie sie nach dem Ende der Übertragung."});
        QCOMPARE(settings->portText(), QStringLiteral("COM4"));
        delete ports;
    }

};

QTEST_MAIN(TestUiMainWindow)
#include "tst_ui_mainwindow.moc"
