// The plan check on a sound hand-made plan and on that plan with one fault put in:
// each fault is found, as the kind it is, naming the sheet and the part.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "job/PlanCheck.h"

using namespace tarvex;

namespace {

using Kind = PlanViolation::Kind;

Placement At(const std::string& label, int id, double x, double y, double length, double width,
             bool rotated = false) {
    return Placement{x, y, length, width, id, label, rotated};
}

PlannedSheet Birch(std::vector<Placement> parts, int layoutIndex, int count = 1,
                   bool distinct = true) {
    PlannedSheet s;
    s.label = "Birch";
    s.length = s.width = 1000;
    s.parts = std::move(parts);
    s.used = !s.parts.empty();
    s.distinct = distinct;
    s.count = count;
    s.layoutIndex = layoutIndex;
    return s;
}

// Sheets of 1000 x 1000, margins 10, blade 4, guillotine cuts. Sheets 1 and 2 are
// cut alike and merged into layout 1; sheet 3 is layout 2; sheet 4 is not used.
//
//   sheet 1 (and 2)              sheet 3
//   +--------------------+       +--------------------+
//   |      offcut        |       |                    |
//   +--------+           |       |                    |
//   | Side 1 |           |       +------+             |
//   +--------+-------+   |       |Shelf6|             |
//   | Side 0 |Shelf 4|   |       |380   |             |
//   +--------+-------+---+       +------+-------------+
Job SoundJob(const CutSettings& cut) {
    JobBuilder builder(cut);
    builder.AddParts(500, 300, true, "Side", 4);    // ids 0 .. 3
    builder.AddParts(400, 200, false, "Shelf", 2);  // ids 4, 5
    builder.AddParts(380, 200, false, "Shelf", 1);  // id 6, the same label in another size
    for (int k = 0; k < 4; ++k) builder.AddSheet(1000, 1000, 0, "Birch");
    return std::move(builder).Build();
}

AppliedResult SoundPlan() {
    AppliedResult r;
    CutSettings& cut = r.settings.cut;
    cut.bladeWidth = 4;
    cut.margins = Margins{10, 10, 10, 10};
    cut.guillotine = true;
    r.job = SoundJob(cut);

    const auto sides = [](int first, int shelf) {
        return std::vector<Placement>{At("Side", first, 10, 10, 500, 300),
                                      At("Side", first + 1, 10, 314, 500, 300),
                                      At("Shelf", shelf, 514, 10, 400, 200)};
    };
    r.sheets = {Birch(sides(0, 4), 0, 2), Birch(sides(2, 5), -1, 1, false),
                Birch({At("Shelf", 6, 10, 10, 380, 200)}, 1), Birch({}, -1)};
    r.sheets[0].offcuts = {Offcut{10, 618, 980, 372}};
    r.sheets[1].offcuts = r.sheets[0].offcuts;
    // An unused sheet keeps the offcut of its usable area where the engine put it.
    r.sheets[3].offcuts = {Offcut{0, 0, 980, 980}};
    r.allPlaced = true;
    return r;
}

// Four sides around a hole: no cut from edge to edge parts any of them.
void Pinwheel(AppliedResult& r) {
    r.sheets[0].parts = {At("Shelf", 4, 514, 10, 400, 200)};
    r.sheets[1].parts = {At("Shelf", 5, 514, 10, 400, 200)};
    r.sheets[3] = Birch({At("Side", 0, 10, 10, 500, 300), At("Side", 1, 514, 10, 300, 500, true),
                         At("Side", 2, 314, 514, 500, 300), At("Side", 3, 10, 314, 300, 500, true)},
                        2);
}

::testing::AssertionResult Passes(const AppliedResult& r) {
    if (const auto found = CheckPlan(r)) return ::testing::AssertionFailure() << found->message;
    return ::testing::AssertionSuccess();
}

struct FaultCase {
    const char* fault;
    std::function<void(AppliedResult&)> put;
    Kind kind;
    std::string named;  // a text the message must hold
};

TEST(PlanCheck, SoundPlanPassesInBothPlacementModes) {
    AppliedResult r = SoundPlan();
    EXPECT_TRUE(Passes(r));
    r.settings.cut.guillotine = false;
    EXPECT_TRUE(Passes(r));
    Pinwheel(r);
    EXPECT_TRUE(Passes(r)) << "free placement needs no edge-to-edge cuts";
}

TEST(PlanCheck, FindsEachKindOfFault) {
    const std::vector<FaultCase> cases = {
        {"a part two units from its neighbour, in the kerf",
         [](AppliedResult& r) { r.sheets[0].parts[2].x = 512; }, Kind::TooClose,
         "parts \"Side\" (id 0) and \"Shelf\" (id 4)"},
        {"a part overlapping another without kerf",
         [](AppliedResult& r) {
             r.settings.cut.bladeWidth = 0;
             r.job = SoundJob(r.settings.cut);
             r.sheets[0].parts[1].y = 300;
         },
         Kind::TooClose, "\"Side\" (id 1)"},
        {"a part in the left margin", [](AppliedResult& r) { r.sheets[0].parts[0].x = 5; },
         Kind::OutsideUsableArea, "Sheet 1 \"Birch\", layout 1: part \"Side\" (id 0)"},
        {"a part beyond the top margin", [](AppliedResult& r) { r.sheets[2].parts[0].y = 795; },
         Kind::OutsideUsableArea, "Sheet 3 \"Birch\", layout 2: part \"Shelf\" (id 6)"},
        {"a part that may not be turned, turned",
         [](AppliedResult& r) { r.sheets[2].parts[0] = At("Shelf", 6, 10, 10, 200, 380, true); },
         Kind::TurnedNotRotatable, "\"Shelf\" (id 6)"},
        {"a part cut to another size", [](AppliedResult& r) { r.sheets[2].parts[0].length = 390; },
         Kind::NotEnteredSize, "\"Shelf\" (id 6)"},
        {"a part counted twice",
         [](AppliedResult& r) { r.sheets[2].parts.push_back(At("Side", 0, 10, 300, 500, 300)); },
         Kind::PlacedTwice, "Sheet 3 \"Birch\", layout 2: part \"Side\" (id 0)"},
        {"a part of no job", [](AppliedResult& r) { r.sheets[2].parts[0].partId = 99; },
         Kind::UnknownPart, "\"Shelf\" (id 99)"},
        {"a part under another label", [](AppliedResult& r) { r.sheets[2].parts[0].label = "Top"; },
         Kind::UnknownPart, "\"Top\" (id 6)"},
        {"a part left out, though all are said to be placed",
         [](AppliedResult& r) { r.sheets[2].parts.clear(); }, Kind::PlacedCountWrong,
         "\"Shelf\" (id 6)"},
        {"every part placed, though some are said not to be",
         [](AppliedResult& r) { r.allPlaced = false; }, Kind::PlacedCountWrong, "Every part"},
        {"a non-guillotine arrangement in guillotine mode", Pinwheel, Kind::NotGuillotine,
         "Sheet 4 \"Birch\", layout 3: parts \"Side\" (id 0) and \"Side\" (id 1)"},
        {"an offcut over a part",
         [](AppliedResult& r) {
             r.sheets[0].offcuts.push_back(Offcut{400, 200, 100, 100});
         },
         Kind::OffcutOverPart, "the offcut at 400, 200 overlaps part \"Side\" (id 0)"},
        {"an offcut off its sheet",
         [](AppliedResult& r) {
             r.sheets[3].offcuts.push_back(Offcut{900, 900, 200, 50});
         },
         Kind::OffcutOutsideSheet, "Sheet 4 \"Birch\": the offcut at 900, 900"},
        {"a sheet merged into a layout it is not cut like",
         [](AppliedResult& r) {
             r.sheets[1].parts[2] = At("Shelf", 6, 514, 10, 380, 200);
             r.sheets[2].parts[0] = At("Shelf", 5, 10, 10, 400, 200);
         },
         Kind::MergedUnlike, "Sheet 2 \"Birch\" is merged"},
        {"a layout counting a sheet not merged into it",
         [](AppliedResult& r) {
             r.sheets[1].distinct = true;
             r.sheets[1].layoutIndex = 2;
         },
         Kind::LayoutCountWrong, "counts 2 sheets, but 1 are cut like it"},
    };
    for (const FaultCase& c : cases) {
        AppliedResult r = SoundPlan();
        c.put(r);
        const auto found = CheckPlan(r);
        ASSERT_TRUE(found.has_value()) << c.fault;
        EXPECT_EQ(found->kind, c.kind) << c.fault << ": " << found->message;
        EXPECT_NE(found->message.find(c.named), std::string::npos)
            << c.fault << ": " << found->message;
    }
}

// Parts may run over by less than the engine's fit tolerance, and sizes and
// positions carry rounding; a kerf short by more is a fault.
TEST(PlanCheck, ToleratesRoundingButNotAShortKerf) {
    AppliedResult r = SoundPlan();
    r.sheets[2].parts[0].x = 10 - 0.000005;
    r.sheets[0].parts[2].x = 514 - 1e-9;
    r.sheets[0].parts[2].length = 400 + 1e-9;
    EXPECT_TRUE(Passes(r));
    r.sheets[0].parts[2].x = 514 - 0.01;
    ASSERT_TRUE(CheckPlan(r).has_value());
    EXPECT_EQ(CheckPlan(r)->kind, Kind::TooClose);
}

}  // namespace
