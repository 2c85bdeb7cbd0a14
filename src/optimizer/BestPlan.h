// A plan of the best search: the parts each used sheet holds, laid out sheet by
// sheet by the layout engine, and the parts still waiting for a sheet; and how
// such plans are judged.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/Cut.h"
#include "model/Job.h"

namespace tarvex {

// What a plan is judged by. A plan is better when, in this order, less part area
// waits, its non-priority sheets cost less (cost objective) or take less area,
// they take less area (equal costs), less priority area is used, and its largest
// offcut is larger. The search itself steers by `fullness` after the priority area:
// plans with fuller and emptier sheets are closer to losing a sheet.
struct PlanScore {
    double waitingArea = 0;
    double stock = 0;
    double stockArea = 0;
    double usedFirstArea = 0;
    double largestOffcut = 0;
    double fullness = 0;  // sum of the squared sheet utilisations
};

bool BetterResult(const PlanScore& a, const PlanScore& b);
// The order of the search's acceptance test: at most as good counts.
bool NoWorseSearch(const PlanScore& a, const PlanScore& b);

struct UsedSheet {
    std::int32_t sheet = 0;           // index into the job's sheets
    std::vector<std::int32_t> parts;  // indices into the job's parts
    LaidOutSheet layout;              // as the engine laid it out
    double placedArea = 0;            // of the parts with their blade width
};

struct BestPlan {
    std::vector<UsedSheet> used;
    std::vector<std::int32_t> waiting;  // parts on no sheet
    std::vector<char> turned;           // per job part: turned by 90 degrees
    std::vector<char> taken;            // per job sheet: in `used`
    PlanScore score;

    bool Complete() const { return waiting.empty(); }
};

// Lays out chosen parts on chosen sheets with the layout engine, and scores plans.
// Each search lane owns one: it keeps the engine's working buffers.
class SheetPacker {
  public:
    SheetPacker(const Job& job, const CutSettings& settings);

    // Lays out `parts` on the job's sheet `sheet` with their turns; true when every
    // one of them is placed, and then `out` holds the layout.
    bool Pack(std::int32_t sheet, const std::vector<std::int32_t>& parts,
              const std::vector<char>& turned, UsedSheet& out);
    void Score(BestPlan& plan) const;

    // What one sheet adds to a plan's stock figure (0 for priority sheets) and its area.
    double StockValue(std::int32_t sheet) const;
    double FullArea(std::int32_t sheet) const;
    // The part's area as entered, the least room it takes on any sheet.
    double EnteredArea(std::int32_t part) const;

    const Job& job;
    const CutSettings& settings;

  private:
    WorkList list_;
    std::vector<WorkPart> parts_;
    UsedSheet trial_;
};

}  // namespace tarvex
