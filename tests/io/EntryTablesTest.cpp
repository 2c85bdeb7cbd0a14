#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "io/CellEntry.h"
#include "io/EntryTables.h"
#include "support/DataFixtures.h"
#include "text/Translate.h"

using namespace tarvex;

namespace {

using fixtures::DataRows;
using fixtures::FillRows;
using fixtures::Row;
using Rows = std::vector<Row>;

Row Totals(const CellTable& t) {
    Row row;
    for (int c = 0; c < t.ColCount(); ++c) row.push_back(t.Cell(0, c));
    return row;
}

}  // namespace

TEST(EntryTables, FreshTablesHaveFixedRowsAndDefaultDataRows) {
    const CellTable sheets = NewSheetTable();
    EXPECT_EQ(Totals(sheets), (Row{"Total", "Area", "", "", "", "", "", "", ""}));
    EXPECT_EQ(sheets.Cell(1, SheetCol::LeftQuant), "Left Quant");
    EXPECT_EQ(DataRows(sheets), (Rows{{"", "", "", "", "", "Yes", "", "", ""}}));
    const CellTable parts = NewPartTable();
    EXPECT_EQ(parts.Cell(1, PartCol::Rotatable), "Rotatable");
    EXPECT_EQ(DataRows(parts), (Rows{{"", "", "", "", "Yes", "", "", "", "", ""},
                                     {"", "", "", "", "Yes", "", "", "", "", ""}}));
}

TEST(EntryTables, AnEntryThatDoesNotConvertIsRefusedNamingTableRowAndColumn) {
    const auto sheet = TableKind::Sheet;
    EXPECT_EQ(CellEntryFault(sheet, 2, SheetCol::Length, "1200.5"), "");
    EXPECT_EQ(CellEntryFault(sheet, 2, SheetCol::Length, ""), "");  // clearing a cell
    EXPECT_EQ(CellEntryFault(sheet, 2, SheetCol::Label, "7a2x0"), "");
    EXPECT_EQ(CellEntryFault(sheet, 1, SheetCol::Length, "Length"), "");  // not a data row
    EXPECT_EQ(CellEntryFault(sheet, 3, SheetCol::Length, "7a2x0"),
              "Sheets, row 2, column \"Length\": \"7a2x0\" is not a number.");
    EXPECT_EQ(CellEntryFault(sheet, 2, SheetCol::Cost, "."),
              "Sheets, row 1, column \"Cost\": \".\" is not a number.");
    const std::string quant = "column \"" + _("Quant") + "\"";
    EXPECT_EQ(CellEntryFault(TableKind::Part, 4, PartCol::Quant, "2.5"),
              "Parts, row 3, " + quant + ": \"2.5\" is not a whole number.");
    EXPECT_EQ(CellEntryFault(TableKind::Part, 2, PartCol::Quant, "-1"),
              "Parts, row 1, " + quant + ": the quantity must not be negative.");
    EXPECT_EQ(CellEntryFault(TableKind::Part, 2, PartCol::Rotatable, "n"), "");
    EXPECT_NE(CellEntryFault(TableKind::Part, 2, PartCol::Rotatable, "maybe"), "");
}

TEST(EntryTables, EnterWalksRightThenDownAndAddsARowAtTheEnd) {
    CellTable t = NewSheetTable();
    t.AppendRow();
    EXPECT_EQ(EnterKey(t, TableKind::Sheet, {2, SheetCol::Cost}), (CellPos{2, SheetCol::Priority}));
    // Left Quant is passed over.
    EXPECT_EQ(EnterKey(t, TableKind::Sheet, {2, SheetCol::Priority}),
              (CellPos{2, SheetCol::Material}));
    EXPECT_EQ(EnterKey(t, TableKind::Sheet, {2, SheetCol::Material}),
              (CellPos{2, SheetCol::Grain}));
    EXPECT_EQ(EnterKey(t, TableKind::Sheet, {2, SheetCol::Grain}), (CellPos{3, 0}));
    EXPECT_EQ(t.RowCount(), 4);
    EXPECT_EQ(EnterKey(t, TableKind::Sheet, {3, SheetCol::Grain}), (CellPos{4, 0}));
    EXPECT_EQ(DataRows(t).back(), (Row{"", "", "", "", "", "Yes", "", "", ""}));
    CellTable parts = NewPartTable();
    EXPECT_EQ(EnterKey(parts, TableKind::Part, {3, PartCol::Rotatable}),
              (CellPos{3, PartCol::Material}));
    EXPECT_EQ(EnterKey(parts, TableKind::Part, {3, PartCol::Material}),
              (CellPos{3, PartCol::BandingL1}));
    EXPECT_EQ(EnterKey(parts, TableKind::Part, {3, PartCol::BandingL1}),
              (CellPos{3, PartCol::BandingL2}));
    EXPECT_EQ(EnterKey(parts, TableKind::Part, {3, PartCol::BandingW2}), (CellPos{4, 0}));
    EXPECT_EQ(parts.Cell(4, PartCol::Rotatable), "Yes");
}

TEST(EntryTables, AppendWritesCostOrCopiesTheQuantityAbove) {
    CellTable sheets = NewSheetTable();
    FillRows(sheets, {{"Birch", "2440", "1220", "5", "80", "No", "5", "", ""}});
    AppendTableRow(sheets, TableKind::Sheet);
    EXPECT_EQ(DataRows(sheets).back(), (Row{"", "", "", "", "0", "Yes", "", "", ""}));
    CellTable parts = NewPartTable();
    parts.SetCell(3, PartCol::Quant, "7");
    AppendTableRow(parts, TableKind::Part);
    EXPECT_EQ(DataRows(parts).back(), (Row{"", "", "", "7", "Yes", "", "", "", "", ""}));
}

TEST(EntryTables, DeleteTakesTheRowOutOfTheTotals) {
    CellTable parts = NewPartTable();
    FillRows(parts, {{"Door", "1200", "600", "2", "Yes", "", "", "", "", ""},
                     {"Shelf", "500", "400", "1", "No", "", "", "", "", ""},
                     {"", "1", "1", "1", "No", "", "", "", "", ""}});  // numbers but no label
    WriteTotals(parts, TableKind::Part, 1640000, 3, 0);
    EXPECT_FALSE(DeleteTableRow(parts, TableKind::Part, 5));
    EXPECT_TRUE(DeleteTableRow(parts, TableKind::Part, 4));
    EXPECT_EQ(Totals(parts), (Row{"Total", "Area", "1,440,000.0", "2", "", "", "", "", "", ""}));
    EXPECT_EQ(DataRows(parts).size(), 3u);

    // The only data row is emptied; 0.1 x 3 taken from 0.3 must not show "-0.0".
    CellTable sheets = NewSheetTable();
    FillRows(sheets, {{"A", "0.1", "1", "3", "0.1", "Yes", "3", "", ""}});
    WriteTotals(sheets, TableKind::Sheet, 0.3, 3, 0.3);
    EXPECT_TRUE(DeleteTableRow(sheets, TableKind::Sheet, 2));
    EXPECT_EQ(Totals(sheets), (Row{"Total", "Area", "0.0", "0", "0.0", "", "", "", ""}));
    EXPECT_EQ(DataRows(sheets), (Rows{Row(9)}));
}

TEST(EntryTables, DeleteLeavesTotalsAloneWhenTheyCannotBeRecomputed) {
    CellTable t = NewSheetTable();
    FillRows(t, {{"A", "100", "50", "2", "", "Yes", "2", "", ""},
                 {"B", "100", "50", "1", "1", "Yes", "1", "", ""}});
    WriteTotals(t, TableKind::Sheet, 15000, 3, 1);
    const Row before = Totals(t);
    EXPECT_TRUE(DeleteTableRow(t, TableKind::Sheet, 2));  // its empty cost does not convert
    EXPECT_EQ(Totals(t), before);
    EXPECT_EQ(DataRows(t), (Rows{{"B", "100", "50", "1", "1", "Yes", "1", "", ""}}));
}

TEST(EntryTables, DelAllLeavesOneCompletelyEmptyRow) {
    CellTable t = NewSheetTable();
    FillRows(t, {{"A", "100", "50", "2", "1", "Yes", "2", "", ""},
                 {"B", "100", "50", "1", "1", "Yes", "1", "", ""}});
    WriteTotals(t, TableKind::Sheet, 15000, 3, 3);
    DeleteAllRows(t, TableKind::Sheet);
    EXPECT_EQ(Totals(t), (Row{"Total", "Area", "", "", "", "", "", "", ""}));
    EXPECT_EQ(DataRows(t), (Rows{Row(9)}));
}

TEST(EntryTables, LanguageChangeRewritesFixedRowsButKeepsYesCells) {
    CellTable t = NewSheetTable();
    WriteTotals(t, TableKind::Sheet, 1000, 1, 10);
    fixtures::ScopedCatalog catalog(
        {{"Yes", "是"}, {"No", "否"}, {"Total", "合计"}, {"Area", "面积"}, {"Label", "名称"}});
    ASSERT_TRUE(catalog.ok());
    WriteFixedRows(t, TableKind::Sheet);
    EXPECT_EQ(Totals(t), (Row{"合计", "面积", "1,000.0", "1", "10.0", "", "", "", ""}));
    EXPECT_EQ(t.Cell(1, SheetCol::Label), "名称");
    EXPECT_EQ(YesNoChoices(), (std::vector<std::string>{"是", "否"}));
    EXPECT_EQ(t.Cell(2, SheetCol::Priority), "Yes");
    AppendTableRow(t, TableKind::Sheet);
    EXPECT_EQ(t.Cell(3, SheetCol::Priority), "是");
}

// A Yes/No cell reads the same whatever language it was written in and whatever
// language is current; a language switch shows the current language's words.
TEST(EntryTables, YesAndNoMeanTheSameInEveryLanguage) {
    const std::vector<std::string> yes = {"Yes", " YES ", "是", "y", "1", "TRUE", "yes\t"};
    const std::vector<std::string> no = {"No", "否", "", "0", "maybe", "false", "Yes please"};
    const fixtures::ProgramCatalogs catalogs;  // whatever an earlier test bound
    CellTable t = NewPartTable();
    while (t.RowCount() < CellTable::kFirstDataRow + 3) AppendTableRow(t, TableKind::Part);
    for (const char* language : {"zh_cn", "en_us", "zh_cn"}) {
        SetLanguage(language);
        SCOPED_TRACE(language);
        for (const std::string& cell : yes) EXPECT_TRUE(MeansYes(cell)) << cell;
        for (const std::string& cell : no) EXPECT_FALSE(MeansYes(cell)) << cell;

        t.SetCell(CellTable::kFirstDataRow, PartCol::Rotatable, "否");
        t.SetCell(CellTable::kFirstDataRow + 1, PartCol::Rotatable, "yes");
        t.SetCell(CellTable::kFirstDataRow + 2, PartCol::Rotatable, "maybe");
        TranslateYesNoCells(t, TableKind::Part);
        EXPECT_EQ(t.Cell(CellTable::kFirstDataRow, PartCol::Rotatable), _("No"));
        EXPECT_EQ(t.Cell(CellTable::kFirstDataRow + 1, PartCol::Rotatable), _("Yes"));
        EXPECT_EQ(t.Cell(CellTable::kFirstDataRow + 2, PartCol::Rotatable), "maybe");
    }
    EXPECT_EQ(_("Yes"), "是") << "the program's own catalogs are in use";
}
