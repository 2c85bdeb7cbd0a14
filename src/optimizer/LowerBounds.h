// How little stock any plan of a job can do with: a bound no plan that places
// every part goes below, to show how far a plan is from the best possible. Only
// the stock still to be paid counts; priority sheets are paid for already, and
// whatever part area they could take is taken off first; a job of priority sheets
// alone is bounded on those. The bounds use the
// parts' entered areas and the sheets' usable areas: blade width and margins only
// make a plan need more, so the bound stays valid with them.
#pragma once

#include "model/CutSettings.h"
#include "model/Job.h"

namespace tarvex {

struct StockBound {
    // What the bound counts: sheets when the paid stock is all of one kind (one
    // size and cost), otherwise the sheets' cost (cost objective) or their full area.
    enum class Measure { Sheets, Cost, Area };
    Measure measure = Measure::Sheets;
    double value = 0.0;
    // No plan places every part: the stock is too small or some part fits no
    // sheet; `value` is then the whole paid stock's.
    bool infeasible = false;
    // The job's sheets are all priority ones: the bound is then on them, as
    // there is no stock to pay for.
    bool ofUsedFirstSheets = false;
};

// The largest of the bounds that apply: the part area the paid stock must cover,
// bought in whole sheets of the kinds and quantities the job has; for one kind,
// also the parts so large in both directions that no two share a sheet and the
// parts that cannot lie beside them; for several kinds, the parts that fit only
// on some kinds, which those kinds must cover.
StockBound LowerBoundOf(const Job& job, const CutSettings& settings);

// What one paid sheet adds to a plan's value in the measure (1 for sheets).
double StockValue(const Sheet& sheet, const CutSettings& settings, StockBound::Measure measure);

}  // namespace tarvex
