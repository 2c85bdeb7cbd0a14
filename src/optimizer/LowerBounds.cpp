#include "optimizer/LowerBounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <tuple>
#include <vector>

#include "model/Tolerances.h"

namespace tarvex {

namespace {

constexpr double kInfinite = std::numeric_limits<double>::infinity();
// Kinds of paid sheets beyond this are covered by the total area alone: the
// groups of kinds would be too many to list.
constexpr int kMostGroupedKinds = 10;
// The exact search over sheet counts gives up after this many steps; the
// fractional cover then stands, which is a bound as well.
constexpr std::int64_t kMostSearchSteps = 2'000'000;
// Thresholds tried for the parts that cannot lie beside the largest ones.
constexpr std::size_t kMostThresholds = 48;

// Parts alike in entered size and turning, with their number.
struct PartKind {
    double length, width;
    bool rotatable;
    std::int64_t count;

    double Area() const { return length * width; }
    // Every way the part may lie, as extents along x and y.
    std::vector<std::pair<double, double>> Ways() const {
        if (rotatable && length != width) return {{length, width}, {width, length}};
        return {{length, width}};
    }
    bool FitsOn(double l, double w) const {
        for (const auto& [x, y] : Ways())
            if (x <= l + kCutTolerance && y <= w + kCutTolerance) return true;
        return false;
    }
};

// Paid sheets alike in usable size and value.
struct SheetKind {
    double length, width, value;
    std::int64_t quantity;

    double Area() const { return length * width; }
};

double FullArea(const Sheet& s, const Margins& m) {
    return (s.length + m.left + m.right) * (s.width + m.top + m.bottom);
}

std::vector<PartKind> PartKindsOf(const Job& job, double kerf) {
    std::map<std::tuple<double, double, bool>, std::int64_t> counts;
    for (const Part& p : job.Parts()) ++counts[{p.length - kerf, p.width - kerf, p.rotatable}];
    std::vector<PartKind> kinds;
    for (const auto& [size, count] : counts)
        kinds.push_back(PartKind{std::get<0>(size), std::get<1>(size), std::get<2>(size), count});
    return kinds;
}

// The least value of sheets, parts of sheets allowed, that covers the area; the
// kinds come cheapest area first. Infinite when all of them do not cover it.
double FractionalCover(const std::vector<SheetKind>& kinds, double area) {
    const double slack = kRelativeTolerance * std::max(1.0, area);
    double value = 0;
    for (const SheetKind& k : kinds) {
        if (area <= slack) break;
        const double taken = std::min(area, k.Area() * k.quantity);
        value += taken / k.Area() * k.value;
        area -= taken;
    }
    return area > slack ? kInfinite : value;
}

// Whole sheets of each kind, at most its quantity, of the least value whose area
// covers, for every group of kinds, the part area that only those kinds can hold.
class CoverSearch {
  public:
    // `need[g]` is the area the kinds of group g (a bit per kind) must cover; the
    // last group holds every kind.
    CoverSearch(std::vector<SheetKind> kinds, std::vector<double> need)
        : kinds_(std::move(kinds)), need_(std::move(need)) {}

    // The least value; infinite when even all the stock cannot cover.
    double Least() {
        // The fractional cover of each group alone is a bound already, and the
        // fallback when the exact search runs too long.
        double fractional = 0;
        for (std::size_t g = 1; g < need_.size(); ++g)
            fractional = std::max(fractional, Fractional(g, need_[g], 0));
        if (fractional == kInfinite) return kInfinite;
        best_ = kInfinite;
        steps_ = 0;
        std::vector<double> left = need_;
        Search(0, left, 0);
        if (steps_ > kMostSearchSteps || best_ == kInfinite) return fractional;
        return std::max(best_, fractional);
    }

  private:
    // The cheapest fractional cover of `area` by the kinds of group g from `from` on,
    // cheapest area first.
    double Fractional(std::size_t g, double area, std::size_t from) const {
        double value = 0;
        for (std::size_t k = from; k < kinds_.size() && area > 0; ++k) {
            if (!(g >> k & 1)) continue;
            const double taken = std::min(area, kinds_[k].Area() * kinds_[k].quantity);
            value += taken / kinds_[k].Area() * kinds_[k].value;
            area -= taken;
        }
        return area > Slack() ? kInfinite : value;
    }

    double Slack() const { return kRelativeTolerance * std::max(1.0, need_.back()); }

    void Search(std::size_t k, std::vector<double>& left, double value) {
        if (++steps_ > kMostSearchSteps) return;
        double bound = value;
        bool covered = true;
        for (std::size_t g = 1; g < left.size(); ++g) {
            if (left[g] <= Slack()) continue;
            covered = false;
            bound = std::max(bound, value + Fractional(g, left[g], k));
        }
        if (covered) {
            best_ = std::min(best_, value);
            return;
        }
        if (k == kinds_.size() || bound >= best_) return;
        const SheetKind& kind = kinds_[k];
        double most = 0;
        for (std::size_t g = 1; g < left.size(); ++g)
            if (g >> k & 1) most = std::max(most, left[g]);
        const auto useful = static_cast<std::int64_t>(std::ceil(most / kind.Area() - 1e-12));
        // Of the last kind only the fewest sheets that cover can be the least.
        const std::int64_t fewest = k + 1 == kinds_.size() ? std::min(kind.quantity, useful) : 0;
        for (std::int64_t n = std::min(kind.quantity, useful); n >= fewest; --n) {
            std::vector<double> rest = left;
            for (std::size_t g = 1; g < rest.size(); ++g)
                if (g >> k & 1) rest[g] -= n * kind.Area();
            Search(k + 1, rest, value + n * kind.value);
            if (steps_ > kMostSearchSteps) return;
        }
    }

    std::vector<SheetKind> kinds_;
    std::vector<double> need_;
    double best_ = kInfinite;
    std::int64_t steps_ = 0;
};

// Up to `most` of the values, spread over their sorted order.
std::vector<double> Spread(std::vector<double> values, std::size_t most) {
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    if (values.size() <= most) return values;
    std::vector<double> picked;
    for (std::size_t i = 0; i < most; ++i) picked.push_back(values[i * values.size() / most]);
    return picked;
}

// Of sheets of one usable size: for thresholds p (along x) and q (along y), the
// parts longer than the sheet less p and wider than it less q, in every way they
// may lie, each need a sheet that no part at least p by q shares; the parts more
// than half the sheet both ways need one each; the parts at least p by q that are
// not among the first go on the sheets of the second or on further sheets.
std::int64_t LargePartBound(const std::vector<PartKind>& parts, double length, double width) {
    const double tol = kCutTolerance + kRelativeTolerance * (length + width);
    std::vector<double> ps{0.0}, qs{0.0};
    for (const PartKind& p : parts)
        for (const auto& [x, y] : p.Ways()) {
            if (x <= length / 2) ps.push_back(x);
            if (y <= width / 2) qs.push_back(y);
        }
    ps = Spread(ps, kMostThresholds);
    qs = Spread(qs, kMostThresholds);
    const double sheetArea = length * width;
    std::int64_t best = 0;
    for (double p : ps)
        for (double q : qs) {
            std::int64_t alone = 0, half = 0;
            double area = 0;
            for (const PartKind& part : parts) {
                bool bothLarge = true, halfLarge = true, notSmall = true;
                for (const auto& [x, y] : part.Ways()) {
                    bothLarge = bothLarge && x > length - p + tol && y > width - q + tol;
                    halfLarge = halfLarge && x > length / 2 + tol && y > width / 2 + tol;
                    notSmall = notSmall && x >= p - tol / 2 && y >= q - tol / 2;
                }
                if (bothLarge) {
                    alone += part.count;
                } else if (halfLarge) {
                    half += part.count;
                    area += part.Area() * part.count;
                } else if (notSmall) {
                    area += part.Area() * part.count;
                }
            }
            const auto byArea =
                static_cast<std::int64_t>(std::ceil(area / sheetArea - kRelativeTolerance));
            best = std::max(best, alone + std::max(half, byArea));
        }
    return best;
}

}  // namespace

double StockValue(const Sheet& sheet, const CutSettings& settings, StockBound::Measure measure) {
    switch (measure) {
        case StockBound::Measure::Sheets:
            return 1;
        case StockBound::Measure::Cost:
            return sheet.unitCost * FullArea(sheet, settings.margins);
        case StockBound::Measure::Area:
            break;
    }
    return FullArea(sheet, settings.margins);
}

StockBound LowerBoundOf(const Job& job, const CutSettings& settings) {
    const std::vector<PartKind> parts = PartKindsOf(job, settings.bladeWidth);
    StockBound bound;
    bound.ofUsedFirstSheets = std::all_of(job.Sheets().begin(), job.Sheets().end(),
                                          [](const Sheet& s) { return s.usedFirst; });
    // Sheets paid for already, which take part area off what the stock must cover.
    const auto paidAlready = [&](const Sheet& s) {
        return s.usedFirst && !bound.ofUsedFirstSheets;
    };
    double usedFirstArea = 0;
    std::vector<const Sheet*> paid;
    for (const Sheet& s : job.Sheets()) {
        if (paidAlready(s))
            usedFirstArea += s.Area();
        else
            paid.push_back(&s);
    }
    const bool oneKind =
        !paid.empty() && std::all_of(paid.begin(), paid.end(), [&](const Sheet* s) {
            return s->length == paid.front()->length && s->width == paid.front()->width &&
                   s->unitCost == paid.front()->unitCost;
        });
    bound.measure = oneKind                  ? StockBound::Measure::Sheets
                    : settings.costObjective ? StockBound::Measure::Cost
                                             : StockBound::Measure::Area;

    std::vector<SheetKind> kinds;
    for (const Sheet* s : paid) {
        const double value = StockValue(*s, settings, bound.measure);
        const auto same = std::find_if(kinds.begin(), kinds.end(), [&](const SheetKind& k) {
            return k.length == s->length && k.width == s->width && k.value == value;
        });
        if (same != kinds.end())
            ++same->quantity;
        else
            kinds.push_back(SheetKind{s->length, s->width, value, 1});
    }
    double wholeStock = 0;
    for (const SheetKind& k : kinds) wholeStock += k.value * k.quantity;
    // A sheet no part fits on holds nothing a plan needs.
    std::erase_if(kinds, [&](const SheetKind& k) {
        return std::none_of(parts.begin(), parts.end(),
                            [&](const PartKind& p) { return p.FitsOn(k.length, k.width); });
    });
    std::stable_sort(kinds.begin(), kinds.end(), [](const SheetKind& a, const SheetKind& b) {
        return a.value * b.Area() < b.value * a.Area();
    });

    // The area each group of kinds must cover (a bit per kind): that of the parts
    // fitting on no kind outside it, less what the priority sheets could take of
    // it. With too many kinds, only the group of all of them.
    const bool grouped = kinds.size() <= static_cast<std::size_t>(kMostGroupedKinds);
    const std::size_t all = grouped ? (std::size_t{1} << kinds.size()) - 1 : 1;
    std::vector<double> need(all + 1, 0.0);
    for (const PartKind& p : parts) {
        std::size_t fits = 0;
        for (std::size_t k = 0; k < kinds.size(); ++k)
            if (p.FitsOn(kinds[k].length, kinds[k].width)) fits |= std::size_t{1} << k;
        if (!grouped && fits != 0) fits = all;
        if (fits == 0) {
            const bool onPriority = std::any_of(
                job.Sheets().begin(), job.Sheets().end(),
                [&](const Sheet& s) { return paidAlready(s) && p.FitsOn(s.length, s.width); });
            if (onPriority) continue;
            bound.infeasible = true;
            bound.value = wholeStock;
            return bound;
        }
        for (std::size_t g = 1; g <= all; ++g)
            if ((fits & ~g) == 0) need[g] += p.Area() * p.count;
    }
    for (double& n : need) n = std::max(0.0, n - usedFirstArea);
    if (need[all] <= 0) return bound;
    const double least =
        grouped ? CoverSearch(kinds, need).Least() : FractionalCover(kinds, need[all]);
    if (least == kInfinite) {
        bound.infeasible = true;
        bound.value = wholeStock;
        return bound;
    }
    bound.value = least;
    if (oneKind && !kinds.empty()) {
        const SheetKind& k = kinds.front();
        std::int64_t large = LargePartBound(parts, k.length, k.width);
        if (usedFirstArea > 0) {
            // Each priority sheet takes at most as many of the parts that need a
            // sheet of their own as its area holds of the smallest of them.
            double smallest = kInfinite;
            std::int64_t alone = 0;
            for (const PartKind& p : parts) {
                bool half = true;
                for (const auto& [x, y] : p.Ways())
                    half = half && x > k.length / 2 && y > k.width / 2;
                if (!half) continue;
                alone += p.count;
                smallest = std::min(smallest, p.Area());
            }
            std::int64_t taken = 0;
            for (const Sheet& s : job.Sheets())
                if (paidAlready(s) && smallest < kInfinite)
                    taken += static_cast<std::int64_t>(
                        std::floor(s.Area() / smallest + kRelativeTolerance));
            large = std::max<std::int64_t>(0, alone - taken);
        }
        bound.value = std::max(bound.value, static_cast<double>(large));
        if (bound.value > static_cast<double>(k.quantity)) {
            bound.infeasible = true;
            bound.value = wholeStock;
        }
    }
    return bound;
}

}  // namespace tarvex
