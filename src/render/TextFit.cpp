#include "render/TextFit.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace tarvex {

namespace {

// Each step takes a tenth off, so that a text shrinks no more than it must.
constexpr qreal kShrink = 0.9;

QRectF Placed(const TextSpot& spot, const QRectF& area, const QSizeF& size) {
    const qreal w = size.width(), h = size.height();
    const QPointF c = area.center();
    switch (spot.kind) {
        case TextSpot::Kind::Centre:
            return QRectF(c.x() - w / 2, c.y() - h / 2, w, h);
        case TextSpot::Kind::AboveCentre:
            return QRectF(c.x() - w / 2, c.y() - h, w, h);
        case TextSpot::Kind::BelowCentre:
            return QRectF(c.x() - w / 2, c.y(), w, h);
        case TextSpot::Kind::BottomCentre:
            return QRectF(c.x() - w / 2, area.bottom() - h, w, h);
        case TextSpot::Kind::RightMiddle:
            return QRectF(area.right() - w, c.y() - h / 2, w, h);
        case TextSpot::Kind::TopLeft:
            return QRectF(area.topLeft(), size);
        case TextSpot::Kind::AroundPoint:
            return QRectF(spot.point.x() - w / 2, spot.point.y() - h / 2, w, h);
        case TextSpot::Kind::LeftOfPoint:
            return QRectF(spot.point.x() - w, spot.point.y() - h / 2, w, h);
        case TextSpot::Kind::RightOfPoint:
            return QRectF(spot.point.x(), spot.point.y() - h / 2, w, h);
        case TextSpot::Kind::AbovePoint:
            return QRectF(spot.point.x() - w / 2, spot.point.y() - h, w, h);
        case TextSpot::Kind::BelowPoint:
            return QRectF(spot.point.x() - w / 2, spot.point.y(), w, h);
    }
    return {};
}

bool Inside(const QRectF& box, const QRectF& area) {
    return box.left() >= area.left() && box.top() >= area.top() && box.right() <= area.right() &&
           box.bottom() <= area.bottom();
}

}  // namespace

qreal FontPixels(const QFont& font, const QPaintDevice* device) {
    if (font.pixelSize() > 0) return font.pixelSize();
    const int dpi = device ? device->logicalDpiY() : 96;
    return font.pointSizeF() * dpi / 72.0;
}

TextFitter::TextFitter(const QFont& font, const QPaintDevice* device, qreal largestPixels,
                       qreal smallestPixels)
    : font_(font),
      device_(device),
      largest_(std::max<qreal>(1, largestPixels)),
      smallest_(std::clamp<qreal>(smallestPixels, 1, largest_)) {}

QFont TextFitter::FontOf(const FittedText& fitted) const {
    QFont font = font_;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(fitted.pixelSize))));
    return font;
}

QSizeF TextFitter::Measure(const QString& text, qreal pixels) const {
    QFont font = font_;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    const QFontMetricsF metrics = device_ ? QFontMetricsF(font, device_) : QFontMetricsF(font);
    // A little air on each side, so that a text never touches what it sits in.
    const qreal pad = std::max<qreal>(1, pixels * 0.1);
    return QSizeF(metrics.horizontalAdvance(text) + 2 * pad, metrics.height() + pad);
}

std::optional<FittedText> TextFitter::Fit(const QString& text, const QRectF& area,
                                          const std::vector<TextSpot>& spots, bool mayTurn) {
    if (text.isEmpty()) return std::nullopt;
    for (qreal pixels = largest_;; pixels = std::max(smallest_, pixels * kShrink)) {
        const QSizeF level = Measure(text, pixels);
        for (const bool turned : {false, true}) {
            if (turned && !mayTurn) break;
            const QSizeF size = turned ? level.transposed() : level;
            for (const TextSpot& spot : spots) {
                const QRectF box = Placed(spot, area, size);
                if (!Inside(box, area)) continue;
                if (std::any_of(taken_.begin(), taken_.end(),
                                [&](const QRectF& t) { return t.intersects(box); }))
                    continue;
                taken_.push_back(box);
                return FittedText{box, text, pixels, turned};
            }
        }
        if (pixels <= smallest_) return std::nullopt;
    }
}

QString TextFitter::Elided(const QString& text, qreal room) const {
    const qreal pad = Measure(QString(), smallest_).width();
    QFont font = font_;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(smallest_))));
    const QFontMetricsF metrics = device_ ? QFontMetricsF(font, device_) : QFontMetricsF(font);
    return metrics.elidedText(text, Qt::ElideRight, std::max<qreal>(0, room - pad));
}

}  // namespace tarvex
