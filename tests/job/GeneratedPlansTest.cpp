// Every plan the program makes passes the plan check: generated jobs, gathered by
// the job input, laid out as random candidates and turned into plans by the result
// application, and some of them calculated in full.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "job/Calculation.h"
#include "job/JobInput.h"
#include "job/PlanCheck.h"

namespace {

double Uniform(std::mt19937_64& rng, double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(rng);
}

int Below(std::mt19937_64& rng, int n) {
    return static_cast<int>(rng() % n);
}

bool Chance(std::mt19937_64& rng, double p) {
    return Uniform(rng, 0, 1) < p;
}

// Entered sizes of one part row drawn against a usable area; `previous` is the
// length of the row before, so that strips end one blade width short of a part.
void PartSize(std::mt19937_64& rng, double usableLength, double usableWidth, double previous,
              double kerf, double& length, double& width) {
    auto whole = [&](double hi) { return std::floor(Uniform(rng, 1, std::max(2.0, hi))); };
    switch (Below(rng, 11)) {
        case 0:  // exactly as long as the usable area
            length = usableLength, width = whole(usableWidth * 0.5);
            break;
        case 1:  // exactly as wide
            length = whole(usableLength * 0.5), width = usableWidth;
            break;
        case 2:  // the whole usable area
            length = usableLength, width = usableWidth;
            break;
        case 3:  // a fraction, so that ends meet exactly
            length = usableLength / (2 + Below(rng, 4)), width = usableWidth / (2 + Below(rng, 4));
            break;
        case 4:
        case 5:
        case 6:  // one blade width longer than the row before
            length = previous + kerf, width = whole(usableWidth * 0.3);
            break;
        case 7:
            length = Uniform(rng, 1, usableLength * 0.7),
            width = Uniform(rng, 1, usableWidth * 0.7);
            break;
        case 8:  // small
            length = whole(40), width = whole(40);
            break;
        default:
            length = whole(usableLength * 0.6), width = whole(usableWidth * 0.6);
    }
}

// A job as typed: repeated labels in other sizes, sheets of two sizes under one
// label, kerf 0 or positive, margins or none, turnable and fixed parts.
JobRows RandomRows(std::mt19937_64& rng, bool guillotine) {
    JobRows rows;
    CutSettings& cut = rows.settings.cut;
    cut.guillotine = guillotine;
    const double blades[] = {0, 0, 3, 4, 4, 4.2, 0.1};
    cut.bladeWidth = blades[Below(rng, 7)];
    if (Chance(rng, 0.6)) {
        const double margins[] = {0, 5, 10, 13.7};
        cut.margins = Margins{margins[Below(rng, 4)], margins[Below(rng, 4)],
                              margins[Below(rng, 4)], margins[Below(rng, 4)]};
    }
    const double limits[][3] = {{0, 0, 0}, {10, 10, 150}, {50, 30, 5000}};
    const auto& limit = limits[Below(rng, 3)];
    cut.minOffcutLength = limit[0], cut.minOffcutWidth = limit[1], cut.minOffcutArea = limit[2];
    rows.settings.speed = 1;

    const double sizes[][2] = {{2440, 1220}, {2500, 1250}, {1000, 500}, {300, 200}};
    for (int k = 0, n = 1 + Below(rng, 3); k < n; ++k) {
        SheetRow s;
        if (Chance(rng, 0.7)) {
            const auto& size = sizes[Below(rng, 4)];
            s.length = size[0], s.width = size[1];
        } else {
            s.length = std::round(Uniform(rng, 200, 3000)),
            s.width = std::round(Uniform(rng, 150, 1500));
        }
        s.label = Chance(rng, 0.5) ? "Board" : "Sheet " + std::to_string(k);
        s.quantity = 1 + Below(rng, 4);
        s.cost = std::round(Uniform(rng, 0, 100));
        s.priority = Chance(rng, 0.3);
        s.row = k + 1;
        rows.sheets.push_back(s);
    }
    const char* labels[] = {"Side", "Shelf", "Door", "Cabinet side panel, left"};
    double previous = 100;
    for (int k = 0, n = 1 + Below(rng, 12); k < n; ++k) {
        const SheetRow& on = rows.sheets[Below(rng, static_cast<int>(rows.sheets.size()))];
        PartRow p;
        PartSize(rng, on.length - cut.margins.left - cut.margins.right,
                 on.width - cut.margins.top - cut.margins.bottom, previous, cut.bladeWidth,
                 p.length, p.width);
        previous = p.length;
        p.label = labels[Below(rng, 4)];
        p.quantity = 1 + Below(rng, 6);
        p.rotatable = Chance(rng, 0.7);
        p.row = k + 1;
        rows.parts.push_back(p);
    }
    return rows;
}

// What the generated plans held, to show that they reach the cases they are for.
struct Reach {
    int plans = 0, withKerf = 0, withMargins = 0, merged = 0, notAllPlaced = 0, calculated = 0;
};

// One random candidate per job, laid out and applied as a calculation applies the
// best one; every 100th job is also calculated in full at the fastest setting.
Reach CheckGeneratedPlans(bool guillotine, int jobs, std::uint64_t seed) {
    Reach reach;
    WorkList list;
    std::int32_t nextPartId = 0;
    for (int j = 0; j < jobs; ++j) {
        std::mt19937_64 rng(seed + j);
        const JobRows rows = RandomRows(rng, guillotine);
        Job job;
        std::string error;
        if (!GatherJob(rows, nextPartId, job, error)) {
            ADD_FAILURE() << "job " << seed + j << ": " << error;
            break;
        }
        nextPartId += job.partCount;
        RandomSource random(static_cast<std::uint32_t>(seed + j));
        Agent candidate;
        CreateRandom(candidate, job.parts, job.sheets, random);
        std::shuffle(candidate.sheetOrder.begin(), candidate.sheetOrder.end(), rng);
        Decode(candidate);
        Evaluate(candidate, list, job, rows.settings.cut);
        const AppliedResult plan = PlanOf(candidate, job, rows.settings);
        if (const auto found = CheckPlan(plan)) {
            ADD_FAILURE() << "job " << seed + j << ": " << found->message;
            break;
        }
        ++reach.plans;
        reach.withKerf += rows.settings.cut.bladeWidth > 0;
        const Margins& m = rows.settings.cut.margins;
        reach.withMargins += m.top + m.bottom + m.left + m.right > 0;
        reach.merged += std::any_of(plan.sheets.begin(), plan.sheets.end(),
                                    [](const PlannedSheet& s) { return s.used && !s.distinct; });
        reach.notAllPlaced += !plan.allPlaced;

        if (j % 100 != 0) continue;
        Calculation calc;
        GaOptions options;
        options.seed = static_cast<std::uint32_t>(seed + j);
        options.threads = 1;
        const CalcOutcome outcome = calc.Run(rows, options);
        if (outcome.status == CalcOutcome::Status::PlanRejected) {
            ADD_FAILURE() << "calculated job " << seed + j << ": " << outcome.message;
            break;
        }
        reach.calculated += outcome.Ran();
    }
    return reach;
}

void ExpectReach(const Reach& r, int jobs) {
    EXPECT_EQ(r.plans, jobs);
    EXPECT_GT(r.withKerf, jobs / 2);
    EXPECT_GT(r.withMargins, jobs / 2);
    EXPECT_GT(r.merged, jobs / 20);
    EXPECT_GT(r.notAllPlaced, jobs / 20);
    EXPECT_GT(r.calculated, jobs / 200);
}

TEST(GeneratedPlans, GuillotinePlansPassThePlanCheck) {
    ExpectReach(CheckGeneratedPlans(true, 10000, 1), 10000);
}

TEST(GeneratedPlans, FreePlansPassThePlanCheck) {
    ExpectReach(CheckGeneratedPlans(false, 10000, 7000000), 10000);
}

// The strip above a door ends at the saw cut beside the door: a side one blade
// width longer than the door does not fit there (it once did, and the cut ran
// through it). With the door first and one sheet, the side stays unplaced.
TEST(GeneratedPlans, SideOneBladeLongerThanTheDoorDoesNotGoAboveIt) {
    JobRows rows;
    rows.settings.cut.guillotine = true;
    rows.settings.cut.bladeWidth = 4;
    rows.settings.cut.margins = Margins{5, 5, 5, 5};
    rows.settings.speed = 4;
    rows.sheets = {SheetRow{"Birch", 2440, 1220, 1, 0, true, 1}};
    rows.parts = {PartRow{"Tall door", 2096, 596, 1, false, 1},
                  PartRow{"Tall side", 2100, 560, 1, false, 2},
                  PartRow{"Wall top", 320, 564, 2, false, 3}};
    Calculation calc;
    GaOptions options;
    options.seed = 1;
    const CalcOutcome outcome = calc.Run(rows, options);
    ASSERT_EQ(outcome.status, CalcOutcome::Status::Applied) << outcome.message;
    EXPECT_FALSE(outcome.allPlaced);
    std::vector<std::pair<std::string, double>> placed;
    for (const Placement& p : calc.Applied()->sheets.front().parts)
        placed.emplace_back(p.label, p.x);
    EXPECT_EQ(placed, (std::vector<std::pair<std::string, double>>{
                          {"Tall door", 5}, {"Wall top", 5}, {"Wall top", 329}}));
}

}  // namespace
