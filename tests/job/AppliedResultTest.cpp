#include <gtest/gtest.h>

#include "job/AppliedResult.h"
#include "optimizer/Ga.h"

using namespace tarvex;

namespace {

PlannedSheet SheetOf(std::vector<std::string> labels, bool used, bool distinct, int index) {
    PlannedSheet s;
    for (std::string& l : labels) s.parts.push_back(Placement{0, 0, 1, 1, 0, std::move(l), false});
    s.used = used;
    s.distinct = distinct;
    s.layoutIndex = index;
    return s;
}

TEST(AppliedResult, LayoutsAreTheUsedDistinctSheetsFoundByTheirIndex) {
    AppliedResult r;
    r.sheets = {SheetOf({"a"}, true, false, 0), SheetOf({"b"}, true, true, 1),
                SheetOf({}, false, true, 0), SheetOf({"c", "C", "c"}, true, true, 0)};
    EXPECT_EQ(r.LayoutCount(), 2);
    EXPECT_EQ(r.LayoutSheetOf(0), &r.sheets[3]);
    EXPECT_EQ(r.LayoutSheetOf(1), &r.sheets[1]);
    EXPECT_EQ(r.LayoutSheetOf(2), nullptr);
}

TEST(MaxGenerations, ElevenPerStepOfTheSpeedSetting) {
    EXPECT_EQ(MaxGenerations(1), 11);
    EXPECT_EQ(MaxGenerations(4), 44);
    EXPECT_EQ(MaxGenerations(12), 132);
}

}  // namespace
