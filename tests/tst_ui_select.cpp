// The port window and the oven window, hosted in an MDI area as the main window hosts
// them, and the naming of the ports the port window offers.

#include "link/portlist.h"
#include "shell/appstate.h"
#include "shell/requests.h"
#include "shell/torvelsettings.h"
#include "shell/ui/ovenwindow.h"
#include "shell/ui/portwindow.h"
#include "testsupport/scriptedprompter.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace torvel;
using torvel::test::ScriptedPrompter;

using PortMap = QMap<QString, QString>;
Q_DECLARE_METATYPE(PortMap)

class TestUiSelect : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_files = 0;

    // A settings file of its own for each test.
    QString newIni(const QString &contents = {})
    {
        const QString path = m_dir.filePath(QStringLiteral("torvel%1.ini").arg(++m_files));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(contents.toUtf8());
        return path;
    }

    static QVariant stored(const QString &ini, const QString &key)
    {
        return QSettings(ini, QSettings::IniFormat).value(key);
    }

    static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    struct Host {
        QMdiArea mdi;
        Host()
        {
            mdi.resize(600, 400);
            mdi.show();
        }
        QMdiSubWindow *add(QWidget *widget)
        {
            auto *sub = mdi.addSubWindow(widget);
            sub->setAttribute(Qt::WA_DeleteOnClose);
            sub->show();
            return sub;
        }
    };

private slots:
    void portListNamesAndSorts_data()
    {
        QTest::addColumn<QStringList>("devices");
        QTest::addColumn<PortMap>("mapping");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("nothing") << QStringList{} << PortMap{} << QStringList{"SIM", "SIMMODEM"};
        QTest::newRow("numbers, then paths")
            << QStringList{"/dev/ttyUSB10", "/dev/ttyS9", "/dev/ttyUSB2", "/dev/ttyS1"} << PortMap{}
            << QStringList{"COM2", "COM10", "/dev/ttyUSB2", "/dev/ttyUSB10", "SIM", "SIMMODEM"};
        QTest::newRow("ttyS beyond COM99") << QStringList{"/dev/ttyS99", "/dev/ttyS98"} << PortMap{}
                                           << QStringList{"COM99", "/dev/ttyS99", "SIM", "SIMMODEM"};
        QTest::newRow("mapped device by its COM name")
            << QStringList{"/dev/ttyUSB0", "/dev/ttyS0"} << PortMap{{"COM5", "/dev/ttyUSB0"}}
            << QStringList{"COM1", "COM5", "SIM", "SIMMODEM"};
        QTest::newRow("mapped device not plugged in")
            << QStringList{} << PortMap{{"COM7", "/dev/ttyACM0"}} << QStringList{"COM7", "SIM", "SIMMODEM"};
        QTest::newRow("ttyS whose COM name points elsewhere")
            << QStringList{"/dev/ttyS0", "/dev/ttyUSB0"} << PortMap{{"COM1", "/dev/ttyUSB0"}}
            << QStringList{"COM1", "/dev/ttyS0", "SIM", "SIMMODEM"};
        QTest::newRow("no doubles") << QStringList{"/dev/ttyS4", "/dev/ttyS4"}
                                    << PortMap{{"COM5", "/dev/ttyS4"}} << QStringList{"COM5", "SIM", "SIMMODEM"};
    }

    void portListNamesAndSorts()
    {
        QFETCH(QStringList, devices);
        QFETCH(PortMap, mapping);
        QFETCH(QStringList, expected);
        QCOMPARE(portListFrom(devices, mapping), expected);
    }

    void typedPortTexts_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("port"); // empty: refused
        QTest::newRow("COM12") << "COM12" << "COM12";
        QTest::newRow("number alone") << "7" << "COM7";
        QTest::newRow("sim") << "sim" << "SIM";
        QTest::newRow("simmodem") << "simmodem" << "SIMMODEM";
        QTest::newRow("lower-case com") << "com5" << "";
        QTest::newRow("only the first COM goes") << "COMCOM5" << "";
        QTest::newRow("COM in the middle") << "1COM2" << "COM12";
    }

    void typedPortTexts()
    {
        QFETCH(QString, typed);
        QFETCH(QString, port);
        QCOMPARE(PortWindow::portFromText(typed).value_or(QString()), port);
    }

    void portWindowOpensWithTheCurrentPort()
    {
        const QString ini = newIni(QStringLiteral("[1.0]\nCommPort=4\n"));
        TorvelSettings settings(ini);
        AppState state;
        ScriptedPrompter prompter;
        Host host;
        auto *select = new PortWindow(&state, &settings, &prompter);
        QCOMPARE(state.portWindow.data(), select);
        QMdiSubWindow *sub = host.add(select);

        QComboBox *box = select->comBox();
        QCOMPARE(box->currentText(), QStringLiteral("COM4"));
        QCOMPARE(box->itemText(box->count() - 1), QStringLiteral("SIMMODEM"));
        QCOMPARE(state.printTarget.data(), select); // activated on showing

        // Activation shows the current port again, whatever was typed meanwhile.
        box->setEditText(QStringLiteral("COM9"));
        state.printTarget = nullptr;
        auto *other = host.add(new QWidget);
        host.mdi.setActiveSubWindow(other);
        host.mdi.setActiveSubWindow(sub);
        QCOMPARE(state.printTarget.data(), select);
        QCOMPARE(box->currentText(), QStringLiteral("COM4"));

        // The child-window helper: a posted ShowAgain brings it back from minimized.
        sub->showMinimized();
        host.mdi.setActiveSubWindow(other);
        QVERIFY(postRequest(state.portWindow, Request::ShowAgain));
        QCoreApplication::sendPostedEvents(select, RequestEvent::eventType());
        QVERIFY(!sub->isMinimized());
        QCOMPARE(host.mdi.activeSubWindow(), sub);
    }

    // "Ok" switches to the port typed and stores it; "SIM" in any case keeps the COM number.
    void okSwitchesAndStores_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("port");
        QTest::addColumn<int>("commPort");
        QTest::newRow("COM12") << "COM12" << "COM12" << 12;
        QTest::newRow("sim") << "sim" << "SIM" << 2;
    }
    void okSwitchesAndStores()
    {
        QFETCH(QString, typed);
        QFETCH(QString, port);
        QFETCH(int, commPort);
        const QString ini = newIni(QStringLiteral("[1.0]\nCommPort=2\n"));
        TorvelSettings settings(ini);
        AppState state;
        ScriptedPrompter prompter;
        Host host;
        auto *select = new PortWindow(&state, &settings, &prompter);
        QPointer<QMdiSubWindow> sub = host.add(select);
        QSignalSpy chosen(select, &PortWindow::portChosen);
        select->comBox()->clear(); // no list entry to fall back on: the typed text counts
        QTest::keyClicks(select->comBox()->lineEdit(), typed);
        select->findChild<QPushButton *>("Button1")->click();
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.at(0).at(0).toString(), port);
        QVERIFY(prompter.shown.isEmpty());
        QCOMPARE(stored(ini, QStringLiteral("1.0/CommPort")).toInt(), commPort);
        QCOMPARE(TorvelSettings(ini).portText(), port);
        flushDeletes();
        QVERIFY(sub.isNull());
        QVERIFY(state.portWindow.isNull());
    }

    void lowerCaseComIsNoPort()
    {
        const QString ini = newIni(QStringLiteral("[1.0]\nCommPort=2\n"));
        TorvelSettings settings(ini);
        AppState state;
        ScriptedPrompter prompter;
        Host host;
        auto *select = new PortWindow(&state, &settings, &prompter);
        QPointer<QMdiSubWindow> sub = host.add(select);
        QSignalSpy chosen(select, &PortWindow::portChosen);

        select->comBox()->setEditText(QStringLiteral("com5"));
        QTest::keyClick(select->comBox()->lineEdit(), Qt::Key_Return);

        QCOMPARE(prompter.texts("inform"), QStringList{"\"com5\" ist keine gültige Schnittstelle."});
        QCOMPARE(prompter.shown.at(0).caption, QStringLiteral("ERROR"));
        QCOMPARE(chosen.count(), 0);
        flushDeletes();
        QVERIFY(!sub.isNull() && select->isVisible());
        QCOMPARE(select->currentPort(), QStringLiteral("COM2"));
        QCOMPARE(stored(ini, QStringLiteral("1.0/CommPort")).toInt(), 2);
    }

    // "Abbrechen", Escape and the frame's close button close without switching; all write
    // the current port (COM3 while none is stored).
    void closingWithoutOk_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Abbrechen") << 0;
        QTest::newRow("Escape") << 1;
        QTest::newRow("frame") << 2;
    }
    void closingWithoutOk()
    {
        QFETCH(int, how);
        const QString ini = newIni();
        TorvelSettings settings(ini);
        AppState state;
        ScriptedPrompter prompter;
        Host host;
        auto *select = new PortWindow(&state, &settings, &prompter);
        QPointer<QMdiSubWindow> sub = host.add(select);
        QSignalSpy chosen(select, &PortWindow::portChosen);
        select->comBox()->setEditText(QStringLiteral("COM8"));
        if (how == 0)
            select->findChild<QPushButton *>("Button2")->click();
        else if (how == 1)
            QTest::keyClick(select->comBox()->lineEdit(), Qt::Key_Escape);
        else
            sub->close();
        flushDeletes();
        QVERIFY(sub.isNull());
        QVERIFY(state.portWindow.isNull());
        QCOMPARE(chosen.count(), 0);
        QCOMPARE(stored(ini, QStringLiteral("1.0/CommPort")).toInt(), 3);
    }

    void ovenWindowChoosesAtOnce()
    {
        AppState state;
        state.setSelectedOven(3);
        Host host;
        auto *ovens = new OvenWindow(&state);
        QCOMPARE(state.ovenWindow.data(), ovens);
        QPointer<QMdiSubWindow> sub = host.add(ovens);

        QVERIFY(ovens->ovenButton(3)->isChecked());
        QTest::mouseClick(ovens->findChild<QRadioButton *>(QStringLiteral("Ofen4")), Qt::LeftButton);
        QCOMPARE(state.selectedOven(), 4);
        ovens->findChild<QPushButton *>("Button1")->click();
        flushDeletes();
        QVERIFY(sub.isNull() && state.ovenWindow.isNull());
        QCOMPARE(state.selectedOven(), 4);
    }
};

QTEST_MAIN(TestUiSelect)
#include "tst_ui_select.moc"
