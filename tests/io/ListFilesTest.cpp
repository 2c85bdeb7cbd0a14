#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "io/ListFiles.h"
#include "support/DataFixtures.h"
#include "text/FieldSplit.h"

using namespace tarvex;

namespace {

using fixtures::DataRows;
using fixtures::ReadBytes;
using fixtures::Row;
using Rows = std::vector<Row>;

// Area, quantity and (sheets) cost totals.
Row Totals(const CellTable& t) {
    return {t.Cell(0, 2), t.Cell(0, 3),
            t.ColCount() == SheetCol::Count ? t.Cell(0, 4) : std::string("-")};
}

class ListFiles : public fixtures::ListFolder {};

}  // namespace

TEST(SplitFields, DelimiterPriorityGoesByRankNotPosition) {
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitFields("Shelf A\t1200\t600\t2\tYes"), (V{"Shelf A", "1200", "600", "2", "Yes"}));
    EXPECT_EQ(SplitFields("Shelf A,1200,600,2,Yes"), (V{"Shelf", "A", "1200", "600", "2", "Yes"}));
    EXPECT_EQ(SplitFields("a\t\tb"), (V{"a", "b"}));
    EXPECT_EQ(SplitFields("a;;b"), (V{"a", "", "b"}));
    EXPECT_EQ(SplitFields("a::b,c"), (V{"a::b", "c"}));
    EXPECT_EQ(SplitFields("\t1200\t600"), (V{"1200", "600"}));
    EXPECT_TRUE(SplitFields("0").empty());
    EXPECT_TRUE(SplitFields(" \t ").empty());
    EXPECT_EQ(SplitFields(" 0"), (V{"0"}));  // only an exact "0" is skipped
}

TEST_F(ListFiles, TextListsFillRowsDefaultsAndTotals) {
    LoadPartList(Write("p.txt", "Door\t1200\t600\t2\tYes\r\nShelf A\t500\t400\t1\tNo\r\n"), parts_);
    EXPECT_EQ(DataRows(parts_), (Rows{{"Door", "1200", "600", "2", "Yes", "", "", "", "", ""},
                                      {"Shelf A", "500", "400", "1", "No", "", "", "", "", ""}}));
    EXPECT_EQ(Totals(parts_), (Row{"1,640,000.0", "3", "-"}));

    const ListResult r = LoadSheetList(
        Write("s.txt",
              "Birch 2440 1220 2\n0\n \nOak\t2000\t1000\t1\t12.5\tNo\nPine;1000;500;4;;\n"),
        sheets_);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.message, "");
    EXPECT_EQ(r.rows, 3);
    EXPECT_EQ(DataRows(sheets_), (Rows{
                                     {"Birch", "2440", "1220", "2", "0", "Yes", "2", "", ""},
                                     {"Oak", "2000", "1000", "1", "12.5", "No", "1", "", ""},
                                     {"Pine", "1000", "500", "4", "0", "Yes", "4", "", ""},
                                 }));
    EXPECT_EQ(Totals(sheets_), (Row{"9,953,600.0", "7", "12.5"}));
}

TEST_F(ListFiles, BadNumberStopsReadingAndNamesFileLineAndValue) {
    // Split at the blank first, the length is "A". Skipped lines still count.
    const std::string path =
        Write("p.txt", "\r\n0\r\nShelf A,1200,600,2,Yes\r\nDoor 1 1 1 Yes\r\n");
    const ListResult r = LoadPartList(path, parts_);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.stopLine, 3);
    EXPECT_NE(r.message.find(path), std::string::npos);
    EXPECT_NE(r.message.find("line 3"), std::string::npos);
    EXPECT_NE(r.message.find("\"A\""), std::string::npos);
    EXPECT_EQ(DataRows(parts_), (Rows{{"Shelf", "A", "1200", "600", "2", "Yes", "", "", "", ""}}));
    EXPECT_EQ(Totals(parts_), (Row{"0.0", "0", "-"}));
}

TEST_F(ListFiles, ShortLineLeavesAnEmptyLastRowAndBadCostStillCounts) {
    LoadSheetList(Write("a.txt", "A\t100\t50\t2\nB\t100\t50\nC\t1\t1\t1\n"), sheets_);
    EXPECT_EQ(DataRows(sheets_), (Rows{{"A", "100", "50", "2", "0", "Yes", "2", "", ""}, Row(9)}));
    EXPECT_EQ(Totals(sheets_), (Row{"10,000.0", "2", "0.0"}));

    const ListResult r = LoadSheetList(Write("b.txt", "A 100 50 2 1\nB 10 10 3 cheap\n"), sheets_);
    EXPECT_EQ(r.stopLine, 2);
    EXPECT_NE(r.message.find("cheap"), std::string::npos);
    EXPECT_EQ(Totals(sheets_), (Row{"10,300.0", "5", "2.0"}));
    EXPECT_EQ(DataRows(sheets_).back(), (Row{"B", "10", "10", "3", "cheap", "Yes", "3", "", ""}));
}

TEST_F(ListFiles, EmptyOrMissingTextFiles) {
    sheets_.SetCell(2, 0, "kept");
    const std::string missing = dir_ + "/nowhere.txt";
    const ListResult r = LoadSheetList(missing, sheets_);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find(missing), std::string::npos);
    EXPECT_TRUE(LoadSheetList("", sheets_).ok);  // an empty path does nothing
    EXPECT_EQ(sheets_.Cell(2, 0), "kept");

    LoadSheetList(Write("empty.txt", ""), sheets_);
    EXPECT_EQ(DataRows(sheets_), (Rows{Row(9)}));
    EXPECT_EQ(Totals(sheets_), (Row{"0.0", "0", "0.0"}));
}

TEST_F(ListFiles, AnyLineEndAndEncodingIsRead) {
    for (const std::string end : {"\r\n", "\n", "\r"}) {
        const ListResult r =
            LoadPartList(Write("p.txt", "A 1 2 3 Yes" + end + "B 4 5 6 No"), parts_);
        EXPECT_EQ(r.rows, 2) << "line end of " << end.size() << " characters";
    }
    // "桦木" and "是" in GB18030, as lists written on Chinese systems are.
    LoadSheetList(Write("gb.txt", "\xE8\xEB\xC4\xBE\t2440\t1220\t1\t0\t\xCA\xC7\r\n"), sheets_);
    EXPECT_EQ(DataRows(sheets_), (Rows{{"桦木", "2440", "1220", "1", "0", "是", "1", "", ""}}));
    LoadSheetList(Write("bom.txt", "\xEF\xBB\xBF桦木 10 10 1\r\n"), sheets_);
    EXPECT_EQ(sheets_.Cell(2, 0), "桦木");
}

TEST_F(ListFiles, SaveThenOpenGivesTheSameRows) {
    CellTable t = NewSheetTable();
    fixtures::FillRows(t, {
                              {"桦木 18mm", "2440", "1220.5", "3", "85.5", "Yes", "1", "", ""},
                              {"", "9", "9", "9", "9", "No", "9", "", ""},  // no label: not saved
                              {"MDF", "2800", "2070", "1", "", "No", "0", "", ""},
                          });
    const std::string path = dir_ + "/sheets.txt";
    ListFileNames names;
    const ListResult saved = SaveSheetFile(path, t, names);
    ASSERT_TRUE(saved.ok) << saved.message;
    EXPECT_EQ(names.SheetFileName, path);
    EXPECT_EQ(ReadBytes(path),
              "桦木 18mm\t2440\t1220.5\t3\t85.5\tYes\r\nMDF\t2800\t2070\t1\t0\tNo\r\n");
    // An empty cost comes back as "0", Left Quant as the quantity.
    ASSERT_TRUE(LoadSheetList(path, sheets_).ok);
    EXPECT_EQ(DataRows(sheets_),
              (Rows{
                  {"桦木 18mm", "2440", "1220.5", "3", "85.5", "Yes", "3", "", ""},
                  {"MDF", "2800", "2070", "1", "0", "No", "1", "", ""},
              }));

    ASSERT_TRUE(SaveLeftSheets(dir_ + "/left.txt", t).ok);
    EXPECT_EQ(ReadBytes(dir_ + "/left.txt"), "桦木 18mm\t2440\t1220.5\t1\t85.5\tYes\r\n");
}

TEST_F(ListFiles, PartSaveKeepsEachRowOnOneLine) {
    // A part typed into the row left by Del All, Rotatable never chosen.
    CellTable t = NewPartTable();
    DeleteAllRows(t, TableKind::Part);
    fixtures::FillRows(t, {{"Leg\twith\ntab", "700", "50", "4"}});
    const std::string path = dir_ + "/parts.txt";
    ASSERT_TRUE(SavePartList(path, t).ok);
    EXPECT_EQ(ReadBytes(path), "Leg with tab\t700\t50\t4\t\r\n");
    EXPECT_EQ(LoadPartList(path, parts_).stopLine, 1);  // four fields read back
}

TEST_F(ListFiles, FailedSaveKeepsThePreviousFileAndRemembersThePath) {
    // No temporary file fits beside a name this long, even for the superuser.
    const std::string path = Write(std::string(250, 'x') + ".txt", "old\r\n");
    CellTable t = NewSheetTable();
    t.SetCell(2, 0, "new");
    ListFileNames names;
    const ListResult r = SaveSheetFile(path, t, names);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find(path), std::string::npos);
    EXPECT_EQ(names.SheetFileName, path);
    EXPECT_EQ(ReadBytes(path), "old\r\n");
}

TEST_F(ListFiles, ReaderIsChosenBySubstringsOfThePath) {
    EXPECT_EQ(ChooseListReader(TableKind::Part, "/x/a.prt.old/l.txt", false),
              ListReader::Sectioned);
    EXPECT_EQ(ChooseListReader(TableKind::Sheet, "/x/a.prt", false), ListReader::Text);
    EXPECT_EQ(ChooseListReader(TableKind::Part, "/x/LIST.PRT", false), ListReader::Text);
    EXPECT_EQ(ChooseListReader(TableKind::Part, "/x/LIST.PRT", true), ListReader::Sectioned);
    // Not a workbook: the workbook reader refuses it, where the text reader would read a row.
    EXPECT_FALSE(LoadSheetList(Write("list.xlsx", "A 1 1 1\n"), sheets_).ok);
}

TEST_F(ListFiles, OpenButtonReadsTheRealPathWhateverItsCase) {
    ASSERT_EQ(mkdir((dir_ + "/Lists").c_str(), 0700), 0);
    const std::string path =
        Write("Lists/Cabinet.PRT", "[PART1]\nLABEL=Side\nLENGTH=720\nWIDTH=560\nQTY=2\nROTATE=Y\n");
    ListFileNames names;
    EXPECT_TRUE(OpenPartFile(path, parts_, names, {}).ok);
    EXPECT_EQ(names.PartFileName, path);
    EXPECT_EQ(DataRows(parts_), (Rows{{"Side", "720", "560", "2", "Yes", "", "", "", "", ""}}));
}

TEST_F(ListFiles, SectionedSheetsIgnoreLetterCaseAndBlanks) {
    const ListResult r = LoadSheetList(
        Write("stock.sht",
              "; stock of the workshop\r\n"
              "[Sheet1]\r\n label = Birch board \r\n Length = 2440.50 \r\nwidth=1220\r\n"
              "qty=2\r\ncost=85\r\n"
              "[SHEET2]\r\nLABEL=Scrap\r\nLENGTH=abc\r\nWIDTH=100\r\nQTY=1.5\r\n"
              "[SHEET4]\r\nLABEL=after the gap\r\n"),
        sheets_);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(DataRows(sheets_),
              (Rows{
                  {"Birch board", "2440.5", "1220", "2", "85", "Yes", "2", "", ""},
                  {"Scrap", "0", "100", "0", "0", "Yes", "0", "", ""},
              }));
    EXPECT_EQ(Totals(sheets_), (Row{"5,954,820.0", "2", "170.0"}));
}

TEST_F(ListFiles, SectionedPartsRotateOnlyForExactROrY) {
    std::string text;
    const std::vector<std::string> rotates = {"ROTATE= R ", "ROTATE=y", "", "rotate=Y"};
    for (size_t i = 0; i < rotates.size(); ++i)
        text += "[part" + std::to_string(i + 1) + "]\nLABEL=p\nLENGTH=10\nWIDTH=5\nQTY=1\n" +
                rotates[i] + "\n";
    LoadPartList(Write("job.prt", text), parts_);
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
    EXPECT_EQ(DataRows(sheets_), (Rows{Row(9)}));
    EXPECT_EQ(Totals(sheets_), (Row{"0.0", "0", "0.0"}));
}
