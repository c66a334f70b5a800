// The bake program list window against the simulated line: receive and send through the
// range dialog, buttons while busy, the key filter, capacity limits and closing mid-transfer.

#include "bakeprog/programsheet.h"
#include "bakeprog/ui/servicepanel.h"
#include "bakeprog/ui/programlistwindow.h"
#include "bakeprog/ui/programeditorwindow.h"
#include "shell/requests.h"
#include "bakeprog/ui/rangedialog.h"
#include "shell/appstate.h"
#include "shell/ui/gridview.h"
#include "simline.h"
#include "testsupport/linerig.h"

#include <QCheckBox>
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
        answerRange(1, 99);
        list->BPrgempfangenClick();
        QCOMPARE(dialogMaximum, 99);
        QCOMPARE(range->label1()->text(), QStringLiteral("empfange von:"));
        QVERIFY(!enabledDuring && gaugeMoved);
        QCOMPARE(list->gauge()->value(), 4 * 99);
        QCOMPARE(list->gauge()->maximum(), 4 * 99);
        QCOMPARE(list->record().text(1, 1), QStringLiteral("Weizenbrot    "));
        QCOMPARE(list->record().sheetName(), QStringLiteral("Backprogramme_Ofen_3"));
        QVERIFY(list->receiveButton()->isEnabled() && !list->abortButton()->isEnabled());
        QVERIFY(list->transferTime()->text().startsWith(QStringLiteral("Übertragungszeit=")));
        QVERIFY(list->transferTime()->text() != QStringLiteral("Übertragungszeit=.."));
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
};

QTEST_MAIN(TestUiBakeProg)
#include "tst_ui_bakeprog.moc"
