// The saw cuts of generated guillotine plans, replayed from the result JSON and
// from the report's grouped cut lists by a reader of its own
// (tests/export/tools/replay_cuts.py) that shares nothing with the derivation or
// the grouping: random candidates of random jobs (kerf, margins, merged layouts,
// parts that meet exactly), some of them calculated in full.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "export/ResultJson.h"
#include "job/Calculation.h"
#include "job/PlanCheck.h"
#include "render/CutList.h"
#include "support/Commands.h"
#include "support/LayoutFixture.h"
#include "support/RandomJobRows.h"

namespace {

const std::string kReplay =
    "/usr/bin/python3 " + std::string(TARVEX_SOURCE_DIR) + "/tests/export/tools/replay_cuts.py";

void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

void WriteLines(const std::string& path, const std::vector<std::string>& lines) {
    std::ofstream out(path, std::ios::binary);
    for (const std::string& line : lines) out << line << "\r\n";
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
            WriteLines(folder + "/plan" + j + ".txt", CutReportLines(plan));
            reach.Count(rows, plan);
            if ((jobSeed - seed) % 25 != 0) return true;
            Calculation calc;
            if (!CalculateOnOneThread(calc, rows, jobSeed).Ran()) return true;
            Write(folder + "/calculated" + j + ".json", ResultJson(*calc.Applied()));
            WriteLines(folder + "/calculated" + j + ".txt", CutReportLines(*calc.Applied()));
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

    const CommandResult listed = RunCommand(kReplay + " --report-folder " + folder + " 2>&1");
    ASSERT_EQ(listed.status, 0) << listed.output;
    int layouts = 0, groups = 0, merged = 0, listedCuts = 0;
    ASSERT_EQ(std::sscanf(listed.output.c_str(), "layouts %d groups %d merged %d cuts %d", &layouts,
                          &groups, &merged, &listedCuts),
              4)
        << listed.output;
    EXPECT_GT(layouts, reach.plans);
    EXPECT_GT(groups, 3 * layouts);
    EXPECT_GT(merged, 50);
    std::printf("listed: %s", listed.output.c_str());
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

// The reader takes the report's grouped cut lists at their word: a position moved,
// a reference edge moved or a cut left out of the list is found.
TEST(CutReplay, TheReaderRefusesCutListsThatSayOtherCuts) {
    AppliedResult result =
        ResultOf({LayoutSheet("S", 1000, 600, 1, 0,
                              {Rect("A", 1, 10, 10, 500, 300), Rect("B", 2, 514, 10, 476, 300),
                               Rect("C", 3, 10, 314, 980, 270)})});
    result.settings.cut.guillotine = true;
    result.settings.cut.bladeWidth = 4;
    result.settings.cut.margins = {10, 10, 10, 10};
    const std::string folder = TempFolder();
    Write(folder + "/plan.json", ResultJson(result));
    const std::vector<std::string> lines = CutReportLines(result);
    const auto replay = [&](const std::vector<std::string>& report) {
        WriteLines(folder + "/report.txt", report);
        return RunCommand(kReplay + " --report " + folder + "/report.txt " + folder +
                          "/plan.json 2>&1");
    };
    const CommandResult clean = replay(lines);
    EXPECT_EQ(clean.status, 0) << clean.output;
    EXPECT_EQ(clean.output.rfind("layouts 1 groups ", 0), 0u) << clean.output;
    const auto changed = [&](const std::string& from, const std::string& to) {
        std::vector<std::string> report = lines;
        for (std::string& line : report)
            if (line.rfind(from, 0) == 0) {
                line = to + line.substr(from.size());
                return report;
            }
        ADD_FAILURE() << "no line begins with " << from;
        return report;
    };
    const auto refused = [&](const std::vector<std::string>& report, const std::string& fault) {
        const CommandResult r = replay(report);
        EXPECT_EQ(r.status, 1) << fault;
        EXPECT_NE(r.output.find(fault), std::string::npos) << r.output;
    };
    // Cut 7 parts A from B within their strip, 500 from its edge.
    refused(changed("7         Vertical    500", "7         Vertical    400"),
            "passes through part 1");
    refused(changed("Strip 1 (from x = 10):", "Strip 1 (from x = 30):"),
            "crosses no piece of its group");
    std::vector<std::string> fewer = lines;
    fewer.erase(std::find_if(fewer.begin(), fewer.end(),
                             [](const std::string& l) { return l.rfind("7 ", 0) == 0; }));
    refused(fewer, "lists 6 cuts, the plan has 7");
}
