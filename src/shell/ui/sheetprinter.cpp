#include "sheetprinter.h"

#include "shell/sheetmodel.h"
#include "shell/sheettablemodel.h"

#include <QFontMetricsF>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

namespace torvel {

namespace {

constexpr int kFallbackScale = 80;
constexpr qreal kCellPoints = 10;  // cell text before scaling
constexpr qreal kTitlePoints = 12; // page heading and page number stay unscaled
constexpr qreal kFooterPoints = 9;
constexpr qreal kPaddingPoints = 2;

// A run of rows or columns that fits on one page: first and last sheet index.
struct Run {
    int first;
    int last;
};

// Cuts `sizes` (of the items from `first` on) into runs that fit `room`; an item too large
// for a page gets one of its own.
QList<Run> splitRuns(int first, const QList<qreal> &sizes, qreal room)
{
    QList<Run> runs;
    qreal used = 0;
    for (int i = 0; i < sizes.size(); ++i) {
        if (runs.isEmpty() || used + sizes[i] > room) {
            runs.append({first + i, first + i});
            used = 0;
        }
        runs.last().last = first + i;
        used += sizes[i];
    }
    return runs;
}

// Sizes in printer pixels, worked out once for all pages.
class SheetLayout
{
public:
    SheetLayout(const SheetModel &sheet, const QRect &area, QPrinter &printer, int scale)
        : m_sheet(sheet), m_area(area)
    {
        const qreal point = printer.resolution() / 72.0;
        const qreal scaled = point * scale / 100.0;
        m_cellFont.setPointSizeF(kCellPoints * scale / 100.0);
        m_headingFont = m_cellFont;
        m_headingFont.setBold(true);
        m_titleFont.setPointSizeF(kTitlePoints);
        m_titleFont.setBold(true);
        m_footerFont.setPointSizeF(kFooterPoints);
        m_padding = kPaddingPoints * scaled;
        m_line = 0.5 * point;

        const QFontMetricsF cells(m_cellFont, &printer);
        const QFontMetricsF headings(m_headingFont, &printer);
        m_rowHeight = std::max(cells.height(), headings.height()) + 2 * m_padding;
        m_titleHeight = QFontMetricsF(m_titleFont, &printer).height() + 6 * point;
        m_footerHeight = QFontMetricsF(m_footerFont, &printer).height() + 4 * point;
        const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
        m_page = QRectF(0, 0, page.width(), page.height());

        const bool withHeadings = sheet.printHeadings();
        m_colWidths.fill(cells.horizontalAdvance(QStringLiteral("00000000")) + 2 * m_padding, area.width());
        // Only filled cells count; the map walks them without touching the empty ones.
        const auto &filled = sheet.cells();
        for (auto it = filled.cbegin(); it != filled.cend(); ++it) {
            const auto [row, col] = it.key();
            if (area.contains(col, row)) {
                qreal &width = m_colWidths[col - area.left()];
                width = std::max(width, cells.horizontalAdvance(sheet.text(row, col)) + 2 * m_padding);
            }
        }
        if (withHeadings) {
            for (int col = area.left(); col <= area.right(); ++col) {
                qreal &width = m_colWidths[col - area.left()];
                const QString text = SheetTableModel::colHeadingText(sheet, col);
                width = std::max(width, headings.horizontalAdvance(text) + 2 * m_padding);
            }
            m_rowHeadingWidth = headings.horizontalAdvance(sheet.cornerText()) + 2 * m_padding;
            for (int row = area.top(); row <= area.bottom(); ++row) {
                const QString text = SheetTableModel::rowHeadingText(sheet, row);
                m_rowHeadingWidth =
                    std::max(m_rowHeadingWidth, headings.horizontalAdvance(text) + 2 * m_padding);
            }
            m_colHeadingHeight = m_rowHeight;
        }
        // A column wider than a page is cut off at the page edge.
        m_rowHeadingWidth = std::min(m_rowHeadingWidth, m_page.width() / 2);
        for (qreal &width : m_colWidths)
            width = std::min(width, m_page.width() - m_rowHeadingWidth);

        const QList<Run> colRuns = splitRuns(area.left(), m_colWidths, m_page.width() - m_rowHeadingWidth);
        const qreal rowRoom = m_page.height() - m_titleHeight - m_footerHeight - m_colHeadingHeight;
        const QList<Run> rowRuns = splitRuns(area.top(), QList<qreal>(area.height(), m_rowHeight), rowRoom);
        for (const Run &cols : colRuns)
            for (const Run &rows : rowRuns)
                m_pages.append({rows, cols});
    }

    int pageCount() const { return static_cast<int>(m_pages.size()); }

    void drawPage(QPainter &painter, int index) const
    {
        const auto &[rows, cols] = m_pages.at(index);
        painter.setPen(QPen(Qt::black, m_line));

        painter.setFont(m_titleFont);
        painter.drawText(QRectF(0, 0, m_page.width(), m_titleHeight), Qt::AlignHCenter | Qt::AlignTop,
                         m_sheet.sheetName());
        painter.setFont(m_footerFont);
        painter.drawText(QRectF(0, m_page.height() - m_footerHeight, m_page.width(), m_footerHeight),
                         Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("Seite %1").arg(index + 1));

        const qreal left = m_rowHeadingWidth;
        const qreal top = m_titleHeight + m_colHeadingHeight;
        if (m_sheet.printHeadings()) {
            painter.setFont(m_headingFont);
            drawCell(painter, QRectF(0, m_titleHeight, left, m_colHeadingHeight), m_sheet.cornerText(),
                     Qt::AlignCenter, true);
            qreal x = left;
            for (int col = cols.first; col <= cols.last; ++col) {
                const qreal width = columnWidth(col);
                drawCell(painter, QRectF(x, m_titleHeight, width, m_colHeadingHeight),
                         SheetTableModel::colHeadingText(m_sheet, col), Qt::AlignCenter, true);
                x += width;
            }
            qreal y = top;
            for (int row = rows.first; row <= rows.last; ++row, y += m_rowHeight)
                drawCell(painter, QRectF(0, y, left, m_rowHeight),
                         SheetTableModel::rowHeadingText(m_sheet, row), Qt::AlignLeft, true);
        }

        painter.setFont(m_cellFont);
        qreal y = top;
        for (int row = rows.first; row <= rows.last; ++row, y += m_rowHeight) {
            qreal x = left;
            for (int col = cols.first; col <= cols.last; ++col) {
                const qreal width = columnWidth(col);
                // Numbers line up on the right, as on screen.
                const Qt::Alignment align = m_sheet.isNumber(row, col) ? Qt::AlignRight : Qt::AlignLeft;
                drawCell(painter, QRectF(x, y, width, m_rowHeight), m_sheet.text(row, col), align, false);
                x += width;
            }
        }
    }

private:
    qreal columnWidth(int col) const { return m_colWidths.at(col - m_area.left()); }

    void drawCell(QPainter &painter, const QRectF &rect, const QString &text, Qt::Alignment align,
                  bool heading) const
    {
        if (heading)
            painter.fillRect(rect, QColor(225, 225, 225));
        painter.drawRect(rect);
        if (text.isEmpty())
            return;
        const QRectF inner = rect.adjusted(m_padding, 0, -m_padding, 0);
        painter.save();
        painter.setClipRect(inner);
        painter.drawText(inner, align | Qt::AlignVCenter | Qt::TextSingleLine, text);
        painter.restore();
    }

    const SheetModel &m_sheet;
    QRect m_area;
    QFont m_cellFont;
    QFont m_headingFont;
    QFont m_titleFont;
    QFont m_footerFont;
    QRectF m_page;
    qreal m_padding = 0;
    qreal m_line = 0;
    qreal m_rowHeight = 0;
    qreal m_titleHeight = 0;
    qreal m_footerHeight = 0;
    qreal m_rowHeadingWidth = 0;
    qreal m_colHeadingHeight = 0;
    QList<qreal> m_colWidths;
    QList<std::pair<Run, Run>> m_pages; // rows, columns
};

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

} // namespace

int printingScale(int percent)
{
    return percent >= 1 && percent <= 100 ? percent : kFallbackScale;
}

bool printSheet(const SheetModel &sheet, QPrinter &printer, QString *error)
{
    const QRect area = sheet.effectivePrintArea();
    if (area.isEmpty())
        return fail(error,
                    QStringLiteral("Die Tabelle \"%1\" enthält nichts zum Drucken.").arg(sheet.sheetName()));

    printer.setDocName(sheet.sheetName());
    printer.setPageOrientation(sheet.landscape() ? QPageLayout::Landscape : QPageLayout::Portrait);
    const SheetLayout layout(sheet, area, printer, printingScale(sheet.printScale()));

    // Pages the print dialog asked for, counted from 1.
    int first = 1;
    int last = layout.pageCount();
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(first, printer.fromPage());
        last = std::min(last, printer.toPage() > 0 ? printer.toPage() : last);
    }
    if (first > last)
        return fail(error, QStringLiteral("Die gewählten Seiten gibt es nicht; der Ausdruck hat %1 Seiten.")
                               .arg(layout.pageCount()));

    QPainter painter;
    if (!painter.begin(&printer))
        return fail(error, QStringLiteral("Der Drucker lässt sich nicht öffnen."));
    for (int page = first; page <= last; ++page) {
        if (page > first && !printer.newPage()) {
            painter.end();
            return fail(error, QStringLiteral("Der Drucker hat Seite %1 nicht angenommen.").arg(page));
        }
        layout.drawPage(painter, page - 1);
    }
    if (!painter.end())
        return fail(error, QStringLiteral("Der Ausdruck ist fehlgeschlagen."));
    return true;
}

bool printSheetWithDialog(const SheetModel &sheet, QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(sheet.landscape() ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Drucken"));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    QString error;
    if (printSheet(sheet, printer, &error))
        return true;
    QMessageBox::warning(parent, QStringLiteral("Drucken"), error);
    return false;
}

} // namespace torvel
