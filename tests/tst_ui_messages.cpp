// Message window, timed warning box, "Drucker skalieren", the widget prompter and the
// version holder. Timers are checked for their intervals and then fired by hand, so the
// program does not wait out the 3.5 s and 10 s the real windows stay.

#include "shell/appstate.h"
#include "shell/requests.h"
#include "shell/torvelsettings.h"
#include "shell/ui/germantranslations.h"
#include "shell/ui/versionholder.h"
#include "shell/ui/messagewindow.h"
#include "shell/ui/printerscaledialog.h"
#include "shell/ui/countdownbox.h"
#include "shell/ui/widgetprompter.h"
#include "shell/versiontext.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
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
    void cleanup()
    {
        for (CountdownBox *box : openBoxes())
            box->close();
        settle();
        CountdownBox::setBoxCount(0);
    }

    // --- message window ---

    void messageWindowMovesItsCaptionIntoThePanel()
    {
        AppState state;
        QMdiArea area;
        area.resize(800, 600);
        area.show();
        const QString text = QStringLiteral("Backprogramme werden gelesen ...");

        MessageWindow *window = MessageWindow::showMessageWindow(&state, &area, text);
        QCOMPARE(state.messageWindow.data(), window);
        QVERIFY(window->subWindow());
        QVERIFY(window->subWindow()->testAttribute(Qt::WA_DeleteOnClose));
        QVERIFY(window->subWindow()->isVisible());
        QCOMPARE(area.subWindowList().size(), 1);
        QCOMPARE(window->caption(), text);
        QCOMPARE(window->panel()->objectName(), QStringLiteral("Panel1"));
        QVERIFY(window->panel()->text().isEmpty());
        QCOMPARE(window->panel()->frameShadow(), QFrame::Sunken);
        QCOMPARE(window->timer1()->interval(), 20);
        QVERIFY(window->timer1()->isActive());
        QCOMPARE(window->timer2()->interval(), 3500);
        QVERIFY(!window->timer2()->isActive());

        // The real 20 ms timer.
        QTRY_COMPARE_WITH_TIMEOUT(window->caption(), QStringLiteral("Meldung"), 2000);
        QCOMPARE(window->panel()->text(), text);
        QVERIFY(!window->timer1()->isActive());
        QVERIFY(window->timer2()->isActive());
        QVERIFY(window->subWindow()->width() >= window->panel()->sizeHint().width());

        QPointer<QMdiSubWindow> frame = window->subWindow();
        fire(window->timer2());
        settle();
        QVERIFY(frame.isNull());
        QVERIFY(state.messageWindow.isNull());
    }

    void twoMessageWindowsEachCloseByThemselves()
    {
        AppState state;
        QMdiArea area;
        area.resize(800, 600);
        area.show();

        QPointer<MessageWindow> first = MessageWindow::showMessageWindow(&state, &area, QStringLiteral("Ofen 1 wird gesucht"));
        QPointer<MessageWindow> second = MessageWindow::showMessageWindow(&state, &area, QStringLiteral("Ofen 2 wird gesucht"));
        QCOMPARE(state.messageWindow.data(), second.data());
        QVERIFY(first->subWindow()->isVisible());
        QVERIFY(second->subWindow()->isVisible());

        fire(first->timer1());
        fire(second->timer1());
        QCOMPARE(first->panel()->text(), QStringLiteral("Ofen 1 wird gesucht"));
        QCOMPARE(second->panel()->text(), QStringLiteral("Ofen 2 wird gesucht"));
        QCOMPARE(first->caption(), QStringLiteral("Meldung"));
        QCOMPARE(second->caption(), QStringLiteral("Meldung"));

        // The older one closes without touching the handle, which belongs to the newer one.
        fire(first->timer2());
        settle();
        QVERIFY(first.isNull());
        QCOMPARE(state.messageWindow.data(), second.data());
        QCOMPARE(area.subWindowList().size(), 1);

        fire(second->timer2());
        settle();
        QVERIFY(second.isNull());
        QVERIFY(state.messageWindow.isNull());
        QVERIFY(area.subWindowList().isEmpty());
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
        QCOMPARE(newer->caption(), QStringLiteral("Neu"));
        fire(older->timer1());
        fire(newer->timer1());
        older->timer2()->stop();
        newer->timer2()->stop();

        prompter.retrigger();
        settle();
        QVERIFY(newer->timer2()->isActive());
        QVERIFY(!older->timer2()->isActive());
        QVERIFY(newer->timer2()->remainingTime() > 3000);

        // Without any message window a retrigger goes nowhere.
        newer->closeWindow();
        older->closeWindow();
        settle();
        QVERIFY(state.messageWindow.isNull());
        prompter.retrigger();
        settle();
    }

    void showAgainBringsTheWindowBack()
    {
        AppState state;
        QMdiArea area;
        area.show();
        MessageWindow *window = MessageWindow::showMessageWindow(&state, &area, QStringLiteral("Text"));
        window->subWindow()->hide();
        QVERIFY(postRequest(window, Request::ShowAgain));
        settle();
        QVERIFY(window->subWindow()->isVisible());
    }

    // --- timed warning box ---

    void crcErrorShowsOneRedLineAndCountsDown()
    {
        CountdownBox::setBoxCount(0);
        QPointer<CountdownBox> box =
            CountdownBox::showTimedMessage(QStringLiteral("ERROR"), QStringLiteral("Steigungstabelle-CRC-Fehler!"), 3000);
        QCOMPARE(CountdownBox::boxCount(), 1);
        QVERIFY(box->isVisible());
        QCOMPARE(box->windowTitle(), QStringLiteral("ERROR"));
        QVERIFY(box->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!(box->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)));

        QCOMPARE(box->label(1)->text(), QStringLiteral("Steigungstabelle-CRC-Fehler!"));
        QVERIFY(box->label(1)->isVisible());
        for (int n = 2; n <= 4; ++n)
            QVERIFY(box->label(n)->isHidden());
        QCOMPARE(box->label(1)->height(), 25);
        QCOMPARE(box->label(1)->palette().color(QPalette::WindowText), QColor(Qt::red));
        QVERIFY(box->okButton()->isHidden());
        QCOMPARE(box->focusWidget(), box->button2());

        QCOMPARE(box->timer1()->interval(), 3000);
        QVERIFY(box->timer1()->isActive());
        QCOMPARE(box->timer2()->interval(), 1000);
        QVERIFY(box->timer2()->isActive());
        QCOMPARE(box->seconds(), 3);
        QCOMPARE(box->sekunden()->text(), QStringLiteral("3"));
        for (int expected : {2, 1, 0, -1}) {
            fire(box->timer2());
            QCOMPARE(box->seconds(), expected);
            QCOMPARE(box->sekunden()->text(), QString::number(expected));
        }

        QTimer *timer2 = box->timer2();
        fire(box->timer1());
        QVERIFY(!box->isVisible());
        QVERIFY(!timer2->isActive());
        settle();
        QVERIFY(box.isNull());
    }

    void countDownPanelTexts()
    {
        CountdownBox box;
        QCOMPARE(box.panel()->objectName(), QStringLiteral("Panel1"));
        QStringList texts;
        for (QLabel *label : box.panel()->findChildren<QLabel *>())
            texts << label->text();
        QVERIFY(texts.contains(QStringLiteral("in")));
        QVERIFY(texts.contains(QStringLiteral("sek wird automatisch OK       gewählt")));
        QCOMPARE(box.sekunden()->objectName(), QStringLiteral("Sekunden"));
        QCOMPARE(box.button1()->text(), QStringLiteral("OK"));
        QCOMPARE(box.button2()->text(), QStringLiteral("Abbrechen"));
        QCOMPARE(box.okButton()->text(), QStringLiteral("OK"));
        QCOMPARE(box.okButton()->objectName(), QStringLiteral("OKBtn"));
        QCOMPARE(box.timer1()->objectName(), QStringLiteral("Timer1"));
        QCOMPARE(box.timer2()->objectName(), QStringLiteral("Timer2"));
    }

    void zeroMeansTenSeconds()
    {
        QPointer<CountdownBox> box = CountdownBox::showTimedMessage(QStringLiteral("Hinweis"), QStringLiteral("x"), 0);
        QCOMPARE(box->displayTime(), 10000);
        QCOMPARE(box->timer1()->interval(), 10000);
        QCOMPARE(box->seconds(), 10);
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
        QTimer *timer1 = box->timer1();
        QTimer *timer2 = box->timer2();
        (button == 1 ? box->button1() : box->button2())->click();
        QVERIFY(!box->isVisible());
        QVERIFY(!timer1->isActive());
        QVERIFY(!timer2->isActive());
        settle();
        QVERIFY(box.isNull());
    }

    void textSplitsIntoFourLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("one") << "A" << QStringList{"A", "", "", ""};
        QTest::newRow("two") << "A\r\nB" << QStringList{"A", "B", "", ""};
        QTest::newRow("four") << "A\r\nB\r\nC\r\nD" << QStringList{"A", "B", "C", "D"};
        QTest::newRow("five") << "A\r\nB\r\nC\r\nD\r\nE" << QStringList{"A", "B", "C", "D\r\nE"};
        QTest::newRow("six") << "A\r\nB\r\nC\r\nD\r\nE\r\nF" << QStringList{"A", "B", "C", "D\r\nE\r\nF"};
        QTest::newRow("trailing break") << "A\r\nB\r\n" << QStringList{"A", "B", "", ""};
        QTest::newRow("break after four") << "A\r\nB\r\nC\r\nD\r\n" << QStringList{"A", "B", "C", "D\r\n"};
        QTest::newRow("bare newline stays") << "A\nB" << QStringList{"A\nB", "", "", ""};
        QTest::newRow("empty") << "" << QStringList{"", "", "", ""};
    }

    void textSplitsIntoFourLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(showboxLines(text), lines);
    }

    void fifthLineSharesLabel4()
    {
        CountdownBox box;
        box.setText(QStringLiteral("Zeile 1\r\nZeile 2\r\nZeile 3\r\nZeile 4\r\nZeile 5"));
        QCOMPARE(box.label(3)->text(), QStringLiteral("Zeile 3"));
        QCOMPARE(box.label(4)->text(), QStringLiteral("Zeile 4\nZeile 5"));
        for (int n = 1; n <= 4; ++n)
            QVERIFY(!box.label(n)->isHidden());
        for (int n = 1; n <= 3; ++n)
            QCOMPARE(box.label(n)->height(), 20);
        QVERIFY(box.label(4)->height() > 20); // two lines
        QCOMPARE(box.label(4)->height(), box.label(4)->sizeHint().height());
    }

    void emptyLinesHideFromTheBottom_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<bool>>("shown");
        QTest::addColumn<QList<int>>("heights"); // of the shown labels
        QTest::newRow("one line") << "A" << QList<bool>{true, false, false, false} << QList<int>{25};
        QTest::newRow("two lines") << "A\r\nB" << QList<bool>{true, true, false, false} << QList<int>{20, 25};
        QTest::newRow("three lines") << "A\r\nB\r\nC" << QList<bool>{true, true, true, false}
                                     << QList<int>{20, 20, 25};
        QTest::newRow("four lines") << "A\r\nB\r\nC\r\nD" << QList<bool>{true, true, true, true}
                                    << QList<int>{20, 20, 20, 20};
        QTest::newRow("no text") << "" << QList<bool>{true, false, false, false} << QList<int>{25};
        QTest::newRow("trailing break") << "A\r\nB\r\n" << QList<bool>{true, true, false, false}
                                        << QList<int>{20, 25};
        // Each empty line is checked on its own: an empty second line goes and the first
        // gets the 25.
        QTest::newRow("gap in the middle") << "A\r\n\r\nC\r\nD" << QList<bool>{true, false, true, true}
                                           << QList<int>{25, 20, 20};
    }

    void emptyLinesHideFromTheBottom()
    {
        QFETCH(QString, text);
        QFETCH(QList<bool>, shown);
        QFETCH(QList<int>, heights);
        CountdownBox box;
        box.setText(text);
        QList<bool> actualShown;
        QList<int> actualHeights;
        int bottom = -1;
        for (int n = 1; n <= 4; ++n) {
            QLabel *label = box.label(n);
            actualShown << !label->isHidden();
            if (label->isHidden())
                continue;
            actualHeights << label->height();
            if (bottom >= 0)
                QCOMPARE(label->y(), bottom); // stacked without gaps
            bottom = label->geometry().bottom() + 1;
        }
        QCOMPARE(actualShown, shown);
        QCOMPARE(actualHeights, heights);
        QVERIFY(box.panel()->y() > bottom);
        // As much room under the panel as above the first line.
        QCOMPARE(box.height() - box.panel()->geometry().bottom() - 1, box.label(1)->y());
    }

    void linesAreCentredAndWidenTheBox()
    {
        CountdownBox box;
        box.setText(QStringLiteral("Kurz"));
        const int natural = box.width();
        QVERIFY(natural >= box.panel()->width());
        QLabel *label = box.label(1);
        QCOMPARE(label->x(), natural / 2 - label->width() / 2);
        QCOMPARE(label->width(), label->sizeHint().width());

        const QString longLine = QStringLiteral("Temperaturfühler defekt! ").repeated(8);
        box.setText(longLine + QStringLiteral("\r\nKurz\r\nEtwas länger als kurz"));
        const int wide = box.label(1)->width();
        QVERIFY(wide > natural);
        QCOMPARE(box.width(), wide + 15);
        QCOMPARE(box.size(), box.minimumSize()); // fixed size: single border
        QCOMPARE(box.size(), box.maximumSize());
        for (int n = 1; n <= 3; ++n) {
            QLabel *l = box.label(n);
            QCOMPARE(l->x(), box.width() / 2 - l->width() / 2);
        }
        QCOMPARE(box.label(1)->x(), (wide + 15) / 2 - wide / 2); // both halves truncated
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
        QTest::newRow("first centred, odd rest") << 1 << xga << QSize(301, 121) << QPoint(361, 323);
        QTest::newRow("second") << 2 << xga << box << QPoint(266, 202);
        QTest::newRow("third") << 3 << xga << box << QPoint(276, 212);
        QTest::newRow("twentieth") << 20 << xga << box << QPoint(446, 382);
        QTest::newRow("21st wraps") << 21 << xga << box << QPoint(264, 200);
        QTest::newRow("last count") << 32767 << xga << box << QPoint(364, 300);
        QTest::newRow("full hd, wrap to start") << 28 << QSize(1920, 1080) << box << QPoint(480, 270);
        QTest::newRow("height tie to even") << 2 << QSize(1680, 1050) << box << QPoint(430, 272);
        QTest::newRow("width tie to even") << 2 << QSize(1366, 768) << box << QPoint(352, 202);
        QTest::newRow("box size ignored later") << 2 << xga << QSize(900, 700) << QPoint(266, 202);
    }

    void placement()
    {
        QFETCH(int, count);
        QFETCH(QSize, screen);
        QFETCH(QSize, box);
        QFETCH(QPoint, expected);
        QCOMPARE(placeShowbox(count, screen, box), expected);
    }

    void boxesArePlacedOnTheScreen()
    {
        const QRect desk = QGuiApplication::primaryScreen()->availableGeometry();
        CountdownBox::setBoxCount(0);
        CountdownBox *first = CountdownBox::showTimedMessage(QStringLiteral("A"), QStringLiteral("Eins"), 3000);
        CountdownBox *second = CountdownBox::showTimedMessage(QStringLiteral("B"), QStringLiteral("Zwei"), 3000);
        CountdownBox *third = CountdownBox::showTimedMessage(QStringLiteral("C"), QStringLiteral("Drei"), 3000);
        QCOMPARE(CountdownBox::boxCount(), 3);
        QCOMPARE(first->pos(), desk.topLeft() + placeShowbox(1, desk.size(), first->size()));
        QCOMPARE(first->pos(), desk.topLeft() + QPoint((desk.width() - first->width()) / 2,
                                                       (desk.height() - first->height()) / 2));
        QCOMPARE(second->pos(), desk.topLeft() + placeShowbox(2, desk.size(), second->size()));
        QCOMPARE(third->pos() - second->pos(), QPoint(10, 10));
        QCOMPARE(openBoxes().size(), 3);
    }

    void boxCountStopsAt32767()
    {
        const QRect desk = QGuiApplication::primaryScreen()->availableGeometry();
        CountdownBox::setBoxCount(32766);
        CountdownBox::showTimedMessage(QStringLiteral("A"), QStringLiteral("x"), 1000);
        QCOMPARE(CountdownBox::boxCount(), 32767);
        CountdownBox *last = CountdownBox::showTimedMessage(QStringLiteral("B"), QStringLiteral("y"), 1000);
        QCOMPARE(CountdownBox::boxCount(), 32767);
        QCOMPARE(last->pos(), desk.topLeft() + placeShowbox(32767, desk.size(), last->size()));
    }

    // --- Drucker skalieren ---

    void skalierenShowsTheCurrentScale()
    {
        AppState state;
        state.printScale = 65;
        QTemporaryDir dir;
        TorvelSettings settings(dir.filePath(QStringLiteral("torvel.ini")));
        PrinterScaleDialog dialog(&state, &settings);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Drucker skalieren"));
        QVERIFY(dialog.isModal());
        QCOMPARE(dialog.findChild<QGroupBox *>()->title(), QStringLiteral("Druckerskalierung:"));
        QStringList labels;
        for (QLabel *label : dialog.findChildren<QLabel *>())
            labels << label->text();
        QVERIFY(labels.contains(QStringLiteral("%")));
        QVERIFY(labels.contains(QStringLiteral("( Defaultwert 80% ).")));
        QCOMPARE(dialog.skalierung()->objectName(), QStringLiteral("Skalierung"));
        QCOMPARE(dialog.skalierung()->minimum(), 0);
        QCOMPARE(dialog.skalierung()->maximum(), 100);
        QCOMPARE(dialog.takeButton()->objectName(), QStringLiteral("TakeBtn"));
        QCOMPARE(dialog.takeButton()->text(), QStringLiteral("Übernehmen"));
        QCOMPARE(dialog.cancelButton()->objectName(), QStringLiteral("CancelBtn"));
        QCOMPARE(dialog.cancelButton()->text(), QStringLiteral("CancelBtn"));

        dialog.show();
        QCOMPARE(dialog.skalierung()->value(), 65);
        dialog.hide();
        state.printScale = 90;
        dialog.show();
        QCOMPARE(dialog.skalierung()->value(), 90);
    }

    void uebernehmenStoresTheScale_data()
    {
        QTest::addColumn<int>("percent");
        QTest::newRow("0 is allowed") << 0;
        QTest::newRow("55") << 55;
        QTest::newRow("100") << 100;
    }

    void uebernehmenStoresTheScale()
    {
        QFETCH(int, percent);
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("torvel.ini"));
        AppState state;
        TorvelSettings settings(ini);
        PrinterScaleDialog dialog(&state, &settings);
        dialog.show();
        dialog.skalierung()->setValue(percent);
        dialog.takeButton()->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(state.printScale, percent);

        TorvelSettings reread(ini);
        QVERIFY(reread.hasPrintScale());
        QCOMPARE(reread.printScale(), percent);
        QCOMPARE(QSettings(ini, QSettings::IniFormat).value(QStringLiteral("1.0/Printscale")).toInt(), percent);
    }

    void cancelStoresNothing()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("torvel.ini"));
        AppState state;
        TorvelSettings settings(ini);
        PrinterScaleDialog dialog(&state, &settings);
        dialog.show();
        dialog.skalierung()->setValue(30);
        dialog.cancelButton()->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(state.printScale, 80);
        QVERIFY(!TorvelSettings(ini).hasPrintScale());
        dialog.show();
        QCOMPARE(dialog.skalierung()->value(), 80);
    }

    // --- prompter ---

    void germanTranslationsAreInstalled()
    {
        QVERIFY(installGermanTranslations(*qApp));
        QVERIFY(installGermanTranslations(*qApp)); // a second call changes nothing
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Ja"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&No"), QStringLiteral("&Nein"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "OK"), QStringLiteral("OK"));
    }

    void askShowsGermanButtons_data()
    {
        QTest::addColumn<int>("clicked"); // QMessageBox::StandardButton, 0 = dismissed
        QTest::addColumn<QList<PromptButton>>("buttons");
        QTest::addColumn<PromptButton>("expected");
        const QList<PromptButton> ync{PromptButton::Yes, PromptButton::No, PromptButton::Cancel};
        const QList<PromptButton> yn{PromptButton::Yes, PromptButton::No};
        QTest::newRow("Ja") << int(QMessageBox::Yes) << ync << PromptButton::Yes;
        QTest::newRow("Nein") << int(QMessageBox::No) << ync << PromptButton::No;
        QTest::newRow("Abbrechen") << int(QMessageBox::Cancel) << ync << PromptButton::Cancel;
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
        QCOMPARE(title, QStringLiteral("Achtung"));
        QCOMPARE(text, QStringLiteral("Datei überschreiben?"));
        QCOMPARE(texts.size(), buttons.size());
        const QMap<int, QString> german{{int(QMessageBox::Yes), "&Ja"},
                                        {int(QMessageBox::No), "&Nein"},
                                        {int(QMessageBox::Cancel), "Abbrechen"},
                                        {int(QMessageBox::Ok), "OK"}};
        for (auto it = texts.cbegin(); it != texts.cend(); ++it)
            QCOMPARE(it.value(), german.value(it.key()));
    }

    void informShowsOk()
    {
        AnsweringPrompter prompter(nullptr, nullptr, nullptr);
        QStringList seen;
        prompter.answer = [&](QMessageBox &box) {
            seen << box.windowTitle() << box.text();
            for (QAbstractButton *b : box.buttons())
                seen << b->text();
        };
        prompter.inform(QStringLiteral("Info"), QStringLiteral("Übertragung beendet."));
        QCOMPARE(seen, (QStringList{"Info", "Übertragung beendet.", "OK"}));
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

    void prompterShowsTimedMessages()
    {
        AppState state;
        WidgetPrompter prompter(&state, nullptr, nullptr);
        prompter.showTimedMessage(QStringLiteral("ERROR"), QStringLiteral("Steigungstabelle-CRC-Fehler!"), 3000);
        const QList<CountdownBox *> boxes = openBoxes();
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.first()->windowTitle(), QStringLiteral("ERROR"));
        QCOMPARE(boxes.first()->displayTime(), 3000);
    }

    // --- version ---

    void versionHolderOffersTheText()
    {
        VersionHolder holder;
        QCOMPARE(holder.versionText(), applicationVersionText());
        QVERIFY(holder.versionText().startsWith(QStringLiteral(TORVEL_VERSION_STRING " [Build ")));
    }
};

QTEST_MAIN(TestUiMessages)
#include "tst_ui_messages.moc"
