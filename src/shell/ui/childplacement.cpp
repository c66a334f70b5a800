#include "childplacement.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace torvel {

namespace {
const char *const kFixedProperty = "torvelFixedSize";

QRect workArea(const QMdiArea *area)
{
    return QRect(QPoint(0, 0), area->viewport()->size());
}

QList<QMdiSubWindow *> arrangeable(const QMdiArea *area)
{
    QList<QMdiSubWindow *> subs;
    for (QMdiSubWindow *sub : area->subWindowList(QMdiArea::CreationOrder))
        if (sub->isVisible() && !sub->isMinimized())
            subs << sub;
    return subs;
}
} // namespace

QRect fitInside(const QRect &window, const QRect &area)
{
    if (area.isEmpty())
        return window;
    QRect r(window.topLeft(), window.size().boundedTo(area.size()));
    if (r.right() > area.right())
        r.moveRight(area.right());
    if (r.bottom() > area.bottom())
        r.moveBottom(area.bottom());
    if (r.left() < area.left())
        r.moveLeft(area.left());
    if (r.top() < area.top())
        r.moveTop(area.top());
    return r;
}

void setFixedSizeChild(QMdiSubWindow *sub, bool fixed)
{
    sub->setProperty(kFixedProperty, fixed);
}

bool isFixedSizeChild(const QMdiSubWindow *sub)
{
    return sub->property(kFixedProperty).toBool();
}

void keepInside(QMdiArea *area, QMdiSubWindow *sub)
{
    if (sub->isMaximized() || sub->isMinimized())
        return;
    const QRect inside = fitInside(sub->geometry(), workArea(area));
    if (inside != sub->geometry())
        sub->setGeometry(inside);
}

void cascadeInside(QMdiArea *area)
{
    const QRect bounds = workArea(area);
    const QList<QMdiSubWindow *> subs = arrangeable(area);
    if (subs.isEmpty() || bounds.isEmpty())
        return;
    const int step = std::max(12, area->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, subs.first()));
    int k = 0;
    for (QMdiSubWindow *sub : subs) {
        sub->showNormal();
        QRect r(QPoint(k * step, k * step), sub->size().boundedTo(bounds.size()));
        if (!bounds.contains(r)) {
            k = 0; // start again at the corner instead of pushing windows out of sight
            r.moveTopLeft(QPoint(0, 0));
        }
        sub->setGeometry(fitInside(r, bounds));
        sub->raise();
        ++k;
    }
}

void tileInside(QMdiArea *area)
{
    const QRect bounds = workArea(area);
    const QList<QMdiSubWindow *> subs = arrangeable(area);
    if (subs.isEmpty() || bounds.isEmpty())
        return;
    const int n = static_cast<int>(subs.size());
    const int cols = static_cast<int>(std::ceil(std::sqrt(double(n))));
    const int rows = (n + cols - 1) / cols;
    const int cellW = bounds.width() / cols;
    const int cellH = bounds.height() / rows;
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow *sub = subs.at(i);
        sub->showNormal();
        const QRect cell(bounds.left() + (i % cols) * cellW, bounds.top() + (i / cols) * cellH, cellW, cellH);
        const QRect r = isFixedSizeChild(sub) ? QRect(cell.topLeft(), sub->size()) : cell;
        sub->setGeometry(fitInside(r, bounds));
    }
}

} // namespace torvel
