// The best search as a calculation runs it: every plan passes the plan check and
// is never worse than the classic search's, the objective order, the same plan
// for any thread count, the time limit and Stop.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "job/Calculation.h"
#include "job/PlanCheck.h"
#include "support/RandomJobRows.h"

using namespace tarvex;

namespace {

// What the objective compares, read off an applied plan.
struct Figures {
    bool allPlaced = false;
    double stock = 0;         // cost or area of the non-priority sheets used
    double priorityArea = 0;  // area of the priority sheets used
    int sheets = 0;
};

Figures FiguresOf(const AppliedResult& plan) {
    Figures f;
    f.allPlaced = plan.allPlaced;
    for (const PlannedSheet& s : plan.sheets) {
        if (!s.used) continue;
        ++f.sheets;
        if (plan.job.Sheets()[s.id].usedFirst)
            f.priorityArea += s.Area();
        else
            f.stock += plan.settings.cut.costObjective ? s.unitCost * s.Area() : s.Area();
    }
    return f;
}

AppliedResult Calculate(JobRows rows, SearchMethod search, std::uint32_t seed, int threads = 1,
                        std::int64_t steps = 30) {
    rows.settings.search = search;
    rows.settings.bestSteps = steps;
    Calculation calc;
    GaOptions options;
    options.seed = seed;
    options.threads = threads;
    const CalcOutcome outcome = calc.Run(rows, options);
    EXPECT_NE(outcome.status, CalcOutcome::Status::PlanRejected)
        << (outcome.violation ? outcome.violation->message : std::string());
    return calc.Applied() ? *calc.Applied() : AppliedResult{};
}

// Generated jobs in both modes, with either objective: the best plan passes the
// check (the calculation refuses it otherwise) and is no worse than the classic
// plan of the same seed; on some jobs it is better.
void CheckBestPlans(bool guillotine, int jobs, std::uint64_t seed) {
    int calculated = 0, better = 0, withPriority = 0;
    for (int j = 0; j < jobs; ++j) {
        std::mt19937_64 rng(seed + j);
        JobRows rows = RandomRows(rng, guillotine);
        rows.settings.cut.costObjective = Chance(rng, 0.5);
        const auto s = static_cast<std::uint32_t>(seed + j);
        Calculation probe;
        if (probe.Prepare(rows)) continue;  // refused before any search
        const Figures classic = FiguresOf(Calculate(rows, SearchMethod::Classic, s));
        const AppliedResult plan = Calculate(rows, SearchMethod::Best, s);
        ASSERT_FALSE(plan.sheets.empty()) << "job " << seed + j;
        const Figures best = FiguresOf(plan);
        ++calculated;
        withPriority += best.priorityArea > 0;
        if (!classic.allPlaced) {
            better += best.allPlaced;
            continue;
        }
        ASSERT_TRUE(best.allPlaced) << "job " << seed + j;
        ASSERT_LE(best.stock, classic.stock * (1 + 1e-9)) << "job " << seed + j;
        better += best.stock < classic.stock * (1 - 1e-9);
    }
    EXPECT_GT(calculated, jobs / 2);
    EXPECT_GT(better, jobs / 20);
    EXPECT_GT(withPriority, jobs / 10);
}

TEST(BestSearch, GuillotinePlansPassTheCheckAndBeatOrMatchClassic) {
    CheckBestPlans(true, 600, 100);
}

TEST(BestSearch, FreePlansPassTheCheckAndBeatOrMatchClassic) {
    CheckBestPlans(false, 600, 900100);
}

// Whether the parts come apart in at most `stages` alternating stages of
// edge-to-edge cuts, the first stage cutting across y (parallel to x) when
// `acrossY`, a piece with one part trimmed to it. Read off the placements alone.
bool ComesApart(std::vector<const Placement*> parts, int stages, bool acrossY, double kerf) {
    if (parts.size() <= 1) return true;
    if (stages == 0) return false;
    const auto from = [&](const Placement* p) { return acrossY ? p->y : p->x; };
    const auto to = [&](const Placement* p) {
        return acrossY ? p->y + p->width : p->x + p->length;
    };
    std::sort(parts.begin(), parts.end(),
              [&](const Placement* a, const Placement* b) { return from(a) < from(b); });
    std::vector<const Placement*> group;
    double end = -1e300;
    for (const Placement* p : parts) {
        if (!group.empty() && from(p) >= end + kerf - 1e-6) {
            if (!ComesApart(group, stages - 1, !acrossY, kerf)) return false;
            group.clear();
        }
        group.push_back(p);
        end = std::max(end, to(p));
    }
    return ComesApart(group, stages - 1, !acrossY, kerf);
}

// A part the plan leaves waiting although it fits alone on a sheet the plan leaves
// unused (any limit allows one part on a sheet); empty when there is none.
std::string PartFittingAnUnusedSheet(const AppliedResult& plan) {
    std::vector<std::int32_t> placed;
    for (const PlannedSheet& s : plan.sheets)
        for (const Placement& p : s.parts) placed.push_back(p.partId);
    const double kerf = plan.settings.cut.bladeWidth, tol = 1e-6;
    for (const Part& part : plan.job.Parts()) {
        if (std::find(placed.begin(), placed.end(), part.id) != placed.end()) continue;
        for (const PlannedSheet& s : plan.sheets) {
            if (s.used) continue;
            const Sheet& room = plan.job.Sheets()[s.id];
            const auto fits = [&](double l, double w) {
                return l <= room.length + kerf + tol && w <= room.width + kerf + tol;
            };
            if (fits(part.length, part.width) || (part.rotatable && fits(part.width, part.length)))
                return part.label + " on sheet " + std::to_string(s.id);
        }
    }
    return {};
}

// Guillotine plans with a stage limit and a first-cut direction: every plan passes
// the plan check, every sheet comes apart within the limit, and no part waits that
// a sheet left unused would hold (sizes that meet a sheet exactly, after margins
// and blade, once made the patterns miss such parts).
TEST(BestSearch, StageLimitedPlansKeepTheirLimitsAndPassTheCheck) {
    int calculated = 0;
    for (int j = 0; j < 300; ++j) {
        std::mt19937_64 rng(31000 + j);
        JobRows rows = RandomRows(rng, true);
        CutSettings& cut = rows.settings.cut;
        cut.costObjective = Chance(rng, 0.5);
        cut.stages = Chance(rng, 0.5) ? 2 : 3;
        cut.firstCut = std::array{FirstCut::Any, FirstCut::Length, FirstCut::Width}[Below(rng, 3)];
        Calculation probe;
        if (probe.Prepare(rows)) continue;
        const AppliedResult plan = Calculate(rows, SearchMethod::Best, 5 + j);
        ASSERT_FALSE(plan.sheets.empty()) << "job " << 31000 + j;
        ++calculated;
        for (const PlannedSheet& s : plan.sheets) {
            std::vector<const Placement*> parts;
            for (const Placement& p : s.parts) parts.push_back(&p);
            const bool alongLength = ComesApart(parts, cut.stages, true, cut.bladeWidth);
            const bool alongWidth = ComesApart(parts, cut.stages, false, cut.bladeWidth);
            EXPECT_TRUE(cut.firstCut == FirstCut::Width    ? alongWidth
                        : cut.firstCut == FirstCut::Length ? alongLength
                                                           : alongLength || alongWidth)
                << "job " << 31000 + j << ", sheet " << s.id;
        }
        const std::string waiting = PartFittingAnUnusedSheet(plan);
        EXPECT_TRUE(waiting.empty()) << "job " << 31000 + j << ": " << waiting;
    }
    EXPECT_GT(calculated, 150);
}

JobRows Rows(std::vector<SheetRow> sheets, std::vector<PartRow> parts, bool cost) {
    JobRows rows;
    rows.settings.cut.guillotine = true;
    rows.settings.cut.bladeWidth = 4;
    rows.settings.cut.costObjective = cost;
    rows.settings.speed = 1;
    rows.sheets = std::move(sheets);
    rows.parts = std::move(parts);
    return rows;
}

// Remnants are already paid for: parts that fit on one go there, not on new stock,
// whichever sheet the classic search happened to start with.
TEST(BestSearch, PriorityRemnantsAreUsedBeforeNewSheets) {
    for (std::uint32_t seed = 1; seed <= 5; ++seed) {
        const JobRows rows = Rows({SheetRow{"Board", 2440, 1220, 3, 50, false, 1},
                                   SheetRow{"Remnant", 1000, 600, 1, 0, true, 2}},
                                  {PartRow{"Shelf", 480, 280, 4, true, 1}}, seed % 2 == 0);
        const Figures f = FiguresOf(Calculate(rows, SearchMethod::Best, seed));
        EXPECT_TRUE(f.allPlaced);
        EXPECT_EQ(f.stock, 0) << "seed " << seed;
        EXPECT_EQ(f.sheets, 1) << "seed " << seed;
    }
}

// Two doors fit side by side on one large board, or one each on two small ones:
// the small ones cost less, the large one takes less area.
TEST(BestSearch, CostObjectivePicksTheCheaperPlanAreaObjectiveTheSmallerOne) {
    for (const bool cost : {true, false}) {
        const JobRows rows = Rows({SheetRow{"Large", 2440, 1220, 2, 200, false, 1},
                                   SheetRow{"Small", 1250, 1250, 4, 60, false, 2}},
                                  {PartRow{"Door", 1100, 1100, 2, false, 1}}, cost);
        const AppliedResult plan = Calculate(rows, SearchMethod::Best, 3);
        const Figures f = FiguresOf(plan);
        ASSERT_TRUE(f.allPlaced);
        EXPECT_EQ(f.sheets, cost ? 2 : 1) << (cost ? "cost" : "area");
        EXPECT_NEAR(f.stock, cost ? 120 : 2440.0 * 1220, 1e-6);
    }
}

using Layout = std::vector<std::tuple<std::int32_t, std::int32_t, double, double, bool>>;

Layout LayoutOf(const AppliedResult& plan) {
    Layout layout;
    for (const PlannedSheet& s : plan.sheets)
        for (const Placement& p : s.parts) layout.emplace_back(s.id, p.partId, p.x, p.y, p.rotated);
    return layout;
}

TEST(BestSearch, StepBoundedRunGivesTheSamePlanForOneAndTwoThreads) {
    int compared = 0;
    for (int j = 0; j < 24; ++j) {
        std::mt19937_64 rng(4242 + j);
        const JobRows rows = RandomRows(rng, j % 2 == 0);
        Calculation probe;
        if (probe.Prepare(rows)) continue;
        const AppliedResult one = Calculate(rows, SearchMethod::Best, 77, 1, 120);
        const AppliedResult two = Calculate(rows, SearchMethod::Best, 77, 2, 120);
        EXPECT_EQ(LayoutOf(one), LayoutOf(two)) << "job " << 4242 + j;
        compared += !LayoutOf(one).empty();
    }
    EXPECT_GT(compared, 12);
}

// Many parts on two sheet sizes: no bound proves a plan optimal, so only the
// time limit or Stop ends the search.
JobRows Unprovable() {
    std::vector<PartRow> parts;
    for (int k = 0; k < 12; ++k)
        parts.push_back(PartRow{"Part", 150.0 + 61 * k, 90.0 + 37 * k, 8, k % 3 != 0, k + 1});
    JobRows rows = Rows({SheetRow{"Board", 2440, 1220, 40, 50, false, 1},
                         SheetRow{"Half", 1220, 1220, 40, 30, false, 2}},
                        std::move(parts), false);
    rows.settings.search = SearchMethod::Best;
    return rows;
}

GaOptions TwoThreads(const std::atomic<bool>* stop = nullptr) {
    GaOptions options;
    options.seed = 5;
    options.threads = 2;
    options.stop = stop;
    return options;
}

double SecondsOf(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

TEST(BestSearch, EndsAtTheTimeLimitAndOnStop) {
    JobRows rows = Unprovable();
    rows.settings.timeLimit = 0.6;
    Calculation timed;
    ASSERT_FALSE(timed.Prepare(rows));
    double left = -1;
    const double seconds = SecondsOf([&] {
        timed.Optimize(TwoThreads(), {}, [&](const BestProgress& p) { left = p.secondsLeft; });
    });
    EXPECT_GE(seconds, 0.6);
    EXPECT_LT(seconds, 3.0);
    EXPECT_EQ(left, 0);
    EXPECT_TRUE(timed.Finish().allPlaced);

    rows.settings.timeLimit = 60;
    Calculation stopped;
    ASSERT_FALSE(stopped.Prepare(rows));
    std::atomic<bool> stop = false;
    int reports = 0;
    const double stoppedAfter = SecondsOf([&] {
        stopped.Optimize(TwoThreads(&stop), {}, [&](const BestProgress& p) {
            ++reports;
            EXPECT_GT(p.secondsLeft, 50);
            stop = true;
        });
    });
    EXPECT_LT(stoppedAfter, 3.0);
    EXPECT_EQ(reports, 1);
    const CalcOutcome outcome = stopped.Finish();
    EXPECT_EQ(outcome.status, CalcOutcome::Status::Applied);
    EXPECT_TRUE(outcome.allPlaced);
}

// Stop pressed while the classic search still runs: the classic plan of that
// moment is applied, and the best search does not start at all.
TEST(BestSearch, StopDuringTheClassicStartAppliesTheClassicPlan) {
    std::atomic<bool> stop = true;
    const auto planOf = [&](SearchMethod search) {
        JobRows rows = Unprovable();
        rows.settings.search = search;
        rows.settings.timeLimit = 60;
        Calculation calc;
        EXPECT_FALSE(calc.Prepare(rows));
        int reports = 0;
        const double seconds = SecondsOf(
            [&] { calc.Optimize(TwoThreads(&stop), {}, [&](const BestProgress&) { ++reports; }); });
        EXPECT_LT(seconds, 5.0);
        EXPECT_EQ(reports, 0);
        EXPECT_EQ(calc.Finish().status, CalcOutcome::Status::Applied);
        return LayoutOf(*calc.Applied());
    };
    EXPECT_EQ(planOf(SearchMethod::Best), planOf(SearchMethod::Classic));
}

}  // namespace
