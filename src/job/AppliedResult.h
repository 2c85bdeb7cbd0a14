// The applied result of a calculation: the plan (every sheet of the job after the
// result application: margins back, kerf off, positions from the sheet corner,
// identical layouts merged and numbered) with its figures, and the job, settings
// and seed that made it. The layout view, the report, printing and every export
// read only this, so nothing typed after the calculation changes what they write.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "job/EnteredRows.h"
#include "job/JobSettings.h"
#include "model/Job.h"
#include "model/Sheet.h"
#include "optimizer/LowerBounds.h"

namespace tarvex {

// The least paid stock any plan of the job needs, and how far the plan is above it.
struct PlanBound {
    StockBound::Measure measure = StockBound::Measure::Sheets;
    double value = 0.0;
    // (the plan's paid stock - the bound) / the bound, in the bound's measure;
    // nothing when the bound is 0 or some part is not placed.
    std::optional<double> gap;
    bool operator==(const PlanBound&) const = default;
};

struct AppliedResult {
    std::vector<PlannedSheet> sheets;  // every sheet record of the result, in list order
    double fitness = 0.0;
    float ratioParts = 0.0f;
    float ratioWithOffcuts = 0.0f;
    double placedPartArea = 0.0;
    double offcutArea = 0.0;
    bool allPlaced = false;
    int generations = 0;  // generations of the evolution loop that ran (of the last pass)
    int passes = 1;       // searches run, each on a job with more of the stock
    // Nothing when no plan places every part, and for plans stored without it.
    std::optional<PlanBound> bound;

    Job job;
    JobSettings settings;
    std::uint32_t seed = 0;  // the seed the search started from
    // The rows the job was gathered from, as typed; the records' entry rows index them.
    EnteredRows entered;

    // The number of numbered layouts (sheets with used and distinct set).
    int LayoutCount() const;
    // The sheet of a layout index: the first record with used and distinct set and
    // that layoutIndex; nullptr when there is none.
    const PlannedSheet* LayoutSheetOf(int layoutIndex) const;
    // The layout number the window shows for a sheet of the list (1 for the first;
    // a merged sheet has its layout's), 0 for an unused sheet.
    int LayoutNumberOf(const PlannedSheet& sheet) const;
    // The entered row of a record's entry row; nullptr when it names none of `entered`.
    const EnteredPart* EnteredPartAt(std::int32_t entryRow) const;
    const EnteredSheet* EnteredSheetAt(std::int32_t entryRow) const;
    // The material of a sheet's row; empty (the unnamed material) when it has no row.
    const std::string& MaterialOf(const PlannedSheet& sheet) const;
};

}  // namespace tarvex
