// The check every plan passes before it is applied: what a workshop relies on when
// it cuts a plan, checked on the plan itself rather than trusted to the engine.
#pragma once

#include <optional>
#include <string>

#include "job/AppliedResult.h"
#include "job/SheetGeometry.h"

namespace tarvex {

struct PlanViolation {
    enum class Kind {
        UnknownPart,         // a placement names no part of the job, or another label
        PlacedTwice,         // a part lies on the sheets more than once
        TurnedNotRotatable,  // a part that may not be turned lies across the grain
        OtherMaterial,       // a part lies on a sheet of another material
        NotEnteredSize,      // a part is not cut to its entered sizes
        OutsideUsableArea,   // a part reaches into the margins or off the sheet
        TooClose,            // two parts less than one blade width apart
        OffcutOutsideSheet,  // an offcut reaches off its sheet
        OffcutOverPart,      // an offcut overlaps a part
        NotGuillotine,       // guillotine cutting, but no edge-to-edge cut separates parts
        PlacedCountWrong,    // the plan says every part is placed when one is not, or the reverse
        MergedUnlike,        // a sheet merged into a layout is not cut like any layout
        LayoutCountWrong,    // a layout's count of sheets is not the number cut like it
        TooManyStages,       // a guillotine sheet needs more stages than the settings allow
    };
    Kind kind;
    std::string message;  // in the current language; names the sheet, layout and part
};

// The first violation, sheet by sheet in list order, then over the whole plan;
// nothing when the plan holds to every rule. Positions and sizes may be off by
// rounding in proportion to the sheet's size and by the engine's fit tolerance.
std::optional<PlanViolation> CheckPlan(const AppliedResult& result);

// The direction the first stage of a guillotine plan parts the parts along, when
// the settings fix it.
std::optional<PartAlong> FirstStageAlong(FirstCut firstCut);

// The fewest stages of edge-to-edge cuts that take the sheet's parts apart, the
// first stage in the settings' direction; trimming a piece down to its one part is
// no stage, so a sheet with at most one part needs none. Nothing when no
// edge-to-edge cut parts some of its parts.
std::optional<int> FewestStagesOf(const PlannedSheet& sheet, const CutSettings& cut);

}  // namespace tarvex
