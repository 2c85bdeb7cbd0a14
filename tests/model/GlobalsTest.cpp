#include <gtest/gtest.h>

#include "model/Globals.h"

namespace {

class JobModel : public ::testing::Test {
  protected:
    void SetUp() override { ResetJobSettings(); }
    void TearDown() override { ResetJobSettings(); }
};

TEST_F(JobModel, PriorityOfDefaultAndSymmetricSizes) {
    EXPECT_DOUBLE_EQ(TPartInfo{}.priority, 500.95);
    EXPECT_DOUBLE_EQ(TPartInfo::ComputePriority(600, 400), 12001.425);
    EXPECT_DOUBLE_EQ(TPartInfo::ComputePriority(400, 600), 12001.425);
    TPartInfo p;
    p.SetSize(100, 50);
    EXPECT_DOUBLE_EQ(p.priority, 251.9);
}

TEST_F(JobModel, RotateTwiceRestoresAndKeepsPriority) {
    TPartInfo p;
    p.SetSize(600, 400);
    p.Rotate();
    EXPECT_EQ(p.length, 400);
    EXPECT_EQ(p.width, 600);
    EXPECT_EQ(p.rotated, 1);
    p.Rotate();
    EXPECT_EQ(p.length, 600);
    EXPECT_EQ(p.width, 400);
    EXPECT_EQ(p.rotated, 0);
    EXPECT_DOUBLE_EQ(p.priority, 12001.425);
}

TEST_F(JobModel, KerfAndMarginsRoundTrip) {
    g_sawwidth = 3;
    g_marginleft = 7;
    g_marginbottom = 11;
    g_margintop = 2;
    g_marginright = 5;
    TPartInfo p;
    p.SetSize(100, 50);
    p.AddKerf();
    EXPECT_EQ(p.length, 103);
    EXPECT_EQ(p.width, 53);
    EXPECT_EQ(p.Area(), 5459);
    p.RemoveKerfAndShift();
    EXPECT_DOUBLE_EQ(p.length, 100);
    EXPECT_DOUBLE_EQ(p.width, 50);
    EXPECT_EQ(p.x, 7);
    EXPECT_EQ(p.y, 11);

    TSheetInfo s;
    s.length = 2440;
    s.width = 1220;
    s.TakeOffMargins();
    EXPECT_EQ(s.length, 2428);
    EXPECT_EQ(s.width, 1207);
    s.AddBackMargins();
    EXPECT_EQ(s.length, 2440);
    EXPECT_EQ(s.width, 1220);
}

TEST_F(JobModel, GenerationsFollowTheSpeedSetting) {
    EXPECT_EQ(MaxGenerations(1), 11);
    EXPECT_EQ(MaxGenerations(4), 44);
    EXPECT_EQ(MaxGenerations(12), 132);
}

TEST_F(JobModel, PartIdsKeepCountingAcrossJobs) {
    const int start = g_PartIndex;
    AddJobParts(100, 100, true, "P", 3);
    EXPECT_EQ(g_PartList[0].id, start);
    EXPECT_EQ(g_PartList[2].id, start + 2);
    ResetJobSettings();
    AddJobParts(100, 100, true, "P", 3);
    EXPECT_EQ(g_PartList[0].id, start + 3);
    EXPECT_EQ(g_PartList[2].id, start + 5);
}

TEST_F(JobModel, AddJobPartCopiesTheRecordWithTheNextId) {
    TPartInfo part;
    part.SetSize(720, 560);
    part.label = "Side";
    part.id = 999;
    const int next = g_PartIndex;
    AddJobPart(part);
    ASSERT_EQ(g_PartList.size(), 1u);
    EXPECT_EQ(g_PartList[0].id, next);
    EXPECT_EQ(g_PartList[0].label, "Side");
    EXPECT_EQ(g_PartList[0].length, 720);
    EXPECT_EQ(part.id, 999);  // the template itself is left alone
    EXPECT_EQ(g_PartIndex, next + 1);
}

TEST_F(JobModel, JobRecordsCarryKerfMarginsAndTotals) {
    g_sawwidth = 4;
    g_marginleft = g_marginright = 10;
    g_margintop = 5;
    g_marginbottom = 15;
    AddJobParts(600, 400, false, "Door", 2);
    AddJobParts(50, 30, true, "Rail", 0);
    AddJobParts(300, 200, true, "Shelf", 1);
    ASSERT_EQ(g_PartList.size(), 3u);
    EXPECT_EQ(g_PartCount, 3);
    const TPartInfo& door = g_PartList[1];
    EXPECT_EQ(door.length, 604);
    EXPECT_EQ(door.width, 404);
    EXPECT_DOUBLE_EQ(door.priority, TPartInfo::ComputePriority(600, 400));
    EXPECT_EQ(door.rotatable, 0);
    EXPECT_EQ(door.label, "Door");
    EXPECT_EQ(g_PartList[2].rotatable, 1);
    EXPECT_EQ(g_PartList[2].id, g_PartList[0].id + 2);
    EXPECT_EQ(g_SumPartArea, 2 * 604.0 * 404 + 304.0 * 204);

    AddJobSheet(2440, 1220, 122, "Oak");
    AddJobSheet(1000, 500, 0, "Pine");
    ASSERT_EQ(g_SheetList.size(), 2u);
    EXPECT_EQ(g_SheetCount, 2);
    const TSheetInfo& oak = g_SheetList[0];
    EXPECT_EQ(oak.id, 0);
    EXPECT_EQ(g_SheetList[1].id, 1);
    EXPECT_EQ(oak.length, 2420);
    EXPECT_EQ(oak.width, 1200);
    EXPECT_EQ(oak.label, "Oak");
    // The cost is spread over the whole sheet, margins included.
    EXPECT_DOUBLE_EQ(oak.unitCost, 122 / (2440.0 * 1220));
    EXPECT_EQ(g_SumSheetArea, 2420.0 * 1200 + 980.0 * 480);
    EXPECT_DOUBLE_EQ(g_SumSheetCost, 2420.0 * 1200 * oak.unitCost);
}

TEST_F(JobModel, DefaultsOfRecords) {
    TSheetInfo s;
    EXPECT_EQ(s.count, 1);
    EXPECT_EQ(s.distinct, 1);
    EXPECT_EQ(s.layoutIndex, -1);
    EXPECT_EQ(s.Area(), 1e6);
    TPartInfo p;
    EXPECT_EQ(p.rotatable, 1);
    EXPECT_EQ(p.count, 1);
    EXPECT_TRUE(p.label.empty());
}

}  // namespace
