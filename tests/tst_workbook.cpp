// The grid model and its workbook files: round trips through our writer, a file from
// another writer, atomic saving, and damaged or hostile files that must leave the grid alone.

#include "shell/sheetmodel.h"
#include "shell/workbookdata.h"
#include "shell/workbookfile.h"
#include "shell/workbookreader.h"
#include "shell/workbookrefs.h"
#include "shell/workbookwriter.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <unzip.h>
#include <zip.h>

#include <clocale>
#include <cmath>
#include <limits>

using namespace torvel;

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

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray zipBytes(const QList<Part> &parts)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("book.xlsx"));
    return writeZip(path, parts) ? readBytes(path) : QByteArray();
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
    return readBytes(liar);
}

// Flips bytes inside the compressed sheet part of a saved workbook.
QByteArray corruptSheetData(QByteArray bytes)
{
    const qsizetype name = bytes.indexOf("xl/worksheets/sheet1.xml");
    if (name < 30)
        return QByteArray();
    const qsizetype header = name - 30;
    const int nameLength = quint8(bytes[header + 26]) | quint8(bytes[header + 27]) << 8;
    const int extraLength = quint8(bytes[header + 28]) | quint8(bytes[header + 29]) << 8;
    const qsizetype data = header + 30 + nameLength + extraLength;
    for (qsizetype i = data + 4; i < data + 40 && i < bytes.size(); ++i)
        bytes[i] = char(bytes[i] ^ 0x5a);
    return bytes;
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
    const QRect area = model.printArea();
    return QStringLiteral("%1 %2x%3 landscape=%4 scale=%5 area=%6,%7,%8,%9 headings=%10 [%11]")
        .arg(model.sheetName())
        .arg(model.maxRow())
        .arg(model.maxCol())
        .arg(model.landscape())
        .arg(model.printScale())
        .arg(area.left())
        .arg(area.top())
        .arg(area.right())
        .arg(area.bottom())
        .arg(model.printHeadings())
        .arg(describeCells(model.cells()));
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

QString message(const char *prefix, const QString &path)
{
    return QString::fromUtf8(prefix) + QDir::toNativeSeparators(path);
}

} // namespace

class TstWorkbook : public QObject
{
    Q_OBJECT

private slots:
    // The grid model
    void numbersShowLikeASpreadsheet_data();
    void numbersShowLikeASpreadsheet();
    void cellsOutsideAreRefused();
    void numberReadsNumericText();
    void shrinkingDropsWhatNoLongerFits();
    void cellChangesAreSignalled();
    void cursorSelectionAndPrintSettings();

    // References and names
    void cellReferences_data();
    void cellReferences();
    void sheetNames_data();
    void sheetNames();

    // Our files
    void roundTripCell_data();
    void roundTripCell();
    void roundTripWholeGrid();
    void roundTripSheetName_data();
    void roundTripSheetName();
    void roundTripPrintSettings_data();
    void roundTripPrintSettings();
    void extensionDoesNotMatter_data();
    void extensionDoesNotMatter();
    void loadGrowsTheGrid();
    void numbersIgnoreTheUserLocale();

    // Saving is all or nothing
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void saveOntoFolderFails();
    void saveIntoMissingFolderFails();
    void saveIntoReadOnlyFolderFails();

    // Files from elsewhere
    void otherWriterFixture();
    void readerVariants_data();
    void readerVariants();
    void badFilesLeaveGridAlone_data();
    void badFilesLeaveGridAlone();
    void unreadablePathsLeaveGridAlone_data();
    void unreadablePathsLeaveGridAlone();
};

void TstWorkbook::numbersShowLikeASpreadsheet_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("integer") << 60.0 << QStringLiteral("60");
    QTest::newRow("fraction") << 2.5 << QStringLiteral("2.5");
    QTest::newRow("negative") << -17.25 << QStringLiteral("-17.25");
    QTest::newRow("zero") << 0.0 << QStringLiteral("0");
    QTest::newRow("minus zero") << -0.0 << QStringLiteral("0");
    QTest::newRow("small") << 0.001 << QStringLiteral("0.001");
    QTest::newRow("third") << 1.0 / 3.0 << QStringLiteral("0.333333333333333");
    QTest::newRow("sum noise") << 0.1 + 0.2 << QStringLiteral("0.3");
    QTest::newRow("large") << 123456789012.0 << QStringLiteral("123456789012");
    QTest::newRow("huge") << 1e20 << QStringLiteral("1E+20");
    QTest::newRow("tiny") << 1e-7 << QStringLiteral("1E-07");
}

void TstWorkbook::numbersShowLikeASpreadsheet()
{
    QFETCH(double, value);
    QFETCH(QString, shown);
    SheetModel model;
    QVERIFY(model.setNumber(3, 4, value));
    QCOMPARE(model.text(3, 4), shown);
    QVERIFY(model.isNumber(3, 4));
    bool ok = false;
    QCOMPARE(model.number(3, 4, &ok), value);
    QVERIFY(ok);
}

void TstWorkbook::cellsOutsideAreRefused()
{
    SheetModel model;
    model.setMaxRow(10);
    model.setMaxCol(5);
    QVERIFY(!model.setText(0, 1, QStringLiteral("x")));
    QVERIFY(!model.setText(1, 0, QStringLiteral("x")));
    QVERIFY(!model.setText(11, 1, QStringLiteral("x")));
    QVERIFY(!model.setNumber(1, 6, 1.0));
    QVERIFY(!model.setNumber(1, 1, std::numeric_limits<double>::quiet_NaN()));
    QVERIFY(!model.setNumber(1, 1, std::numeric_limits<double>::infinity()));
    QVERIFY(!model.setText(1, 1, QString(SheetModel::kTextLimit + 1, QLatin1Char('a'))));
    QVERIFY(model.setText(1, 1, QString(SheetModel::kTextLimit, QLatin1Char('a'))));
    QVERIFY(!model.setCell(2, 2, QVariant(QRect(1, 1, 1, 1))));
    QVERIFY(model.setCell(2, 2, 7));
    QVERIFY(model.isNumber(2, 2));
    QVERIFY(model.setText(10, 5, QStringLiteral("Ecke")));
    QCOMPARE(model.cellCount(), 3);

    // An empty text empties the cell.
    QVERIFY(model.setText(10, 5, QString()));
    QVERIFY(model.isEmpty(10, 5));
    QVERIFY(!model.cell(10, 5).isValid());
    QCOMPARE(model.text(10, 5), QString());
}

void TstWorkbook::numberReadsNumericText()
{
    SheetModel model;
    model.setText(1, 1, QStringLiteral("60"));
    model.setText(1, 2, QStringLiteral(" 2.5 "));
    model.setText(1, 3, QStringLiteral("Roggen"));
    bool ok = false;
    QCOMPARE(model.number(1, 1, &ok), 60.0);
    QVERIFY(ok);
    QVERIFY(!model.isNumber(1, 1)); // still a text
    QCOMPARE(model.number(1, 2, &ok), 2.5);
    QVERIFY(ok);
    QCOMPARE(model.number(1, 3, &ok), 0.0);
    QVERIFY(!ok);
    QCOMPARE(model.number(5, 5, &ok), 0.0);
    QVERIFY(!ok);
}

void TstWorkbook::shrinkingDropsWhatNoLongerFits()
{
    SheetModel model;
    model.setMaxRow(10);
    model.setMaxCol(10);
    model.setText(2, 2, QStringLiteral("innen"));
    model.setNumber(9, 2, 9.0);
    model.setNumber(2, 9, 9.0);
    model.setRowHeading(9, QStringLiteral("Zeile 9"));
    model.setColHeading(9, QStringLiteral("Spalte 9"));
    model.setCurrentCell(9, 9);
    model.setTopRow(8);
    model.setPrintArea(SheetModel::range(1, 1, 9, 9));

    QSignalSpy sized(&model, &SheetModel::sizeChanged);
    model.setMaxRow(5);
    model.setMaxCol(4);
    QCOMPARE(sized.count(), 2);
    QCOMPARE(describeCells(model.cells()), QStringLiteral("2,2=T:innen"));
    QCOMPARE(model.rowHeading(9), QString());
    QCOMPARE(model.colHeading(9), QString());
    QCOMPARE(model.currentRow(), 5);
    QCOMPARE(model.currentCol(), 4);
    QCOMPARE(model.topRow(), 5);
    QCOMPARE(model.selection(), SheetModel::range(5, 4, 5, 4));
    QCOMPARE(model.printArea(), SheetModel::range(1, 1, 5, 4));

    QVERIFY(!model.setRowHeading(6, QStringLiteral("x")));
    QVERIFY(model.setRowHeading(5, QStringLiteral("Zeile 5")));
    QCOMPARE(model.rowHeading(5), QStringLiteral("Zeile 5"));

    // Limits hold at both ends.
    model.setMaxRow(0);
    QCOMPARE(model.maxRow(), 1);
    model.setMaxRow(SheetModel::kRowLimit + 10);
    QCOMPARE(model.maxRow(), SheetModel::kRowLimit);
    model.setMaxCol(SheetModel::kColLimit + 1);
    QCOMPARE(model.maxCol(), SheetModel::kColLimit);
}

void TstWorkbook::cellChangesAreSignalled()
{
    SheetModel model;
    QSignalSpy changed(&model, &SheetModel::cellsChanged);
    model.setText(3, 2, QStringLiteral("a"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.takeFirst().at(0).toRect(), SheetModel::range(3, 2, 3, 2));

    model.setText(3, 2, QStringLiteral("a")); // no change, no signal
    model.clearCell(7, 7);                    // already empty
    QCOMPARE(changed.count(), 0);

    model.beginUpdate();
    model.setNumber(1, 1, 1.0);
    model.beginUpdate();
    model.setNumber(5, 4, 2.0);
    model.endUpdate();
    QCOMPARE(changed.count(), 0);
    model.endUpdate();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.takeFirst().at(0).toRect(), SheetModel::range(1, 1, 5, 4));

    QCOMPARE(model.usedRange(), SheetModel::range(1, 1, 5, 4));
    model.clearRange(SheetModel::range(5, 5, 1, 3)); // corners in any order
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.takeFirst().at(0).toRect(), SheetModel::range(1, 3, 5, 5));
    QCOMPARE(describeCells(model.cells()), QStringLiteral("1,1=N:1|3,2=T:a"));

    model.clear();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.takeFirst().at(0).toRect(), SheetModel::range(1, 1, 3, 2));
    QCOMPARE(model.cellCount(), 0);
    QVERIFY(model.usedRange().isNull());
}

void TstWorkbook::cursorSelectionAndPrintSettings()
{
    SheetModel model;
    model.setMaxRow(30);
    model.setMaxCol(8);
    QSignalSpy current(&model, &SheetModel::currentCellChanged);
    QVERIFY(!model.setCurrentCell(31, 1));
    QVERIFY(model.setCurrentCell(4, 6));
    QCOMPARE(current.count(), 1);
    QCOMPARE(model.selection(), SheetModel::range(4, 6, 4, 6));

    model.setSelection(SheetModel::range(2, 2, 40, 12));
    QCOMPARE(model.selection(), SheetModel::range(2, 2, 30, 8));
    model.setSelection(SheetModel::range(50, 1, 60, 1)); // wholly outside: stays
    QCOMPARE(model.selection(), SheetModel::range(2, 2, 30, 8));

    model.setTopRow(100);
    QCOMPARE(model.topRow(), 30);
    model.setTopRow(-3);
    QCOMPARE(model.topRow(), 1);

    model.setTitle(QStringLiteral("Backprogramme"));
    model.setCornerText(QStringLiteral("Nr."));
    QVERIFY(model.setColHeading(2, QStringLiteral("Temperatur")));
    QVERIFY(!model.setColHeading(9, QStringLiteral("zu weit")));
    QCOMPARE(model.title(), QStringLiteral("Backprogramme"));
    QCOMPARE(model.cornerText(), QStringLiteral("Nr."));
    QCOMPARE(model.colHeading(2), QStringLiteral("Temperatur"));

    model.setPrintScale(5);
    QCOMPARE(model.printScale(), SheetModel::kMinPrintScale);
    model.setPrintScale(1000);
    QCOMPARE(model.printScale(), SheetModel::kMaxPrintScale);
    model.setNumber(3, 2, 1.0);
    QVERIFY(model.printArea().isNull());
    QCOMPARE(model.effectivePrintArea(), SheetModel::range(1, 1, 3, 2));
    model.setPrintArea(SheetModel::range(2, 2, 99, 99));
    QCOMPARE(model.printArea(), SheetModel::range(2, 2, 30, 8));

    // The names a window uses for the properties.
    QCOMPARE(model.property("MaxRow").toInt(), 30);
    QVERIFY(model.setProperty("SheetName", QStringLiteral("Nachtstart")));
    QCOMPARE(model.sheetName(), QStringLiteral("Nachtstart"));
}

void TstWorkbook::cellReferences_data()
{
    QTest::addColumn<QString>("ref");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("expectedRow");
    QTest::addColumn<int>("expectedCol");
    QTest::newRow("A1") << "A1" << true << 1 << 1;
    QTest::newRow("AB12") << "AB12" << true << 12 << 28;
    QTest::newRow("absolute") << "$C$3" << true << 3 << 3;
    QTest::newRow("lower case") << "iv65536" << true << 65536 << 256;
    QTest::newRow("last excel cell") << "XFD1048576" << true << 1048576 << 16384;
    QTest::newRow("empty") << "" << false << 0 << 0;
    QTest::newRow("letters only") << "A" << false << 0 << 0;
    QTest::newRow("digits only") << "12" << false << 0 << 0;
    QTest::newRow("row zero") << "A0" << false << 0 << 0;
    QTest::newRow("reversed") << "1A" << false << 0 << 0;
    QTest::newRow("trailing letter") << "A1B" << false << 0 << 0;
    QTest::newRow("umlaut") << QStringLiteral("Ä1") << false << 0 << 0;
    QTest::newRow("too many letters") << "AAAAAAA1" << false << 0 << 0;
    QTest::newRow("too many digits") << "A1234567890" << false << 0 << 0;
}

void TstWorkbook::cellReferences()
{
    QFETCH(QString, ref);
    QFETCH(bool, valid);
    QFETCH(int, expectedRow);
    QFETCH(int, expectedCol);
    int row = 0;
    int col = 0;
    QCOMPARE(parseCellRef(ref, &row, &col), valid);
    if (valid) {
        QCOMPARE(row, expectedRow);
        QCOMPARE(col, expectedCol);
    }
}

void TstWorkbook::sheetNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("written");
    QTest::newRow("plain") << "Backprogramme" << "Backprogramme";
    QTest::newRow("umlauts") << QStringLiteral("Brötchen äöüß") << QStringLiteral("Brötchen äöüß");
    QTest::newRow("inner apostrophe") << "Bäcker's Liste" << "Bäcker's Liste";
    QTest::newRow("forbidden") << "Nacht/Start [1]: *?\\" << "Nacht_Start _1__ ___";
    QTest::newRow("apostrophes at ends") << "'Liste'" << "_Liste_";
    QTest::newRow("control character") << "a\tb" << "a_b";
    QTest::newRow("long") << QString(40, QLatin1Char('x')) << QString(31, QLatin1Char('x'));
    QTest::newRow("exactly 31") << QString(31, QLatin1Char('y')) << QString(31, QLatin1Char('y'));
    QTest::newRow("empty") << "" << "Tabelle1";
    QTest::newRow("reserved") << "history" << "history_";
}

void TstWorkbook::sheetNames()
{
    QFETCH(QString, name);
    QFETCH(QString, written);
    QCOMPARE(sanitizeSheetName(name), written);
}

void TstWorkbook::roundTripCell_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("text") << 1 << 1 << QVariant(QStringLiteral("Weißbrot"));
    QTest::newRow("umlauts") << 2 << 3 << QVariant(QStringLiteral("äöüß ÄÖÜ"));
    QTest::newRow("integer") << 5 << 2 << QVariant(60.0);
    QTest::newRow("fraction") << 5 << 3 << QVariant(2.5);
    QTest::newRow("negative") << 7 << 1 << QVariant(-17.25);
    QTest::newRow("small") << 7 << 2 << QVariant(0.001);
    QTest::newRow("third") << 7 << 3 << QVariant(1.0 / 3.0);
    QTest::newRow("big") << 8 << 1 << QVariant(1234567.125);
    QTest::newRow("zero") << 8 << 2 << QVariant(0.0);
    QTest::newRow("text like a number") << 9 << 1 << QVariant(QStringLiteral("60"));
    QTest::newRow("text with leading zero") << 9 << 2 << QVariant(QStringLiteral("007"));
    QTest::newRow("text like a fraction") << 9 << 3 << QVariant(QStringLiteral("2.5"));
    QTest::newRow("spaces kept") << 10 << 1 << QVariant(QStringLiteral("  Mitte  "));
    QTest::newRow("line break and tab") << 10 << 2 << QVariant(QStringLiteral("a\nb\tc"));
    QTest::newRow("control character") << 10 << 3 << QVariant(QStringLiteral("a\x01z"));
    QTest::newRow("markup characters") << 11 << 1 << QVariant(QStringLiteral("<a & \"b\">'"));
    QTest::newRow("longest text") << 11 << 2 << QVariant(QString(SheetModel::kTextLimit, QLatin1Char('w')));
    QTest::newRow("last cell of the grid") << SheetModel::kRowLimit << SheetModel::kColLimit
                                           << QVariant(QStringLiteral("Ende"));
}

void TstWorkbook::roundTripCell()
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

    SheetModel loaded;
    loaded.setMaxRow(SheetModel::kRowLimit);
    QVERIFY2(loadWorkbook(path, loaded, &error), qPrintable(error));
    QCOMPARE(loaded.cellCount(), 1);
    QCOMPARE(loaded.cell(row, col).typeId(), value.typeId());
    QCOMPARE(loaded.cell(row, col), value);
    QCOMPARE(loaded.text(row, col), saved.text(row, col));
}

void TstWorkbook::roundTripWholeGrid()
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
    QCOMPARE(describeCells(loaded.cells()), describeCells(saved.cells()));
    QVERIFY(loaded.isEmpty(2, 2));
    QVERIFY(loaded.isEmpty(1, 3)); // gaps stay gaps
    QCOMPARE(loaded.maxRow(), 40);
    QCOMPARE(loaded.maxCol(), 12);

    // An empty grid makes a valid, empty workbook.
    SheetModel empty;
    QVERIFY2(saveWorkbook(empty, path, &error), qPrintable(error));
    QVERIFY2(loadWorkbook(path, loaded, &error), qPrintable(error));
    QCOMPARE(loaded.cellCount(), 0);
}

void TstWorkbook::roundTripSheetName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("loaded");
    QTest::newRow("plain") << "Backprogramme" << "Backprogramme";
    QTest::newRow("umlauts and space") << QStringLiteral("Nachtstart Brötchen") << QStringLiteral("Nachtstart Brötchen");
    QTest::newRow("markup characters") << "A&B <1>" << "A&B <1>";
    QTest::newRow("forbidden characters") << "Liste 1/2" << "Liste 1_2";
    QTest::newRow("too long") << QStringLiteral("Ofen 1 – Backprogramme für die Nacht")
                              << QStringLiteral("Ofen 1 – Backprogramme für die ");
}

void TstWorkbook::roundTripSheetName()
{
    QFETCH(QString, name);
    QFETCH(QString, loaded);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("name.NGT"));
    SheetModel model;
    model.setSheetName(name);
    model.setText(1, 1, QStringLiteral("x"));
    QString error;
    QVERIFY2(saveWorkbook(model, path, &error), qPrintable(error));
    QCOMPARE(model.sheetName(), name); // saving does not rename the grid

    SheetModel other;
    QSignalSpy renamed(&other, &SheetModel::sheetNameChanged);
    QVERIFY2(loadWorkbook(path, other, &error), qPrintable(error));
    QCOMPARE(other.sheetName(), loaded);
    QCOMPARE(renamed.count(), 1);
}

void TstWorkbook::roundTripPrintSettings_data()
{
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<int>("scale");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<bool>("headings");
    QTest::newRow("defaults") << false << 100 << QRect() << false;
    QTest::newRow("landscape") << true << 100 << QRect() << false;
    QTest::newRow("scale") << false << 75 << QRect() << false;
    QTest::newRow("area") << false << 100 << SheetModel::range(2, 1, 10, 3) << false;
    QTest::newRow("one cell area") << false << 100 << SheetModel::range(4, 4, 4, 4) << false;
    QTest::newRow("headings") << false << 100 << QRect() << true;
    QTest::newRow("everything") << true << 150 << SheetModel::range(1, 2, 30, 5) << true;
    QTest::newRow("smallest scale") << true << 10 << QRect() << false;
    QTest::newRow("largest scale") << false << 400 << QRect() << true;
}

void TstWorkbook::roundTripPrintSettings()
{
    QFETCH(bool, landscape);
    QFETCH(int, scale);
    QFETCH(QRect, area);
    QFETCH(bool, headings);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("druck.REC"));
    SheetModel model;
    model.setNumber(3, 3, 1.0);
    model.setLandscape(landscape);
    model.setPrintScale(scale);
    model.setPrintArea(area);
    model.setPrintHeadings(headings);
    QString error;
    QVERIFY2(saveWorkbook(model, path, &error), qPrintable(error));

    SheetModel loaded;
    loaded.setLandscape(!landscape);
    loaded.setPrintScale(55);
    loaded.setPrintArea(SheetModel::range(7, 7, 8, 8));
    loaded.setPrintHeadings(!headings);
    QVERIFY2(loadWorkbook(path, loaded, &error), qPrintable(error));
    QCOMPARE(loaded.landscape(), landscape);
    QCOMPARE(loaded.printScale(), scale);
    QCOMPARE(loaded.printArea(), area);
    QCOMPARE(loaded.printHeadings(), headings);
}

void TstWorkbook::extensionDoesNotMatter_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::newRow("REC") << "Programme.REC";
    QTest::newRow("NGT") << "nacht.ngt";
    QTest::newRow("none") << "ohne";
    QTest::newRow("xlsx") << "mappe.xlsx";
    QTest::newRow("umlaut in name") << QStringLiteral("Brötchen äöü.REC");
}

void TstWorkbook::extensionDoesNotMatter()
{
    QFETCH(QString, fileName);
    QTemporaryDir dir;
    const QString path = dir.filePath(fileName);
    SheetModel model;
    model.setText(2, 2, QStringLiteral("Inhalt"));
    QString error;
    QVERIFY2(saveWorkbook(model, path, &error), qPrintable(error));
    QVERIFY(readBytes(path).startsWith("PK\x03\x04"));
    SheetModel loaded;
    QVERIFY2(loadWorkbook(path, loaded, &error), qPrintable(error));
    QCOMPARE(loaded.text(2, 2), QStringLiteral("Inhalt"));
    QCOMPARE(folderEntries(dir.path()), QStringList{fileName}); // no scratch files left
}

void TstWorkbook::loadGrowsTheGrid()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("gross.REC"));
    SheetModel big;
    big.setMaxRow(500);
    big.setNumber(500, 200, 5.0);
    QString error;
    QVERIFY2(saveWorkbook(big, path, &error), qPrintable(error));

    SheetModel small;
    small.setMaxRow(20);
    small.setMaxCol(8);
    QVERIFY2(loadWorkbook(path, small, &error), qPrintable(error));
    QCOMPARE(small.maxRow(), 500);
    QCOMPARE(small.maxCol(), 200);
    QCOMPARE(small.number(500, 200), 5.0);
}

// libxlsxwriter prints numbers through printf, which follows LC_NUMERIC.
void TstWorkbook::numbersIgnoreTheUserLocale()
{
    const char *candidates[] = {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "German_Germany.1252"};
    const QByteArray before = std::setlocale(LC_NUMERIC, nullptr);
    const char *german = nullptr;
    for (const char *name : candidates) {
        if (std::setlocale(LC_NUMERIC, name)) {
            german = name;
            break;
        }
    }
    if (!german)
        QSKIP("No German locale installed on this machine");

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("komma.REC"));
    SheetModel model;
    model.setNumber(1, 1, 2.5);
    QString error;
    const bool saved = saveWorkbook(model, path, &error);
    std::setlocale(LC_NUMERIC, before.constData());
    QVERIFY2(saved, qPrintable(error));
    SheetModel loaded;
    QVERIFY2(loadWorkbook(path, loaded, &error), qPrintable(error));
    QCOMPARE(loaded.cell(1, 1), QVariant(2.5));
}

void TstWorkbook::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::newRow("cell past any sheet") << 2000000 << QStringLiteral("x");
    QTest::newRow("text past the cell limit") << 1 << QString(40000, QLatin1Char('t'));
}

// Bad data that only the writer notices, half way through: nothing reaches the target.
void TstWorkbook::failedWriteKeepsOldFile()
{
    QFETCH(int, row);
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("alt.REC"));
    SheetModel model;
    model.setText(1, 1, QStringLiteral("alter Stand"));
    QString error;
    QVERIFY2(saveWorkbook(model, path, &error), qPrintable(error));
    const QByteArray old = readBytes(path);
    const QStringList entries = folderEntries(dir.path());

    WorkbookData data = workbookDataFrom(model);
    data.cells.append(WorkbookCell{1, 2, 1.0});
    data.cells.append(WorkbookCell{row, 3, text});
    QVERIFY(!writeWorkbook(data, path, &error));
    QCOMPARE(error, message("Datei kann nicht geschrieben werden: ", path));
    QCOMPARE(readBytes(path), old);
    QCOMPARE(folderEntries(dir.path()), entries);
}

void TstWorkbook::saveOntoFolderFails()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ordner.REC"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("ordner.REC")));
    QVERIFY(writeBytes(path + QStringLiteral("/drin.txt"), "bleibt"));
    SheetModel model;
    model.setText(1, 1, QStringLiteral("x"));
    QString error;
    QVERIFY(!saveWorkbook(model, path, &error));
    QCOMPARE(error, message("Datei kann nicht geschrieben werden: ", path));
    QVERIFY(QFileInfo(path).isDir());
    QCOMPARE(readBytes(path + QStringLiteral("/drin.txt")), QByteArray("bleibt"));
    QCOMPARE(folderEntries(dir.path()), QStringList{QStringLiteral("ordner.REC")});
}

void TstWorkbook::saveIntoMissingFolderFails()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fehlt/liste.NGT"));
    SheetModel model;
    QString error;
    QVERIFY(!saveWorkbook(model, path, &error));
    QCOMPARE(error, message("Datei kann nicht geschrieben werden: ", path));
    QVERIFY(!QFileInfo::exists(path));
}

void TstWorkbook::saveIntoReadOnlyFolderFails()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("gesperrt"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("gesperrt")));
    const QString path = folder + QStringLiteral("/alt.REC");
    SheetModel model;
    model.setText(1, 1, QStringLiteral("alter Stand"));
    QString error;
    QVERIFY2(saveWorkbook(model, path, &error), qPrintable(error));
    const QByteArray old = readBytes(path);

    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    const bool enforced = !writeBytes(folder + QStringLiteral("/probe"), "p");
    if (enforced) {
        model.setText(1, 1, QStringLiteral("neuer Stand"));
        QVERIFY(!saveWorkbook(model, path, &error));
        QCOMPARE(error, message("Datei kann nicht geschrieben werden: ", path));
        QCOMPARE(readBytes(path), old);
        QCOMPARE(folderEntries(folder), QStringList{QStringLiteral("alt.REC")});
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!enforced)
        QSKIP("Folder permissions are not enforced for this user (root)");
}

void TstWorkbook::otherWriterFixture()
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
    QCOMPARE(model.text(2, 2), QStringLiteral("230"));
    QCOMPARE(model.text(5, 1), QStringLiteral("007"));
    QVERIFY(model.isEmpty(3, 1));
    QVERIFY(model.isEmpty(7, 6)); // formula without a cached value
    QCOMPARE(model.maxRow(), 12);
    QCOMPARE(model.maxCol(), 28);
    QVERIFY(model.landscape());
    QCOMPARE(model.printScale(), 80);
    QCOMPARE(model.printArea(), SheetModel::range(1, 1, 4, 3));
    QVERIFY(model.printHeadings());
}

void TstWorkbook::readerVariants_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("sheetName");
    QTest::addColumn<QString>("cells");

    const QByteArray twoCells = sheetXml("<row r=\"2\"><c r=\"B2\"><v>7</v></c><c r=\"C2\" t=\"s\"><v>0</v></c></row>");
    const QByteArray oneString = sharedXml("<si><t>geteilt</t></si>");

    QTest::newRow("plain") << zipBytes(handBook(twoCells, oneString)) << "Blatt" << "2,2=N:7|2,3=T:geteilt";

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

    QList<Part> absolute = handBook(twoCells, oneString);
    absolute.last().data = relations(relation("rId1", "worksheet", "/xl/worksheets/sheet1.xml")
                                     + relation("rId2", "sharedStrings", "/xl/sharedStrings.xml"));
    QTest::newRow("absolute targets") << zipBytes(absolute) << "Blatt" << "2,2=N:7|2,3=T:geteilt";

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

    QList<Part> noPackageRels = handBook(twoCells, oneString);
    noPackageRels.removeFirst();
    QTest::newRow("no package relationships") << zipBytes(noPackageRels) << "Blatt" << "2,2=N:7|2,3=T:geteilt";

    QList<Part> upperCase = handBook(twoCells, oneString);
    upperCase[2].name = QStringLiteral("XL/Worksheets/Sheet1.XML");
    QTest::newRow("part names in other case") << zipBytes(upperCase) << "Blatt" << "2,2=N:7|2,3=T:geteilt";

    const QByteArray otherPrefix = "<workbook xmlns=\"" + kMainNs + "\" xmlns:rel=\"" + kRelNs
        + "\"><sheets><sheet name=\"Erste\" sheetId=\"7\" rel:id=\"rId1\"/>"
          "<sheet name=\"Zweite\" sheetId=\"8\" rel:id=\"rId9\"/></sheets>"
          "<definedNames><definedName name=\"_xlnm.Print_Area\" localSheetId=\"1\">Zweite!$A$1:$B$2</definedName>"
          "</definedNames></workbook>";
    QTest::newRow("other prefix, two sheets")
        << zipBytes(handBook(twoCells, oneString, otherPrefix)) << "Erste" << "2,2=N:7|2,3=T:geteilt";

    const QByteArray strict = "<workbook xmlns=\"http://purl.oclc.org/ooxml/spreadsheetml/main\""
                              " xmlns:r=\"http://purl.oclc.org/ooxml/officeDocument/relationships\">"
                              "<sheets><sheet name=\"Strikt\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    QTest::newRow("strict namespaces")
        << zipBytes(handBook(sheetXml("<row r=\"1\"><c r=\"A1\"><v>3</v></c></row>"), QByteArray(), strict))
        << "Strikt" << "1,1=N:3";

    QTest::newRow("empty sheet") << zipBytes(handBook(sheetXml(QByteArray()))) << "Blatt" << "";
}

void TstWorkbook::readerVariants()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, sheetName);
    QFETCH(QString, cells);
    QVERIFY(!bytes.isEmpty());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fremd.REC"));
    QVERIFY(writeBytes(path, bytes));
    WorkbookData data;
    QString error;
    QVERIFY2(readWorkbook(path, &data, &error), qPrintable(error));
    QCOMPARE(data.sheetName, sheetName);
    QCOMPARE(describeCells(data), cells);
}

void TstWorkbook::badFilesLeaveGridAlone_data()
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
        good = readBytes(path);
    }
    const QByteArray cell = "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>";

    QTest::newRow("empty file") << QByteArray() << invalid;
    QTest::newRow("text file") << QByteArray("Programm;Temperatur\n1;230\n") << invalid;
    QTest::newRow("zip signature only") << QByteArray("PK\x03\x04", 4) << invalid;
    QTest::newRow("truncated to half") << good.left(good.size() / 2) << invalid;
    QTest::newRow("end record cut off") << good.left(good.size() - 10) << invalid;
    QTest::newRow("damaged sheet data") << corruptSheetData(good) << invalid;
    QTest::newRow("zip without workbook")
        << zipBytes({{QStringLiteral("liesmich.txt"), "kein Arbeitsbuch"}}) << invalid;

    QList<Part> noSheetPart = handBook(sheetXml(cell));
    noSheetPart.removeAt(2);
    QTest::newRow("sheet part missing") << zipBytes(noSheetPart) << invalid;
    QList<Part> noRels = handBook(sheetXml(cell));
    noRels.removeLast();
    QTest::newRow("workbook relationships missing") << zipBytes(noRels) << invalid;
    QTest::newRow("sheet relation unknown")
        << zipBytes(handBook(sheetXml(cell), QByteArray(),
                             "<workbook xmlns=\"" + kMainNs + "\" xmlns:r=\"" + kRelNs
                                 + "\"><sheets><sheet name=\"a\" sheetId=\"1\" r:id=\"rId7\"/></sheets></workbook>"))
        << invalid;
    QTest::newRow("workbook without sheets")
        << zipBytes(handBook(sheetXml(cell), QByteArray(), "<workbook xmlns=\"" + kMainNs + "\"><sheets/></workbook>"))
        << invalid;
    QTest::newRow("malformed workbook part")
        << zipBytes(handBook(sheetXml(cell), QByteArray(), workbookXml().left(60))) << invalid;
    QTest::newRow("malformed sheet") << zipBytes(handBook(sheetXml(cell).chopped(5))) << invalid;
    QTest::newRow("unbalanced sheet")
        << zipBytes(handBook(sheetXml("<row r=\"1\"><c r=\"A1\"><v>1</c></v></row>"))) << invalid;
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
    QTest::newRow("shared string without table")
        << zipBytes(handBook(sheetXml("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>"))) << invalid;
    QTest::newRow("number that is none")
        << zipBytes(handBook(sheetXml("<row r=\"1\"><c r=\"A1\"><v>zwölf</v></c></row>"))) << invalid;
    QTest::newRow("number out of range")
        << zipBytes(handBook(sheetXml("<row r=\"1\"><c r=\"A1\"><v>1e999</v></c></row>"))) << invalid;
    QTest::newRow("unknown cell type")
        << zipBytes(handBook(sheetXml("<row r=\"1\"><c r=\"A1\" t=\"q\"><v>1</v></c></row>"))) << invalid;
    QTest::newRow("bad cell reference")
        << zipBytes(handBook(sheetXml("<row r=\"1\"><c r=\"1A\"><v>1</v></c></row>"))) << invalid;
    QTest::newRow("row zero")
        << zipBytes(handBook(sheetXml("<row r=\"0\"><c><v>1</v></c></row>"))) << invalid;
    QTest::newRow("cell reference row zero")
        << zipBytes(handBook(sheetXml("<row r=\"1\"><c r=\"B0\"><v>1</v></c></row>"))) << invalid;
    QTest::newRow("huge dimension")
        << zipBytes(handBook(sheetXml(cell, "<dimension ref=\"A1:XFD1048576\"/>"))) << tooBig;
    QTest::newRow("row past the grid")
        << zipBytes(handBook(sheetXml("<row r=\"70000\"><c r=\"A70000\"><v>1</v></c></row>"))) << tooBig;
    QTest::newRow("column past the grid")
        << zipBytes(handBook(sheetXml("<row r=\"1\"><c r=\"IW1\"><v>1</v></c></row>"))) << tooBig;
    QTest::newRow("unnumbered cells past the grid")
        << zipBytes(handBook(sheetXml("<row r=\"1\"><c r=\"IV1\"><v>1</v></c><c><v>2</v></c></row>"))) << tooBig;

    // 65 MiB of blanks deflate to a few dozen KiB.
    QByteArray bomb = sheetXml(cell);
    bomb.insert(bomb.indexOf("<sheetData>"), QByteArray(65 * 1024 * 1024, ' '));
    QTest::newRow("part inflating past the cap") << zipBytes(handBook(bomb)) << archiveTooBig;
    QTest::newRow("part lying about its size") << lyingSizeBook(bomb) << invalid;
}

void TstWorkbook::badFilesLeaveGridAlone()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, prefix);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kaputt.REC"));
    QVERIFY(writeBytes(path, bytes));

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
    QCOMPARE(readBytes(path), bytes); // reading never writes
}

void TstWorkbook::unreadablePathsLeaveGridAlone_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("folder");
    QTest::newRow("missing file") << "gibtsnicht.REC" << false;
    QTest::newRow("folder") << "ordner.REC" << true;
}

void TstWorkbook::unreadablePathsLeaveGridAlone()
{
    QFETCH(QString, name);
    QFETCH(bool, folder);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (folder)
        QVERIFY(QDir(dir.path()).mkdir(name));
    SheetModel model;
    fillSample(model);
    const QString before = describeModel(model);
    QString error;
    QVERIFY(!loadWorkbook(path, model, &error));
    QCOMPARE(error, message("Datei kann nicht gelesen werden: ", path));
    QCOMPARE(describeModel(model), before);
}

QTEST_GUILESS_MAIN(TstWorkbook)
#include "tst_workbook.moc"
