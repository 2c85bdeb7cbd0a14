// One lane of the best search: ruin and recreate on the sheets of a plan with
// late acceptance, aimed at a plan with one sheet fewer (or a cheaper one) than
// the best the lane knows. Lanes are independent; the search shares their best.
#pragma once

#include <cstdint>
#include <functional>
#include <random>
#include <vector>

#include "optimizer/BestPlan.h"
#include "optimizer/BestSearch.h"

namespace tarvex {

class BestLane {
  public:
    BestLane(const Job& job, const CutSettings& settings, const BestParameters& parameters,
             std::uint32_t seed);

    // Continues from `plan`, which becomes the lane's best.
    void Adopt(const BestPlan& plan);
    // Runs at most `steps` steps, fewer once `ended` says so; returns the steps run.
    std::int64_t Run(std::int64_t steps, const std::function<bool()>& ended);
    const BestPlan& Best() const { return best_; }
    // Moves used sheets to cheaper or smaller free ones that hold the same parts.
    void Downsize(BestPlan& plan);

  private:
    void Step();
    void Aim();
    void Ruin(BestPlan& plan);
    bool Combine(BestPlan& plan);
    void Recreate(BestPlan& plan);
    bool Insert(BestPlan& plan, std::int32_t part);
    bool Open(BestPlan& plan, std::int32_t part);
    void Drop(BestPlan& plan, std::size_t at);
    // Whether starting the free sheet keeps the plan on course to beat the best.
    bool MayOpen(const BestPlan& plan, std::int32_t sheet) const;
    std::uint32_t Below(std::uint32_t n) { return n == 0 ? 0 : rng_() % n; }
    bool Chance(double p) { return (rng_() >> 8) * (1.0 / 16777216.0) < p; }

    SheetPacker packer_;
    const BestParameters& parameters_;
    std::mt19937 rng_;
    // Sheets of one row are interchangeable: free sheets are tried once per kind,
    // kinds in the order a new sheet is chosen (priority ones, then the cheapest).
    std::vector<std::int32_t> kindOf_;
    std::vector<std::vector<std::int32_t>> kinds_;
    std::size_t usedFirstKinds_ = 0;  // the first kinds are those of priority rows
    BestPlan best_, current_, trial_;
    std::vector<PlanScore> history_;
    std::int64_t step_ = 0, sinceBest_ = 0;
    UsedSheet packed_;
    std::vector<std::int32_t> order_, rest_;
};

}  // namespace tarvex
