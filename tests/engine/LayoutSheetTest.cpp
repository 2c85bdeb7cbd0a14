// The per-sheet run: layout order, placed marks over a candidate's sheets,
// laying a sheet out again.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Engines.h"
#include "support/EngineJobs.h"

using namespace tarvex;

namespace {

template <typename Engine>
class LayoutRun : public TypedEngineTest<Engine> {};
TYPED_TEST_SUITE(LayoutRun, Engines, EngineNames);

std::vector<double> OrderKeys(const std::vector<WorkPart*>& list) {
    std::vector<double> r;
    for (const WorkPart* p : list) r.push_back(p->layoutOrderKey);
    return r;
}

std::vector<std::int32_t> Ids(const std::vector<WorkPart*>& list) {
    std::vector<std::int32_t> r;
    for (const WorkPart* p : list) r.push_back(p->id);
    return r;
}

using SortFunction = void (*)(std::vector<WorkPart*>&);

class LayoutOrder : public ::testing::TestWithParam<SortFunction> {
  protected:
    std::vector<std::int32_t> Sorted(std::vector<WorkPart>& parts) {
        std::vector<WorkPart*> list;
        for (WorkPart& p : parts) list.push_back(&p);
        GetParam()(list);
        return Ids(list);
    }
};
INSTANTIATE_TEST_SUITE_P(Engines, LayoutOrder,
                         ::testing::Values(&SortByLayoutOrder, &reference::SortByLayoutOrder),
                         [](const auto& param) { return param.index == 0 ? "Fast" : "Reference"; });

TEST_P(LayoutOrder, EqualKeysKeepTheirListOrder) {
    std::vector<WorkPart> parts = {MakePart(100, 100, 0, 1), MakePart(600, 400, 0, 2),
                                   MakePart(400, 600, 0, 3)};
    EXPECT_DOUBLE_EQ(parts[1].layoutOrderKey, 12001.425);
    EXPECT_EQ(Sorted(parts), (std::vector<std::int32_t>{2, 3, 1}));
}

// With small numbers the elongation outweighs the area.
TEST_P(LayoutOrder, ElongatedBeforeSquareInSmallUnits) {
    std::vector<WorkPart> parts = {MakePart(1, 1, 0, 1), MakePart(2, 0.5, 0, 2)};
    EXPECT_DOUBLE_EQ(parts[1].layoutOrderKey, 3.85);
    EXPECT_EQ(Sorted(parts), (std::vector<std::int32_t>{2, 1}));
}

// Keys of zero, negative or not-a-number sizes are never chosen by the
// selection; they go last in their order instead of stalling the sort.
TEST_P(LayoutOrder, UnkeyedRecordsGoLastInTheirOrder) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double keys[] = {0, 5, nan, -1, 7, 5};
    std::vector<WorkPart> parts(6);
    for (int i = 0; i < 6; ++i) parts[i].layoutOrderKey = keys[i], parts[i].id = i;
    EXPECT_EQ(Sorted(parts), (std::vector<std::int32_t>{4, 1, 5, 0, 2, 3}));
}

// The work list keeps the order of the layout order keys it was given last, also when
// it served a job of the same size before.
TEST(WorkListOrder, FollowsNewOrderKeys) {
    const CutSettings settings;
    WorkList list;
    std::vector<WorkPart> first = {MakePart(100, 100, 0, 1), MakePart(600, 400, 0, 2)};
    list.Reset(first, settings);
    EXPECT_EQ(Ids(list.Records()), (std::vector<std::int32_t>{2, 1}));
    std::vector<WorkPart> second = {MakePart(600, 400, 0, 1), MakePart(100, 100, 0, 2)};
    list.Reset(second, settings);
    EXPECT_EQ(Ids(list.Records()), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(OrderKeys(list.Records()), (std::vector<double>{12001.425, 500.95}));
    // Turning parts keeps their keys and the order.
    second[0].Rotate();
    list.Reset(second, settings);
    EXPECT_EQ(Ids(list.Records()), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(list.Records()[0]->length, 400);
}

// Nothing to place: no placement, no offcut; the free fill keeps its first segment.
TYPED_TEST(LayoutRun, EmptyListLeavesNoTrace) {
    for (bool guillotine : {true, false}) {
        this->engine.settings.guillotine = guillotine;
        std::vector<WorkPart> parts;
        LaidOutSheet sheet = MakeSheet(1000, 500);
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
        std::vector<WorkPart> parts = {MakePart(300, 200, 0)};
        LaidOutSheet first = MakeSheet(1000, 500), second = MakeSheet(800, 400),
                     tiny = MakeSheet(12, 12);
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
        std::vector<WorkPart> parts;
        for (int i = 0; i < 5; ++i) parts.push_back(MakePart(600, 400, 0, i));
        parts.push_back(MakePart(2000, 2000, 0, 9, "too large"));
        std::vector<LaidOutSheet> sheets = {MakeSheet(1200, 400, 0), MakeSheet(1200, 800, 1),
                                            MakeSheet(1200, 800, 2)};
        this->engine.Reset(parts);
        EXPECT_EQ(this->engine.Layout(sheets[0]), 2 * 240000.0);
        EXPECT_EQ(this->engine.Layout(sheets[1]), 3 * 240000.0);
        EXPECT_EQ(this->engine.Layout(sheets[2]), 0);
        std::vector<std::int32_t> ids;
        for (const LaidOutSheet& s : sheets)
            for (const Footprint& p : s.parts) ids.push_back(p.partId);
        std::sort(ids.begin(), ids.end());
        EXPECT_EQ(ids, (std::vector<std::int32_t>{0, 1, 2, 3, 4}));
        for (const WorkPart& p : parts) EXPECT_EQ(p.placed, p.id != 9) << p.id;
    }
}

// Laying a sheet out again after the marks are cleared gives the same layout
// and replaces the first one.
TYPED_TEST(LayoutRun, RelayoutIsDeterministic) {
    for (bool guillotine : {true, false}) {
        this->engine.settings.guillotine = guillotine;
        this->engine.settings.bladeWidth = 3;
        std::vector<WorkPart> parts;
        for (int i = 0; i < 12; ++i)
            parts.push_back(
                MakePart(100 + 37 * i, 80 + 23 * (i % 5), 3, i, "part " + std::to_string(i)));
        LaidOutSheet sheet = MakeSheet(1000, 600);
        this->engine.Reset(parts);
        const double first = this->engine.Layout(sheet);
        const LaidOutSheet before = sheet;
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
    std::vector<WorkPart> parts = {MakePart(300, 200, 2, 42, "Door, left")};
    parts[0].Rotate();
    LaidOutSheet sheet = MakeSheet(1000, 500);
    sheet.parts.resize(4);  // an earlier layout's placements are replaced
    this->engine.Reset(parts);
    this->engine.Layout(sheet);
    ASSERT_EQ(sheet.parts.size(), 1u);
    const Footprint expected{0, 0, 202, 302, 42, "Door, left", true};
    EXPECT_TRUE(SameRecord(sheet.parts[0], expected));
}

}  // namespace
