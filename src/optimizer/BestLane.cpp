#include "optimizer/BestLane.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace tarvex {

namespace {

bool SameKind(const Sheet& a, const Sheet& b) {
    return a.label == b.label && a.length == b.length && a.width == b.width &&
           a.unitCost == b.unitCost && a.usedFirst == b.usedFirst;
}

}  // namespace

BestLane::BestLane(const Job& job, const CutSettings& settings, const BestParameters& parameters,
                   std::uint32_t seed)
    : packer_(job, settings), parameters_(parameters), rng_(seed) {
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(job.Sheets().size()); ++i) {
        auto kind = std::find_if(kinds_.begin(), kinds_.end(), [&](const auto& members) {
            return SameKind(job.Sheets()[members.front()], job.Sheets()[i]);
        });
        if (kind == kinds_.end())
            kinds_.push_back({i});
        else
            kind->push_back(i);
    }
    const auto preference = [&](const std::vector<std::int32_t>& members) {
        const std::int32_t s = members.front();
        return std::tuple(!job.Sheets()[s].usedFirst, packer_.StockValue(s), packer_.FullArea(s));
    };
    std::stable_sort(kinds_.begin(), kinds_.end(),
                     [&](const auto& a, const auto& b) { return preference(a) < preference(b); });
    while (usedFirstKinds_ < kinds_.size() &&
           job.Sheets()[kinds_[usedFirstKinds_].front()].usedFirst)
        ++usedFirstKinds_;
    kindOf_.assign(job.Sheets().size(), 0);
    for (std::size_t k = 0; k < kinds_.size(); ++k)
        for (std::int32_t s : kinds_[k]) kindOf_[s] = static_cast<std::int32_t>(k);
}

void BestLane::Adopt(const BestPlan& plan) {
    best_ = plan;
    Aim();
}

std::int64_t BestLane::Run(std::int64_t steps, const std::function<bool()>& ended) {
    std::int64_t done = 0;
    while (done < steps && !ended()) {
        Step();
        ++done;
    }
    return done;
}

void BestLane::Drop(BestPlan& plan, std::size_t at) {
    UsedSheet& u = plan.used[at];
    plan.waiting.insert(plan.waiting.end(), u.parts.begin(), u.parts.end());
    plan.taken[u.sheet] = 0;
    plan.used.erase(plan.used.begin() + static_cast<std::ptrdiff_t>(at));
}

// A complete best plan: take away one of its sheets and look for a home for its
// parts on the others. A non-priority sheet when there is one, as that lowers the
// figure that counts first; the emptiest one half of the time.
void BestLane::Aim() {
    sinceBest_ = 0;
    current_ = best_;
    if (best_.Complete() && !current_.used.empty()) {
        const Job& job = packer_.job;
        std::vector<std::size_t> choice;
        for (std::size_t i = 0; i < current_.used.size(); ++i)
            if (!job.Sheets()[current_.used[i].sheet].usedFirst) choice.push_back(i);
        if (choice.empty())
            for (std::size_t i = 0; i < current_.used.size(); ++i) choice.push_back(i);
        std::size_t at = choice[Below(static_cast<std::uint32_t>(choice.size()))];
        if (Chance(0.5))
            at = *std::min_element(choice.begin(), choice.end(), [&](std::size_t a, std::size_t b) {
                return current_.used[a].layout.utilisation < current_.used[b].layout.utilisation;
            });
        Drop(current_, at);
        Recreate(current_);
    }
    packer_.Score(current_);
    history_.assign(parameters_.lateAcceptance, current_.score);
}

void BestLane::Step() {
    trial_ = current_;
    if (!Chance(0.1) || !Combine(trial_)) Ruin(trial_);
    Recreate(trial_);
    packer_.Score(trial_);
    PlanScore& late = history_[static_cast<std::size_t>(step_) % parameters_.lateAcceptance];
    if (NoWorseSearch(trial_.score, late) || NoWorseSearch(trial_.score, current_.score))
        std::swap(current_, trial_);
    late = current_.score;
    ++step_;
    ++sinceBest_;
    if (BetterResult(current_.score, best_.score)) {
        best_ = current_;
        Downsize(best_);
        Aim();
    } else if (sinceBest_ > parameters_.stallSteps) {
        Aim();
    }
}

// Takes parts off one to three sheets: all of them now and then, otherwise a
// random share; a sheet keeps its other parts, laid out again, sometimes with one
// of them turned.
void BestLane::Ruin(BestPlan& plan) {
    const Job& job = packer_.job;
    const std::uint32_t sheets = 1 + Below(std::min<std::uint32_t>(3, plan.used.size()));
    for (std::uint32_t k = 0; k < sheets && !plan.used.empty(); ++k) {
        const std::size_t at = Below(static_cast<std::uint32_t>(plan.used.size()));
        if (Chance(0.2)) {
            Drop(plan, at);
            continue;
        }
        UsedSheet& u = plan.used[at];
        const double share = 0.1 + 0.5 * Chance(0.5) + 0.3 * Chance(0.5);
        rest_.clear();
        for (std::int32_t p : u.parts) (Chance(share) ? plan.waiting : rest_).push_back(p);
        if (rest_.size() == u.parts.size()) {
            const std::size_t drop = Below(static_cast<std::uint32_t>(rest_.size()));
            plan.waiting.push_back(rest_[drop]);
            rest_.erase(rest_.begin() + static_cast<std::ptrdiff_t>(drop));
        }
        if (!rest_.empty() && Chance(0.2)) {
            const std::int32_t p = rest_[Below(static_cast<std::uint32_t>(rest_.size()))];
            if (job.Parts()[p].rotatable) plan.turned[p] ^= 1;
        }
        u.parts = rest_;
        if (rest_.empty() || !packer_.Pack(u.sheet, rest_, plan.turned, packed_))
            Drop(plan, at);
        else
            std::swap(u, packed_);
    }
}

// Two used sheets into one free sheet of another kind that holds both their
// parts and costs less than the two: the way from many small boards to fewer
// large ones, which taking parts off sheets one at a time seldom finds.
bool BestLane::Combine(BestPlan& plan) {
    if (plan.used.size() < 2) return false;
    const auto n = static_cast<std::uint32_t>(plan.used.size());
    const std::size_t a = Below(n);
    const std::size_t b = (a + 1 + Below(n - 1)) % n;
    const std::int32_t sa = plan.used[a].sheet, sb = plan.used[b].sheet;
    const double value = packer_.StockValue(sa) + packer_.StockValue(sb);
    rest_ = plan.used[a].parts;
    rest_.insert(rest_.end(), plan.used[b].parts.begin(), plan.used[b].parts.end());
    for (const auto& members : kinds_) {
        if (kindOf_[members.front()] == kindOf_[sa] || kindOf_[members.front()] == kindOf_[sb])
            continue;
        const auto free = std::find_if(members.begin(), members.end(),
                                       [&](std::int32_t s) { return !plan.taken[s]; });
        if (free == members.end() || !(packer_.StockValue(*free) < value)) continue;
        if (!packer_.Pack(*free, rest_, plan.turned, packed_)) continue;
        // Their parts are on the new sheet: they do not wait.
        const std::size_t waiting = plan.waiting.size();
        Drop(plan, std::max(a, b));
        Drop(plan, std::min(a, b));
        plan.waiting.resize(waiting);
        plan.taken[*free] = 1;
        plan.used.push_back(std::move(packed_));
        return true;
    }
    return false;
}

// Puts the waiting parts back, largest first with a few neighbours swapped, each
// on the fullest sheet that takes it, or on a sheet started for it.
void BestLane::Recreate(BestPlan& plan) {
    order_ = plan.waiting;
    plan.waiting.clear();
    std::stable_sort(order_.begin(), order_.end(), [&](std::int32_t a, std::int32_t b) {
        return packer_.EnteredArea(a) > packer_.EnteredArea(b);
    });
    for (std::size_t i = 0; i + 1 < order_.size(); ++i)
        if (Chance(0.1)) std::swap(order_[i], order_[i + 1]);
    for (std::int32_t p : order_)
        if (!Insert(plan, p) && !Open(plan, p)) plan.waiting.push_back(p);
}

bool BestLane::Insert(BestPlan& plan, std::int32_t part) {
    std::vector<std::size_t> fullest(plan.used.size());
    for (std::size_t i = 0; i < fullest.size(); ++i) fullest[i] = i;
    std::stable_sort(fullest.begin(), fullest.end(), [&](std::size_t a, std::size_t b) {
        return plan.used[a].layout.utilisation > plan.used[b].layout.utilisation;
    });
    const bool turnable = packer_.job.Parts()[part].rotatable;
    if (turnable && Chance(0.5)) plan.turned[part] ^= 1;
    for (std::size_t at : fullest) {
        UsedSheet& u = plan.used[at];
        rest_ = u.parts;
        rest_.push_back(part);
        for (int turn = 0; turn < (turnable ? 2 : 1); ++turn) {
            if (turn == 1) plan.turned[part] ^= 1;
            if (packer_.Pack(u.sheet, rest_, plan.turned, packed_)) {
                std::swap(u, packed_);
                return true;
            }
        }
    }
    return false;
}

bool BestLane::MayOpen(const BestPlan& plan, std::int32_t sheet) const {
    if (!best_.Complete()) return true;
    PlanScore opened;
    for (const UsedSheet& u : plan.used) {
        opened.stock += packer_.StockValue(u.sheet);
        (packer_.job.Sheets()[u.sheet].usedFirst ? opened.usedFirstArea : opened.stockArea) +=
            packer_.FullArea(u.sheet);
    }
    opened.stock += packer_.StockValue(sheet);
    (packer_.job.Sheets()[sheet].usedFirst ? opened.usedFirstArea : opened.stockArea) +=
        packer_.FullArea(sheet);
    opened.largestOffcut = -1;
    return BetterResult(opened, best_.score);
}

bool BestLane::Open(BestPlan& plan, std::int32_t part) {
    const bool turnable = packer_.job.Parts()[part].rotatable;
    rest_.assign(1, part);
    // Priority kinds first; the others from a random one on, as the cheapest sheet
    // is not always the one that leads to the cheapest plan.
    const std::size_t stockKinds = kinds_.size() - usedFirstKinds_;
    const std::size_t start = Below(static_cast<std::uint32_t>(stockKinds));
    for (std::size_t n = 0; n < kinds_.size(); ++n) {
        const std::size_t k =
            n < usedFirstKinds_ ? n : usedFirstKinds_ + (start + n - usedFirstKinds_) % stockKinds;
        const auto& members = kinds_[k];
        const auto free = std::find_if(members.begin(), members.end(),
                                       [&](std::int32_t s) { return !plan.taken[s]; });
        if (free == members.end() || !MayOpen(plan, *free)) continue;
        for (int turn = 0; turn < (turnable ? 2 : 1); ++turn) {
            if (turn == 1) plan.turned[part] ^= 1;
            if (packer_.Pack(*free, rest_, plan.turned, packed_)) {
                plan.taken[*free] = 1;
                plan.used.push_back(std::move(packed_));
                return true;
            }
        }
    }
    return false;
}

void BestLane::Downsize(BestPlan& plan) {
    const auto value = [&](std::int32_t s) {
        return std::tuple(packer_.StockValue(s),
                          packer_.job.Sheets()[s].usedFirst ? packer_.FullArea(s) : 0.0,
                          packer_.FullArea(s));
    };
    for (UsedSheet& u : plan.used) {
        for (const auto& members : kinds_) {
            if (kindOf_[members.front()] == kindOf_[u.sheet]) continue;
            const auto free = std::find_if(members.begin(), members.end(),
                                           [&](std::int32_t s) { return !plan.taken[s]; });
            if (free == members.end() || !(value(*free) < value(u.sheet))) continue;
            if (!packer_.Pack(*free, u.parts, plan.turned, packed_)) continue;
            plan.taken[u.sheet] = 0;
            plan.taken[*free] = 1;
            std::swap(u, packed_);
            break;
        }
    }
    packer_.Score(plan);
}

}  // namespace tarvex
