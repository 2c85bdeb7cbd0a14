// A plan in inches with fractions as its outputs show it: the texts people read
// show reduced fractions (the nearest one marked "~"), the files programs read keep
// their decimals, and a plan in decimal inches shows what a metric plan shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "export/OffcutExport.h"
#include "export/PartLabels.h"
#include "export/Report.h"
#include "export/ResultJson.h"
#include "io/TableInput.h"
#include "render/LayoutPage.h"
#include "render/LayoutPrint.h"
#include "support/LayoutFixture.h"

using namespace tarvex;

namespace {

// A 96 1/2 x 48 board with a side, a shelf turned, a part of no sixteenth and
// two offcuts, one of them of no sixteenth either.
AppliedResult BoardPlan(const std::string& unit) {
    Placement shelf = Rect("Shelf", 2, 23.375, 0, 0.5, 22.75);
    shelf.rotated = true;
    AppliedResult result = ResultOf(
        {LayoutSheet("Birch", 96.5, 48, 1, 0,
                     {Rect("Side", 1, 0, 0, 23.25, 11.875), shelf, Rect("Odd", 3, 0, 12, 10.3, 5)},
                     {Spare(24, 0, 72.5, 48), Spare(10.425, 12, 12.825, 36)})});
    result.settings.unit = unit;
    result.settings.cut.bladeWidth = 0.125;
    result.settings.cut.margins = {0.25, 0, 0, 0};
    return result;
}

bool Holds(const std::vector<std::string>& lines, const std::string& text) {
    return std::any_of(lines.begin(), lines.end(), [&text](const std::string& line) {
        return line.find(text) != std::string::npos;
    });
}

// A line that begins with the caption and ends with the value.
bool HasLine(const std::vector<std::string>& lines, const std::string& caption,
             const std::string& value) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.starts_with(caption) && line.ends_with(value);
    });
}

std::vector<std::string> OffcutLines(const AppliedResult& result) {
    CellTable parts;
    return BuildOffcutLines({Entered(result, parts), OutputChoicesOf(SettingsForm{})}, 0);
}

}  // namespace

TEST(InchOutputs, TextsForPeopleShowFractionsAndFilesForProgramsDecimals) {
    const AppliedResult plan = BoardPlan("in 1/16");
    const std::vector<PartLabel> labels = PartLabels(plan);
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_EQ(labels[0].size, "23 1/4 x 11 7/8 in");
    // A turned part is named by its sizes as entered.
    EXPECT_EQ(labels[1].size, "22 3/4 x 1/2 in");
    EXPECT_EQ(labels[2].size, "~10 5/16 x 5 in");
    EXPECT_NE(labels[0].QrText().find("23 1/4 x 11 7/8 in"), std::string::npos);

    const std::vector<std::string> report = WriteReport(plan);
    EXPECT_TRUE(HasLine(report, "Blade Width:", " 1/8"));
    EXPECT_TRUE(HasLine(report, "Top Margin:", " 1/4"));
    const std::vector<std::string> printed = LayoutPrintLines(plan, 0, "");
    EXPECT_TRUE(Holds(printed, "96 1/2"));
    EXPECT_TRUE(Holds(printed, "Blade Width:1/8"));
    EXPECT_EQ(MakeLayoutPage(plan, 0).captions.sheetLength, "96 1/2");

    // An offcut list is read back as stock: an exact fraction, or the decimals.
    const std::vector<std::string> offcuts = OffcutLines(plan);
    EXPECT_TRUE(Holds(offcuts, "\t72 1/2\t48\t")) << offcuts[0];
    EXPECT_TRUE(Holds(offcuts, "\t12.825\t36\t")) << offcuts[1];
    EXPECT_FALSE(Holds(offcuts, "~"));

    const nlohmann::json json = nlohmann::json::parse(ResultJson(plan));
    EXPECT_EQ(json["unit"], "in");
    EXPECT_EQ(json["fractions"], 16);
    EXPECT_EQ(json["sheets"][0]["length"], 96.5);
    EXPECT_EQ(json["sheets"][0]["parts"][0]["length"], 23.25);
}

TEST(InchOutputs, DecimalInchesShowWhatAMetricPlanShows) {
    const AppliedResult metric = BoardPlan("mm"), inches = BoardPlan("in");
    const auto unitless = [](std::vector<std::string> lines, const std::string& unit) {
        for (std::string& line : lines)
            if (line.size() >= unit.size() &&
                line.compare(line.size() - unit.size(), unit.size(), unit) == 0)
                line.erase(line.size() - unit.size());
        return lines;
    };
    EXPECT_EQ(unitless(WriteReport(inches), "in"), unitless(WriteReport(metric), "mm"));
    EXPECT_EQ(OffcutLines(inches), OffcutLines(metric));
    EXPECT_EQ(PartLabels(inches)[0].size, "23.25 x 11.875 in");
    EXPECT_EQ(MakeLayoutPage(inches, 0).captions.sheetLength,
              MakeLayoutPage(metric, 0).captions.sheetLength);
    nlohmann::json json = nlohmann::json::parse(ResultJson(inches));
    EXPECT_EQ(json["fractions"], 0);
    json.erase("unit");
    json.erase("fractions");
    EXPECT_EQ(json, nlohmann::json::parse(ResultJson(metric)));
}
