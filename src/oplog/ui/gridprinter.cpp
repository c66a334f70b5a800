#include "gridprinter.h"

#include "oplog/loggrid.h"
#include "shell/sheetmodel.h"

#include <QPainter>
#include <QPrinter>

#include <cmath>

namespace torvel {

namespace {
// All in 0.1 mm.
constexpr int kTopBand = 100;
constexpr int kBottomBand = 200;
constexpr int kLinePitch = 36;
constexpr int kLeftMargin = 20;
constexpr int kTitleTop = 20;
constexpr int kTitleHeight = 48;
constexpr int kFooterAbove = 150;
constexpr int kRuleWidth = 5;
constexpr int kFirstLine = 110;
constexpr int kCellWidthFactor = 3;

// Whole millimetres, in tenths. The page size is taken in millimetres rather than in device
// pixels: a driver's pixel count rounded down would cost an A4 page its last millimetre.
int tenthsOfMillimetre(qreal millimetres)
{
    return static_cast<int>(std::floor(millimetres + 1e-6)) * 10;
}

class PagePainter
{
public:
    PagePainter(QPainter &painter, int dpi, const SheetModel &grid, const QList<int> &widths)
        : m_painter(painter), m_scale(dpi / 254.0), m_grid(grid), m_widths(widths)
    {
    }

    int px(int tenths) const { return static_cast<int>(std::lround(tenths * m_scale)); }

    void text(int x, int y, int width, int height, Qt::Alignment align, const QString &s)
    {
        m_painter.drawText(QRect(px(x), px(y), px(width), px(2 * height)), align | Qt::AlignTop | Qt::TextSingleLine,
                           s);
    }

    void setFont(int height, bool bold)
    {
        QFont font = m_painter.font();
        font.setPixelSize(std::max(1, px(height)));
        font.setBold(bold);
        m_painter.setFont(font);
    }

    void row(int row, int y, int pageWidth)
    {
        int x = kLeftMargin;
        const QStringList cells = logGridRow(m_grid, row);
        for (qsizetype col = 0; col < cells.size() && x < pageWidth; ++col) {
            text(x, y, pageWidth - x, kLinePitch, Qt::AlignLeft, cells.at(col));
            x += kCellWidthFactor * (col < m_widths.size() ? m_widths.at(col) : kLogColumnWidths.value(col, 50));
        }
    }

private:
    QPainter &m_painter;
    qreal m_scale;
    const SheetModel &m_grid;
    const QList<int> &m_widths;
};

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}
} // namespace

GridPrintLayout gridPrintLayout(const QPrinter &printer, int rows)
{
    GridPrintLayout layout;
    if (printer.resolution() <= 0)
        return layout;
    const QRectF page = printer.pageLayout().fullRect(QPageLayout::Millimeter);
    layout.width = tenthsOfMillimetre(page.width());
    layout.height = tenthsOfMillimetre(page.height());
    layout.linesPerPage = (layout.height - kTopBand - kBottomBand) / kLinePitch - 2;
    if (layout.usable())
        layout.pages = (rows + layout.linesPerPage - 1) / layout.linesPerPage;
    return layout;
}

bool PrintGrid(QPrinter &printer, const SheetModel &grid, const QList<int> &columnWidths, const QString &title,
               QPageLayout::Orientation orientation, bool repeatHeader, QString *error)
{
    printer.setPageOrientation(orientation);
    printer.setDocName(title);
    printer.setFullPage(true); // positions count from the corner of the paper
    const int rows = logGridRowCount(grid);
    const GridPrintLayout layout = gridPrintLayout(printer, rows);
    if (!layout.usable())
        return fail(error, QStringLiteral("Der Drucker meldet kein brauchbares Papierformat: nichts gedruckt."));

    QPainter painter;
    if (!painter.begin(&printer))
        return fail(error, QStringLiteral("Der Drucker lässt sich nicht öffnen."));
    PagePainter page(painter, printer.resolution(), grid, columnWidths);
    const int n = layout.linesPerPage;
    for (int p = 1; p <= layout.pages; ++p) {
        page.setFont(kTitleHeight, false);
        page.text(0, kTitleTop, layout.width, kTitleHeight, Qt::AlignHCenter, title);
        painter.setPen(QPen(Qt::black, page.px(kRuleWidth)));
        painter.drawLine(0, page.px(kTopBand), page.px(layout.width), page.px(kTopBand));
        painter.drawLine(0, page.px(layout.height - kBottomBand), page.px(layout.width),
                         page.px(layout.height - kBottomBand));
        page.setFont(kLinePitch, false);
        page.text(0, layout.height - kFooterAbove, layout.width, kLinePitch, Qt::AlignHCenter,
                  QStringLiteral("Seite: %1 von %2").arg(p).arg(layout.pages));

        int y = kFirstLine;
        for (int k = 1; k <= n; ++k) {
            bool bold = repeatHeader && k == 1;
            if (bold && p > 1) {
                // The titles again on top of every further page.
                page.setFont(kLinePitch, true);
                page.row(0, y, layout.width);
                y += kLinePitch;
                bold = false;
            }
            page.setFont(kLinePitch, bold);
            const int row = (p - 1) * n + k - 1;
            if (row < rows) {
                page.row(row, y, layout.width);
                y += kLinePitch;
            }
        }
        if (p < layout.pages && !printer.newPage()) {
            painter.end();
            return fail(error, QStringLiteral("Der Drucker hat Seite %1 nicht angenommen.").arg(p + 1));
        }
    }
    if (!painter.end())
        return fail(error, QStringLiteral("Der Ausdruck ist fehlgeschlagen."));
    return true;
}

} // namespace torvel
