// The clock window and the search window against the simulated line: texts after a tick,
// polling paused and resumed by posted requests, "Stellen" and its messages, closing during
// a transaction; the search marks, fills and refuses to close while it runs.

#include "simfunctions.h"
#include "simline.h"
#include "testsupport/files.h"
#include "testsupport/linerig.h"
#include "testsupport/requestprobe.h"

#include "clock/ui/clockwindow.h"
#include "clock/ui/searchwindow.h"
#include "link/controller.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>

using namespace torvel;
using namespace torvel::sim;
using namespace torvel::test;
using Rig = LineRig;

namespace {

QDateTime at(const char *text)
{
    return QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

// A controller that acknowledges the announce but refuses every data frame.
void refuseClockData(Rig &rig, int oven)
{
    rig.line->controller(oven).registerFunction(kClockSetFunction, [](quint8, quint8) {
        return SimReply::expectData(7, [](const QByteArray &) { return SimReply::nak(); });
    });
}

bool isAddressOf(const QByteArray &frame, int oven)
{
    return frame == addressFrame(ovenAddressByte(oven));
}

QString labelText(QWidget &w, const char *name)
{
    auto *label = w.findChild<QLabel *>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
}

QPushButton *button(QWidget &w, const char *name)
{
    return w.findChild<QPushButton *>(QString::fromLatin1(name));
}

void deliverPosted()
{
    QCoreApplication::sendPostedEvents();
}

} // namespace

class TestUiClock : public QObject
{
    Q_OBJECT

private slots:
    void clockTickTexts_data()
    {
        QTest::addColumn<QByteArray>("clockBytes"); // empty: an oven that is not there
        QTest::addColumn<QString>("text");
        QTest::newRow("valid") << hex("04 31 12 26 23 59 58") << "Donnerstag  31.12.2026 23.59.58";
        QTest::newRow("weekday from the date, not the byte") << hex("09 01 01 27 00 00 00")
                                                             << "Freitag  01.01.2027 00.00.00";
        QTest::newRow("unavailable oven") << QByteArray() << "nicht verfügbar";
        QTest::newRow("month 13") << hex("04 31 13 26 23 59 58") << "Zeit kann nicht gewandelt werden.";
    }

    void clockTickTexts()
    {
        QFETCH(QByteArray, clockBytes);
        QFETCH(QString, text);
        Rig rig;
        rig.state.setSelectedOven(3);
        SimClock &clock = rig.line->controller(3).clock();
        clock.setHostClock([] { return at("10.03.2026 08:00:00"); }); // stands still
        if (clockBytes.isEmpty())
            rig.line->setPresentOvens({1, 2});
        else
            clock.setRaw(clockBytes);

        ClockWindow w(&rig.state, &rig.link, &rig.prompter);
        w.pollClock();
        QCOMPARE(labelText(w, "VKSZeit"), text);
        static const QRegularExpression pcLine(
            QStringLiteral("^(Sonntag|Montag|Dienstag|Mittwoch|Donnerstag|Freitag|Samstag)  "
                           "\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d$"));
        QVERIFY2(pcLine.match(labelText(w, "PCZeit")).hasMatch(), qPrintable(labelText(w, "PCZeit")));
        QVERIFY(w.getTimer()->isActive() && w.getTimer()->interval() == 5000);
    }

    void clockPollingPausedAndResumedByRequests()
    {
        Rig rig;
        ClockWindow w(&rig.state, &rig.link, &rig.prompter);
        QVERIFY(w.getTimer()->isActive());

        QVERIFY(postRequest(&w, Request::StopCommunication));
        deliverPosted();
        QVERIFY(!w.getTimer()->isActive());
        QVERIFY(postRequest(&w, Request::StartCommunication));
        deliverPosted();
        QVERIFY(w.getTimer()->isActive());
    }

    void clockStellen_data()
    {
        QTest::addColumn<QList<int>>("ovens");
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<bool>("refuseData");
        QTest::addColumn<bool>("polling");
        QTest::addColumn<QString>("outcome");
        const QList<int> all{1, 2, 3, 4, 5, 6, 7};
        QTest::newRow("set, polling") << all << QStringList() << false << true << "Uhr gestellt.";
        QTest::newRow("set after retries, not polling") << all << QStringList{"silence@2:addrx2", "nak@2:1ax3"} << false
                                                        << false << "Uhr gestellt.";
        QTest::newRow("data refused") << all << QStringList() << true << true << "Funktion wurde abgebrochen";
        QTest::newRow("announce refused") << all << QStringList{"nak@2:1ax6"} << false << true
                                          << "Commando \"Uhr stellen\" wurde nicht akzeptiert.";
        QTest::newRow("unreachable") << QList<int>{1} << QStringList() << false << false << "Steuerung nicht erreichbar.";
    }

    void clockStellen()
    {
        QFETCH(QList<int>, ovens);
        QFETCH(QStringList, faults);
        QFETCH(bool, refuseData);
        QFETCH(bool, polling);
        QFETCH(QString, outcome);
        Rig rig;
        rig.line->setPresentOvens(ovens);
        QVERIFY(rig.addFaults(faults));
        if (refuseData)
            refuseClockData(rig, 2);
        rig.state.setSelectedOven(2);
        rig.line->controller(2).clock().setDateTime(at("01.01.2001 00:00:00"));

        ClockWindow w(&rig.state, &rig.link, &rig.prompter);
        if (!polling)
            w.getTimer()->stop();
        bool timerStoppedMeanwhile = true;
        QStringList shownMeanwhile;
        rig.onFrame = [&](const QByteArray &) {
            timerStoppedMeanwhile = timerStoppedMeanwhile && !w.getTimer()->isActive();
            shownMeanwhile = rig.prompter.texts(QStringLiteral("window"));
        };

        button(w, "Stellen")->click();
        QCOMPARE(shownMeanwhile, QStringList{QStringLiteral("Uhr wird gestellt...")});
        QCOMPARE(rig.prompter.texts(QStringLiteral("window")),
                 (QStringList{QStringLiteral("Uhr wird gestellt..."), outcome}));
        QVERIFY(timerStoppedMeanwhile);
        QCOMPARE(w.getTimer()->isActive(), polling);

        if (outcome == QLatin1String("Uhr gestellt.")) {
            w.pollClock();
            const QString shown = labelText(w, "VKSZeit");
            const QDateTime set = QDateTime::fromString(shown.section(QStringLiteral("  "), 1), QStringLiteral("dd.MM.yyyy HH.mm.ss"));
            // The controller keeps whole seconds and the retries take a moment: up to two behind.
            QVERIFY2(set.isValid() && set.secsTo(QDateTime::currentDateTime()) <= 2, qPrintable(shown));
        }
    }

    void clockCloseDuringReadIsDeferred_data()
    {
        QTest::addColumn<bool>("viaButton");
        QTest::newRow("frame closed") << false;
        QTest::newRow("Schließen") << true;
    }

    void clockCloseDuringReadIsDeferred()
    {
        QFETCH(bool, viaButton);
        Rig rig;
        rig.line->setPresentOvens({2});
        QMdiArea mdi;
        auto *w = new ClockWindow(&rig.state, &rig.link, &rig.prompter);
        QPointer<ClockWindow> window(w);
        QPointer<QMdiSubWindow> sub = mdi.addSubWindow(w);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        mdi.show();

        int frames = 0;
        bool aliveThroughout = true;
        rig.onFrame = [&](const QByteArray &) {
            aliveThroughout = aliveThroughout && window && sub;
            if (++frames != 1)
                return;
            QVERIFY(w->transactionRunning());
            if (viaButton)
                button(*w, "Schliessen")->click();
            else
                QVERIFY(!sub->close()); // not now: the read still runs in the window
            QVERIFY(sub->isHidden());
            QVERIFY(!rig.state.clockWindow);
        };

        w->pollClock();
        QVERIFY(frames == 6 && aliveThroughout);
        QTRY_VERIFY(!sub && !window);
    }

    void searchMarksAndFills()
    {
        Rig rig;
        rig.line->setPresentOvens({1, 2, 3, 5, 6, 7});
        SearchWindow w(&rig.state, &rig.link);
        QStringList marked;
        QList<bool> searching;
        rig.onFrame = [&](const QByteArray &f) {
            for (int oven = 1; oven <= 7; ++oven) {
                if (isAddressOf(f, oven) && marked.size() < oven) {
                    marked << w.table()->item(oven - 1, 1)->text();
                    searching << (w.searching() && !button(w, "Suchen")->isEnabled()
                                  && !button(w, "Schliessen")->isEnabled());
                }
            }
        };

        w.search();
        QCOMPARE(marked, QStringList(7, QStringLiteral(" *")));
        QCOMPARE(searching, QList<bool>(7, true));
        const QStringList expected{"2.85 r1", "2.90 r2", "2.91 r3", "NA", "3.02 r0", "1.60", "4.10 r30"};
        QStringList shown;
        for (int row = 0; row < 7; ++row)
            shown << w.table()->item(row, 1)->text();
        QCOMPARE(shown, expected);
        QVERIFY(!w.searching() && button(w, "Suchen")->isEnabled() && button(w, "Schliessen")->isEnabled());
        marked.clear();
        w.search(); // searching again marks the texts already there
        QCOMPARE(marked.at(2), QStringLiteral("2.91 r3 *"));
    }

    // Every version query pauses the clock window's polling; one resume at the end.
    void searchPausesClockWindow()
    {
        Rig rig;
        RequestProbe probe;
        rig.state.clockWindow = &probe;
        SearchWindow w(&rig.state, &rig.link);
        w.search();
        deliverPosted();
        QList<Request> expected(7, Request::StopCommunication);
        expected << Request::StartCommunication;
        QCOMPARE(probe.requests(), expected);
    }

    void searchCloseIsDeferredWhileSearching()
    {
        Rig rig;
        rig.line->setPresentOvens({1, 3});
        QMdiArea mdi;
        auto *w = new SearchWindow(&rig.state, &rig.link);
        QPointer<SearchWindow> window(w);
        QPointer<QMdiSubWindow> sub = mdi.addSubWindow(w);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        mdi.show();
        QList<bool> closeResults;
        rig.onFrame = [&](const QByteArray &f) {
            if (f.size() == 2) {
                closeResults << sub->close() << w->close();
                button(*w, "Schliessen")->click(); // disabled: nothing happens
            }
        };

        w->search();
        // Refused while the search runs, then carried out: the next oven is not asked.
        QCOMPARE(closeResults, (QList<bool>{false, false}));
        QCOMPARE(rig.line->stats().addressFrames.size(), 1);
        QVERIFY(!rig.state.searchWindow);
        QTRY_VERIFY(!sub && !window);
    }
};

QTEST_MAIN(TestUiClock)
#include "tst_ui_clock.moc"
