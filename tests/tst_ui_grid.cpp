// The spreadsheet grid: the item model over a sheet, the view kept in step with the sheet,
// the key hooks, and printing a sheet's print area (read back from a PDF with pdftotext).

#include "shell/sheetmodel.h"
#include "shell/sheettablemodel.h"
#include "shell/ui/gridview.h"
#include "shell/ui/sheetprinter.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace torvel;

namespace {

// A sheet shaped like the bake program list: a few columns of names and minutes.
void fillPrograms(SheetModel &sheet)
{
    sheet.setMaxRow(50);
    sheet.setMaxCol(6);
    sheet.setText(1, 1, QStringLiteral("Brot"));
    sheet.setNumber(1, 2, 60);
    sheet.setText(2, 1, QStringLiteral("Semmel"));
    sheet.setNumber(2, 2, 2.5);
}

QString pdfText(const QString &file, int page = 0)
{
    QStringList args{QStringLiteral("-layout")};
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
             << QString::number(page);
    args << file << QStringLiteral("-");
    QProcess run;
    run.start(QStringLiteral("pdftotext"), args);
    if (!run.waitForFinished(10000) || run.exitCode() != 0)
        return QStringLiteral("<pdftotext failed: %1>")
            .arg(QString::fromLocal8Bit(run.readAllStandardError()));
    return QString::fromUtf8(run.readAllStandardOutput());
}

// "Pages" and the first page's size in points from pdfinfo.
struct PdfInfo {
    int pages = 0;
    double width = 0;
    double height = 0;
};

PdfInfo pdfInfo(const QString &file)
{
    QProcess run;
    run.start(QStringLiteral("pdfinfo"), {file});
    run.waitForFinished(10000);
    const QString out = QString::fromUtf8(run.readAllStandardOutput());
    PdfInfo info;
    const auto pages =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(out);
    info.pages = pages.captured(1).toInt();
    const auto size = QRegularExpression(QStringLiteral("^Page size:\\s+([\\d.]+) x ([\\d.]+) pts"),
                                         QRegularExpression::MultilineOption)
                          .match(out);
    info.width = size.captured(1).toDouble();
    info.height = size.captured(2).toDouble();
    return info;
}

} // namespace

class TestUiGrid : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString printToPdf(const SheetModel &sheet, const QString &name)
    {
        const QString file = m_dir.filePath(name);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setPageSize(QPageSize(QPageSize::A4));
        QString error;
        if (!printSheet(sheet, printer, &error)) {
            qWarning() << "printSheet:" << error;
            return {};
        }
        return file;
    }

private slots:
    // --- the item model -------------------------------------------------------------

    void modelShowsCellsAsTheSheetDoes()
    {
        SheetModel sheet;
        fillPrograms(sheet);
        SheetTableModel model(&sheet);
        QCOMPARE(model.rowCount(), 50);
        QCOMPARE(model.columnCount(), 6);
        QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("Brot"));
        QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("60"));
        QCOMPARE(model.index(1, 1).data().toString(), QStringLiteral("2.5"));
        QCOMPARE(model.index(1, 1).data(Qt::EditRole).toString(), QStringLiteral("2.5"));
        QCOMPARE(model.index(5, 5).data().toString(), QString());
        QCOMPARE(model.index(0, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
                     Qt::AlignHorizontal_Mask,
                 Qt::AlignRight);
        QCOMPARE(model.index(0, 0).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
                     Qt::AlignHorizontal_Mask,
                 Qt::AlignLeft);
        QVERIFY(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
    }

    void modelEditsStoreNumbersThatReadBackAsTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("number");
        QTest::addColumn<QString>("shown");
        QTest::newRow("whole") << "60" << true << "60";
        QTest::newRow("decimal") << "2.5" << true << "2.5";
        QTest::newRow("negative") << "-3" << true << "-3";
        QTest::newRow("leading zeros") << "007" << false << "007";
        QTest::newRow("trailing zero") << "1.50" << false << "1.50";
        QTest::newRow("comma") << "2,5" << false << "2,5";
        QTest::newRow("exponent") << "1e3" << false << "1e3";
        QTest::newRow("blank around") << " 5" << false << " 5";
        QTest::newRow("text") << "Brot" << false << "Brot";
    }

    void modelEditsStoreNumbersThatReadBackAsTyped()
    {
        QFETCH(QString, typed);
        QFETCH(bool, number);
        QFETCH(QString, shown);
        SheetModel sheet;
        SheetTableModel model(&sheet);
        QVERIFY(model.setData(model.index(2, 3), typed));
        QCOMPARE(sheet.isNumber(3, 4), number);
        QCOMPARE(sheet.text(3, 4), shown);
        QCOMPARE(model.index(2, 3).data().toString(), shown);
    }

    void modelEditWithEmptyTextClearsTheCell()
    {
        SheetModel sheet;
        fillPrograms(sheet);
        SheetTableModel model(&sheet);
        QVERIFY(model.setData(model.index(0, 0), QString()));
        QVERIFY(sheet.isEmpty(1, 1));
    }

    void modelHeadingsFallBackToNumbersAndLetters()
    {
        SheetModel sheet;
        sheet.setMaxCol(30);
        sheet.setRowHeading(2, QStringLiteral("Montag"));
        sheet.setColHeading(1, QStringLiteral("Name"));
        SheetTableModel model(&sheet);
        QCOMPARE(model.headerData(0, Qt::Vertical).toString(), QStringLiteral("1"));
        QCOMPARE(model.headerData(1, Qt::Vertical).toString(), QStringLiteral("Montag"));
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Name"));
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("B"));
        QCOMPARE(model.headerData(27, Qt::Horizontal).toString(), QStringLiteral("AB"));
        QCOMPARE(SheetTableModel::columnLetters(256), QStringLiteral("IV"));

        QSignalSpy headers(&model, &QAbstractItemModel::headerDataChanged);
        sheet.setColHeading(2, QStringLiteral("Zeit"));
        QCOMPARE(headers.count(), 2); // both orientations
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Zeit"));
    }

    void modelFollowsTheSheetInBatches()
    {
        SheetModel sheet;
        SheetTableModel model(&sheet);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        sheet.beginUpdate();
        sheet.setText(2, 3, QStringLiteral("a"));
        sheet.setNumber(5, 1, 7);
        sheet.endUpdate();
        sheet.setText(3, 2, QStringLiteral("b")); // falls into the same screen update
        QCOMPARE(changed.count(), 0);
        QVERIFY(changed.wait(1000));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toModelIndex(), model.index(1, 0));
        QCOMPARE(changed.at(0).at(1).toModelIndex(), model.index(4, 2));

        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        sheet.setMaxRow(12);
        sheet.setMaxCol(4);
        QCOMPARE(reset.count(), 2);
        QCOMPARE(model.rowCount(), 12);
        QCOMPARE(model.columnCount(), 4);
    }

    // --- the view --------------------------------------------------------------------

    void viewShowsTitleAndCornerText()
    {
        SheetModel sheet;
        fillPrograms(sheet);
        GridView view(&sheet);
        QVERIFY(view.titleLabel()->isHidden());
        sheet.setTitle(QStringLiteral("Backprogramme"));
        sheet.setCornerText(QStringLiteral("Nr."));
        view.resize(500, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.titleLabel()->text(), QStringLiteral("Backprogramme"));
        QVERIFY(view.titleLabel()->isVisible());
        QCOMPARE(view.cornerLabel()->text(), QStringLiteral("Nr."));
        QVERIFY(view.cornerLabel()->isVisible());
        // It sits over the corner, left of the column headings and above the row headings.
        const QRect corner = view.cornerLabel()->geometry();
        QCOMPARE(corner.right() + 1, view.table()->verticalHeader()->geometry().right() + 1);
        QCOMPARE(corner.bottom(), view.table()->horizontalHeader()->geometry().bottom());
        QVERIFY(corner.width() >= view.cornerLabel()->fontMetrics().horizontalAdvance(QStringLiteral("Nr.")));
    }

    void currentCellFollowsTheSheetBothWays()
    {
        SheetModel sheet;
        fillPrograms(sheet);
        GridView view(&sheet);
        view.resize(500, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTableView *table = view.table();

        sheet.setCurrentCell(3, 2);
        QCOMPARE(table->currentIndex(), view.tableModel()->index(2, 1));
        QVERIFY(table->selectionModel()->isSelected(view.tableModel()->index(2, 1)));

        table->setCurrentIndex(view.tableModel()->index(4, 3));
        QCOMPARE(sheet.currentRow(), 5);
        QCOMPARE(sheet.currentCol(), 4);
        QCOMPARE(sheet.selection(), SheetModel::range(5, 4, 5, 4));

        // Shift+Down extends the selection; the sheet keeps the range, the cursor moves.
        table->setFocus();
        QTest::keyClick(table, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(sheet.currentRow(), 6);
        QCOMPARE(sheet.selection(), SheetModel::range(5, 4, 6, 4));

        sheet.setSelection(SheetModel::range(1, 1, 2, 3));
        QCOMPARE(table->selectionModel()->selectedIndexes().size(), 6);
    }

    void clicksReportSheetCells()
    {
        SheetModel sheet;
        fillPrograms(sheet);
        GridView view(&sheet);
        view.resize(500, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTableView *table = view.table();
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        QSignalSpy clicked(&view, &GridView::clicked);
        QSignalSpy doubleClicked(&view, &GridView::doubleClicked);
        const QPoint at = table->visualRect(view.tableModel()->index(1, 2)).center();

        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0), (QVariantList{2, 3}));
        QCOMPARE(sheet.currentRow(), 2);
        QCOMPARE(sheet.currentCol(), 3);

        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(doubleClicked.count(), 1);
        QCOMPARE(doubleClicked.at(0), (QVariantList{2, 3}));
    }

    void topRowFollowsTheSheetBothWays()
    {
        SheetModel sheet;
        fillPrograms(sheet);
        sheet.setTopRow(20);
        sheet.setCurrentCell(3, 2);
        GridView view(&sheet);
        view.resize(400, 200);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QScrollBar *bar = view.table()->verticalScrollBar();
        QCOMPARE(bar->value(), 19);
        QCOMPARE(sheet.topRow(), 20);
        QCOMPARE(view.table()->horizontalScrollBar()->value(), 0); // the cursor's column was in view

        bar->setValue(4);
        QCOMPARE(sheet.topRow(), 5);
        sheet.setTopRow(10);
        QCOMPARE(bar->value(), 9);
    }

    void typingEditsInPlaceThroughTheKeyFilter()
    {
        SheetModel sheet;
        fillPrograms(sheet);
        GridView view(&sheet);
        // Digits only, and a comma becomes the decimal point.
        QStringList seen;
        connect(&view, &GridView::keyPress, this, [&seen](QChar *ch) {
            seen << QString(*ch);
            if (*ch == QLatin1Char(','))
                *ch = QLatin1Char('.');
            else if (!ch->isDigit() && *ch != QLatin1Char('.'))
                *ch = QChar();
        });
        view.resize(500, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTableView *table = view.table();
        sheet.setCurrentCell(4, 2);
        table->setFocus();

        QTest::keyClick(table, Qt::Key_X, Qt::NoModifier); // swallowed: no editor opens
        QVERIFY(!table->findChild<QLineEdit *>());
        QTest::keyClick(table, Qt::Key_1); // opens the editor with the "1"
        auto *editor = table->findChild<QLineEdit *>();
        QVERIFY(editor);
        QCOMPARE(editor->text(), QStringLiteral("1"));
        QTest::keyClicks(editor, QStringLiteral("x2,5"));
        QCOMPARE(editor->text(), QStringLiteral("12.5"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::sendPostedEvents(); // the delegate commits through a queued call
        QCOMPARE(sheet.cell(4, 2), QVariant(12.5));
        QCOMPARE(seen, (QStringList{"x", "1", "x", "2", ",", "5"})); // each character once
    }

    void keyDownCanTakeAKeyFromTheGrid()
    {
        SheetModel sheet;
        fillPrograms(sheet);
        GridView view(&sheet);
        QList<int> keys;
        connect(&view, &GridView::keyDown, this, [&](int key, Qt::KeyboardModifiers, bool *handled) {
            keys << key;
            if (key == Qt::Key_Delete) {
                sheet.clearRange(sheet.selection());
                *handled = true;
            }
            if (key == Qt::Key_Down)
                *handled = true; // the cursor stays
        });
        view.resize(500, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        sheet.setCurrentCell(1, 1);
        view.table()->setFocus();
        QTest::keyClick(view.table(), Qt::Key_Down);
        QCOMPARE(sheet.currentRow(), 1);
        QTest::keyClick(view.table(), Qt::Key_Delete);
        QVERIFY(sheet.isEmpty(1, 1));
        QCOMPARE(keys, (QList<int>{Qt::Key_Down, Qt::Key_Delete}));
    }

    // --- printing ---------------------------------------------------------------------

    void printingScaleFallsBackOutsideOneToHundred_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("printed");
        QTest::newRow("1") << 1 << 1;
        QTest::newRow("50") << 50 << 50;
        QTest::newRow("100") << 100 << 100;
        QTest::newRow("0") << 0 << 80;
        QTest::newRow("101") << 101 << 80;
        QTest::newRow("400") << 400 << 80;
    }

    void printingScaleFallsBackOutsideOneToHundred()
    {
        QFETCH(int, stored);
        QFETCH(int, printed);
        QCOMPARE(printingScale(stored), printed);
    }

    void printsTheAreaUnderTheSheetName()
    {
        SheetModel sheet;
        sheet.setSheetName(QStringLiteral("Nachtstart"));
        sheet.setText(1, 1, QStringLiteral("Montag"));
        sheet.setNumber(1, 2, 415);
        sheet.setText(2, 1, QStringLiteral("Dienstag"));
        sheet.setNumber(2, 2, 430);
        sheet.setText(3, 1, QStringLiteral("Mittwoch"));
        sheet.setText(1, 3, QStringLiteral("Notiz"));
        sheet.setColHeading(1, QStringLiteral("Wochentag"));
        sheet.setRowHeading(1, QStringLiteral("Erster"));
        sheet.setPrintArea(SheetModel::range(1, 1, 2, 2));

        const QString file = printToPdf(sheet, QStringLiteral("area.pdf"));
        QVERIFY(!file.isEmpty());
        const QString text = pdfText(file);
        QVERIFY2(text.contains(QStringLiteral("Nachtstart")), qPrintable(text));
        for (const char *inside : {"Montag", "415", "Dienstag", "430"})
            QVERIFY2(text.contains(QLatin1String(inside)), inside);
        for (const char *outside : {"Mittwoch", "Notiz", "Wochentag", "Erster"})
            QVERIFY2(!text.contains(QLatin1String(outside)), outside);
        const PdfInfo info = pdfInfo(file);
        QCOMPARE(info.pages, 1);
        QVERIFY(info.height > info.width); // portrait
    }

    void printsHeadingsOnlyWhenAsked()
    {
        SheetModel sheet;
        sheet.setText(1, 1, QStringLiteral("Brot"));
        sheet.setText(2, 2, QStringLiteral("Semmel"));
        sheet.setColHeading(1, QStringLiteral("Wochentag"));
        sheet.setRowHeading(2, QStringLiteral("Zweiter"));
        sheet.setPrintHeadings(true);
        const QString text = pdfText(printToPdf(sheet, QStringLiteral("headings.pdf")));
        for (const char *heading : {"Wochentag", "B", "Zweiter"})
            QVERIFY2(
                text.contains(QRegularExpression(QStringLiteral("\\b%1\\b").arg(QLatin1String(heading)))),
                heading);
        // Row 1 has no heading of its own: its number stands left of its cells.
        QVERIFY2(text.contains(QRegularExpression(QStringLiteral("^\\s*1\\s+Brot"),
                                                  QRegularExpression::MultilineOption)),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Semmel")));
    }

    void printsLandscapeWhenSet()
    {
        SheetModel sheet;
        sheet.setText(1, 1, QStringLiteral("Brot"));
        sheet.setLandscape(true);
        const PdfInfo info = pdfInfo(printToPdf(sheet, QStringLiteral("landscape.pdf")));
        QCOMPARE(info.pages, 1);
        QVERIFY2(info.width > info.height,
                 qPrintable(QStringLiteral("%1 x %2").arg(info.width).arg(info.height)));
    }

    void rowsThatDoNotFitContinueOnTheNextPage()
    {
        SheetModel sheet;
        sheet.setSheetName(QStringLiteral("Programme"));
        for (int row = 1; row <= 80; ++row)
            sheet.setText(row, 1, QStringLiteral("Zeile%1").arg(row));
        const QString file = printToPdf(sheet, QStringLiteral("rows.pdf"));
        const PdfInfo info = pdfInfo(file);
        QCOMPARE(info.pages, 2);
        const QString first = pdfText(file, 1);
        const QString second = pdfText(file, 2);
        const QRegularExpression row1(QStringLiteral("\\bZeile1\\b"));
        QVERIFY(first.contains(row1));
        QVERIFY(!first.contains(QStringLiteral("Zeile80")));
        QVERIFY(second.contains(QStringLiteral("Zeile80")));
        QVERIFY(!second.contains(row1));
        QVERIFY(second.contains(QStringLiteral("Programme"))); // every page has the heading

        // At half the size the same rows fit on one page; the sheet keeps its scale.
        sheet.setPrintScale(50);
        QCOMPARE(pdfInfo(printToPdf(sheet, QStringLiteral("rows50.pdf"))).pages, 1);
        sheet.setPrintScale(150); // prints at 80
        QCOMPARE(pdfInfo(printToPdf(sheet, QStringLiteral("rows150.pdf"))).pages, 2);
        QCOMPARE(sheet.printScale(), 150);
    }

    void columnsThatDoNotFitContinueOnTheNextPage()
    {
        SheetModel sheet;
        for (int col = 1; col <= 6; ++col)
            sheet.setText(
                1, col, QStringLiteral("Spalte%1").arg(col, 2, 10, QLatin1Char('0')).leftJustified(20, 'x'));
        const QString file = printToPdf(sheet, QStringLiteral("cols.pdf"));
        QCOMPARE(pdfInfo(file).pages, 2);
        const QString first = pdfText(file, 1);
        const QString second = pdfText(file, 2);
        QVERIFY(first.contains(QStringLiteral("Spalte01")));
        QVERIFY(!first.contains(QStringLiteral("Spalte06")));
        QVERIFY(second.contains(QStringLiteral("Spalte06")));
        QVERIFY(!second.contains(QStringLiteral("Spalte01")));
    }

    void emptySheetPrintsNothing()
    {
        SheetModel sheet;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_dir.filePath(QStringLiteral("empty.pdf")));
        QString error;
        QVERIFY(!printSheet(sheet, printer, &error));
        QCOMPARE(error, QStringLiteral("Die Tabelle \"Tabelle1\" enthält nichts zum Drucken."));
    }
};

QTEST_MAIN(TestUiGrid)
#include "tst_ui_grid.moc"
