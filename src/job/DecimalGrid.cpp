#include "job/DecimalGrid.h"

#include <cmath>
#include <initializer_list>

namespace {

constexpr int kMostDecimals = 6;
// The noise of sums of doubles stays far below this part of a value, while a grid
// step of 10^-6 on sizes up to 10^7 is far above it.
constexpr double kNoise = 1e-11;

// Whether `v` is a whole number of grid steps: read from a decimal text of that
// many decimals it is the double nearest to such a number, which dividing the
// whole number by the scale gives back exactly.
bool OnGrid(double v, double scale) {
    return std::round(v * scale) / scale == v;
}

}  // namespace

DecimalGrid DecimalGrid::Of(const Job& job, const CutSettings& cut) {
    double scale = 1;
    const auto fit = [&scale](double v) {
        if (!std::isfinite(v)) return false;
        while (!OnGrid(v, scale)) {
            if (scale >= std::pow(10.0, kMostDecimals)) return false;
            scale *= 10;
        }
        return true;
    };
    DecimalGrid grid;
    const Margins& m = cut.margins;
    for (double v : {cut.bladeWidth, m.top, m.bottom, m.left, m.right})
        if (!fit(v)) return grid;
    for (const EnteredSize& s : job.enteredParts)
        if (!fit(s.length) || !fit(s.width)) return grid;
    for (const EnteredSize& s : job.enteredSheets)
        if (!fit(s.length) || !fit(s.width)) return grid;
    grid.scale_ = scale;
    return grid;
}

double DecimalGrid::Snap(double v) const {
    if (scale_ == 0 || !std::isfinite(v)) return v;
    const double snapped = std::round(v * scale_) / scale_;
    return std::fabs(snapped - v) <= kNoise * std::fmax(1.0, std::fabs(v)) ? snapped : v;
}
