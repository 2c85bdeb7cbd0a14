#include <gtest/gtest.h>

#include "engine/Cut.h"

// Placeholder until the engine's own tests land.
TEST(EngineSmoke, GuillotineWorkedExample) {
    ResetJobSettings();
    g_isonecut = true;
    g_minlength = g_minwidth = 10;
    g_minarea = 150;
    std::vector<TPartInfo> parts(3);
    parts[0].SetSize(600, 500);
    parts[1].SetSize(400, 300);
    parts[2].SetSize(400, 150);
    TSheetInfo sheet;
    sheet.length = 1000;
    sheet.width = 500;
    WorkList list;
    list.Reset(parts);
    EXPECT_DOUBLE_EQ(LayoutSheet(sheet, list), 480000);
    ASSERT_EQ(sheet.parts.size(), 3u);
    ASSERT_EQ(sheet.offcuts.size(), 1u);
    EXPECT_EQ(sheet.offcuts[0].x, 600);
    EXPECT_EQ(sheet.offcuts[0].y, 450);
    ResetJobSettings();
}
