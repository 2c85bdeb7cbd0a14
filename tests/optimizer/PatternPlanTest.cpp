// Plans of sheet patterns over generated jobs with several stock kinds: every
// part in exactly one pattern, each kind used no more often than it has sheets,
// every pattern a layout of its sheet; more ways of rounding never give a dearer
// plan than the first alone, and a plan at the sheet bound ends the rounding.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "model/Job.h"
#include "optimizer/PatternMaster.h"

using namespace tarvex;

namespace {

PatternJob GeneratedJob(std::mt19937& rng) {
    std::vector<Sheet> sheets;
    std::vector<Part> parts;
    const int kinds = 1 + static_cast<int>(rng() % 3);
    for (int k = 0; k < kinds; ++k) {
        Sheet s;
        s.label = "S" + std::to_string(k);
        s.length = 200 + rng() % 300;
        s.width = 150 + rng() % 250;
        s.unitCost = 1 + (rng() % 10) / 10.0;
        const int count = 2 + static_cast<int>(rng() % 40);
        sheets.insert(sheets.end(), count, s);
    }
    const int types = 2 + static_cast<int>(rng() % 6);
    for (int t = 0; t < types; ++t) {
        Part p;
        p.length = 20 + rng() % 180;
        p.width = 15 + rng() % 140;
        p.rotatable = rng() % 3 != 0;
        const int copies = 1 + static_cast<int>(rng() % 8);
        parts.insert(parts.end(), copies, p);
    }
    CutSettings settings;
    settings.costObjective = rng() % 2 == 0;
    settings.bladeWidth = (rng() % 3) * 2.0;
    JobBuilder job(settings);
    for (const Sheet& s : sheets) job.AddSheet(s);
    for (const Part& p : parts) job.AddPart(p);
    return PatternJob::Of(std::move(job).Build(), settings);
}

std::vector<PatternPricer> PricersOf(const PatternJob& pj) {
    std::vector<PatternPricer> pricers;
    const double grid = PatternGrid(pj, 100);
    for (std::int32_t k = 0; k < static_cast<std::int32_t>(pj.kinds.size()); ++k)
        pricers.emplace_back(pj, k, grid, true, true, true);
    return pricers;
}

double ValueOf(const PatternJob& pj, const std::vector<SheetPattern>& plan) {
    double value = 0;
    for (const SheetPattern& s : plan) value += pj.kinds[s.kind].value;
    return value;
}

bool Apart(const PatternRoom& a, const PatternRoom& b) {
    return a.x + a.length <= b.x + 1e-9 || b.x + b.length <= a.x + 1e-9 ||
           a.y + a.width <= b.y + 1e-9 || b.y + b.width <= a.y + 1e-9;
}

void ExpectPlan(const PatternJob& pj, const std::vector<SheetPattern>& plan, int job) {
    std::vector<std::int32_t> placed(pj.types.size(), 0), used(pj.kinds.size(), 0);
    for (const SheetPattern& s : plan) {
        ++used[s.kind];
        const StockKind& k = pj.kinds[s.kind];
        std::vector<PatternRoom> rooms;
        for (const PatternPiece& p : s.pieces) {
            const PieceType& t = pj.types[p.type];
            EXPECT_TRUE(!p.turned || t.rotatable) << "job " << job;
            rooms.push_back(
                PatternRoom{p.x, p.y, PieceLength(t, p.turned), PieceWidth(t, p.turned)});
            ++placed[p.type];
        }
        for (std::size_t i = 0; i < rooms.size(); ++i) {
            const PatternRoom& r = rooms[i];
            EXPECT_TRUE(r.x >= -1e-9 && r.y >= -1e-9 && r.x + r.length <= k.length + 1e-6 &&
                        r.y + r.width <= k.width + 1e-6)
                << "job " << job;
            for (std::size_t j = i + 1; j < rooms.size(); ++j)
                EXPECT_TRUE(Apart(r, rooms[j])) << "job " << job;
        }
    }
    for (std::size_t t = 0; t < pj.types.size(); ++t)
        EXPECT_EQ(placed[t], pj.types[t].Demand()) << "job " << job << " type " << t;
    for (std::size_t k = 0; k < pj.kinds.size(); ++k)
        EXPECT_LE(used[k], static_cast<std::int32_t>(pj.kinds[k].sheets.size())) << "job " << job;
}

TEST(PatternPlan, RoundingsCoverEveryPartAndOnlyEverLowerTheFigure) {
    std::mt19937 rng(4242);
    int jobs = 0, lower = 0;
    for (int job = 0; job < 60; ++job) {
        const PatternJob pj = GeneratedJob(rng);
        // Jobs whose stock cannot hold them are the greedy finish's, not these.
        double pieceArea = 0, stockArea = 0;
        for (const PieceType& t : pj.types) pieceArea += t.length * t.width * t.Demand();
        for (const StockKind& k : pj.kinds) stockArea += k.length * k.width * k.sheets.size();
        if (pieceArea > 0.5 * stockArea) continue;
        ++jobs;
        const std::vector<PatternPricer> pricers = PricersOf(pj);
        // Fewer generation rounds than a search takes: the test is about rounding.
        PatternPlanLimits first;
        first.roundsPerSolve = 40;
        first.totalRounds = 400;
        const std::vector<SheetPattern> once = PlanByPatterns(pj, pricers, first);
        PatternPlanLimits all = first;
        all.roundings = BestParameters{}.roundings;
        const std::vector<SheetPattern> every = PlanByPatterns(pj, pricers, all);
        ExpectPlan(pj, once, job);
        ExpectPlan(pj, every, job);
        EXPECT_LE(ValueOf(pj, every), ValueOf(pj, once) + 1e-9) << "job " << job;
        lower += ValueOf(pj, every) < ValueOf(pj, once) - 1e-9;

        // A plan with as few sheets as the bound is not rounded again.
        PatternPlanLimits bounded = all;
        bounded.fewestSheets = static_cast<std::int32_t>(once.size());
        const std::vector<SheetPattern> ended = PlanByPatterns(pj, pricers, bounded);
        EXPECT_EQ(ended.size(), once.size()) << "job " << job;
        EXPECT_DOUBLE_EQ(ValueOf(pj, ended), ValueOf(pj, once)) << "job " << job;
    }
    EXPECT_GT(jobs, 40);
    // The further roundings are worth their time on some of these jobs.
    EXPECT_GT(lower, 0);
}

}  // namespace
