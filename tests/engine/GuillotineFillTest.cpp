// Guillotine filling: the first fitting part goes into the corner, then the strip
// beyond it along y and the rest beyond it along x are filled, depth first.
#include <gtest/gtest.h>

#include "Engines.h"
#include "support/EngineJobs.h"

using namespace tarvex;

namespace {

template <typename Engine>
class GuillotineFill : public TypedEngineTest<Engine> {
  protected:
    void SetUp() override {
        TypedEngineTest<Engine>::SetUp();
        this->engine.settings.guillotine = true;
    }
};
TYPED_TEST_SUITE(GuillotineFill, Engines, EngineNames);

TYPED_TEST(GuillotineFill, WorkedExample) {
    std::vector<WorkPart> parts = {MakePart(600, 500, 0, 1, "A"), MakePart(400, 300, 0, 2, "B"),
                                   MakePart(400, 150, 0, 3, "C")};
    LaidOutSheet sheet = MakeSheet(1000, 500);
    this->engine.Reset(parts);
    EXPECT_EQ(this->engine.Layout(sheet), 480000);
    EXPECT_EQ(Labels(sheet.parts), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(Rects(sheet.parts),
              (std::vector<Rect>{{0, 0, 600, 500}, {600, 0, 400, 300}, {600, 300, 400, 150}}));
    // Only C's strip is left over; the rectangles beyond C and B along x are empty.
    EXPECT_EQ(Rects(sheet.offcuts), (std::vector<Rect>{{600, 450, 400, 50}}));
    EXPECT_TRUE(sheet.segments.empty());
}

// The placements follow the recursion, not the list: a part's strip is filled
// before the rectangle beyond it, and offcuts are found in the same order.
TYPED_TEST(GuillotineFill, PlacementsAndOffcutsAreDepthFirst) {
    std::vector<WorkPart> parts = {MakePart(500, 400, 0, 1, "A"), MakePart(500, 300, 0, 2, "B"),
                                   MakePart(400, 100, 0, 3, "C")};
    LaidOutSheet sheet = MakeSheet(1000, 500);
    this->engine.Reset(parts);
    EXPECT_EQ(this->engine.Layout(sheet), 200000 + 150000 + 40000);
    EXPECT_EQ(Labels(sheet.parts), (std::vector<std::string>{"A", "C", "B"}));
    EXPECT_EQ(Rects(sheet.parts),
              (std::vector<Rect>{{0, 0, 500, 400}, {0, 400, 400, 100}, {500, 0, 500, 300}}));
    EXPECT_EQ(Rects(sheet.offcuts),
              (std::vector<Rect>{{400, 400, 100, 100}, {500, 300, 500, 200}}));
}

// Only the axis whose size matches the rectangle exactly drops its kerf; the
// placement keeps the enlarged sizes and the area counts them.
TYPED_TEST(GuillotineFill, KerfDroppedOnlyWhereTheSizeMatches) {
    this->engine.settings.bladeWidth = 5;
    std::vector<WorkPart> parts = {MakePart(400, 300, 5, 1, "P"), MakePart(400, 100, 5, 2, "Q")};
    LaidOutSheet sheet = MakeSheet(2000, 2000);
    std::vector<Footprint> out;
    this->engine.Reset(parts);
    EXPECT_EQ(this->engine.Guillotine(sheet, 0, 0, 400, 1000, out), 405 * 305 + 405 * 105);
    // The strip beyond P starts one kerf further, at 305.
    EXPECT_EQ(Rects(out), (std::vector<Rect>{{0, 0, 405, 305}, {0, 305, 405, 105}}));
    EXPECT_EQ(Rects(sheet.offcuts), (std::vector<Rect>{{0, 410, 400, 590}}));
}

// A strip beyond a part along y ends at the cut beside that part, so a part as
// long as the strip keeps its kerf there; beyond the last part along x the
// rectangle ends at the usable area's far edge, where the kerf may go.
//
//   y 500 +-------------+----------------+---------+
//         |             |                +---------+ 404
//         |  A's strip  |   B's strip    |         |
//     204 +-------------+                |    D    |
//         |      A      +----------------+         |
//         |             |       B        |         |
//       0 +-------------+----------------+---------+
//         0            604             1212      1304
TYPED_TEST(GuillotineFill, KerfAlongXDroppedOnlyAtTheFarEdgeOfTheUsableArea) {
    this->engine.settings.bladeWidth = 4;
    std::vector<WorkPart> parts = {MakePart(600, 200, 4, 1, "A"), MakePart(604, 100, 4, 2, "B"),
                                   MakePart(92, 400, 4, 3, "D")};
    LaidOutSheet sheet = MakeSheet(1304, 500);
    this->engine.Reset(parts);
    EXPECT_EQ(this->engine.Layout(sheet), 604 * 204 + 608 * 104 + 96 * 404);
    EXPECT_EQ(Labels(sheet.parts), (std::vector<std::string>{"A", "B", "D"}))
        << "B, as long as A's strip, does not go into it";
    EXPECT_EQ(Rects(sheet.parts),
              (std::vector<Rect>{{0, 0, 604, 204}, {604, 0, 608, 104}, {1212, 0, 96, 404}}));
    EXPECT_EQ(Rects(sheet.offcuts),
              (std::vector<Rect>{{0, 204, 604, 296}, {604, 104, 608, 396}, {1212, 404, 92, 96}}));
}

TYPED_TEST(GuillotineFill, KerfKeptWhenTheRectangleIsNotTheEnteredSize) {
    this->engine.settings.bladeWidth = 5;
    std::vector<WorkPart> parts = {MakePart(400, 300, 5)};
    LaidOutSheet sheet = MakeSheet(2000, 2000);
    std::vector<Footprint> out;
    this->engine.Reset(parts);
    EXPECT_EQ(this->engine.Guillotine(sheet, 0, 0, 402, 1000, out), 0);
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(parts[0].placed);
    EXPECT_EQ(Rects(sheet.offcuts), (std::vector<Rect>{{0, 0, 402, 1000}}));
}

// A leftover strip below a size limit is dropped; at the limits it is kept.
TYPED_TEST(GuillotineFill, LeftoverBelowTheLimitsIsDropped) {
    std::vector<WorkPart> parts = {MakePart(1000, 495, 0), MakePart(990, 5, 0)};
    LaidOutSheet sheet = MakeSheet(1000, 505);
    this->engine.Reset(parts);
    EXPECT_EQ(this->engine.Layout(sheet), 1000 * 495 + 990 * 5);
    // Strip 1000 x 10 above the first part takes the 990 x 5 part, leaving
    // 990 x 5 (too narrow) above it and 10 x 10 (area 100 < 150) beside it.
    EXPECT_TRUE(sheet.offcuts.empty());
    this->engine.settings.minOffcutArea = 100;
    this->engine.Reset(parts);
    this->engine.Layout(sheet);
    EXPECT_EQ(Rects(sheet.offcuts), (std::vector<Rect>{{990, 495, 10, 10}}));
}

// A part exactly as long as the rectangle (with the kerf it drops) leaves a
// rectangle of length 0 beyond it, which is empty even when offcut limits are 0.
TYPED_TEST(GuillotineFill, PartAsLongAsTheRectangleLeavesNothingBeyond) {
    this->SetOffcutLimits(0, 0, 0);
    this->engine.settings.bladeWidth = 4;
    std::vector<WorkPart> parts = {MakePart(1000, 500, 4)};
    LaidOutSheet sheet = MakeSheet(1000, 500);
    this->engine.Reset(parts);
    EXPECT_EQ(this->engine.Layout(sheet), 1004 * 504);
    EXPECT_EQ(Rects(sheet.parts), (std::vector<Rect>{{0, 0, 1004, 504}}));
    EXPECT_TRUE(sheet.offcuts.empty());
}

TYPED_TEST(GuillotineFill, OverrunBelowTheToleranceFits) {
    std::vector<WorkPart> parts = {MakePart(1000.000005, 200, 0, 1, "in"),
                                   MakePart(500.00002, 150, 0, 2, "out")};
    LaidOutSheet sheet = MakeSheet(1000, 300), narrow = MakeSheet(500, 300);
    this->engine.Reset(parts);
    this->engine.Layout(sheet);
    EXPECT_EQ(Labels(sheet.parts), (std::vector<std::string>{"in"}))
        << "the other part is too wide for the strip above";
    // The rectangle beyond the overrunning part has a negative length: no offcut.
    EXPECT_EQ(Rects(sheet.offcuts), (std::vector<Rect>{{0, 200, 1000.000005, 100}}));
    this->engine.Layout(narrow);
    EXPECT_TRUE(narrow.parts.empty()) << "an overrun of 0.00002 is beyond the tolerance";
}

}  // namespace

namespace {

// A row of parts nests one rectangle per part; the fill must not run out of
// stack on the longest list a job may hold.
TEST(GuillotineFillDepth, LongRowOfParts) {
    CutSettings settings;
    settings.guillotine = true;
    constexpr int kCount = 100000;
    std::vector<WorkPart> parts(kCount, MakePart(1, 1, 0));
    LaidOutSheet sheet = MakeSheet(kCount, 1);
    WorkList list;
    list.Reset(parts, settings);
    EXPECT_EQ(LayoutSheet(sheet, list), kCount);
    ASSERT_EQ(sheet.parts.size(), static_cast<std::size_t>(kCount));
    EXPECT_EQ(sheet.parts.back().x, kCount - 1);
}

}  // namespace
