// The grid model and its workbook files: round trips through our writer, a file from
// another writer, atomic saving, and damaged or hostile files that must leave the grid alone.

#include "shell/sheetmodel.h"
#include "shell/workbookdata.h"
#include "shell/workbookfile.h"
#include "shell/workbookreader.h"
#include "shell/workbookwriter.h"
#include "testsupport/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <unzip.h>
#include <zip.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>

using namespace torvel;
using torvel::test::readFile;
using torvel::test::writeFile;

namespace {

struct Part
{
    QString name;
    QByteArray data;
};

const QByteArray kMainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const QByteArray kRelNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
const QByteArray kPackageRelNs = "http://schemas.openxmlformats.org/package/2006/relationships";

QByteArray relation(const QByteArray &id, const QByteArray &type, const QByteArray &target)
{
    return "<Relationship Id=\"" + id + "\" Type=\"" + kRelNs + "/" + type + "\" Target=\"" + target + "\"/>";
}

QByteArray relations(const QByteArray &items)
{
    return "<Relationships xmlns=\"" + kPackageRelNs + "\">" + items + "</Relationships>";
}

QByteArray workbookXml(const QByteArray &sheetName = "Blatt", const QByteArray &extra = QByteArray())
{
    return "<workbook xmlns=\"" + kMainNs + "\" xmlns:r=\"" + kRelNs + "\"><sheets><sheet name=\"" + sheetName
        + "\" sheetId=\"1\" r:id=\"rId1\"/></sheets>" + extra + "</workbook>";
}

QByteArray sheetXml(const QByteArray &rows, const QByteArray &before = QByteArray(),
                    const QByteArray &after = QByteArray())
{
    return "<worksheet xmlns=\"" + kMainNs + "\">" + before + "<sheetData>" + rows + "</sheetData>" + after
        + "</worksheet>";
}

QByteArray sharedXml(const QByteArray &items)
{
    return "<sst xmlns=\"" + kMainNs + "\">" + items + "</sst>";
}

// A workbook as small as a reader may expect, built part by part.
QList<Part> handBook(const QByteArray &sheet, const QByteArray &shared = QByteArray(),
                     const QByteArray &workbook = workbookXml())
{
    QByteArray rels = relation("rId1", "worksheet", "worksheets/sheet1.xml");
    QList<Part> parts{
        {QStringLiteral("_rels/.rels"), relations(relation("rId1", "officeDocument", "xl/workbook.xml"))},
        {QStringLiteral("xl/workbook.xml"), workbook},
        {QStringLiteral("xl/worksheets/sheet1.xml"), sheet},
    };
    if (!shared.isEmpty()) {
        rels += relation("rId2", "sharedStrings", "sharedStrings.xml");
        parts.append({QStringLiteral("xl/sharedStrings.xml"), shared});
    }
    parts.append({QStringLiteral("xl/_rels/workbook.xml.rels"), relations(rels)});
    return parts;
}

bool writeZip(const QString &path, const QList<Part> &parts)
{
    zipFile zip = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
    if (!zip)
        return false;
    bool good = true;
    for (const Part &part : parts) {
        zip_fileinfo info = {};
        const QByteArray name = part.name.toUtf8();
        good = good
            && zipOpenNewFileInZip64(zip, name.constData(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                     Z_DEFAULT_COMPRESSION, 0) == ZIP_OK
            && zipWriteInFileInZip(zip, part.data.constData(), unsigned(part.data.size())) == ZIP_OK
            && zipCloseFileInZip(zip) == ZIP_OK;
    }
    return zipClose(zip, nullptr) == ZIP_OK && good;
}

QByteArray zipBytes(const QList<Part> &parts)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("book.xlsx"));
    return writeZip(path, parts) ? readFile(path) : QByteArray();
}

// An archive whose sheet part says it inflates to 1000 bytes but holds far more:
// the compressed bytes are copied over raw, with a false size in the directory.
QByteArray lyingSizeBook(const QByteArray &sheet)
{
    QTemporaryDir dir;
    const QString honest = dir.filePath(QStringLiteral("honest.xlsx"));
    const QString liar = dir.filePath(QStringLiteral("liar.xlsx"));
    if (!writeZip(honest, handBook(sheet)))
        return QByteArray();

    unzFile source = unzOpen64(QFile::encodeName(honest).constData());
    zipFile target = zipOpen64(QFile::encodeName(liar).constData(), APPEND_STATUS_CREATE);
    for (int more = unzGoToFirstFile(source); more == UNZ_OK; more = unzGoToNextFile(source)) {
        char name[256];
        unz_file_info64 info;
        unzGetCurrentFileInfo64(source, &info, name, sizeof name, nullptr, 0, nullptr, 0);
        int method = 0;
        int level = 0;
        unzOpenCurrentFile2(source, &method, &level, 1);
        QByteArray raw(qsizetype(info.compressed_size), '\0');
        unzReadCurrentFile(source, raw.data(), unsigned(raw.size()));
        unzCloseCurrentFile(source);

        zip_fileinfo newInfo = {};
        zipOpenNewFileInZip2(target, name, &newInfo, nullptr, 0, nullptr, 0, nullptr, method, level, 1);
        zipWriteInFileInZip(target, raw.constData(), unsigned(raw.size()));
        const bool sheetPart = QByteArray(name).endsWith("sheet1.xml");
        zipCloseFileInZipRaw(target, sheetPart ? 1000 : uLong(info.uncompressed_size), uLong(info.crc));
    }
    zipClose(target, nullptr);
    unzClose(source);
    return readFile(liar);
}

QString cellText(const QVariant &value)
{
    if (value.typeId() == QMetaType::Double)
        return QStringLiteral("N:") + QString::number(value.toDouble(), 'g', 17);
    return QStringLiteral("T:") + value.toString();
}

QString describeCells(const SheetModel::Cells &cells)
{
    QStringList out;
    for (auto it = cells.cbegin(); it != cells.cend(); ++it)
        out << QStringLiteral("%1,%2=%3").arg(it.key().first).arg(it.key().second).arg(cellText(it.value()));
    return out.join(QLatin1Char('|'));
}

QString describeCells(const WorkbookData &data)
{
    SheetModel::Cells cells;
    for (const WorkbookCell &cell : data.cells)
        cells.insert({cell.row, cell.col}, cell.value);
    return describeCells(cells);
}

// Everything a load may touch, in one comparable string.
QString describeModel(const SheetModel &model)
{
    const QRect a = model.printArea();
    return QString::asprintf("%dx%d landscape=%d scale=%d area=%d,%d,%d,%d headings=%d ", model.maxRow(),
                             model.maxCol(), model.landscape(), model.printScale(), a.left(), a.top(), a.right(),
                             a.bottom(), model.printHeadings())
           + model.sheetName() + describeCells(model.cells());
}

void fillSample(SheetModel &model)
{
    model.setMaxRow(20);
    model.setMaxCol(6);
    model.setSheetName(QStringLiteral("Vorher"));
    model.setText(1, 1, QStringLiteral("bleibt"));
    model.setNumber(2, 3, 42.0);
    model.setLandscape(true);
    model.setPrintScale(90);
    model.setPrintArea(SheetModel::range(1, 1, 2, 3));
}

QStringList folderEntries(const QString &path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                QDir::Name);
}

// Compiles a locale "komma" into `folder` whose only setting is a decimal comma, from a source
// and an ASCII character map written here; localedef is glibc's own tool.
bool makeCommaLocale(const QString &folder)
{
    QByteArray charmap = "<code_set_name> TORVEL-ASCII\n<escape_char> /\nCHARMAP\n";
    for (int c = 0; c < 128; ++c) {
        const QByteArray code = QByteArray::number(c, 16).rightJustified(2, '0');
        charmap += "<U00" + code.toUpper() + "> /x" + code + "\n";
    }
    charmap += "END CHARMAP\n";
    const QByteArray source = "LC_NUMERIC\ndecimal_point \"<U002C>\"\nthousands_sep \"\"\ngrouping -1\nEND LC_NUMERIC\n";
    if (!writeFile(folder + QStringLiteral("/charmap"), charmap)
        || !writeFile(folder + QStringLiteral("/komma.src"), source))
        return false;
    QProcess localedef; // warns about the categories left out: its output is not wanted
    localedef.start(QStringLiteral("localedef"), {QStringLiteral("--no-archive"), QStringLiteral("-c"), QStringLiteral("-f"),
                                                  folder + QStringLiteral("/charmap"), QStringLiteral("-i"),
                                                  folder + QStringLiteral("/komma.src"), folder + QStringLiteral("/komma")});
    localedef.waitForFinished(30000);
    return QFileInfo::exists(folder + QStringLiteral("/komma/LC_NUMERIC"));
}

QString message(const char *prefix, const QString &path)
{
    return QString::fromUtf8(prefix) + QDir::toNativeSeparators(path);
}

} // namespace

class TstWorkbook : public QObject
{
    Q_OBJECT

private slots:
    void numbersShowLikeASpreadsheet_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("integer") << 60.0 << QStringLiteral("60");
        QTest::newRow("fraction") << 2.5 << QStringLiteral("2.5");
        QTest::newRow("third") << 1.0 / 3.0 << QStringLiteral("0.333333333333333");
        QTest::newRow("sum noise") << 0.1 + 0.2 << QStringLiteral("0.3");
        QTest::newRow("huge") << 1e20 << QStringLiteral("1E+20");
        QTest::newRow("tiny") << 1e-7 << QStringLiteral("1E-07");
    }

    void numbersShowLikeASpreadsheet()
    {
        QFETCH(double, value);
        QFETCH(QString, shown);
        SheetModel model;
        QVERIFY(model.setNumber(3, 4, value));
        QCOMPARE(model.text(3, 4), shown);
        QVERIFY(model.isNumber(3, 4) && model.number(3, 4) == value);
    }

    void cellsOutsideAreRefused()
    {
        SheetModel model;
        model.setMaxRow(10);
        model.setMaxCol(5);
        QVERIFY(!model.setText(0, 1, QStringLiteral("x")));
        QVERIFY(!model.setText(11, 1, QStringLiteral("x")));
        QVERIFY(!model.setNumber(1, 6, 1.0));
        QVERIFY(!model.setNumber(1, 1, std::numeric_limits<double>::quiet_NaN()));
        QVERIFY(!model.setText(1, 1, QString(SheetModel::kTextLimit + 1, QLatin1Char('a'))));
        QVERIFY(model.setText(1, 1, QString(SheetModel::kTextLimit, QLatin1Char('a'))));
        QVERIFY(!model.setCell(2, 2, QVariant(QRect(1, 1, 1, 1))));
        QVERIFY(model.setText(10, 5, QStringLiteral("Ecke")));
        QVERIFY(model.setText(10, 5, QString())); // an empty text empties the cell
        QVERIFY(!model.cell(10, 5).isValid());
        QCOMPARE(model.cellCount(), 1);
        // A number typed as text stays a text but reads as a number.
        model.setText(2, 2, QStringLiteral(" 2.5 "));
        bool ok = false;
        QCOMPARE(model.number(2, 2, &ok), 2.5);
        QVERIFY(ok && !model.isNumber(2, 2));
    }

    void roundTripCell_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("text") << 1 << 1 << QVariant(QStringLiteral("Weißbrot"));
        QTest::newRow("integer") << 5 << 2 << QVariant(60.0);
        QTest::newRow("text like a number") << 9 << 1 << QVariant(QStringLiteral("60"));
        QTest::newRow("markup characters") << 11 << 1 << QVariant(QStringLiteral("<a & \"b\">'"));
        QTest::newRow("longest text") << 11 << 2 << QVariant(QString(SheetModel::kTextLimit, QLatin1Char('w')));
        QTest::newRow("last cell of the grid") << SheetModel::kRowLimit << SheetModel::kColLimit
                                               << QVariant(QStringLiteral("Ende"));
    }

    void roundTripCell()
    {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QVariant, value);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("zelle.REC"));

        SheetModel saved;
        saved.setMaxRow(SheetModel::kRowLimit);
        QVERIFY(saved.setCell(row, col, value));
        QString error;
        QVERIFY2(saveWorkbook(saved, path, &error), qPrintable(error));

        SheetModel loaded; // smaller than the file: the load grows it
        QVERIFY2(loadWorkbook(path, loaded, &error), qPrintable(error));
        QCOMPARE(loaded.cellCount(), 1);
        QCOMPARE(loaded.cell(row, col).typeId(), value.typeId());
        QCOMPARE(loaded.cell(row, col), value);
        QCOMPARE(loaded.text(row, col), saved.text(row, col));
    }

    void roundTripWholeGrid()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("programme.REC"));
        SheetModel saved;
        saved.setMaxRow(40);
        saved.setMaxCol(12);
        for (int row = 1; row <= 40; row += 3) {
            saved.setText(row, 1, QStringLiteral("Programm %1 – Größe").arg(row));
            saved.setNumber(row, 2, row * 10);
            saved.setNumber(row, 4, -row / 4.0);
            saved.setText(row, 12, QString::number(row));
        }
        QString error;
        QVERIFY2(saveWorkbook(saved, path, &error), qPrintable(error));

        SheetModel loaded;
        loaded.setMaxRow(40);
        loaded.setMaxCol(12);
        loaded.setText(2, 2, QStringLiteral("old content goes"));
        QSignalSpy changed(&loaded, &SheetModel::cellsChanged);
        QVERIFY2(loadWorkbook(path, loaded, &error), qPrintable(error));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(describeCells(loaded.cells()), describeCells(saved.cells())); // the old content went
        QCOMPARE(folderEntries(dir.path()), QStringList{QStringLiteral("programme.REC")}); // no scratch files
    }

    void roundTripSheetNameAndPrintSettings_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("loadedName");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<int>("scale");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<bool>("headings");
        QTest::newRow("defaults") << QStringLiteral("Nachtstart Brötchen") << QStringLiteral("Nachtstart Brötchen")
                                  << false << 100 << QRect() << false;
        QTest::newRow("everything") << "Liste 1/2" << "Liste 1_2" << true << 150 << SheetModel::range(1, 2, 30, 5)
                                    << true;
        QTest::newRow("long name, one cell") << QStringLiteral("Ofen 1 – Backprogramme für die Nacht")
                                             << QStringLiteral("Ofen 1 – Backprogramme für die ") << false << 400
                                             << SheetModel::range(4, 4, 4, 4) << true;
    }

    void roundTripSheetNameAndPrintSettings()
    {
        QFETCH(QString, name);
        QFETCH(QString, loadedName);
        QFETCH(bool, landscape);
        QFETCH(int, scale);
        QFETCH(QRect, area);
        QFETCH(bool, headings);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("druck.REC"));
        SheetModel model;
        model.setSheetName(name);
        model.setNumber(3, 3, 1.0);
        model.setLandscape(landscape);
        model.setPrintScale(scale);
        model.setPrintArea(area);
        model.setPrintHeadings(headings);
        QString error;
        QVERIFY2(saveWorkbook(model, path, &error), qPrintable(error));
        QCOMPARE(model.sheetName(), name); // saving does not rename the grid

        SheetModel loaded;
        loaded.setLandscape(!landscape);
        loaded.setPrintScale(55);
        loaded.setPrintArea(SheetModel::range(7, 7, 8, 8));
        loaded.setPrintHeadings(!headings);
        QVERIFY2(loadWorkbook(path, loaded, &error), qPrintable(error));
        QCOMPARE(loaded.sheetName(), loadedName);
        QVERIFY(loaded.landscape() == landscape && loaded.printHeadings() == headings);
        QCOMPARE(loaded.printScale(), scale);
        QCOMPARE(loaded.printArea(), area);
    }

    // libxlsxwriter prints numbers through printf, which follows LC_NUMERIC: the test makes a
    // numeric locale with a decimal comma for itself, so it needs no locale installed.
    void numbersIgnoreTheUserLocale()
    {
        QTemporaryDir dir;
        QVERIFY2(makeCommaLocale(dir.path()), "localedef could not make the test locale");
        const QByteArray before = std::setlocale(LC_NUMERIC, nullptr);
        qputenv("LOCPATH", QFile::encodeName(dir.path()));
        const bool comma = std::setlocale(LC_NUMERIC, "komma") && QByteArray::number(std::strtod("2,5", nullptr)) == "2.5";
        const QString path = dir.filePath(QStringLiteral("komma.REC"));
        SheetModel model;
        model.setNumber(1, 1, 2.5);
        QString error;
        const bool saved = saveWorkbook(model, path, &error);
        std::setlocale(LC_NUMERIC, before.constData());
        qunsetenv("LOCPATH");
        QVERIFY(comma);
        QVERIFY2(saved, qPrintable(error));
        SheetModel loaded;
        QVERIFY2(loadWorkbook(path, loaded, &error), qPrintable(error));
        QCOMPARE(loaded.cell(1, 1), QVariant(2.5));
    }

    void failedWriteKeepsOldFile_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text");
        QTest::newRow("cell past any sheet") << 2000000 << QStringLiteral("x");
        QTest::newRow("text past the cell limit") << 1 << QString(40000, QLatin1Char('t'));
    }

    // Bad data that only the writer notices, half way through: nothing reaches the target.
    void failedWriteKeepsOldFile()
    {
        QFETCH(int, row);
        QFETCH(QString, text);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("alt.REC"));
        SheetModel model;
        model.setText(1, 1, QStringLiteral("alter Stand"));
        QString error;
        QVERIFY2(saveWorkbook(model, path, &error), qPrintable(error));
        const QByteArray old = readFile(path);
        const QStringList entries = folderEntries(dir.path());

        WorkbookData data = workbookDataFrom(model);
        data.cells.append(WorkbookCell{1, 2, 1.0});
        data.cells.append(WorkbookCell{row, 3, text});
        QVERIFY(!writeWorkbook(data, path, &error));
        QCOMPARE(error, message("Datei kann nicht geschrieben werden: ", path));
        QCOMPARE(readFile(path), old);
        QCOMPARE(folderEntries(dir.path()), entries);
    }

    // A folder where the file should be, or a folder that is missing: no user can write there.
    void unwritablePathsKeepWhatIsThere_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("folder in the way") << "ordner.REC";
        QTest::newRow("missing folder") << "fehlt/liste.NGT";
    }

    void unwritablePathsKeepWhatIsThere()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("ordner.REC")));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("ordner.REC/drin.txt")), "bleibt"));
        SheetModel model;
        model.setText(1, 1, QStringLiteral("x"));
        QString error;
        QVERIFY(!saveWorkbook(model, path, &error));
        QCOMPARE(error, message("Datei kann nicht geschrieben werden: ", path));
        QCOMPARE(readFile(dir.filePath(QStringLiteral("ordner.REC/drin.txt"))), QByteArray("bleibt"));
        QCOMPARE(folderEntries(dir.path()), QStringList{QStringLiteral("ordner.REC")});
    }

    void otherWriterFixture()
    {
        const QString path = QStringLiteral(TORVEL_TEST_DATA "/workbook/openpyxl.xlsx");
        SheetModel model;
        model.setMaxRow(10);
        model.setMaxCol(5);
        QString error;
        QVERIFY2(loadWorkbook(path, model, &error), qPrintable(error));
        QCOMPARE(model.sheetName(), QStringLiteral("Nachtstart Brötchen"));
        QCOMPARE(describeCells(model.cells()),
                 QStringLiteral("1,1=T:Programm|1,2=T:Temperatur|1,3=T:Zeit"
                                "|2,1=T:Weißbrot|2,2=N:230|2,3=N:45.5|2,4=N:1"
                                "|4,1=T:Brötchen äöüß|4,3=N:-12.25"
                                "|5,1=T:007|5,2=T:Roggenmischbrot |5,4=T:Weißbrot"
                                "|7,5=N:0.001|12,28=N:12"));
        QVERIFY(model.isEmpty(7, 6)); // formula without a cached value
        QVERIFY(model.landscape() && model.printHeadings() && model.printScale() == 80);
        QCOMPARE(model.printArea(), SheetModel::range(1, 1, 4, 3));
    }

    void readerVariants_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("sheetName");
        QTest::addColumn<QString>("cells");

        const QByteArray twoCells = sheetXml("<row r=\"2\"><c r=\"B2\"><v>7</v></c><c r=\"C2\" t=\"s\"><v>0</v></c></row>");
        const QByteArray oneString = sharedXml("<si><t>geteilt</t></si>");

        QTest::newRow("cells without reference")
            << zipBytes(handBook(sheetXml("<row><c t=\"inlineStr\"><is><t>a</t></is></c><c><v>2</v></c></row>"
                                          "<row r=\"3\"><c r=\"C3\"><v>1</v></c><c><v>4</v></c></row>"
                                          "<row><c r=\"B4\" t=\"n\"><v>5</v></c></row>")))
            << "Blatt" << "1,1=T:a|1,2=N:2|3,3=N:1|3,4=N:4|4,2=N:5";

        QTest::newRow("every cell kind")
            << zipBytes(handBook(sheetXml("<row r=\"1\">"
                                          "<c r=\"A1\" t=\"str\"><f>CONCAT(\"a\",\"b\")</f><v>ab</v></c>"
                                          "<c r=\"B1\" t=\"b\"><v>1</v></c>"
                                          "<c r=\"C1\" t=\"b\"><v>0</v></c>"
                                          "<c r=\"D1\" t=\"e\"><v>#DIV/0!</v></c>"
                                          "<c r=\"E1\" t=\"n\"><v>1.5E-3</v></c>"
                                          "<c r=\"F1\"><f>1+1</f><v>2</v></c>"
                                          "<c r=\"G1\" s=\"3\"/>"
                                          "<c r=\"H1\" t=\"inlineStr\"><is><r><t>fett</t></r><r><t xml:space=\"preserve\"> und dünn</t></r></is></c>"
                                          "<c r=\"I1\" t=\"s\"><v>1</v></c>"
                                          "<c r=\"J1\" t=\"s\"><v>2</v></c>"
                                          "</row>"),
                                 sharedXml("<si><t>eins</t></si><si><t>Zeile_x000D__x000A_zwei</t></si><si><t/></si>")))
            << "Blatt"
            << "1,1=T:ab|1,2=N:1|1,3=N:0|1,4=T:#DIV/0!|1,5=N:0.0015|1,6=N:2|1,8=T:fett und dünn"
               "|1,9=T:Zeile\r\nzwei";

        // The workbook part somewhere else, found through the package relationships.
        const QList<Part> moved{
            {QStringLiteral("_rels/.rels"), relations(relation("rId1", "officeDocument", "buch/haupt.xml"))},
            {QStringLiteral("buch/haupt.xml"), workbookXml(QByteArrayLiteral("Verschoben"))},
            {QStringLiteral("buch/_rels/haupt.xml.rels"),
             relations(relation("rId1", "worksheet", "../blaetter/eins.xml")
                       + relation("rId2", "sharedStrings", "texte.xml"))},
            {QStringLiteral("blaetter/eins.xml"), twoCells},
            {QStringLiteral("buch/texte.xml"), oneString},
        };
        QTest::newRow("other part names") << zipBytes(moved) << "Verschoben" << "2,2=N:7|2,3=T:geteilt";

        QTest::newRow("empty sheet") << zipBytes(handBook(sheetXml(QByteArray()))) << "Blatt" << "";
    }

    void readerVariants()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, sheetName);
        QFETCH(QString, cells);
        QVERIFY(!bytes.isEmpty());
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("fremd.REC"));
        QVERIFY(writeFile(path, bytes));
        WorkbookData data;
        QString error;
        QVERIFY2(readWorkbook(path, &data, &error), qPrintable(error));
        QCOMPARE(data.sheetName, sheetName);
        QCOMPARE(describeCells(data), cells);
    }

    void badFilesLeaveGridAlone_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("prefix");

        const QString invalid = QStringLiteral("Datei ist keine gültige Arbeitsmappe: ");
        const QString tooBig = QStringLiteral("Tabelle ist zu groß (höchstens 65536 Zeilen und 256 Spalten): ");
        const QString archiveTooBig = QStringLiteral("Arbeitsmappe ist zu groß: ");

        QByteArray good;
        {
            QTemporaryDir dir;
            const QString path = dir.filePath(QStringLiteral("gut.REC"));
            SheetModel model;
            for (int row = 1; row <= 50; ++row)
                model.setText(row, 1, QStringLiteral("Zeile %1 mit etwas Text").arg(row));
            saveWorkbook(model, path);
            good = readFile(path);
        }
        const QByteArray cell = "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>";

        const QString unreadable = QStringLiteral("Datei kann nicht gelesen werden: ");
        QTest::newRow("missing file") << QByteArray("<missing>") << unreadable;
        QTest::newRow("folder") << QByteArray("<dir>") << unreadable;
        QTest::newRow("empty file") << QByteArray() << invalid;
        QTest::newRow("truncated to half") << good.left(good.size() / 2) << invalid;
        QTest::newRow("zip without workbook")
            << zipBytes({{QStringLiteral("liesmich.txt"), "kein Arbeitsbuch"}}) << invalid;

        QList<Part> noSheetPart = handBook(sheetXml(cell));
        noSheetPart.removeAt(2);
        QTest::newRow("sheet part missing") << zipBytes(noSheetPart) << invalid;
        QList<Part> noRels = handBook(sheetXml(cell));
        noRels.removeLast();
        QTest::newRow("workbook relationships missing") << zipBytes(noRels) << invalid;
        QTest::newRow("malformed sheet") << zipBytes(handBook(sheetXml(cell).chopped(5))) << invalid;
        QTest::newRow("malformed shared strings")
            << zipBytes(handBook(sheetXml(cell), "<sst><si><t>offen</si></sst>")) << invalid;
        QTest::newRow("entity declarations")
            << zipBytes(handBook("<?xml version=\"1.0\"?><!DOCTYPE worksheet [<!ENTITY a \"aaaaaaaaaa\">"
                                 "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">]>"
                                 + sheetXml("<row r=\"1\"><c r=\"A1\" t=\"str\"><v>&b;</v></c></row>")))
            << invalid;
        QTest::newRow("shared string index past the table")
            << zipBytes(handBook(sheetXml("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>3</v></c></row>"),
                                 sharedXml("<si><t>nur einer</t></si>")))
            << invalid;
        QTest::newRow("number that is none")
            << zipBytes(handBook(sheetXml("<row r=\"1\"><c r=\"A1\"><v>zwölf</v></c></row>"))) << invalid;
        QTest::newRow("unknown cell type")
            << zipBytes(handBook(sheetXml("<row r=\"1\"><c r=\"A1\" t=\"q\"><v>1</v></c></row>"))) << invalid;
        QTest::newRow("bad cell reference")
            << zipBytes(handBook(sheetXml("<row r=\"1\"><c r=\"1A\"><v>1</v></c></row>"))) << invalid;
        QTest::newRow("huge dimension")
            << zipBytes(handBook(sheetXml(cell, "<dimension ref=\"A1:XFD1048576\"/>"))) << tooBig;
        QTest::newRow("row past the grid")
            << zipBytes(handBook(sheetXml("<row r=\"70000\"><c r=\"A70000\"><v>1</v></c></row>"))) << tooBig;

        // 65 MiB of blanks deflate to a few dozen KiB.
        QByteArray bomb = sheetXml(cell);
        bomb.insert(bomb.indexOf("<sheetData>"), QByteArray(65 * 1024 * 1024, ' '));
        QTest::newRow("part inflating past the cap") << zipBytes(handBook(bomb)) << archiveTooBig;
        QTest::newRow("part lying about its size") << lyingSizeBook(bomb) << invalid;
    }

    void badFilesLeaveGridAlone()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, prefix);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kaputt.REC"));
        if (bytes == "<dir>")
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("kaputt.REC")));
        else if (bytes != "<missing>")
            QVERIFY(writeFile(path, bytes));

        SheetModel model;
        fillSample(model);
        const QString before = describeModel(model);
        QSignalSpy changed(&model, &SheetModel::cellsChanged);
        QSignalSpy renamed(&model, &SheetModel::sheetNameChanged);
        QString error;
        QVERIFY(!loadWorkbook(path, model, &error));
        QCOMPARE(error, prefix + QDir::toNativeSeparators(path));
        QCOMPARE(describeModel(model), before);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(renamed.count(), 0);
        if (!bytes.startsWith('<'))
            QCOMPARE(readFile(path), bytes); // reading never writes
    }
};

QTEST_GUILESS_MAIN(TstWorkbook)
#include "tst_workbook.moc"
