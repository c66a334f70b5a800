#pragma once
// The program's own icon: a deck oven with a lit baking chamber. Drawn rather than loaded,
// so the desktop program and the package's icon file come from one picture.

#include <QIcon>
#include <QImage>

namespace torvel {

QImage programIconImage(int size);
QIcon programIcon();

} // namespace torvel
