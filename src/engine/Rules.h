// The rules both placement methods share: the fit tolerance, the kerf rule, the
// fit test and the offcut test.
#pragma once

#include <vector>

#include "model/Globals.h"

// Parts may overrun an available extent by less than this; smaller rectangles are empty.
inline constexpr double kCutTolerance = 0.00001;

struct EffectiveSize {
    double length;
    double width;
};

// Every part carries one kerf per axis; a part whose entered size equals the
// reference extent exactly needs no kerf on that axis.
inline EffectiveSize KerfRule(const TPartInfo& p, double refLength, double refWidth) {
    EffectiveSize e{p.length, p.width};
    if (g_sawwidth > 0) {
        if (refWidth + g_sawwidth == p.width) e.width = p.width - g_sawwidth;
        if (refLength + g_sawwidth == p.length) e.length = p.length - g_sawwidth;
    }
    return e;
}

inline bool Fits(const EffectiveSize& e, double availLength, double availWidth) {
    return e.length - kCutTolerance < availLength && e.width - kCutTolerance < availWidth;
}

// False as well when a value is not a number.
inline bool IsUsableOffcut(double length, double width) {
    return length >= g_minlength && width >= g_minwidth && length * width >= g_minarea;
}

inline void AppendOffcut(std::vector<TPartInfo>& offcuts, double x, double y, double length,
                         double width) {
    TPartInfo& o = offcuts.emplace_back();
    o.x = x;
    o.y = y;
    o.length = length;
    o.width = width;
}
