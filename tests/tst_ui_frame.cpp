// The frame as a user meets it: where windows open and how they are arranged, what the
// status line says, what the file dialogs start with, the window list and the shortcuts;
// and reading the program list: names kept in view, headings that explain themselves.

#include "bakeprog/programsheet.h"
#include "desktopprogram.h"
#include "nightstart/ui/nightstartwindow.h"
#include "link/controllerlink.h"
#include "shell/appstate.h"
#include "shell/torvelsettings.h"
#include "shell/sheetmodel.h"
#include "shell/sheettablemodel.h"
#include "shell/transferguard.h"
#include "shell/ui/gridview.h"
#include "shell/ui/childplacement.h"
#include "shell/ui/mainwindow.h"
#include "shell/ui/messagewindow.h"
#include "shell/ui/portwindow.h"
#include "testsupport/scriptedprompter.h"
#include "testsupport/linerig.h"
#include "transportfactory.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

using namespace torvel;
using torvel::test::ScriptedPrompter;

namespace {
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
} // namespace

class TestUiFrame : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    AppState *state = nullptr;
    ControllerLink *link = nullptr;
    TorvelSettings *settings = nullptr;
    ScriptedPrompter *prompter = nullptr;
    MainWindow *frame = nullptr;

    // A child of the given kind whose content asks for `size`; its handle is kept in `handle`.
    void registerChild(ChildWindow kind, QSize size, ChildSize sizing = ChildSize::Resizable,
                       QPointer<QObject> AppState::*handle = nullptr)
    {
        frame->registerChild(kind, QStringLiteral("Fenster %1").arg(int(kind)), [this, size, handle] {
            auto *w = new QWidget;
            w->resize(size);
            if (handle)
                state->*handle = w;
            return w;
        }, sizing);
    }
    QMdiSubWindow *sub(QWidget *content) { return qobject_cast<QMdiSubWindow *>(content->parentWidget()); }
    QRect workArea() { return QRect(QPoint(0, 0), frame->mdiArea()->viewport()->size()); }

private slots:
    void init()
    {
        state = new AppState;
        link = new ControllerLink;
        settings = new TorvelSettings(dir.filePath("settings.ini"));
        prompter = new ScriptedPrompter;
        frame = new MainWindow(state, link, settings);
        frame->setPrompter(prompter);
    }
    void cleanup()
    {
        delete frame;
        delete prompter;
        delete settings;
        delete link;
        delete state;
        QFile::remove(dir.filePath("settings.ini"));
    }

    void firstStartFillsTheScreenThenTheLastGeometryComesBack()
    {
        frame->showInitial();
        QVERIFY(frame->isMaximized());
        QCOMPARE(frame->size(), QGuiApplication::primaryScreen()->availableGeometry().size());
        frame->showNormal();
        frame->setGeometry(40, 50, 640, 480);
        const QRect closedAt = frame->geometry();
        frame->close();
        delete frame;
        frame = new MainWindow(state, link, settings);
        frame->showInitial();
        QCOMPARE(frame->geometry(), closedAt);
    }

    void childWindowsOpenInsideTheWorkArea()
    {
        frame->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
        frame->show();
        registerChild(ChildWindow::BakeProgramList, QSize(3000, 2500));
        registerChild(ChildWindow::Clock, QSize(300, 120), ChildSize::Fixed);
        QWidget *big = frame->openChild(ChildWindow::BakeProgramList);
        QWidget *small = frame->openChild(ChildWindow::Clock);
        QVERIFY(workArea().contains(sub(big)->geometry()));
        QCOMPARE(sub(big)->size(), workArea().size()); // larger than the area: the area's size
        QVERIFY(workArea().contains(sub(small)->geometry()));

        // Cascading keeps the list's size instead of squeezing it to a few rows.
        const QSize listSize = sub(big)->size();
        findAction(frame->menuBar(), "Ü&berlappend")->trigger();
        QCOMPARE(sub(big)->size(), listSize);
        QVERIFY(workArea().contains(sub(big)->geometry()));
        QVERIFY(workArea().contains(sub(small)->geometry()));

        // Tiling stretches the list into its cell but leaves the clock at its size.
        const QSize clockSize = sub(small)->size();
        findAction(frame->menuBar(), "&Nebeneinander")->trigger();
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
        QCOMPARE(frame->lineText(), QStringLiteral("SIM · Ofen 3"));
        state->reportOutcome(QStringLiteral("99 Backprogramme von Ofen 3 gelesen."));
        QCOMPARE(frame->outcomeText(), QStringLiteral("99 Backprogramme von Ofen 3 gelesen."));

        // A port that cannot be opened is named with its reason, at once.
        link->setTransport(sim::makeTransport(QStringLiteral("/dev/torvel-missing-port"), {}));
        QCOMPARE(frame->lineText(), QStringLiteral("/dev/torvel-missing-port · Ofen 3"));
        link->engine().SendCommand(QByteArray("\x05\x9e", 2), 1, false, 50, QStringLiteral("Steuerung adressieren"), 3);
        QVERIFY2(frame->outcomeText().startsWith("/dev/torvel-missing-port lässt sich nicht öffnen: "),
                 qPrintable(frame->outcomeText()));
        QCOMPARE(link->engine().portError(), frame->outcomeText());
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
        frame->show();
        QWidget *list = frame->openChild(ChildWindow::BakeProgramList);
        QCOMPARE(frame->dialogPreset().fileName, QStringLiteral("*.REC"));
        QCOMPARE(frame->dialogPreset().openEntry, 2);
        QCOMPARE(frame->dialogPreset().saveEntry, 1);
        frame->openChild(ChildWindow::NightStart);
        QCOMPARE(frame->dialogPreset().fileName, QStringLiteral("*.NGT"));
        QCOMPARE(frame->dialogPreset().openEntry, 3);
        QCOMPARE(frame->dialogPreset().saveEntry, 2);

        // The save dialog starts on the night start entry, so a plain name saves night starts.
        int offered = -1;
        frame->saveDialog = [&offered](int *entry, const QString &) {
            offered = *entry;
            return QString();
        };
        frame->fileSave();
        QCOMPARE(offered, 2);

        frame->mdiArea()->setActiveSubWindow(sub(list));
        QCOMPARE(frame->dialogPreset().saveEntry, 1);
        QCOMPARE(state->printTarget.data(), list);
    }

    void messageWindowsNeitherPrintNorTakeTheFocus()
    {
        registerChild(ChildWindow::BakeProgramList, QSize(400, 300), ChildSize::Resizable, &AppState::bakeProgramList);
        frame->show();
        QWidget *list = frame->openChild(ChildWindow::BakeProgramList);
        QVERIFY(QTest::qWaitForWindowActive(frame));
        MessageWindow *message =
            MessageWindow::showMessageWindow(state, frame->mdiArea(), QStringLiteral("ERR: Übertragung wurde abgebrochen!"));
        QCOMPARE(frame->mdiArea()->activeSubWindow(), sub(list));
        QCOMPARE(state->printTarget.data(), list);
        QTRY_COMPARE(message->caption(), QStringLiteral("Meldung"));
        QVERIFY(sub(message)->width() >= sub(message)->fontMetrics().horizontalAdvance("Meldung")
                                             + MessageWindow::kCaptionButtonsWidth);
    }

    void windowMenuListsAndActivatesTheOpenWindows()
    {
        registerChild(ChildWindow::Clock, QSize(300, 120));
        registerChild(ChildWindow::Oven, QSize(120, 300));
        frame->show();
        QWidget *clock = frame->openChild(ChildWindow::Clock);
        frame->openChild(ChildWindow::Oven);
        QMenu *fenster = nullptr;
        for (QAction *a : frame->menuBar()->actions())
            if (a->text() == QLatin1String("&Fenster"))
                fenster = a->menu();
        QVERIFY(fenster);
        emit fenster->aboutToShow();
        QAction *first = findAction(fenster, QStringLiteral("&1 Fenster %1").arg(int(ChildWindow::Clock)));
        QAction *second = findAction(fenster, QStringLiteral("&2 Fenster %1").arg(int(ChildWindow::Oven)));
        QVERIFY(first && second);
        QVERIFY(second->isChecked());
        first->trigger();
        QCOMPARE(frame->mdiArea()->activeSubWindow(), sub(clock));
    }

    void fileItemsHaveTheirShortcutsAndFollowTheList()
    {
        QCOMPARE(findAction(frame->menuBar(), "Ö&ffnen...")->shortcut(), QKeySequence(QKeySequence::Open));
        QCOMPARE(findAction(frame->menuBar(), "Speichern &unter...")->shortcut(), QKeySequence(QKeySequence::Save));
        QCOMPARE(findAction(frame->menuBar(), "&Drucken (nur BackProgramme/Nachtstarts)...")->shortcut(),
                 QKeySequence(QKeySequence::Print));

        registerChild(ChildWindow::BakeProgramList, QSize(400, 300), ChildSize::Resizable, &AppState::bakeProgramList);
        auto *newItem = frame->findChild<QAction *>(QStringLiteral("FileNewItem"));
        auto *copyItem = frame->findChild<QAction *>(QStringLiteral("EditCopyItem"));
        QVERIFY(newItem && copyItem);
        QVERIFY(newItem->isEnabled());
        QWidget *list = frame->openChild(ChildWindow::BakeProgramList);
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

    void valueHeadingsSayWhatTheyHold_data()
    {
        QTest::addColumn<bool>("damperSeconds");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("tip");
        QTest::newRow("top heat") << false << 2 << "Oberhitze Phase 1 in °C";
        QTest::newRow("bake time") << false << 9 << "Backzeit Phase 2 in Minuten";
        QTest::newRow("steam on") << false << 10 << "Schwaden 2: Sekunden EIN";
        QTest::newRow("damper in minutes") << false << 6 << "Abzug 1: Minuten ZU";
        QTest::newRow("damper in seconds") << true << 11 << "Abzug 2: Sekunden AUF";
        QTest::newRow("last column") << false << 24 << "Backzeit Phase 5 in Minuten";
    }
    void valueHeadingsSayWhatTheyHold()
    {
        QFETCH(bool, damperSeconds);
        QFETCH(int, column);
        QFETCH(QString, tip);
        SheetModel list;
        setupProgramSheet(list);
        describeProgramColumns(list, damperSeconds ? AppState::damperSecondsMinuteColumns()
                                                   : AppState::defaultMinuteColumns());
        SheetTableModel model(&list);
        QCOMPARE(model.headerData(column - 1, Qt::Horizontal, Qt::ToolTipRole).toString(), tip);
    }

    void namesStayInViewWhileTheValuesScroll()
    {
        SheetModel list;
        setupProgramSheet(list);
        list.setText(3, 1, QStringLiteral("Brötchen"));
        GridView grid(&list);
        grid.setFrozenColumns(1);
        grid.resize(500, 300);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QTableView *table = grid.table();
        table->horizontalScrollBar()->setValue(table->horizontalScrollBar()->maximum());
        QTableView *names = grid.frozenColumn();
        QVERIFY(names && names->isVisible());
        const QModelIndex name = table->model()->index(2, 0);
        // The name's cell is still on screen, right of the row numbers.
        QVERIFY(names->visualRect(name).isValid());
        QCOMPARE(names->x(), table->frameWidth() + table->verticalHeader()->width());
        // Typing on a name edits it where it can be seen, and the values stay scrolled.
        const int scrolled = table->horizontalScrollBar()->value();
        list.setCurrentCell(3, 1);
        table->setFocus();
        QTest::keyClicks(table, "S");
        QVERIFY(names->viewport()->findChild<QLineEdit *>());
        QCOMPARE(table->horizontalScrollBar()->value(), scrolled);
    }
};

QTEST_MAIN(TestUiFrame)
#include "tst_ui_frame.moc"
