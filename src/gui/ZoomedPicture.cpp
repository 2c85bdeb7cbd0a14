#include "gui/ZoomedPicture.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "gui/LayoutPicture.h"

namespace tarvex {

ZoomedPicture::ZoomedPicture(LayoutPicture* picture, QWidget* parent)
    : QScrollArea(parent), picture_(picture) {
    setObjectName(QStringLiteral("scrLayout"));
    setWidgetResizable(false);
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::NoFrame);
    setWidget(picture_);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(200, 150);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->installEventFilter(this);
    picture_->installEventFilter(this);
}

void ZoomedPicture::ZoomIn() {
    ZoomTo(zoom_ * kStep, viewport()->rect().center());
}

void ZoomedPicture::ZoomOut() {
    ZoomTo(zoom_ / kStep, viewport()->rect().center());
}

void ZoomedPicture::Fit() {
    ZoomTo(1.0, viewport()->rect().center());
}

void ZoomedPicture::FitPictureSize() {
    const QSize view = viewport()->size();
    picture_->resize(std::max(1, static_cast<int>(view.width() * zoom_)),
                     std::max(1, static_cast<int>(view.height() * zoom_)));
}

void ZoomedPicture::ZoomTo(double zoom, QPoint anchor) {
    zoom = std::clamp(zoom, 1.0, kMost);
    if (zoom == zoom_) return;
    // The picture's point under the anchor, as a fraction of the picture.
    const QPointF at = picture_->mapFrom(viewport(), anchor);
    const QPointF fraction(at.x() / std::max(1, picture_->width()),
                           at.y() / std::max(1, picture_->height()));
    zoom_ = zoom;
    // Below the fit the scroll bars go; the view is as large as it gets.
    const Qt::ScrollBarPolicy bars = zoom_ > 1.0 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    setHorizontalScrollBarPolicy(bars);
    setVerticalScrollBarPolicy(bars);
    FitPictureSize();
    horizontalScrollBar()->setValue(
        static_cast<int>(fraction.x() * picture_->width() - anchor.x()));
    verticalScrollBar()->setValue(static_cast<int>(fraction.y() * picture_->height() - anchor.y()));
    Q_EMIT zoomChanged(zoom_);
}

void ZoomedPicture::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    FitPictureSize();
}

bool ZoomedPicture::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        const int steps = wheel->angleDelta().y() / 120;
        if (steps != 0) {
            const QPoint anchor = viewport()->mapFromGlobal(wheel->globalPosition().toPoint());
            double zoom = zoom_;
            for (int i = 0; i < std::abs(steps); ++i)
                zoom = steps > 0 ? zoom * kStep : zoom / kStep;
            ZoomTo(zoom, anchor);
        }
        return true;
    }
    return QScrollArea::eventFilter(watched, event);
}

void ZoomedPicture::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            ZoomIn();
            return;
        case Qt::Key_Minus:
            ZoomOut();
            return;
        case Qt::Key_0:
            Fit();
            return;
        default:
            QScrollArea::keyPressEvent(event);
    }
}

}  // namespace tarvex
