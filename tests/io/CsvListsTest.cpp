// CSV lists: generated fields written as a spreadsheet quotes them read back as
// they were, and the lists they hold fill the tables with the workbook's columns.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "io/CsvText.h"
#include "io/ListFiles.h"
#include "support/DataFixtures.h"
#include "text/FieldSplit.h"
#include "text/FileMessages.h"

using namespace tarvex;

namespace {

using fixtures::DataRows;
using fixtures::Row;
using Rows = std::vector<Row>;

// A field as a spreadsheet writes it: quoted when it holds the separator, a quote
// or a line break, and sometimes when it need not be.
std::string Written(const std::string& field, char separator, bool quoteAnyway) {
    const bool needs = field.find_first_of(std::string("\"\r\n") + separator) != std::string::npos;
    if (!needs && !quoteAnyway) return field;
    std::string out = "\"";
    for (char c : field) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

int LinesIn(const std::string& text) {
    int lines = 0;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++lines;
    return lines;
}

class CsvFiles : public fixtures::ListFolder {};

}  // namespace

TEST(CsvText, GeneratedRecordsReadBackAsWritten) {
    const std::vector<std::string> pieces = {"Base side", "720", "564.5", ",",   ";", "\"",
                                             "\r\n",      "\n",  "门板",  "a b", "",  "x\"y"};
    for (unsigned seed = 1; seed <= 400; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        const auto pick = [&](int n) {
            return std::uniform_int_distribution<int>(0, n - 1)(random);
        };
        const char separator = pick(2) ? ',' : ';';
        std::vector<std::vector<std::string>> records(1 + pick(5));
        std::string text;
        std::vector<int> startLines;
        for (auto& record : records) {
            const int fields = 2 + pick(5);
            startLines.push_back(LinesIn(text) + 1);
            for (int f = 0; f < fields; ++f) {
                std::string field;
                for (int k = pick(3); k > 0; --k) field += pieces[pick(pieces.size())];
                // Blanks around a field are not kept; a quoted field keeps them inside.
                field = TrimControls(field);
                record.push_back(field);
                text +=
                    (f ? std::string(1, separator) : "") + Written(field, separator, pick(4) == 0);
            }
            text += pick(2) ? "\r\n" : "\n";
        }
        std::vector<CsvRecord> read;
        int unclosed = -1;
        ASSERT_TRUE(ParseCsv(text, separator, read, unclosed)) << text;
        ASSERT_EQ(read.size(), records.size()) << text;
        for (size_t r = 0; r < records.size(); ++r) {
            EXPECT_EQ(read[r].fields, records[r]) << text;
            EXPECT_EQ(read[r].line, startLines[r]) << text;
        }
        // Cut inside a quoted field, the text tells where the quote opened.
        const size_t quote = text.find("\"");
        if (quote != std::string::npos && text.find('"', quote + 1) != std::string::npos) {
            const std::string cut = text.substr(0, quote + 1);
            EXPECT_FALSE(ParseCsv(cut, separator, read, unclosed));
            EXPECT_EQ(unclosed, LinesIn(cut.substr(0, quote)) + 1);
        }
    }
}

TEST(CsvText, TheSeparatorIsTheOneTheFirstLineUses) {
    EXPECT_EQ(DetectCsvSeparator("Label,Length,Width\n"), ',');
    EXPECT_EQ(DetectCsvSeparator("\n\nDoor;720;564,5;2\n"), ';');
    EXPECT_EQ(DetectCsvSeparator("\"a;b;c\",1,2\n"), ',');
    EXPECT_EQ(DetectCsvSeparator("single\n"), ',');
}

TEST_F(CsvFiles, PartListsWithSpacesQuotesAndAHeading) {
    const std::string path = Write("parts.csv",
                                   "\xEF\xBB\xBFLabel,Length,Width,Quant,Rotatable\r\n"
                                   "Base side,720,560,4,No\r\n"
                                   "\"Shelf, adjustable\",764,300.5,3,\r\n"
                                   "\r\n"
                                   "\"Door \"\"A\"\"\",700,400,no,2\r\n");
    const ListResult r = LoadPartList(path, parts_);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.message, "");
    EXPECT_EQ(r.rows, 3);
    EXPECT_EQ(DataRows(parts_),
              (Rows{{"Base side", "720", "560", "4", "No", "", "", "", "", ""},
                    {"Shelf, adjustable", "764", "300.5", "3", "Yes", "", "", "", "", ""},
                    {"Door \"A\"", "700", "400", "2", "No", "", "", "", "", ""}}));
    EXPECT_EQ(parts_.Cell(0, 2), "2,861,546.0");
    EXPECT_EQ(parts_.Cell(0, 3), "9");
}

TEST_F(CsvFiles, SheetListsWithSemicolonsDecimalCommasAndChineseBytes) {
    // GB18030 bytes of "桦木", as a spreadsheet on a Chinese system saves them.
    const std::string path = Write("SHEETS.CSV",
                                   "\xe8\xeb\xc4\xbe;2440;1220;3;125,5\r\n"
                                   "Oak;2000;1000;1;;No\r\n");
    const ListResult r = LoadSheetList(path, sheets_, true);
    EXPECT_EQ(r.message, "");
    EXPECT_EQ(DataRows(sheets_), (Rows{{"桦木", "2440", "1220", "3", "125.5", "No", "3", "", ""},
                                       {"Oak", "2000", "1000", "1", "0", "No", "1", "", ""}}));
    EXPECT_EQ(sheets_.Cell(0, 4), "376.5");
}

// Cells a row leaves out take a new row's values: a sheet is not preferred, a part
// may be turned; a sixth sheet column is the Priority.
TEST_F(CsvFiles, CellsLeftOutTakeTheValuesOfANewRow) {
    const ListResult sheets = LoadSheetList(Write("sheets.csv",
                                                  "Label,Length,Width,Quant,Cost\n"
                                                  "Birch,2440,1220,3,40\n"
                                                  "Oak,2800,2070,2\n"
                                                  "Offcut,1200,600,1,0,Yes\n"
                                                  "Pine,2440,1220,1,,no\n"),
                                            sheets_);
    EXPECT_EQ(sheets.message, "");
    EXPECT_EQ(DataRows(sheets_), (Rows{{"Birch", "2440", "1220", "3", "40", "No", "3", "", ""},
                                       {"Oak", "2800", "2070", "2", "0", "No", "2", "", ""},
                                       {"Offcut", "1200", "600", "1", "0", "Yes", "1", "", ""},
                                       {"Pine", "2440", "1220", "1", "0", "No", "1", "", ""}}));
    const ListResult parts = LoadPartList(Write("parts.csv", "Door,720,400,2\n"), parts_);
    EXPECT_EQ(parts.message, "");
    EXPECT_EQ(DataRows(parts_), (Rows{{"Door", "720", "400", "2", "Yes", "", "", "", "", ""}}));
}

// A quote left open must not swallow the rows after it: the reading stops at the
// line where it opened. Fields with real line breaks still read.
TEST_F(CsvFiles, AQuoteLeftOpenStopsTheReadingWhereItOpened) {
    const struct {
        const char* text;
        int rows, stopLine;
    } cases[] = {
        // Closed by the quote that opens a later field, in the middle of that field.
        {"Door,720,400,2,Yes\n\"Side, unclosed,720,560,2,No\n\"Shelf\",560,500,3,Yes\n", 1, 2},
        // Closed by an inch mark, just before a separator: the swallowed line is a row.
        {"\"Side,720,560,2,No\nShelf 5\",560,500,3,Yes\n", 0, 1},
        {"Door,720,400,2,Yes\nTop,800,560,1,No\n\"Side,720,560,2,No\nBack,700,500,1,Yes\n", 2, 3},
        // Text after the closing quote of a field that ran over a line end.
        {"\"Two\nlines\"x,500,300,1,No\n", 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string path = Write("open.csv", c.text);
        const ListResult r = LoadPartList(path, parts_);
        EXPECT_EQ(r.rows, c.rows);
        EXPECT_EQ(r.stopLine, c.stopLine);
        EXPECT_EQ(r.message, StoppedAtLine(path, c.stopLine,
                                           "a quoted field is not closed by a second quote"));
    }
    const ListResult lines =
        LoadPartList(Write("lines.csv",
                           "\"Side\nleft\" ,720,560,2,No\n"
                           "\"Shelf, adjustable\nfront, lower\",560,500,3,Yes\n"
                           "Back,700,\"500\",1,Yes\n"),
                     parts_);
    EXPECT_EQ(lines.message, "");
    EXPECT_EQ(
        DataRows(parts_),
        (Rows{{"Side\nleft", "720", "560", "2", "No", "", "", "", "", ""},
              {"Shelf, adjustable\nfront, lower", "560", "500", "3", "Yes", "", "", "", "", ""},
              {"Back", "700", "500", "1", "Yes", "", "", "", "", ""}}));
}

// The row at fault is named, not the heading before it, nor a neighbouring cell.
TEST_F(CsvFiles, TheRowAndCellAtFaultAreNamed) {
    std::string path = Write("parts.csv",
                             "Label,Length,Width,Quant,Rotatable\n"
                             "Side,\"562,5\",300,2,Yes\n");
    ListResult r = LoadPartList(path, parts_);
    EXPECT_EQ(r.stopLine, 2);
    EXPECT_EQ(r.message, StoppedAtLine(path, 2, "the length \"562,5\" is not a number"));
    path = Write("parts.csv", "Side,720,560,2,No\nShelf,560,500,-3,Yes\nDoor,700,400,No,2\n");
    r = LoadPartList(path, parts_);
    EXPECT_EQ(r.stopLine, 2);
    EXPECT_EQ(r.message, StoppedAtLine(path, 2, "the quantity \"-3\" must not be negative"));
    path = Write("parts.csv", "Door,700,400,No,2\nShelf,560,500,2.5,Yes\n");
    r = LoadPartList(path, parts_);
    EXPECT_EQ(r.rows, 1);
    EXPECT_EQ(r.message, StoppedAtLine(path, 2, "the quantity \"2.5\" is not a whole number"));
}

TEST_F(CsvFiles, ABadRowStopsTheReadingAndIsNamed) {
    const std::string path = Write("parts.csv",
                                   "Door,720,400,2,Yes\n"
                                   "\"Two\nlines\",500,300,1,No\n"
                                   "Base side,72O,560,4,No\n"
                                   "Never,1,1,1,Yes\n");
    const ListResult r = LoadPartList(path, parts_);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.rows, 2);
    EXPECT_EQ(r.stopLine, 4);
    EXPECT_EQ(r.message, StoppedAtLine(path, 4, "the length \"72O\" is not a number"));
    EXPECT_EQ(DataRows(parts_).size(), 2u);
    EXPECT_EQ(parts_.Cell(0, 3), "3");

    const ListResult unclosed =
        LoadPartList(Write("open.csv", "Door,720,400,2,Yes\n\"Open,1,1,1,No\n"), parts_);
    EXPECT_EQ(unclosed.rows, 1);
    EXPECT_EQ(unclosed.stopLine, 2);
    EXPECT_NE(unclosed.message.find("open.csv"), std::string::npos);
    EXPECT_EQ(ChooseListReader(TableKind::Part, "/x/list.csv", false), ListReader::Csv);
    EXPECT_EQ(ChooseListReader(TableKind::Part, "/x/list.csv.txt", false), ListReader::Text);
}
