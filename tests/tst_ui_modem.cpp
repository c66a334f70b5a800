// The modem window: the dial page alone without the start-up word MODEM, the phone book and
// its editor, a dial and hang-up through the simulated modem, the status page and the time
// panel on the simulated line, the memos and the terminal.

#include "simdialup.h"
#include "simmodem.h"
#include "simmodemtransport.h"
#include "simtransport.h"
#include "testsupport/scriptedprompter.h"

#include "link/controllerlink.h"
#include "modem/modemsession.h"
#include "modem/ui/dialpage.h"
#include "modem/ui/modemwindow.h"
#include "modem/ui/phonebookeditor.h"
#include "modem/ui/phonebookentrydialog.h"
#include "modem/ui/terminalpage.h"
#include "shell/appstate.h"
#include "shell/requests.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace torvel;
using namespace torvel::sim;
using torvel::test::ScriptedPrompter;

namespace {

// The window on a link of its own: through the simulated modem pair, or on the plain line.
struct Rig {
    AppState state;
    ControllerLink link;
    ScriptedPrompter prompter;
    QTemporaryDir dir;
    std::unique_ptr<ModemWindow> window;

    Rig(bool modemWord, bool throughModem, const QByteArray &phoneBook = QByteArray())
    {
        state.modemStartup = modemWord;
        if (throughModem) {
            auto *dialUp = new SimDialUp;
            dialUp->setTiming(SimModemTiming::fast());
            link.setTransport(std::make_unique<SimModemTransport>(dialUp));
        } else {
            link.setTransport(std::make_unique<SimTransport>());
        }
        link.engine().settings().modemMinTimeout = 60;
        if (!phoneBook.isNull()) {
            QFile f(dir.filePath("Telefonbuch.ini"));
            if (f.open(QIODevice::WriteOnly))
                f.write(phoneBook);
        }
        window = std::make_unique<ModemWindow>(&state, &link, &prompter, dir.path());
        window->session().options().guardTimeMs = 20;
    }

    template <typename T = QWidget>
    T *child(const char *name)
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }
    void click(const char *name, QWidget *in = nullptr)
    {
        QTest::mouseClick((in ? in : window.get())->findChild<QPushButton *>(QString::fromLatin1(name)), Qt::LeftButton);
    }
    QByteArray phoneBookFile() const
    {
        QFile f(dir.filePath("Telefonbuch.ini"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
    }
};

} // namespace

class TestUiModem : public QObject
{
    Q_OBJECT

private slots:
    void withoutTheModemWordOnlyTheDialPageShows()
    {
        Rig rig(false, false);
        QCOMPARE(rig.window->objectName(), QStringLiteral("TwModemWahl"));
        QCOMPARE(rig.window->windowTitle(), QStringLiteral("Modem-Einwahl"));
        QCOMPARE(rig.window->pages()->count(), 1);
        QVERIFY(rig.window->pages()->tabBar()->isHidden());
        QCOMPARE(rig.window->pages()->currentWidget()->objectName(), QStringLiteral("FenmorkModem"));
        QCOMPARE(rig.child<QComboBox>("ChooseNumber")->currentText(), QStringLiteral("kein Eintrag"));
        QCOMPARE(rig.child<QLineEdit>("Rufnummer")->text(), QStringLiteral("*91"));
        QCOMPARE(rig.phoneBookFile(), QByteArray("[Telefonnummern]\r\n"));
        QVERIFY(rig.child("GroupBox1")->isHidden());
        const QList<std::pair<const char *, QString>> captions = {
            {"Einwahl", "Einwahl"},
            {"HangUp", "Auflegen"},
            {"EditNumbers", "Telefonbuch"},
            {"InitTorvelModem", "Init TorvelModem"},
            {"DoAskTorvelModemKonfig", "Teste TorvelModem"},
            {"InitPCSendeModem", "Init PCSendeModem"},
            {"DoAskPCSendeModemKonfig", "Teste PCSendeModem"}};
        for (const auto &[name, text] : captions)
            QCOMPARE(rig.child<QPushButton>(name)->text(), text);

        Rig service(true, false);
        QCOMPARE(service.window->pages()->count(), 4);
    }

    void phoneBookChoosingAndEditing()
    {
        Rig rig(true, true, "[Telefonnummern]\r\nZentrale=0815\r\nLeer=\r\n");
        auto *choose = rig.child<QComboBox>("ChooseNumber");
        QCOMPARE(choose->count(), 2);
        QCOMPARE(rig.child<QLineEdit>("Rufnummer")->text(), QStringLiteral("0815"));
        choose->setCurrentIndex(1);
        emit choose->textActivated(QStringLiteral("Leer"));
        QCOMPARE(rig.child<QLineEdit>("Rufnummer")->text(), QStringLiteral("ERROR"));
        rig.click("Einwahl");
        QCOMPARE(rig.prompter.texts("inform"),
                 QStringList{"Gewählte Nummer ist ungültig!\r\nBitte eine andere Nummer wählen"});

        rig.window->show(); // the editor's buttons get their places
        rig.click("EditNumbers");
        auto *editor = rig.window->dialPage()->editor();
        QVERIFY(editor->isVisibleTo(rig.window.get()));
        PhoneBookEntryDialog *dialog = rig.window->entryDialog();
        QTimer::singleShot(0, dialog, [dialog] {
            dialog->nameEdit()->setText(QStringLiteral(" zentrale"));
            dialog->take(); // refused: the dialog stays open
            dialog->nameEdit()->setText(QStringLiteral("Filiale"));
            dialog->numberEdit()->setText(QStringLiteral("4711"));
            dialog->take();
        });
        rig.click("NewNumber", editor);
        QCOMPARE(rig.prompter.shown.last().caption, QStringLiteral("ACHTUNG"));
        QCOMPARE(rig.prompter.shown.last().text,
                 QStringLiteral("Der gewünschte Name ist bereits vorhanden!\r\nBitte wählen sie einen anderen."));
        QCOMPARE(editor->grid()->rowCount(), 3);
        QTest::mouseClick(rig.child<QToolButton>("UpDown1Up"), Qt::LeftButton); // the new row moves up
        QCOMPARE(editor->selectedRow(), 1);
        rig.click("OkBtn", editor);
        QCOMPARE(rig.phoneBookFile(), QByteArray("[Telefonnummern]\r\nZentrale=0815\r\nFiliale=4711\r\nLeer=\r\n"));
        QCOMPARE(choose->itemText(1), QStringLiteral("Filiale"));
        QVERIFY(editor->isHidden());

        // Changes that are not applied are dropped.
        rig.click("EditNumbers");
        editor->selectRow(0);
        rig.click("DeleteNumber", editor);
        QCOMPARE(editor->rows().size(), 2);
        rig.click("CancelBtn", editor); // the entry dialog has one of that name too
        QCOMPARE(editor->rows().size(), 3);
        QCOMPARE(choose->count(), 3);
    }

    void dialAndHangUpInTheWindow()
    {
        Rig rig(false, true); // without MODEM the PC modem is set up and checked first
        rig.window->show();
        QSignalSpy connected(&rig.window->session(), &ModemSession::connectionChanged);
        rig.click("Einwahl");
        QCOMPARE(rig.prompter.texts("inform"), QStringList{"Verbunden mit *91"});
        QVERIFY(rig.child<QRadioButton>("ModemConnect")->isChecked());
        QVERIFY(rig.child<QPushButton>("Einwahl")->isEnabled());
        QVERIFY(QFile::exists(rig.dir.filePath("Modemantwort_PC_NVR.txt")));

        rig.click("HangUp");
        QVERIFY(!rig.child<QRadioButton>("ModemConnect")->isChecked());
        QCOMPARE(connected.size(), 2);
        QCOMPARE(rig.prompter.shown.size(), 1);

        // The send log copied every frame; the terminal and the counter saw the answers.
        const QStringList sent = rig.window->session().sendLog().lines();
        QVERIFY(sent.contains(QStringLiteral("ATDT*91[0D]")));
        QCOMPARE(sent.last(), QStringLiteral("ATH0[0D]"));
        rig.window->terminalPage()->refreshNow();
        QVERIFY(rig.window->terminalPage()->terminal()->toPlainText().contains("CONNECT 9600\n"));
        QVERIFY(rig.child<QSpinBox>("EmpfCount")->value() > 0);
    }

    void closingOnlyHides()
    {
        Rig rig(true, false);
        rig.window->show();
        QPointer<ModemWindow> window = rig.window.get();
        window->close();
        QVERIFY(window && !window->isVisible());
        postRequest(window, Request::ShowAgain);
        QCoreApplication::processEvents();
        QVERIFY(window->isVisible());
    }

    void statusPageOnTheLine()
    {
        Rig rig(true, false);
        auto *address = rig.child<QSpinBox>("VKSAdr");
        QCOMPARE(address->value(), 10);
        rig.click("VKSStatus");
        QVERIFY(!rig.child<QLineEdit>("Einstatus")->text().isEmpty());
        QVERIFY(rig.window->session().vksMemo().lines().last().endsWith(":ACK"));

        address->setValue(80); // nobody answers there
        rig.click("VKSStatus");
        QCOMPARE(rig.prompter.shown.last().caption, QStringLiteral("ERROR"));
        QCOMPARE(rig.prompter.shown.last().text, QStringLiteral("Steuerung nicht adressierbar!!"));
        QVERIFY(rig.window->session().vksMemo().lines().last().endsWith(":No Status"));

        address->setValue(30);
        rig.click("VKSAdressieren");
        QVERIFY(rig.window->session().vksMemo().lines().last().endsWith(":ACK"));

        rig.child<QCheckBox>("DisableAllLogs")->setChecked(true);
        const qsizetype lines = rig.window->session().vksMemo().lines().size();
        rig.click("VKSAdressieren");
        QCOMPARE(rig.window->session().vksMemo().lines().size(), lines);
    }

    void timePanelReadsTheClockAndHoldsTheClockWindow()
    {
        Rig rig(true, false);
        QSignalSpy stop(rig.window.get(), &ModemWindow::stopTimePollChanged);
        rig.click("UhrEmpf");
        QCOMPARE(stop.size(), 1);
        QVERIFY(rig.window->stopTimePoll());
        static const QRegularExpression shown(QStringLiteral("^\\w+  \\d\\d\\.\\d\\d\\.\\d\\d  \\d\\d:\\d\\d:\\d\\d$"));
        QVERIFY2(shown.match(rig.child<QLabel>("VKSZeit")->text()).hasMatch(),
                 qPrintable(rig.child<QLabel>("VKSZeit")->text()));
        QVERIFY(!rig.child<QLabel>("PCZeit")->text().isEmpty());
    }
};

QTEST_MAIN(TestUiModem)
#include "tst_ui_modem.moc"
