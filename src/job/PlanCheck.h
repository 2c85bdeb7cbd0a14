// The check every plan passes before it is applied: what a workshop relies on when
// it cuts a plan, checked on the plan itself rather than trusted to the engine.
#pragma once

#include <optional>
#include <string>

#include "job/AppliedResult.h"

struct PlanViolation {
    enum class Kind {
        UnknownPart,         // a placement names no part of the job, or another label
        PlacedTwice,         // a part lies on the sheets more than once
        TurnedNotRotatable,  // a part that may not be turned is turned
        NotEnteredSize,      // a part is not cut to its entered sizes
        OutsideUsableArea,   // a part reaches into the margins or off the sheet
        TooClose,            // two parts less than one blade width apart
        OffcutOutsideSheet,  // an offcut reaches off its sheet
        OffcutOverPart,      // an offcut overlaps a part
        NotGuillotine,       // guillotine cutting, but no edge-to-edge cut separates parts
        PlacedCountWrong,    // the plan says every part is placed when one is not, or the reverse
        MergedUnlike,        // a sheet merged into a layout is not cut like any layout
        LayoutCountWrong,    // a layout's count of sheets is not the number cut like it
    };
    Kind kind;
    std::string message;  // in the current language; names the sheet, layout and part
};

// The first violation, sheet by sheet in list order, then over the whole plan;
// nothing when the plan holds to every rule. Positions and sizes may be off by
// rounding in proportion to the sheet's size and by the engine's fit tolerance.
std::optional<PlanViolation> CheckPlan(const AppliedResult& result);
