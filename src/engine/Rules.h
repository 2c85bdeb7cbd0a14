// The rules both placement methods share: the kerf rule, the fit test within the
// cut tolerance and the offcut test.
#pragma once

#include <limits>
#include <vector>

#include "model/CutSettings.h"
#include "model/Part.h"
#include "model/Placement.h"
#include "model/Tolerances.h"

namespace tarvex {

struct EffectiveSize {
    double length;
    double width;
};

// A reference extent that no size equals: the kerf on that axis always stays.
inline constexpr double kNoReference = std::numeric_limits<double>::quiet_NaN();

// Every part carries one kerf per axis; a part whose entered size equals the
// reference extent exactly needs no kerf on that axis.
inline EffectiveSize KerfRule(const Part& p, double refLength, double refWidth, double kerf) {
    EffectiveSize e{p.length, p.width};
    if (kerf > 0) {
        if (refWidth + kerf == p.width) e.width = p.width - kerf;
        if (refLength + kerf == p.length) e.length = p.length - kerf;
    }
    return e;
}

inline bool Fits(const EffectiveSize& e, double availLength, double availWidth) {
    return e.length - kCutTolerance < availLength && e.width - kCutTolerance < availWidth;
}

inline void AppendOffcut(std::vector<Offcut>& offcuts, double x, double y, double length,
                         double width) {
    offcuts.push_back(Offcut{x, y, length, width});
}

}  // namespace tarvex
