// Plans stored beside their projects: generated plans read back as they were
// written, and files damaged or made up at random refused with a message, never
// a crash and never a plan that the plan check would refuse.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <nlohmann/json.hpp>
#include <random>

#include "export/Report.h"
#include "export/StoredPlan.h"
#include "job/PlanCheck.h"
#include "support/DataFixtures.h"
#include "support/JobTables.h"
#include "support/RandomJobRows.h"
#include "support/ScratchFolder.h"

using namespace tarvex;

namespace {

// The shortest text that reads back as the value.
std::string Exact(double value) {
    char text[32];
    return {text, std::to_chars(text, text + sizeof text, value).ptr};
}

// The plan with the rows it came from as the window's tables would have held them;
// its records keep the entry rows the calculation gave them.
StoredPlan Stored(const AppliedResult& plan, const JobRows& rows) {
    Rows sheets, parts;
    for (const SheetRow& s : rows.sheets)
        sheets.push_back({s.label, Exact(s.length), Exact(s.width), std::to_string(s.quantity),
                          Exact(s.cost), s.priority ? "Yes" : "No"});
    for (const PartRow& p : rows.parts)
        parts.push_back({p.label, Exact(p.length), Exact(p.width), std::to_string(p.quantity),
                         p.rotatable ? "Yes" : "No"});
    auto result = std::make_shared<AppliedResult>(plan);
    result->entered = ReadEnteredRows(SheetTable(sheets), PartTable(parts), {});
    return {result};
}

// The entered row of every record, sheets first.
std::vector<std::int32_t> EntryRows(const AppliedResult& result) {
    std::vector<std::int32_t> rows;
    for (const PlannedSheet& s : result.sheets) rows.push_back(s.entryRow);
    for (const PlannedSheet& s : result.sheets)
        for (const Placement& p : s.parts) rows.push_back(p.entryRow);
    return rows;
}

// Generated plans that pass the plan check, with the tables they came from.
std::vector<StoredPlan> GeneratedPlans(int jobs, std::uint64_t seed) {
    std::vector<StoredPlan> plans;
    ForEachGeneratedPlan(jobs, seed, Placements::Alternating,
                         [&](const JobRows& rows, const AppliedResult& plan, std::uint64_t) {
                             if (!CheckPlan(plan)) plans.push_back(Stored(plan, rows));
                             return true;
                         });
    return plans;
}

}  // namespace

TEST(StoredPlan, GeneratedPlansReadBackAsTheyWereWritten) {
    const std::string dir = NewScratchFolder("export");
    const std::vector<StoredPlan> plans = GeneratedPlans(60, 900);
    ASSERT_GE(plans.size(), 30u);
    for (size_t i = 0; i < plans.size(); ++i) {
        SCOPED_TRACE(i);
        const std::string path = dir + "/p" + std::to_string(i) + ".plan.json";
        std::string error;
        ASSERT_TRUE(WriteStoredPlan(path, plans[i], error)) << error;
        StoredPlan read;
        ASSERT_TRUE(ReadStoredPlan(path, read, error)) << error;
        EXPECT_EQ(StoredPlanJson(read), StoredPlanJson(plans[i]));
        // The file holds no entry rows: reading finds the ones the calculation gave.
        const std::vector<std::int32_t> rows = EntryRows(*plans[i].result);
        EXPECT_EQ(std::count(rows.begin(), rows.end(), -1), 0);
        EXPECT_EQ(EntryRows(*read.result), rows);
        // The report comes out the same from the plan read back.
        EXPECT_EQ(WriteReport(*read.result), WriteReport(*plans[i].result));
    }
    EXPECT_EQ(PlanPathOf("/a/kitchen.dat"), "/a/kitchen.plan.json");
}

TEST(StoredPlan, DamagedOrMadeUpFilesAreRefusedWithAMessage) {
    const std::string dir = NewScratchFolder("export");
    const std::string path = dir + "/kitchen.plan.json";
    const std::vector<StoredPlan> plans = GeneratedPlans(12, 4000);
    ASSERT_FALSE(plans.empty());
    const std::vector<nlohmann::json> odd = {nullptr,
                                             "text",
                                             -1,
                                             1e300,
                                             0.5,
                                             true,
                                             nlohmann::json::array(),
                                             nlohmann::json::object(),
                                             2147483648.0,
                                             -0.0,
                                             "NaN"};
    std::mt19937_64 rng(17);
    int refused = 0, accepted = 0;
    for (int round = 0; round < 600; ++round) {
        SCOPED_TRACE(round);
        nlohmann::json plan = nlohmann::json::parse(StoredPlanJson(plans[round % plans.size()]));
        // Walk to a random value of the file and damage it.
        nlohmann::json* at = &plan;
        nlohmann::json* parent = nullptr;
        std::string key;
        while ((at->is_object() || at->is_array()) && !at->empty() && Below(rng, 4) != 0) {
            parent = at;
            if (at->is_object()) {
                auto it = at->begin();
                std::advance(it, Below(rng, static_cast<int>(at->size())));
                key = it.key();
                at = &*it;
            } else {
                key.clear();
                at = &(*at)[Below(rng, static_cast<int>(at->size()))];
            }
        }
        std::string text;
        switch (Below(rng, 4)) {
            case 0:
                *at = odd[Below(rng, static_cast<int>(odd.size()))];
                break;
            case 1:  // a field left out
                if (parent && parent->is_object()) parent->erase(key);
                break;
            case 2:  // a record twice, such as a part placed twice
                if (parent && parent->is_array()) parent->push_back(*at);
                break;
            default:
                break;
        }
        text = plan.dump();
        if (Below(rng, 5) == 0) text.resize(Below(rng, static_cast<int>(text.size()) + 1));
        if (!text.empty() && Below(rng, 8) == 0)
            text[Below(rng, static_cast<int>(text.size()))] ^= 0x5a;
        std::ofstream(path, std::ios::binary) << text;
        StoredPlan read;
        std::string error;
        if (!ReadStoredPlan(path, read, error)) {
            ++refused;
            EXPECT_EQ(error.rfind("The stored plan \"" + path + "\" cannot be used: ", 0), 0u)
                << error;
            continue;
        }
        ++accepted;
        // Whatever is accepted holds to the plan check and shows every layout.
        EXPECT_FALSE(CheckPlan(*read.result));
        for (int k = 0; k < read.result->LayoutCount(); ++k)
            EXPECT_NE(read.result->LayoutSheetOf(k), nullptr);
        WriteReport(*read.result);
    }
    EXPECT_GT(refused, 200);
    EXPECT_GT(accepted, 20);  // damage where nothing is checked (a label, a ratio)

    StoredPlan read;
    std::string error;
    EXPECT_FALSE(ReadStoredPlan(dir + "/missing.plan.json", read, error));
    EXPECT_NE(error.find("missing.plan.json"), std::string::npos) << error;
}

// The stage limits and the lower bound came after the first plan files: a file
// without them reads as a plan without limits or bound; with them they read back,
// and values no setting can take are refused by name.
TEST(StoredPlan, StageLimitsAndTheBoundAreAddedFields) {
    const std::string dir = NewScratchFolder("export");
    const std::string path = dir + "/old.plan.json";
    std::vector<StoredPlan> plans = GeneratedPlans(30, 910);
    ASSERT_FALSE(plans.empty());
    int bounded = 0;
    for (const StoredPlan& stored : plans) {
        nlohmann::json old = nlohmann::json::parse(StoredPlanJson(stored));
        bounded += !old["lowerBound"].is_null();
        for (const char* key : {"lowerBound", "lowerBoundMeasure", "gapToBound"}) old.erase(key);
        old["settings"]["cut"].erase("stages");
        old["settings"]["cut"].erase("firstCut");
        std::ofstream(path, std::ios::binary) << old.dump();
        StoredPlan read;
        std::string error;
        ASSERT_TRUE(ReadStoredPlan(path, read, error)) << error;
        EXPECT_EQ(read.result->settings.cut.stages, 0);
        EXPECT_EQ(read.result->settings.cut.firstCut, FirstCut::Any);
        EXPECT_FALSE(read.result->bound);
    }
    EXPECT_GT(bounded, static_cast<int>(plans.size()) / 2);

    // A plan under limits it keeps.
    std::shared_ptr<AppliedResult> limited;
    StoredPlan stored;
    for (const StoredPlan& plan : plans) {
        limited = std::make_shared<AppliedResult>(*plan.result);
        limited->settings.cut.guillotine = true;
        limited->settings.cut.stages = 3;
        limited->settings.cut.firstCut = FirstCut::Length;
        stored = plan;
        stored.result = limited;
        if (!CheckPlan(*limited)) break;
    }
    ASSERT_FALSE(CheckPlan(*limited));
    nlohmann::json json = nlohmann::json::parse(StoredPlanJson(stored));
    EXPECT_EQ(json["settings"]["cut"]["stages"], 3);
    EXPECT_EQ(json["settings"]["cut"]["firstCut"], "length");
    const auto refusedWith = [&](const char* field, const nlohmann::json& value) {
        nlohmann::json changed = json;
        changed["settings"]["cut"][field] = value;
        std::ofstream(path, std::ios::binary) << changed.dump();
        StoredPlan read;
        std::string error;
        EXPECT_FALSE(ReadStoredPlan(path, read, error)) << field;
        EXPECT_NE(error.find(std::string("settings.cut.") + field), std::string::npos) << error;
    };
    refusedWith("stages", 1);
    refusedWith("stages", 4);
    refusedWith("stages", "two");
    refusedWith("firstCut", "diagonal");
    std::string error;
    ASSERT_TRUE(WriteStoredPlan(path, stored, error)) << error;
    StoredPlan read;
    ASSERT_TRUE(ReadStoredPlan(path, read, error)) << error;
    EXPECT_EQ(read.result->settings.cut, limited->settings.cut);
}
