// The saw cut sequence read off a layout. Generated plans are replayed from the
// result JSON by an independent reader in the export tests; here the order of
// the cuts on a drawn layout, and the layouts no saw can take apart.
#include <gtest/gtest.h>

#include <vector>

#include "job/SawCuts.h"

using namespace tarvex;

namespace {

Placement Piece(double x, double y, double length, double width) {
    Placement p;
    p.x = x, p.y = y, p.length = length, p.width = width;
    return p;
}

PlannedSheet LaidOut(double length, double width, std::vector<Placement> parts) {
    PlannedSheet s;
    s.length = length, s.width = width, s.used = !parts.empty();
    s.parts = std::move(parts);
    return s;
}

using Axis = SawCut::Axis;

std::vector<std::tuple<Axis, double, double, double>> Plain(const std::vector<SawCut>& cuts) {
    std::vector<std::tuple<Axis, double, double, double>> plain;
    for (const SawCut& c : cuts) plain.emplace_back(c.axis, c.at, c.from, c.to);
    return plain;
}

}  // namespace

// Sheet 1000 x 600, margins 10, blade 4 (y upward):
//
//   590 +------------------------------+   C ends 6 short of the top margin
//   584 |              C               |
//   314 +------------------------------+
//   310 |       A        |      B      |
//    10 +----------------+-------------+
//       10             510 514        990
//
// The margins come off first (left, right, bottom, top), then the cuts across the
// whole usable area: the one between A and B's strip and C, and the one that
// frees C of the rest; then A and B are parted.
TEST(SawCuts, MarginsFirstThenStagesFromTheReferenceEdge) {
    CutSettings cut;
    cut.bladeWidth = 4;
    cut.margins = {10, 10, 10, 10};
    const PlannedSheet sheet = LaidOut(
        1000, 600, {Piece(10, 10, 500, 300), Piece(514, 10, 476, 300), Piece(10, 314, 980, 270)});
    const auto cuts = DeriveSawCuts(sheet, cut);
    ASSERT_TRUE(cuts);
    EXPECT_EQ(Plain(*cuts), (std::vector<std::tuple<Axis, double, double, double>>{
                                {Axis::X, 6, 0, 600},
                                {Axis::X, 990, 0, 600},
                                {Axis::Y, 6, 10, 990},
                                {Axis::Y, 590, 10, 990},
                                {Axis::Y, 310, 10, 990},
                                {Axis::Y, 584, 10, 990},
                                {Axis::X, 510, 10, 310},
                            }));
    EXPECT_DOUBLE_EQ(TotalCutLength(*cuts), 600 + 600 + 980 * 4 + 300);

    // Without margins nothing is trimmed, and a part that fills its piece needs no cut.
    cut.margins = {};
    const auto bare =
        DeriveSawCuts(LaidOut(504, 200, {Piece(0, 0, 250, 200), Piece(254, 0, 250, 200)}), cut);
    ASSERT_TRUE(bare);
    EXPECT_EQ(Plain(*bare),
              (std::vector<std::tuple<Axis, double, double, double>>{{Axis::X, 250, 0, 200}}));
}

// Where both directions part the parts, the cuts turn from stage to stage, as a
// panel saw's do: a grid is cut in strips across x, then each strip across y.
TEST(SawCuts, StagesTurnAndEveryPartIsCutToSize) {
    CutSettings cut;
    cut.bladeWidth = 2;
    const PlannedSheet grid =
        LaidOut(300, 300,
                {Piece(0, 0, 100, 100), Piece(102, 0, 100, 100), Piece(0, 102, 100, 100),
                 Piece(102, 102, 90, 100)});  // 10 short of its strip's length
    const auto cuts = DeriveSawCuts(grid, cut);
    ASSERT_TRUE(cuts);
    EXPECT_EQ(Plain(*cuts), (std::vector<std::tuple<Axis, double, double, double>>{
                                {Axis::X, 100, 0, 300},
                                {Axis::X, 202, 0, 300},  // the offcut beyond the grid
                                {Axis::Y, 100, 0, 100},
                                {Axis::Y, 202, 0, 100},
                                {Axis::Y, 100, 102, 202},
                                {Axis::Y, 202, 102, 202},
                                {Axis::X, 192, 102, 202},  // the short part's own trim
                            }));
}

// Four parts turning about a middle square: no edge-to-edge cut parts them.
TEST(SawCuts, APinwheelHasNoSawSequenceAndAnEmptySheetNeedsNoCuts) {
    CutSettings cut;
    cut.bladeWidth = 0;
    const PlannedSheet pinwheel = LaidOut(300, 300,
                                          {Piece(0, 0, 200, 100), Piece(200, 0, 100, 200),
                                           Piece(100, 200, 200, 100), Piece(0, 100, 100, 200)});
    EXPECT_FALSE(DeriveSawCuts(pinwheel, cut));
    cut.margins = {5, 5, 5, 5};
    const auto none = DeriveSawCuts(LaidOut(300, 300, {}), cut);
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->empty());
}

// Held to stages, the saw cuts the whole sheet first, along the direction set, then
// each strip it leaves, the trims last. Two rows of three parts, blade 2 (y upward):
//
//   102 +-----+-----+-----+
//       |  D  |  E  |  F  |
//    52 +-----+-----+-----+     F is 45 high: trimmed after every stage cut
//       |  A  |  B  |  C  |
//     0 +-----+-----+-----+
//       0    100   202   304
//
// Without a limit the columns come first (three groups against two rows) and each
// is cut up before the next.
TEST(SawCuts, HeldToStagesTheCutsGoStageByStage) {
    CutSettings cut;
    cut.bladeWidth = 2;
    const PlannedSheet grid =
        LaidOut(304, 102,
                {Piece(0, 0, 100, 50), Piece(102, 0, 100, 50), Piece(204, 0, 100, 50),
                 Piece(0, 52, 100, 50), Piece(102, 52, 100, 50), Piece(204, 52, 100, 45)});
    using Cuts = std::vector<std::tuple<Axis, double, double, double>>;
    const auto free = DeriveSawCuts(grid, cut);
    ASSERT_TRUE(free);
    EXPECT_EQ(Plain(*free), (Cuts{{Axis::X, 100, 0, 102},
                                  {Axis::X, 202, 0, 102},
                                  {Axis::Y, 50, 0, 100},
                                  {Axis::Y, 50, 102, 202},
                                  {Axis::Y, 50, 204, 304},
                                  {Axis::Y, 97, 204, 304}}));
    cut.stages = 2;
    cut.firstCut = FirstCut::Length;
    const auto staged = DeriveSawCuts(grid, cut);
    ASSERT_TRUE(staged);
    EXPECT_EQ(Plain(*staged), (Cuts{{Axis::Y, 50, 0, 304},
                                    {Axis::X, 100, 0, 50},
                                    {Axis::X, 202, 0, 50},
                                    {Axis::X, 100, 52, 102},
                                    {Axis::X, 202, 52, 102},
                                    {Axis::Y, 97, 204, 304}}));
    // The direction alone orders the cuts as well: across the width first, the grid
    // comes apart as it does without a limit, the columns cutting F free of its waste.
    cut.stages = 0;
    cut.firstCut = FirstCut::Width;
    const auto across = DeriveSawCuts(grid, cut);
    ASSERT_TRUE(across);
    EXPECT_EQ(Plain(*across), (Cuts{{Axis::X, 100, 0, 102},
                                    {Axis::X, 202, 0, 102},
                                    {Axis::Y, 50, 0, 100},
                                    {Axis::Y, 50, 102, 202},
                                    {Axis::Y, 50, 204, 304},
                                    {Axis::Y, 97, 204, 304}}));
}
