// Rows pasted from a spreadsheet: generated pastes against what the table must
// hold afterwards, and pastes with one bad cell that must leave the table alone.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "io/EntryTables.h"
#include "io/PastedRows.h"
#include "support/DataFixtures.h"
#include "text/NumberText.h"
#include "text/Translate.h"

using namespace tarvex;

namespace {

using fixtures::DataRows;
using fixtures::Row;

struct Generated {
    std::string text;           // the clipboard
    std::vector<Row> cells;     // the cells of each pasted row as written, untrimmed
    std::vector<Row> expected;  // each row as the table must hold it
};

class Paster {
  public:
    Paster(TableKind kind, unsigned seed) : kind_(kind), random_(seed) {}

    int Pick(int from, int to) { return std::uniform_int_distribution<int>(from, to)(random_); }

    std::string Number(bool whole) {
        std::string text = std::to_string(Pick(whole ? 0 : 1, 2500));
        if (!whole && Pick(0, 1)) text += "." + std::to_string(Pick(1, 9));
        return text;
    }

    // Blanks a spreadsheet may leave around a cell.
    std::string Padded(const std::string& cell) {
        static const char* pads[] = {"", " ", "  "};
        return pads[Pick(0, 2)] + cell + pads[Pick(0, 2)];
    }

    Generated Make(bool heading) {
        static const char* labels[] = {"Base side", "Door", "门板 左", "Shelf 18mm", "A,B"};
        static const char* yes[] = {"Yes", "yes", "是", "Y", "1", "TRUE"};
        static const char* no[] = {"No", "否", "n", "0", "false"};
        const bool sheets = kind_ == TableKind::Sheet;
        const int columns = sheets ? 6 : 5;
        Generated g;
        if (heading) g.text += "Label\tLength\tWidth\tQuant\r\n";
        const int rows = Pick(1, 6);
        for (int r = 0; r < rows; ++r) {
            Row row = {labels[Pick(0, 4)], Number(false), Number(false), Number(true)};
            if (sheets) row.push_back(Number(false));
            const bool isYes = Pick(0, 1);
            row.push_back(isYes ? yes[Pick(0, 5)] : no[Pick(0, 4)]);
            row.resize(Pick(4, columns));  // trailing cells left out
            Row expected = row;
            expected.resize(sheets ? SheetCol::Count : PartCol::Count);
            if (sheets && expected[SheetCol::Cost].empty()) expected[SheetCol::Cost] = "0";
            if (sheets) expected[SheetCol::LeftQuant] = expected[SheetCol::Quant];
            const int yesNo = sheets ? SheetCol::Priority : PartCol::Rotatable;
            expected[yesNo] = static_cast<int>(row.size()) > yesNo && !isYes ? "No" : "Yes";
            std::string line;
            for (size_t c = 0; c < row.size(); ++c) line += (c ? "\t" : "") + Padded(row[c]);
            g.text += line + (Pick(0, 1) ? "\r\n" : "\n");
            if (Pick(0, 4) == 0) g.text += "\t\t\n";  // a blank spreadsheet row
            g.cells.push_back(row);
            g.expected.push_back(expected);
        }
        return g;
    }

    // A table holding rows with labels, an empty row between them and empty rows at the end.
    CellTable Existing() {
        CellTable t = kind_ == TableKind::Sheet ? NewSheetTable() : NewPartTable();
        t.SetRowCount(CellTable::kFirstDataRow);
        const int labelled = Pick(0, 3);
        for (int i = 0; i < labelled; ++i) {
            const int r = t.AppendRow();
            t.SetCell(r, 0, "Kept " + std::to_string(i));
            for (int c = 1; c <= 3; ++c) t.SetCell(r, c, std::to_string(Pick(1, 9)));
            if (kind_ == TableKind::Sheet) t.SetCell(r, SheetCol::Cost, "1");
            if (i == 0 && labelled > 1) t.AppendRow();  // an empty row between two
        }
        for (int i = Pick(0, 2); i > 0; --i) t.AppendRow();
        if (t.RowCount() == CellTable::kFirstDataRow) t.AppendRow();
        return t;
    }

  private:
    TableKind kind_;
    std::mt19937 random_;
};

// The rows up to the last one with a label.
std::vector<Row> LabelledPart(const CellTable& t) {
    std::vector<Row> rows = DataRows(t);
    while (!rows.empty() && rows.back()[0].empty()) rows.pop_back();
    return rows;
}

double AreaOf(const std::vector<Row>& rows) {
    double area = 0;
    for (const Row& row : rows)
        if (!row[0].empty())
            area += *ParseNumber(row[1]) * *ParseNumber(row[2]) * *ParseInteger(row[3]);
    return area;
}

class PastedRows : public ::testing::TestWithParam<TableKind> {
  protected:
    fixtures::ProgramCatalogs catalogs_;  // cells may say yes in any language
};

}  // namespace

TEST_P(PastedRows, LandAfterTheLastLabelledRowWithTheirCellsAndDefaults) {
    const TableKind kind = GetParam();
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(seed);
        Paster paster(kind, seed);
        CellTable table = paster.Existing();
        const std::vector<Row> kept = LabelledPart(table);
        const Generated paste = paster.Make(seed % 3 == 0);
        const PasteOutcome outcome = PasteRows(table, kind, paste.text);
        ASSERT_EQ(outcome.refusal, "") << paste.text;
        EXPECT_EQ(outcome.rows, static_cast<int>(paste.expected.size()));

        std::vector<Row> want = kept;
        want.insert(want.end(), paste.expected.begin(), paste.expected.end());
        want.push_back(Row(table.ColCount()));
        ASSERT_EQ(DataRows(table), want) << paste.text;
        const double total = *ParseNumber([&] {
            std::string text = table.Cell(0, 2);
            std::erase(text, ',');
            return text;
        }());
        EXPECT_NEAR(total, AreaOf(want), 0.051);
    }
}

TEST_P(PastedRows, OneCellThatDoesNotConvertLeavesTheTableAsItWas) {
    const TableKind kind = GetParam();
    const char* table = kind == TableKind::Sheet ? "Sheets" : "Parts";
    const std::vector<std::string> captions = {_("Length"), _("Width"), _("Quant")};
    for (unsigned seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE(seed);
        Paster paster(kind, seed);
        CellTable before = paster.Existing();
        Generated paste = paster.Make(false);
        // Rebuild the clipboard with one size or quantity mistyped.
        const int bad = paster.Pick(0, static_cast<int>(paste.cells.size()) - 1);
        const int col = paster.Pick(1, 3);
        const std::string typo = col == 3 && seed % 2 ? "2.5" : seed % 5 ? "7a2x0" : "562,5";
        paste.cells[bad][col] = typo;
        // A heading above does not take the blame.
        std::string text = seed % 3 ? "" : "Label\tLength\tWidth\tQuant\r\n";
        for (const Row& row : paste.cells) {
            for (size_t c = 0; c < row.size(); ++c) text += (c ? "\t" : "") + row[c];
            text += "\n";
        }
        CellTable after = before;
        const PasteOutcome outcome = PasteRows(after, kind, text);
        EXPECT_EQ(outcome.rows, 0);
        EXPECT_TRUE(after == before);
        const int landsOn = static_cast<int>(LabelledPart(before).size()) + bad + 1;
        const std::string where = std::string(table) + ", row " + std::to_string(landsOn) +
                                  ", column \"" + captions[col - 1] + "\": \"" + typo + "\"";
        EXPECT_EQ(outcome.refusal.rfind("Nothing was pasted: " + where, 0), 0u)
            << outcome.refusal << "\n"
            << where;
    }
}

INSTANTIATE_TEST_SUITE_P(BothTables, PastedRows,
                         ::testing::Values(TableKind::Sheet, TableKind::Part));

TEST(PastedRowsFromASpreadsheet, KeepTheirRotationAndDecimalsAndSkipTheHeading) {
    const fixtures::ProgramCatalogs catalogs;
    CellTable parts = NewPartTable();
    const PasteOutcome outcome = PasteRows(parts, TableKind::Part,
                                           "Label\tLength\tWidth\tQuant\tRotatable\r\n"
                                           "Base side\t720\t564.5\t4\tNo\r\n"
                                           "Top\t800\t564.5\t1\r\n");
    EXPECT_EQ(outcome.rows, 2);
    EXPECT_EQ(DataRows(parts),
              (std::vector<Row>{{"Base side", "720", "564.5", "4", "No", "", "", "", "", ""},
                                {"Top", "800", "564.5", "1", "Yes", "", "", "", "", ""},
                                Row(10)}));
    EXPECT_EQ(parts.Cell(0, 2), "2,077,360.0");
    EXPECT_EQ(parts.Cell(0, 3), "5");

    // Too many cells for the table, and a heading alone, are refused.
    EXPECT_NE(
        PasteRows(parts, TableKind::Part, "A\t1\t1\t1\tYes\tOak\tABS\t\t\tABS\tExtra\n").refusal,
        "");
    EXPECT_NE(PasteRows(parts, TableKind::Part, "Label\tLength\tWidth\tQuant\n").refusal, "");
    EXPECT_EQ(DataRows(parts).size(), 3u);
}
