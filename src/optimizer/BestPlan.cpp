#include "optimizer/BestPlan.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

#include "model/Tolerances.h"

namespace tarvex {

namespace {

// Orders the engine is tried in on one sheet.
constexpr int kPackOrders = 4;

// Sums of areas and costs differ by rounding only below this share.
bool Less(double a, double b) {
    return a < b - kRelativeTolerance * std::max({1.0, std::fabs(a), std::fabs(b)});
}

// The first of the keys that differs decides: -1 when it is smaller for a, 1
// when it is larger; 0 when they all agree.
int FirstDifference(std::initializer_list<std::pair<double, double>> keys) {
    for (const auto& [a, b] : keys) {
        if (Less(a, b)) return -1;
        if (Less(b, a)) return 1;
    }
    return 0;
}

}  // namespace

bool BetterResult(const PlanScore& a, const PlanScore& b) {
    return FirstDifference({{a.waitingArea, b.waitingArea},
                            {a.stock, b.stock},
                            {a.stockArea, b.stockArea},
                            {a.usedFirstArea, b.usedFirstArea},
                            {b.largestOffcut, a.largestOffcut}}) < 0;
}

bool NoWorseSearch(const PlanScore& a, const PlanScore& b) {
    const int order = FirstDifference(
        {{a.waitingArea, b.waitingArea}, {a.stock, b.stock}, {a.usedFirstArea, b.usedFirstArea}});
    return order != 0 ? order < 0 : !Less(a.fullness, b.fullness);
}

SheetPacker::SheetPacker(const Job& j, const CutSettings& s) : job(j), settings(s) {}

double SheetPacker::FullArea(std::int32_t sheet) const {
    const Sheet& s = job.Sheets()[sheet];
    const Margins& m = settings.margins;
    return (s.length + m.left + m.right) * (s.width + m.top + m.bottom);
}

double SheetPacker::StockValue(std::int32_t sheet) const {
    const Sheet& s = job.Sheets()[sheet];
    if (s.usedFirst) return 0;
    return settings.costObjective ? s.unitCost * FullArea(sheet) : FullArea(sheet);
}

double SheetPacker::EnteredArea(std::int32_t part) const {
    const Part& p = job.Parts()[part];
    return (p.length - settings.bladeWidth) * (p.width - settings.bladeWidth);
}

bool SheetPacker::Pack(std::int32_t sheet, const std::vector<std::int32_t>& parts,
                       const std::vector<char>& turned, UsedSheet& out) {
    const Sheet& s = job.Sheets()[sheet];
    double entered = 0;
    for (std::int32_t i : parts) entered += EnteredArea(i);
    if (entered > s.Area() * (1 + kRelativeTolerance)) return false;
    // The engine fills in the order of the parts' keys. A set its own order does
    // not fit may fit in another: longest side first, then widest, then longest
    // along the sheet. Keys only order, so any positive values serve.
    for (int order = 0; order < kPackOrders; ++order) {
        parts_.clear();
        for (std::int32_t i : parts) {
            WorkPart& p = parts_.emplace_back(WorkPart{job.Parts()[i]});
            if (turned[i] && p.rotatable) p.Rotate();
            const double area = p.length * p.width;
            const double tie = area / (1 + area);
            switch (order) {
                case 1:
                    p.layoutOrderKey = std::max(p.length, p.width) + tie;
                    break;
                case 2:
                    p.layoutOrderKey = p.width + tie;
                    break;
                case 3:
                    p.layoutOrderKey = p.length + tie;
                    break;
                default:
                    break;
            }
        }
        list_.Reset(parts_, settings);
        trial_.layout = LaidOutSheet{s};
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
    for (std::int32_t i : plan.waiting) score.waitingArea += job.Parts()[i].Area();
    for (const UsedSheet& u : plan.used) {
        const bool usedFirst = job.Sheets()[u.sheet].usedFirst;
        score.stock += StockValue(u.sheet);
        (usedFirst ? score.usedFirstArea : score.stockArea) += FullArea(u.sheet);
        score.fullness += u.layout.utilisation * u.layout.utilisation;
        for (const Offcut& o : u.layout.offcuts)
            score.largestOffcut = std::max(score.largestOffcut, o.Area());
    }
}

}  // namespace tarvex
