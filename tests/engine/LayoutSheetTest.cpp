// The per-sheet run: priority order, placed marks over a candidate's sheets,
// laying a sheet out again, and the small sheet operations.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Engines.h"
#include "support/EngineJobs.h"

namespace {

template <typename Engine>
class LayoutRun : public TypedEngineTest<Engine> {};
TYPED_TEST_SUITE(LayoutRun, Engines, EngineNames);

std::vector<double> Priorities(const std::vector<Part*>& list) {
    std::vector<double> r;
    for (const Part* p : list) r.push_back(p->priority);
    return r;
}

std::vector<std::int32_t> Ids(const std::vector<Part*>& list) {
    std::vector<std::int32_t> r;
    for (const Part* p : list) r.push_back(p->id);
    return r;
}

using SortFunction = void (*)(std::vector<Part*>&);

class PriorityOrder : public ::testing::TestWithParam<SortFunction> {
  protected:
    std::vector<std::int32_t> Sorted(std::vector<Part>& parts) {
        std::vector<Part*> list;
        for (Part& p : parts) list.push_back(&p);
        GetParam()(list);
        return Ids(list);
    }
};
INSTANTIATE_TEST_SUITE_P(Engines, PriorityOrder,
                         ::testing::Values(&SortByPriority, &reference::SortByPriority),
                         [](const auto& info) { return info.index == 0 ? "Fast" : "Reference"; });

TEST_P(PriorityOrder, EqualKeysKeepTheirListOrder) {
    std::vector<Part> parts = {MakePart(100, 100, 0, 1), MakePart(600, 400, 0, 2),
                               MakePart(400, 600, 0, 3)};
    EXPECT_DOUBLE_EQ(parts[1].priority, 12001.425);
    EXPECT_EQ(Sorted(parts), (std::vector<std::int32_t>{2, 3, 1}));
}

// With small numbers the elongation outweighs the area.
TEST_P(PriorityOrder, ElongatedBeforeSquareInSmallUnits) {
    std::vector<Part> parts = {MakePart(1, 1, 0, 1), MakePart(2, 0.5, 0, 2)};
    EXPECT_DOUBLE_EQ(parts[1].priority, 3.85);
    EXPECT_EQ(Sorted(parts), (std::vector<std::int32_t>{2, 1}));
}

// Keys of zero, negative or not-a-number sizes are never chosen by the
// selection; they go last in their order instead of stalling the sort.
TEST_P(PriorityOrder, UnkeyedRecordsGoLastInTheirOrder) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double keys[] = {0, 5, nan, -1, 7, 5};
    std::vector<Part> parts(6);
    for (int i = 0; i < 6; ++i) parts[i].priority = keys[i], parts[i].id = i;
    EXPECT_EQ(Sorted(parts), (std::vector<std::int32_t>{4, 1, 5, 0, 2, 3}));
}

// The work list keeps the order of the priorities it was given last, also when
// it served a job of the same size before.
TEST(WorkListOrder, FollowsNewPriorities) {
    const CutSettings settings;
    WorkList list;
    std::vector<Part> first = {MakePart(100, 100, 0, 1), MakePart(600, 400, 0, 2)};
    list.Reset(first, settings);
    EXPECT_EQ(Ids(list.Records()), (std::vector<std::int32_t>{2, 1}));
    std::vector<Part> second = {MakePart(600, 400, 0, 1), MakePart(100, 100, 0, 2)};
    list.Reset(second, settings);
    EXPECT_EQ(Ids(list.Records()), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(Priorities(list.Records()), (std::vector<double>{12001.425, 500.95}));
    // Turning parts keeps their priorities and the order.
    second[0].Rotate();
    list.Reset(second, settings);
    EXPECT_EQ(Ids(list.Records()), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(list.Records()[0]->length, 400);
}

// Nothing to place: no placement, no offcut; the free fill keeps its first segment.
TYPED_TEST(LayoutRun, EmptyListLeavesNoTrace) {
    for (bool guillotine : {true, false}) {
        this->engine.settings.guillotine = guillotine;
        std::vector<Part> parts;
        Sheet sheet = MakeSheet(1000, 500);
        this->engine.Reset(parts);
        EXPECT_EQ(this->engine.Layout(sheet), 0);
        EXPECT_TRUE(sheet.parts.empty());
        EXPECT_TRUE(sheet.offcuts.empty());
        const std::vector<Rect> firstSegment = {{0, 0, 1000, 0}};
        EXPECT_EQ(Lines(sheet), guillotine ? std::vector<Rect>{} : firstSegment);
    }
}

// With every part placed the whole usable area is one offcut, if it is worth keeping.
TYPED_TEST(LayoutRun, SheetAfterAllPartsPlacedIsOneOffcut) {
    for (bool guillotine : {true, false}) {
        this->engine.settings.guillotine = guillotine;
        std::vector<Part> parts = {MakePart(300, 200, 0)};
        Sheet first = MakeSheet(1000, 500), second = MakeSheet(800, 400), tiny = MakeSheet(12, 12);
        this->engine.Reset(parts);
        EXPECT_EQ(this->engine.Layout(first), 60000);
        EXPECT_EQ(this->engine.Layout(second), 0);
        EXPECT_TRUE(second.parts.empty());
        EXPECT_EQ(Rects(second.offcuts), (std::vector<Rect>{{0, 0, 800, 400}}));
        EXPECT_EQ(this->engine.Layout(tiny), 0);
        EXPECT_TRUE(tiny.offcuts.empty()) << "12 x 12 is below the area limit of 150";
    }
}

// Parts taken by one sheet stay taken for the next; each part lands on one
// sheet only.
TYPED_TEST(LayoutRun, PlacedMarksCarryOverToTheNextSheet) {
    for (bool guillotine : {true, false}) {
        this->engine.settings.guillotine = guillotine;
        std::vector<Part> parts;
        for (int i = 0; i < 5; ++i) parts.push_back(MakePart(600, 400, 0, i));
        parts.push_back(MakePart(2000, 2000, 0, 9, "too large"));
        std::vector<Sheet> sheets = {MakeSheet(1200, 400, 0), MakeSheet(1200, 800, 1),
                                     MakeSheet(1200, 800, 2)};
        this->engine.Reset(parts);
        EXPECT_EQ(this->engine.Layout(sheets[0]), 2 * 240000.0);
        EXPECT_EQ(this->engine.Layout(sheets[1]), 3 * 240000.0);
        EXPECT_EQ(this->engine.Layout(sheets[2]), 0);
        std::vector<std::int32_t> ids;
        for (const Sheet& s : sheets)
            for (const Footprint& p : s.parts) ids.push_back(p.partId);
        std::sort(ids.begin(), ids.end());
        EXPECT_EQ(ids, (std::vector<std::int32_t>{0, 1, 2, 3, 4}));
        for (const Part& p : parts) EXPECT_EQ(p.placed, p.id != 9) << p.id;
    }
}

// Laying a sheet out again after the marks are cleared gives the same layout
// and replaces the first one.
TYPED_TEST(LayoutRun, RelayoutIsDeterministic) {
    for (bool guillotine : {true, false}) {
        this->engine.settings.guillotine = guillotine;
        this->engine.settings.bladeWidth = 3;
        std::vector<Part> parts;
        for (int i = 0; i < 12; ++i)
            parts.push_back(
                MakePart(100 + 37 * i, 80 + 23 * (i % 5), 3, i, "part " + std::to_string(i)));
        Sheet sheet = MakeSheet(1000, 600);
        this->engine.Reset(parts);
        const double first = this->engine.Layout(sheet);
        const Sheet before = sheet;
        this->engine.Reset(parts);
        EXPECT_TRUE(SameBits(this->engine.Layout(sheet), first));
        EXPECT_TRUE(SameLayout(sheet, before));
        EXPECT_FALSE(sheet.parts.empty());
        EXPECT_FALSE(sheet.offcuts.empty());
    }
}

// A placement is the candidate record's footprint at its position: id, label,
// turn and the enlarged sizes are copied.
TYPED_TEST(LayoutRun, PlacementCopiesTheRecord) {
    this->engine.settings.bladeWidth = 2;
    std::vector<Part> parts = {MakePart(300, 200, 2, 42, "Door, left")};
    parts[0].Rotate();
    Sheet sheet = MakeSheet(1000, 500);
    sheet.parts.resize(4);  // an earlier layout's placements are replaced
    this->engine.Reset(parts);
    this->engine.Layout(sheet);
    ASSERT_EQ(sheet.parts.size(), 1u);
    const Footprint expected{0, 0, 202, 302, 42, "Door, left", true};
    EXPECT_TRUE(SameRecord(sheet.parts[0], expected));
}

TEST(SheetOperations, CopySheetKeepsPlacementsAndResetsBookkeeping) {
    Sheet sheet = MakeSheet(2420, 1200, 7);
    sheet.unitCost = 0.25;
    sheet.label = "Birch 18";
    sheet.originX = 3;
    sheet.originY = 4;
    sheet.utilisation = 0.9;
    sheet.parts = {Footprint{0, 0, 300, 200, 1, "Side"},
                   Footprint{300, 0, 100, 50, 2, "Rail", true}};
    sheet.offcuts = {Offcut{400, 0, 10, 10}};
    sheet.segments = {Segment{0, 1, 2}};
    const Sheet copy = CopySheet(sheet);
    EXPECT_EQ(copy.id, 7);
    EXPECT_EQ(copy.unitCost, 0.25);
    EXPECT_EQ(copy.label, "Birch 18");
    EXPECT_EQ(copy.originX, 3);
    EXPECT_EQ(copy.originY, 4);
    EXPECT_EQ(copy.length, 2420);
    EXPECT_EQ(copy.width, 1200);
    ASSERT_EQ(copy.parts.size(), 2u);
    EXPECT_TRUE(SameRecord(copy.parts[0], sheet.parts[0]));
    EXPECT_TRUE(SameRecord(copy.parts[1], sheet.parts[1]));
    EXPECT_EQ(copy.utilisation, Sheet{}.utilisation);
    EXPECT_TRUE(copy.offcuts.empty());
    EXPECT_TRUE(copy.segments.empty());
}

TEST(SheetOperations, ClearSheetPartsDropsThePlacements) {
    Sheet sheet = MakeSheet(1000, 500, 3);
    sheet.parts = {Footprint{0, 0, 1, 1, 1, "Side"}, Footprint{1, 0, 1, 1, 2, "Back"}};
    ClearSheetParts(sheet);
    EXPECT_TRUE(sheet.parts.empty());
    EXPECT_EQ(sheet.id, 3);
    EXPECT_EQ(sheet.length, 1000);
}

}  // namespace
