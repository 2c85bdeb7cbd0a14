#include "optimizer/BestPlan.h"

#include <algorithm>
#include <cmath>

namespace {

// Orders the engine is tried in on one sheet.
constexpr int kPackOrders = 4;

// Sums of areas and costs differ by rounding only below this share.
bool Less(double a, double b) {
    return a < b - 1e-9 * std::max({1.0, std::fabs(a), std::fabs(b)});
}

}  // namespace

bool BetterResult(const PlanScore& a, const PlanScore& b) {
    if (Less(a.waitingArea, b.waitingArea) || Less(b.waitingArea, a.waitingArea))
        return Less(a.waitingArea, b.waitingArea);
    if (Less(a.stock, b.stock) || Less(b.stock, a.stock)) return Less(a.stock, b.stock);
    if (Less(a.stockArea, b.stockArea) || Less(b.stockArea, a.stockArea))
        return Less(a.stockArea, b.stockArea);
    if (Less(a.priorityArea, b.priorityArea) || Less(b.priorityArea, a.priorityArea))
        return Less(a.priorityArea, b.priorityArea);
    return Less(b.largestOffcut, a.largestOffcut);
}

bool NoWorseSearch(const PlanScore& a, const PlanScore& b) {
    if (Less(a.waitingArea, b.waitingArea) || Less(b.waitingArea, a.waitingArea))
        return Less(a.waitingArea, b.waitingArea);
    if (Less(a.stock, b.stock) || Less(b.stock, a.stock)) return Less(a.stock, b.stock);
    if (Less(a.priorityArea, b.priorityArea) || Less(b.priorityArea, a.priorityArea))
        return Less(a.priorityArea, b.priorityArea);
    return !Less(a.fullness, b.fullness);
}

SheetPacker::SheetPacker(const Job& j, const CutSettings& s) : job(j), settings(s) {}

double SheetPacker::FullArea(std::int32_t sheet) const {
    const Sheet& s = job.sheets[sheet];
    const Margins& m = settings.margins;
    return (s.length + m.left + m.right) * (s.width + m.top + m.bottom);
}

double SheetPacker::StockValue(std::int32_t sheet) const {
    const Sheet& s = job.sheets[sheet];
    if (s.priority) return 0;
    return settings.costObjective ? s.unitCost * FullArea(sheet) : FullArea(sheet);
}

double SheetPacker::EnteredArea(std::int32_t part) const {
    const Part& p = job.parts[part];
    return (p.length - settings.bladeWidth) * (p.width - settings.bladeWidth);
}

bool SheetPacker::Pack(std::int32_t sheet, const std::vector<std::int32_t>& parts,
                       const std::vector<char>& turned, UsedSheet& out) {
    const Sheet& s = job.sheets[sheet];
    double entered = 0;
    for (std::int32_t i : parts) entered += EnteredArea(i);
    if (entered > s.Area() * (1 + 1e-9)) return false;
    // The engine fills in the order of the parts' keys. A set its own order does
    // not fit may fit in another: longest side first, then widest, then longest
    // along the sheet. Keys only order, so any positive values serve.
    for (int order = 0; order < kPackOrders; ++order) {
        parts_.clear();
        for (std::int32_t i : parts) {
            Part& p = parts_.emplace_back(job.parts[i]);
            if (turned[i] && p.rotatable) p.Rotate();
            const double area = p.length * p.width;
            const double tie = area / (1 + area);
            switch (order) {
                case 1: p.priority = std::max(p.length, p.width) + tie; break;
                case 2: p.priority = p.width + tie; break;
                case 3: p.priority = p.length + tie; break;
                default: break;
            }
        }
        list_.Reset(parts_, settings);
        trial_.layout = CopySheet(s);
        trial_.layout.parts.clear();
        trial_.placedArea = LayoutSheet(trial_.layout, list_);
        if (list_.Unplaced() == 0) {
            trial_.layout.utilisation = trial_.placedArea / s.Area();
            trial_.sheet = sheet;
            trial_.parts = parts;
            std::swap(out, trial_);
            return true;
        }
    }
    return false;
}

void SheetPacker::Score(BestPlan& plan) const {
    PlanScore& score = plan.score;
    score = PlanScore{};
    for (std::int32_t i : plan.waiting) score.waitingArea += job.parts[i].Area();
    for (const UsedSheet& u : plan.used) {
        const bool priority = job.sheets[u.sheet].priority;
        score.stock += StockValue(u.sheet);
        (priority ? score.priorityArea : score.stockArea) += FullArea(u.sheet);
        score.fullness += u.layout.utilisation * u.layout.utilisation;
        for (const Offcut& o : u.layout.offcuts)
            score.largestOffcut = std::max(score.largestOffcut, o.Area());
    }
}
