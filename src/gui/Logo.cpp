#include "gui/Logo.h"

#include <QPainter>

namespace tarvex {

QPixmap TarvexLogo(int size) {
    QPixmap logo(size, size);
    logo.fill(Qt::transparent);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    // A stock sheet cut into four parts, one of them lifted out.
    p.setPen(QPen(QColor(40, 70, 110), 2.5));
    p.setBrush(QColor(232, 214, 176));
    p.drawRoundedRect(QRectF(4, 10, 56, 44), 3, 3);
    p.setBrush(QColor(196, 160, 104));
    p.drawRect(QRectF(8, 14, 26, 20));
    p.drawRect(QRectF(8, 37, 26, 13));
    p.drawRect(QRectF(37, 14, 19, 36));
    p.setBrush(QColor(80, 160, 90));
    p.drawRect(QRectF(40, 4, 20, 14));
    return logo;
}

}  // namespace tarvex
