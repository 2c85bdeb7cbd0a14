// The example projects, calculated as the window and the command line calculate
// them, in both placement modes at twenty seeds: every plan passes the plan check
// and is applied.
#include <gtest/gtest.h>

#include <string>

#include "io/EntryTables.h"
#include "io/OutcomeText.h"
#include "io/ProjectFiles.h"
#include "io/TableCalculation.h"
#include "job/Calculation.h"

using namespace tarvex;

namespace {

// Calculates the project at seeds 1 to 20 with the settings changed as given;
// the outcome of every seed must be an applied plan.
void CalculateAtTwentySeeds(const std::string& example, bool guillotine,
                            const std::string& bladeWidth = {}) {
    const std::string project =
        std::string(TARVEX_SOURCE_DIR) + "/examples/" + example + "/" + example + ".dat";
    CellTable sheets = NewSheetTable(), parts = NewPartTable();
    ListFileNames names;
    SettingsForm form;
    const ProjectResult loaded = LoadProject(project, sheets, parts, names, form);
    ASSERT_TRUE(loaded.ok && loaded.message.empty()) << loaded.message;
    form.guillotine = guillotine;
    if (!bladeWidth.empty()) form.bladeWidth = bladeWidth;
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        CellTable sheetTable = sheets, partTable = parts;
        Calculation calc;
        ASSERT_FALSE(PrepareFromTables(calc, form, sheetTable, partTable));
        GaOptions options;
        options.seed = seed;
        calc.Optimize(options);
        const CalcOutcome outcome = FinishIntoTables(calc, sheetTable);
        EXPECT_EQ(outcome.status, CalcOutcome::Status::Applied)
            << example << (guillotine ? " guillotine" : " free") << ", seed " << seed << ": "
            << OutcomeText(outcome);
    }
}

TEST(ExamplePlans, KitchenWithGuillotineCutsAndBlade4) {
    CalculateAtTwentySeeds("kitchen", true, "4");
}

TEST(ExamplePlans, KitchenWithFreePlacement) {
    CalculateAtTwentySeeds("kitchen", false);
}

TEST(ExamplePlans, ShelvingWithGuillotineCuts) {
    CalculateAtTwentySeeds("shelving", true);
}

TEST(ExamplePlans, ShelvingWithFreePlacement) {
    CalculateAtTwentySeeds("shelving", false);
}

}  // namespace

TEST(ExamplePlans, CabinetsInInchesWithGuillotineCuts) {
    CalculateAtTwentySeeds("cabinets-inches", true);
}

TEST(ExamplePlans, CabinetsInInchesWithFreePlacement) {
    CalculateAtTwentySeeds("cabinets-inches", false);
}

TEST(ExamplePlans, CabinetsInThreeMaterialsWithBandingAndGuillotineCuts) {
    CalculateAtTwentySeeds("cabinets", true);
}

TEST(ExamplePlans, CabinetsInThreeMaterialsWithBandingAndFreePlacement) {
    CalculateAtTwentySeeds("cabinets", false);
}
