// The saw cuts of generated guillotine plans, replayed from the result JSON and
// from the report's grouped cut lists by a reader of its own
// (tests/export/tools/replay_cuts.py) that shares nothing with the derivation or
// the grouping: random candidates of random jobs (kerf, margins, merged layouts,
// parts that meet exactly), some of them calculated in full.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "export/ResultJson.h"
#include "export/StoredPlan.h"
#include "job/Calculation.h"
#include "job/JobInput.h"
#include "job/PlanCheck.h"
#include "render/CutList.h"
#include "support/Commands.h"
#include "support/LayoutFixture.h"
#include "support/RandomJobRows.h"
#include "support/ScratchFolder.h"

using namespace tarvex;

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

// The stored plan file of the result: the result JSON with the settings that
// made it, which the reader follows.
std::string StoredJson(const AppliedResult& result) {
    return StoredPlanJson(StoredPlan{std::make_shared<AppliedResult>(result)});
}

// The job in whole thirty-seconds of an inch, as near to its millimetres as they
// come: a plan in inches with fractions then lists every cut as an exact fraction.
void InInches(JobRows& rows) {
    const auto inches = [](double mm, double least) {
        return std::max(least, std::round(mm / 25.4 * 32)) / 32;
    };
    CutSettings& cut = rows.settings.cut;
    cut.bladeWidth = inches(cut.bladeWidth, 0);
    for (double* margin :
         {&cut.margins.top, &cut.margins.bottom, &cut.margins.left, &cut.margins.right})
        *margin = inches(*margin, 0);
    cut.minOffcutLength = inches(cut.minOffcutLength, 0);
    cut.minOffcutWidth = inches(cut.minOffcutWidth, 0);
    cut.minOffcutArea /= 25.4 * 25.4;
    for (SheetRow& sheet : rows.sheets)
        sheet.length = inches(sheet.length, 1), sheet.width = inches(sheet.width, 1);
    for (PartRow& part : rows.parts)
        part.length = inches(part.length, 1), part.width = inches(part.width, 1);
    rows.settings.unit = "in 1/32";
}

}  // namespace

TEST(CutReplay, SawCutsListedInFractionsOfAnInchReplayCleanly) {
    const std::string folder = NewScratchFolder("export");
    WorkList list;
    std::int32_t nextPartId = 0;
    int plans = 0, withFractions = 0;
    for (std::uint64_t seed = 61000; seed < 61400; ++seed) {
        std::mt19937_64 rng(seed);
        JobRows rows = RandomRows(rng, true);
        InInches(rows);
        Job job;
        InputFault error;
        ASSERT_TRUE(GatherJob(rows, nextPartId, job, error)) << seed;
        nextPartId += job.PartCount();
        const AppliedResult plan =
            RandomCandidatePlan(rows, job, static_cast<std::uint32_t>(seed), rng, list);
        if (CheckPlan(plan)) continue;
        const std::vector<std::string> lines = CutReportLines(plan);
        const std::string name = folder + "/plan" + std::to_string(seed);
        Write(name + ".json", ResultJson(plan));
        WriteLines(name + ".txt", lines);
        ++plans;
        withFractions += std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
            return line.find('/') != std::string::npos;
        });
    }
    EXPECT_GT(plans, 350);
    EXPECT_GT(withFractions, plans / 2);
    const CommandResult listed = RunCommand(kReplay + " --report-folder " + folder + " 2>&1");
    ASSERT_EQ(listed.status, 0) << listed.output;
    int layouts = 0, groups = 0, merged = 0, cuts = 0;
    ASSERT_EQ(std::sscanf(listed.output.c_str(), "layouts %d groups %d merged %d cuts %d", &layouts,
                          &groups, &merged, &cuts),
              4)
        << listed.output;
    EXPECT_GE(layouts, plans);
    EXPECT_GT(cuts, 5 * layouts);
}

TEST(CutReplay, SawCutsOfGeneratedPlansReplayCleanly) {
    const std::string folder = NewScratchFolder("export");
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
    const std::string folder = NewScratchFolder("export");
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
    const std::string folder = NewScratchFolder("export");
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

// Plans held to stages are cut stage by stage: the generated plans get the limit
// their sheets keep to (2 or 3, or none with a first-cut direction alone) and a
// direction, and the reader follows each cut's stage.
TEST(CutReplay, SawCutsOfPlansHeldToStagesGoStageByStage) {
    const std::string folder = NewScratchFolder("export");
    int plans = 0, limited = 0, directed = 0;
    ForEachGeneratedPlan(1500, 52000, Placements::Guillotine,
                         [&](const JobRows&, const AppliedResult& plan, std::uint64_t jobSeed) {
                             if (CheckPlan(plan)) return true;
                             AppliedResult held = plan;
                             CutSettings& cut = held.settings.cut;
                             cut.firstCut = static_cast<FirstCut>(jobSeed % 3);
                             int most = 0;
                             for (const PlannedSheet& s : held.sheets)
                                 if (s.used)
                                     most = std::max(most, FewestStagesOf(s, cut).value_or(99));
                             cut.stages = most <= 3 ? std::max(2, most) : 0;
                             if (cut.stages == 0 && cut.firstCut == FirstCut::Any)
                                 cut.firstCut = FirstCut::Width;
                             EXPECT_FALSE(CheckPlan(held)) << "job " << jobSeed;
                             limited += cut.stages > 0;
                             directed += cut.firstCut != FirstCut::Any;
                             Write(folder + "/plan" + std::to_string(plans++) + ".json",
                                   StoredJson(held));
                             return true;
                         });
    std::printf("plans %d, limited %d, with a first-cut direction %d\n", plans, limited, directed);
    EXPECT_GT(limited, 500);
    EXPECT_GT(plans - limited, 100);
    const CommandResult replay = RunCommand(kReplay + " " + folder + "/*.json 2>&1");
    ASSERT_EQ(replay.status, 0) << replay.output;
    std::printf("replayed: %s", replay.output.c_str());
}

// A grid of two rows of three, blade 4, first cuts along the length: stage by
// stage it is cut in two stages; the sequence of a plan without limits, which
// parts the columns first, needs three with that direction, and the reader says so.
TEST(CutReplay, TheReaderRefusesCutsOutOfTheirStages) {
    std::vector<Placement> grid;
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col)
            grid.push_back(Rect("G", 1 + row * 3 + col, col * 304, row * 302, 300, 298));
    AppliedResult result = ResultOf({LayoutSheet("S", 1000, 600, 1, 0, grid)});
    result.settings.cut.guillotine = true;
    result.settings.cut.bladeWidth = 4;
    const std::string unlimited = ResultJson(result);
    result.settings.cut.stages = 2;
    result.settings.cut.firstCut = FirstCut::Length;
    const std::string folder = NewScratchFolder("export");
    nlohmann::json plan = nlohmann::json::parse(StoredJson(result));
    Write(folder + "/plan.json", plan.dump());
    const CommandResult staged = RunCommand(kReplay + " " + folder + "/plan.json 2>&1");
    EXPECT_EQ(staged.status, 0) << staged.output;
    plan["sheets"][0]["cuts"] = nlohmann::json::parse(unlimited)["sheets"][0]["cuts"];
    ASSERT_NE(plan["sheets"][0]["cuts"],
              nlohmann::json::parse(StoredJson(result))["sheets"][0]["cuts"]);
    Write(folder + "/plan.json", plan.dump());
    const CommandResult refused = RunCommand(kReplay + " " + folder + "/plan.json 2>&1");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.output.find("needs stage 3, more than the 2 allowed"), std::string::npos)
        << refused.output;
}
