// The spreadsheet grid: the item model over a sheet, the view kept in step with the sheet,
// and printing a sheet onto pages (counted in the PDF with pdfinfo).

#include "bakeprog/programsheet.h"
#include "shell/appstate.h"
#include "shell/sheetmodel.h"
#include "shell/sheettablemodel.h"
#include "shell/ui/gridview.h"
#include "shell/ui/sheetprinter.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPrinter>
#include <QScrollBar>
#include <QProcess>
#include <QRegularExpression>
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

// The number of pages pdfinfo finds in a PDF.
int pdfPages(const QString &file)
{
    QProcess run;
    run.start(QStringLiteral("pdfinfo"), {file});
    run.waitForFinished(10000);
    static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
    return pages.match(QString::fromUtf8(run.readAllStandardOutput())).captured(1).toInt();
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
    void modelShowsCellsAsTheSheetDoes()
    {
        SheetModel sheet;
        fillPrograms(sheet);
        SheetTableModel model(&sheet);
        QVERIFY(model.rowCount() == 50 && model.columnCount() == 6);
        QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("Brot"));
        QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("60"));
        QCOMPARE(model.index(1, 1).data(Qt::EditRole).toString(), QStringLiteral("2.5"));
        const auto align = [&](int col) {
            return model.index(0, col).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask;
        };
        QVERIFY(align(1) == Qt::AlignRight && align(0) == Qt::AlignLeft); // numbers right, texts left
        QVERIFY(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
    }

    void modelEditsStoreNumbersThatReadBackAsTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("number");
        QTest::addColumn<QString>("shown");
        QTest::newRow("whole") << "60" << true << "60";
        QTest::newRow("decimal") << "2.5" << true << "2.5";
        QTest::newRow("leading zeros") << "007" << false << "007";
        QTest::newRow("trailing zero") << "1.50" << false << "1.50";
        QTest::newRow("comma") << "2,5" << false << "2,5";
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
        QCOMPARE(clicked, (QList<QVariantList>{{2, 3}}));
        QVERIFY(sheet.currentRow() == 2 && sheet.currentCol() == 3);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(doubleClicked, (QList<QVariantList>{{2, 3}}));
    }

    // Rows that do not fit go on to the next page; at half the size they fit on one.
    void rowsThatDoNotFitContinueOnTheNextPage()
    {
        SheetModel sheet;
        for (int row = 1; row <= 80; ++row)
            sheet.setText(row, 1, QStringLiteral("Zeile%1").arg(row));
        QCOMPARE(pdfPages(printToPdf(sheet, QStringLiteral("rows.pdf"))), 2);
        sheet.setPrintScale(50);
        QCOMPARE(pdfPages(printToPdf(sheet, QStringLiteral("rows50.pdf"))), 1);
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

    void valueHeadingsSayWhatTheyHold_data()
    {
        QTest::addColumn<bool>("damperSeconds");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("tip");
        QTest::newRow("top heat") << false << 2 << "Oberhitze Phase 1 in °C";
        QTest::newRow("bake time") << false << 9 << "Backzeit Phase 2 in Minuten";
        QTest::newRow("steam on") << false << 10 << "Schwaden 2: Sekunden EIN";
        QTest::newRow("damper in minutes") << false << 6 << "Abzug 1: Minuten ZU";
        QTest::newRow("damper in seconds") << true << 11 << "Abzug 2: Sekunden AUF";
        QTest::newRow("last column") << false << 24 << "Backzeit Phase 5 in Minuten";
    }
    void valueHeadingsSayWhatTheyHold()
    {
        QFETCH(bool, damperSeconds);
        QFETCH(int, column);
        QFETCH(QString, tip);
        SheetModel list;
        setupProgramSheet(list);
        describeProgramColumns(list, damperSeconds ? AppState::damperSecondsMinuteColumns()
                                                   : AppState::defaultMinuteColumns());
        SheetTableModel model(&list);
        QCOMPARE(model.headerData(column - 1, Qt::Horizontal, Qt::ToolTipRole).toString(), tip);
    }

    void namesStayInViewWhileTheValuesScroll()
    {
        SheetModel list;
        setupProgramSheet(list);
        list.setText(3, 1, QStringLiteral("Brötchen"));
        GridView grid(&list);
        grid.setFrozenColumns(1);
        grid.resize(500, 300);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QTableView *table = grid.table();
        table->horizontalScrollBar()->setValue(table->horizontalScrollBar()->maximum());
        QTableView *names = grid.frozenColumn();
        QVERIFY(names && names->isVisible());
        const QModelIndex name = table->model()->index(2, 0);
        // The name's cell is still on screen, right of the row numbers.
        QVERIFY(names->visualRect(name).isValid());
        QCOMPARE(names->x(), table->frameWidth() + table->verticalHeader()->width());
        // Typing on a name edits it where it can be seen, and the values stay scrolled.
        const int scrolled = table->horizontalScrollBar()->value();
        list.setCurrentCell(3, 1);
        table->setFocus();
        QTest::keyClicks(table, "S");
        QVERIFY(names->viewport()->findChild<QLineEdit *>());
        QCOMPARE(table->horizontalScrollBar()->value(), scrolled);
    }
};

QTEST_MAIN(TestUiGrid)
#include "tst_ui_grid.moc"
