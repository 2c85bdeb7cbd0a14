// The score of one evaluation in area and in cost mode.
#include <cmath>

#include "JobFixture.h"

using namespace tarvex;

using Fitness = JobTest;

TEST_F(Fitness, OneSheetScoresItsUtilisation) {
    BuildJob({TestPart(40, 20)}, {TestSheet(40, 25)});
    const Agent agent = EvaluatedAgent();
    EXPECT_DOUBLE_EQ(agent.fitness, 0.8);
    EXPECT_EQ(agent.usedSheets, 1);
    EXPECT_DOUBLE_EQ(agent.bestSheetUse, 0.8);
    EXPECT_DOUBLE_EQ(agent.sheets[0].utilisation, 0.8);
}

TEST_F(Fitness, LastSheetCountsOnlyAsFarAsItsPlacementsReach) {
    // 900 on the first sheet of 1 000; 300 on the second, within a 20 by 20 box.
    BuildJob({TestPart(45, 20), TestPart(10, 20), TestPart(10, 10)}, {TestSheet(50, 20, 2)});
    const Agent agent = EvaluatedAgent();
    ASSERT_EQ(agent.usedSheets, 2);
    EXPECT_DOUBLE_EQ(agent.fitness, 1200.0 / 1400.0);
    EXPECT_DOUBLE_EQ(agent.bestSheetUse, 0.9);
    EXPECT_DOUBLE_EQ(agent.sheets[1].utilisation, 0.3);
}

TEST_F(Fitness, BoundingBoxIsMeasuredInSinglePrecision) {
    BuildJob({TestPart(45, 20), TestPart(10.1, 10.3)}, {TestSheet(50, 20, 2)});
    const Agent agent = EvaluatedAgent();
    ASSERT_EQ(agent.usedSheets, 2);
    const double placed = 900 + 10.1 * 10.3;
    const double box = static_cast<double>(10.1f) * static_cast<double>(10.3f);
    EXPECT_EQ(agent.fitness, placed / (1000 + box));
    EXPECT_NE(agent.fitness, placed / (1000 + 10.1 * 10.3));
}

TEST_F(Fitness, IncompletePlanIsMeasuredAgainstAllStock) {
    // The 100 by 1 part fits neither sheet in any orientation.
    BuildJob({TestPart(50, 10, 3), TestPart(100, 1)}, {TestSheet(50, 30, 2)});
    const Agent agent = EvaluatedAgent();
    EXPECT_EQ(agent.usedSheets, 1);
    EXPECT_DOUBLE_EQ(agent.fitness, 0.5);
}

TEST_F(Fitness, SheetWithoutPartsContributesNothing) {
    BuildJob({TestPart(10, 10, 2)}, {TestSheet(5, 5), TestSheet(50, 20)});
    const Agent agent = EvaluatedAgent();
    EXPECT_EQ(agent.usedSheets, 1);
    EXPECT_DOUBLE_EQ(agent.fitness, 0.2);
    EXPECT_EQ(agent.sheets[0].utilisation, 0);
    EXPECT_TRUE(agent.PartsOn(agent.sheets[0]).empty());
}

TEST_F(Fitness, CostModeWithEqualCostsIgnoresTheBoundingBox) {
    settings.costObjective = true;
    BuildJob({TestPart(45, 20), TestPart(10, 20), TestPart(10, 10)}, {TestSheet(50, 20, 2, 100)});
    const Agent agent = EvaluatedAgent();
    EXPECT_DOUBLE_EQ(agent.fitness, 1200.0 / 2000.0);
}

TEST_F(Fitness, CostModeWeighsAreasByUnitCost) {
    settings.costObjective = true;
    BuildJob(
        {TestPart(45, 20), TestPart(10, 20), TestPart(10, 10)},
        {TestSheet(50, 20, 1, 100, true), TestSheet(50, 20, 1, 300), TestSheet(50, 20, 1, 1000)});
    const Agent agent = EvaluatedAgent();
    // 900 at 0.1 and 300 at 0.3 per unit area, against sheets costing 100 and 300.
    EXPECT_DOUBLE_EQ(agent.fitness, 180.0 / 400.0);
}

TEST_F(Fitness, CostModeIncompletePlan) {
    settings.costObjective = true;
    BuildJob({TestPart(50, 10, 3), TestPart(100, 1)}, {TestSheet(50, 30, 2, 150)});
    const Agent agent = EvaluatedAgent();
    EXPECT_DOUBLE_EQ(agent.fitness, 150.0 / 300.0);
}

TEST_F(Fitness, CostModeOnFreeStockStaysANumber) {
    settings.costObjective = true;
    BuildJob({TestPart(50, 10, 3), TestPart(100, 1)}, {TestSheet(50, 30, 2, 0)});
    const Agent agent = EvaluatedAgent();
    EXPECT_FALSE(std::isnan(agent.fitness));
    EXPECT_EQ(agent.fitness, 0);
}
