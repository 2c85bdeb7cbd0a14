// Picking the segment to work on and closing it: which neighbour takes the gap
// that no part used, and what is recorded for it.
#include <gtest/gtest.h>

#include "Engines.h"
#include "support/EngineJobs.h"

using namespace tarvex;

namespace {

template <typename Engine>
class Segments : public TypedEngineTest<Engine> {
  protected:
    // Closes the gap of `current` from gapX on, on a 1000 x 500 sheet.
    LaidOutSheet Close(std::vector<Segment> lines, double gapX, double gapY, double gapLength) {
        LaidOutSheet sheet = MakeSheet(1000, 500);
        sheet.segments = std::move(lines);
        this->engine.Close(sheet, gapX, gapY, gapLength, 1000);
        return sheet;
    }
};
TYPED_TEST_SUITE(Segments, Engines, EngineNames);

TYPED_TEST(Segments, PickWithoutSegmentsGivesTheUsableEdge) {
    LaidOutSheet sheet = MakeSheet(1000, 500);
    double x = 7, y = 7, length = 7;
    TypeParam::Pick(sheet, x, y, length);
    EXPECT_EQ(Rect(x, y, length, 0), Rect(0, 0, 1000, 0));
}

TYPED_TEST(Segments, PickTakesTheFirstOfTheLowestLevel) {
    LaidOutSheet sheet = MakeSheet(1000, 500);
    sheet.segments = {{0, 300, 100}, {100, 200, 50}, {150, 200, 80}, {230, 500, 770}};
    double x = 0, y = 0, length = 0;
    TypeParam::Pick(sheet, x, y, length);
    EXPECT_EQ(Rect(x, y, length, 0), Rect(100, 200, 50, 0));
}

// With every segment at the far edge only y is set; x and length keep what the
// caller had.
TYPED_TEST(Segments, PickBeyondTheUsableWidthSetsOnlyTheLevel) {
    LaidOutSheet sheet = MakeSheet(1000, 500);
    sheet.segments = {{0, 500, 600}, {600, 520, 400}};
    double x = 11, y = 0, length = 22;
    TypeParam::Pick(sheet, x, y, length);
    EXPECT_EQ(Rect(x, y, length, 0), Rect(11, 500, 22, 0));
}

// A gap at x = 0 goes right and a gap at the far edge goes left, even when the
// other side is shallower.
TYPED_TEST(Segments, GapAtAnEdgeGoesToTheInnerNeighbour) {
    LaidOutSheet atStart =
        this->Close({{0, 100, 300}, {300, 400, 700}, {-50, 120, 50}}, 0, 100, 300);
    EXPECT_EQ(Lines(atStart), (std::vector<Rect>{{0, 400, 1000, 0}, {-50, 120, 50, 0}}));
    EXPECT_EQ(Rects(atStart.offcuts), (std::vector<Rect>{{0, 100, 300, 300}}));

    LaidOutSheet atEnd =
        this->Close({{0, 400, 600}, {600, 100, 400}, {1000, 120, 5}}, 600, 100, 400);
    EXPECT_EQ(Lines(atEnd), (std::vector<Rect>{{0, 400, 1000, 0}, {1000, 120, 5, 0}}));
    EXPECT_EQ(Rects(atEnd.offcuts), (std::vector<Rect>{{600, 100, 400, 300}}));
}

TYPED_TEST(Segments, GapInsideRisesToTheShallowerNeighbour) {
    // The current segment (0, 300, 600) after D took 350 of it.
    LaidOutSheet leftShallower =
        this->Close({{0, 300, 600}, {600, 450, 400}, {0, 400, 350}}, 350, 300, 250);
    EXPECT_EQ(Lines(leftShallower), (std::vector<Rect>{{600, 450, 400, 0}, {0, 400, 600, 0}}));
    EXPECT_EQ(Rects(leftShallower.offcuts), (std::vector<Rect>{{350, 300, 250, 100}}));

    LaidOutSheet rightShallower =
        this->Close({{0, 300, 600}, {600, 380, 400}, {0, 400, 350}}, 350, 300, 250);
    EXPECT_EQ(Lines(rightShallower), (std::vector<Rect>{{350, 380, 650, 0}, {0, 400, 350, 0}}));
    EXPECT_EQ(Rects(rightShallower.offcuts), (std::vector<Rect>{{350, 300, 250, 80}}));
}

// On a tie the left neighbour takes the gap and the right one stays separate.
TYPED_TEST(Segments, TieGoesLeftAndKeepsTheRightSegment) {
    LaidOutSheet sheet =
        this->Close({{0, 300, 600}, {600, 400, 400}, {0, 400, 350}}, 350, 300, 250);
    EXPECT_EQ(Lines(sheet), (std::vector<Rect>{{600, 400, 400, 0}, {0, 400, 600, 0}}));
}

// Of several segments ending where the gap starts, the last in list order wins.
TYPED_TEST(Segments, LastMatchingNeighbourInListOrder) {
    LaidOutSheet sheet = this->Close(
        {{0, 420, 350}, {0, 300, 600}, {100, 410, 250}, {600, 450, 400}}, 350, 300, 250);
    EXPECT_EQ(Lines(sheet),
              (std::vector<Rect>{{0, 420, 350, 0}, {100, 410, 500, 0}, {600, 450, 400, 0}}));
    EXPECT_EQ(Rects(sheet.offcuts), (std::vector<Rect>{{350, 300, 250, 110}}));
}

// Without a neighbour whose end matches exactly the gap is given up: only the
// current segment goes, and nothing fails.
TYPED_TEST(Segments, GapWithoutMatchingNeighbourIsDropped) {
    LaidOutSheet inside =
        this->Close({{0, 400, 349.5}, {0, 300, 600}, {600.5, 450, 399.5}}, 350, 300, 250);
    EXPECT_EQ(Lines(inside), (std::vector<Rect>{{0, 400, 349.5, 0}, {600.5, 450, 399.5, 0}}));
    EXPECT_TRUE(inside.offcuts.empty());

    LaidOutSheet atStart = this->Close({{0, 100, 300}, {0, 400, 299}}, 0, 100, 300);
    EXPECT_EQ(Lines(atStart), (std::vector<Rect>{{0, 400, 299, 0}}));
    EXPECT_TRUE(atStart.offcuts.empty());
}

// Inside the area a gap with a neighbour on one side only goes to that one.
TYPED_TEST(Segments, GapWithOneNeighbourGoesToIt) {
    LaidOutSheet sheet = this->Close({{0, 300, 600}, {600, 450, 400}}, 350, 300, 250);
    EXPECT_EQ(Lines(sheet), (std::vector<Rect>{{350, 450, 650, 0}}));
    EXPECT_EQ(Rects(sheet.offcuts), (std::vector<Rect>{{350, 300, 250, 150}}));
}

TYPED_TEST(Segments, GapWithinTheToleranceOnlyRemovesTheSegment) {
    LaidOutSheet sheet = this->Close({{0, 400, 600}, {600, 100, 400}}, 999.99999, 100, 0.00001);
    EXPECT_EQ(Lines(sheet), (std::vector<Rect>{{0, 400, 600, 0}}));
    EXPECT_TRUE(sheet.offcuts.empty());
}

// A gap too small to keep still rises to its neighbour, without an offcut.
TYPED_TEST(Segments, SmallGapRisesWithoutOffcut) {
    LaidOutSheet sheet = this->Close({{0, 400, 995}, {995, 100, 5}}, 995, 100, 5);
    EXPECT_EQ(Lines(sheet), (std::vector<Rect>{{0, 400, 1000, 0}}));
    EXPECT_TRUE(sheet.offcuts.empty());
}

}  // namespace
