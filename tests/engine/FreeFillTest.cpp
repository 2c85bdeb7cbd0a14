// Free filling along level segments: parts are laid side by side on the first
// lowest segment; what no part takes is raised to a neighbour's level.
#include <gtest/gtest.h>

#include <algorithm>

#include "Engines.h"
#include "support/EngineJobs.h"

using namespace tarvex;

namespace {

template <typename Engine>
class FreeFill : public TypedEngineTest<Engine> {};
TYPED_TEST_SUITE(FreeFill, Engines, EngineNames);

double Overlap(const Rect& a, const Rect& b) {
    const double dx = std::min(a.x + a.length, b.x + b.length) - std::max(a.x, b.x);
    const double dy = std::min(a.y + a.width, b.y + b.width) - std::max(a.y, b.y);
    return dx > 0 && dy > 0 ? dx * dy : 0;
}

// Placements (without kerf) and offcuts tile the usable area: no overlap, no
// rectangle outside it, and together exactly its area.
::testing::AssertionResult TilesUsableArea(const LaidOutSheet& sheet, double kerf) {
    std::vector<Rect> all = Rects(sheet.parts);
    for (Rect& r : all) r.length -= kerf, r.width -= kerf;
    for (const Rect& r : Rects(sheet.offcuts)) all.push_back(r);
    double area = 0;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Rect& r = all[i];
        if (r.x < 0 || r.y < 0 || r.x + r.length > sheet.length || r.y + r.width > sheet.width)
            return ::testing::AssertionFailure() << r << " lies outside the usable area";
        for (std::size_t j = 0; j < i; ++j)
            if (Overlap(r, all[j]) > 0)
                return ::testing::AssertionFailure() << r << " overlaps " << all[j];
        area += r.length * r.width;
    }
    if (area != sheet.length * sheet.width)
        return ::testing::AssertionFailure() << "covered " << area << " of " << sheet.Area();
    return ::testing::AssertionSuccess();
}

// 1. A (0, 0) and B (600, 0) use the first segment up; C and D do not fit.
// 2. On (600, 200, 400) C goes to (600, 200); the gap (900, 200, 100) ends at
//    the far edge and rises to C's level: offcut 100 x 250.
// 3. On (0, 300, 600) D goes to (0, 300); the gap (350, 300, 250) rises to the
//    shallower neighbour, D's segment at 400: offcut 250 x 100.
// 4. Nothing is left: the final bands follow in segment order.
TYPED_TEST(FreeFill, WorkedExample) {
    std::vector<WorkPart> parts = {MakePart(600, 300, 0, 1, "A"), MakePart(400, 200, 0, 2, "B"),
                                   MakePart(300, 250, 0, 3, "C"), MakePart(350, 100, 0, 4, "D")};
    LaidOutSheet sheet = MakeSheet(1000, 500);
    this->engine.Reset(parts);
    EXPECT_EQ(this->engine.Layout(sheet), 370000);
    EXPECT_EQ(Labels(sheet.parts), (std::vector<std::string>{"A", "B", "C", "D"}));
    EXPECT_EQ(Rects(sheet.parts),
              (std::vector<Rect>{
                  {0, 0, 600, 300}, {600, 0, 400, 200}, {600, 200, 300, 250}, {0, 300, 350, 100}}));
    EXPECT_EQ(
        Rects(sheet.offcuts),
        (std::vector<Rect>{
            {900, 200, 100, 250}, {350, 300, 250, 100}, {600, 450, 400, 50}, {0, 400, 600, 100}}));
    EXPECT_EQ(Lines(sheet), (std::vector<Rect>{{600, 450, 400, 0}, {0, 400, 600, 0}}));
    EXPECT_TRUE(TilesUsableArea(sheet, this->engine.settings.bladeWidth));
}

// Called on its own, the fill appends its placements to the caller's list, marks
// the parts it took and leaves the sheet's own placements alone.
TYPED_TEST(FreeFill, FillAppendsToTheCallersList) {
    std::vector<WorkPart> parts = {MakePart(600, 300, 0, 1, "A"), MakePart(400, 200, 0, 2, "B"),
                                   MakePart(300, 250, 0, 3, "C"), MakePart(350, 100, 0, 4, "D")};
    LaidOutSheet sheet = MakeSheet(1000, 500);
    this->engine.Reset(parts);
    std::vector<Footprint> out = {Footprint{0, 0, 1, 1, 9, "earlier"}};
    EXPECT_EQ(this->engine.Free(sheet, out), 370000);
    EXPECT_EQ(Labels(out), (std::vector<std::string>{"earlier", "A", "B", "C", "D"}));
    EXPECT_TRUE(sheet.parts.empty());
    EXPECT_EQ(sheet.offcuts.size(), 4u);
    for (const WorkPart& p : parts) EXPECT_TRUE(p.placed) << p.label;
}

// The kerf rule compares with the whole usable area: a part as long as the
// sheet drops its kerf, a part as long as the rest of a segment keeps it.
TYPED_TEST(FreeFill, KerfDroppedOnlyAgainstTheUsableArea) {
    this->engine.settings.bladeWidth = 5;
    std::vector<WorkPart> parts = {MakePart(1000, 200, 5, 1, "full"), MakePart(600, 150, 5, 2, "A"),
                                   MakePart(395, 100, 5, 3, "B")};
    LaidOutSheet sheet = MakeSheet(1000, 500);
    this->engine.Reset(parts);
    this->engine.Layout(sheet);
    // "full" at (0, 0) raises the whole edge to 205. A takes 605 of that
    // segment; B, entered as long as the 395 left, keeps its kerf and needs 400:
    // it goes on the next level, on top of A.
    EXPECT_EQ(Labels(sheet.parts), (std::vector<std::string>{"full", "A", "B"}));
    EXPECT_EQ(Rects(sheet.parts),
              (std::vector<Rect>{{0, 0, 1005, 205}, {0, 205, 605, 155}, {0, 360, 400, 105}}));
    EXPECT_TRUE(parts[2].placed);
}

// Only the first segment of the lowest level is tried. In metres the elongation
// decides the order: P (0.5 x 2), Q (6 x 2), then R (4 x 3), which does not fit
// the 3.5 left beside them. The gap rises to Q's segment, which grows to 9.5;
// the next pass tries P's segment (0.5 long) only, and the fill ends with R
// unplaced although Q's segment at the same level could take it.
TYPED_TEST(FreeFill, OnlyTheFirstLowestSegmentIsTried) {
    this->SetOffcutLimits(0.1, 0.1, 0.01);
    std::vector<WorkPart> parts = {MakePart(4, 3, 0, 3, "R"), MakePart(6, 2, 0, 2, "Q"),
                                   MakePart(0.5, 2, 0, 1, "P")};
    LaidOutSheet sheet = MakeSheet(10, 5);
    this->engine.Reset(parts);
    EXPECT_EQ(this->engine.Layout(sheet), 13);
    EXPECT_EQ(Labels(sheet.parts), (std::vector<std::string>{"P", "Q"}));
    EXPECT_FALSE(parts[0].placed);
    EXPECT_EQ(Lines(sheet), (std::vector<Rect>{{0, 2, 0.5, 0}, {0.5, 2, 9.5, 0}}));
    EXPECT_EQ(Rects(sheet.offcuts),
              (std::vector<Rect>{{6.5, 0, 3.5, 2}, {0, 2, 0.5, 3}, {0.5, 2, 9.5, 3}}));
    EXPECT_TRUE(TilesUsableArea(sheet, this->engine.settings.bladeWidth));
}

// A part that overruns the rest of its segment within the tolerance uses the
// segment up; the next part starts a new level.
TYPED_TEST(FreeFill, OverrunWithinTheToleranceFinishesTheSegment) {
    std::vector<WorkPart> parts = {MakePart(600, 300, 0, 1, "A"),
                                   MakePart(400.000005, 200, 0, 2, "B"),
                                   MakePart(100, 100, 0, 3, "C")};
    LaidOutSheet sheet = MakeSheet(1000, 500);
    this->engine.Reset(parts);
    this->engine.Layout(sheet);
    EXPECT_EQ(
        Rects(sheet.parts),
        (std::vector<Rect>{{0, 0, 600, 300}, {600, 0, 400.000005, 200}, {600, 200, 100, 100}}));
}

}  // namespace
