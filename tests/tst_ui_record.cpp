// The page "Torvel komplett lesen/schreiben": a whole record read from one simulated oven,
// saved, opened again and sent to another, through the page's buttons.

#include "simline.h"
#include "testsupport/linerig.h"
#include "torvel2/recordfile.h"
#include "torvel2/ui/recordpage.h"
#include "torvel2/ui/torvel2context.h"
#include "torvel2/ui/torvel2window.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace torvel;

class TestUiRecord : public QObject
{
    Q_OBJECT

private slots:
    void readSaveOpenSend()
    {
        QTemporaryDir dir;
        test::LineRig rig;
        rig.state.serviceMode = true;
        rig.state.setSelectedOven(7);
        rig.line->controller(3).version() = {410, 30, 99};
        Torvel2Window window(&rig.state, &rig.link, &rig.prompter);
        Torvel2Context &ctx = window.context();
        ctx.setLogFolder(dir.path());
        const QString file = dir.filePath("ofen7.vtr");
        ctx.saveFileDialog = [&](const QString &filter, const QString &) {
            return filter == QStringLiteral("Neuer Torvel-Record VKS (*.vtr)") ? file : QString();
        };
        ctx.openFileDialog = ctx.saveFileDialog;
        auto *page = window.findChild<RecordPage *>();
        window.findChild<QTabWidget *>()->setCurrentWidget(page); // the user is on the page
        auto *actAction = page->findChild<QLabel *>(QStringLiteral("ActAction"));
        auto *abbruch = page->findChild<QPushButton *>(QStringLiteral("AbbruchButton"));
        auto *read = page->findChild<QPushButton *>(QStringLiteral("TorvelRecRead"));

        page->SaveTorvelRecClick();
        QCOMPARE(rig.prompter.texts("inform"), QStringList{"Bitte erst Torvelrecord lesen oder öffnen!"});
        rig.prompter.shown.clear();

        bool openDuringRead = false;
        rig.onFrame = [&](const QByteArray &) {
            openDuringRead = openDuringRead || (abbruch->isEnabled() && !read->isEnabled() && rig.state.transferActive());
        };
        read->click();
        QVERIFY(openDuringRead);
        QVERIFY(!abbruch->isEnabled() && read->isEnabled());
        QCOMPARE(actAction->text(), QStringLiteral("Torvelrecord gelesen!"));
        QVERIFY(rig.prompter.texts("inform").last().startsWith(QStringLiteral("Torvelrecord  gelesen.\r\n\r\n")));
        page->findChild<QPushButton *>(QStringLiteral("SaveTorvelRec"))->click();
        QVERIFY(QFile::exists(file));

        ctx.record() = TorvelRecord{};
        page->findChild<QPushButton *>(QStringLiteral("LoadTorvelRec"))->click();
        QCOMPARE(actAction->text(), QStringLiteral("Torvelrecord geladen!"));
        QCOMPARE(ctx.record().configuration.version, QStringLiteral("4.10 r30"));

        rig.state.setSelectedOven(3);
        rig.frames.clear();
        page->findChild<QPushButton *>(QStringLiteral("TorvelRecSend"))->click();
        QCOMPARE(rig.frames.first(), QByteArray::fromHex("05 9E"));
        QVERIFY(rig.prompter.texts("inform").last().startsWith(QStringLiteral("Torvelrecord  übertragen.\r\n\r\n")));
        QCOMPARE(actAction->text(), QStringLiteral("Torvelrecord übertragen!"));
        QCOMPARE(rig.line->controller(3).programs().nameBytes(1), rig.line->controller(7).programs().nameBytes(1));
        QVERIFY(!rig.state.transferActive());
        QVERIFY(!rig.state.abortFlag);

        // A file that is no record (opened all the same past the CRC question) leaves the
        // record on screen as it was, and the status line says so.
        QSignalSpy outcomes(&rig.state, &AppState::outcomeReported);
        const QString bad = dir.filePath("kein.vtr");
        QFile badFile(bad);
        QVERIFY(badFile.open(QIODevice::WriteOnly));
        badFile.write("kein Torvelrecord\r\n");
        badFile.close();
        ctx.openFileDialog = [&](const QString &, const QString &) { return bad; };
        rig.prompter.answers.enqueue(PromptButton::Yes);
        page->findChild<QPushButton *>(QStringLiteral("LoadTorvelRec"))->click();
        QCOMPARE(rig.prompter.texts("inform").last(), QStringLiteral("Fehler beim Laden des Torvelrecords!"));
        QVERIFY(!ctx.record().NoRecordLoaded);
        QCOMPARE(ctx.record().configuration.version, QStringLiteral("4.10 r30"));
        QCOMPARE(actAction->text(), QStringLiteral("Torvelrecord übertragen!"));
        QCOMPARE(outcomes.last().first().toString(),
                 QStringLiteral("Torvelrecord nicht geöffnet, der bisherige bleibt: ") + bad);
    }
};

QTEST_MAIN(TestUiRecord)
#include "tst_ui_record.moc"
