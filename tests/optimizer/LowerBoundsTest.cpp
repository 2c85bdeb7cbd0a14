// The lower bound of the stock a job needs. It must never pass a plan that places
// every part: jobs are made by cutting whole sheets into parts, so a plan of known
// value exists (those sheets, cut back the way they were cut), and the bound may
// not exceed it. Plans of generated jobs with kerf, margins and priority sheets
// are held against the bound in the job tests.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "optimizer/LowerBounds.h"
#include "support/JobBuilder.h"

using namespace tarvex;

namespace {

using Measure = StockBound::Measure;

// Cuts the rectangle by random edge-to-edge cuts into parts of whole sizes.
void CutInto(std::mt19937_64& rng, double length, double width, std::vector<PartRow>& parts) {
    std::uniform_real_distribution<double> unit(0, 1);
    const bool canX = length >= 2, canY = width >= 2;
    if ((!canX && !canY) || unit(rng) < 0.25) {
        parts.push_back(TestPart(length, width, 1, unit(rng) < 0.6));
        return;
    }
    const bool alongX = canX && (!canY || unit(rng) < 0.5);
    const double extent = alongX ? length : width;
    const double at = 1 + std::floor(unit(rng) * (extent - 1));
    if (alongX) {
        CutInto(rng, at, width, parts);
        CutInto(rng, length - at, width, parts);
    } else {
        CutInto(rng, length, at, parts);
        CutInto(rng, length, width - at, parts);
    }
}

struct TiledJob {
    Job job;
    CutSettings settings;
    double planValue[3] = {0, 0, 0};  // of the cut sheets, by measure
};

// One to three kinds of paid sheet, some of each cut into parts, more in stock;
// sometimes a priority sheet cut into parts as well.
TiledJob RandomTiledJob(std::mt19937_64& rng) {
    std::uniform_int_distribution<int> size(4, 40), count(0, 3), cost(1, 50);
    TiledJob t;
    t.settings.costObjective = rng() % 2 == 0;
    std::vector<PartRow> parts;
    std::vector<SheetRow> sheets;
    const int kinds = 1 + static_cast<int>(rng() % 3);
    int cut = 0;
    for (int k = 0; k < kinds; ++k) {
        const double length = size(rng), width = size(rng);
        SheetRow s = TestSheet(length, width, 0, cost(rng));
        // Sometimes a second kind of the first size, so one kind by size but not by cost.
        if (!sheets.empty() && rng() % 4 == 0)
            s.length = sheets[0].length, s.width = sheets[0].width;
        int n = count(rng);
        if (k == kinds - 1 && cut == 0) n = std::max(n, 1);
        cut += n;
        s.quantity = n + static_cast<int>(rng() % 3);
        if (s.quantity == 0) continue;
        for (int i = 0; i < n; ++i) CutInto(rng, s.length, s.width, parts);
        const double area = s.length * s.width;
        t.planValue[static_cast<int>(Measure::Sheets)] += n;
        t.planValue[static_cast<int>(Measure::Cost)] += n * s.cost;
        t.planValue[static_cast<int>(Measure::Area)] += n * area;
        sheets.push_back(s);
    }
    if (rng() % 4 == 0) {
        const double length = size(rng), width = size(rng);
        const SheetRow priority = TestSheet(length, width, 1, 0, true);
        CutInto(rng, priority.length, priority.width, parts);
        sheets.push_back(priority);
    }
    t.job = MakeJob(t.settings, parts, sheets);
    return t;
}

StockBound Bound(const CutSettings& settings, const std::vector<PartRow>& parts,
                 const std::vector<SheetRow>& sheets) {
    return LowerBoundOf(MakeJob(settings, parts, sheets), settings);
}

}  // namespace

TEST(LowerBounds, NoBoundExceedsAPlanOfJobsCutFromWholeSheets) {
    std::mt19937_64 rng(24);
    int jobs = 0, tight = 0, bySheets = 0, severalKinds = 0;
    for (; jobs < 4000; ++jobs) {
        const TiledJob t = RandomTiledJob(rng);
        const StockBound bound = LowerBoundOf(t.job, t.settings);
        ASSERT_FALSE(bound.infeasible) << "job " << jobs;
        const double plan = t.planValue[static_cast<int>(bound.measure)];
        ASSERT_LE(bound.value, plan * (1 + 1e-9)) << "job " << jobs;
        tight += bound.value >= plan * (1 - 1e-9);
        bySheets += bound.measure == Measure::Sheets;
        severalKinds += bound.measure != Measure::Sheets;
    }
    std::printf("jobs %d, bound equal to the cut sheets %d, by sheets %d, several kinds %d\n", jobs,
                tight, bySheets, severalKinds);
    EXPECT_GT(bySheets, 1000);
    EXPECT_GT(severalKinds, 1000);
    // Most such jobs leave no room for a better plan than the sheets they came from.
    EXPECT_GT(tight, jobs / 2);
}

// Cases where the bound is the least plan, each by another of its parts.
TEST(LowerBounds, TightOnSmallJobs) {
    CutSettings settings;
    // Four parts more than half the sheet both ways: one sheet each, though their
    // area would fit on two.
    StockBound b = Bound(settings, {TestPart(60, 60, 4)}, {TestSheet(100, 100, 9)});
    EXPECT_EQ(b.measure, Measure::Sheets);
    EXPECT_EQ(b.value, 4);
    // The same parts turned do not escape it, and halves share exactly.
    EXPECT_EQ(Bound(settings, {TestPart(60, 55, 3, true)}, {TestSheet(100, 100, 9)}).value, 3);
    EXPECT_EQ(Bound(settings, {TestPart(50, 100, 2)}, {TestSheet(100, 100, 9)}).value, 1);
    // Parts longer than the sheet less 30 in both directions take a sheet that no
    // part of at least 30 by 30 shares: three large, three 35 x 35 need four sheets.
    EXPECT_EQ(Bound(settings, {TestPart(75, 75, 3, false), TestPart(35, 35, 3, false)},
                    {TestSheet(100, 100, 9)})
                  .value,
              4);

    settings.costObjective = true;
    // Only the dearer sheet (by area) holds the long part: it is bought whatever the
    // area alone would say (two of the cheaper sheets cost 10).
    b = Bound(settings, {TestPart(150, 80, 1)},
              {TestSheet(100, 100, 5, 5), TestSheet(200, 100, 5, 15)});
    EXPECT_EQ(b.measure, Measure::Cost);
    EXPECT_EQ(b.value, 15);
    // Whole sheets: 10,100 of area is one large and one small sheet (16), not the
    // 10.1 a fraction of a sheet would cost.
    b = Bound(settings, {TestPart(100, 50, 2), TestPart(10, 10, 1)},
              {TestSheet(100, 100, 5, 10), TestSheet(100, 50, 5, 6)});
    EXPECT_EQ(b.value, 16);
    // Without the cost objective the bound is the least area of whole sheets.
    settings.costObjective = false;
    b = Bound(settings, {TestPart(100, 50, 2), TestPart(10, 10, 1)},
              {TestSheet(100, 100, 5, 10), TestSheet(100, 50, 5, 6)});
    EXPECT_EQ(b.measure, Measure::Area);
    EXPECT_EQ(b.value, 15000);

    // A priority sheet is paid already: the parts it can take need no paid sheet.
    b = Bound(settings, {TestPart(100, 100, 2)},
              {TestSheet(100, 100, 1, 0, true), TestSheet(100, 100, 5)});
    EXPECT_EQ(b.measure, Measure::Sheets);
    EXPECT_EQ(b.value, 1);
    EXPECT_EQ(Bound(settings, {TestPart(100, 100, 1)},
                    {TestSheet(100, 100, 1, 0, true), TestSheet(100, 100, 5)})
                  .value,
              0);
    // With nothing to pay for, the bound is on the priority sheets themselves.
    b = Bound(settings, {TestPart(60, 60, 3)}, {TestSheet(100, 100, 5, 0, true)});
    EXPECT_TRUE(b.ofUsedFirstSheets);
    EXPECT_EQ(b.value, 3);
    EXPECT_FALSE(Bound(settings, {TestPart(60, 60, 3)},
                       {TestSheet(100, 100, 5, 0, true), TestSheet(100, 100, 5)})
                     .ofUsedFirstSheets);
}

TEST(LowerBounds, NoPlanPlacesEveryPart) {
    CutSettings settings;
    // A part larger than every sheet, and more part area than stock.
    EXPECT_TRUE(
        Bound(settings, {TestPart(120, 10, 1, false)}, {TestSheet(100, 100, 3)}).infeasible);
    EXPECT_FALSE(Bound(settings, {TestPart(120, 10, 1, false)},
                       {TestSheet(100, 100, 3), TestSheet(130, 20, 1)})
                     .infeasible);
    EXPECT_TRUE(Bound(settings, {TestPart(60, 60, 4)}, {TestSheet(100, 100, 3)}).infeasible);
    EXPECT_TRUE(Bound(settings, {TestPart(100, 100, 4)}, {TestSheet(100, 100, 3)}).infeasible);
}
