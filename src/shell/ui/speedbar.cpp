#include "speedbar.h"

#include <QLabel>
#include <QPainter>
#include <QStyle>

namespace torvel {

namespace {
// Glyphs the style has no icon for: a few letters on a rounded tile.
QIcon letterIcon(const QString &letters, const QColor &colour)
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(colour);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(2, 2, 28, 28), 5, 5);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(letters.size() > 2 ? 10 : 13);
    p.setFont(f);
    p.drawText(pm.rect(), Qt::AlignCenter, letters);
    return QIcon(pm);
}
// A printer: body, paper sheet on top, output tray.
QIcon printerIcon()
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 3, 14, 10));
    p.setBrush(QColor(120, 120, 120));
    p.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 19, 14, 10));
    return QIcon(pm);
}

// A clock face with hands at ten past ten.
QIcon clockIcon()
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(30, 120, 60), 2.5));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(3, 3, 26, 26));
    p.setPen(QPen(QColor(40, 40, 40), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 16), QPointF(11, 10));
    p.drawLine(QPointF(16, 16), QPointF(23, 9));
    return QIcon(pm);
}
} // namespace

SpeedBar::SpeedBar(QWidget *parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("SpeedBar"));
    setMovable(false);
    setIconSize(QSize(24, 24));
}

QAction *SpeedBar::addButton(const QString &hint, Glyph glyph, std::function<void()> run)
{
    QIcon icon;
    switch (glyph) {
    case Open:
        icon = style()->standardIcon(QStyle::SP_DialogOpenButton);
        break;
    case Save:
        icon = style()->standardIcon(QStyle::SP_DialogSaveButton);
        break;
    case Print:
        icon = printerIcon();
        break;
    case Search:
        icon = letterIcon(QStringLiteral("V"), QColor(30, 90, 160));
        break;
    case Clock:
        icon = clockIcon();
        break;
    case Programs:
        icon = letterIcon(QStringLiteral("BP"), QColor(170, 80, 20));
        break;
    case Night:
        icon = letterIcon(QStringLiteral("N"), QColor(40, 40, 110));
        break;
    }
    QAction *a = addAction(icon, hint);
    a->setToolTip(hint);
    a->setStatusTip(QString());
    connect(a, &QAction::triggered, this, [run = std::move(run)] { run(); });
    return a;
}

void SpeedBar::addLogo()
{
    auto *spacer = new QWidget(this);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    addWidget(spacer);
    auto *logo = new QLabel(QStringLiteral("<b><font color='#b04010'>VKS</font> Torvel</b>"), this);
    logo->setObjectName(QStringLiteral("Logo"));
    logo->setContentsMargins(8, 0, 8, 0);
    addWidget(logo);
}

} // namespace torvel
