// Plans give positions back as the decimals that were entered: a part placed after
// three others of 63.2 lies at 189.6, not at the 189.60000000000002 that adding
// the doubles gives. Every position and offcut of a plan is a sum or difference
// of entered sizes, blade widths and margins, so when all of them have few
// decimals, so has every exact position, and rounding to those decimals takes off
// only the noise.
#pragma once

#include "model/CutSettings.h"
#include "model/Job.h"
#include "model/Sheet.h"

namespace tarvex {

class DecimalGrid {
  public:
    // The grid of the fewest decimals (six at most) that every entered size of the
    // job, the blade width and the margins lie on; no grid when one of them has
    // more decimals.
    static DecimalGrid Of(const Job& job, const CutSettings& cut);
    // The same of a plan's sheets and the sizes of their parts, which are the
    // entered ones: a plan read back from its file has the grid it was made on.
    static DecimalGrid Of(const std::vector<PlannedSheet>& plan, const CutSettings& cut);

    // The grid value nearest to `v` when `v` is off it by rounding noise only, else
    // `v` as it is.
    double Snap(double v) const;

  private:
    class Finder;
    double scale_ = 0;  // 10 to the power of the decimals; 0 without a grid
};

}  // namespace tarvex
