#include "gui/LayoutPicture.h"

#include <QPainter>

namespace tarvex {

LayoutPicture::LayoutPicture(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("imgLayout"));
}

void LayoutPicture::SetPainter(Painter painter) {
    painter_ = std::move(painter);
    update();
}

void LayoutPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (painter_) painter_(p, rect());
}

}  // namespace tarvex
