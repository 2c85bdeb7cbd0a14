#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "io/ProjectFiles.h"
#include "io/TextFile.h"
#include "support/DataFixtures.h"
#include "support/ScratchFolder.h"

using namespace tarvex;

namespace {

using fixtures::ReadBytes;
using fixtures::WriteBytes;

// Every stored setting differs from its default.
SettingsForm CustomForm() {
    return {.speed = 9,
            .guillotine = true,
            .seed = {},  // the search's settings are not part of a project
            .unit = "in",
            .bladeWidth = "3.2",
            .decimals = "1",
            .minOffcutLength = "100",
            .minOffcutWidth = "50",
            .minOffcutArea = "9000",
            .marginTop = "5",
            .marginBottom = "6",
            .marginLeft = "7",
            .marginRight = "8",
            .printFont = "Noto Sans CJK",
            .printFontSize = "12",
            .printTitle = "厨房柜",
            .edgeColor = 1,
            .sheetColor = 2,
            .partColor = 3,
            .offcutColor = 49,
            .huazhong = false,
            .drillDepth = "-1.5",
            .safeHeight = "  5 ",  // edit texts keep their blanks
            .dxfDimensions = true};
}

// The lines a form gives in a project file (list paths left empty).
std::vector<std::string> Stored(const SettingsForm& f) {
    const std::string path = NewScratchFolder("io") + "/p.dat";
    WriteBytes(path + ".txt", "");
    SaveProject(path, {path + ".txt", path + ".txt"}, f);
    std::string text, error;
    ReadTextFile(path, text, error);
    std::vector<std::string> lines = SplitLines(text);
    return {lines.begin() + 2, lines.end()};
}

class ProjectFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        names_.SheetFileName = dir_ + "/sheets.txt";
        names_.PartFileName = dir_ + "/parts.txt";
        WriteBytes(names_.SheetFileName, "Birch\t2440\t1220\t2\t80\tYes\r\n");
        WriteBytes(names_.PartFileName, "Side\t720\t560\t4\tYes\r\n");
    }
    // A project file of the given lines (CR LF ends).
    std::string WriteProject(const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& line : lines) text += line + "\r\n";
        const std::string path = dir_ + "/job.dat";
        WriteBytes(path, text);
        return path;
    }
    ProjectResult Load(const std::string& path) {
        return LoadProject(path, sheets_, parts_, loadedNames_, form_);
    }

    std::string dir_ = NewScratchFolder("io");
    ListFileNames names_;
    ListFileNames loadedNames_;
    SettingsForm form_;
    CellTable sheets_ = NewSheetTable();
    CellTable parts_ = NewPartTable();
};

}  // namespace

TEST_F(ProjectFiles, SaveThenOpenRestoresListsAndSettings) {
    const std::string path = dir_ + "/job.dat";
    const ProjectResult saved = SaveProject(path, names_, CustomForm());
    ASSERT_TRUE(saved.ok) << saved.message;

    const std::string expected =
        "sheets.txt\r\nparts.txt"
        "\r\n9\r\n1\r\nNoto Sans CJK\r\n12\r\n厨房柜\r\nin\r\n3.2\r\n1\r\n"
        "5\r\n6\r\n7\r\n8\r\n100\r\n50\r\n9000\r\n1\r\n2\r\n3\r\n49\r\n"
        "2\r\n-1.5\r\n  5 \r\n1\r\n0\r\n";
    EXPECT_EQ(ReadBytes(path), expected);

    SettingsForm before;
    before.offcutPrefix = "OFF";
    before.costOptimization = true;
    form_ = before;
    const ProjectResult loaded = Load(path);
    EXPECT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.message, "");
    EXPECT_EQ(loaded.linesApplied, 26);
    EXPECT_EQ(Stored(form_), Stored(CustomForm()));
    EXPECT_EQ(form_.offcutPrefix, "OFF");  // not part of a project
    EXPECT_TRUE(form_.costOptimization);
    EXPECT_EQ(loadedNames_.SheetFileName, names_.SheetFileName);
    EXPECT_EQ(loadedNames_.PartFileName, names_.PartFileName);
    EXPECT_EQ(sheets_.Cell(2, 0), "Birch");
    EXPECT_EQ(parts_.Cell(2, 0), "Side");
    EXPECT_EQ(parts_.Cell(0, 3), "4");

    // Saving again after opening writes the same list paths it read.
    ASSERT_TRUE(SaveProject(dir_ + "/again.dat", loadedNames_, form_).ok);
    EXPECT_EQ(ReadBytes(dir_ + "/again.dat"), ReadBytes(path));
}

TEST_F(ProjectFiles, SaveWantsBothListsSavedPartsFirst) {
    const std::string path = dir_ + "/job.dat";
    ListFileNames none;
    EXPECT_EQ(ProjectSaveRefusal(none), "Please save the parts first!");
    ListFileNames sheetsOnly{names_.SheetFileName, dir_ + "/never-saved.txt"};
    EXPECT_EQ(ProjectSaveRefusal(sheetsOnly), "Please save the parts first!");
    ListFileNames partsOnly{"", names_.PartFileName};
    const ProjectResult r = SaveProject(path, partsOnly, SettingsForm{});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "Please save the sheets first!");
    EXPECT_EQ(ReadBytes(path), "");                   // nothing written
    ListFileNames folder{dir_, names_.PartFileName};  // a folder is no list file
    EXPECT_EQ(ProjectSaveRefusal(folder), "Please save the sheets first!");
    EXPECT_EQ(ProjectSaveRefusal(names_), "");
}

TEST_F(ProjectFiles, SliderIsBroughtIntoRangeAndDialectIsTrimmed) {
    const std::vector<std::pair<std::string, int>> sliders = {
        {"20", 12}, {"0", 1}, {"-3", 1}, {"7", 7}};
    for (const auto& [value, expected] : sliders) {
        Load(WriteProject({"", "", value}));
        EXPECT_EQ(form_.speed, expected) << value;
    }
    std::vector<std::string> lines(26, "0");
    lines[0] = lines[1] = "";
    const std::vector<std::pair<std::string, bool>> dialects = {
        {" 1 ", true}, {"\t1", true}, {"2", false}, {"0", false}, {"", false}, {"11", false}};
    for (const auto& [value, hua] : dialects) {
        lines[21] = value;
        form_.huazhong = !hua;
        EXPECT_EQ(Load(WriteProject(lines)).linesApplied, 26);
        EXPECT_EQ(form_.huazhong, hua) << "\"" << value << "\"";
    }
}

TEST_F(ProjectFiles, EmptyAndShortProjectsApplyWhatTheyHave) {
    form_ = CustomForm();
    ProjectResult r = Load(WriteProject({}));
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.linesApplied, 0);
    EXPECT_EQ(Stored(form_), Stored(CustomForm()));

    // An older project of nine lines: the blade width is its last value.
    r = Load(WriteProject({"", "", "2", "0", "Arial", "9", "T", "cm", "4"}));
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.message, "");
    EXPECT_EQ(r.linesApplied, 9);
    EXPECT_EQ(form_.bladeWidth, "4");
    EXPECT_EQ(form_.decimals, "1");  // kept
    EXPECT_EQ(form_.offcutColor, 49);
}

TEST_F(ProjectFiles, BadValueStopsApplyingAndSaysWhere) {
    form_ = CustomForm();
    const std::string path =
        WriteProject({names_.SheetFileName, names_.PartFileName, "5", "yes", "Arial"});
    const ProjectResult r = Load(path);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.linesApplied, 3);
    EXPECT_NE(r.message.find(path), std::string::npos);
    EXPECT_NE(r.message.find("line 4"), std::string::npos);
    EXPECT_NE(r.message.find("\"yes\""), std::string::npos);
    EXPECT_EQ(sheets_.Cell(2, 0), "Birch");  // lines before it stay applied
    EXPECT_EQ(form_.speed, 5);
    EXPECT_TRUE(form_.guillotine);  // not changed
    EXPECT_EQ(form_.printFont, "Noto Sans CJK");

    std::vector<std::string> lines(26, "0");
    lines[0] = lines[1] = "";
    lines[17] = "50";  // there is no 51st colour
    const ProjectResult colour = Load(WriteProject(lines));
    EXPECT_EQ(colour.linesApplied, 17);
    EXPECT_NE(colour.message.find("line 18"), std::string::npos);
}

TEST_F(ProjectFiles, MissingSheetListStopsBeforeAnyOtherChange) {
    form_ = CustomForm();
    sheets_.SetCell(2, 0, "typed");
    const std::string moved = dir_ + "/moved-away.txt";
    const ProjectResult r = Load(WriteProject({moved, names_.PartFileName, "1"}));
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.linesApplied, 0);
    EXPECT_NE(r.message.find("line 1"), std::string::npos);
    EXPECT_NE(r.message.find(moved), std::string::npos);
    EXPECT_EQ(loadedNames_.SheetFileName, moved);  // stored and shown all the same
    EXPECT_EQ(loadedNames_.PartFileName, "");
    EXPECT_EQ(sheets_.Cell(2, 0), "typed");
    EXPECT_EQ(parts_.Cell(2, 0), "");
    EXPECT_EQ(form_.speed, 9);
}

TEST_F(ProjectFiles, MissingSectionedListOrBadListLineLetsApplyingGoOn) {
    const std::string gone = dir_ + "/gone.sht";
    WriteBytes(dir_ + "/Parts.PRT", "[PART1]\r\nLABEL=x\r\n");
    // Stored with upper-case letters, the extension does not select the sectioned reader.
    const ProjectResult r = Load(WriteProject({gone, dir_ + "/Parts.PRT", "3"}));
    EXPECT_EQ(r.linesApplied, 3);
    EXPECT_EQ(form_.speed, 3);
    EXPECT_NE(r.message.find(gone), std::string::npos);
    EXPECT_NE(r.message.find("Parts.PRT\" stopped at line 1"), std::string::npos);
    EXPECT_EQ(sheets_.Cell(0, 2), "0.0");
}

TEST_F(ProjectFiles, RelativeListPathsBelongToTheProjectFolder) {
    const ProjectResult r = Load(WriteProject({"sheets.txt", "./parts.txt", "4"}));
    EXPECT_EQ(r.message, "");
    EXPECT_EQ(loadedNames_.SheetFileName, names_.SheetFileName);
    EXPECT_EQ(loadedNames_.PartFileName, names_.PartFileName);
    EXPECT_EQ(sheets_.Cell(2, 0), "Birch");
}

TEST_F(ProjectFiles, ListsInOrBelowTheProjectFolderAreStoredRelativeToIt) {
    std::filesystem::create_directories(dir_ + "/jobs/lists");
    WriteBytes(dir_ + "/jobs/lists/parts.txt", "Side\t720\t560\t4\tYes\r\n");
    const ListFileNames names{names_.SheetFileName, dir_ + "/jobs/./lists/parts.txt"};
    const std::string path = dir_ + "/jobs/job.dat";
    ASSERT_TRUE(SaveProject(path, names, SettingsForm{}).ok);
    std::string text, error;
    ASSERT_TRUE(ReadTextFile(path, text, error));
    const std::vector<std::string> lines = SplitLines(text);
    ASSERT_EQ(lines.size(), 26u);
    EXPECT_EQ(lines[0], names_.SheetFileName);  // above the project's folder: absolute
    EXPECT_EQ(lines[1], "lists/parts.txt");

    // Both read back to the same lists, wherever the project is opened from.
    ASSERT_EQ(LoadProject(path, sheets_, parts_, loadedNames_, form_).message, "");
    EXPECT_EQ(loadedNames_.SheetFileName, names_.SheetFileName);
    EXPECT_EQ(loadedNames_.PartFileName, dir_ + "/jobs/lists/parts.txt");
    EXPECT_EQ(parts_.Cell(2, 0), "Side");
}

TEST(ListPathBesideProject, NamesTheListAfterTheProjectAndNeverTakesAnotherProjectsList) {
    EXPECT_EQ(ListPathBesideProject("/w/kitchen2.dat", TableKind::Part, {"/w/parts.txt"}),
              "/w/kitchen2.parts.txt");
    EXPECT_EQ(ListPathBesideProject("/w/kitchen2.dat", TableKind::Sheet, {}),
              "/w/kitchen2.sheets.txt");
    EXPECT_EQ(ListPathBesideProject("/w/k.dat", TableKind::Part,
                                    {"/w/./k.parts.txt", "/w/k.parts-2.txt"}),
              "/w/k.parts-3.txt");
}

TEST_F(ProjectFiles, LineBreaksInEditTextsCannotShiftLaterLines) {
    SettingsForm f = CustomForm();
    f.printTitle = "two\r\nlines";
    const std::string path = dir_ + "/job.dat";
    ASSERT_TRUE(SaveProject(path, names_, f).ok);
    ASSERT_EQ(Load(path).linesApplied, 26);
    EXPECT_EQ(form_.printTitle, "two  lines");
    EXPECT_EQ(form_.unit, "in");
    EXPECT_TRUE(form_.dxfDimensions);
}

TEST_F(ProjectFiles, UnreadableProjectChangesNothing) {
    form_ = CustomForm();
    const std::string path = dir_ + "/none.dat";
    const ProjectResult r = Load(path);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find(path), std::string::npos);
    EXPECT_EQ(Stored(form_), Stored(CustomForm()));
    EXPECT_EQ(loadedNames_.SheetFileName, "");
}

TEST(ProjectCaption, FileNameWithExtensionBeforeTheBaseCaption) {
    EXPECT_EQ(ProjectCaption("/home/w/jobs/kitchen.dat", "Cutting"), "kitchen.dat - Cutting");
    EXPECT_EQ(ProjectCaption("job.dat", "板材"), "job.dat - 板材");
}
