// The job model: part records, cut settings, and jobs made by the job builder.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "model/CutSettings.h"
#include "model/Job.h"
#include "model/Part.h"
#include "model/Sheet.h"

using namespace tarvex;

namespace {

TEST(PartRecord, LayoutOrderKeyOfDefaultAndSymmetricSizes) {
    EXPECT_DOUBLE_EQ(Part{}.layoutOrderKey, 500.95);
    EXPECT_DOUBLE_EQ(Part::LayoutOrderKeyOf(600, 400), 12001.425);
    EXPECT_DOUBLE_EQ(Part::LayoutOrderKeyOf(400, 600), 12001.425);
    Part p;
    p.SetSize(100, 50);
    EXPECT_EQ(p.length, 100);
    EXPECT_EQ(p.width, 50);
    EXPECT_DOUBLE_EQ(p.layoutOrderKey, 251.9);
}

TEST(PartRecord, RotateTwiceRestoresAndKeepsTheLayoutOrderKey) {
    WorkPart p;
    p.SetSize(600, 400);
    p.Rotate();
    EXPECT_EQ(p.length, 400);
    EXPECT_EQ(p.width, 600);
    EXPECT_TRUE(p.rotated);
    p.Rotate();
    EXPECT_EQ(p.length, 600);
    EXPECT_EQ(p.width, 400);
    EXPECT_FALSE(p.rotated);
    EXPECT_DOUBLE_EQ(p.layoutOrderKey, 12001.425);
}

TEST(PartRecord, DefaultsOfRecords) {
    const Part p;
    EXPECT_EQ(p.length, 100);
    EXPECT_EQ(p.width, 100);
    EXPECT_TRUE(p.rotatable);
    EXPECT_TRUE(p.label.empty());
    const WorkPart copy{p};
    EXPECT_FALSE(copy.rotated);
    EXPECT_FALSE(copy.placed);
    EXPECT_EQ(Sheet{}.Area(), 1e6);
    const PlannedSheet planned;
    EXPECT_EQ(planned.count, 1);
    EXPECT_TRUE(planned.distinct);
    EXPECT_FALSE(planned.used);
    EXPECT_EQ(planned.layoutIndex, -1);
}

// An offcut is kept when it reaches every limit; a size that is not a number never does.
TEST(CutSettingsRules, UsableOffcutReachesEveryLimit) {
    CutSettings s;
    s.minOffcutLength = 50;
    s.minOffcutWidth = 30;
    s.minOffcutArea = 2000;
    EXPECT_TRUE(s.IsUsableOffcut(50, 40));
    EXPECT_FALSE(s.IsUsableOffcut(49.9, 100));
    EXPECT_FALSE(s.IsUsableOffcut(100, 29.9));
    EXPECT_FALSE(s.IsUsableOffcut(60, 33));  // 1980 is below the area
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(s.IsUsableOffcut(nan, 100));
    EXPECT_FALSE(s.IsUsableOffcut(100, nan));
    EXPECT_FALSE(CutSettings{}.IsUsableOffcut(nan, nan));
    EXPECT_TRUE(CutSettings{}.IsUsableOffcut(0, 0));
}

TEST(JobBuilding, RecordsCarryKerfMarginsAndTotals) {
    CutSettings s;
    s.bladeWidth = 4;
    s.margins.left = s.margins.right = 10;
    s.margins.top = 5;
    s.margins.bottom = 15;
    JobBuilder b(s);
    b.AddParts(600, 400, false, "Door", 2);
    b.AddParts(50, 30, true, "Rail", 0);
    b.AddParts(300, 200, true, "Shelf", 1);
    b.AddSheet(2440, 1220, 122, "Oak");
    b.AddSheet(1000, 500, 0, "Pine");
    const Job job = std::move(b).Build();

    ASSERT_EQ(job.Parts().size(), 3u);
    EXPECT_EQ(job.PartCount(), 3);
    const Part& door = job.Parts()[1];
    EXPECT_EQ(door.length, 604);
    EXPECT_EQ(door.width, 404);
    EXPECT_DOUBLE_EQ(door.layoutOrderKey, Part::LayoutOrderKeyOf(600, 400));
    EXPECT_FALSE(door.rotatable);
    EXPECT_EQ(door.label, "Door");
    EXPECT_TRUE(job.Parts()[2].rotatable);
    EXPECT_EQ(job.Parts()[2].label, "Shelf");
    EXPECT_EQ(job.Parts()[2].id, job.Parts()[0].id + 2);
    EXPECT_EQ(job.PartArea(), 2 * 604.0 * 404 + 304.0 * 204);

    ASSERT_EQ(job.Sheets().size(), 2u);
    EXPECT_EQ(job.SheetCount(), 2);
    const Sheet& oak = job.Sheets()[0];
    EXPECT_EQ(oak.id, 0);
    EXPECT_EQ(job.Sheets()[1].id, 1);
    EXPECT_EQ(oak.length, 2420);
    EXPECT_EQ(oak.width, 1200);
    EXPECT_EQ(oak.label, "Oak");
    // The cost is spread over the whole sheet, margins included.
    EXPECT_DOUBLE_EQ(oak.unitCost, 122 / (2440.0 * 1220));
    EXPECT_EQ(job.SheetArea(), 2420.0 * 1200 + 980.0 * 480);
    EXPECT_DOUBLE_EQ(job.SheetCost(), 2420.0 * 1200 * oak.unitCost);
}

// Each margin comes off its own side: left and right off the length, top and
// bottom off the width; the blade width is added once on each axis.
TEST(JobBuilding, EachMarginComesOffItsSide) {
    CutSettings s;
    s.bladeWidth = 3;
    s.margins = Margins{2, 11, 7, 5};  // top, bottom, left, right
    JobBuilder b(s);
    b.AddParts(100, 50, true, "P", 1);
    b.AddSheet(2440, 1220, 0, "S");
    const Job job = std::move(b).Build();
    EXPECT_EQ(job.Parts()[0].length, 103);
    EXPECT_EQ(job.Parts()[0].width, 53);
    EXPECT_EQ(job.Parts()[0].Area(), 5459);
    EXPECT_EQ(job.Sheets()[0].length, 2428);
    EXPECT_EQ(job.Sheets()[0].width, 1207);
}

// Part ids of a job start where the caller says, so that a later job of a
// session continues the numbering of the one before.
TEST(JobBuilding, PartIdsContinueFromTheFirstId) {
    const CutSettings s;
    JobBuilder first(s, 40);
    first.AddParts(100, 100, true, "P", 3);
    EXPECT_EQ(first.NextPartId(), 43);
    const Job a = std::move(first).Build();
    EXPECT_EQ(a.Parts()[0].id, 40);
    EXPECT_EQ(a.Parts()[2].id, 42);

    JobBuilder second(s, 43);
    second.AddParts(200, 100, true, "Q", 2);
    const Job b = std::move(second).Build();
    EXPECT_EQ(b.Parts()[0].id, 43);
    EXPECT_EQ(b.Parts()[1].id, 44);
    EXPECT_EQ(JobBuilder(s).NextPartId(), 0);
}

TEST(JobBuilding, AddPartCopiesTheRecordWithTheNextIdAndCountsIt) {
    Part part;
    part.SetSize(720, 560);
    part.label = "Side";
    part.id = 999;
    part.rotatable = false;
    JobBuilder b(CutSettings{}, 12);
    b.AddPart(part);
    EXPECT_EQ(b.NextPartId(), 13);
    const Job job = std::move(b).Build();
    ASSERT_EQ(job.Parts().size(), 1u);
    EXPECT_EQ(job.Parts()[0].id, 12);
    EXPECT_EQ(job.Parts()[0].label, "Side");
    EXPECT_EQ(job.Parts()[0].length, 720);
    EXPECT_EQ(job.Parts()[0].width, 560);
    EXPECT_FALSE(job.Parts()[0].rotatable);
    EXPECT_EQ(part.id, 999);  // the template itself is left alone
    EXPECT_EQ(job.PartCount(), 1);
    EXPECT_EQ(job.PartArea(), 720 * 560);
}

// Over generated rows and settings: one record per physical part and sheet in
// the order added, part ids consecutive from the first id, the blade width added
// to the entered sizes with the layout order key of the entered sizes, the margins taken
// off every sheet, and totals that add up the records.
TEST(JobBuilding, RecordsAndTotalsFollowGeneratedRows) {
    std::mt19937_64 rng(31);
    auto uniform = [&](double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(rng);
    };
    auto below = [&](int n) { return static_cast<int>(rng() % n); };
    struct PartRow {
        double length, width;
        bool rotatable;
        std::string label;
        int quantity;
    };
    struct SheetRow {
        double length, width, cost;
        std::string label;
    };
    for (int j = 0; j < 300; ++j) {
        CutSettings s;
        const double blades[] = {0, 3, 4.2};
        s.bladeWidth = blades[below(3)];
        s.margins = Margins{uniform(0, 20), uniform(0, 20), uniform(0, 20), uniform(0, 20)};
        const std::int32_t firstId = below(1000);
        JobBuilder b(s, firstId);
        std::vector<PartRow> partRows;
        std::vector<SheetRow> sheetRows;
        for (int n = below(12); n > 0; --n) {
            if (below(2) == 0) {
                partRows.push_back(PartRow{std::round(uniform(1, 2400)), uniform(1, 1200),
                                           below(4) != 0, "P" + std::to_string(n), below(5)});
                const PartRow& r = partRows.back();
                b.AddParts(r.length, r.width, r.rotatable, r.label, r.quantity);
            } else {
                sheetRows.push_back(SheetRow{std::round(uniform(500, 3000)), uniform(300, 2000),
                                             below(2) ? 0 : uniform(1, 100),
                                             "S" + std::to_string(n)});
                const SheetRow& r = sheetRows.back();
                b.AddSheet(r.length, r.width, r.cost, r.label);
            }
        }
        const std::int32_t nextId = b.NextPartId();
        const Job job = std::move(b).Build();

        std::size_t k = 0;
        double partArea = 0;
        for (const PartRow& r : partRows)
            for (int q = 0; q < r.quantity; ++q, ++k) {
                ASSERT_LT(k, job.Parts().size()) << "job " << j;
                const Part& p = job.Parts()[k];
                EXPECT_EQ(p.id, firstId + static_cast<std::int32_t>(k)) << "job " << j;
                EXPECT_EQ(p.length, r.length + s.bladeWidth) << "job " << j;
                EXPECT_EQ(p.width, r.width + s.bladeWidth) << "job " << j;
                EXPECT_EQ(p.layoutOrderKey, Part::LayoutOrderKeyOf(r.length, r.width))
                    << "job " << j;
                EXPECT_EQ(p.rotatable, r.rotatable) << "job " << j;
                EXPECT_EQ(p.label, r.label) << "job " << j;
                partArea += p.Area();
            }
        EXPECT_EQ(job.Parts().size(), k) << "job " << j;
        EXPECT_EQ(job.PartCount(), static_cast<std::int32_t>(k)) << "job " << j;
        EXPECT_EQ(nextId, firstId + static_cast<std::int32_t>(k)) << "job " << j;
        EXPECT_DOUBLE_EQ(job.PartArea(), partArea) << "job " << j;

        ASSERT_EQ(job.Sheets().size(), sheetRows.size()) << "job " << j;
        EXPECT_EQ(job.SheetCount(), static_cast<std::int32_t>(sheetRows.size())) << "job " << j;
        double sheetArea = 0, sheetCost = 0;
        for (std::size_t i = 0; i < sheetRows.size(); ++i) {
            const SheetRow& r = sheetRows[i];
            const Sheet& sheet = job.Sheets()[i];
            EXPECT_EQ(sheet.id, static_cast<std::int32_t>(i)) << "job " << j;
            EXPECT_EQ(sheet.label, r.label) << "job " << j;
            EXPECT_DOUBLE_EQ(sheet.length, r.length - s.margins.left - s.margins.right)
                << "job " << j;
            EXPECT_DOUBLE_EQ(sheet.width, r.width - s.margins.top - s.margins.bottom)
                << "job " << j;
            EXPECT_DOUBLE_EQ(sheet.unitCost, r.cost / (r.length * r.width)) << "job " << j;
            sheetArea += sheet.Area();
            sheetCost += sheet.Area() * r.cost / (r.length * r.width);
        }
        EXPECT_DOUBLE_EQ(job.SheetArea(), sheetArea) << "job " << j;
        EXPECT_NEAR(job.SheetCost(), sheetCost, 1e-9 * (1 + sheetCost)) << "job " << j;
        if (::testing::Test::HasFailure()) return;
    }
}

}  // namespace
