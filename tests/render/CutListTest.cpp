// The cut list as the operator works through it: grouped by the piece each cut
// crosses, positions from that piece's edge, and cuts made alike in pieces cut one
// after the other given once with their count.
#include <gtest/gtest.h>

#include "render/CutList.h"
#include "support/LayoutFixture.h"

using namespace tarvex;

namespace {

std::vector<std::string> Flat(const std::vector<CutListGroup>& groups) {
    std::vector<std::string> lines;
    for (const CutListGroup& g : groups) {
        lines.push_back(g.heading);
        for (const CutListRow& r : g.rows)
            lines.push_back(r.number + " " + r.direction + " " + r.position + " " + r.length +
                            (r.count.empty() ? "" : " " + r.count));
    }
    return lines;
}

}  // namespace

// Sheet 1000 x 600, no kerf: strip 1 (x 0 to 400) holds two pieces each of two
// parts side by side and a third piece of one part; strip 2 is one part.
//
//   +--------+--------------+
//   |  P3    |              |
//   +---+----+      D       |
//   |B1 | B2 |              |
//   +---+----+              |
//   |A1 | A2 |              |
//   +---+----+--------------+
TEST(CutList, CutsAreGroupedByThePieceTheyCrossAndRepeatsAreCounted) {
    AppliedResult result =
        ResultOf({LayoutSheet("S", 1000, 600, 1, 0,
                              {Rect("A1", 1, 0, 0, 200, 200), Rect("A2", 2, 200, 0, 200, 200),
                               Rect("B1", 3, 0, 200, 200, 200), Rect("B2", 4, 200, 200, 200, 200),
                               Rect("P3", 5, 0, 400, 400, 200), Rect("D", 6, 400, 0, 600, 600)})});
    result.settings.cut.guillotine = true;
    result.settings.cut.bladeWidth = 0;
    EXPECT_EQ(Flat(CutListGroups(result, result.sheets.front())),
              (std::vector<std::string>{
                  "Sheet (from x = 0):", "1 Vertical 400 600",
                  "Strip 1 (from y = 0):", "2 Horizontal 200 400", "3 Horizontal 400 400",
                  "Piece 1.1, Piece 1.2 (from x = 0):", "4,5 Vertical 200 200 ×2"}));
}

// With kerf and margins the positions of a strip's cuts run from the strip's own
// edge, which its heading names once.
TEST(CutList, PositionsRunFromTheEdgeOfTheirPiece) {
    AppliedResult result =
        ResultOf({LayoutSheet("S", 1000, 600, 1, 0,
                              {Rect("A", 1, 10, 10, 500, 300), Rect("B", 2, 514, 10, 476, 300),
                               Rect("C", 3, 10, 314, 980, 270)})});
    result.settings.cut.guillotine = true;
    result.settings.cut.bladeWidth = 4;
    result.settings.cut.margins = {10, 10, 10, 10};
    const std::vector<std::string> lines = Flat(CutListGroups(result, result.sheets.front()));
    // Trims of the sheet, the cut across it, then A and B parted within their strip.
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines.front(), "Sheet (from x = 0):");
    const auto strip = std::find(lines.begin(), lines.end(), "Strip 1 (from x = 10):");
    ASSERT_NE(strip, lines.end()) << ::testing::PrintToString(lines);
    EXPECT_EQ(*(strip + 1), "7 Vertical 500 300");
}
