#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <optional>

#include "export/Report.h"
#include "export/StoredPlan.h"
#include "io/EntryTables.h"
#include "io/ListFiles.h"
#include "io/OutcomeText.h"
#include "io/TableCalculation.h"
#include "job/Calculation.h"
#include "job/PlanCheck.h"
#include "support/JobTables.h"
#include "support/ScratchFolder.h"

using namespace tarvex;

namespace {

using Status = CalcOutcome::Status;

class CalculationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        options.seed = 7;
        form.speed = 1;
    }

    CalcOutcome Run() {
        if (auto ended = PrepareFromTables(calc, form, sheets, parts)) return *ended;
        calc.Optimize(options);
        return FinishIntoTables(calc, sheets);
    }

    // Three parts that each fill a whole sheet and one small part: three identical
    // layouts and one other, whatever the sheet order.
    void FourSheetJob() {
        sheets = SheetTable({{"Birch", "1000", "1000", "4", "10", "Yes"}});
        parts =
            PartTable({{"Full", "1000", "1000", "3", "Yes"}, {"Small", "500", "500", "1", "Yes"}});
    }

    SettingsForm form;
    CellTable sheets, parts;
    GaOptions options;
    // Plans pass the real plan check unless a test sets a fault to report.
    std::optional<PlanViolation> fault;
    Calculation calc{[this](const AppliedResult& r) { return fault ? fault : CheckPlan(r); }};
};

TEST_F(CalculationTest, FirstRowsThatDoNotConvertSelectTheirPage) {
    FourSheetJob();
    parts.SetCell(2, 1, "abc");
    sheets.SetCell(2, 3, "");
    const std::string totalsBefore = parts.Cell(0, 2);
    CalcOutcome o = Run();
    EXPECT_EQ(o.status, Status::PartsIncorrect);
    EXPECT_EQ(OutcomeText(o), "Parts is incorrect, please correct and try again!");
    EXPECT_TRUE(OutcomeIsError(o));
    EXPECT_EQ(TableToShow(o), EntryTable::Parts);
    EXPECT_EQ(parts.Cell(0, 2), totalsBefore) << "the job is not gathered";
    EXPECT_EQ(calc.Gathered(), nullptr);

    parts.SetCell(2, 1, "1000");
    o = Run();
    EXPECT_EQ(o.status, Status::SheetsIncorrect);
    EXPECT_EQ(OutcomeText(o), "Sheets is incorrect, please correct and try again!");
    EXPECT_EQ(TableToShow(o), EntryTable::Sheets);
    EXPECT_EQ(calc.Applied(), nullptr);
}

TEST_F(CalculationTest, RefusesPartsThatNeedMoreAreaThanTheSheets) {
    sheets = SheetTable({{"S", "2500", "2000", "1", "0", "Yes"}});
    parts = PartTable({{"P", "3000", "2000", "1", "Yes"}});
    const CalcOutcome o = Run();
    EXPECT_EQ(o.status, Status::AreaRefused);
    EXPECT_EQ(OutcomeText(o),
              "The total area of parts is greater than the total area of sheets, can't optimize!");
    EXPECT_FALSE(OutcomeIsError(o));
    EXPECT_FALSE(o.Ran());
    EXPECT_EQ(calc.Applied(), nullptr);
    EXPECT_EQ(parts.Cell(0, 2), "6,000,000.0") << "the job was gathered";
}

TEST_F(CalculationTest, LaterRowsAndEmptyJobsAreRefusedWithAMessage) {
    FourSheetJob();
    parts = PartTable({{"Full", "1000", "1000", "3", "Yes"},
                       {"Bad", "100", "100", "-4", "Yes"},
                       {"Small", "500", "500", "1", "Yes"}});
    CalcOutcome o = Run();
    EXPECT_EQ(o.status, Status::InputRefused);
    EXPECT_EQ(OutcomeText(o), "Parts, row 2, column \"Quant\": the quantity must not be negative.");
    EXPECT_TRUE(OutcomeIsError(o));
    EXPECT_EQ(o.fault, (InputFault{.code = InputFault::Code::NegativeQuantity,
                                   .table = EntryTable::Parts,
                                   .row = 2,
                                   .column = EntryColumn::Quant,
                                   .values = {"-4"}}));
    EXPECT_EQ(TableToShow(o), EntryTable::None) << "only a first row or no parts bring a page up";

    parts = PartTable({{"None", "100", "100", "0", "Yes"}});
    o = Run();
    EXPECT_EQ(o.status, Status::InputRefused);
    EXPECT_EQ(TableToShow(o), EntryTable::Parts);
}

TEST_F(CalculationTest, MergesIdenticalSheetsAndCountsThemOffTheStock) {
    FourSheetJob();
    sheets.SetCell(2, 6, "stale");
    const CalcOutcome o = Run();
    ASSERT_EQ(o.status, Status::Applied) << OutcomeText(o);
    EXPECT_TRUE(o.allPlaced);
    EXPECT_EQ(OutcomeText(o), "Congratulations! All parts nesting is completed!");
    EXPECT_FALSE(OutcomeIsError(o));

    EXPECT_EQ(calc.Applied()->LayoutCount(), 2);
    const AppliedResult& r = *calc.Applied();
    ASSERT_NE(r.LayoutSheetOf(0), nullptr);
    EXPECT_EQ(r.LayoutSheetOf(0)->count, 3);
    EXPECT_EQ(r.LayoutSheetOf(0)->parts.at(0).label, "Full");
    ASSERT_NE(r.LayoutSheetOf(1), nullptr);
    EXPECT_EQ(r.LayoutSheetOf(1)->count, 1);
    EXPECT_EQ(sheets.Cell(2, SheetCol::LeftQuant), "0");

    EXPECT_DOUBLE_EQ(r.placedPartArea, 3250000);
    EXPECT_FLOAT_EQ(r.ratioParts, 0.8125f);
    double offcuts = 0;
    for (const PlannedSheet& s : r.sheets)
        for (const Offcut& c : s.offcuts) offcuts += c.Area();
    EXPECT_GT(offcuts, 0);
    EXPECT_DOUBLE_EQ(r.offcutArea, offcuts);
    EXPECT_FLOAT_EQ(r.ratioWithOffcuts, static_cast<float>((3250000 + offcuts) / 4000000));
    EXPECT_GE(r.generations, 1);
    EXPECT_LE(r.generations, 11);
    const auto report = WriteReport(r);
    EXPECT_NE(std::find(report.begin(), report.end(), "Sheets total used Quant: 4"), report.end());
}

// Two sheet rows of one label and size: each loses the sheets cut from it, in the
// table and in the plan stored of it. Job input takes the priority row's sheets
// first, so the sheets of ids 0 and 1 are the first row's.
TEST_F(CalculationTest, SheetRowsOfOneLabelHaveLeftQuantsOfTheirOwn) {
    sheets = SheetTable(
        {{"Birch", "1000", "1000", "2", "10", "Yes"}, {"Birch", "1000", "1000", "3", "10", "No"}});
    parts = PartTable({{"Full", "1000", "1000", "4", "Yes"}});
    ASSERT_EQ(Run().status, Status::Applied);
    int usedFirst = 0, usedSecond = 0;
    for (const PlannedSheet& s : calc.Applied()->sheets)
        if (s.used) ++(s.id < 2 ? usedFirst : usedSecond);
    EXPECT_EQ(usedFirst + usedSecond, 4);
    EXPECT_EQ(sheets.Cell(2, SheetCol::LeftQuant), std::to_string(2 - usedFirst));
    EXPECT_EQ(sheets.Cell(3, SheetCol::LeftQuant), std::to_string(3 - usedSecond));

    const std::string path = NewScratchFolder("io") + "/birch.plan.json";
    std::string error;
    ASSERT_TRUE(WriteStoredPlan(path, {calc.AppliedShared()}, error)) << error;
    StoredPlan read;
    ASSERT_TRUE(ReadStoredPlan(path, read, error)) << error;
    const CellTable stored = EnteredSheetTable(*read.result);
    for (const int row : {2, 3})
        EXPECT_EQ(stored.Cell(row, SheetCol::LeftQuant), sheets.Cell(row, SheetCol::LeftQuant));
}

// The tables a plan was made from, as the window compares them with its own to
// tell an outdated plan and the command line saves the stock left: every column,
// the material, grain and banding included, also after the plan was stored.
TEST_F(CalculationTest, ThePlansTablesAreTheTablesItWasMadeFrom) {
    sheets = SheetTable({{"Oak", "2500", "1250", "2", "10", "No", "", "Oak 19", "width"},
                         {"MDF", "2800", "2070", "1", "5", "No", "", "MDF 6", "none"}});
    parts = PartTable({{"Door", "715", "447", "3", "No", "Oak 19", "Oak 2", "Oak 2", "", "ABS"},
                       {"Back", "716", "596", "2", "Yes", "MDF 6"}});
    form.banding = {{{"Oak 2", "2", "40"}, {"ABS", "1", ""}}, true};
    const CellTable typedSheets = sheets, typedParts = parts;
    ASSERT_EQ(Run().status, Status::Applied);
    const std::string path = NewScratchFolder("io") + "/doors.plan.json";
    std::string error;
    ASSERT_TRUE(WriteStoredPlan(path, {calc.AppliedShared()}, error)) << error;
    StoredPlan read;
    ASSERT_TRUE(ReadStoredPlan(path, read, error)) << error;
    for (const AppliedResult* plan : {calc.Applied(), read.result.get()}) {
        EXPECT_EQ(ListContent(TableKind::Part, EnteredPartTable(*plan)),
                  ListContent(TableKind::Part, typedParts));
        const CellTable stock = EnteredSheetTable(*plan);
        for (const int row : {2, 3})
            for (const int col : {SheetCol::Label, SheetCol::Material, SheetCol::Grain})
                EXPECT_EQ(stock.Cell(row, col), typedSheets.Cell(row, col)) << row << ", " << col;
    }
}

TEST_F(CalculationTest, APlanThatFailsThePlanCheckIsNeverApplied) {
    FourSheetJob();
    ASSERT_EQ(Run().status, Status::Applied);
    const AppliedResult* applied = calc.Applied();
    sheets.SetCell(2, SheetCol::Quant, "5");
    fault = PlanViolation{PlanViolation::Kind::TooClose, "Sheet 1: two parts touch."};
    const CalcOutcome o = Run();
    EXPECT_EQ(o.status, Status::PlanRejected);
    EXPECT_TRUE(OutcomeIsError(o));
    EXPECT_EQ(OutcomeText(o),
              "Internal error: the plan fails its check and is not applied. Sheet 1: two parts "
              "touch.");
    EXPECT_EQ(calc.Applied(), applied);
    EXPECT_EQ(sheets.Cell(2, SheetCol::LeftQuant), "0") << "the stock left is the applied plan's";
    fault.reset();
    EXPECT_EQ(Run().status, Status::Applied) << "the job still differs from the applied one";
    EXPECT_EQ(sheets.Cell(2, SheetCol::LeftQuant), "1");
}

TEST_F(CalculationTest, RestoresRealSizesAndPositionsFromTheSheetCorner) {
    form.bladeWidth = "5";
    form.marginLeft = "7";
    form.marginRight = "13";
    form.marginTop = "11";
    form.marginBottom = "9";
    sheets = SheetTable({{"S", "1020", "1020", "1", "0", "Yes"}});
    parts = PartTable({{"P", "995", "995", "1", "No"}});
    ASSERT_EQ(Run().status, Status::Applied);
    const PlannedSheet& s = calc.Applied()->sheets.at(0);
    EXPECT_DOUBLE_EQ(s.length, 1020);
    EXPECT_DOUBLE_EQ(s.width, 1020);
    EXPECT_TRUE(s.used);
    ASSERT_EQ(s.parts.size(), 1u);
    EXPECT_DOUBLE_EQ(s.parts[0].length, 995);
    EXPECT_DOUBLE_EQ(s.parts[0].width, 995);
    EXPECT_DOUBLE_EQ(s.parts[0].x, 7);
    EXPECT_DOUBLE_EQ(s.parts[0].y, 9);
    EXPECT_FLOAT_EQ(calc.Applied()->ratioParts, static_cast<float>(995.0 * 995 / (1020 * 1020)));
}

TEST_F(CalculationTest, PartsThatDoNotFitAreReportedButTheLayoutIsApplied) {
    sheets = SheetTable({{"S", "1000", "1000", "1", "0", "Yes"}});
    parts = PartTable({{"P", "600", "600", "2", "No"}});
    const CalcOutcome o = Run();
    EXPECT_EQ(o.status, Status::Applied);
    EXPECT_FALSE(o.allPlaced);
    EXPECT_EQ(OutcomeText(o),
              "Sheets area of less than, some of the parts can not be completed nesting!");
    EXPECT_FALSE(calc.Applied()->allPlaced);
    EXPECT_EQ(calc.Applied()->LayoutCount(), 1);
}

TEST_F(CalculationTest, AnUnchangedJobKeepsItsResultUnlessItScoresHigher) {
    FourSheetJob();
    form.bladeWidth = "0.1";
    ASSERT_EQ(Run().status, Status::Applied);
    const auto first = calc.AppliedShared();
    sheets.SetCell(2, 6, "edited");

    // The same score again: the first result stays, the table is not rewritten.
    form.speed = 2;
    parts.SetCell(2, 0, "Renamed");
    CalcOutcome o = Run();
    EXPECT_EQ(o.status, Status::KeptPrevious);
    EXPECT_TRUE(o.Ran());
    EXPECT_EQ(OutcomeText(o), "Congratulations! All parts nesting is completed!");
    EXPECT_EQ(calc.AppliedShared(), first);
    EXPECT_EQ(sheets.Cell(2, 6), "edited");

    // A blade width of 0.1 typed again is the same value.
    form.bladeWidth = "0.10";
    EXPECT_EQ(Run().status, Status::KeptPrevious);

    form.costOptimization = true;
    EXPECT_EQ(Run().status, Status::Applied);
    EXPECT_NE(calc.AppliedShared(), first);
    EXPECT_EQ(sheets.Cell(2, 6), "0");
    EXPECT_EQ(Run().status, Status::KeptPrevious);

    form.bladeWidth = "0.2";
    EXPECT_EQ(Run().status, Status::Applied);
    parts.SetCell(2, 4, "No");
    EXPECT_EQ(Run().status, Status::Applied);
}

TEST_F(CalculationTest, AStopRequestEndsTheSearchAfterOneGeneration) {
    FourSheetJob();
    form.speed = 12;
    std::atomic<bool> stop{true};
    int steps = 0;
    options.stop = &stop;
    options.progress = [&steps] { ++steps; };
    ASSERT_EQ(Run().status, Status::Applied);
    EXPECT_EQ(calc.Applied()->generations, 1);
    EXPECT_EQ(steps, 0);
}

TEST(KeepsPreviousResult, ComparesScoresRoundedToFiveDecimalsHalvesToEven) {
    EXPECT_TRUE(KeepsPreviousResult(false, 0.8, 0.8));
    EXPECT_TRUE(KeepsPreviousResult(false, 0.8, 0.800004));
    EXPECT_FALSE(KeepsPreviousResult(false, 0.8, 0.800006));
    EXPECT_TRUE(KeepsPreviousResult(false, 0.9, 0.5));
    EXPECT_FALSE(KeepsPreviousResult(true, 0.9, 0.5));
    // 0.000025 rounds to 0.00002, not up to 0.00003.
    EXPECT_TRUE(KeepsPreviousResult(false, 0.00002, 0.000025));
    EXPECT_DOUBLE_EQ(RoundTo5(0.123455), 0.12346);
    EXPECT_DOUBLE_EQ(RoundTo5(0.123445), 0.12344);
}

PlannedSheet Layout(const std::string& label, std::vector<std::string> partLabels,
                    double utilisation = 0.5) {
    PlannedSheet s;
    s.label = label;
    s.used = true;
    s.utilisation = utilisation;
    double x = 0;
    for (const std::string& l : partLabels) {
        Placement p;
        p.label = l;
        p.x = x;
        x += 100;
        s.parts.push_back(p);
    }
    return s;
}

TEST(MergeIdenticalLayouts, ComparesLabelsAndCountsNotPositions) {
    AppliedResult r;
    r.sheets = {Layout("A", {"x", "y", "x"}), Layout("A", {"y", "x", "x"}),
                Layout("a", {"x", "x", "y"}), Layout("A", {"x", "y", "y"}),
                Layout("A", {"x", "y"}),      Layout("A", {"x", "x", "y"})};
    MergeIdenticalLayouts(r);
    EXPECT_EQ(r.sheets[0].count, 3);
    EXPECT_FALSE(r.sheets[1].distinct);
    EXPECT_TRUE(r.sheets[2].distinct) << "labels compare exactly";
    EXPECT_TRUE(r.sheets[3].distinct);
    EXPECT_TRUE(r.sheets[4].distinct);
    EXPECT_FALSE(r.sheets[5].distinct);
    EXPECT_EQ(r.sheets[3].count, 1);
}

// A cabinet maker's "Side" in two sizes: cutting one sheet twice must give what
// both sheets give, so sizes count as well as labels; a turn does not.
TEST(MergeIdenticalLayouts, ComparesSheetSizesAndEnteredPartSizes) {
    auto sized = [](PlannedSheet s, std::vector<std::pair<double, double>> sizes) {
        for (std::size_t k = 0; k < sizes.size(); ++k) {
            s.parts[k].length = sizes[k].first;
            s.parts[k].width = sizes[k].second;
        }
        return s;
    };
    AppliedResult r;
    r.sheets = {sized(Layout("A", {"Side", "Side"}), {{720, 560}, {560, 300}}),
                sized(Layout("A", {"Side", "Side"}), {{720, 560}, {720, 560}}),
                sized(Layout("A", {"Side", "Side"}), {{300, 560}, {720, 560}}),
                sized(Layout("A", {"Side", "Side"}), {{560, 300}, {720, 560}})};
    r.sheets[2].parts[0].rotated = true;
    r.sheets[3].width = 1250;
    MergeIdenticalLayouts(r);
    EXPECT_TRUE(r.sheets[1].distinct) << "the same labels in other sizes";
    EXPECT_FALSE(r.sheets[2].distinct) << "a turned part is the part it was";
    EXPECT_TRUE(r.sheets[3].distinct) << "another sheet size";
    EXPECT_EQ(r.sheets[0].count, 2);
}

TEST(NumberLayouts, OrdersByUtilisationAndTheLastOfEqualsFirst) {
    AppliedResult r;
    r.sheets = {Layout("A", {"x"}, 0.5), Layout("B", {"x"}, 0.9), Layout("C", {"x"}, 0.5),
                Layout("D", {"x"}, 0.7), Layout("E", {"x"}, 0.95)};
    r.sheets[4].distinct = false;
    r.sheets.push_back(Layout("F", {}, 0.99));
    r.sheets.back().used = false;
    NumberLayouts(r);
    EXPECT_EQ(r.sheets[1].layoutIndex, 0);
    EXPECT_EQ(r.sheets[3].layoutIndex, 1);
    EXPECT_EQ(r.sheets[2].layoutIndex, 2);
    EXPECT_EQ(r.sheets[0].layoutIndex, 3);
    EXPECT_EQ(r.sheets[4].layoutIndex, -1);
    EXPECT_EQ(r.sheets[5].layoutIndex, -1);
    EXPECT_EQ(r.LayoutCount(), 4);
}

// Each row loses the sheets cut from it, found by the row each record came from, so
// that two rows of one label keep counts of their own; a row none of whose sheets
// is used, or whose quantity is not whole, shows its quantity as typed.
TEST(UpdateLeftQuant, EachRowLosesTheSheetsCutFromIt) {
    CellTable table = SheetTable({{"Birch", "2440", "1220", "8", "0", "Yes"},
                                  {"Birch", "2440", "1220", "5", "0", "Yes"},
                                  {"Pine", "2440", "1220", " 2", "0", "Yes"},
                                  {"", "", "", "", "", ""},
                                  {"Oak", "2440", "1220", "many", "0", "Yes"}});
    AppliedResult r;
    r.sheets = {Layout("Birch", {"x"}), Layout("Birch", {"y"}), Layout("Birch", {"y"}),
                Layout("Pine", {}),     Layout("Oak", {"x"}),   Layout("Birch", {"x"})};
    r.sheets[2].distinct = false;
    r.sheets[3].used = false;
    const std::int32_t rows[] = {0, 1, 1, 2, 4, -1};
    for (std::size_t k = 0; k < r.sheets.size(); ++k) r.sheets[k].entryRow = rows[k];
    r.entered = ReadEnteredRows(table, PartTable({}), {});
    UpdateLeftQuant(r, table);
    EXPECT_EQ(table.Cell(2, SheetCol::LeftQuant), "7");
    EXPECT_EQ(table.Cell(3, SheetCol::LeftQuant), "3") << "merged sheets count as cut";
    EXPECT_EQ(table.Cell(4, SheetCol::LeftQuant), " 2");
    EXPECT_EQ(table.Cell(5, SheetCol::LeftQuant), "");
    EXPECT_EQ(table.Cell(6, SheetCol::LeftQuant), "many");
}

}  // namespace
