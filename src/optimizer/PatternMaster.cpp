#include "optimizer/PatternMaster.h"

#include <glpk.h>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace tarvex {

namespace {

// A part left uncovered costs this many times the dearest stock per area: the
// programme stays solvable when the stock is short, and covers whatever it can.
constexpr double kUncoveredFactor = 100;

double PieceArea(const PieceType& t) {
    return t.length * t.width;
}

// The programme: a row per piece type (at least its demand covered), a row per
// stock kind (at most its sheets), a column per pattern and one per type that
// stands for leaving pieces uncovered.
class Programme {
  public:
    Programme(const PatternJob& pj, const std::vector<PatternPricer>& pricers)
        : pj_(pj), pricers_(pricers), lp_(glp_create_prob()) {
        glp_set_obj_dir(lp_, GLP_MIN);
        const int types = static_cast<int>(pj.types.size());
        const int kinds = static_cast<int>(pj.kinds.size());
        glp_add_rows(lp_, types + kinds);
        double perArea = 0;
        for (const StockKind& k : pj.kinds)
            perArea = std::max(perArea, k.value / (k.length * k.width));
        glp_add_cols(lp_, types);
        for (int t = 0; t < types; ++t) {
            const int index[2] = {0, t + 1};
            const double one[2] = {0, 1};
            glp_set_col_bnds(lp_, t + 1, GLP_LO, 0, 0);
            glp_set_obj_coef(lp_, t + 1, kUncoveredFactor * perArea * PieceArea(pj.types[t]) + 1);
            glp_set_mat_col(lp_, t + 1, 1, index, one);
        }
        glp_init_smcp(&parameters_);
        parameters_.msg_lev = GLP_MSG_OFF;
    }
    ~Programme() { glp_delete_prob(lp_); }
    Programme(const Programme&) = delete;
    Programme& operator=(const Programme&) = delete;

    void Add(SheetPattern pattern) {
        const std::vector<std::int32_t> counts = pattern.Counts(pj_.types.size());
        std::vector<int> index{0};
        std::vector<double> value{0};
        for (std::size_t t = 0; t < counts.size(); ++t)
            if (counts[t] > 0) {
                index.push_back(static_cast<int>(t) + 1);
                value.push_back(counts[t]);
            }
        if (index.size() == 1) return;
        index.push_back(static_cast<int>(pj_.types.size()) + pattern.kind + 1);
        value.push_back(1);
        const int column = glp_add_cols(lp_, 1);
        glp_set_col_bnds(lp_, column, GLP_LO, 0, 0);
        glp_set_obj_coef(lp_, column, pj_.kinds[pattern.kind].value);
        glp_set_mat_col(lp_, column, static_cast<int>(index.size()) - 1, index.data(),
                        value.data());
        patterns_.push_back(std::move(pattern));
    }

    void Bound(const std::vector<std::int32_t>& demand, const std::vector<std::int32_t>& sheets) {
        demand_ = demand;
        for (std::size_t t = 0; t < demand.size(); ++t)
            glp_set_row_bnds(lp_, static_cast<int>(t) + 1, GLP_LO, demand[t], 0);
        const int types = static_cast<int>(demand.size());
        for (std::size_t k = 0; k < sheets.size(); ++k)
            glp_set_row_bnds(lp_, types + static_cast<int>(k) + 1, GLP_UP, 0, sheets[k]);
        sheets_ = sheets;
    }

    // Solves, adding the patterns of negative reduced cost the pricers find; false
    // when the simplex fails.
    bool Solve(int rounds, const std::function<bool()>& ended) {
        const int types = static_cast<int>(pj_.types.size());
        std::vector<double> values(types);
        SheetPattern pattern;
        for (int round = 0;; ++round) {
            if (glp_simplex(lp_, &parameters_) != 0 || glp_get_status(lp_) != GLP_OPT) {
                // Start again from a fresh basis once before giving up.
                glp_adv_basis(lp_, 0);
                if (glp_simplex(lp_, &parameters_) != 0 || glp_get_status(lp_) != GLP_OPT)
                    return false;
            }
            if (round >= rounds || (ended && ended())) return true;
            ++rounds_;
            for (int t = 0; t < types; ++t)
                values[t] = demand_[t] > 0 ? std::max(0.0, glp_get_row_dual(lp_, t + 1)) : 0.0;
            bool added = false;
            for (std::size_t k = 0; k < pricers_.size(); ++k) {
                if (sheets_[k] <= 0) continue;
                const double kindDual = glp_get_row_dual(lp_, types + static_cast<int>(k) + 1);
                const double cost = pj_.kinds[k].value - kindDual;
                const double value = pricers_[k].Best(values, demand_, pattern);
                if (value > cost + 1e-7 * std::max(1.0, cost)) {
                    Add(pattern);
                    added = true;
                }
            }
            if (!added) return true;
        }
    }

    std::vector<double> Usage() const {
        std::vector<double> x(patterns_.size());
        const int first = static_cast<int>(pj_.types.size()) + 1;
        for (std::size_t j = 0; j < x.size(); ++j)
            x[j] = glp_get_col_prim(lp_, first + static_cast<int>(j));
        return x;
    }
    double Uncovered() const {
        double sum = 0;
        for (int t = 1; t <= static_cast<int>(pj_.types.size()); ++t)
            sum += glp_get_col_prim(lp_, t);
        return sum;
    }
    const SheetPattern& Pattern(std::size_t j) const { return patterns_[j]; }
    double Objective() const { return glp_get_obj_val(lp_); }
    long Rounds() const { return rounds_; }

  private:
    const PatternJob& pj_;
    const std::vector<PatternPricer>& pricers_;
    glp_prob* lp_;
    glp_smcp parameters_;
    std::vector<SheetPattern> patterns_;
    std::vector<std::int32_t> demand_, sheets_;
    long rounds_ = 0;
};

// Takes a copy of the pattern without the pieces nobody waits for any more.
bool Take(const PatternJob& pj, SheetPattern pattern, std::vector<std::int32_t>& demand,
          std::vector<std::int32_t>& sheets, std::vector<SheetPattern>& plan) {
    if (sheets[pattern.kind] <= 0) return false;
    for (std::size_t i = pattern.pieces.size(); i-- > 0;) {
        std::int32_t& d = demand[pattern.pieces[i].type];
        if (d > 0)
            --d;
        else
            pattern.Remove(i, pj.types);
    }
    if (pattern.pieces.empty()) return false;
    --sheets[pattern.kind];
    plan.push_back(std::move(pattern));
    return true;
}

std::vector<double> Areas(const PatternJob& pj) {
    std::vector<double> areas;
    for (const PieceType& t : pj.types) areas.push_back(PieceArea(t));
    return areas;
}

// What is left, a sheet at a time: the cheapest kind that takes all of it, or
// else the kind that takes the most area for its figure.
void Complete(const PatternJob& pj, const std::vector<PatternPricer>& pricers,
              std::vector<std::int32_t>& demand, std::vector<std::int32_t>& sheets,
              std::vector<SheetPattern>& plan) {
    const std::vector<double> areas = Areas(pj);
    SheetPattern pattern;
    while (std::accumulate(demand.begin(), demand.end(), 0L) > 0) {
        int chosen = -1;
        bool chosenAll = false;
        double chosenRate = 0;
        SheetPattern best;
        for (std::size_t k = 0; k < pricers.size(); ++k) {
            if (sheets[k] <= 0) continue;
            const double area = pricers[k].Best(areas, demand, pattern);
            if (!(area > 0)) continue;
            const std::vector<std::int32_t> counts = pattern.Counts(pj.types.size());
            bool all = true;
            for (std::size_t t = 0; t < demand.size(); ++t) all &= counts[t] >= demand[t];
            const double rate = area / pj.kinds[k].value;
            const bool better =
                chosen < 0 || (all && !chosenAll) ||
                (all == chosenAll &&
                 (all ? pj.kinds[k].value < pj.kinds[chosen].value : rate > chosenRate));
            if (better) {
                chosen = static_cast<int>(k);
                chosenAll = all;
                chosenRate = rate;
                best = pattern;
            }
        }
        if (chosen < 0) return;
        // While every piece of the pattern is wanted as often again, no pattern is
        // worth more than it: the bounds only shrink. Taking it that many times
        // saves the pricing that a large job's many sheets would cost.
        const std::vector<std::int32_t> counts = best.Counts(pj.types.size());
        std::int32_t copies = sheets[chosen];
        for (std::size_t t = 0; t < counts.size(); ++t)
            if (counts[t] > 0) copies = std::min(copies, demand[t] / counts[t]);
        for (std::int32_t n = 0; n < std::max(copies, 1); ++n)
            if (!Take(pj, best, demand, sheets, plan)) return;
    }
}

// One way down from the programme's solution to whole sheets: the patterns it
// uses in full are taken (a share of their uses, so that the programme is solved
// again sooner for what is left), and when it uses none in full, the pattern of
// `lookahead` candidates that leaves the least. What is left when the programme
// can no longer cover it, or the work ends, is finished greedily.
std::vector<SheetPattern> Dive(Programme& programme, const PatternJob& pj,
                               const std::vector<PatternPricer>& pricers,
                               const PatternRounding& rounding, int roundsPerSolve,
                               const std::function<bool()>& ended, long& uncovered) {
    std::vector<std::int32_t> demand, sheets;
    for (const PieceType& t : pj.types) demand.push_back(t.Demand());
    for (const StockKind& k : pj.kinds)
        sheets.push_back(static_cast<std::int32_t>(k.sheets.size()));
    std::vector<SheetPattern> plan;
    while (std::accumulate(demand.begin(), demand.end(), 0L) > 0 && !ended()) {
        programme.Bound(demand, sheets);
        if (!programme.Solve(roundsPerSolve, ended) || programme.Uncovered() > 1e-6) break;
        const std::vector<double> x = programme.Usage();
        bool took = false;
        for (std::size_t j = 0; j < x.size(); ++j) {
            const double full = std::floor(x[j] + 1e-6);
            for (double n = std::max(1.0, std::floor(full * rounding.share)); full >= 1 && n >= 1;
                 --n)
                took |= Take(pj, programme.Pattern(j), demand, sheets, plan);
        }
        if (took) continue;
        // Less than a sheet left: the sheet that takes all of it, when one does.
        if (std::accumulate(x.begin(), x.end(), 0.0) < 1 + 1e-6) break;
        // Nothing used in full: of the patterns used most, the one that leaves
        // the least for the programme, once.
        std::vector<std::size_t> used;
        for (std::size_t j = 0; j < x.size(); ++j)
            if (x[j] > 1e-9) used.push_back(j);
        std::stable_sort(used.begin(), used.end(),
                         [&](std::size_t a, std::size_t b) { return x[a] > x[b]; });
        used.resize(std::min<std::size_t>(used.size(), rounding.lookahead));
        std::size_t chosen = used.empty() ? x.size() : used.front();
        double least = 0;
        for (std::size_t n = 0; used.size() > 1 && n < used.size() && !ended(); ++n) {
            std::vector<std::int32_t> d = demand, s = sheets;
            std::vector<SheetPattern> trial;
            if (!Take(pj, programme.Pattern(used[n]), d, s, trial)) continue;
            programme.Bound(d, s);
            if (!programme.Solve(roundsPerSolve, ended)) continue;
            const double left = programme.Objective() + pj.kinds[trial.front().kind].value;
            if (n == 0 || left < least) {
                least = left;
                chosen = used[n];
            }
        }
        if (chosen >= x.size() || !Take(pj, programme.Pattern(chosen), demand, sheets, plan)) break;
    }
    Complete(pj, pricers, demand, sheets, plan);
    DownsizePatterns(pj, pricers, plan);
    uncovered = std::accumulate(demand.begin(), demand.end(), 0L);
    return plan;
}

double PlanValue(const PatternJob& pj, const std::vector<SheetPattern>& plan) {
    double value = 0;
    for (const SheetPattern& s : plan) value += pj.kinds[s.kind].value;
    return value;
}

}  // namespace

std::vector<SheetPattern> PlanByPatterns(const PatternJob& pj,
                                         const std::vector<PatternPricer>& pricers,
                                         const PatternPlanLimits& limits) {
    Programme programme(pj, pricers);
    const std::function<bool()> ended = [&] {
        return (limits.ended && limits.ended()) || programme.Rounds() >= limits.totalRounds;
    };
    // A start: per kind, a pattern of each type alone and one of the most area.
    {
        std::vector<std::int32_t> demand;
        for (const PieceType& t : pj.types) demand.push_back(t.Demand());
        const std::vector<double> areas = Areas(pj);
        SheetPattern pattern;
        for (std::size_t k = 0; k < pricers.size(); ++k) {
            pricers[k].Best(areas, demand, pattern);
            programme.Add(pattern);
            for (std::size_t t = 0; t < pj.types.size(); ++t) {
                std::vector<double> only(pj.types.size(), 0.0);
                only[t] = 1;
                pricers[k].Best(only, demand, pattern);
                programme.Add(pattern);
            }
        }
    }
    // Every rounding shares the patterns found before it; the first plan that
    // covers the most parts at the lowest figure is kept. A rounding cut short by
    // the end of the work is finished greedily and seldom wins, but it only
    // replaces a worse plan.
    std::vector<SheetPattern> best;
    long bestUncovered = 0;
    const auto enough = [&] {
        return bestUncovered == 0 && limits.fewestSheets > 0 &&
               static_cast<std::int32_t>(best.size()) <= limits.fewestSheets;
    };
    for (std::size_t n = 0; n < limits.roundings.size() && (n == 0 || (!ended() && !enough()));
         ++n) {
        long uncovered = 0;
        std::vector<SheetPattern> plan = Dive(programme, pj, pricers, limits.roundings[n],
                                              limits.roundsPerSolve, ended, uncovered);
        if (n == 0 || uncovered < bestUncovered ||
            (uncovered == bestUncovered && PlanValue(pj, plan) < PlanValue(pj, best))) {
            best = std::move(plan);
            bestUncovered = uncovered;
        }
    }
    return best;
}

void DownsizePatterns(const PatternJob& pj, const std::vector<PatternPricer>& pricers,
                      std::vector<SheetPattern>& sheets) {
    std::vector<std::int32_t> spare;
    for (const StockKind& k : pj.kinds) spare.push_back(static_cast<std::int32_t>(k.sheets.size()));
    for (const SheetPattern& s : sheets) --spare[s.kind];
    const std::vector<double> areas = Areas(pj);
    SheetPattern pattern;
    for (SheetPattern& s : sheets) {
        const std::vector<std::int32_t> counts = s.Counts(pj.types.size());
        for (std::size_t k = 0; k < pj.kinds.size(); ++k) {
            if (spare[k] <= 0 || !(pj.kinds[k].value < pj.kinds[s.kind].value)) continue;
            pricers[k].Best(areas, counts, pattern);
            if (pattern.Counts(pj.types.size()) != counts) continue;
            ++spare[s.kind];
            --spare[k];
            s = std::move(pattern);
            break;
        }
    }
}

}  // namespace tarvex
