#include "job/DecimalGrid.h"

#include <cmath>
#include <initializer_list>

namespace tarvex {

namespace {

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

// Finds the finest scale the values seen so far need; fails for good on a value
// with too many decimals.
class DecimalGrid::Finder {
  public:
    explicit Finder(const CutSettings& cut) {
        const Margins& m = cut.margins;
        for (double v : {cut.bladeWidth, m.top, m.bottom, m.left, m.right}) Add(v);
    }
    void Add(double v) {
        if (scale_ == 0) return;
        if (!std::isfinite(v)) {
            scale_ = 0;
            return;
        }
        while (!OnGrid(v, scale_)) {
            if (scale_ >= kMostScale) {
                scale_ = 0;
                return;
            }
            scale_ *= 10;
        }
    }
    DecimalGrid Grid() const {
        DecimalGrid grid;
        grid.scale_ = scale_;
        return grid;
    }

  private:
    static constexpr double kMostScale = 1e6;  // six decimals
    double scale_ = 1;
};

DecimalGrid DecimalGrid::Of(const Job& job, const CutSettings& cut) {
    Finder finder(cut);
    for (const EnteredSize& s : job.EnteredParts()) finder.Add(s.length), finder.Add(s.width);
    for (const EnteredSize& s : job.EnteredSheets()) finder.Add(s.length), finder.Add(s.width);
    return finder.Grid();
}

DecimalGrid DecimalGrid::Of(const std::vector<PlannedSheet>& plan, const CutSettings& cut) {
    Finder finder(cut);
    for (const PlannedSheet& s : plan) {
        finder.Add(s.length), finder.Add(s.width);
        for (const Placement& p : s.parts) finder.Add(p.length), finder.Add(p.width);
    }
    return finder.Grid();
}

double DecimalGrid::Snap(double v) const {
    if (scale_ == 0 || !std::isfinite(v)) return v;
    const double snapped = std::round(v * scale_) / scale_;
    return std::fabs(snapped - v) <= kNoise * std::fmax(1.0, std::fabs(v)) ? snapped : v;
}

}  // namespace tarvex
