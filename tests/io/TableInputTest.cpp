#include <gtest/gtest.h>

#include <chrono>

#include "io/OutcomeText.h"
#include "io/TableCalculation.h"
#include "io/TableInput.h"
#include "job/JobInput.h"
#include "support/JobTables.h"

using namespace tarvex;

namespace {

// The job a calculation gathers from the tables.
class JobInput : public ::testing::Test {
  protected:
    bool Gather() {
        const auto ended = PrepareFromTables(calc, form, sheets, parts);
        if (calc.Gathered()) return true;
        error = ended ? OutcomeText(*ended) : "";
        return false;
    }
    const Job& Gathered() const { return *calc.Gathered(); }

    Calculation calc;
    SettingsForm form;
    CellTable sheets = SheetTable({{"Board", "2440", "1220", "10", "0", "Yes"}});
    CellTable parts = PartTable({{"Side", "600", "400", "1", "Yes"}});
    std::string error;
};

TEST_F(JobInput, ExpandsQuantitiesIntoRecordsWithRunningIds) {
    parts = PartTable({{"A", "600", "400", "2", "Yes"}, {"B", "300", "200", "3", "No"}});
    ASSERT_TRUE(Gather()) << error;
    const std::vector<Part>& records = Gathered().Parts();
    const int firstId = records.front().id;
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(Gathered().PartCount(), 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(records[i].id, firstId + i);
    EXPECT_EQ(records[1].label, "A");
    EXPECT_TRUE(records[1].rotatable);
    EXPECT_EQ(records[2].label, "B");
    EXPECT_FALSE(records[2].rotatable);

    ASSERT_TRUE(Gather()) << error;
    EXPECT_EQ(Gathered().Parts().front().id, firstId + 5)
        << "ids go on counting across calculations";
}

TEST_F(JobInput, SkipsBlankQuantitiesAndZeroQuantities) {
    parts = PartTable({{"None", "100", "100", "0", "Yes"},
                       {"Skip", "abc", "", "   ", "Yes"},
                       {"One", "100", "100", "1", " Yes"}});
    ASSERT_TRUE(Gather()) << error;
    ASSERT_EQ(Gathered().Parts().size(), 1u);
    EXPECT_EQ(Gathered().PartCount(), 1);
    EXPECT_TRUE(Gathered().Parts()[0].rotatable);
}

TEST_F(JobInput, PartsCarryTheKerfButPriorityComesFromTheEnteredSize) {
    form.bladeWidth = "3";
    parts = PartTable({{" Shelf ", "100", "50", "2", "Yes"}});
    ASSERT_TRUE(Gather()) << error;
    EXPECT_DOUBLE_EQ(Gathered().PartArea(), 2 * 103.0 * 53.0);
    EXPECT_DOUBLE_EQ(Gathered().Parts()[0].length, 103);
    EXPECT_DOUBLE_EQ(Gathered().Parts()[0].width, 53);
    EXPECT_DOUBLE_EQ(Gathered().Parts()[0].layoutOrderKey, 251.9);
    EXPECT_EQ(Gathered().Parts()[0].label, "Shelf");
    EXPECT_EQ(parts.Cell(0, 2), "10,918.0");
    EXPECT_EQ(parts.Cell(0, 3), "2");
}

TEST_F(JobInput, SheetsLoseTheirMarginsAndKeepTheFullSheetUnitCost) {
    form.marginTop = form.marginBottom = form.marginLeft = form.marginRight = "10";
    parts = PartTable({{"Big", "2000", "1000", "1", "Yes"}});
    sheets = SheetTable({{" Birch ", "2440", "1220", "1", "100", "Yes"}});
    ASSERT_TRUE(Gather()) << error;
    ASSERT_EQ(Gathered().Sheets().size(), 1u);
    const Sheet& s = Gathered().Sheets()[0];
    EXPECT_EQ(s.label, "Birch");
    EXPECT_DOUBLE_EQ(s.length, 2420);
    EXPECT_DOUBLE_EQ(s.width, 1200);
    EXPECT_DOUBLE_EQ(s.unitCost, 100.0 / 2976800.0);
    EXPECT_DOUBLE_EQ(Gathered().SheetArea(), 2904000);
    EXPECT_DOUBLE_EQ(Gathered().SheetCost(), 2904000 * (100.0 / 2976800.0));
    EXPECT_EQ(sheets.Cell(0, 2), "2,904,000.0");
    EXPECT_EQ(sheets.Cell(0, 3), "1");
    EXPECT_EQ(sheets.Cell(0, 4), "97.6");
}

TEST_F(JobInput, SettingsAreCopiedIntoTheJob) {
    form.speed = 12;
    form.guillotine = true;
    form.costOptimization = true;
    form.bestSearch = true;
    form.timeLimit = "2.5";
    form.huazhong = false;
    form.unit = " in ";
    form.offcutPrefix = " OFF ";
    form.minOffcutArea = "2.5";
    JobSettings s;
    InputFault fault;
    ASSERT_TRUE(ReadJobSettings(form, s, fault)) << FaultText(fault);
    EXPECT_EQ(MaxGenerations(s.speed), 132);
    EXPECT_TRUE(s.cut.guillotine);
    EXPECT_TRUE(s.cut.costObjective);
    EXPECT_EQ(s.search, SearchMethod::Best);
    EXPECT_EQ(s.timeLimit, 2.5);
    EXPECT_FALSE(s.cnc.huazhong);
    EXPECT_EQ(s.unit, "in");
    EXPECT_EQ(s.offcutPrefix, "OFF");
    EXPECT_DOUBLE_EQ(s.cut.minOffcutArea, 2.5);
}

// Parts of 10 000 against sheets of usable area 4 000: sheets are taken until
// their area exceeds 15 000.
class SheetLimit : public JobInput {
  protected:
    void SetUp() override {
        JobInput::SetUp();
        parts = PartTable({{"P", "100", "100", "1", "Yes"}});
    }
};

TEST_F(SheetLimit, StopsThePriorityRowOnceTheAreaExceedsOneAndAHalfTimes) {
    sheets = SheetTable({{"S", "80", "50", "20", "0", "Yes"}});
    ASSERT_TRUE(Gather()) << error;
    EXPECT_EQ(Gathered().SheetCount(), 4);
    EXPECT_EQ(Gathered().Sheets().size(), 4u);
    EXPECT_DOUBLE_EQ(Gathered().SheetArea(), 16000);
}

TEST_F(SheetLimit, SecondPassStillTakesOneSheetOfTheFirstRowWithAQuantity) {
    sheets = SheetTable({{"S", "80", "50", "20", "0", "Yes"},
                         {"Blank", "80", "50", "", "0", "No"},
                         {"T", "80", "50", "5", "0", "No"},
                         {"U", "80", "50", "5", "0", "No"}});
    ASSERT_TRUE(Gather()) << error;
    ASSERT_EQ(Gathered().SheetCount(), 5);
    EXPECT_EQ(Gathered().Sheets()[4].label, "T");
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Gathered().Sheets()[i].id, i);
}

TEST_F(SheetLimit, PriorityRowsComeFirstWhereverTheyStand) {
    sheets = SheetTable(
        {{"Plain", "80", "50", "1", "0", "No"}, {"Preferred", "80", "50", "2", "0", "Yes"}});
    ASSERT_TRUE(Gather()) << error;
    ASSERT_EQ(Gathered().SheetCount(), 3);
    EXPECT_EQ(Gathered().Sheets()[0].label, "Preferred");
    EXPECT_EQ(Gathered().Sheets()[1].label, "Preferred");
    EXPECT_EQ(Gathered().Sheets()[2].label, "Plain");
}

TEST_F(SheetLimit, TakesEverySheetWhenTheStockNeverReachesTheLimit) {
    sheets = SheetTable({{"S", "80", "50", "2", "0", "Yes"}, {"T", "80", "50", "1", "0", "No"}});
    ASSERT_TRUE(Gather()) << error;
    EXPECT_EQ(Gathered().SheetCount(), 3);
}

TEST_F(SheetLimit, RowsBeyondTheLimitAreStillChecked) {
    sheets = SheetTable({{"S", "80", "50", "20", "0", "Yes"},
                         {"T", "80", "50", "1", "0", "No"},
                         {"Broken", "80", "x", "1", "0", "No"}});
    EXPECT_FALSE(Gather());
    EXPECT_EQ(error, "Sheets, row 3, column \"Width\": \"x\" is not a number.");
}

// Refusals name the table, the data row (1 for the first) and the column, and
// change nothing.
class Refusal : public JobInput {
  protected:
    void SetUp() override {
        JobInput::SetUp();
        ASSERT_TRUE(Gather()) << error;
    }
    void ExpectRefused(const std::string& expected) {
        const CellTable sheetTable = sheets, partTable = parts;
        EXPECT_FALSE(Gather());
        EXPECT_EQ(error, expected);
        EXPECT_EQ(calc.Gathered(), nullptr);
        EXPECT_EQ(sheets.Cell(0, 2), sheetTable.Cell(0, 2));
        EXPECT_EQ(parts.Cell(0, 3), partTable.Cell(0, 3));
    }
};

TEST_F(Refusal, BadCellsOfLaterRows) {
    parts = PartTable({{"A", "600", "400", "1", "Yes"}, {"B", "60O", "400", "1", "Yes"}});
    ExpectRefused("Parts, row 2, column \"Length\": \"60O\" is not a number.");
    parts = PartTable({{"A", "600", "400", "1", "Yes"}, {"B", "600", "400", "2.5", "Yes"}});
    ExpectRefused("Parts, row 2, column \"Quant\": \"2.5\" is not a whole number.");
    parts = PartTable({{"A", "600", "400", "1", "Yes"}, {"B", "600", "nan", "1", "Yes"}});
    ExpectRefused("Parts, row 2, column \"Width\": \"nan\" is not a number.");
    parts = PartTable({{"A", "600", "400", "1", "Yes"}, {"B", "600", "1e999", "1", "Yes"}});
    ExpectRefused("Parts, row 2, column \"Width\": \"1e999\" is not a number.");
}

TEST_F(Refusal, NegativeQuantitiesSizesAndCosts) {
    parts = PartTable({{"A", "600", "400", "-1", "Yes"}});
    ExpectRefused("Parts, row 1, column \"Quant\": the quantity must not be negative.");
    parts = PartTable({{"A", "0", "400", "1", "Yes"}});
    ExpectRefused("Parts, row 1, column \"Length\": the size must be greater than 0.");
    parts = PartTable({{"A", "600", "400", "1", "Yes"}});
    sheets = SheetTable({{"S", "2440", "-1220", "1", "0", "Yes"}});
    ExpectRefused("Sheets, row 1, column \"Width\": the size must be greater than 0.");
    sheets = SheetTable({{"S", "2440", "1220", "1", "-5", "Yes"}});
    ExpectRefused("Sheets, row 1, column \"Cost\": the cost must not be negative.");
    sheets = SheetTable({{"S", "2440", "1220", "-2", "0", "No"}});
    ExpectRefused("Sheets, row 1, column \"Quant\": the quantity must not be negative.");
}

TEST_F(Refusal, SizesWhoseAreaOverflowsAndMarginsThatLeaveNothing) {
    parts = PartTable({{"A", "1e200", "1e200", "1", "Yes"}});
    ExpectRefused("Parts, row 1: the sizes are out of range.");
    parts = PartTable({{"A", "600", "400", "1", "Yes"}});
    form.marginLeft = "1220";
    form.marginRight = "1220";
    ExpectRefused("Sheets, row 1: the margins leave no usable area on this sheet.");
}

TEST_F(Refusal, SettingsThatDoNotConvertOrAreNegative) {
    form.bladeWidth = "0,1";
    ExpectRefused("Blade Width: \"0,1\" is not a number.");
    form.bladeWidth = "-1";
    ExpectRefused("Blade Width: must not be negative.");
    form.bladeWidth = "0";
    form.decimals = "two";
    ExpectRefused("Decimals: \"two\" is not a whole number.");
    form.decimals = "2";
    form.minOffcutArea = "";
    ExpectRefused("Min. Area: \"\" is not a number.");
}

TEST_F(Refusal, AMistypedMillionPartsIsRefusedAtOnce) {
    parts = PartTable({{"A", "600", "400", "1000000", "Yes"}, {"B", "60", "40", "5", "Yes"}});
    const auto start = std::chrono::steady_clock::now();
    ExpectRefused(
        "The parts add up to 1000005 pieces; at most 100000 can be calculated at once. Please "
        "check the quantities.");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST_F(Refusal, TheLimitsCountRecordsNotRows) {
    parts = PartTable({{"A", "10", "10", "60000", "Yes"}, {"B", "10", "10", "40000", "Yes"}});
    sheets = SheetTable({{"S", "2440", "1220", "10", "0", "Yes"}});
    EXPECT_TRUE(Gather()) << error;
    EXPECT_EQ(Gathered().PartCount(), kMaxPartRecords);

    // 1.5 times a part of 1 000 x 66 667 needs 10 001 sheets of 100 x 100.
    parts = PartTable({{"A", "1000", "66667", "1", "Yes"}});
    sheets = SheetTable({{"S", "100", "100", "2000000000", "0", "Yes"}});
    ExpectRefused(
        "The job needs more than 10000 sheets. Please check the quantities and sizes of the "
        "sheets and parts.");
}

}  // namespace
