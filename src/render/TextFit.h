// Texts of a drawing that stay readable: each is set at the largest size, from
// the drawing's text size down to a readable smallest one, at which it lies
// inside its area and clear of every text set before it, level or, in a narrow
// area, turned to read upward; a text that fits at no such size is left out
// rather than run over its neighbours.
#pragma once

#include <QFont>
#include <QPaintDevice>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

namespace tarvex {

struct FittedText {
    QRectF box;  // the text is drawn centred in it
    QString text;
    qreal pixelSize = 0;  // in the target's pixels
    bool turned = false;  // turned a quarter left: it reads upward along the box
};

// Where in its area a text may go.
struct TextSpot {
    enum class Kind {
        Centre,
        AboveCentre,   // its lower edge on the area's middle
        BelowCentre,   // its upper edge on the area's middle
        BottomCentre,  // along the lower edge
        RightMiddle,   // along the right edge
        TopLeft,
        AroundPoint,  // centred on `point`
        LeftOfPoint,  // its right edge's middle on `point`
        RightOfPoint,
        AbovePoint,  // its lower edge's middle on `point`
        BelowPoint,
    };
    TextSpot(Kind k, QPointF at = {}) : kind(k), point(at) {}

    Kind kind;
    QPointF point;
};

class TextFitter {
  public:
    // Sizes are pixels of `device` (nullptr: the screen's).
    TextFitter(const QFont& font, const QPaintDevice* device, qreal largestPixels,
               qreal smallestPixels);

    // The text at the largest size at which one of the spots (tried in order at
    // each size) keeps it inside `area` and off every text fitted so far; it
    // then stays in the way of later texts. Nothing when no size fits.
    // Where `mayTurn`, each size is tried level first, then turned.
    std::optional<FittedText> Fit(const QString& text, const QRectF& area,
                                  const std::vector<TextSpot>& spots, bool mayTurn = false);

    // The text cut at its end with "…" so that at the smallest size it is no
    // longer than `room` pixels; the text itself where it is not longer.
    QString Elided(const QString& text, qreal room) const;

    // The font a fitted text is drawn in.
    QFont FontOf(const FittedText& fitted) const;

  private:
    QSizeF Measure(const QString& text, qreal pixels) const;

    QFont font_;
    const QPaintDevice* device_;
    qreal largest_, smallest_;
    std::vector<QRectF> taken_;
};

// The pixel size of a font on a device: its pixel size, or its point size at the
// device's resolution.
qreal FontPixels(const QFont& font, const QPaintDevice* device);

}  // namespace tarvex
