// The bake program editor (fields, conversions on leaving, take over into the list,
// closing only hides), the service panel with the test pattern, and printing programs
// 10 to 20 to a PDF read back with pdftotext.

#include "testsupport/scriptedprompter.h"

#include "bakeprog/editorprogram.h"
#include "bakeprog/programprint.h"
#include "bakeprog/programsheet.h"
#include "bakeprog/testpattern.h"
#include "bakeprog/ui/servicepanel.h"
#include "bakeprog/ui/programprinter.h"
#include "bakeprog/ui/programeditorwindow.h"
#include "shell/appstate.h"
#include "shell/sheetmodel.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace torvel;
using torvel::test::ScriptedPrompter;

namespace {

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(10000) || p.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>").arg(program, QString::fromLocal8Bit(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The editor, shown and active so that focus and keys behave as for the user.
struct Editor {
    AppState state;
    ProgramEditorWindow window{&state};

    bool show()
    {
        window.show();
        QApplication::setActiveWindow(&window);
        return QTest::qWaitForWindowActive(&window);
    }
    QLineEdit *f(EditorField kind, int position) const { return window.field(kind, position); }
    // Types into a field and leaves it with Tab, as the user does.
    void typeAndLeave(QLineEdit *edit, const QString &text)
    {
        edit->setFocus(Qt::MouseFocusReason);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }
};

} // namespace

class TestUiProgramEditor : public QObject
{
    Q_OBJECT

private slots:
    void fillFromARow()
    {
        SheetModel list;
        setupProgramSheet(list);
        list.setText(6, 1, QStringLiteral("Sechs"));
        const double values[23] = {250, 230, 10, 45, 3, 240, 220, 20, 5, 2, 230, 210, 0, 6, 1, 220, 200, 0, 7, 4, 210, 190, 5};
        for (int i = 0; i < 23; ++i)
            list.setNumber(6, i + 2, values[i]);
        Editor e;
        e.window.fillFromRow(list, 6);
        QCOMPARE(e.window.prgNr()->value(), 6);
        QCOMPARE(e.window.prgName()->text(), QStringLiteral("Sechs"));
        QCOMPARE(e.f(EditorField::BottomHeat, 5)->text(), QStringLiteral("190"));
        QCOMPARE(e.f(EditorField::Damper, 4)->text(), QStringLiteral("4"));
        QCOMPARE(e.window.gZeit()->text(), QStringLiteral("35")); // 10 + 20 + 0 + 0 + 5 minutes
        QCOMPARE(int(e.window.record().value(4)), 180);

        // A list cell longer than the field is shown whole; the name is not cut either.
        list.setNumber(6, 4, 1093);
        list.setText(6, 1, QStringLiteral("ERR: Übertragungsfehler"));
        e.window.fillFromRow(list, 6);
        QCOMPARE(e.f(EditorField::BakeTime, 1)->text(), QStringLiteral("1093"));
        QCOMPARE(e.window.prgName()->text(), QStringLiteral("ERR: Übertragungsfehler"));
    }

    void leavingFields_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("total");
        // Refused values give way to the field's last value.
        QTest::newRow("Bz1 minus five") << int(EditorField::BakeTime) << 1 << "-5" << "0" << "0";
        QTest::newRow("OH1 minus five") << int(EditorField::TopHeat) << 1 << "-5" << "0" << "0";
        QTest::newRow("Bz2 999") << int(EditorField::BakeTime) << 2 << "999" << "999" << "999";
        QTest::newRow("Bz3 cut to 3") << int(EditorField::BakeTime) << 3 << "12345" << "123" << "123";
        QTest::newRow("S1 as typed") << int(EditorField::Steam) << 1 << "07" << "07" << "0";
        QTest::newRow("A2 refused") << int(EditorField::Damper) << 2 << "x" << "0" << "0";
    }
    void leavingFields()
    {
        QFETCH(int, kind);
        QFETCH(int, position);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, total);
        Editor e;
        QVERIFY(e.show());
        QLineEdit *edit = e.f(EditorField(kind), position);
        e.typeAndLeave(edit, typed);
        QVERIFY(!edit->hasFocus());
        QCOMPARE(edit->text(), shown);
        QCOMPARE(e.window.gZeit()->text(), total);
    }

    void damperSecondsMode()
    {
        Editor e;
        e.state.damperSecondsMode = true;
        e.state.minuteColumns = AppState::damperSecondsMinuteColumns();
        QVERIFY(e.show());
        QCOMPARE(e.window.abzugLabel(1)->text() + e.window.abzugLabel(4)->text(), QStringLiteral("Sek. ZUSek. AUF"));
        QLineEdit *a1 = e.f(EditorField::Damper, 1);
        const int wide = a1->width();
        e.typeAndLeave(a1, QStringLiteral("1234567"));
        QCOMPARE(a1->text(), QStringLiteral("12345"));
        QVERIFY(wide > e.f(EditorField::Steam, 1)->width());
        e.window.fill(1, QString(), QStringList(23, QStringLiteral("90")));
        QCOMPARE(int(e.window.record().value(4)), 90);
        QCOMPARE(int(e.window.record().value(2)), 5400);

        // Back in normal mode the next opening shows minutes and three characters.
        e.window.hide();
        e.state.damperSecondsMode = false;
        e.state.minuteColumns = AppState::defaultMinuteColumns();
        QVERIFY(e.show());
        QCOMPARE(e.window.abzugLabel(3)->text(), QStringLiteral("Min. ZU"));
        e.typeAndLeave(a1, QStringLiteral("1234567"));
        QCOMPARE(a1->text(), QStringLiteral("123"));
    }

    void takeOverIntoAnotherRow()
    {
        SheetModel list;
        setupProgramSheet(list);
        list.setText(4, 1, QStringLiteral("Vier"));
        list.setNumber(4, 2, 250);
        list.setNumber(4, 5, 45);
        bool modified = false;
        Editor e;
        QObject::connect(&e.window, &ProgramEditorWindow::takenOver, &e.window,
                         [&](int number, const QString &name, const QStringList &values) {
                             takeOverIntoList(list, EditorProgram{number, name, values}, modified);
                         });
        e.window.fillFromRow(list, 4);
        QVERIFY(e.show());

        e.window.prgNr()->setValue(9);
        e.f(EditorField::Steam, 1)->clear();            // empty steam
        e.f(EditorField::Damper, 2)->setText("07");     // damper as typed
        e.typeAndLeave(e.f(EditorField::BakeTime, 2), QStringLiteral("15"));
        QTest::mouseClick(e.window.takeButton(), Qt::LeftButton);
        QVERIFY(e.window.isVisible()); // stays open for more
        QVERIFY(modified);
        QCOMPARE(list.text(9, 1), QStringLiteral("Vier"));
        QVERIFY(list.isEmpty(9, 5));
        QCOMPARE(list.text(9, 11), QStringLiteral("7"));
        QVERIFY(list.isNumber(9, 9) && list.number(9, 9) == 15.0);

        // Taken over by keyboard while still in a bake time field: its step runs first.
        modified = false;
        QLineEdit *bz1 = e.f(EditorField::BakeTime, 1);
        bz1->setFocus(Qt::MouseFocusReason);
        bz1->setText(QStringLiteral("0020"));
        QTest::keyClick(bz1, Qt::Key_B, Qt::AltModifier);
        QTRY_VERIFY(modified); // the accelerator clicks the button after its press animation
        QCOMPARE(bz1->text(), QStringLiteral("20"));
    }

    void refusedValuesAndUntakenEditsAreNotLost()
    {
        Editor e;
        ScriptedPrompter prompter;
        e.window.setPrompter(&prompter);
        int takenOver = 0;
        QObject::connect(&e.window, &ProgramEditorWindow::takenOver, &e.window, [&] { ++takenOver; });
        e.window.fill(4, QStringLiteral("Vier"), QStringList(23, QStringLiteral("10")));
        QVERIFY(e.show());
        QLineEdit *bz3 = e.f(EditorField::BakeTime, 3);
        e.typeAndLeave(bz3, QStringLiteral("-5"));
        QCOMPARE(bz3->text(), QStringLiteral("10"));
        QTRY_COMPARE(prompter.texts("inform"), QStringList{"Backzeit 3: \"-5\" ist kein gültiger Wert.\r\n"
                                                           "Erlaubt sind ganze Zahlen von 0 bis 1092 (Minuten)."});
        QCOMPARE(QApplication::focusWidget(), bz3); // to be typed again

        e.f(EditorField::TopHeat, 2)->setText(QStringLiteral("abc")); // never left through the focus
        e.window.TakeBtnClick();
        QCOMPARE(takenOver, 0);
        QVERIFY(prompter.shown.last().text.startsWith(QStringLiteral("Oberhitze 2: \"abc\" ist kein gültiger Wert.")));
        QCOMPARE(e.f(EditorField::TopHeat, 2)->text(), QStringLiteral("10"));

        // Closing with an edit not taken over asks; No keeps the window.
        e.window.prgName()->setText(QStringLiteral("Neu"));
        prompter.answers << PromptButton::No << PromptButton::Yes;
        e.window.closeButton()->click();
        QVERIFY(e.window.isVisible());
        QCOMPARE(prompter.shown.last().text, QStringLiteral("Das Backprogramm wurde verändert und nicht übernommen!\n\r"
                                                            "Sollen die Änderungen verworfen werden?"));
        e.window.close();
        QVERIFY(!e.window.isVisible());
        e.window.TakeBtnClick(); // taken over: nothing more to ask
        e.window.cancelButton()->click();
        QCOMPARE(prompter.texts("ask").size(), 2);
    }

    void closingOnlyHides()
    {
        Editor e;
        QPointer<ProgramEditorWindow> window(&e.window);
        for (QPushButton *button : {e.window.closeButton(), e.window.cancelButton()}) {
            QTimer::singleShot(0, button, [button] { button->click(); });
            QCOMPARE(e.window.showModal(), int(QDialog::Rejected));
            QVERIFY(window && !e.window.isVisible());
        }
        e.window.show();
        e.window.close();
        QVERIFY(window && !e.window.isVisible());
    }

    void debugpanelFillsAndChecks()
    {
        SheetModel list;
        setupProgramSheet(list);
        ScriptedPrompter prompter;
        ServicePanel panel;
        panel.attach(&list, &prompter);

        panel.defRecUp()->setChecked(true);
        panel.maxDefaultBox()->setValue(20);
        QTest::mouseClick(panel.createDefaultRec(), Qt::LeftButton);
        QCOMPARE(list.text(20, 1), QStringLiteral("Test________20"));
        QVERIFY(list.isEmpty(21, 1));

        const QColor normal = panel.checkDefaultRec()->palette().color(QPalette::ButtonText);
        list.setNumber(7, 24, 0);
        QTest::mouseClick(panel.checkDefaultRec(), Qt::LeftButton);
        QCOMPARE(prompter.shown.last().caption, QStringLiteral("Fehler"));
        QCOMPARE(prompter.shown.last().text, QStringLiteral("ACHTUNG FEHLER:\r\n07-24; \r\n"));
        QCOMPARE(panel.checkDefaultRec()->palette().color(QPalette::ButtonText), QColor(Qt::red));
        QTest::mouseClick(panel.createDefaultRec(), Qt::LeftButton);
        QTest::mouseClick(panel.checkDefaultRec(), Qt::LeftButton);
        QCOMPARE(panel.checkDefaultRec()->palette().color(QPalette::ButtonText), normal);
    }

    void printingPrograms10To20()
    {
        SheetModel list;
        setupProgramSheet(list);
        TestPatternOptions pattern;
        pattern.countUp = true;
        pattern.shortNames = true;
        fillTestPattern(list, pattern, 99);
        list.setSheetName(QStringLiteral("Backprogramme_Ofen_3"));
        AppState state;
        state.printScale = 0; // prints at the default, not at 10 %
        ScriptedPrompter prompter;

        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("programme.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QVERIFY(printPrograms(list, QStringLiteral("Backprogramme_Ofen_3"), 10, 20, state, prompter, nullptr, &printer));
        QCOMPARE(list.sheetName(), QStringLiteral("Backprogramme_Ofen_3"));
        QCOMPARE(list.printScale(), 80);
        QCOMPARE(prompter.texts(QStringLiteral("window")), QStringList{QStringLiteral("Fenster \"Backprogramme\" wird gedruckt")});

        const QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY2(text.contains(QStringLiteral("Backprogramme_Ofen_3        ")), qPrintable(text));
        for (int n = 10; n <= 20; ++n)
            QVERIFY2(text.contains(QStringLiteral("Test%1").arg(n)), qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("Test09")));
        QVERIFY(!text.contains(QStringLiteral("Test21")));
        for (const char *heading : {"Nr.", "Name", "OH1", "BZ5"})
            QVERIFY2(text.contains(QLatin1String(heading)), heading);

        const QString info = run(QStringLiteral("pdfinfo"), {pdf});
        const QRegularExpressionMatch size =
            QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+)")).match(info);
        QVERIFY2(size.hasMatch(), qPrintable(info));
        QVERIFY(size.captured(1).toDouble() > size.captured(2).toDouble()); // landscape
    }

};

QTEST_MAIN(TestUiProgramEditor)
#include "tst_ui_programeditor.moc"
