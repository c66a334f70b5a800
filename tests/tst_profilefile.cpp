// Ini files with Windows profile semantics: exact bytes after an edit, keys in any case,
// blanks trimmed, other lines kept, hostile files.

#include "shell/profilefile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace torvel;

class TestProfileFile : public QObject
{
    Q_OBJECT
private slots:
    void readsKeysInAnyCaseWithBlanksAround_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("exact") << "Phase1" << "OH" << "00230";
        QTest::newRow("key with blank in file") << "phase1" << "oh" << "00230";
        QTest::newRow("upper key") << "PHASE1" << "SCH" << "00010";
        QTest::newRow("mixed case key") << "Phase1" << "Sch" << "00010";
        QTest::newRow("section with blanks") << "Programm" << "Name" << "Brötchen";
        QTest::newRow("missing key") << "Phase1" << "ABZ" << "fallback";
        QTest::newRow("missing section") << "Phase9" << "OH" << "fallback";
        QTest::newRow("quoted") << "Programm" << "Text" << "a b";
        QTest::newRow("not before the first section") << "" << "Vorspann" << "fallback";
    }
    void readsKeysInAnyCaseWithBlanksAround()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        const QByteArray content = "Vorspann=1\r\n[ Programm ]\r\nName=Br\xF6tchen\r\nText = \"a b\" \r\n"
                                   "[Phase1]\r\nOH =00230\r\nSCH=00010\r\n";
        ProfileFile ini(content);
        QCOMPARE(ini.value(section, key, "fallback"), value);
    }

    void oneKeyIsRewrittenInPlace()
    {
        ProfileFile ini(QByteArray("; Kommentar\r\n[A]\r\nx=1\r\ny = 2\r\n\r\n[B]\r\nz=3\r\n"));
        ini.setValue("a", "Y", "5");
        QCOMPARE(ini.content(), QByteArray("; Kommentar\r\n[A]\r\nx=1\r\nY=5\r\n\r\n[B]\r\nz=3\r\n"));
    }

    void newKeysGoToTheEndOfTheirSection()
    {
        ProfileFile ini(QByteArray("[A]\r\nx=1\r\n\r\n[B]\r\nz=3\r\n"));
        ini.setValue("A", "w", "0");
        ini.setValue("C", "k", "v");
        QCOMPARE(ini.content(), QByteArray("[A]\r\nx=1\r\nw=0\r\n\r\n[B]\r\nz=3\r\n[C]\r\nk=v\r\n"));
        QCOMPARE(ini.keys("a"), (QStringList{"x", "w"}));
    }

    void textIsWindows1252WithCrLf()
    {
        ProfileFile ini;
        ini.setValue("BEREITSCHAFT", "So1", QString::fromUtf8("05:30 ü€"));
        QCOMPARE(ini.content(), QByteArray("[BEREITSCHAFT]\r\nSo1=05:30 \xFC\x80\r\n"));
        ProfileFile lf(QByteArray("[S]\nk=v\n"));
        QCOMPARE(lf.value("s", "K"), QStringLiteral("v"));
    }

    void filesRoundTripAndMissingFilesReadEmpty()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath("t.ini");
        ProfileFile ini;
        QVERIFY(ini.load(name));
        QVERIFY(ini.lines().isEmpty());
        ini.setValue("S", "k", "v");
        QVERIFY(ini.save(name));
        ProfileFile back;
        QVERIFY(back.load(name));
        QCOMPARE(back.value("s", "k"), QStringLiteral("v"));
        QString error;
        QVERIFY(!ini.save(dir.path(), &error)); // a folder
        QVERIFY(error.startsWith("Datei kann nicht geschrieben werden: "));
        QVERIFY(!back.load(dir.path(), &error));
        QCOMPARE(error, QStringLiteral("Datei kann nicht gelesen werden: ") + dir.path());
    }

    void garbageIsNoSection()
    {
        static const char raw[] = "\x00\xFF[\r\n[unclosed\r\n=novalue\r\n]x[\r\n";
        ProfileFile ini(QByteArray(raw, sizeof(raw) - 1));
        QVERIFY(!ini.hasSection("unclosed"));
        QCOMPARE(ini.value("", ""), QString());
        ini.setValue("S", "k", "v");
        QCOMPARE(ini.value("S", "k"), QStringLiteral("v"));
    }
};

QTEST_GUILESS_MAIN(TestProfileFile)
#include "tst_profilefile.moc"
