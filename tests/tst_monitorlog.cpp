// The monitor's lists: the 30000-line rule, Loggen, Clear and the scroll buttons.

#include "link/monitorlog.h"

#include <QTest>

using namespace torvel;

namespace {
void fill(LineLog &list, int n)
{
    for (int i = 0; i < n; ++i)
        list.add(QString::number(i));
}
} // namespace

class TestMonitorLog : public QObject
{
    Q_OBJECT
private slots:
    void aFullListKeepsOneMoreLineThenDropsFromTheTop()
    {
        LineLog list;
        fill(list, LineLog::kLineLimit);
        list.add("neu");
        QVERIFY(list.count() == 30001 && list.at(0) == QLatin1String("0"));
        list.add("neuer");
        QVERIFY(list.count() == 30001 && list.at(0) == QLatin1String("1") && list.at(30000) == QLatin1String("neuer"));
        QVERIFY(list.droppedTotal() == 1 && list.appendedTotal() == 30002);
    }

    void loggenOffAddsNothingAndClearEmptiesAll()
    {
        MonitorLog log;
        log.add(MonitorList::Got, "x");
        QCOMPARE(log.got().count(), 0);
        log.setLogging(true);
        log.add(MonitorList::Got, "x");
        log.add(MonitorList::Kommandos, "k");
        log.add(MonitorList::SentCommands, "s");
        QCOMPARE(log.got().count(), 1);
        log.clear();
        QCOMPARE(log.got().count() + log.kommandos().count() + log.sentCommands().count(), 0);
    }

    void scrollToEndShowsTheLastTenLines()
    {
        LineLog list;
        fill(list, 10);
        list.scrollToEnd();
        QCOMPARE(list.topLine(), 0);
        list.add("x");
        list.scrollToEnd();
        QCOMPARE(list.topLine(), 1);
    }

    void scrollButtons_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("gotTop");
        QTest::addColumn<int>("kommandosTop");
        QTest::addColumn<int>("expectedTop");
        QTest::newRow("up one") << int(ScrollButton::UpOne) << 50 << 20 << 20 << 19;
        QTest::newRow("up one short list only realigns") << int(ScrollButton::UpOne) << 10 << 3 << 5 << 5;
        QTest::newRow("down one") << int(ScrollButton::DownOne) << 50 << 20 << 20 << 21;
        QTest::newRow("up ten") << int(ScrollButton::UpTen) << 50 << 30 << 30 << 20;
        QTest::newRow("up ten near top") << int(ScrollButton::UpTen) << 50 << 10 << 10 << 0;
        QTest::newRow("down ten") << int(ScrollButton::DownTen) << 50 << 20 << 20 << 30;
        // Kommandos' own top line moves, judged on Got's.
        QTest::newRow("judged on got") << int(ScrollButton::UpTen) << 50 << 30 << 15 << 5;
    }
    void scrollButtons()
    {
        QFETCH(int, button);
        QFETCH(int, lines);
        QFETCH(int, gotTop);
        QFETCH(int, kommandosTop);
        QFETCH(int, expectedTop);
        MonitorLog log;
        log.setLogging(true);
        for (int i = 0; i < lines; ++i) {
            log.add(MonitorList::Kommandos, "k");
            log.add(MonitorList::SentCommands, "s");
            log.add(MonitorList::Got, "g");
        }
        log.got().setTopLine(gotTop);
        log.kommandos().setTopLine(kommandosTop);
        log.sentCommands().setTopLine(0);
        log.scroll(ScrollButton(button));
        QCOMPARE(log.kommandos().topLine(), expectedTop);
        QCOMPARE(log.sentCommands().topLine(), expectedTop);
        QCOMPARE(log.got().topLine(), expectedTop);
    }
};

QTEST_GUILESS_MAIN(TestMonitorLog)
#include "tst_monitorlog.moc"
