// The desktop program as it starts, with its own wiring and its real main window: the start-up
// options reach the engine, the port window switches the line, quitting asks about a modified
// list.

#include "desktopprogram.h"

#include "bakeprog/ui/programlistwindow.h"
#include "shell/ui/mainwindow.h"
#include "shell/ui/portwindow.h"

#include <QAction>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace torvel;

namespace {
void trigger(MainWindow &frame, const QString &text)
{
    for (QAction *a : frame.findChildren<QAction *>())
        if (a->text() == text)
            return a->trigger();
}

// Answers the next message box with the button of this text.
void answerNextBox(const QString &button)
{
    QTimer::singleShot(0, [button] {
        for (QAbstractButton *b : qobject_cast<QMessageBox *>(QApplication::activeModalWidget())->buttons())
            if (b->text() == button)
                b->click();
    });
}
} // namespace

class TestUiDesktop : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase() { qputenv("TORVEL_SETTINGS", QFile::encodeName(m_dir.filePath("settings.ini"))); }

    void addtoReachesTheEngineAndThePortWindowSwitchesTheLine()
    {
        DesktopProgram program({QStringLiteral("ADDTO=250"), QStringLiteral("--port"), QStringLiteral("SIM")});
        QCOMPARE(program.link().transport()->displayName(), QStringLiteral("SIM"));
        QCOMPARE(program.link().engine().effectiveTimeout(50), 300);

        trigger(program.mainForm(), QStringLiteral("Schnittstelle wählen..."));
        auto *port = qobject_cast<PortWindow *>(program.mainForm().openWindow(ChildWindow::Port));
        QVERIFY(port);
        port->comBox()->setEditText(QStringLiteral("/dev/ttyOfen9"));
        port->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
        QCOMPARE(program.link().transport()->displayName(), QStringLiteral("/dev/ttyOfen9"));
        QCOMPARE(program.link().engine().effectiveTimeout(50), 300); // the option stays with the new port
        QCOMPARE(program.settings().portText(), QStringLiteral("/dev/ttyOfen9"));
    }

    void quittingAsksAboutAModifiedList()
    {
        DesktopProgram program({QStringLiteral("--port"), QStringLiteral("SIM")});
        MainWindow &frame = program.mainForm();
        frame.show();
        trigger(frame, QStringLiteral("Backprogramme..."));
        auto *list = qobject_cast<ProgramListWindow *>(frame.openWindow(ChildWindow::BakeProgramList));
        QVERIFY(list);
        list->setRecordModified(true);
        answerNextBox(QStringLiteral("&Nein"));
        QVERIFY(!frame.close());
        QVERIFY(frame.isVisible() && list->isVisible());
        answerNextBox(QStringLiteral("&Ja"));
        QVERIFY(frame.close());
    }
};

QTEST_MAIN(TestUiDesktop)
#include "tst_ui_desktop.moc"
