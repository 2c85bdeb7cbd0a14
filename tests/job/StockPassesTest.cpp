// How much of the stock a calculation takes: more when parts are left over while
// sheets remain, and every part that fits the sheets as entered accepted.
#include <gtest/gtest.h>

#include <random>

#include "job/Calculation.h"
#include "job/JobInput.h"

using namespace tarvex;

namespace {

JobRows Rows(std::vector<PartRow> parts, std::vector<SheetRow> sheets, double blade,
             bool guillotine = false) {
    JobRows rows;
    rows.parts = std::move(parts);
    rows.sheets = std::move(sheets);
    rows.settings.cut.bladeWidth = blade;
    rows.settings.cut.guillotine = guillotine;
    return rows;
}

GaOptions Seeded(std::uint32_t seed) {
    GaOptions options;
    options.seed = seed;
    options.threads = 1;
    return options;
}

TEST(StockPasses, LeftOverPartsTakeMoreOfTheStockUntilAllArePlaced) {
    const JobRows rows =
        Rows({{"Big panel", 1300, 700, 10, false, 1}}, {{"Board", 2440, 1220, 20, 0, false, 1}}, 4);
    Calculation calc;
    int announced = 0;
    ASSERT_FALSE(calc.Prepare(rows));
    calc.Optimize(Seeded(1), [&](int pass) { announced = pass; });
    const CalcOutcome outcome = calc.Finish();
    ASSERT_EQ(outcome.status, CalcOutcome::Status::Applied);
    const AppliedResult& result = *calc.Applied();
    EXPECT_TRUE(result.allPlaced);
    EXPECT_EQ(result.passes, 2);
    EXPECT_EQ(announced, 2);
    EXPECT_EQ(result.seed, 1u);
    // The second job counts its part ids on from the first.
    EXPECT_EQ(result.job.Parts().front().id, 10);
}

// Generated jobs whose first gathering is often too small: the plan places every
// part or has taken every sheet, its job is what a gathering with the stock limit
// of its last pass builds (part ids counting on), and the same seed repeats it.
TEST(StockPasses, EveryGeneratedJobEndsPlacedOrOutOfStock) {
    std::mt19937_64 rng(12);
    std::uniform_real_distribution<double> size(100, 1300);
    int multiPass = 0;
    for (int n = 0; n < 150; ++n) {
        std::vector<PartRow> parts;
        const int kinds = 1 + static_cast<int>(rng() % 4);
        for (int k = 0; k < kinds; ++k)
            parts.push_back({"P" + std::to_string(k), std::round(size(rng)),
                             std::round(size(rng) / 2), 1 + static_cast<int>(rng() % 6),
                             rng() % 2 == 0, k + 1});
        std::vector<SheetRow> sheets = {
            {"A", 1500, 800, static_cast<int>(rng() % 12), 10, rng() % 2 == 0, 1},
            {"B", 2440, 1220, static_cast<int>(rng() % 4), 20, false, 2}};
        const JobRows rows = Rows(parts, sheets, static_cast<double>(rng() % 5), n % 2 == 0);
        Calculation calc;
        if (calc.Prepare(rows)) continue;  // refused: less area than the parts
        calc.Optimize(Seeded(static_cast<std::uint32_t>(n)));
        ASSERT_EQ(calc.Finish().status, CalcOutcome::Status::Applied);
        const AppliedResult& result = *calc.Applied();
        SCOPED_TRACE(n);
        EXPECT_TRUE(result.allPlaced || result.job.SheetCount() == StockUnits(rows));
        double factor = kFirstStockFactor;
        for (int pass = 1; pass < result.passes; ++pass) factor *= 2;
        Job expected;
        InputFault error;
        ASSERT_TRUE(
            GatherJob(rows, (result.passes - 1) * result.job.PartCount(), expected, error, factor));
        EXPECT_EQ(expected.SheetCount(), result.job.SheetCount());
        EXPECT_EQ(expected.Parts().front().id, result.job.Parts().front().id);
        multiPass += result.passes > 1;

        Calculation again;
        ASSERT_EQ(again.Run(rows, Seeded(static_cast<std::uint32_t>(n))).status,
                  CalcOutcome::Status::Applied);
        EXPECT_EQ(again.Applied()->passes, result.passes);
        EXPECT_EQ(again.Applied()->fitness, result.fitness);
    }
    EXPECT_GT(multiPass, 10) << "the generated jobs must exercise later passes";
}

TEST(StockPasses, PartsAreMeasuredAsEnteredAgainstTheUsableArea) {
    Calculation calc;
    const CalcOutcome fits = calc.Run(
        Rows({{"Whole", 2440, 1220, 1, false, 1}}, {{"Board", 2440, 1220, 1, 0, false, 1}}, 4),
        Seeded(1));
    ASSERT_EQ(fits.status, CalcOutcome::Status::Applied);
    EXPECT_TRUE(fits.allPlaced);
    const Placement& whole = calc.Applied()->sheets.front().parts.front();
    EXPECT_EQ(whole.length, 2440);
    EXPECT_EQ(whole.width, 1220);

    JobRows margins =
        Rows({{"Whole", 2440, 1220, 1, false, 1}}, {{"Board", 2440, 1220, 1, 0, false, 1}}, 0);
    margins.settings.cut.margins.left = 1;
    EXPECT_EQ(calc.Prepare(margins)->status, CalcOutcome::Status::AreaRefused)
        << "the margins take usable area";
}

}  // namespace
