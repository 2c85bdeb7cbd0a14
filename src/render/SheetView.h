// A sheet as the drawings show it, the way the DXF drawing and the CNC program
// describe it: x to the right, y upward, the sheet's corner at the bottom left.
// Edges fall on whole pixels (truncated toward zero), so neighbouring rectangles
// share their edges.
#pragma once

#include <QPointF>
#include <QRect>
#include <cmath>

namespace tarvex {

struct SheetView {
    double scale = 1.0;
    int width = 0;   // the sheet's length in pixels
    int height = 0;  // the sheet's width in pixels

    SheetView(double s, double sheetLength, double sheetWidth)
        : scale(s), width(Trunc(s * sheetLength)), height(Trunc(s * sheetWidth)) {}

    static int Trunc(double v) { return static_cast<int>(std::trunc(v)); }

    // The pixels from the left and upper edges up to, not including, the right
    // and lower ones.
    QRect Box(double x, double y, double along, double across) const {
        const int left = Trunc(scale * x), right = Trunc(scale * (x + along));
        const int top = height - Trunc(scale * (y + across)), bottom = height - Trunc(scale * y);
        return QRect(left, top, right - left, bottom - top);
    }
    template <class Rectangle>
    QRect Box(const Rectangle& r) const {
        return Box(r.x, r.y, r.length, r.width);
    }
    QPointF Point(double x, double y) const { return QPointF(scale * x, height - scale * y); }
    QRect Sheet() const { return QRect(0, 0, width, height); }
};

}  // namespace tarvex
