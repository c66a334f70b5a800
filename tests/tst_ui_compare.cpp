// "Mit Torvel vergleichen" and the send of only what changed, in the list and night start
// windows against the simulated line.

#include "bakeprog/programcompare.h"
#include "bakeprog/ui/programlistwindow.h"
#include "bakeprog/ui/rangedialog.h"
#include "link/controllerlink.h"
#include "nightstart/ui/nightstartwindow.h"
#include "shell/appstate.h"
#include "shell/requests.h"
#include "shell/sheettablemodel.h"
#include "shell/ui/compareresultpanel.h"
#include "shell/ui/gridview.h"
#include "simline.h"
#include "testsupport/scriptedprompter.h"
#include "testsupport/linerig.h"

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

using namespace torvel;
using torvel::test::ScriptedPrompter;

namespace {
QString toolTip(GridView *grid, int row, int col)
{
    return grid->tableModel()->index(row - 1, col - 1).data(Qt::ToolTipRole).toString();
}
} // namespace

class TestUiCompare : public QObject
{
    Q_OBJECT

    AppState *state = nullptr;
    ControllerLink *link = nullptr;
    sim::SimLine *line = nullptr;
    ScriptedPrompter *prompter = nullptr;
    RangeDialog *range = nullptr;
    ProgramListWindow *list = nullptr;
    QStringList outcomes;

    // Accepts the range dialog with first..last once the capacity query has let it show.
    void answerRange(int first, int last)
    {
        auto *poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, [this, poll, first, last] {
            if (!range->isVisible())
                return;
            poll->deleteLater();
            poll->stop();
            range->loadFrom()->setValue(first);
            range->loadTo()->setValue(last);
            range->accept();
        });
        poll->start(5);
    }

    // Reads all 99 programs, then edits three of them.
    void readAndEditThree()
    {
        answerRange(1, 99);
        list->BPrgempfangenClick();
        list->record().setText(4, 1, QStringLiteral("Baguette fein"));
        list->record().setNumber(5, 4, 9);
        list->record().setText(11, 1, QStringLiteral("Semmel"));
        line->resetStats();
    }

private slots:
    void init()
    {
        state = new AppState;
        link = new ControllerLink;
        line = torvel::test::attachSimulatedLine(*link);
        prompter = new ScriptedPrompter;
        range = new RangeDialog;
        list = new ProgramListWindow(state, link, prompter, range);
        state->setSelectedOven(3);
        outcomes.clear();
        connect(state, &AppState::outcomeReported, this, [this](const QString &t) { outcomes << t; });
    }
    void cleanup()
    {
        delete list;
        delete range;
        delete prompter;
        delete link;
        delete state;
    }

    void compareMarksTheListAndLeavesItAsItIs()
    {
        readAndEditThree();
        line->controller(3).programs().setName(40, QStringLiteral("Stuten"));
        const SheetModel::Cells before = list->record().cells();
        QCOMPARE(list->compareButton()->text(), QStringLiteral("Mit Torvel vergleichen"));
        answerRange(1, 99);
        list->BPrgVergleichenClick();
        QCOMPARE(range->label1()->text(), QStringLiteral("vergleiche von:"));
        QCOMPARE(list->record().cells(), before);
        QCOMPARE(line->stats().functionFrameCount(0x16) + line->stats().functionFrameCount(0x0C), 0);
        const QString summary = QStringLiteral("Vergleich mit Ofen 3, Programme 1 bis 99: 2 verschieden, "
                                               "1 nur in der Liste, 1 nur am Torvel, 95 gleich.");
        QCOMPARE(list->compareResult()->summary(), summary);
        QCOMPARE(outcomes.last(), summary);
        QCOMPARE(list->record().cellMark(4, 1), CellMark::Differs);
        QCOMPARE(toolTip(list->grid(), 4, 1), QStringLiteral("Torvel: Baguette"));
        QCOMPARE(toolTip(list->grid(), 5, 4), QStringLiteral("Torvel: 7"));
        QCOMPARE(list->record().cellMark(11, 24), CellMark::OnlyHere);
        QCOMPARE(list->record().cellMark(40, 1), CellMark::OnlyThere);
        QCOMPARE(list->record().topRow(), 4);

        list->record().setNumber(6, 2, 1); // any change ends the result
        QVERIFY(!list->record().hasMarks());
        QVERIFY(list->compareResult()->isHidden());
    }

    void sendOffersOnlyTheChangedPrograms_data()
    {
        QTest::addColumn<int>("answer"); // Yes: only the changed, No: all, Cancel: none
        QTest::addColumn<int>("programsSent");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("changed") << int(PromptButton::Yes) << 3
                                 << "3 Backprogramme an Ofen 3 gesendet, 96 waren schon gleich.";
        QTest::newRow("all") << int(PromptButton::No) << 99 << "Backprogramme 1 bis 99 an Ofen 3 gesendet.";
        QTest::newRow("cancel") << int(PromptButton::Cancel) << 0 << "";
    }
    void sendOffersOnlyTheChangedPrograms()
    {
        QFETCH(int, answer);
        QFETCH(int, programsSent);
        QFETCH(QString, outcome);
        readAndEditThree();
        outcomes.clear();
        prompter->answers.enqueue(static_cast<PromptButton>(answer));
        answerRange(1, 99);
        list->BPrgsendenClick();
        QCOMPARE(prompter->shown.last().caption, QStringLiteral("Backprogramme senden"));
        QCOMPARE(
            prompter->shown.last().text,
            QStringLiteral("Backprogramme 1 bis 99, Ofen 3:\r\n3 weichen vom Torvel ab, 96 sind dort schon "
                           "gleich.\r\n\r\nBekannt ist, was zuletzt gelesen, verglichen oder gesendet wurde."
                           "\r\nJa: Nur geänderte Programme senden (3)\r\nNein: Alle Programme senden (99)"));
        QCOMPARE(line->stats().functionFrameCount(0x0C), programsSent);
        QCOMPARE(outcomes.join(QString()), outcome);
        QCOMPARE(line->controller(3).programs().values(5)[2],
                 quint16(answer == int(PromptButton::Cancel) ? 420 : 540));
    }

    void loadAndAnotherOvenForgetWhatTheOvenHolds_data()
    {
        QTest::addColumn<bool>("load");
        QTest::newRow("load") << true;
        QTest::newRow("other oven") << false;
    }
    void loadAndAnotherOvenForgetWhatTheOvenHolds()
    {
        QFETCH(bool, load);
        readAndEditThree();
        QVERIFY(list->ovenCopy().knows(1));
        if (load) {
            state->currentFileName = QStringLiteral(TORVEL_TEST_DATA "/programs/only5.TBR");
            list->loadRecordRequest(kUsbParam);
            prompter->fallback = PromptButton::Yes; // the warning about programs without a name
        } else {
            state->setSelectedOven(4);
            state->setSelectedOven(3);
        }
        QVERIFY(!list->ovenCopy().knowsAny(1, 99));
        answerRange(1, 11);
        list->BPrgsendenClick();
        for (const auto &shown : prompter->shown) // no choice: the whole range went
            QVERIFY(shown.caption != kSendChoiceCaption);
        QCOMPARE(line->stats().functionFrameCount(0x0C), 11);
    }

    void nightCompareMarksCellByCell()
    {
        NightStartWindow night(state, link, prompter);
        night.NachtReadClick();
        SheetModel &grid = *night.sheet();
        grid.setNumber(3, 2, 4); // Monday 04:30 instead of 03:30
        const SheetModel::Cells before = grid.cells();
        night.NachtVergleichenClick();
        QCOMPARE(grid.cells(), before);
        QCOMPARE(line->controller(3).nights().writeCount(), 0);
        QCOMPARE(grid.cellMark(3, 2), CellMark::Differs);
        QCOMPARE(toolTip(night.grid(), 3, 2), QStringLiteral("Torvel: 3"));
        QCOMPARE(grid.cellMark(3, 3), CellMark::None);
        QCOMPARE(night.compareResult()->summary(),
                 QStringLiteral("Vergleich mit Ofen 3: 1 von 14 Startzeiten verschieden."));
        QCOMPARE(outcomes.last(), night.compareResult()->summary());
        night.NachtReadClick(); // a read ends the result
        QVERIFY(!grid.hasMarks());
        QVERIFY(night.compareResult()->isHidden());
    }
};

QTEST_MAIN(TestUiCompare)
#include "tst_ui_compare.moc"
