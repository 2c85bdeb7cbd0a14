#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "export/Report.h"
#include "support/JobTables.h"
#include "support/ScratchFolder.h"
#include "text/TextColumns.h"

using namespace tarvex;

namespace {

// ASCII columns, written out independently of ColumnText: a text as long as its
// column or longer leaves room for "~" and a blank.
std::string Pad(const std::string& s, size_t n) {
    return s.size() < n ? s + std::string(n - s.size(), ' ') : s.substr(0, n - 2) + "~ ";
}

// The label column of the fixture: its longest label (29 columns) and a blank.
constexpr size_t kLabelColumn = 30;

std::string Row(const std::string& label, std::initializer_list<std::string> cells) {
    std::string line = Pad(label, kLabelColumn);
    for (const std::string& c : cells) line += Pad(c, 15);
    return line;
}

// At the corner of the usable area of the fixture's margins of 10.
Placement Placed(const std::string& label, double length, double width) {
    Placement p;
    p.label = label;
    p.x = p.y = 10;
    p.length = length;
    p.width = width;
    return p;
}

PlannedSheet Sheet(const std::string& label, bool used, bool distinct,
                   std::vector<Placement> parts = {}) {
    PlannedSheet s;
    s.label = label;
    s.length = 2440;
    s.width = 1220;
    s.used = used;
    s.distinct = distinct;
    s.parts = std::move(parts);
    return s;
}

class Report : public ::testing::Test {
  protected:
    void SetUp() override {
        result.settings.cut.guillotine = true;
        result.settings.unit = "mm";
        result.settings.cut.bladeWidth = 3.2;
        result.settings.cut.margins = {10, 10, 10, 10};
        // Five sheets of Birch cut to one merged layout, one Birch sheet left unused.
        PlannedSheet head = Sheet("Birch", true, true, {Placed("Side", 720, 560)});
        head.count = 5;
        head.layoutIndex = 0;
        result.sheets.push_back(head);
        for (int i = 0; i < 4; ++i)
            result.sheets.push_back(Sheet("Birch", true, false, {Placed("Side", 720, 560)}));
        result.sheets.push_back(Sheet("Birch", false, true));
        result.placedPartArea = 5 * 720 * 560;
        result.offcutArea = 1000000;
        result.ratioParts = 0.8734f;
        result.ratioWithOffcuts = 0.9012f;
    }

    std::vector<std::string> Lines() const {
        AppliedResult entered = result;
        EnterRows(entered, sheets, parts);
        return WriteReport(entered);
    }
    size_t Find(const std::vector<std::string>& lines, const std::string& prefix) const {
        auto it = std::find_if(lines.begin(), lines.end(),
                               [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
        return it == lines.end() ? lines.size() : static_cast<size_t>(it - lines.begin());
    }

    AppliedResult result;
    CellTable sheets = SheetTable({{"Birch", "2440", "1220", "8", "100", "Yes"},
                                   {"", "999", "999", "9", "9", "Yes"},
                                   {"Oak", "2000", "1000", "2", "50", "No"}});
    CellTable parts =
        PartTable({{"Side", "720", "560", "6", "Yes"},
                   {"side", "720", "560", "1", "Yes"},
                   {"A very long part label indeed", "1234567890.123456", "5", "2", "No"},
                   {"Loose", "100", "100", "", "Yes"}});
};

TEST_F(Report, WritesTheSettingsTablesAndTotalsInFixedColumns) {
    const std::vector<std::string> expected = {
        Pad("Guillotine:", 26) + " Yes",
        Pad("Cost Optimization:", 26) + " No",
        Pad("Length Unit:", 26) + " mm",
        Pad("Blade Width:", 26) + " 3.20",
        Pad("Top Margin:", 26) + " 10.00",
        Pad("Bottom Margin:", 26) + " 10.00",
        Pad("Left Margin:", 26) + " 10.00",
        Pad("Right Margin:", 26) + " 10.00",
        "",
        "",
        "Sheets:",
        "",
        Row("Label",
            {"Length", "Width", "Area", "Cost", "Total Quant", "Used Quant", "Left Quant"}),
        Row("Birch", {"2440", "1220", "2976800", "100", "8", "5", "3"}),
        Row("Oak", {"2000", "1000", "2000000", "50", "2", "0", "2"}),
        "",
        "Sheets total used Quant: 5",
        "",
        "",
        "Parts:",
        "",
        Row("Label", {"Length", "Width", "Rotatable", "Total Quant", "Used Quant", "Left Quant"}),
        Row("Side", {"720", "560", "Yes", "6", "5", "1"}),
        Row("side", {"720", "560", "Yes", "1", "0", "1"}),
        Row("A very long part label indeed", {"1234567890.123456", "5", "No", "2", "0", "2"}),
        Row("Loose", {"100", "100", "Yes", "", "0", ""}),
        "",
        "",
        Pad("Sheets total area:", 26) + "27814400.00",
        Pad("Sheets total cost:", 26) + "900.00",
        "",
        Pad("Sheets total used area:", 26) + "14884000.00",
        Pad("Sheets total used cost:", 26) + "500.00",
        "",
        Pad("Offcuts reusable area:", 26) + "1000000.00",
        Pad("Offcuts total area:", 26) + "12868000.00",
        "",
        Pad("Overall Ratio:", 26) + "87.34%",
        Pad("Ratio(include offcuts):", 26) + "90.12%",
        Pad("Seed:", 26) + std::to_string(result.seed),
    };
    const std::vector<std::string> lines = Lines();
    ASSERT_GT(lines.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + expected.size()), expected);
    // The label column widens for the longest label; a length too long for its
    // column keeps a blank after it.
    EXPECT_EQ(lines[24].substr(0, 50), "A very long part label indeed 1234567890.12~ 5    ");
}

// After the ratios, the saw cuts of every layout and their totals over all sheets:
// one part at the corner of the usable area needs the four trims of the margins
// and two cuts that free it, each group of cuts headed by the edge its positions
// run from (the piece holding every part is still the sheet).
TEST_F(Report, CutListsOfEveryLayoutAndTheirTotalsFollowTheRatios) {
    const std::vector<std::string> lines = Lines();
    const size_t at = Find(lines, "Saw cuts:");
    ASSERT_LT(at, lines.size());
    const auto row = [](const std::string& n, const std::string& direction,
                        const std::string& position, const std::string& length) {
        return Pad(n, 10) + Pad(direction, 12) + Pad(position, 15) + length;
    };
    const std::vector<std::string> expected = {
        "Saw cuts:",
        "",
        "Positions: from the edge each group names. ×2: one cut in each piece named.",
        "",
        "Layout 1: Birch, sheets: 5; per sheet 6 cuts, cut length 9200",
        row("No.", "Direction", "Position", "Length"),
        "Sheet (from x = 0):",
        row("1", "Vertical", "6.8", "1220"),
        row("2", "Vertical", "2430", "1220"),
        "Sheet (from y = 0):",
        row("3", "Horizontal", "6.8", "2420"),
        row("4", "Horizontal", "1210", "2420"),
        "Sheet (from x = 10):",
        row("5", "Vertical", "720", "1200"),
        "Sheet (from y = 10):",
        row("6", "Horizontal", "560", "720"),
        "",
        Pad("Cuts in total:", 26) + "30",
        Pad("Cut length in total:", 26) + "46000",
    };
    EXPECT_EQ(std::vector<std::string>(lines.begin() + at, lines.end()), expected);
    EXPECT_EQ(lines[at - 1], "");
    EXPECT_EQ(lines[at - 3], Pad("Seed:", 26) + std::to_string(result.seed));
    EXPECT_EQ(lines[at - 4], Pad("Ratio(include offcuts):", 26) + "90.12%");

    // A free plan gives the length of each layout's CNC tool path instead.
    result.settings.cut.guillotine = false;
    const std::vector<std::string> free = Lines();
    const size_t tool = Find(free, "CNC tool paths:");
    ASSERT_LT(tool, free.size());
    // Around the part, off the sheet's edges: 2 x 720 + 2 x 560.
    EXPECT_EQ(free[tool + 3], "Layout 1: Birch, sheets: 5; per sheet 4 cuts, tool path 2560");
    EXPECT_EQ(free.back(), Pad("Tool path in total:", 26) + "12800");
}

TEST_F(Report, WideLabelsKeepTheColumnsInLine) {
    sheets = SheetTable({{"桦木胶合板 十八毫米 特级", "2440", "1220", "1", "100", "Yes"},
                         {"桦木", "2440", "1220", "1", "100", "Yes"}});
    const auto lines = Lines();
    const size_t first = Find(lines, "桦木胶合板");
    ASSERT_LT(first + 1, lines.size());
    for (const std::string& line : {lines[first], lines[first + 1]}) {
        const size_t at = line.find("2440");
        ASSERT_NE(at, std::string::npos) << line;
        EXPECT_EQ(DisplayColumns(line.substr(0, at)), 30) << line;
        EXPECT_EQ(DisplayColumns(line), 30 + 7 * 15) << line;
    }
}

// Labels that begin alike stay apart: the column widens up to 32 columns, and only
// a longer label is cut.
TEST_F(Report, LabelsUpToTheWidestColumnAreShownWhole) {
    sheets = SheetTable({{"Oak melamine 18, 2mm", "2800", "2070", "1", "100", "Yes"},
                         {"Oak melamine 18, 25mm", "2800", "2070", "1", "100", "Yes"}});
    parts = PartTable({{"A label of thirty-four characters!", "100", "100", "1", "Yes"}});
    const auto lines = Lines();
    const size_t first = Find(lines, "Oak melamine 18, 2mm ");
    ASSERT_LT(first + 1, lines.size());
    EXPECT_EQ(lines[first].substr(0, 36), "Oak melamine 18, 2mm" + std::string(12, ' ') + "2800");
    EXPECT_EQ(lines[first + 1].substr(0, 36),
              "Oak melamine 18, 25mm" + std::string(11, ' ') + "2800");
    EXPECT_LT(Find(lines, "A label of thirty-four charact~ 100"), lines.size());
}

// Settings and totals keep two decimals where those show the value, and every
// digit it needs otherwise.
TEST_F(Report, NumbersShowEveryDigitTheyNeed) {
    result.settings.cut.bladeWidth = 0.125;
    result.settings.cut.margins.top = 2.5;
    result.offcutArea = 1234.0625;
    const auto lines = Lines();
    EXPECT_EQ(lines[3], Pad("Blade Width:", 26) + " 0.125");
    EXPECT_EQ(lines[4], Pad("Top Margin:", 26) + " 2.50");
    EXPECT_EQ(lines[Find(lines, "Offcuts reusable area:")],
              Pad("Offcuts reusable area:", 26) + "1234.0625");
}

TEST_F(Report, WithoutOffcutsBothRatiosAgree) {
    result.offcutArea = 0;
    result.ratioWithOffcuts = result.ratioParts = 0.5f;
    const auto lines = Lines();
    const size_t at = Find(lines, "Overall Ratio:");
    ASSERT_LT(at + 1, lines.size());
    EXPECT_EQ(lines[at], Pad("Overall Ratio:", 26) + "50.00%");
    EXPECT_EQ(lines[at + 1], Pad("Ratio(include offcuts):", 26) + "50.00%");
}

TEST_F(Report, ASheetRowThatDoesNotConvertStillGetsItsLine) {
    sheets = SheetTable({{"Birch", "2440", "", "x", "", "Yes"}});
    const auto lines = Lines();
    const size_t at = Find(lines, "Birch");
    ASSERT_LT(at, lines.size());
    EXPECT_EQ(lines[at], Row("Birch", {"2440", "", "", "", "x", "5", ""}));
    EXPECT_EQ(lines[Find(lines, "Sheets total area:")], Pad("Sheets total area:", 26) + "0.00");
}

TEST_F(Report, SavesWithCrLfAndSaysSo) {
    const std::string dir = NewScratchFolder("report");
    std::string message;
    ASSERT_TRUE(SaveReport(dir + "/report.txt", {"a", "", "桦木"}, message)) << message;
    EXPECT_EQ(message, "Congratulations! File successfully saved!");
    std::ifstream in(dir + "/report.txt", std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    EXPECT_EQ(bytes.str(), "a\r\n\r\n桦木\r\n");

    EXPECT_FALSE(SaveReport(dir + "/missing/report.txt", {"a"}, message));
    EXPECT_NE(message.find(dir + "/missing/report.txt"), std::string::npos) << message;
}

}  // namespace
