// The banding table of the settings: its list file beside the project, and its
// conversion into the job's bandings.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "io/BandingInput.h"
#include "io/BandingList.h"
#include "io/OutcomeText.h"
#include "io/ProjectFiles.h"
#include "io/TableCalculation.h"
#include "io/TableInput.h"
#include "io/TextFile.h"
#include "support/DataFixtures.h"
#include "support/JobTables.h"
#include "support/ScratchFolder.h"

using namespace tarvex;

namespace {

using fixtures::ReadBytes;
using fixtures::WriteBytes;

const std::vector<std::string> kNames = {"ABS 2mm", "封边 白色", "Oak veneer", "PVC  0.4",
                                         "x",       "橡木",      "A=B",        "Band #1"};
const std::vector<std::string> kLengths = {"0", "2", "0.4", "1.25", "12", "3/32", "1 1/8"};

// Forms of distinct names (whatever their letter case), some rows blank, some
// without an allowance, lengths as a unit of inches reads them.
BandingForm GeneratedForm(std::mt19937& random) {
    BandingForm form;
    form.finishedSizes = random() % 2 == 0;
    std::vector<std::string> names = kNames;
    std::shuffle(names.begin(), names.end(), random);
    names.resize(random() % (names.size() + 1));
    for (const std::string& name : names) {
        if (random() % 5 == 0) form.rows.push_back({});
        const auto pick = [&] { return kLengths[random() % kLengths.size()]; };
        form.rows.push_back({name, pick(), random() % 3 == 0 ? std::string() : pick()});
    }
    return form;
}

BandingForm WithoutBlankRows(BandingForm form) {
    std::erase_if(form.rows, IsBlankBanding);
    return form;
}

TEST(BandingList, WrittenFormsReadBackAsTheyWereTyped) {
    const std::string path = NewScratchFolder("io") + "/job.banding.txt";
    const LengthFormat inches = LengthFormatOf("in");
    std::mt19937 random(26);
    for (int i = 0; i < 300; ++i) {
        const BandingForm form = GeneratedForm(random);
        std::string error;
        ASSERT_TRUE(WriteBandingList(path, form, error)) << error;
        BandingForm read;
        ASSERT_TRUE(ReadBandingList(path, inches, read, error)) << error;
        EXPECT_EQ(read, WithoutBlankRows(form)) << ReadBytes(path);
        // What the file holds is what the table gives the job.
        BandingSettings fromFile, fromTable;
        InputFault fault;
        ASSERT_TRUE(ReadBandings(read, inches, fromFile, fault));
        ASSERT_TRUE(ReadBandings(form, inches, fromTable, fault));
        EXPECT_EQ(fromFile, fromTable);
    }
}

TEST(BandingList, HandWrittenListsSkipCommentsAndTakeTheFlagAnywhere) {
    const std::string path = NewScratchFolder("io") + "/hand.banding.txt";
    WriteBytes(path,
               "\xEF\xBB\xBF# edge bandings of the kitchen\n\n"
               "ABS white\t2\t30\r\n"
               "  Finished Sizes = YES  \n"
               "Veneer\t0.5\n");
    BandingForm read;
    std::string error;
    ASSERT_TRUE(ReadBandingList(path, LengthFormatOf("mm"), read, error)) << error;
    EXPECT_TRUE(read.finishedSizes);
    EXPECT_EQ(read.rows,
              (std::vector<BandingTexts>{{"ABS white", "2", "30"}, {"Veneer", "0.5", ""}}));
}

TEST(BandingList, ABadLineStopsTheReadingNamingFileLineAndFault) {
    const std::string path = NewScratchFolder("io") + "/bad.banding.txt";
    struct Case {
        std::string line;
        std::string fault;
    };
    const std::vector<Case> cases = {
        {"\t2", "the banding has no name"},
        {"ABS\tthick", "the thickness \"thick\" is not a length"},
        {"ABS\t", "the thickness \"\" is not a length"},
        {"ABS", "the thickness \"\" is not a length"},
        {"ABS\t-1", "the thickness must not be negative"},
        {"ABS\t1\tlots", "the allowance \"lots\" is not a length"},
        {"ABS\t1\t-5", "the allowance must not be negative"},
        {"ABS\t1\t2\t3", "a banding line has a name, a thickness and an allowance, no more"},
        {"abs 2MM\t1", "the banding \"abs 2MM\" is already in the list"},
        {"finished sizes=maybe", "\"maybe\" is neither yes nor no"},
    };
    for (const Case& c : cases) {
        WriteBytes(path, "# list\r\nABS 2mm\t2\t25\r\n" + c.line + "\r\nLater\t1\r\n");
        BandingForm read;
        std::string error;
        EXPECT_FALSE(ReadBandingList(path, LengthFormatOf("mm"), read, error)) << c.line;
        EXPECT_EQ(error, "Reading of \"" + path + "\" stopped at line 3: " + c.fault) << c.line;
        EXPECT_EQ(read.rows, (std::vector<BandingTexts>{{"ABS 2mm", "2", "25"}})) << c.line;
    }
}

TEST(BandingTable, ABadCellIsRefusedNamingItsRowAndColumn) {
    SettingsForm form;
    form.banding.rows = {{"ABS", "2", ""}, {}, {"Oak", "1", "-3"}};
    JobSettings settings;
    InputFault fault;
    ASSERT_FALSE(ReadJobSettings(form, settings, fault));
    EXPECT_EQ(FaultText(fault),
              "Bandings, row 3, column \"Allowance\": the length must not be negative.");
    form.banding.rows[2] = {"abs", "2", ""};
    ASSERT_FALSE(ReadJobSettings(form, settings, fault));
    EXPECT_EQ(FaultText(fault), "Bandings, row 3: the banding \"abs\" is already in the list.");
    form.banding.rows[2] = {" ", "1,5", ""};
    ASSERT_FALSE(ReadJobSettings(form, settings, fault));
    EXPECT_EQ(FaultText(fault), "Bandings, row 3: the banding has no name.");
    form.banding.rows[2] = {"Oak", "1,5", ""};
    ASSERT_FALSE(ReadJobSettings(form, settings, fault));
    EXPECT_EQ(FaultText(fault), "Bandings, row 3, column \"Thickness\": \"1,5\" is not a number.");
    form.banding.rows[2] = {" Oak ", "1.5", "20"};
    form.banding.finishedSizes = true;
    ASSERT_TRUE(ReadJobSettings(form, settings, fault)) << FaultText(fault);
    EXPECT_EQ(settings.banding,
              (BandingSettings{{{"ABS", 2, 0}, {"Oak", 1.5, 20}}, /*finishedSizes=*/true}));
}

TEST(BandingTable, AnUnknownBandingOfAPartIsRefusedNamingItsRowAndColumn) {
    SettingsForm form;
    form.banding.rows = {{"ABS", "2", ""}};
    CellTable sheets = SheetTable({{"Birch", "2440", "1220", "2", "10", "Yes"}});
    CellTable parts = PartTable({{"Side", "720", "560", "2", "Yes", "", "ABS", "abs"},
                                 {"Door", "700", "400", "1", "Yes", "", "", "", "", "Oak"}});
    Calculation calc;
    const std::optional<CalcOutcome> ended = PrepareFromTables(calc, form, sheets, parts);
    ASSERT_TRUE(ended);
    EXPECT_EQ(OutcomeText(*ended),
              "Parts, row 2, column \"W2\": the banding list has no banding \"Oak\".");
}

class ProjectBanding : public ::testing::Test {
  protected:
    void SetUp() override {
        names_ = {.SheetFileName = dir_ + "/sheets.txt", .PartFileName = dir_ + "/parts.txt"};
        WriteBytes(names_.SheetFileName, "Birch\t2440\t1220\t2\t80\tYes\r\n");
        WriteBytes(names_.PartFileName, "Side\t720\t560\t4\tYes\r\n");
    }
    ProjectResult Open(SettingsForm& form) {
        CellTable sheets = NewSheetTable(), parts = NewPartTable();
        ListFileNames names;
        return LoadProject(project_, sheets, parts, names, form);
    }

    std::string dir_ = NewScratchFolder("io");
    std::string project_ = dir_ + "/kitchen.dat";
    std::string bandingList_ = dir_ + "/kitchen.banding.txt";
    ListFileNames names_;
};

TEST_F(ProjectBanding, IsSavedBesideTheProjectAndOpenedWithIt) {
    EXPECT_EQ(BandingListPath(project_), bandingList_);
    SettingsForm form;
    form.banding = {{{"ABS 2mm", "2", "30"}, {"封边", "0.4", ""}}, true};
    ASSERT_TRUE(SaveProject(project_, names_, form).ok);
    EXPECT_EQ(ReadBytes(bandingList_), "finished sizes=yes\r\nABS 2mm\t2\t30\r\n封边\t0.4\r\n");
    SettingsForm opened;
    opened.banding.rows = {{"left over", "1", ""}};
    const ProjectResult result = Open(opened);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.message, "");
    EXPECT_EQ(opened.banding, form.banding);
}

TEST_F(ProjectBanding, AProjectWithoutBandingWritesNoListAndOpensWithoutAny) {
    SettingsForm form;
    form.banding.rows = {{}, {" ", "", ""}};
    ASSERT_TRUE(SaveProject(project_, names_, form).ok);
    EXPECT_FALSE(std::filesystem::exists(bandingList_));
    EXPECT_EQ(SplitLines(ReadBytes(project_)).size(), 26u);
    SettingsForm opened;
    opened.banding = {{{"left over", "1", ""}}, true};
    const ProjectResult result = Open(opened);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.message, "");
    EXPECT_EQ(opened.banding, BandingForm{});
}

TEST_F(ProjectBanding, BandingsClearedStayClearedWhenTheProjectIsOpenedAgain) {
    SettingsForm form;
    form.banding = {{{"ABS 2mm", "2", "30"}}, true};
    ASSERT_TRUE(SaveProject(project_, names_, form).ok);
    form.banding = {};
    ASSERT_TRUE(SaveProject(project_, names_, form).ok);
    SettingsForm opened;
    EXPECT_TRUE(Open(opened).ok);
    EXPECT_EQ(opened.banding, BandingForm{});
}

TEST_F(ProjectBanding, ABadBandingLineIsNamedAndTheProjectStillOpens) {
    SettingsForm form;
    ASSERT_TRUE(SaveProject(project_, names_, form).ok);
    WriteBytes(bandingList_, "ABS\t2\r\nOak\tthin\r\n");
    const ProjectResult result = Open(form);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.message, "Reading of \"" + bandingList_ +
                                  "\" stopped at line 2: the thickness \"thin\" is not a length");
    EXPECT_EQ(form.banding.rows, (std::vector<BandingTexts>{{"ABS", "2", ""}}));
}

}  // namespace
