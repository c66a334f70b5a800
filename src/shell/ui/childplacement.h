#pragma once
// Where child windows go inside the frame: always fully inside the visible work area, and
// arranged without squeezing a list to a few rows or stretching a small fixed window.

#include <QRect>

class QMdiArea;
class QMdiSubWindow;

namespace torvel {

// `window` moved (and if need be shrunk) so that it lies fully inside `area`.
QRect fitInside(const QRect &window, const QRect &area);

// Marks a child whose content has one useful size (oven choice, clock): arranging never
// stretches it.
void setFixedSizeChild(QMdiSubWindow *sub, bool fixed);
bool isFixedSizeChild(const QMdiSubWindow *sub);

// Puts a newly shown child fully inside the work area.
void keepInside(QMdiArea *area, QMdiSubWindow *sub);

// "Überlappend": each window keeps its size (as far as the area allows), stepped down and
// to the right by the height of a caption.
void cascadeInside(QMdiArea *area);

// "Nebeneinander": the area split into a grid of cells, one per window; resizable windows
// fill their cell, fixed ones keep their size at the cell's corner.
void tileInside(QMdiArea *area);

} // namespace torvel
