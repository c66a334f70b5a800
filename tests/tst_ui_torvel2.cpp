// The Torvel2 window against the simulated line: its pages per start-up switch, the gradient
// table page from read to send, the status poll and its skip, closing during a transfer, the
// VKSDebug and Debug pages.

#include "simline.h"
#include "testsupport/scriptedprompter.h"
#include "testsupport/linerig.h"

#include "link/controllerlink.h"
#include "shell/appstate.h"
#include "shell/sheetmodel.h"
#include "shell/transferguard.h"
#include "tables/gradientfile.h"
#include "tables/gradientgrid.h"
#include "tables/ui/gradientpage.h"
#include "torvel2/ui/debugpage.h"
#include "torvel2/ui/torvel2context.h"
#include "torvel2/ui/torvel2window.h"
#include "torvel2/ui/vksdebugpage.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace torvel;
using namespace torvel::sim;
using torvel::test::ScriptedPrompter;

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

struct Rig {
    AppState state;
    ControllerLink link;
    SimLine *line = test::attachSimulatedLine(link);
    ScriptedPrompter prompter;
    QList<QByteArray> frames;
    std::function<void(const QByteArray &)> onFrame;

    Rig()
    {
        state.setSelectedOven(7);
        QObject::connect(&link.engine(), &CommandEngine::frameSent, [this](const QByteArray &f) {
            frames << f;
            if (onFrame)
                onFrame(f);
        });
    }
};

template <typename T>
T *child(QWidget &w, const char *name)
{
    return w.findChild<T *>(QString::fromLatin1(name));
}

QStringList visibleTabs(QTabWidget *tabs)
{
    QStringList out;
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->isTabVisible(i))
            out << tabs->tabText(i);
    return out;
}

} // namespace

class TestUiTorvel2 : public QObject
{
    Q_OBJECT

private slots:
    void pagesPerSwitch_data()
    {
        QTest::addColumn<bool>("modem");
        QTest::addColumn<bool>("service");
        QTest::addColumn<QStringList>("tabs");
        QTest::newRow("none") << false << false << QStringList{"Betriebsdaten", "Steigungs-Tabelle"};
        QTest::newRow("MODEM") << true << false
                               << QStringList{"VKSDebug", "Bereittabelle", "Betriebsdaten", "Steigungs-Tabelle"};
        QTest::newRow("service") << false << true
                                 << QStringList{"Betriebsdaten", "Steigungs-Tabelle", "Torvel komplett lesen/schreiben",
                                                "Debug", "Fehler-Liste"};
        QTest::newRow("both") << true << true
                              << QStringList{"VKSDebug", "Bereittabelle", "Betriebsdaten", "Steigungs-Tabelle",
                                             "Torvel komplett lesen/schreiben", "Debug", "Fehler-Liste"};
    }
    void pagesPerSwitch()
    {
        QFETCH(bool, modem);
        QFETCH(bool, service);
        QFETCH(QStringList, tabs);
        Rig rig;
        rig.state.modemStartup = modem;
        rig.state.serviceMode = service;
        Torvel2Window w(&rig.state, &rig.link, &rig.prompter);
        w.show();
        QCOMPARE(w.objectName(), QStringLiteral("TwTorvel2"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Torvel2"));
        QCOMPARE(rig.state.torvel2Window.data(), &w);
        QCOMPARE(visibleTabs(w.pages()), tabs);
        QCOMPARE(w.pages()->currentWidget()->objectName(), QStringLiteral("BDataSheet"));
        QVERIFY(child<QWidget>(w, "Fortschritt")->isHidden());
        QCOMPARE(child<QProgressBar>(w, "Gauge1")->maximum(), 396);
        QCOMPARE(child<QLabel>(w, "ActAction")->text(), QStringLiteral("Kein Torvelrecord geladen!"));
        QVERIFY(w.context().record().NoRecordLoaded);
        QVERIFY(w.context().record().gradient.isEmpty());
    }

    void gradientPageFromReadToSend()
    {
        Rig rig;
        Torvel2Window w(&rig.state, &rig.link, &rig.prompter);
        GradientPage *page = w.gradientPage();
        SheetModel *grid = page->sheet();
        QTemporaryDir dir;
        QString chosen;
        w.context().saveFileDialog = [&](const QString &, const QString &) { return chosen; };
        w.context().openFileDialog = [&](const QString &, const QString &) { return chosen; };

        // Nothing to send or save before a read; nothing goes on the line.
        page->WriteSteigClick();
        page->SaveSteigClick();
        QCOMPARE(rig.prompter.texts("inform"),
                 (QStringList{"Bitte erst Steigungstabelle auslesen\r\noder gespeicherte Tabelle öffnen!",
                              "Bitte erst Steigungstabelle auslesen!"}));
        QVERIFY(rig.frames.isEmpty());

        bool busyDuringRead = false;
        rig.onFrame = [&](const QByteArray &) {
            busyDuringRead = !w.pages()->isEnabled() && !child<QWidget>(w, "Fortschritt")->isHidden();
        };
        QSignalSpy outcomes(&rig.state, &AppState::outcomeReported);
        page->ReadSteigClick();
        rig.onFrame = nullptr;
        QVERIFY(busyDuringRead);
        QCOMPARE(outcomes.last().first().toString(), QStringLiteral("Steigungstabelle von Ofen 7 gelesen."));
        QVERIFY(w.pages()->isEnabled());
        QCOMPARE(grid->text(1, 2), QStringLiteral("2,5"));
        QCOMPARE(w.context().debugMemo().lines().size(), 20);

        // The Nacht tab is drawn from the table, without the line.
        const int framesAfterRead = static_cast<int>(rig.frames.size());
        child<QTabBar>(w, "SteigungsTab")->setCurrentIndex(1);
        QCOMPARE(grid->text(1, 2), QStringLiteral("3,0"));
        QCOMPARE(rig.frames.size(), framesAfterRead);

        // Edits go into the table as they will be sent; a bad rate is refused and redrawn.
        rig.prompter.shown.clear();
        grid->setText(1, 2, QStringLiteral("3.5"));
        QCOMPARE(page->table().value(GradientNacht, 1, GradientOH), 56);
        QCOMPARE(grid->text(1, 2), QStringLiteral("3,5"));
        grid->setText(2, 3, QStringLiteral("99"));
        QCOMPARE(grid->text(2, 3), gradientRateText(44));
        QCOMPARE(rig.prompter.texts("inform").size(), 1);

        // Defaults go to the oven; the table and the grid stay.
        page->WriteDefaultSteigClick();
        QCOMPARE(rig.line->controller(7).gradient().mode(0), QByteArray(27, 40));
        QCOMPARE(grid->text(1, 2), QStringLiteral("3,5"));
        page->WriteSteigClick();
        QCOMPARE(rig.line->controller(7).gradient().mode(1).at(0), char(56));

        // Save, then a bad file leaves the table as it is, a good one replaces it.
        chosen = dir.filePath("w.TST");
        page->SaveSteigClick();
        const GradientTable saved = page->table();
        QString error;
        GradientTable fromFile = emptyGradientTable();
        QVERIFY(loadGradientFile(chosen, &fromFile, &error));
        QCOMPARE(fromFile, saved);
        QVERIFY(saveGradientFile(testGradientTable(), dir.filePath("t.TST"), &error));
        QFile bad(dir.filePath("bad.TST"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("Steigunstabelle Torvel2EM:;\r\nTAG:;\r\nHERD01;040;040;040\r\n");
        bad.close();
        rig.prompter.shown.clear();
        chosen = bad.fileName();
        page->LoadSteigClick();
        QCOMPARE(rig.prompter.texts("inform"), QStringList{"Fehler beim Laden der Steigungstabelle!"});
        QCOMPARE(page->table(), saved);
        chosen = dir.filePath("t.TST");
        page->LoadSteigClick();
        QCOMPARE(page->table(), testGradientTable());
        QCOMPARE(grid->text(1, 2), gradientRateText(48));
    }

    void statusPollSkipsWhileTheLineIsHeld()
    {
        Rig rig;
        rig.state.modemStartup = true;
        rig.line->controller(7).status().topHeatActual = 233;
        Torvel2Window w(&rig.state, &rig.link, &rig.prompter);
        w.vksTimer()->stop();
        child<QCheckBox>(w, "Statuspoll")->setChecked(true);
        child<QSpinBox>(w, "PollInt")->setValue(0);
        {
            TransferGuard other(rig.state); // another window's transfer
            w.VKSTimerTimer();
            QVERIFY(rig.frames.isEmpty());
        }
        QCOMPARE(w.vksTimer()->interval(), 1);
        w.VKSTimerTimer();
        QCOMPARE(rig.frames, (QList<QByteArray>{hex("05C6"), hex("46 13 00 00 13")}));
        QCOMPARE(child<QSpinBox>(w, "OHIst")->value(), 233);
        QCOMPARE(w.context().vksMemo().lines().size(), 1);
        child<QCheckBox>(w, "DisableAllLogs")->setChecked(true);
        w.VKSTimerTimer();
        QCOMPARE(w.context().vksMemo().lines().size(), 1);
    }

    void closeDuringATransferIsDeferred()
    {
        Rig rig;
        QMdiArea area;
        auto *w = new Torvel2Window(&rig.state, &rig.link, &rig.prompter);
        QMdiSubWindow *sub = area.addSubWindow(w);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        area.show();
        QPointer<Torvel2Window> alive(w);
        int framesAfterClose = 0;
        bool closed = false;
        rig.onFrame = [&](const QByteArray &) {
            if (closed) {
                ++framesAfterClose;
                return;
            }
            closed = true;
            QVERIFY(!sub->close());
            QVERIFY(sub->isHidden());
        };
        w->gradientPage()->ReadSteigClick();
        QCOMPARE(framesAfterClose, 2); // both modes were read to the end
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!alive);
        QVERIFY(!rig.state.torvel2Window);
        QVERIFY(!rig.state.transferActive());
    }

    void aClickWaitsForTheLine()
    {
        Rig rig;
        Torvel2Window w(&rig.state, &rig.link, &rig.prompter);
        {
            TransferGuard other(rig.state);
            w.gradientPage()->ReadSteigClick();
        }
        QVERIFY(rig.frames.isEmpty());
        QTRY_COMPARE(rig.frames.count(hex("46 24 6E 6E 00")), 1); // carried out once the line was free
    }

    void debugPageSetsTheClockAndTheReference()
    {
        Rig rig;
        rig.state.serviceMode = true;
        Torvel2Window w(&rig.state, &rig.link, &rig.prompter);
        auto *refYear = child<QSpinBox>(w, "RefYear");
        QCOMPARE(refYear->palette().color(QPalette::Base), QColor(Qt::red));
        child<QRadioButton>(w, "TakePCRef")->setChecked(true);
        QVERIFY(refYear->palette().color(QPalette::Base) != QColor(Qt::red));
        QCOMPARE(w.context().reference().source, ReferenceYear::Source::PcTime);
        w.debugPage()->followPcTime();
        QCOMPARE(w.context().reference().RefYear, QDate::currentDate().year());

        child<QLineEdit>(w, "TimeEdit")->setText(QStringLiteral("25:00:00"));
        w.debugPage()->TimeSetBtnClick();
        QVERIFY(rig.frames.isEmpty());
        QVERIFY(rig.prompter.texts("inform").first().startsWith("Ungültige Uhrzeit oder ungültiges Datum"));
        child<QLineEdit>(w, "TimeEdit")->setText(QStringLiteral("23:59:59"));
        w.debugPage()->TimeSetBtnClick();
        QCOMPARE(rig.frames.last(), hex("05 05 01 01 10 00 00 00 17")); // Friday (0x05 doubled) 1.1.2010 00:00:00, sum
        QCOMPARE(rig.prompter.texts("inform").last(), QStringLiteral("Uhr gestellt."));
    }
};

QTEST_MAIN(TestUiTorvel2)
#include "tst_ui_torvel2.moc"
