#include <gtest/gtest.h>

#include "io/EntryTables.h"
#include "io/ListFiles.h"
#include "io/SpreadsheetImport.h"
#include "support/DataFixtures.h"
#include "support/WorkbookFiles.h"

using namespace tarvex;

namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows RowsOf(const CellTable& table) {
    Rows rows;
    for (int r = 0; r < table.RowCount(); ++r) {
        rows.emplace_back();
        for (int c = 0; c < table.ColCount(); ++c) rows.back().push_back(table.Cell(r, c));
    }
    return rows;
}

// A table as the window leaves it after some editing: three old rows and totals.
CellTable UsedTable(TableKind kind) {
    CellTable table = kind == TableKind::Sheet ? NewSheetTable() : NewPartTable();
    fixtures::FillRows(table, Rows(3, fixtures::Row(table.ColCount(), "old")));
    WriteTotals(table, kind, 9, 3, 9);
    return table;
}

class SpreadsheetImport : public testing::TestWithParam<const char*> {
  protected:
    std::string File(const std::string& stem) const { return WorkbookPath(stem + GetParam()); }
};

TEST_P(SpreadsheetImport, SheetRowsNeedAllFiveValuesAndGetPriorityYes) {
    CellTable table = UsedTable(TableKind::Sheet);
    std::string error;
    ASSERT_TRUE(LoadSheetSpreadsheet(File("sheets"), table, error)) << error;
    // Skipped: the heading (quantity not a number), the empty row, rows without cost,
    // width or label, the quantity 2.5 and the length "1,000".
    EXPECT_EQ(fixtures::DataRows(table),
              (Rows{
                  {"Birch 桦木", "2440", "1220", "3", "125.5", "Yes", "3", "", ""},
                  {"松木板", "2440", "1220", "2", "80", "Yes", "2", "", ""},
                  {"Frac", "1200.5", "600.25", "1", "0.1", "Yes", "1", "", ""},
              }));
    // 2440 x 1220 x 5 + 1200.5 x 600.25; 125.5 x 3 + 80 x 2 + 0.1.
    EXPECT_EQ(RowsOf(table)[0], (std::vector<std::string>{"Total", "Area", "15,604,600.1", "6",
                                                          "536.6", "", "", "", ""}));
    EXPECT_EQ(table.Cell(1, 6), "Left Quant");  // the header row stays
}

TEST_P(SpreadsheetImport, PartQuantityAndFlagComeInEitherOrder) {
    CellTable table = UsedTable(TableKind::Part);
    std::string error;
    ASSERT_TRUE(LoadPartSpreadsheet(File("parts"), table, error)) << error;
    EXPECT_EQ(fixtures::DataRows(table),
              (Rows{
                  {"Side 侧板", "720", "560", "3", "No", "", "", "", "", ""},  // 3, no
                  {"Top", "800", "600", "3", "No", "", "", "", "", ""},        // NO, 3
                  {"Shelf", "500", "400", "4", "Yes", "", "", "", "", ""},     // empty, 4
                  {"Door 门", "700", "400", "2", "No", "", "", "", "", ""},    // 2, 否
                  {"Back", "700", "400", "1", "Yes", "", "", "", "", ""},      // 1, Y
                  {"Leg", "100", "50", "4", "No", "", "", "", "", ""},         // "4" as text, N
                  {"Edge", "300", "200", "5", "Yes", "", "", "", "", ""},      // 5, empty
              }));
    EXPECT_EQ(RowsOf(table)[0], (std::vector<std::string>{"Total", "Area", "4,609,600.0", "22", "",
                                                          "", "", "", "", ""}));
}

TEST_P(SpreadsheetImport, VisitsEveryRowUpToTheLastUsedOne) {
    CellTable table = UsedTable(TableKind::Part);
    std::string error;
    ASSERT_TRUE(LoadPartSpreadsheet(File("twelve"), table, error)) << error;
    ASSERT_EQ(table.RowCount(), 14);
    EXPECT_EQ(table.Cell(2, 0), "P1");
    EXPECT_EQ(table.Cell(13, 0), "P12");
    EXPECT_EQ(table.Cell(13, 4), "Yes");
    EXPECT_EQ(table.Cell(0, 2), "6,084,000.0");  // sum of 1000 i^3 over 1..12
    EXPECT_EQ(table.Cell(0, 3), "78");

    ASSERT_TRUE(LoadPartSpreadsheet(File("sparse"), table, error)) << error;
    EXPECT_EQ(fixtures::DataRows(table),
              (Rows{{"First", "100", "50", "1", "No", "", "", "", "", ""},
                    {"Far", "200", "60", "2", "No", "", "", "", "", ""}}));
}

TEST_P(SpreadsheetImport, MaterialGrainAndBandingFollowTheFirstColumnsAndABadGrainStops) {
    fixtures::ProgramCatalogs catalogs;
    CellTable sheets = UsedTable(TableKind::Sheet);
    std::string error;
    EXPECT_FALSE(LoadSheetSpreadsheet(File("material-sheets"), sheets, error));
    EXPECT_NE(error.find(File("material-sheets")), std::string::npos) << error;
    EXPECT_NE(error.find("line 5"), std::string::npos) << error;
    EXPECT_NE(error.find("\"diagonal\""), std::string::npos) << error;
    EXPECT_EQ(fixtures::DataRows(sheets),
              (Rows{
                  {"Birch", "2440", "1220", "3", "10", "Yes", "3", "Birch 18 桦木", "across"},
                  {"Plain", "2000", "1000", "1", "5", "Yes", "1", "", ""},
                  {"Veneer", "2500", "1250", "2", "9", "Yes", "2", "", "no grain"},
              }));
    EXPECT_EQ(sheets.Cell(0, 3), "6");  // the totals of the rows read

    CellTable parts = UsedTable(TableKind::Part);
    ASSERT_TRUE(LoadPartSpreadsheet(File("material-parts"), parts, error)) << error;
    // The banding of the edges L1, L2, W1 and W2 follows in G to J.
    EXPECT_EQ(fixtures::DataRows(parts),
              (Rows{
                  {"Side", "720", "560", "2", "No", "Birch 18 桦木", "ABS 2mm", "", "封边", ""},
                  {"Top", "800", "600", "1", "Yes", "", "", "", "", ""},
              }));
}

INSTANTIATE_TEST_SUITE_P(Formats, SpreadsheetImport,
                         testing::Values(".xls", "-inline.xlsx", "-shared.xlsx"));

TEST(SpreadsheetImportEmpty, NoQualifyingRowLeavesOneEmptyRowAndZeroTotals) {
    CellTable sheets = UsedTable(TableKind::Sheet);
    std::string error;
    // Its only full row has the cost "no".
    ASSERT_TRUE(LoadSheetSpreadsheet(WorkbookPath("prefixed.xlsx"), sheets, error)) << error;
    EXPECT_EQ(fixtures::DataRows(sheets), (Rows{std::vector<std::string>(SheetCol::Count)}));
    EXPECT_EQ(RowsOf(sheets)[0],
              (std::vector<std::string>{"Total", "Area", "0.0", "0", "0.0", "", "", "", ""}));
}

TEST(SpreadsheetImportFailure, KeepsTheTableAndNamesTheFile) {
    for (const char* file : {"damaged.xlsx", "parts-truncated.xls", "encrypted.xls", "text.xls"}) {
        CellTable parts = UsedTable(TableKind::Part);
        const Rows before = RowsOf(parts);
        std::string error;
        EXPECT_FALSE(LoadPartSpreadsheet(WorkbookPath(file), parts, error)) << file;
        EXPECT_NE(error.find(WorkbookPath(file)), std::string::npos) << error;
        EXPECT_EQ(RowsOf(parts), before) << file;

        CellTable sheets = UsedTable(TableKind::Sheet);
        EXPECT_FALSE(LoadSheetSpreadsheet(WorkbookPath(file), sheets, error)) << file;
        EXPECT_EQ(RowsOf(sheets), RowsOf(UsedTable(TableKind::Sheet))) << file;
    }
}

TEST(SpreadsheetImportList, ListCommandsReadWorkbooks) {
    CellTable parts = NewPartTable();
    ListFileNames names;
    const ListResult opened = OpenPartFile(WorkbookPath("parts-shared.xlsx"), parts, names, {});
    EXPECT_TRUE(opened.ok) << opened.message;
    EXPECT_EQ(opened.rows, 7);

    CellTable sheets = NewSheetTable();
    const ListResult loaded = LoadSheetList(WorkbookPath("sheets.xls"), sheets);
    EXPECT_TRUE(loaded.ok) << loaded.message;
    EXPECT_EQ(loaded.rows, 3);
}

}  // namespace
