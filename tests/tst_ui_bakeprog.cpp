// The bake program list window against the simulated line: receive and send through the
// range dialog, buttons while busy, the key filter, capacity limits and closing mid-transfer.

#include "bakeprog/programsheet.h"
#include "bakeprog/ui/servicepanel.h"
#include "bakeprog/ui/programlistwindow.h"
#include "bakeprog/ui/programeditorwindow.h"
#include "shell/requests.h"
#include "bakeprog/ui/rangedialog.h"
#include "clock/ui/clockwindow.h"
#include "shell/appstate.h"
#include "shell/ui/gridview.h"
#include "shell/ui/windowbusy.h"
#include "simline.h"
#include "testsupport/linerig.h"

#include <QApplication>
#include <QCheckBox>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>

using namespace torvel;
using namespace torvel::sim;

class TestUiBakeProg : public QObject
{
    Q_OBJECT

    torvel::test::LineRig *rig = nullptr;
    RangeDialog *range = nullptr;
    QMdiArea *mdi = nullptr;
    ProgramListWindow *list = nullptr;
    int dialogMaximum = -1;

    // Answers the range dialog when it shows; first < 0 cancels.
    void answerRange(int first, int last)
    {
        // Waits for the dialog: the capacity query runs the event loop before it shows.
        auto *poll = new QTimer(this);
        poll->start(5);
        connect(poll, &QTimer::timeout, this, [this, poll, first, last] {
            if (!range->isVisible())
                return;
            poll->deleteLater();
            poll->stop();
            dialogMaximum = range->loadTo()->maximum();
            if (first < 0) {
                range->reject();
                return;
            }
            range->loadFrom()->setValue(first);
            range->loadTo()->setValue(last);
            range->accept();
        });
    }

private slots:
    void init()
    {
        rig = new torvel::test::LineRig;
        range = new RangeDialog;
        mdi = new QMdiArea;
        list = new ProgramListWindow(&rig->state, &rig->link, &rig->prompter, range);
        QMdiSubWindow *sub = mdi->addSubWindow(list);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        mdi->show();
        sub->show();
        rig->state.setSelectedOven(3);
    }
    void cleanup()
    {
        delete mdi;
        delete range;
        delete rig;
    }

    void receivesAllProgramsWithButtonsDisabled()
    {
        bool enabledDuring = false;
        bool gaugeMoved = false;
        connect(&rig->engine(), &CommandEngine::frameSent, this, [&](const QByteArray &f) {
            if (f.startsWith("\x46\x0B")) {
                enabledDuring = enabledDuring || list->receiveButton()->isEnabled() || list->sendButton()->isEnabled()
                                || !list->abortButton()->isEnabled();
                gaugeMoved = gaugeMoved || list->gauge()->value() > 0;
            }
        });
        QSignalSpy outcome(&rig->state, &AppState::outcomeReported);
        answerRange(1, 99);
        list->BPrgempfangenClick();
        QCOMPARE(outcome.value(0).value(0).toString(), QStringLiteral("99 Backprogramme von Ofen 3 gelesen."));
        QCOMPARE(dialogMaximum, 99);
        QCOMPARE(range->label1()->text(), QStringLiteral("empfange von:"));
        QVERIFY(!enabledDuring && gaugeMoved);
        QCOMPARE(list->gauge()->value(), 4 * 99);
        QCOMPARE(list->gauge()->maximum(), 4 * 99);
        QCOMPARE(list->record().text(1, 1), QStringLiteral("Weizenbrot    "));
        QCOMPARE(list->record().sheetName(), QStringLiteral("Backprogramme_Ofen_3"));
        QVERIFY(list->receiveButton()->isEnabled() && !list->abortButton()->isEnabled());
        QVERIFY(list->transferTime()->text().startsWith(QStringLiteral("Übertragungszeit=")));
        // A duration as hh:mm:ss, never a time zone.
        QVERIFY2(QRegularExpression(QStringLiteral("^Übertragungszeit=\\d\\d:\\d\\d:\\d\\d$"))
                     .match(list->transferTime()->text()).hasMatch(),
                 qPrintable(list->transferTime()->text()));
    }

    void theOvenIsTakenOnceAtTheStart()
    {
        connect(&rig->engine(), &CommandEngine::frameSent, this, [&](const QByteArray &) { rig->state.setSelectedOven(5); });
        answerRange(1, 2);
        list->BPrgempfangenClick();
        QCOMPARE(list->record().sheetName(), QStringLiteral("Backprogramme_Ofen_3"));
        QCOMPARE(list->record().text(1, 2), QStringLiteral("233")); // oven 3's top heat
    }

    void elevenProgramControllerLimitsTheRange()
    {
        rig->state.setSelectedOven(4);
        answerRange(12, 11);
        list->BPrgempfangenClick();
        QCOMPARE(dialogMaximum, 11);
        // Last below first: reset and cancelled, nothing read.
        QCOMPARE(range->loadFrom()->value(), 1);
        QCOMPARE(range->loadTo()->value(), 99);
        QCOMPARE(rig->line->stats().functionFrameCount(0x15), 0);
    }

    void unreachableControllerShowsTheMessage()
    {
        rig->line->setPresentOvens({1});
        list->BPrgsendenClick();
        QCOMPARE(rig->prompter.shown.size(), 1);
        QCOMPARE(rig->prompter.shown.first().caption, QStringLiteral("ACHTUNG"));
        QCOMPARE(rig->prompter.shown.first().text, QStringLiteral("Torvel nicht erreichbar\r\nBitte Versuchen sie es nochmals."));
    }

    void sendsTheEditedListBack()
    {
        answerRange(1, 3);
        list->BPrgempfangenClick();
        list->record().setText(2, 1, "Neu");
        answerRange(1, 3);
        list->BPrgsendenClick();
        QCOMPARE(range->label1()->text(), QStringLiteral("   sende von:"));
        QCOMPARE(rig->line->controller(3).programs().nameBytes(2), QByteArray("Neu           "));
        QVERIFY(rig->prompter.texts("window").isEmpty());
    }

    void valueColumnsTakeDigitsOnly()
    {
        QVERIFY(QTest::qWaitForWindowExposed(mdi));
        QTableView *table = list->grid()->table();
        list->record().setCurrentCell(5, 3);
        table->setFocus();
        QTest::keyClick(table, Qt::Key_A); // swallowed: no editor opens
        QVERIFY(!table->findChild<QLineEdit *>());
        QTest::keyClick(table, Qt::Key_1);
        auto *editor = table->findChild<QLineEdit *>();
        QVERIFY(editor);
        QTest::keyClicks(editor, "a2");
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(list->record().text(5, 3), QStringLiteral("12"));
        // Names take any character.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the old editor
        list->record().setCurrentCell(5, 1);
        table->setFocus();
        QTest::keyClick(table, Qt::Key_B);
        editor = table->findChild<QLineEdit *>();
        QVERIFY(editor);
        QCOMPARE(editor->text(), QStringLiteral("b"));
    }

    void doubleClickAsksForTheEditor()
    {
        int requested = 0;
        connect(list, &ProgramListWindow::editRequested, this, [&](int row) { requested = row; });
        emit list->grid()->doubleClicked(7, 2);
        QCOMPARE(requested, 7);
    }

    void closingDuringAReceiveWaitsForItsEnd()
    {
        QPointer<ProgramListWindow> watched = list;
        int names = 0;
        connect(&rig->engine(), &CommandEngine::frameSent, this, [&](const QByteArray &f) {
            if (f.startsWith("\x46\x15") && ++names == 2)
                mdi->subWindowList().first()->close();
        });
        answerRange(1, 20);
        list->BPrgempfangenClick();
        QCOMPARE(names, 2); // the close aborted the receive
        QTRY_VERIFY(watched.isNull());
        QVERIFY(rig->state.bakeProgramList.isNull());
    }

    void savedAndLoadedThroughTheFramesRequests()
    {
        answerRange(1, 99);
        list->BPrgempfangenClick();
        QTemporaryDir dir;
        rig->state.currentFileName = dir.filePath("ofen3");
        postRequest(list, Request::SaveRecord, kUsbParam, kUsbParam);
        QCoreApplication::sendPostedEvents(list);
        QCOMPARE(rig->state.currentFileName, dir.filePath("ofen3.TBR"));
        QVERIFY(QFile::exists(dir.filePath("ofen3.TBR")));
        QCOMPARE(list->windowTitle(), QStringLiteral("Backprogramm: ") + dir.filePath("ofen3.TBR"));
        list->record().setText(1, 1, "geändert");
        postRequest(list, Request::LoadRecord, kUsbParam, kUsbParam);
        QCoreApplication::sendPostedEvents(list);
        QCOMPARE(list->record().text(1, 1), QStringLiteral("Weizenbrot    "));
        QVERIFY(!list->recordModified());
    }

    void theEditorWritesItsProgramBackIntoTheRow()
    {
        ProgramEditorWindow editor(&rig->state);
        list->setEditor(&editor);
        list->record().setText(4, 1, "Alt");
        editor.fill(4, "Neu", QStringList(23, "1"));
        emit editor.takenOver(4, "Neu", QStringList(23, "7"));
        QCOMPARE(list->record().text(4, 1) + list->record().text(4, 24), QStringLiteral("Neu7"));
        QVERIFY(list->recordModified());
    }

    void serviceModeShowsTheDebugPanel()
    {
        rig->state.serviceMode = true;
        list->hide();
        list->show();
        QVERIFY(list->debugPanel()->isVisible() && list->retrytest()->isVisible());
    }

    // ---- nothing lost, nothing misleading ------------------------------------------------

    void aClickWaitsWhileTheClockPollHoldsTheLine()
    {
        ClockWindow clock(&rig->state, &rig->link, &rig->prompter);
        QLabel *hint = list->busyGuard()->hint();
        bool waitedVisibly = false;
        connect(&rig->engine(), &CommandEngine::frameSent, this, [&](const QByteArray &f) {
            if (!f.startsWith("\x46\x19") || waitedVisibly)
                return;
            list->BPrgempfangenClick(); // the poll is on the line: this click waits, the others go
            list->BPrgempfangenClick();
            list->BPrgsendenClick();
            waitedVisibly = !hint->isHidden() && hint->text() == QStringLiteral("Wartet auf die Leitung...");
        });
        answerRange(1, 2);
        clock.pollClock();
        QVERIFY(waitedVisibly);
        QTRY_VERIFY(!list->busy() && rig->line->stats().functionFrameCount(0x0B) == 2);
        QVERIFY(rig->prompter.shown.isEmpty()); // never "Torvel nicht erreichbar"
        QCOMPARE(rig->line->stats().functionFrameCount(0x09), 1); // one transfer: the receive
        QVERIFY(hint->isHidden());
    }

    void closingDuringTheCapacityQueryEndsTheClick()
    {
        rig->line->faults().aim(FaultKind::Silence, 3, 0x09, 2); // the version query stays silent twice
        QPointer<QMdiSubWindow> sub = mdi->subWindowList().first();
        int framesAfterClose = -1;
        connect(&rig->engine(), &CommandEngine::frameSent, this, [&](const QByteArray &f) {
            if (framesAfterClose >= 0)
                ++framesAfterClose;
            else if (f.startsWith("\x46\x09")) {
                framesAfterClose = 0;
                QVERIFY(!sub->close() && sub->isHidden()); // the click is in work: closed after it
            }
        });
        QTimer dialogWatch; // the range dialog must not show; if it did, it is taken as it is
        connect(&dialogWatch, &QTimer::timeout, range, [this] { if (range->isVisible()) range->accept(); });
        dialogWatch.start(5);
        list->BPrgempfangenClick();
        QCOMPARE(framesAfterClose, 4); // the query's two more tries, then nothing
        QTRY_VERIFY(sub.isNull());
        QCOMPARE(rig->line->stats().functionFrameCount(0x15), 0);
    }

    void closingOrAPartialReadAsksForAModifiedList()
    {
        QMdiSubWindow *sub = mdi->subWindowList().first();
        list->record().setText(50, 1, QStringLiteral("Eigenes"));
        list->setRecordModified(true);
        rig->prompter.answers << PromptButton::No << PromptButton::No << PromptButton::Yes;
        QVERIFY(!sub->close());
        for (int i = 0; i < 2; ++i) {
            answerRange(5, 10);
            list->BPrgempfangenClick();
            QCOMPARE(list->record().isEmpty(50, 1), i == 1); // emptied only after Yes
        }
        QCOMPARE(rig->prompter.texts("ask"),
                 QStringList(3, "Backprogramm-Record wurde verändert!\n\rSollen die Änderungen verworfen werden?"));
        QVERIFY(!list->recordModified()); // the list shows what the oven holds
        QVERIFY(sub->close());
    }

    void aValueTheControllerCannotHoldIsRefusedInTheCell()
    {
        QVERIFY(QTest::qWaitForWindowExposed(mdi));
        QTableView *table = list->grid()->table();
        list->record().setNumber(5, 4, 12);
        for (const QString &typed : {QStringLiteral("100"), QStringLiteral("092")}) {
            list->record().setCurrentCell(5, 4);
            table->setFocus();
            QTest::keyClick(table, Qt::Key_1);
            auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget()); // the old one may linger
            QTest::keyClicks(editor, typed);
            QTest::keyClick(editor, Qt::Key_Return);
            QCoreApplication::processEvents();
            QCOMPARE(list->record().text(5, 4), typed == "100" ? QStringLiteral("12") : QStringLiteral("1092"));
        }
        QCOMPARE(rig->prompter.texts("inform"), QStringList{"BZ1, Programm 5: \"1100\" ist kein gültiger Wert.\r\n"
                                                            "Erlaubt sind ganze Zahlen von 0 bis 1092 (Minuten)."});
        QVERIFY(list->recordModified()); // typing is a change like a take-over
    }
};

QTEST_MAIN(TestUiBakeProg)
#include "tst_ui_bakeprog.moc"
