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
#include <QGroupBox>
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
    // --- port names -------------------------------------------------------------------

    void portListNamesAndSorts_data()
    {
        QTest::addColumn<QStringList>("devices");
        QTest::addColumn<PortMap>("mapping");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("nothing") << QStringList{} << PortMap{} << QStringList{"SIM", "SIMMODEM"};
        QTest::newRow("ttyS as COM") << QStringList{"/dev/ttyS1", "/dev/ttyS0"} << PortMap{}
                                     << QStringList{"COM1", "COM2", "SIM", "SIMMODEM"};
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
        QTest::newRow("windows names") << QStringList{"COM3", "com1", "COM12"} << PortMap{}
                                       << QStringList{"COM1", "COM3", "COM12", "SIM", "SIMMODEM"};
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

    void portDisplayNames_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("shown");
        QTest::newRow("ttyS0") << "/dev/ttyS0" << "COM1";
        QTest::newRow("ttyS98") << "/dev/ttyS98" << "COM99";
        QTest::newRow("ttyS99") << "/dev/ttyS99" << "/dev/ttyS99";
        QTest::newRow("usb") << "/dev/ttyUSB0" << "/dev/ttyUSB0";
        QTest::newRow("windows") << "COM4" << "COM4";
        QTest::newRow("lower case") << "com4" << "COM4";
    }

    void portDisplayNames()
    {
        QFETCH(QString, device);
        QFETCH(QString, shown);
        QCOMPARE(portDisplayName(device), shown);
    }

    void machinePortListEndsWithSim()
    {
        TorvelSettings settings(newIni(QStringLiteral("[1.0]\nPortMapping\\COM42=/dev/nonexistent\n")));
        const QStringList ports = availablePortNames(settings.portMapping());
        QCOMPARE(ports.last(), QStringLiteral("SIMMODEM"));
        QVERIFY(ports.contains(QStringLiteral("COM42")));
    }

    void typedPortTexts_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("port"); // empty: refused
        QTest::newRow("COM12") << "COM12" << "COM12";
        QTest::newRow("number alone") << "7" << "COM7";
        QTest::newRow("blanks around") << " COM3 " << "COM3";
        QTest::newRow("SIM") << "SIM" << "SIM";
        QTest::newRow("sim") << "sim" << "SIM";
        QTest::newRow("simmodem") << "simmodem" << "SIMMODEM";
        QTest::newRow("device path") << "/dev/ttyUSB0" << "/dev/ttyUSB0";
        QTest::newRow("lower-case com") << "com5" << "";
        QTest::newRow("COM0") << "COM0" << "";
        QTest::newRow("COM100") << "COM100" << "";
        QTest::newRow("only the first COM goes") << "COMCOM5" << "";
        QTest::newRow("COM in the middle") << "1COM2" << "COM12";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("word") << "Drucker" << "";
    }

    void typedPortTexts()
    {
        QFETCH(QString, typed);
        QFETCH(QString, port);
        QCOMPARE(PortWindow::portFromText(typed).value_or(QString()), port);
    }

    // --- the port window --------------------------------------------------------------

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

        QCOMPARE(sub->windowTitle(), QStringLiteral("Schnittstelle wählen"));
        QCOMPARE(select->findChild<QGroupBox *>("GroupBox2")->title(),
                 QStringLiteral("Schnittstelle wählen"));
        QCOMPARE(select->findChild<QPushButton *>("Button1")->text(), QStringLiteral("Ok"));
        QVERIFY(select->findChild<QPushButton *>("Button1")->isDefault());
        QCOMPARE(select->findChild<QPushButton *>("Button2")->text(), QStringLiteral("Abbrechen"));
        QComboBox *box = select->findChild<QComboBox *>("ComBox");
        QCOMPARE(box, select->comBox());
        QVERIFY(box->isEditable());
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
    }

    void okWithComTwelveSwitchesAndStoresIt()
    {
        const QString ini = newIni();
        TorvelSettings settings(ini);
        AppState state;
        ScriptedPrompter prompter;
        Host host;
        auto *select = new PortWindow(&state, &settings, &prompter);
        QPointer<QMdiSubWindow> sub = host.add(select);
        QSignalSpy chosen(select, &PortWindow::portChosen);

        select->comBox()->clear(); // no list entry to fall back on: the typed text counts
        QTest::keyClicks(select->comBox()->lineEdit(), QStringLiteral("COM12"));
        select->findChild<QPushButton *>("Button1")->click();

        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.at(0).at(0).toString(), QStringLiteral("COM12"));
        QVERIFY(prompter.shown.isEmpty());
        QVERIFY(state.portWindow.isNull());
        QCOMPARE(stored(ini, QStringLiteral("1.0/CommPort")).toInt(), 12);
        QCOMPARE(TorvelSettings(ini).portText(), QStringLiteral("COM12"));
        flushDeletes();
        QVERIFY(sub.isNull());
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

        QCOMPARE(prompter.shown.size(), 1);
        QCOMPARE(prompter.shown.at(0).kind, QStringLiteral("inform"));
        QCOMPARE(prompter.shown.at(0).caption, QStringLiteral("ERROR"));
        QCOMPARE(prompter.shown.at(0).text, QStringLiteral("\"com5\" ist keine gültige Schnittstelle."));
        QCOMPARE(chosen.count(), 0);
        flushDeletes();
        QVERIFY(!sub.isNull());
        QVERIFY(select->isVisible());
        QCOMPARE(state.portWindow.data(), select);
        QCOMPARE(select->currentPort(), QStringLiteral("COM2"));
        QCOMPARE(stored(ini, QStringLiteral("1.0/CommPort")).toInt(), 2);
    }

    void cancelStillWritesTheCurrentPort()
    {
        const QString ini = newIni(); // no CommPort yet: the current port is COM3
        TorvelSettings settings(ini);
        AppState state;
        ScriptedPrompter prompter;
        Host host;
        auto *select = new PortWindow(&state, &settings, &prompter);
        QPointer<QMdiSubWindow> sub = host.add(select);
        QSignalSpy chosen(select, &PortWindow::portChosen);

        select->comBox()->setEditText(QStringLiteral("COM8"));
        select->findChild<QPushButton *>("Button2")->click();

        QCOMPARE(chosen.count(), 0);
        QVERIFY(state.portWindow.isNull());
        QCOMPARE(stored(ini, QStringLiteral("1.0/CommPort")).toInt(), 3);
        flushDeletes();
        QVERIFY(sub.isNull());
    }

    void escapeAndTheFrameCloseButtonCloseToo()
    {
        const QString ini = newIni(QStringLiteral("[1.0]\nCommPort=6\n"));
        TorvelSettings settings(ini);
        AppState state;
        ScriptedPrompter prompter;
        Host host;

        auto *first = new PortWindow(&state, &settings, &prompter);
        QPointer<QMdiSubWindow> sub = host.add(first);
        QTest::keyClick(first->comBox()->lineEdit(), Qt::Key_Escape);
        flushDeletes();
        QVERIFY(sub.isNull());
        QVERIFY(state.portWindow.isNull());

        QSettings(ini, QSettings::IniFormat).remove(QStringLiteral("1.0/CommPort"));
        TorvelSettings fresh(ini);
        auto *second = new PortWindow(&state, &fresh, &prompter);
        sub = host.add(second);
        sub->close();
        flushDeletes();
        QVERIFY(sub.isNull());
        QVERIFY(state.portWindow.isNull());
        QCOMPARE(stored(ini, QStringLiteral("1.0/CommPort")).toInt(), 3);
    }

    void simIsAcceptedInAnyCase()
    {
        const QString ini = newIni(QStringLiteral("[1.0]\nCommPort=2\n"));
        TorvelSettings settings(ini);
        AppState state;
        ScriptedPrompter prompter;
        Host host;
        auto *select = new PortWindow(&state, &settings, &prompter);
        host.add(select);
        QSignalSpy chosen(select, &PortWindow::portChosen);

        select->comBox()->setEditText(QStringLiteral("sim"));
        select->findChild<QPushButton *>("Button1")->click();

        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.at(0).at(0).toString(), QStringLiteral("SIM"));
        QCOMPARE(TorvelSettings(ini).portText(), QStringLiteral("SIM"));
        QCOMPARE(stored(ini, QStringLiteral("1.0/CommPort")).toInt(), 2); // the COM number stays
    }

    void showAgainBringsThePortWindowBack()
    {
        TorvelSettings settings(newIni());
        AppState state;
        ScriptedPrompter prompter;
        Host host;
        auto *select = new PortWindow(&state, &settings, &prompter);
        QMdiSubWindow *sub = host.add(select);
        auto *other = host.add(new QWidget);
        sub->showMinimized();
        host.mdi.setActiveSubWindow(other);

        QVERIFY(postRequest(state.portWindow, Request::ShowAgain));
        QCoreApplication::sendPostedEvents(select, RequestEvent::eventType());
        QVERIFY(!sub->isMinimized());
        QCOMPARE(host.mdi.activeSubWindow(), sub);
    }

    // --- the oven window --------------------------------------------------------------

    void ovenWindowChoosesAtOnce()
    {
        AppState state;
        state.setSelectedOven(3);
        Host host;
        auto *ovens = new OvenWindow(&state);
        QCOMPARE(state.ovenWindow.data(), ovens);
        QPointer<QMdiSubWindow> sub = host.add(ovens);

        QCOMPARE(ovens->windowTitle(), QStringLiteral(" "));
        QCOMPARE(ovens->findChild<QGroupBox *>("Ofen")->title(), QStringLiteral("Ofen"));
        QCOMPARE(ovens->findChild<QPushButton *>("Button1")->text(), QStringLiteral("Schließen"));
        for (int n = 1; n <= 7; ++n) {
            auto *button = ovens->findChild<QRadioButton *>(QStringLiteral("Ofen%1").arg(n));
            QCOMPARE(button, ovens->ovenButton(n));
            QCOMPARE(button->text(), QStringLiteral("Ofen%1").arg(n));
            QCOMPARE(button->isChecked(), n == 3);
        }
        // Top to bottom.
        QVERIFY(ovens->ovenButton(1)->y() < ovens->ovenButton(2)->y());
        QVERIFY(ovens->ovenButton(6)->y() < ovens->ovenButton(7)->y());
        QCOMPARE(state.printTarget.data(), ovens);

        QTest::mouseClick(ovens->ovenButton(4), Qt::LeftButton);
        QCOMPARE(state.selectedOven(), 4);
        QVERIFY(ovens->ovenButton(4)->isChecked());

        ovens->findChild<QPushButton *>("Button1")->click();
        flushDeletes();
        QVERIFY(sub.isNull());
        QVERIFY(state.ovenWindow.isNull());
        QCOMPARE(state.selectedOven(), 4);
    }

    void ovenWindowShowsTheOvenOnActivation()
    {
        AppState state;
        Host host;
        auto *ovens = new OvenWindow(&state);
        QPointer<QMdiSubWindow> sub = host.add(ovens);
        QVERIFY(ovens->ovenButton(1)->isChecked());
        auto *other = host.add(new QWidget);
        state.printTarget = nullptr;

        state.setSelectedOven(6);
        host.mdi.setActiveSubWindow(sub);
        QCOMPARE(state.printTarget.data(), ovens);
        QVERIFY(ovens->ovenButton(6)->isChecked());

        // Closing the frame clears the handle too; ShowAgain on a closed window posts nothing.
        host.mdi.setActiveSubWindow(other);
        sub->close();
        flushDeletes();
        QVERIFY(sub.isNull());
        QVERIFY(state.ovenWindow.isNull());
        QVERIFY(!postRequest(state.ovenWindow, Request::ShowAgain));
    }
};

QTEST_MAIN(TestUiSelect)
#include "tst_ui_select.moc"
