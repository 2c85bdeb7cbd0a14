// Jobs of several materials and grains, calculated in full by both searches in both
// placement modes, and checked from the typed rows rather than by the code that
// made the plans: every part on a sheet of its material, every part that may not
// turn lying along its sheet's grain, every part counted once, the layouts
// grouped by material.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "job/Calculation.h"
#include "job/MaterialPlans.h"
#include "support/RandomJobRows.h"

using namespace tarvex;

namespace {

// Named in several spellings: letter case does not make another material.
const char* const kMaterials[][2] = {
    {"", ""}, {"Birch 18", "BIRCH 18"}, {"MDF 6", "mdf 6"}, {"橡木", "橡木"}};

std::string MaterialOf(std::mt19937_64& rng, int materials) {
    return kMaterials[Below(rng, materials)][Below(rng, 2)];
}

EnteredRows EnteredOf(const JobRows& rows) {
    EnteredRows entered;
    for (const PartRow& row : rows.parts) {
        EnteredPart& e = entered.parts.emplace_back();
        e.texts.label = e.label = row.label;
        e.texts.material = e.material = row.material;
        e.quantity = row.quantity;
        e.rotatable = row.rotatable;
    }
    for (const SheetRow& row : rows.sheets) {
        EnteredSheet& e = entered.sheets.emplace_back();
        e.texts.label = e.label = row.label;
        e.texts.material = e.material = row.material;
        e.length = row.length, e.width = row.width, e.cost = row.cost;
        e.quantity = row.quantity;
        e.priority = row.priority;
        e.grain = row.grain;
    }
    return entered;
}

// A generated job whose rows name up to three materials besides the unnamed one, and
// every grain; a part is of the material of some sheet row, but now and then of one
// no sheet is of.
JobRows MaterialRows(std::mt19937_64& rng, bool guillotine, bool best) {
    JobRows rows = RandomRows(rng, guillotine);
    const int materials = 1 + Below(rng, 4);
    for (SheetRow& s : rows.sheets) {
        s.material = MaterialOf(rng, materials);
        const int grain = Below(rng, 5);
        s.grain = grain < 2 ? Grain::Width : grain < 3 ? Grain::None : Grain::Length;
    }
    // A few more rows, so that materials meet in one job.
    for (int k = 0, n = Below(rng, 3); k < n; ++k) {
        SheetRow s = rows.sheets[Below(rng, static_cast<int>(rows.sheets.size()))];
        s.material = MaterialOf(rng, materials);
        s.row = static_cast<int>(rows.sheets.size()) + 1;
        rows.sheets.push_back(s);
    }
    for (PartRow& p : rows.parts) {
        const SheetRow& on = rows.sheets[Below(rng, static_cast<int>(rows.sheets.size()))];
        for (const auto& names : kMaterials)
            if (SameMaterial(on.material, names[0])) p.material = names[Below(rng, 2)];
        if (Chance(rng, 0.01)) p.material = "Oak";
    }
    if (best) {
        rows.settings.search = SearchMethod::Best;
        rows.settings.bestSteps = 20;
        rows.settings.timeLimit = 0.05;
    }
    rows.settings.cut.firstCut = FirstCut::Any;
    rows.entered = EnteredOf(rows);
    return rows;
}

// The material a plan's sheet shows, as the rows name it; the material order is
// that of the sheet rows.
struct Check {
    const JobRows& rows;
    const AppliedResult& plan;

    int MaterialIndex(const std::string& material) const {
        std::vector<std::string> seen;
        for (const SheetRow& s : rows.sheets) {
            if (s.quantity <= 0) continue;
            bool known = false;
            for (const std::string& m : seen) known = known || SameMaterial(m, s.material);
            if (!known) seen.push_back(s.material);
        }
        for (std::size_t k = 0; k < seen.size(); ++k)
            if (SameMaterial(seen[k], material)) return static_cast<int>(k);
        return -1;
    }

    // An empty text when every rule holds, else what is wrong.
    std::string Fault() const {
        std::map<int, int> placedOfRow;
        int lastMaterial = -1, lastLayout = -1;
        std::map<int, int> materialOfLayout;
        for (const PlannedSheet& s : plan.sheets) {
            if (!s.used) continue;
            if (s.entryRow < 0 || s.entryRow >= static_cast<int>(rows.sheets.size()))
                return "a sheet of no row";
            const SheetRow& stock = rows.sheets[s.entryRow];
            if (s.layoutIndex >= 0) materialOfLayout[s.layoutIndex] = MaterialIndex(stock.material);
            for (const Placement& p : s.parts) {
                if (p.entryRow < 0 || p.entryRow >= static_cast<int>(rows.parts.size()))
                    return "a part of no row";
                const PartRow& part = rows.parts[p.entryRow];
                if (!SameMaterial(part.material, stock.material))
                    return "part row " + std::to_string(part.row) + " of \"" + part.material +
                           "\" on sheet row " + std::to_string(stock.row) + " of \"" +
                           stock.material + "\"";
                const bool turnAny = [&] {
                    for (const SheetRow& r : rows.sheets)
                        if (r.quantity > 0 && SameMaterial(r.material, part.material) &&
                            r.grain != Grain::None)
                            return false;
                    return true;
                }();
                if (!part.rotatable && !turnAny && stock.grain != Grain::None &&
                    p.rotated != (stock.grain == Grain::Width))
                    return "part row " + std::to_string(part.row) + " across the grain";
                const bool sameSize = p.rotated ? p.length == part.width && p.width == part.length
                                                : p.length == part.length && p.width == part.width;
                if (!sameSize) return "part row " + std::to_string(part.row) + " resized";
                ++placedOfRow[p.entryRow];
            }
        }
        for (const auto& [layout, material] : materialOfLayout) {
            if (layout != lastLayout + 1) return "layouts not numbered 0, 1, ...";
            if (material < lastMaterial) return "layouts not grouped by material";
            lastLayout = layout, lastMaterial = material;
        }
        for (const PartRow& part : rows.parts) {
            const int placed = placedOfRow[part.row - 1];
            if (placed > part.quantity || (plan.allPlaced && placed != part.quantity))
                return "part row " + std::to_string(part.row) + " placed " +
                       std::to_string(placed) + " times of " + std::to_string(part.quantity);
        }
        return {};
    }
};

struct Reach {
    int jobs = 0, ran = 0, severalMaterials = 0, turned = 0, refusedNoSheet = 0;
};

Reach CheckMaterialPlans(bool guillotine, bool best, int jobs, std::uint64_t seed) {
    Reach reach;
    for (int j = 0; j < jobs; ++j) {
        const std::uint64_t jobSeed = seed + j;
        std::mt19937_64 rng(jobSeed);
        const JobRows rows = MaterialRows(rng, guillotine, best);
        Calculation calc;
        const CalcOutcome outcome = CalculateOnOneThread(calc, rows, jobSeed);
        ++reach.jobs;
        if (outcome.status == CalcOutcome::Status::PlanRejected) {
            ADD_FAILURE() << "job " << jobSeed << ": " << outcome.violation->message;
            break;
        }
        reach.refusedNoSheet += outcome.fault.code == InputFault::Code::NoSheetOfMaterial;
        if (!outcome.Ran()) continue;
        ++reach.ran;
        const AppliedResult& plan = *calc.Applied();
        reach.severalMaterials += RowsByMaterial(rows).size() > 1;
        for (const PlannedSheet& s : plan.sheets)
            reach.turned += s.used && rows.sheets[s.entryRow].grain == Grain::Width;
        const std::string fault = Check{rows, plan}.Fault();
        if (!fault.empty()) {
            ADD_FAILURE() << "job " << jobSeed << ": " << fault;
            break;
        }
    }
    return reach;
}

void ExpectReach(const Reach& r, int jobs) {
    SCOPED_TRACE(testing::Message()
                 << "ran " << r.ran << ", several materials " << r.severalMaterials << ", turned "
                 << r.turned << ", refused " << r.refusedNoSheet);
    EXPECT_EQ(r.jobs, jobs);
    EXPECT_GT(r.ran, jobs / 3);
    EXPECT_GT(r.severalMaterials, jobs / 8);
    EXPECT_GT(r.turned, jobs / 5);
    EXPECT_GT(r.refusedNoSheet, 0);
}

TEST(MaterialPlans, ClassicGuillotinePlansKeepMaterialsAndGrain) {
    ExpectReach(CheckMaterialPlans(true, false, 2000, 1), 2000);
}

TEST(MaterialPlans, ClassicFreePlansKeepMaterialsAndGrain) {
    ExpectReach(CheckMaterialPlans(false, false, 2000, 100000), 2000);
}

TEST(MaterialPlans, BestPlansKeepMaterialsAndGrainInBothModes) {
    ExpectReach(CheckMaterialPlans(true, true, 100, 200000), 100);
    ExpectReach(CheckMaterialPlans(false, true, 100, 300000), 100);
}

// A part of a material no sheet is of is refused with its row; one job of several
// materials gives the same plan of each material as the job of that material alone.
TEST(MaterialPlans, APartWithoutItsMaterialIsRefusedAndMaterialsPlanAsAlone) {
    JobRows rows;
    rows.settings.speed = 1;
    rows.sheets = {SheetRow{"Birch", 2440, 1220, 3, 40, false, 1, "Birch", Grain::Length},
                   SheetRow{"MDF", 2800, 2070, 2, 20, false, 2, "MDF", Grain::None}};
    rows.parts = {PartRow{"Side", 720, 560, 4, false, 1, "birch"},
                  PartRow{"Back", 700, 900, 3, false, 2, "MDF"},
                  PartRow{"Door", 715, 397, 2, false, 3, "Oak"}};
    rows.entered = EnteredOf(rows);
    Calculation calc;
    const CalcOutcome refused = CalculateOnOneThread(calc, rows, 5);
    EXPECT_EQ(refused.fault.code, InputFault::Code::NoSheetOfMaterial);
    EXPECT_EQ(refused.fault.row, 3);
    EXPECT_EQ(refused.fault.values, std::vector<std::string>{"Oak"});

    rows.parts.pop_back();
    rows.entered = EnteredOf(rows);
    ASSERT_TRUE(CalculateOnOneThread(calc, rows, 5).Ran());
    const AppliedResult joined = *calc.Applied();
    int layoutsBefore = 0;
    for (const std::string material : {"Birch", "MDF"}) {
        JobRows alone = rows;
        alone.sheets.clear(), alone.parts.clear();
        for (SheetRow s : rows.sheets)
            if (SameMaterial(s.material, material)) alone.sheets.push_back(s);
        for (PartRow p : rows.parts)
            if (SameMaterial(p.material, material)) alone.parts.push_back(p);
        Calculation single;
        ASSERT_TRUE(CalculateOnOneThread(single, alone, 5).Ran());
        const AppliedResult& own = *single.Applied();
        for (int k = 0; k < own.LayoutCount(); ++k) {
            const PlannedSheet* a = own.LayoutSheetOf(k);
            const PlannedSheet* b = joined.LayoutSheetOf(layoutsBefore + k);
            ASSERT_TRUE(a && b);
            EXPECT_EQ(a->label, b->label);
            EXPECT_EQ(a->count, b->count);
            ASSERT_EQ(a->parts.size(), b->parts.size());
            for (std::size_t i = 0; i < a->parts.size(); ++i) {
                EXPECT_EQ(a->parts[i].x, b->parts[i].x);
                EXPECT_EQ(a->parts[i].y, b->parts[i].y);
                EXPECT_EQ(a->parts[i].rotated, b->parts[i].rotated);
            }
        }
        layoutsBefore += own.LayoutCount();
    }
    EXPECT_EQ(joined.LayoutCount(), layoutsBefore);
}

}  // namespace
