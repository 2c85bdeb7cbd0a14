#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "DataFixtures.h"
#include "app/FieldSplit.h"
#include "app/ListFiles.h"

namespace {

using fixtures::ReadBytes;
using fixtures::WriteBytes;
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
    return {t.Cell(0, 2), t.Cell(0, 3), t.ColCount() > 5 ? t.Cell(0, 4) : std::string("-")};
}

class ListFiles : public ::testing::Test {
  protected:
    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = dir_ + "/" + name;
        WriteBytes(path, bytes);
        return path;
    }
    std::string dir_ = fixtures::TempDir();
    CellTable sheets_ = NewSheetTable();
    CellTable parts_ = NewPartTable();
};

}  // namespace

TEST(SplitFields, DelimiterPriorityGoesByRankNotPosition) {
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitFields("Shelf A\t1200\t600\t2\tYes"), (V{"Shelf A", "1200", "600", "2", "Yes"}));
    EXPECT_EQ(SplitFields("Shelf A,1200,600,2,Yes"), (V{"Shelf", "A", "1200", "600", "2", "Yes"}));
    EXPECT_EQ(SplitFields("a\t\tb"), (V{"a", "b"}));
    EXPECT_EQ(SplitFields("a;;b"), (V{"a", "", "b"}));
    EXPECT_EQ(SplitFields("a::b,c"), (V{"a::b", "c"}));
    EXPECT_EQ(SplitFields("  a   b  "), (V{"a", "b"}));
    EXPECT_EQ(SplitFields("\t1200\t600"), (V{"1200", "600"}));
    EXPECT_EQ(SplitFields("a;"), (V{"a"}));
    EXPECT_TRUE(SplitFields("0").empty());
    EXPECT_TRUE(SplitFields("").empty());
    EXPECT_TRUE(SplitFields(" \t ").empty());
    EXPECT_EQ(SplitFields(" 0"), (V{"0"}));  // only an exact "0" is skipped
}

TEST_F(ListFiles, PartTextListFillsRowsAndTotals) {
    const std::string path =
        Write("parts.txt", "Door\t1200\t600\t2\tYes\r\nShelf A\t500\t400\t1\tNo\r\n");
    const ListResult r = LoadPartList(path, parts_);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.message, "");
    EXPECT_EQ(r.rows, 2);
    EXPECT_EQ(DataRows(parts_), (std::vector<Row>{{"Door", "1200", "600", "2", "Yes"},
                                                  {"Shelf A", "500", "400", "1", "No"}}));
    EXPECT_EQ(Totals(parts_), (Row{"1,640,000.0", "3", "-"}));
}

TEST_F(ListFiles, SheetTextLineDefaultsCostAndPriority) {
    const std::string path = Write("sheets.txt",
                                   "Birch 2440 1220 2\n"
                                   "Oak\t2000\t1000\t1\t12.5\tNo\n"
                                   "Pine;1000;500;4;;\n");
    const ListResult r = LoadSheetList(path, sheets_);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.message, "");
    EXPECT_EQ(DataRows(sheets_), (std::vector<Row>{
                                     {"Birch", "2440", "1220", "2", "0", "Yes", "2"},
                                     {"Oak", "2000", "1000", "1", "12.5", "No", "1"},
                                     {"Pine", "1000", "500", "4", "0", "Yes", "4"},
                                 }));
    EXPECT_EQ(Totals(sheets_), (Row{"9,953,600.0", "7", "12.5"}));
}

TEST_F(ListFiles, BlankAndZeroLinesTakeNoRowButCountAsLines) {
    const std::string path =
        Write("parts.txt", "A 10 20 1 Yes\r\n0\r\n   \r\n\r\nB 10 x 1 Yes\r\n");
    const ListResult r = LoadPartList(path, parts_);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.rows, 1);
    EXPECT_EQ(r.stopLine, 5);
    EXPECT_EQ(DataRows(parts_),
              (std::vector<Row>{{"A", "10", "20", "1", "Yes"}, {"B", "10", "x", "1", "Yes"}}));
}

TEST_F(ListFiles, BadNumberStopsReadingAndNamesFileLineAndValue) {
    // Split at the blank first: the length is "A".
    const std::string path = Write("parts.txt", "Shelf A,1200,600,2,Yes\r\nDoor\t1\t1\t1\tYes\r\n");
    const ListResult r = LoadPartList(path, parts_);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.stopLine, 1);
    EXPECT_NE(r.message.find(path), std::string::npos);
    EXPECT_NE(r.message.find("line 1"), std::string::npos);
    EXPECT_NE(r.message.find("\"A\""), std::string::npos);
    EXPECT_EQ(DataRows(parts_), (std::vector<Row>{{"Shelf", "A", "1200", "600", "2"}}));
    EXPECT_EQ(Totals(parts_), (Row{"0.0", "0", "-"}));
}

TEST_F(ListFiles, MissingFieldsLeaveAnEmptyLastRow) {
    const std::string path = Write("sheets.txt", "A\t100\t50\t2\nB\t100\t50\nC\t1\t1\t1\n");
    const ListResult r = LoadSheetList(path, sheets_);
    EXPECT_EQ(r.stopLine, 2);
    EXPECT_NE(r.message.find("line 2"), std::string::npos);
    EXPECT_EQ(DataRows(sheets_),
              (std::vector<Row>{{"A", "100", "50", "2", "0", "Yes", "2"}, Row(7)}));
    EXPECT_EQ(Totals(sheets_), (Row{"10,000.0", "2", "0.0"}));
}

TEST_F(ListFiles, BadCostStillCountsAreaAndQuantity) {
    const std::string path = Write("sheets.txt", "A 100 50 2 1\nB 10 10 3 cheap\n");
    const ListResult r = LoadSheetList(path, sheets_);
    EXPECT_EQ(r.stopLine, 2);
    EXPECT_NE(r.message.find("cheap"), std::string::npos);
    EXPECT_EQ(Totals(sheets_), (Row{"10,300.0", "5", "2.0"}));
    EXPECT_EQ(DataRows(sheets_).back(), (Row{"B", "10", "10", "3", "cheap", "Yes", "3"}));
}

TEST_F(ListFiles, EmptyFileGivesOneEmptyRowAndZeroTotals) {
    sheets_.SetCell(2, 0, "old");
    const ListResult r = LoadSheetList(Write("empty.txt", ""), sheets_);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(DataRows(sheets_), (std::vector<Row>{Row(7)}));
    EXPECT_EQ(Totals(sheets_), (Row{"0.0", "0", "0.0"}));
}

TEST_F(ListFiles, AnyLineEndAndEncodingIsRead) {
    for (const std::string end : {"\r\n", "\n", "\r"}) {
        const ListResult r =
            LoadPartList(Write("p.txt", "A 1 2 3 Yes" + end + "B 4 5 6 No"), parts_);
        EXPECT_EQ(r.rows, 2) << "line end of " << end.size() << " characters";
        EXPECT_EQ(r.message, "");
    }
    // "桦木" and "是" in GB18030, as lists written on Chinese systems are.
    LoadSheetList(Write("gb.txt", "\xE8\xEB\xC4\xBE\t2440\t1220\t1\t0\t\xCA\xC7\r\n"), sheets_);
    EXPECT_EQ(DataRows(sheets_), (std::vector<Row>{{"桦木", "2440", "1220", "1", "0", "是", "1"}}));
    LoadSheetList(Write("bom.txt", "\xEF\xBB\xBF桦木 10 10 1\r\n"), sheets_);
    EXPECT_EQ(sheets_.Cell(2, 0), "桦木");
}

TEST_F(ListFiles, MissingTextFileLeavesTheTableAlone) {
    sheets_.SetCell(2, 0, "kept");
    const std::string path = dir_ + "/nowhere.txt";
    const ListResult r = LoadSheetList(path, sheets_);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find(path), std::string::npos);
    EXPECT_EQ(sheets_.Cell(2, 0), "kept");
    EXPECT_EQ(LoadSheetList("", sheets_).ok, true);  // an empty path does nothing
    EXPECT_EQ(sheets_.Cell(2, 0), "kept");
}

TEST_F(ListFiles, SaveThenOpenGivesTheSameRows) {
    CellTable t = NewSheetTable();
    const std::vector<Row> rows = {
        {"桦木 18mm", "2440", "1220.5", "3", "85.5", "Yes", "1"},
        {"", "9", "9", "9", "9", "No", "9"},  // no label: not saved
        {"MDF", "2800", "2070", "1", "", "No", "0"},
    };
    for (const Row& row : rows) {
        const int r = t.RowCount() - 1;
        for (int c = 0; c < 7; ++c) t.SetCell(r, c, row[c]);
        t.AppendRow();
    }
    const std::string path = dir_ + "/sheets.txt";
    ListFileNames names;
    const ListResult saved = SaveSheetFile(path, t, names);
    ASSERT_TRUE(saved.ok) << saved.message;
    EXPECT_EQ(saved.rows, 2);
    EXPECT_EQ(names.SheetFileName, path);
    EXPECT_EQ(ReadBytes(path),
              "桦木 18mm\t2440\t1220.5\t3\t85.5\tYes\r\nMDF\t2800\t2070\t1\t0\tNo\r\n");

    ASSERT_TRUE(LoadSheetList(path, sheets_).ok);
    EXPECT_EQ(DataRows(sheets_), (std::vector<Row>{
                                     {"桦木 18mm", "2440", "1220.5", "3", "85.5", "Yes", "3"},
                                     {"MDF", "2800", "2070", "1", "0", "No", "1"},
                                 }));
}

TEST_F(ListFiles, PartSaveWritesEmptyCellsAndTheyCollapseOnReading) {
    // A part typed into the row left by Del All, Rotatable never chosen.
    CellTable t = NewPartTable();
    DeleteAllRows(t, TableKind::Part);
    for (int c = 0; c < 4; ++c)
        t.SetCell(2, c, std::vector<std::string>{"Leg", "700", "50", "4"}[c]);
    t.SetCell(2, PartCol::Label, "Leg\twith tab");  // a TAB in a cell cannot split the line
    const std::string path = dir_ + "/parts.txt";
    ASSERT_TRUE(SavePartList(path, t).ok);
    EXPECT_EQ(ReadBytes(path), "Leg with tab\t700\t50\t4\t\r\n");
    const ListResult r = LoadPartList(path, parts_);
    EXPECT_EQ(r.stopLine, 1);
}

TEST_F(ListFiles, SaveLeftWritesRemainingStockOnly) {
    CellTable t = NewSheetTable();
    const std::vector<Row> rows = {
        {"A", "100", "50", "5", "2", "Yes", "3"},
        {"B", "100", "50", "5", "", "No", "0"},
        {"C", "100", "50", "5", "1", "No", ""},
        {"D", "10", "10", "1", "", "No", "1"},
    };
    for (const Row& row : rows) {
        const int r = t.RowCount() - 1;
        for (int c = 0; c < 7; ++c) t.SetCell(r, c, row[c]);
        t.AppendRow();
    }
    const std::string path = dir_ + "/left.txt";
    ASSERT_TRUE(SaveLeftSheets(path, t).ok);
    EXPECT_EQ(ReadBytes(path), "A\t100\t50\t3\t2\tYes\r\nD\t10\t10\t1\t0\tNo\r\n");
}

TEST_F(ListFiles, FailedSaveKeepsThePreviousFileAndRemembersThePath) {
    // The temporary file beside a name this long cannot be created, even by the
    // superuser, while the file itself can.
    const std::string path = Write(std::string(250, 'x') + ".txt", "old\t1\t1\t1\r\n");
    ASSERT_EQ(ReadBytes(path), "old\t1\t1\t1\r\n");
    CellTable t = NewSheetTable();
    t.SetCell(2, 0, "new");
    ListFileNames names;
    const ListResult r = SaveSheetFile(path, t, names);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find(path), std::string::npos);
    EXPECT_EQ(names.SheetFileName, path);
    EXPECT_EQ(ReadBytes(path), "old\t1\t1\t1\r\n");
}

TEST_F(ListFiles, ReaderIsChosenBySubstringsOfThePath) {
    EXPECT_EQ(ChooseListReader(TableKind::Part, "/x/a.prt.old/list.txt", false),
              ListReader::Sectioned);
    EXPECT_EQ(ChooseListReader(TableKind::Sheet, "/x/a.prt", false), ListReader::Text);
    EXPECT_EQ(ChooseListReader(TableKind::Sheet, "/x/list.xlsx", false), ListReader::Spreadsheet);
    EXPECT_EQ(ChooseListReader(TableKind::Part, "/x/LIST.PRT", false), ListReader::Text);
    EXPECT_EQ(ChooseListReader(TableKind::Part, "/x/LIST.PRT", true), ListReader::Sectioned);
}

TEST_F(ListFiles, OpenButtonReadsTheRealPathWhateverItsCase) {
    ASSERT_EQ(mkdir((dir_ + "/Lists").c_str(), 0700), 0);
    const std::string path = Write("Lists/Cabinet.PRT",
                                   "[PART1]\nLABEL=Side\nLENGTH=720\n"
                                   "WIDTH=560\nQTY=2\nROTATE=Y\n");
    ListFileNames names;
    const ListResult r = OpenPartFile(path, parts_, names);
    EXPECT_TRUE(r.ok) << r.message;
    EXPECT_EQ(names.PartFileName, path);
    EXPECT_EQ(DataRows(parts_), (std::vector<Row>{{"Side", "720", "560", "2", "Yes"}}));
}

TEST_F(ListFiles, WorkbookPathsGoToTheWorkbookReader) {
    // Not a workbook: the workbook reader refuses it, where the text reader would
    // have read a row.
    const std::string path = Write("list.xlsx", "A 1 1 1\n");
    EXPECT_FALSE(LoadSheetList(path, sheets_).ok);
}

TEST_F(ListFiles, SectionedSheetsIgnoreLetterCaseAndBlanks) {
    const std::string path =
        Write("stock.sht",
              "; stock of the workshop\r\n"
              "[Sheet1]\r\n label = Birch board \r\n Length = 2440.50 \r\n"
              "width=1220\r\nqty=2\r\ncost=85\r\n"
              "[SHEET2]\r\nLABEL=Scrap\r\nLENGTH=abc\r\nWIDTH=100\r\nQTY=1.5\r\n"
              "[SHEET4]\r\nLABEL=after the gap\r\n");
    const ListResult r = LoadSheetList(path, sheets_);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.rows, 2);
    EXPECT_EQ(DataRows(sheets_), (std::vector<Row>{
                                     {"Birch board", "2440.5", "1220", "2", "85", "Yes", "2"},
                                     {"Scrap", "0", "100", "0", "0", "Yes", "0"},
                                 }));
    EXPECT_EQ(Totals(sheets_), (Row{"5,954,820.0", "2", "170.0"}));
}

TEST_F(ListFiles, SectionedPartsRotateOnlyForExactROrY) {
    const std::string path = Write("job.prt",
                                   "[PART1]\nLABEL=a\nLENGTH=10\nWIDTH=5\nQTY=1\nROTATE= R \n"
                                   "[PART2]\nLABEL=b\nLENGTH=10\nWIDTH=5\nQTY=1\nROTATE=y\n"
                                   "[PART3]\nLABEL=c\nLENGTH=10\nWIDTH=5\nQTY=1\n"
                                   "[PART4]\nLABEL=d\nLENGTH=10\nWIDTH=5\nQTY=1\nROTATE=Y\n");
    LoadPartList(path, parts_);
    std::vector<std::string> rotatable;
    for (const Row& row : DataRows(parts_)) rotatable.push_back(row[PartCol::Rotatable]);
    EXPECT_EQ(rotatable, (std::vector<std::string>{"Yes", "No", "No", "Yes"}));
    EXPECT_EQ(Totals(parts_), (Row{"200.0", "4", "-"}));
}

TEST_F(ListFiles, MissingSectionedFileEmptiesTheTableAndSaysWhy) {
    sheets_.SetCell(2, 0, "old");
    const std::string path = dir_ + "/gone.sht";
    const ListResult r = LoadSheetList(path, sheets_);
    EXPECT_TRUE(r.ok);
    EXPECT_NE(r.message.find(path), std::string::npos);
    EXPECT_EQ(DataRows(sheets_), (std::vector<Row>{Row(7)}));
    EXPECT_EQ(Totals(sheets_), (Row{"0.0", "0", "0.0"}));
}
