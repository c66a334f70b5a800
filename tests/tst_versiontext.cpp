// The version text: "major.minor.release [Build n]", and "0.0.0.0" when the build carries
// no usable version.

#include "shell/versiontext.h"

#include <QTest>

using namespace torvel;

class TestVersionText : public QObject
{
    Q_OBJECT

private slots:
    void fromVersionAndBuild_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("build");
        QTest::addColumn<QString>("expected");

        QTest::newRow("first release") << "1.0.0" << 0 << "1.0.0 [Build 0]";
        QTest::newRow("two digits") << "2.13.7" << 42 << "2.13.7 [Build 42]";
        QTest::newRow("leading zero") << "01.2.03" << 5 << "1.2.3 [Build 5]";
        QTest::newRow("large build") << "3.1.4" << 1234567 << "3.1.4 [Build 1234567]";
        QTest::newRow("empty") << "" << 3 << "0.0.0.0";
        QTest::newRow("two parts") << "1.0" << 1 << "0.0.0.0";
        QTest::newRow("four parts") << "1.0.0.4" << 1 << "0.0.0.0";
        QTest::newRow("letters") << "1.a.0" << 1 << "0.0.0.0";
        QTest::newRow("empty part") << "1..0" << 1 << "0.0.0.0";
        QTest::newRow("sign") << "-1.0.0" << 1 << "0.0.0.0";
        QTest::newRow("blank before") << " 1.0.0" << 1 << "0.0.0.0";
        QTest::newRow("blank after") << "1.0.0 " << 1 << "0.0.0.0";
        QTest::newRow("suffix") << "1.0.0-rc1" << 1 << "0.0.0.0";
        QTest::newRow("too big") << "1.0.99999999999" << 1 << "0.0.0.0";
    }

    void fromVersionAndBuild()
    {
        QFETCH(QString, version);
        QFETCH(int, build);
        QFETCH(QString, expected);
        QCOMPARE(versionTextFrom(version, build), expected);
    }

    void thisBuild()
    {
        const QString expected = QStringLiteral(TORVEL_VERSION_STRING " [Build %1]").arg(TORVEL_BUILD_NUMBER);
        QCOMPARE(applicationVersionText(), expected);
        QVERIFY(applicationVersionText() != QLatin1String("0.0.0.0"));
    }
};

QTEST_GUILESS_MAIN(TestVersionText)
#include "tst_versiontext.moc"
