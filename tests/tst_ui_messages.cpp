// Message window, timed warning box, "Drucker skalieren" and the widget prompter. Timers
// are checked for their intervals and then fired by hand, so the program does not wait
// out the 3.5 s and 10 s the real windows stay.

#include "shell/appstate.h"
#include "shell/torvelsettings.h"
#include "shell/ui/germantranslations.h"
#include "shell/ui/messagewindow.h"
#include "shell/ui/printerscaledialog.h"
#include "shell/ui/countdownbox.h"
#include "shell/ui/widgetprompter.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace torvel;

namespace {

// Fires a timer's timeout now instead of waiting for it.
void fire(QTimer *timer)
{
    QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
}

// Runs posted events and deferred deletes (windows closed with WA_DeleteOnClose).
void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QList<CountdownBox *> openBoxes()
{
    QList<CountdownBox *> boxes;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *box = qobject_cast<CountdownBox *>(w); box && box->isVisible())
            boxes << box;
    }
    return boxes;
}

// Answers message boxes without a nested event loop.
class AnsweringPrompter : public WidgetPrompter
{
public:
    using WidgetPrompter::WidgetPrompter;
    std::function<void(QMessageBox &)> answer;

protected:
    void runBox(QMessageBox &box) override
    {
        if (answer)
            answer(box);
    }
};

} // namespace

class TestUiMessages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(installGermanTranslations(*qApp));
        QVERIFY(installGermanTranslations(*qApp)); // a second call changes nothing
    }

    void cleanup()
    {
        for (CountdownBox *box : openBoxes())
            box->close();
        settle();
        CountdownBox::setBoxCount(0);
    }

    void messageWindowMovesItsCaptionIntoThePanel()
    {
        AppState state;
        QMdiArea area;
        area.resize(800, 600);
        area.show();
        const QString text = QStringLiteral("Backprogramme werden gelesen ...");

        MessageWindow *window = MessageWindow::showMessageWindow(&state, &area, text);
        QCOMPARE(state.messageWindow.data(), window);
        QCOMPARE(window->caption(), text);
        QVERIFY(window->panel()->text().isEmpty());
        QVERIFY(window->timer1()->interval() == 20 && window->timer2()->interval() == 3500);
        QTRY_COMPARE_WITH_TIMEOUT(window->caption(), QStringLiteral("Meldung"), 2000); // the real 20 ms timer
        QCOMPARE(window->panel()->text(), text);
        QVERIFY(!window->timer1()->isActive() && window->timer2()->isActive());

        QPointer<QMdiSubWindow> frame = window->subWindow();
        fire(window->timer2());
        settle();
        QVERIFY(frame.isNull() && state.messageWindow.isNull());
    }

    void retriggerReachesOnlyTheNewerWindow()
    {
        AppState state;
        QMdiArea area;
        area.show();
        WidgetPrompter prompter(&state, &area, nullptr);
        prompter.showMessageWindow(QStringLiteral("Alt"));
        auto *older = qobject_cast<MessageWindow *>(state.messageWindow.data());
        prompter.showMessageWindow(QStringLiteral("Neu"));
        auto *newer = qobject_cast<MessageWindow *>(state.messageWindow.data());
        QVERIFY(older && newer && older != newer);
        fire(older->timer1());
        fire(newer->timer1());
        older->timer2()->stop();
        newer->timer2()->stop();

        prompter.retrigger();
        settle();
        QVERIFY(newer->timer2()->isActive());
        QVERIFY(!older->timer2()->isActive());
        QVERIFY(newer->timer2()->remainingTime() > 3000);

        // The older one closes without touching the handle, which belongs to the newer one.
        QPointer<MessageWindow> gone(older);
        fire(older->timer2());
        settle();
        QVERIFY(gone.isNull());
        QCOMPARE(state.messageWindow.data(), newer);
    }

    void crcErrorShowsOneRedLineAndCountsDown()
    {
        CountdownBox::setBoxCount(0);
        QPointer<CountdownBox> box =
            CountdownBox::showTimedMessage(QStringLiteral("ERROR"), QStringLiteral("Steigungstabelle-CRC-Fehler!"), 3000);
        QCOMPARE(CountdownBox::boxCount(), 1);
        QCOMPARE(box->windowTitle(), QStringLiteral("ERROR"));
        QVERIFY(box->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!(box->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)));

        QCOMPARE(box->label(1)->text(), QStringLiteral("Steigungstabelle-CRC-Fehler!"));
        QCOMPARE(box->label(1)->palette().color(QPalette::WindowText), QColor(Qt::red));
        QCOMPARE(box->focusWidget(), box->button2());

        QVERIFY(box->timer1()->interval() == 3000 && box->timer2()->interval() == 1000);
        QCOMPARE(box->sekunden()->text(), QStringLiteral("3"));
        for (int expected : {2, 1, 0, -1}) {
            fire(box->timer2());
            QCOMPARE(box->sekunden()->text(), QString::number(expected));
        }

        QTimer *timer2 = box->timer2();
        fire(box->timer1());
        QVERIFY(!box->isVisible() && !timer2->isActive());
        settle();
        QVERIFY(box.isNull());
    }

    void eitherButtonCloses_data()
    {
        QTest::addColumn<int>("button");
        QTest::newRow("Button1 OK") << 1;
        QTest::newRow("Button2 Abbrechen") << 2;
    }

    void eitherButtonCloses()
    {
        QFETCH(int, button);
        QPointer<CountdownBox> box = CountdownBox::showTimedMessage(QStringLiteral("W"), QStringLiteral("Text"), 5000);
        QTimer *timer2 = box->timer2();
        (button == 1 ? box->button1() : box->button2())->click();
        QVERIFY(!box->isVisible() && !timer2->isActive());
        settle();
        QVERIFY(box.isNull());
    }

    void textSplitsIntoFourLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("four") << "A\r\nB\r\nC\r\nD" << QStringList{"A", "B", "C", "D"};
        QTest::newRow("five") << "A\r\nB\r\nC\r\nD\r\nE" << QStringList{"A", "B", "C", "D\r\nE"};
        QTest::newRow("trailing break") << "A\r\nB\r\n" << QStringList{"A", "B", "", ""};
        QTest::newRow("break after four") << "A\r\nB\r\nC\r\nD\r\n" << QStringList{"A", "B", "C", "D\r\n"};
    }

    void textSplitsIntoFourLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(showboxLines(text), lines);
    }

    void placement_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<QPoint>("expected");
        const QSize xga(1024, 768);
        const QSize box(300, 120);
        QTest::newRow("first centred") << 1 << xga << box << QPoint(362, 324);
        QTest::newRow("second") << 2 << xga << box << QPoint(266, 202);
        QTest::newRow("21st wraps") << 21 << xga << box << QPoint(264, 200);
        QTest::newRow("last count") << 32767 << xga << box << QPoint(364, 300);
        QTest::newRow("height tie to even") << 2 << QSize(1680, 1050) << box << QPoint(430, 272);
    }

    void placement()
    {
        QFETCH(int, count);
        QFETCH(QSize, screen);
        QFETCH(QSize, box);
        QFETCH(QPoint, expected);
        QCOMPARE(placeShowbox(count, screen, box), expected);
    }

    void boxCountStopsAt32767()
    {
        CountdownBox::setBoxCount(32766);
        CountdownBox::showTimedMessage(QStringLiteral("A"), QStringLiteral("x"), 1000);
        CountdownBox::showTimedMessage(QStringLiteral("B"), QStringLiteral("y"), 1000);
        QCOMPARE(CountdownBox::boxCount(), 32767);
    }

    // Shows the current scale; "Übernehmen" stores the new one, "Abbrechen" nothing.
    void printerScaleDialog_data()
    {
        QTest::addColumn<int>("percent");
        QTest::addColumn<bool>("take");
        QTest::newRow("0 is allowed") << 0 << true;
        QTest::newRow("100") << 100 << true;
        QTest::newRow("Abbrechen") << 30 << false;
    }

    void printerScaleDialog()
    {
        QFETCH(int, percent);
        QFETCH(bool, take);
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("torvel.ini"));
        AppState state;
        state.printScale = 65;
        TorvelSettings settings(ini);
        PrinterScaleDialog dialog(&state, &settings);
        dialog.show();
        QCOMPARE(dialog.skalierung()->value(), 65);
        dialog.skalierung()->setValue(percent);
        (take ? dialog.takeButton() : dialog.cancelButton())->click();
        QCOMPARE(dialog.result(), int(take ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(state.printScale, take ? percent : 65);
        QCOMPARE(TorvelSettings(ini).hasPrintScale(), take);
        QCOMPARE(QSettings(ini, QSettings::IniFormat).value(QStringLiteral("1.0/Printscale"), -1).toInt(),
                 take ? percent : -1);
        dialog.show();
        QCOMPARE(dialog.skalierung()->value(), take ? percent : 65);
    }

    void askShowsGermanButtons_data()
    {
        QTest::addColumn<int>("clicked"); // QMessageBox::StandardButton, 0 = dismissed
        QTest::addColumn<QList<PromptButton>>("buttons");
        QTest::addColumn<PromptButton>("expected");
        const QList<PromptButton> ync{PromptButton::Yes, PromptButton::No, PromptButton::Cancel};
        const QList<PromptButton> yn{PromptButton::Yes, PromptButton::No};
        QTest::newRow("Ja") << int(QMessageBox::Yes) << ync << PromptButton::Yes;
        QTest::newRow("dismissed with Abbrechen") << 0 << ync << PromptButton::Cancel;
        QTest::newRow("dismissed without Abbrechen") << 0 << yn << PromptButton::No;
        QTest::newRow("OK") << int(QMessageBox::Ok) << QList<PromptButton>{PromptButton::Ok, PromptButton::Cancel}
                            << PromptButton::Ok;
    }

    void askShowsGermanButtons()
    {
        QFETCH(int, clicked);
        QFETCH(QList<PromptButton>, buttons);
        QFETCH(PromptButton, expected);
        AppState state;
        AnsweringPrompter prompter(&state, nullptr, nullptr);
        QString title, text;
        QMap<int, QString> texts;
        prompter.answer = [&](QMessageBox &box) {
            title = box.windowTitle();
            text = box.text();
            for (QAbstractButton *b : box.buttons())
                texts.insert(int(box.standardButton(b)), b->text());
            if (clicked)
                box.button(QMessageBox::StandardButton(clicked))->click();
        };
        QCOMPARE(prompter.ask(QStringLiteral("Achtung"), QStringLiteral("Datei überschreiben?"), buttons), expected);
        QCOMPARE(title + text, QStringLiteral("AchtungDatei überschreiben?"));
        QCOMPARE(texts.size(), buttons.size());
        const QMap<int, QString> german{{int(QMessageBox::Yes), "&Ja"},
                                        {int(QMessageBox::No), "&Nein"},
                                        {int(QMessageBox::Cancel), "Abbrechen"},
                                        {int(QMessageBox::Ok), "OK"}};
        for (auto it = texts.cbegin(); it != texts.cend(); ++it)
            QCOMPARE(it.value(), german.value(it.key()));
    }

    // The real box runs its own event loop; a click from inside it ends the question.
    void askRunsARealMessageBox()
    {
        AppState state;
        WidgetPrompter prompter(&state, nullptr, nullptr);
        QString yesText;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            yesText = box->button(QMessageBox::Yes)->text();
            box->button(QMessageBox::Yes)->click();
        });
        const PromptButton answer = prompter.ask(QStringLiteral("Frage"), QStringLiteral("Weiter?"),
                                                 {PromptButton::Yes, PromptButton::No});
        QCOMPARE(answer, PromptButton::Yes);
        QCOMPARE(yesText, QStringLiteral("&Ja"));
    }

};

QTEST_MAIN(TestUiMessages)
#include "tst_ui_messages.moc"
