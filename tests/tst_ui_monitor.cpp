// The monitor window: aligned columns in the views, Loggen follows visibility, Clear,
// closing releases the port.

#include "link/bytes.h"
#include "link/commandengine.h"
#include "link/controller.h"
#include "link/ui/monitorwindow.h"
#include "testsupport/scriptedtransport.h"

#include <QCheckBox>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

using namespace torvel;
using torvel::test::ScriptedTransport;

class TestUiMonitor : public QObject
{
    Q_OBJECT

    static QStringList rows(QListView *view)
    {
        QStringList out;
        for (int r = 0; r < view->model()->rowCount(); ++r)
            out << view->model()->index(r, 0).data().toString();
        return out;
    }

private slots:
    void showsEveryTransactionInThreeAlignedColumns()
    {
        MonitorLog log;
        ScriptedTransport line;
        line.setResponder([](const QByteArray &w) {
            return w.startsWith('\x05') ? QByteArray(1, kAck) : QByteArray::fromHex("06012372039906");
        });
        CommandEngine engine(&log);
        engine.setTransport(&line);
        MonitorWindow monitor(&log, &engine);
        QCOMPARE(monitor.windowTitle(), QStringLiteral("Serial Debug Monitor"));
        QVERIFY(!log.logging());
        monitor.show();
        QVERIFY(log.logging());
        QVERIFY(monitor.loggen()->isChecked());

        QCOMPARE(ReadSoftwareVersion(engine, 3), QStringLiteral("2.91 r3"));
        monitor.refreshNow();
        QCOMPARE(rows(monitor.listView(MonitorList::Kommandos)),
                 (QStringList{"Steuerung adressieren", "Software Version abrufen"}));
        QCOMPARE(rows(monitor.listView(MonitorList::SentCommands)), (QStringList{"<ENQ>[9E]", "[46][09][56][72][D1]"}));
        QCOMPARE(rows(monitor.listView(MonitorList::Got)), (QStringList{"<ACK>", "<ACK>[01][23][72][03][99]<ACK>"}));

        monitor.findChild<QPushButton *>("Clear")->click();
        monitor.refreshNow();
        QCOMPARE(monitor.listView(MonitorList::Got)->model()->rowCount(), 0);

        monitor.hide();
        QVERIFY(!log.logging());
    }

    void closingTheWindowReleasesThePort()
    {
        MonitorLog log;
        ScriptedTransport line;
        line.setResponder([](const QByteArray &) { return QByteArray(1, kAck); });
        CommandEngine engine(&log);
        engine.setTransport(&line);
        MonitorWindow monitor(&log, &engine);
        monitor.show();
        engine.SendCommand(addressFrame(0x8A), 1, false, 50, "a", ControllerFlags);
        QVERIFY(line.isOpen());
        monitor.close();
        QVERIFY(!line.isOpen());
        QVERIFY(!log.logging());
        QCOMPARE(engine.SendCommand(addressFrame(0x8A), 1, false, 50, "a", ControllerFlags), QByteArray(1, kAck));
        QVERIFY(line.isOpen());
    }
};

QTEST_MAIN(TestUiMonitor)
#include "tst_ui_monitor.moc"
