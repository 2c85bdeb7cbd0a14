#include <gtest/gtest.h>

#include <cmath>
#include <regex>

#include "export/GcodeExport.h"
#include "io/TextFile.h"
#include "support/LayoutFixture.h"
#include "support/ScratchFolder.h"

using namespace tarvex;

namespace {

struct Cut {
    double x1, y1, x2, y2;
};

// Reads a program back like a controller: every line is a comment or one motion
// word with Z or X/Y; every cut starts with a lift, a rapid move and a plunge.
// Returns the cuts; reports whatever does not fit.
std::vector<Cut> ParseProgram(const std::vector<std::string>& items, bool huazhong) {
    std::vector<std::string> lines;
    for (const std::string& item : items)
        for (const std::string& line : SplitLines(item)) lines.push_back(line);
    const std::string r = huazhong ? "G00" : "G0", f = huazhong ? "G01" : "G1";
    const std::regex z("(G0?[01]) Z(-?[0-9]+\\.[0-9]{3})");
    const std::regex xy("(G0?[01]) X(-?[0-9]+\\.[0-9]{2}) Y(-?[0-9]+\\.[0-9]{2})");
    std::vector<Cut> cuts;
    double x = 0, y = 0;
    enum { Lifted, AtStart, Plunged, Cutting } state = Cutting;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        std::smatch m;
        if (!line.empty() && line[0] == '!') {
            EXPECT_TRUE(cuts.empty() && state == Cutting) << "comment among moves: " << line;
        } else if (std::regex_match(line, m, z)) {
            const bool lift = m[1] == r && m[2] == "0.020";
            const bool plunge = m[1] == f && m[2] == "-0.020";
            EXPECT_TRUE(lift || plunge) << line;
            EXPECT_TRUE(plunge ? state == AtStart : true) << "plunge without rapid move: " << line;
            state = lift ? Lifted : Plunged;
        } else if (std::regex_match(line, m, xy)) {
            const double nx = std::stod(m[2]), ny = std::stod(m[3]);
            if (m[1] == r) {
                EXPECT_EQ(state, Lifted) << "rapid move without lift: " << line;
                state = AtStart;
            } else {
                EXPECT_EQ(m[1], f) << line;
                EXPECT_EQ(state, Plunged) << "cut without plunge: " << line;
                cuts.push_back({x, y, nx, ny});
                state = Cutting;
            }
            x = nx, y = ny;
        } else {
            EXPECT_EQ(line, r + " X0 Y0") << "line " << i;
            EXPECT_EQ(i + 1, lines.size()) << "the return to the origin ends the program";
            EXPECT_EQ(state, Lifted);
        }
    }
    return cuts;
}

// Every cut stays on the sheet, runs straight along a part edge (half a blade
// width beside it) and crosses no part.
void ExpectCutsFollowPartEdges(const std::vector<Cut>& cuts, const PlannedSheet& sheet, double s) {
    const double e = 0.006;  // the program writes two decimals
    for (const Cut& c : cuts) {
        const std::string where = "cut (" + std::to_string(c.x1) + "," + std::to_string(c.y1) +
                                  ")-(" + std::to_string(c.x2) + "," + std::to_string(c.y2) + ")";
        for (double v : {c.x1, c.x2}) EXPECT_TRUE(v >= -e && v <= sheet.length + e) << where;
        for (double v : {c.y1, c.y2}) EXPECT_TRUE(v >= -e && v <= sheet.width + e) << where;
        const bool vertical = std::abs(c.x1 - c.x2) < e, horizontal = std::abs(c.y1 - c.y2) < e;
        ASSERT_TRUE(vertical != horizontal) << where;
        const double lo = vertical ? std::min(c.y1, c.y2) : std::min(c.x1, c.x2);
        const double hi = vertical ? std::max(c.y1, c.y2) : std::max(c.x1, c.x2);
        bool alongEdge = false;
        for (const Placement& p : sheet.parts) {
            const double x0 = p.x, x1 = p.x + p.length, y0 = p.y, y1 = p.y + p.width;
            if (vertical) {
                const bool onLine =
                    std::abs(c.x1 - (x0 - s / 2)) < e || std::abs(c.x1 - (x1 + s / 2)) < e;
                alongEdge |= onLine && lo < y1 - e && hi > y0 + e;
                EXPECT_FALSE(c.x1 > x0 + e && c.x1 < x1 - e && lo < y1 - e && hi > y0 + e)
                    << where << " crosses part " << p.partId;
            } else {
                const bool onLine =
                    std::abs(c.y1 - (y0 - s / 2)) < e || std::abs(c.y1 - (y1 + s / 2)) < e;
                alongEdge |= onLine && lo < x1 - e && hi > x0 + e;
                EXPECT_FALSE(c.y1 > y0 + e && c.y1 < y1 - e && lo < x1 - e && hi > x0 + e)
                    << where << " crosses part " << p.partId;
            }
        }
        EXPECT_TRUE(alongEdge) << where;
    }
}

class GcodeExport : public ::testing::Test {
  protected:
    std::vector<std::string> Build(const AppliedResult& result) {
        return BuildGcodeItems({Entered(result, parts), choices}, 0, "STAMP");
    }

    CellTable parts;
    SettingsForm settings;  // of the calculations
    OutputChoices choices;
};

}  // namespace

TEST_F(GcodeExport, GoldenProgramsInBothDialects) {
    AppliedResult result = SmallResult();
    parts = SmallPartTable();
    result.settings.cut.bladeWidth = 4;
    const std::string dir = NewScratchFolder("export");
    for (const bool huazhong : {true, false}) {
        result.settings.cnc.huazhong = huazhong;
        const std::string path = dir + (huazhong ? "/hua.gnc" : "/sie.gnc");
        ASSERT_TRUE(ExportGcode({Entered(result, parts), choices}, 0, path).ok);
        const std::regex stamp("^!\t[0-9]{4}/[0-9]{2}/[0-9]{2} [^\r\n]*");
        const std::string bytes = ReadBytes(path);
        EXPECT_TRUE(std::regex_search(bytes, stamp));
        ExpectGolden(huazhong ? "small_huazhong.gnc" : "small_siemens.gnc",
                     std::regex_replace(bytes, stamp, "!\tSTAMP"));
    }
}

TEST_F(GcodeExport, EmptyLayoutIsHeaderAndTrailer) {
    const std::vector<std::string> items = Build(ResultOf({LayoutSheet("S", 100, 50, 3, 0, {})}));
    ASSERT_EQ(items.size(), 8u);
    EXPECT_EQ(items[0], "!\tSTAMP");
    EXPECT_EQ(items[1], "!------------ Layouts 1 ------------");
    EXPECT_EQ(items[3], "!Quant: 3");
    EXPECT_EQ(items[5], "!Width: 50\n!\n!");
    EXPECT_EQ(items[6], "G00 Z0.020");
    EXPECT_EQ(items[7], "G00 X0 Y0");
}

TEST_F(GcodeExport, DialectComesFromTheResult) {
    AppliedResult result =
        ResultOf({LayoutSheet("S", 100, 50, 1, 0, {Rect("P", 1, 0, 0, 40, 20)})});
    std::vector<std::string> items = Build(result);
    EXPECT_EQ(items[6], "G00 Z0.020");
    EXPECT_EQ(items[8], "G01 Z-0.020");
    result.settings.cnc = CncSettings{false, 5, -1.5};
    items = Build(result);
    EXPECT_EQ(items[6], "G0 Z5.000");
    EXPECT_EQ(items[7], "G0 X0.00 Y20.00");
    EXPECT_EQ(items[8], "G1 Z-1.500");
    EXPECT_EQ(items[9], "G1 X40.00 Y20.00");
}

TEST_F(GcodeExport, GuillotineRepeatsVerticalCutOnlyWhenTheEdgeChanges) {
    const auto cutsOf = [&](std::vector<Placement> placements) {
        AppliedResult result = ResultOf({LayoutSheet("S", 1000, 500, 1, 0, placements)});
        result.settings.cut.guillotine = true;
        return ParseProgram(Build(result), true);
    };
    std::vector<Cut> cuts = cutsOf({Rect("A", 1, 0, 0, 300, 100), Rect("B", 2, 0, 100, 300, 100)});
    ASSERT_EQ(cuts.size(), 3u);  // one vertical, two horizontal
    EXPECT_EQ(cuts[0].x1, 300);
    EXPECT_EQ(cuts[0].y2, 500);
    EXPECT_EQ(cuts[1].y1, 100);
    EXPECT_EQ(cuts[1].x2, 0);
    cuts = cutsOf({Rect("A", 1, 0, 0, 300, 100), Rect("C", 3, 300, 0, 200, 100),
                   Rect("B", 2, 0, 100, 300, 100)});
    EXPECT_EQ(cuts.size(), 6u);
}

TEST_F(GcodeExport, FreeModeSkipsBorderAndSharedEdges) {
    AppliedResult result = ResultOf({LayoutSheet(
        "S", 2000, 1000, 1, 0, {Rect("A", 1, 0, 0, 600, 400), Rect("B", 2, 604, 0, 600, 400)})});
    result.settings.cut.bladeWidth = 4;
    const std::vector<Cut> cuts = ParseProgram(Build(result), true);
    // A: upper and right (602, 400 -> 0); B: its left edge is A's right: skipped.
    ASSERT_EQ(cuts.size(), 4u);
    EXPECT_EQ(cuts[0].y1, 402);
    EXPECT_EQ(cuts[1].x1, 602);
    EXPECT_EQ(cuts[1].y1, 400);
    EXPECT_EQ(cuts[1].y2, 0);
    EXPECT_EQ(cuts[2].y1, 402);
    EXPECT_EQ(cuts[2].x1, 604);
    EXPECT_EQ(cuts[3].x1, 1206);
}

TEST_F(GcodeExport, CalculatedLayoutsCutAlongPartEdgesOnly) {
    settings.bladeWidth = "4";
    settings.marginLeft = "5", settings.marginBottom = "7";
    settings.marginTop = "3", settings.marginRight = "2";
    const CellTable sheets = SheetTable({{"Board", "2440", "1220", "4", "10", "No"}});
    const CellTable table = PartTable({{"Door", "720", "560", "5", "Yes"},
                                       {"Shelf", "564", "300", "7", "Yes"},
                                       {"Back", "1100", "400", "3", "No"},
                                       {"Strip", "900", "64", "6", "Yes"}});
    for (const bool guillotine : {true, false}) {
        settings.guillotine = guillotine;
        const AppliedResult result = Calculate(settings, sheets, table);
        ASSERT_GE(result.LayoutCount(), 2);
        for (int layout = 0; layout < result.LayoutCount(); ++layout) {
            SCOPED_TRACE((guillotine ? "guillotine layout " : "free layout ") +
                         std::to_string(layout));
            const PlannedSheet& sheet = *result.LayoutSheetOf(layout);
            const std::vector<Cut> cuts =
                ParseProgram(BuildGcodeItems({result, choices}, layout, "STAMP"), true);
            EXPECT_GE(cuts.size(), sheet.parts.size());
            ExpectCutsFollowPartEdges(cuts, sheet, result.settings.cut.bladeWidth);
        }
    }
}

TEST_F(GcodeExport, LabelsCannotInjectMotion) {
    const AppliedResult result = ResultOf(
        {LayoutSheet("Oak\nG01 X999 Y999\r\nM30", 100, 50, 1, 0, {Rect("P", 1, 0, 0, 40, 20)})});
    const std::vector<std::string> items = Build(result);
    EXPECT_EQ(items[2], "!Label: Oak G01 X999 Y999  M30");
    ParseProgram(items, true);
}
