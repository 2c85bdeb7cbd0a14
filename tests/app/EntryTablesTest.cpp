#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DataFixtures.h"
#include "app/EntryTables.h"

namespace {

using Row = std::vector<std::string>;

std::vector<Row> DataRows(const CellTable& t) {
    std::vector<Row> rows;
    for (int r = CellTable::kFirstDataRow; r < t.RowCount(); ++r) {
        Row row;
        for (int c = 0; c < t.ColCount(); ++c) row.push_back(t.Cell(r, c));
        rows.push_back(row);
    }
    return rows;
}

Row Totals(const CellTable& t) {
    Row row;
    for (int c = 0; c < t.ColCount(); ++c) row.push_back(t.Cell(0, c));
    return row;
}

void SetRow(CellTable& t, int row, const Row& cells) {
    while (t.RowCount() <= row) t.AppendRow();
    for (int c = 0; c < static_cast<int>(cells.size()); ++c) t.SetCell(row, c, cells[c]);
}

}  // namespace

TEST(EntryTables, FreshTablesHaveFixedRowsAndDefaultDataRows) {
    const CellTable sheets = NewSheetTable();
    EXPECT_EQ(sheets.ColCount(), 7);
    EXPECT_EQ(Totals(sheets), (Row{"Total", "Area", "", "", "", "", ""}));
    EXPECT_EQ(sheets.Cell(1, SheetCol::LeftQuant), "Left Quant");
    EXPECT_EQ(DataRows(sheets), (std::vector<Row>{{"", "", "", "", "", "Yes", ""}}));

    const CellTable parts = NewPartTable();
    EXPECT_EQ(parts.ColCount(), 5);
    EXPECT_EQ(parts.Cell(1, PartCol::Rotatable), "Rotatable");
    EXPECT_EQ(DataRows(parts),
              (std::vector<Row>{{"", "", "", "", "Yes"}, {"", "", "", "", "Yes"}}));
}

TEST(EntryTables, NumberCheckEmptiesTextsThatDoNotConvert) {
    const auto sheet = TableKind::Sheet;
    EXPECT_EQ(CheckNumberEdit(sheet, 2, SheetCol::Length, "1200.5"), "1200.5");
    EXPECT_EQ(CheckNumberEdit(sheet, 2, SheetCol::Length, ""), "");
    EXPECT_EQ(CheckNumberEdit(sheet, 2, SheetCol::Width, "-"), "");
    EXPECT_EQ(CheckNumberEdit(sheet, 2, SheetCol::Quant, "."), "");
    EXPECT_EQ(CheckNumberEdit(sheet, 2, SheetCol::Cost, "12a"), "");
    // A quantity of 2.5 passes here; the calculation refuses it later.
    EXPECT_EQ(CheckNumberEdit(sheet, 2, SheetCol::Quant, "2.5"), "2.5");
    // Texts, Yes/No cells and fixed rows are not number cells.
    EXPECT_EQ(CheckNumberEdit(sheet, 2, SheetCol::Label, "-"), "-");
    EXPECT_EQ(CheckNumberEdit(sheet, 2, SheetCol::Priority, "x"), "x");
    EXPECT_EQ(CheckNumberEdit(sheet, 1, SheetCol::Length, "Length"), "Length");
    EXPECT_EQ(CheckNumberEdit(TableKind::Part, 3, PartCol::Quant, "x"), "");
    EXPECT_EQ(CheckNumberEdit(TableKind::Part, 3, PartCol::Rotatable, "x"), "x");
}

TEST(EntryTables, LeftQuantAndFixedRowsCannotBeSelected) {
    EXPECT_FALSE(IsSelectableCell(TableKind::Sheet, 2, SheetCol::LeftQuant));
    EXPECT_TRUE(IsSelectableCell(TableKind::Sheet, 2, SheetCol::Priority));
    EXPECT_FALSE(IsSelectableCell(TableKind::Sheet, 1, SheetCol::Label));
    EXPECT_FALSE(IsSelectableCell(TableKind::Part, 0, PartCol::Label));
    EXPECT_TRUE(IsSelectableCell(TableKind::Part, 2, PartCol::Rotatable));
}

TEST(EntryTables, EnterWalksRightThenDownAndAddsARowAtTheEnd) {
    CellTable t = NewSheetTable();
    AppendTableRow(t, TableKind::Sheet);  // rows 2 and 3
    EXPECT_EQ(EnterKey(t, TableKind::Sheet, {2, 0}), (CellPos{2, 1}));
    EXPECT_EQ(EnterKey(t, TableKind::Sheet, {2, SheetCol::Cost}), (CellPos{2, SheetCol::Priority}));
    EXPECT_EQ(EnterKey(t, TableKind::Sheet, {2, SheetCol::Priority}), (CellPos{3, 0}));
    EXPECT_EQ(t.RowCount(), 4);

    EXPECT_EQ(EnterKey(t, TableKind::Sheet, {3, SheetCol::Priority}), (CellPos{4, 0}));
    EXPECT_EQ(DataRows(t).back(), (Row{"", "", "", "", "", "Yes", ""}));

    CellTable parts = NewPartTable();
    EXPECT_EQ(EnterKey(parts, TableKind::Part, {3, PartCol::Rotatable}), (CellPos{4, 0}));
    EXPECT_EQ(parts.Cell(4, PartCol::Rotatable), "Yes");
}

TEST(EntryTables, AppendWritesCostOrCopiesTheQuantityAbove) {
    CellTable sheets = NewSheetTable();
    SetRow(sheets, 2, {"Birch", "2440", "1220", "5", "80", "No", "5"});
    AppendTableRow(sheets, TableKind::Sheet);
    EXPECT_EQ(DataRows(sheets).back(), (Row{"", "", "", "", "0", "Yes", ""}));

    CellTable parts = NewPartTable();
    parts.SetCell(3, PartCol::Quant, "7");
    AppendTableRow(parts, TableKind::Part);
    EXPECT_EQ(DataRows(parts).back(), (Row{"", "", "", "7", "Yes"}));
}

TEST(EntryTables, DeleteTakesTheRowOutOfTheTotals) {
    CellTable parts = NewPartTable();
    SetRow(parts, 2, {"Door", "1200", "600", "2", "Yes"});
    SetRow(parts, 3, {"Shelf", "500", "400", "1", "No"});
    WriteTotals(parts, TableKind::Part, 1640000, 3, 0);
    EXPECT_EQ(parts.Cell(0, PartCol::Width), "1,640,000.0");

    EXPECT_TRUE(DeleteTableRow(parts, TableKind::Part, 3));
    EXPECT_EQ(Totals(parts), (Row{"Total", "Area", "1,440,000.0", "2", ""}));
    EXPECT_EQ(DataRows(parts), (std::vector<Row>{{"Door", "1200", "600", "2", "Yes"}}));

    // The only data row is emptied, after the totals went down to nothing.
    EXPECT_TRUE(DeleteTableRow(parts, TableKind::Part, 2));
    EXPECT_EQ(Totals(parts), (Row{"Total", "Area", "0.0", "0", ""}));
    EXPECT_EQ(DataRows(parts), (std::vector<Row>{{"", "", "", "", ""}}));
}

TEST(EntryTables, DeleteOfSheetsUpdatesCostAndNeverShowsMinusZero) {
    CellTable t = NewSheetTable();
    SetRow(t, 2, {"A", "0.1", "1", "3", "0.1", "Yes", "3"});
    SetRow(t, 3, {"B", "10", "10", "1", "2.5", "Yes", "1"});
    WriteTotals(t, TableKind::Sheet, 100.3, 4, 2.8);
    EXPECT_TRUE(DeleteTableRow(t, TableKind::Sheet, 3));
    EXPECT_EQ(Totals(t), (Row{"Total", "Area", "0.3", "3", "0.3", "", ""}));
    // 0.3 - 0.1 x 3 is a tiny negative number in binary floating point.
    EXPECT_TRUE(DeleteTableRow(t, TableKind::Sheet, 2));
    EXPECT_EQ(Totals(t), (Row{"Total", "Area", "0.0", "0", "0.0", "", ""}));
}

TEST(EntryTables, DeleteLeavesTotalsAloneWhenTheyCannotBeRecomputed) {
    CellTable t = NewSheetTable();
    SetRow(t, 2, {"A", "100", "50", "2", "", "Yes", "2"});  // empty cost
    SetRow(t, 3, {"B", "100", "50", "1", "1", "Yes", "1"});
    WriteTotals(t, TableKind::Sheet, 15000, 3, 1);
    const Row before = Totals(t);
    EXPECT_TRUE(DeleteTableRow(t, TableKind::Sheet, 2));
    EXPECT_EQ(Totals(t), before);
    ASSERT_EQ(DataRows(t).size(), 1u);
    EXPECT_EQ(t.Cell(2, 0), "B");
}

TEST(EntryTables, DeleteIgnoresARowWithoutLabel) {
    CellTable t = NewSheetTable();
    SetRow(t, 2, {"", "100", "50", "2", "1", "Yes", "2"});
    WriteTotals(t, TableKind::Sheet, 10000, 2, 2);
    EXPECT_FALSE(DeleteTableRow(t, TableKind::Sheet, 2));
    EXPECT_EQ(t.Cell(2, SheetCol::Length), "100");
    EXPECT_EQ(t.Cell(0, SheetCol::Width), "10,000.0");
    EXPECT_FALSE(DeleteTableRow(t, TableKind::Sheet, 1));  // the header row
}

TEST(EntryTables, DelAllLeavesOneCompletelyEmptyRow) {
    CellTable t = NewSheetTable();
    SetRow(t, 2, {"A", "100", "50", "2", "1", "Yes", "2"});
    SetRow(t, 3, {"B", "100", "50", "1", "1", "Yes", "1"});
    WriteTotals(t, TableKind::Sheet, 15000, 3, 3);
    DeleteAllRows(t, TableKind::Sheet);
    EXPECT_EQ(Totals(t), (Row{"Total", "Area", "", "", "", "", ""}));
    EXPECT_EQ(DataRows(t), (std::vector<Row>{Row(7)}));
}

TEST(EntryTables, PasteNeedsAtLeastTwoLines) {
    CellTable t = NewPartTable();
    EXPECT_FALSE(PasteText(t, TableKind::Part, "A\t100\t50\t2\r\n"));
    EXPECT_FALSE(PasteText(t, TableKind::Part, ""));
    EXPECT_EQ(DataRows(t), DataRows(NewPartTable()));
}

TEST(EntryTables, PasteCutsTheTableAtTheFirstEmptyLabel) {
    CellTable t = NewSheetTable();
    SetRow(t, 2, {"Keep", "1", "1", "1", "0", "Yes", "1"});
    SetRow(t, 3, {"", "9", "9", "9", "9", "No", "9"});
    SetRow(t, 4, {"Lost1", "1", "1", "1", "0", "Yes", "1"});
    SetRow(t, 5, {"Lost2", "1", "1", "1", "0", "Yes", "1"});
    EXPECT_TRUE(PasteText(t, TableKind::Sheet, "Oak\t2440\t1220\t3\nPine\t2000\t1000\t2\t50\n"));
    EXPECT_EQ(DataRows(t), (std::vector<Row>{
                               {"Keep", "1", "1", "1", "0", "Yes", "1"},
                               {"Oak", "2440", "1220", "3", "0", "Yes", ""},
                               {"Pine", "2000", "1000", "2", "50", "Yes", "2"},
                               Row(7),
                           }));
}

TEST(EntryTables, PasteWritesOnlyPositiveWholeNumbers) {
    CellTable sheets = NewSheetTable();
    sheets.SetCell(2, 0, "full");  // no empty label: the paste starts on a new row
    EXPECT_TRUE(PasteText(sheets, TableKind::Sheet,
                          "A\t1200.5\t0\t-3\t0\r\n"      // nothing numeric, cost 0 stays empty
                          "Copied\t1\t1\t1\t1\tYes\r\n"  // six fields: ignored
                          "\tB\t100\r\n"                 // the leading TAB is trimmed away
                          "C"));
    EXPECT_EQ(DataRows(sheets), (std::vector<Row>{
                                    {"full", "", "", "", "", "Yes", ""},
                                    {"A", "", "", "", "", "Yes", ""},
                                    {"B", "100", "", "", "0", "Yes", ""},
                                    {"C", "", "", "", "0", "Yes", ""},
                                    Row(7),
                                }));

    CellTable parts = NewPartTable();
    EXPECT_TRUE(PasteText(parts, TableKind::Part, "A\t1200\t600.5\t2\nB\t1\t2\t3\tNo\n"));
    EXPECT_EQ(DataRows(parts), (std::vector<Row>{
                                   {"A", "1200", "", "2", "Yes"},
                                   {"", "", "", "", ""},
                               }));
}

TEST(EntryTables, PastedEmptyLineTakesARow) {
    CellTable parts = NewPartTable();
    EXPECT_TRUE(PasteText(parts, TableKind::Part, "A\t10\r\n\r\nB\t20\r\n"));
    EXPECT_EQ(DataRows(parts), (std::vector<Row>{
                                   {"A", "10", "", "", "Yes"},
                                   {"", "", "", "", "Yes"},
                                   {"B", "20", "", "", "Yes"},
                                   {"", "", "", "", ""},
                               }));
}

TEST(EntryTables, ParsePositiveIntGivesMinusOneForNonIntegers) {
    EXPECT_EQ(ParsePositiveInt("12"), 12);
    EXPECT_EQ(ParsePositiveInt(" 7 "), 7);
    EXPECT_EQ(ParsePositiveInt("0"), 0);
    EXPECT_EQ(ParsePositiveInt("-5"), -5);
    EXPECT_EQ(ParsePositiveInt(""), -1);
    EXPECT_EQ(ParsePositiveInt("1.5"), -1);
    EXPECT_EQ(ParsePositiveInt("99999999999"), -1);
}

TEST(EntryTables, LanguageChangeRewritesFixedRowsButKeepsYesCells) {
    CellTable t = NewSheetTable();
    WriteTotals(t, TableKind::Sheet, 1000, 1, 10);
    fixtures::ScopedCatalog catalog(
        {{"Yes", "是"}, {"No", "否"}, {"Total", "合计"}, {"Area", "面积"}, {"Label", "名称"}});
    ASSERT_TRUE(catalog.ok());
    WriteFixedRows(t, TableKind::Sheet);
    EXPECT_EQ(Totals(t), (Row{"合计", "面积", "1,000.0", "1", "10.0", "", ""}));
    EXPECT_EQ(t.Cell(1, SheetCol::Label), "名称");
    EXPECT_EQ(t.Cell(1, SheetCol::Width), "Width");  // no translation in this catalog
    EXPECT_EQ(YesNoChoices(), (std::vector<std::string>{"是", "否"}));
    EXPECT_EQ(t.Cell(2, SheetCol::Priority), "Yes");
    AppendTableRow(t, TableKind::Sheet);
    EXPECT_EQ(t.Cell(3, SheetCol::Priority), "是");
}
