// What cutting a plan costs: for guillotine plans the saw cuts and their length,
// for free plans the cuts of the CNC program and the length of its tool path,
// per sheet and for the whole plan.
#pragma once

#include <optional>
#include <vector>

#include "job/AppliedResult.h"
#include "job/SawCuts.h"

namespace tarvex {

struct CutFigures {
    bool sawn = false;    // saw cuts; the CNC tool path otherwise
    int cuts = 0;         // saw cuts, or cutting moves of the program
    double length = 0.0;  // summed slot lengths, or the tool path at cutting depth

    // Adds the other's cuts and length.
    CutFigures& operator+=(const CutFigures& other);
};

// The saw cut sequence of a sheet of the result; nothing for a free plan, or when
// the layout cannot be taken apart edge to edge.
std::optional<std::vector<SawCut>> SawCutsOf(const AppliedResult& result,
                                             const PlannedSheet& sheet);

// One sheet cut to this layout.
CutFigures SheetCutFigures(const AppliedResult& result, const PlannedSheet& sheet);
// Every used sheet of the result, merged ones included. The plan check made sure
// that the sheets of a guillotine plan come apart edge to edge.
CutFigures PlanCutFigures(const AppliedResult& result);

}  // namespace tarvex
