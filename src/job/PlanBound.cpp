#include "job/PlanBound.h"

namespace tarvex {

std::optional<PlanBound> PlanBoundOf(const AppliedResult& plan, const Job& job) {
    const StockBound stock = LowerBoundOf(job, plan.settings.cut);
    if (stock.infeasible) return std::nullopt;
    PlanBound bound;
    bound.measure = stock.measure;
    bound.value = stock.value;
    if (!plan.allPlaced || !(stock.value > 0)) return bound;
    double value = 0;
    for (const PlannedSheet& s : plan.sheets) {
        if (!s.used || s.id < 0 || static_cast<std::size_t>(s.id) >= job.Sheets().size()) continue;
        const Sheet& sheet = job.Sheets()[s.id];
        if (!sheet.usedFirst || stock.ofUsedFirstSheets)
            value += StockValue(sheet, plan.settings.cut, stock.measure);
    }
    bound.gap = (value - stock.value) / stock.value;
    return bound;
}

}  // namespace tarvex
