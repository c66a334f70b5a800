#include "programicon.h"

#include <QPainter>

namespace torvel {

QImage programIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    // Oven body.
    p.setPen(QPen(QColor(70, 45, 25), 2));
    p.setBrush(QColor(181, 84, 32));
    p.drawRoundedRect(QRectF(4, 6, 56, 52), 7, 7);
    // Two decks, the upper one glowing.
    p.setPen(Qt::NoPen);
    QLinearGradient glow(0, 14, 0, 30);
    glow.setColorAt(0, QColor(255, 214, 102));
    glow.setColorAt(1, QColor(236, 128, 36));
    p.setBrush(glow);
    p.drawRoundedRect(QRectF(11, 13, 42, 17), 3, 3);
    p.setBrush(QColor(60, 36, 20));
    p.drawRoundedRect(QRectF(11, 35, 42, 17), 3, 3);
    // A loaf on the upper deck.
    p.setBrush(QColor(140, 78, 30));
    p.drawEllipse(QRectF(22, 19, 20, 9));
    // Control light.
    p.setBrush(QColor(120, 220, 90));
    p.drawEllipse(QRectF(50, 40, 6, 6));
    return image;
}

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(programIconImage(size)));
    return icon;
}

} // namespace torvel
