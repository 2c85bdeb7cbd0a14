#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "export/OffcutExport.h"
#include "io/TableInput.h"
#include "support/LayoutFixture.h"
#include "support/ScratchFolder.h"

using namespace tarvex;

namespace {

class OffcutExport : public ::testing::Test {
  protected:
    std::vector<std::string> Lines(std::vector<Offcut> offcuts, int count = 1) {
        AppliedResult result = ResultOf({LayoutSheet(
            "S", 2440, 1220, count, 0, {Rect("P", 1, 0, 0, 10, 10)}, std::move(offcuts))});
        result.settings.offcutPrefix = jobPrefix;
        return BuildOffcutLines({Entered(result, parts), OutputChoicesOf(settings)}, 0);
    }

    CellTable parts;
    SettingsForm settings;
    std::string jobPrefix = "YL";
};

}  // namespace

TEST_F(OffcutExport, GoldenFile) {
    const AppliedResult result = SmallResult();
    const std::string path = NewScratchFolder("export") + "/offcuts.txt";
    const ExportOutcome outcome =
        ExportOffcuts({Entered(result, parts), OutputChoicesOf(settings)}, 0, path);
    ASSERT_TRUE(outcome.ok);
    EXPECT_EQ(outcome.message, "Congratulations! Exported successfully!");
    ExpectGolden("small_offcuts.txt", ReadBytes(path));
}

TEST_F(OffcutExport, EqualSizesMergeInEitherOrientation) {
    const std::vector<std::string> lines =
        Lines({Spare(0, 0, 500, 300), Spare(0, 0, 300, 500), Spare(0, 0, 200, 100)}, 3);
    EXPECT_EQ(lines, (std::vector<std::string>{"YL1\t500\t300\t6\t0", "YL2\t200\t100\t3\t0"}));
}

TEST_F(OffcutExport, SizesAreWrittenAsMeasured) {
    const std::vector<std::string> lines =
        Lines({Spare(0, 0, 600.5, 1220), Spare(0, 0, 15.4, 0.25),
               // Different doubles, the same single-precision value: one line.
               Spare(0, 0, 15.400000001, 0.25),
               // A sum that missed its decimal by a rounding error.
               Spare(0, 0, 2440 - 2011.2, 100)});
    EXPECT_EQ(lines, (std::vector<std::string>{"YL1\t600.5\t1220\t1\t0", "YL2\t15.4\t0.25\t2\t0",
                                               "YL3\t428.8\t100\t1\t0"}));
}

TEST_F(OffcutExport, PrefixIsTrimmedAndStaysOneField) {
    const std::vector<Offcut> two = {Spare(0, 0, 50, 40), Spare(0, 0, 30, 20)};
    settings.offcutPrefix = "   ";
    EXPECT_EQ(Lines(two)[0].substr(0, 4), "YL1\t");
    settings.offcutPrefix = " OC ";
    EXPECT_EQ(Lines(two)[1].substr(0, 4), "OC2\t");
    settings.offcutPrefix = "A\tB\nC";
    EXPECT_EQ(Lines(two)[0], "A B C1\t50\t40\t1\t0");
    jobPrefix = "JOB";  // the job's prefix is not the one the list uses
    settings.offcutPrefix = "";
    EXPECT_EQ(Lines(two)[0].substr(0, 3), "YL1");
}

TEST_F(OffcutExport, LayoutWithoutOffcutsWritesNothingAndSaysSo) {
    const std::string path = NewScratchFolder("export") + "/offcuts.txt";
    std::ofstream(path) << "previous";
    const AppliedResult result = ResultOf({LayoutSheet("S", 100, 100, 1, 0, {})});
    const ExportOutcome outcome =
        ExportOffcuts({Entered(result, parts), OutputChoicesOf(settings)}, 0, path);
    EXPECT_TRUE(outcome.ok);
    EXPECT_EQ(outcome.message, "The layout has no reusable offcuts.");
    EXPECT_EQ(ReadBytes(path), "previous");

    const ExportOutcome missing =
        ExportOffcuts({Entered(result, parts), OutputChoicesOf(settings)}, 1, path);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(ReadBytes(path), "previous");
}
