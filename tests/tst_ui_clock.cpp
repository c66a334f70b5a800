// The clock window and the search window against the simulated line: texts after a tick,
// polling paused and resumed by posted requests, "Stellen" and its messages, closing during
// a transaction; the search marks, fills and refuses to close while it runs.

#include "simfunctions.h"
#include "simline.h"
#include "simoptions.h"
#include "simtransport.h"
#include "testsupport/scriptedprompter.h"

#include "clock/clockread.h"
#include "clock/clocktexts.h"
#include "clock/ui/searchwindow.h"
#include "clock/ui/clockwindow.h"
#include "link/controller.h"
#include "link/controllerlink.h"
#include "shell/appstate.h"
#include "shell/requests.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>

#include <memory>

using namespace torvel;
using namespace torvel::sim;
using torvel::test::ScriptedPrompter;

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

QDateTime at(const char *text)
{
    return QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

// What the windows need: the program state, a link on its own simulated line, a prompter.
struct Rig {
    AppState state;
    ControllerLink link;
    SimLine *line = nullptr;
    ScriptedPrompter prompter;
    QList<std::function<void(const QByteArray &)>> onFrame;

    Rig()
    {
        auto transport = std::make_unique<SimTransport>();
        line = transport->line();
        link.setTransport(std::move(transport));
        QObject::connect(&link.engine(), &CommandEngine::frameSent, [this](const QByteArray &f) {
            for (const auto &handler : onFrame)
                handler(f);
        });
    }

    bool addFaults(const QStringList &rules)
    {
        for (const QString &text : rules) {
            const auto rule = parseFaultRule(text, nullptr);
            if (!rule)
                return false;
            line->faults().add(*rule);
        }
        return true;
    }

    // A controller that acknowledges the announce but refuses every data frame.
    void refuseClockData(int oven)
    {
        line->controller(oven).registerFunction(kClockSetFunction, [](quint8, quint8) {
            return SimReply::expectData(7, [](const QByteArray &) { return SimReply::nak(); });
        });
    }
};

bool isAddressOf(const QByteArray &frame, int oven)
{
    return frame == addressFrame(ovenAddressByte(oven));
}

// Stands in for the clock window and records the requests posted to it.
class RequestProbe : public QObject
{
public:
    QList<Request> requests;

protected:
    bool event(QEvent *e) override
    {
        if (e->type() != RequestEvent::eventType())
            return QObject::event(e);
        requests << static_cast<RequestEvent *>(e)->request();
        return true;
    }
};

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
    // The clock window.
    void clockInitialState();
    void clockTickTexts_data();
    void clockTickTexts();
    void clockFramesOldTextWhileReading();
    void clockStopTimePoll();
    void clockPollingPausedAndResumedByRequests();
    void clockReadTakesOvenOnce();
    void clockStellen_data();
    void clockStellen();
    void clockStellenDuringReadWaitsForIt();
    void clockSchliessenClosesSubWindow();
    void clockCloseDuringReadIsDeferred_data();
    void clockCloseDuringReadIsDeferred();
    void clockCloseDuringStellenIsDeferred();
    void clockActivationAndShowAgain();
    // The search window.
    void searchInitialState();
    void searchMarksAndFills();
    void searchAllAbsent();
    void searchPausesClockWindow();
    void searchCloseRefusedWhileSearching();
    void searchErneutSuchenAndShowAgain();
};

void TestUiClock::clockInitialState()
{
    Rig rig;
    {
        ClockWindow w(&rig.state, &rig.link, &rig.prompter);
        QCOMPARE(w.windowTitle(), QStringLiteral("Uhrzeit"));
        QCOMPARE(labelText(w, "Label1"), QStringLiteral("Aktuelle PC Zeit:"));
        QCOMPARE(labelText(w, "PCZeit"), QStringLiteral("PC Zeit"));
        QCOMPARE(labelText(w, "ZeitvonVKS"), QStringLiteral("Aktuelle Uhrzeit des Torvels: "));
        QCOMPARE(labelText(w, "VKSZeit"), QStringLiteral("Empfangen..."));
        QCOMPARE(button(w, "Stellen")->text(), QStringLiteral("Stellen"));
        QCOMPARE(button(w, "Schliessen")->text(), QStringLiteral("Schließen"));
        auto *timer = w.findChild<QTimer *>(QStringLiteral("GetTimer"));
        QCOMPARE(timer, w.getTimer());
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 500);
        QCOMPARE(rig.state.clockWindow.data(), &w);
    }
    QVERIFY(!rig.state.clockWindow);
}

void TestUiClock::clockTickTexts_data()
{
    QTest::addColumn<QList<int>>("ovens");
    QTest::addColumn<bool>("ackOnly");
    QTest::addColumn<QByteArray>("clockBytes");
    QTest::addColumn<QString>("text");
    const QList<int> all{1, 2, 3, 4, 5, 6, 7};
    QTest::newRow("valid") << all << false << hex("04 31 12 26 23 59 58") << "Donnerstag  31.12.2026 23.59.58";
    QTest::newRow("weekday from the date, not the byte") << all << false << hex("09 01 01 27 00 00 00")
                                                         << "Freitag  01.01.2027 00.00.00";
    QTest::newRow("unavailable oven") << QList<int>{1, 2} << false << QByteArray() << "nicht verfügbar";
    QTest::newRow("bare 06") << all << true << QByteArray() << "nicht verfügbar";
    QTest::newRow("month 13") << all << false << hex("04 31 13 26 23 59 58") << "Zeit kann nicht gewandelt werden.";
}

void TestUiClock::clockTickTexts()
{
    QFETCH(QList<int>, ovens);
    QFETCH(bool, ackOnly);
    QFETCH(QByteArray, clockBytes);
    QFETCH(QString, text);
    Rig rig;
    rig.line->setPresentOvens(ovens);
    rig.state.setSelectedOven(3);
    SimClock &clock = rig.line->controller(3).clock();
    clock.setHostClock([] { return at("10.03.2026 08:00:00"); }); // stands still
    clock.setAckOnly(ackOnly);
    if (!clockBytes.isEmpty())
        clock.setRaw(clockBytes);

    ClockWindow w(&rig.state, &rig.link, &rig.prompter);
    w.pollClock();
    QCOMPARE(labelText(w, "VKSZeit"), text);
    static const QRegularExpression pcLine(
        QStringLiteral("^(Sonntag|Montag|Dienstag|Mittwoch|Donnerstag|Freitag|Samstag)  "
                       "\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d$"));
    const QString pc = labelText(w, "PCZeit");
    QVERIFY2(pcLine.match(pc).hasMatch(), qPrintable(pc));
    QVERIFY(pc.startsWith(dayName(QDate::currentDate())) || pc.startsWith(dayName(QDate::currentDate().addDays(-1))));
    QVERIFY(w.getTimer()->isActive());
    QCOMPARE(w.getTimer()->interval(), 5000);
}

void TestUiClock::clockFramesOldTextWhileReading()
{
    Rig rig;
    rig.line->setPresentOvens({1});
    rig.state.setSelectedOven(2);
    ClockWindow w(&rig.state, &rig.link, &rig.prompter);
    QStringList whileReading;
    rig.onFrame << [&](const QByteArray &) { whileReading << labelText(w, "VKSZeit"); };

    w.pollClock();
    QCOMPARE(labelText(w, "VKSZeit"), QStringLiteral("nicht verfügbar"));
    QCOMPARE(whileReading.size(), 6); // six addressing attempts
    QCOMPARE(whileReading.first(), QStringLiteral("* Empfangen... *"));

    whileReading.clear();
    w.pollClock();
    QCOMPARE(whileReading.first(), QStringLiteral("* nicht verfügbar *"));
    QCOMPARE(labelText(w, "VKSZeit"), QStringLiteral("nicht verfügbar"));
}

void TestUiClock::clockStopTimePoll()
{
    Rig rig;
    int frames = 0;
    rig.onFrame << [&](const QByteArray &) { ++frames; };
    ClockWindow w(&rig.state, &rig.link, &rig.prompter);
    w.setStopTimePoll(true);
    w.pollClock();
    QCOMPARE(frames, 0);
    QCOMPARE(labelText(w, "VKSZeit"), QStringLiteral("Empfangen..."));
    QCOMPARE(labelText(w, "PCZeit"), QStringLiteral("PC Zeit"));
    QVERIFY(!w.getTimer()->isActive());

    w.setStopTimePoll(false);
    w.pollClock();
    QVERIFY(frames > 0);
    QVERIFY(w.getTimer()->isActive());
}

void TestUiClock::clockPollingPausedAndResumedByRequests()
{
    Rig rig;
    ClockWindow w(&rig.state, &rig.link, &rig.prompter);
    QVERIFY(w.getTimer()->isActive());

    rig.state.pauseClockPolling();
    QVERIFY(w.getTimer()->isActive()); // posted, not sent
    deliverPosted();
    QVERIFY(!w.getTimer()->isActive());

    rig.state.resumeClockPolling();
    deliverPosted();
    QVERIFY(w.getTimer()->isActive());

    QVERIFY(postRequest(&w, Request::StopCommunication));
    deliverPosted();
    QVERIFY(!w.getTimer()->isActive());
    QVERIFY(postRequest(&w, Request::StartCommunication));
    deliverPosted();
    QVERIFY(w.getTimer()->isActive());
}

void TestUiClock::clockReadTakesOvenOnce()
{
    Rig rig;
    QVERIFY(rig.addFaults({"silence@3:addrx2"}));
    rig.line->controller(3).clock().setDateTime(at("31.12.2026 23:59:58"));
    rig.line->controller(3).clock().setHostClock([] { return QDateTime::currentDateTime(); });
    rig.line->controller(5).clock().setAckOnly(true);
    rig.state.setSelectedOven(3);
    rig.onFrame << [&](const QByteArray &) { rig.state.setSelectedOven(5); };

    ClockWindow w(&rig.state, &rig.link, &rig.prompter);
    w.pollClock();
    QVERIFY2(labelText(w, "VKSZeit").startsWith(QStringLiteral("Donnerstag  31.12.2026 23.59.5"))
                 || labelText(w, "VKSZeit").startsWith(QStringLiteral("Freitag  01.01.2027")),
             qPrintable(labelText(w, "VKSZeit")));
    QCOMPARE(rig.line->stats().addressFrameCount(ovenAddressByte(3)), 3);
    QCOMPARE(rig.line->stats().addressFrameCount(ovenAddressByte(5)), 0);
}

void TestUiClock::clockStellen_data()
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

void TestUiClock::clockStellen()
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
        rig.refuseClockData(2);
    rig.state.setSelectedOven(2);
    rig.line->controller(2).clock().setDateTime(at("01.01.2001 00:00:00"));

    ClockWindow w(&rig.state, &rig.link, &rig.prompter);
    if (!polling)
        w.getTimer()->stop();
    bool timerStoppedMeanwhile = true;
    QStringList shownMeanwhile;
    rig.onFrame << [&](const QByteArray &) {
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
        const QDateTime now = QDateTime::currentDateTime();
        // The controller keeps whole seconds and the retries take a moment: up to two behind.
        QVERIFY2(shown == clockReadingText({0, now}) || shown == clockReadingText({0, now.addSecs(-1)})
                     || shown == clockReadingText({0, now.addSecs(-2)}),
                 qPrintable(shown));
    }
}

void TestUiClock::clockStellenDuringReadWaitsForIt()
{
    Rig rig;
    QVERIFY(rig.addFaults({"silence@1:addrx2"}));
    ClockWindow w(&rig.state, &rig.link, &rig.prompter);
    QByteArrayList frames;
    bool clicked = false;
    rig.onFrame << [&](const QByteArray &f) {
        frames << f;
        if (!clicked) {
            clicked = true;
            button(w, "Stellen")->click(); // while the read waits for its first answer
        }
    };

    w.pollClock();
    QVERIFY(rig.prompter.shown.isEmpty());
    QVERIFY(labelText(w, "VKSZeit").contains(QStringLiteral(".")));
    QCOMPARE(frames.size(), 4); // two lost addressings, then addressing and time request
    QTRY_COMPARE(rig.prompter.texts(QStringLiteral("window")),
                 (QStringList{QStringLiteral("Uhr wird gestellt..."), QStringLiteral("Uhr gestellt.")}));
    QCOMPARE(frames.mid(4).size(), 3);
    QCOMPARE(frames.at(5), hex("46 1a 75 75 04"));
    QVERIFY(w.getTimer()->isActive());
}

void TestUiClock::clockSchliessenClosesSubWindow()
{
    Rig rig;
    QMdiArea mdi;
    auto *w = new ClockWindow(&rig.state, &rig.link, &rig.prompter);
    QPointer<QMdiSubWindow> sub = mdi.addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<ClockWindow> window(w);
    mdi.show();

    button(*w, "Schliessen")->click();
    QVERIFY(!w->getTimer()->isActive());
    QVERIFY(!rig.state.clockWindow);
    QTRY_VERIFY(!sub);
    QVERIFY(!window);

    // Closing the frame closes the window as well.
    auto *w2 = new ClockWindow(&rig.state, &rig.link, &rig.prompter);
    QPointer<QMdiSubWindow> sub2 = mdi.addSubWindow(w2);
    sub2->setAttribute(Qt::WA_DeleteOnClose);
    QCOMPARE(rig.state.clockWindow.data(), w2);
    QVERIFY(sub2->close());
    QVERIFY(!rig.state.clockWindow);
    QTRY_VERIFY(!sub2);
}

void TestUiClock::clockCloseDuringReadIsDeferred_data()
{
    QTest::addColumn<bool>("viaButton");
    QTest::newRow("frame closed") << false;
    QTest::newRow("Schließen") << true;
}

void TestUiClock::clockCloseDuringReadIsDeferred()
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
    rig.onFrame << [&](const QByteArray &) {
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
    QCOMPARE(frames, 6);
    QVERIFY(aliveThroughout);
    QTRY_VERIFY(!sub);
    QVERIFY(!window);
}

void TestUiClock::clockCloseDuringStellenIsDeferred()
{
    Rig rig;
    rig.line->setPresentOvens({2});
    QMdiArea mdi;
    auto *w = new ClockWindow(&rig.state, &rig.link, &rig.prompter);
    QPointer<ClockWindow> window(w);
    QPointer<QMdiSubWindow> sub = mdi.addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    mdi.show();
    bool closed = true;
    rig.onFrame << [&](const QByteArray &) {
        if (closed && window && !sub->isHidden())
            closed = sub->close();
    };

    button(*w, "Stellen")->click();
    QVERIFY(!closed);
    QCOMPARE(rig.prompter.texts(QStringLiteral("window")),
             (QStringList{QStringLiteral("Uhr wird gestellt..."), QStringLiteral("Steuerung nicht erreichbar.")}));
    QTRY_VERIFY(!sub);
    QVERIFY(!window);
}

void TestUiClock::clockActivationAndShowAgain()
{
    Rig rig;
    QMdiArea mdi;
    auto *w = new ClockWindow(&rig.state, &rig.link, &rig.prompter);
    w->getTimer()->stop();
    QMdiSubWindow *sub = mdi.addSubWindow(w);
    QMdiSubWindow *other = mdi.addSubWindow(new QLabel(QStringLiteral("anderes Fenster")));
    mdi.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mdi));

    mdi.setActiveSubWindow(other);
    rig.state.printTarget = nullptr;
    mdi.setActiveSubWindow(sub);
    QCOMPARE(rig.state.printTarget.data(), w);

    mdi.setActiveSubWindow(other);
    sub->showMinimized();
    QVERIFY(postRequest(w, Request::ShowAgain));
    deliverPosted();
    QVERIFY(!sub->isMinimized());
    QVERIFY(sub->isVisible());
    QCOMPARE(mdi.activeSubWindow(), sub);
}

void TestUiClock::searchInitialState()
{
    Rig rig;
    {
        SearchWindow w(&rig.state, &rig.link);
        QCOMPARE(w.windowTitle(), QStringLiteral("VKS Torvel suchen..."));
        QCOMPARE(w.findChild<QGroupBox *>(QStringLiteral("GroupBox3"))->title(),
                 QStringLiteral("Torvel-Versionsnummer"));
        QCOMPARE(button(w, "Suchen")->text(), QStringLiteral("Erneut suchen"));
        QCOMPARE(button(w, "Schliessen")->text(), QStringLiteral("Schließen"));
        QTableWidget *t = w.findChild<QTableWidget *>(QStringLiteral("Versionsnummer"));
        QCOMPARE(t, w.table());
        QCOMPARE(t->rowCount(), 7);
        QCOMPARE(t->columnCount(), 2);
        for (int row = 0; row < 7; ++row) {
            QCOMPARE(t->item(row, 0)->text(), QStringLiteral("Ofen %1").arg(row + 1));
            QCOMPARE(t->rowHeight(row), 24);
        }
        QVERIFY(t->horizontalHeader()->isHidden());
        QVERIFY(t->verticalHeader()->isHidden());
        QCOMPARE(t->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(t->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(t->columnWidth(0), 60);
        QVERIFY(t->columnWidth(1) >= 60);
        QVERIFY(t->columnWidth(1) > t->fontMetrics().horizontalAdvance(QStringLiteral("2.91 r3 *")));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(t->viewport()->width() >= t->columnWidth(0) + t->columnWidth(1));
        QVERIFY(t->viewport()->height() >= 7 * 24);
        QVERIFY(w.getTimer()->isActive());
        QCOMPARE(w.getTimer()->interval(), 500);
        QCOMPARE(rig.state.searchWindow.data(), &w);
        w.getTimer()->stop();
    }
    QVERIFY(!rig.state.searchWindow);
}

void TestUiClock::searchMarksAndFills()
{
    Rig rig;
    rig.line->setPresentOvens({1, 2, 3, 5, 6, 7});
    SearchWindow w(&rig.state, &rig.link);
    QStringList marked;
    QList<bool> searching;
    rig.onFrame << [&](const QByteArray &f) {
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
    QVERIFY(!w.searching());
    QVERIFY(button(w, "Suchen")->isEnabled());
    QVERIFY(button(w, "Schliessen")->isEnabled());
    QVERIFY(!w.getTimer()->isActive());

    // Searching again marks the texts already there.
    marked.clear();
    w.search();
    QStringList expectedMarks;
    for (const QString &v : expected)
        expectedMarks << v + QStringLiteral(" *");
    QCOMPARE(marked, expectedMarks);
}

void TestUiClock::searchAllAbsent()
{
    Rig rig;
    rig.line->setPresentOvens({});
    SearchWindow w(&rig.state, &rig.link);
    w.search();
    for (int row = 0; row < 7; ++row)
        QCOMPARE(w.table()->item(row, 1)->text(), QStringLiteral("NA"));
    QCOMPARE(rig.line->stats().addressFrames.size(), 7);
}

void TestUiClock::searchPausesClockWindow()
{
    Rig rig;
    {
        RequestProbe probe;
        rig.state.clockWindow = &probe;
        SearchWindow w(&rig.state, &rig.link);
        w.search();
        deliverPosted();
        QList<Request> expected(7, Request::StopCommunication);
        expected << Request::StartCommunication;
        QCOMPARE(probe.requests, expected);
    }

    // With the real clock window: no polling while the versions are asked for.
    ClockWindow clock(&rig.state, &rig.link, &rig.prompter);
    SearchWindow w(&rig.state, &rig.link);
    bool clockPolled = false;
    rig.onFrame << [&](const QByteArray &) { clockPolled = clockPolled || clock.getTimer()->isActive(); };
    QVERIFY(clock.getTimer()->isActive());
    w.search();
    QVERIFY(!clockPolled);
    deliverPosted();
    QVERIFY(clock.getTimer()->isActive());
    QCOMPARE(rig.line->stats().functionFrameCount(kClockReadFunction), 0);
}

void TestUiClock::searchCloseRefusedWhileSearching()
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
    rig.onFrame << [&](const QByteArray &f) {
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
    QTRY_VERIFY(!sub);
    QVERIFY(!window);
}

void TestUiClock::searchErneutSuchenAndShowAgain()
{
    Rig rig;
    QMdiArea mdi;
    auto *w = new SearchWindow(&rig.state, &rig.link);
    QMdiSubWindow *sub = mdi.addSubWindow(w);
    QMdiSubWindow *other = mdi.addSubWindow(new QLabel(QStringLiteral("anderes Fenster")));
    mdi.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mdi));
    w->getTimer()->stop();

    button(*w, "Suchen")->click();
    QVERIFY(w->getTimer()->isActive());
    QCOMPARE(w->getTimer()->interval(), 500);
    w->getTimer()->stop();

    // Activation makes it the print target and writes the oven column anew.
    mdi.setActiveSubWindow(other);
    w->table()->item(2, 0)->setText(QStringLiteral("?"));
    rig.state.printTarget = nullptr;
    mdi.setActiveSubWindow(sub);
    QCOMPARE(rig.state.printTarget.data(), w);
    QCOMPARE(w->table()->item(2, 0)->text(), QStringLiteral("Ofen 3"));

    mdi.setActiveSubWindow(other);
    sub->showMinimized();
    QVERIFY(postRequest(w, Request::ShowAgain));
    deliverPosted();
    QVERIFY(!sub->isMinimized());
    QCOMPARE(mdi.activeSubWindow(), sub);
}

QTEST_MAIN(TestUiClock)
#include "tst_ui_clock.moc"
