// The "Bereittabelle" page of the Torvel2 window against the simulated line: the table drawn on
// the first activation, sends refused before a read, the complete read with its gauge and spin
// edits, editing with Enter, sending, the defaults, the .TBT file, closing during a read.

#include "testsupport/linerig.h"

#include "shell/sheetmodel.h"
#include "shell/ui/gridview.h"
#include "tables/readydefaults.h"
#include "tables/readyfile.h"
#include "tables/ui/readygrideditor.h"
#include "tables/ui/readytablepage.h"
#include "torvel2/ui/torvel2context.h"
#include "torvel2/ui/torvel2window.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProgressBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabBar>
#include <QTableView>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace torvel;
using namespace torvel::sim;

namespace {

struct Rig : test::LineRig {
    QMdiArea area;
    Torvel2Window *window;
    QMdiSubWindow *sub;
    QTemporaryDir dir;

    Rig()
    {
        state.setSelectedOven(7);
        state.modemStartup = true;
        window = new Torvel2Window(&state, &link, &prompter);
        window->context().setLogFolder(dir.filePath("log"));
        sub = area.addSubWindow(window);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        area.show();
    }
    template <typename T>
    T *child(const char *name) const
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }
    ReadyTablePage *page() const { return window->readyTablePage(); }
    SheetModel *grid() const { return page()->editor()->sheet(); }
};

} // namespace

class TestUiReady : public QObject
{
    Q_OBJECT

private slots:
    void pageFromReadToSend()
    {
        Rig rig;
        QVERIFY(QTest::qWaitForWindowExposed(&rig.area));
        ReadyTablePage *page = rig.page();
        SheetModel *grid = rig.grid();
        QCOMPARE(grid->maxRow(), 9 * 33); // drawn empty on the first activation
        QCOMPARE(grid->text(2, 1), QStringLiteral("31"));
        QVERIFY(rig.child<QWidget>("DebugPanel")->isVisibleTo(page));

        // Nothing read yet: nothing is sent.
        page->SetBTableClick();
        page->SetBTableCompleteClick();
        QCOMPARE(rig.prompter.texts("inform").size(), 2);
        QVERIFY(rig.prompter.texts("inform").at(0).startsWith("Der gewählte Herde/Wochentag"));
        QVERIFY(rig.prompter.texts("inform").at(1).endsWith("Fehlende Herde:\r\n(SO)1-(SO)2-(SO)3-(SO)4-(SO)5-"
                                                            "(SO)6-(SO)7-(SO)8-(SO)9-\r\n(MO)1-(MO)2-(MO)3-(MO)4-"
                                                            "(MO)5-(MO)6-(MO)7-(MO)8-(MO)9-\r\n(DI)1-(DI)2-(DI)3-"
                                                            "(DI)4-(DI)5-(DI)6-(DI)7-(DI)8-(DI)9-\r\n(MI)1-(MI)2-"
                                                            "(MI)3-(MI)4-(MI)5-(MI)6-(MI)7-(MI)8-(MI)9-\r\n(DO)1-"
                                                            "(DO)2-(DO)3-(DO)4-(DO)5-(DO)6-(DO)7-(DO)8-(DO)9-\r\n"
                                                            "(FR)1-(FR)2-(FR)3-(FR)4-(FR)5-(FR)6-(FR)7-(FR)8-(FR)9-"
                                                            "\r\n(SA)1-(SA)2-(SA)3-(SA)4-(SA)5-(SA)6-(SA)7-(SA)8-(SA)9-"));
        QVERIFY(rig.frames.isEmpty());

        // The complete read of three decks: the gauge runs to 21, the spin edits come back.
        rig.child<QSpinBox>("HerdMax")->setValue(3);
        rig.child<QSpinBox>("WochTag")->setValue(4);
        QSet<int> shownDays;
        bool busy = true;
        rig.onFrame = [&](const QByteArray &) {
            shownDays << rig.child<QSpinBox>("WochTag")->value();
            busy = busy && !rig.window->pages()->isEnabled();
        };
        QSignalSpy outcomes(&rig.state, &AppState::outcomeReported);
        rig.prompter.shown.clear();
        page->BTabKomplettClick();
        rig.onFrame = nullptr;
        QVERIFY(busy);
        QCOMPARE(shownDays.size(), 7);
        QCOMPARE(rig.child<QProgressBar>("Gauge1")->maximum(), 21);
        QCOMPARE(rig.child<QSpinBox>("WochTag")->value(), 4);
        QCOMPARE(outcomes.last().first().toString(), QStringLiteral("Bereittabelle von Ofen 7 gelesen."));
        QVERIFY(rig.prompter.shown.isEmpty());
        QCOMPARE(grid->maxRow(), 3 * 33);

        // Monday from the table, without the line; then edited: Woche 5 at 08:00.
        const qsizetype framesAfterRead = rig.frames.size();
        rig.child<QTabBar>("TabControl1")->setCurrentIndex(1);
        QCOMPARE(grid->text(2, 2), QStringLiteral("04:30"));
        QCOMPARE(rig.frames.size(), framesAfterRead);

        // A single block read redraws the day shown from the table.
        rig.line->controller(7).ready().setEntry(1, 1, 1, 30, 4 * 60 + 45);
        rig.child<QSpinBox>("WochTag")->setValue(1);
        rig.child<QSpinBox>("HerdNo")->setValue(1);
        page->GetBTableClick();
        QCOMPARE(grid->text(2, 2), QStringLiteral("04:45"));
        rig.line->controller(7).ready().setEntry(1, 1, 1, 30, 4 * 60 + 30);
        page->GetBTableClick();
        QCOMPARE(grid->text(2, 2), QStringLiteral("04:30"));
        rig.child<QCheckBox>("TabEdit")->click();
        QTableView *table = page->editor()->grid()->table();
        table->setFocus();
        grid->setCurrentCell(2, 1);
        QTest::keyClick(table, Qt::Key_5);
        QTest::keyClick(table->findChild<QLineEdit *>(), Qt::Key_Return);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(grid->currentCol(), 2); // Enter moves on
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::keyClick(table, Qt::Key_0);
        QTest::keyClicks(table->findChild<QLineEdit *>(), "800");
        QTest::keyClick(table->findChild<QLineEdit *>(), Qt::Key_Return);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(grid->text(2, 2), QStringLiteral("08:00"));
        QCOMPARE(page->table().entry(1, 1, 1), (ReadyEntry{5, 480}));

        page->SetBTableCompleteClick();
        QCOMPARE(rig.line->controller(7).ready().block(1, 1).left(2), QByteArray("\xE0\x29"));
        QCOMPARE(rig.prompter.texts("inform"), QStringList{"Bereittabelle gesetzt."});

        // Declined, the defaults stay home and the status line says so; accepted, they go to
        // the oven and the window's table stays.
        const QByteArray before = rig.line->controller(7).ready().block(6, 3);
        rig.prompter.answers.enqueue(PromptButton::No);
        page->SetStartDefaultsClick();
        QCOMPARE(rig.line->controller(7).ready().block(6, 3), before);
        QCOMPARE(outcomes.last().first().toString(),
                 QStringLiteral("Default-Bereittabelle an Ofen 7 nicht gesendet (nicht bestätigt)."));
        rig.prompter.shown.removeLast();
        rig.prompter.answers.enqueue(PromptButton::Yes);
        page->SetStartDefaultsClick();
        QCOMPARE(rig.prompter.shown.at(1).caption, QStringLiteral("WARNUNG"));
        QCOMPARE(rig.line->controller(7).ready().block(6, 3), BuildDefaultReadyBlock(6, 3, false).left(256));
        QCOMPARE(page->table().entry(1, 1, 1), (ReadyEntry{5, 480}));

        // Saved, then a bad file changes nothing, a good one is taken with all its blocks.
        const QString file = rig.dir.filePath("w.TBT");
        QString chosen = file;
        rig.window->context().saveFileDialog = [&](const QString &, const QString &) { return chosen; };
        rig.window->context().openFileDialog = [&](const QString &, const QString &) { return chosen; };
        page->SaveReadyFile();
        QCOMPARE(QFile(file).size(), readyFileContent(page->table()).size());
        const ReadyTable saved = page->table();
        QFile bad(rig.dir.filePath("bad.TBT"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("WOCHENTAG;9;\r\n");
        bad.close();
        chosen = bad.fileName();
        rig.prompter.shown.clear();
        page->OpenReadyFile();
        QCOMPARE(rig.prompter.texts("inform"), QStringList{"Fehler beim Öffnen der Bereittabelle!"});
        QCOMPARE(page->table(), saved);
        QVERIFY(!page->flags().isSet(0, 4));
        chosen = file;
        page->OpenReadyFile();
        QCOMPARE(page->table(), saved);
        QVERIFY(page->flags().isSet(0, 4));
    }

    void closingDuringACompleteReadStopsIt()
    {
        Rig rig;
        QPointer<Torvel2Window> alive(rig.window);
        int readsAfterClose = 0;
        bool closed = false;
        rig.onFrame = [&](const QByteArray &f) {
            if (closed) {
                readsAfterClose += f.startsWith("\x46\x22");
                return;
            }
            if (f.startsWith("\x46\x22")) {
                closed = true;
                QVERIFY(!rig.sub->close());
                QVERIFY(rig.sub->isHidden());
            }
        };
        rig.page()->BTabKomplettClick();
        QCOMPARE(readsAfterClose, 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!alive);
        QVERIFY(!rig.state.transferActive());
    }
};

QTEST_MAIN(TestUiReady)
#include "tst_ui_ready.moc"
