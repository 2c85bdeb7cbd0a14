// The applied result of a calculation: the winning candidate's sheet records after
// the result application (margins back, kerf off, positions from the sheet corner,
// identical layouts merged and numbered), with the figures the report reads.
// The layout view, printing and every export read only this.
#pragma once

#include <vector>

#include "model/Globals.h"

struct AppliedResult {
    std::vector<TSheetInfo> sheets;  // every sheet record of the result, in list order
    double fitness = 0.0;
    float ratioParts = 0.0f;
    float ratioWithOffcuts = 0.0f;
    double placedPartArea = 0.0;
    double offcutArea = 0.0;
    bool allPlaced = false;
    int generations = 0;  // generations of the evolution loop that ran

    // The number of numbered layouts (sheets with used and distinct set).
    int LayoutCount() const;
    // The sheet of a layout index: the first record with used and distinct set and
    // that layoutIndex; nullptr when there is none.
    const TSheetInfo* LayoutSheetOf(int layoutIndex) const;
};
