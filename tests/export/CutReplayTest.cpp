// The saw cuts of generated guillotine plans, replayed from the result JSON by a
// reader of its own (tests/export/tools/replay_cuts.py) that shares nothing with
// the derivation: random candidates of random jobs (kerf, margins, merged
// layouts, parts that meet exactly), some of them calculated in full.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "export/ResultJson.h"
#include "job/Calculation.h"
#include "job/PlanCheck.h"
#include "support/Commands.h"
#include "support/LayoutFixture.h"
#include "support/RandomJobRows.h"

namespace {

const std::string kReplay =
    "/usr/bin/python3 " + std::string(TARVEX_SOURCE_DIR) + "/tests/export/tools/replay_cuts.py";

void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

struct Reach : PlanReach {
    int calculated = 0;
};

// Writes the JSON of one random candidate per job, and of a full calculation of
// every 25th job, into the folder.
Reach WriteGeneratedPlans(const std::string& folder, int jobs, std::uint64_t seed) {
    Reach reach;
    ForEachGeneratedPlan(
        jobs, seed, Placements::Guillotine,
        [&](const JobRows& rows, const AppliedResult& plan, std::uint64_t jobSeed) {
            if (CheckPlan(plan)) return true;  // the plan check's own tests look at these
            const std::string j = std::to_string(jobSeed - seed);
            Write(folder + "/plan" + j + ".json", ResultJson(plan));
            reach.Count(rows, plan);
            if ((jobSeed - seed) % 25 != 0) return true;
            Calculation calc;
            if (!CalculateOnOneThread(calc, rows, jobSeed).Ran()) return true;
            Write(folder + "/calculated" + j + ".json", ResultJson(*calc.Applied()));
            ++reach.calculated;
            return true;
        });
    return reach;
}

}  // namespace

TEST(CutReplay, SawCutsOfGeneratedPlansReplayCleanly) {
    const std::string folder = TempFolder();
    const Reach reach = WriteGeneratedPlans(folder, 2000, 50000);
    std::printf("plans %d, with kerf %d, with margins %d, merged %d, calculated %d\n", reach.plans,
                reach.withKerf, reach.withMargins, reach.merged, reach.calculated);
    EXPECT_GT(reach.plans, 1950);
    EXPECT_GT(reach.withKerf, 1000);
    EXPECT_GT(reach.withMargins, 1000);
    EXPECT_GT(reach.merged, 100);
    EXPECT_GT(reach.calculated, 30);
    const CommandResult replay = RunCommand(kReplay + " " + folder + "/*.json 2>&1");
    ASSERT_EQ(replay.status, 0) << replay.output;
    int sheets = 0, cuts = 0;
    ASSERT_EQ(std::sscanf(replay.output.c_str(), "sheets %d cuts %d", &sheets, &cuts), 2)
        << replay.output;
    EXPECT_GT(sheets, reach.plans);
    EXPECT_GT(cuts, 5 * sheets);
    std::printf("replayed: %s", replay.output.c_str());
}

// The reader finds the faults it is there for: a cut moved into a part, a cut
// left out, cuts out of order. The layout is that of the saw cut tests: margins
// 10, blade 4, parts A and B side by side under C.
TEST(CutReplay, TheReaderRefusesCutsThatDoNotPartTheSheet) {
    AppliedResult result =
        ResultOf({LayoutSheet("S", 1000, 600, 1, 0,
                              {Rect("A", 1, 10, 10, 500, 300), Rect("B", 2, 514, 10, 476, 300),
                               Rect("C", 3, 10, 314, 980, 270)})});
    result.settings.cut.guillotine = true;
    result.settings.cut.bladeWidth = 4;
    result.settings.cut.margins = {10, 10, 10, 10};
    const std::string folder = TempFolder();
    nlohmann::json plan = nlohmann::json::parse(ResultJson(result));
    const nlohmann::json cuts = plan["sheets"][0]["cuts"];
    ASSERT_EQ(cuts.size(), 7u);
    const auto replay = [&](const nlohmann::json& changed) {
        plan["sheets"][0]["cuts"] = changed;
        Write(folder + "/plan.json", plan.dump());
        return RunCommand(kReplay + " " + folder + "/plan.json 2>&1");
    };
    EXPECT_EQ(replay(cuts).status, 0);
    const auto refused = [&](const nlohmann::json& changed, const std::string& fault) {
        const CommandResult r = replay(changed);
        EXPECT_EQ(r.status, 1) << fault;
        EXPECT_NE(r.output.find(fault), std::string::npos) << r.output;
    };
    nlohmann::json moved = cuts;
    moved[6]["at"] = 400;  // the cut between A and B, through A
    refused(moved, "passes through part 1");
    nlohmann::json fewer = cuts;
    fewer.erase(6);
    refused(fewer, "is not cut free to its size");
    nlohmann::json swapped = cuts;
    std::swap(swapped[4], swapped[6]);  // A and B parted before their strip is cut off
    refused(swapped, "crosses 0 pieces");
}
