#include <gtest/gtest.h>

#include "io/Workbook.h"
#include "support/WorkbookFiles.h"

namespace {

SheetCells Read(const std::string& name, int columns = 5) {
    SheetCells sheet;
    std::string error;
    EXPECT_TRUE(ReadWorkbookSheet(WorkbookPath(name), columns, sheet, error)) << error;
    return sheet;
}

class WorkbookWriters : public testing::TestWithParam<const char*> {
  protected:
    std::string File(const std::string& stem) const { return stem + GetParam(); }
};

TEST_P(WorkbookWriters, NumbersReadInGeneralFormatAndTextsUnchanged) {
    const SheetCells sheet = Read(File("numbers"));
    EXPECT_EQ(sheet.Cell(1, 1), "1e-07");
    EXPECT_EQ(sheet.Cell(1, 2), "0.3");
    EXPECT_EQ(sheet.Cell(1, 3), "1e+15");
    EXPECT_EQ(sheet.Cell(1, 4), "1200");
    EXPECT_EQ(sheet.Cell(1, 5), "-3");
    EXPECT_EQ(sheet.Cell(2, 1), " ");  // a blank is not an empty cell
    EXPECT_EQ(sheet.Cell(2, 2), "  x ");
    EXPECT_EQ(sheet.Cell(2, 3), "1");  // TRUE
    EXPECT_EQ(sheet.Cell(2, 4), "");
}

TEST_P(WorkbookWriters, RowBoundReachesTheLastUsedRow) {
    const SheetCells twelve = Read(File("twelve"));
    EXPECT_EQ(twelve.RowBound(), 12);
    EXPECT_EQ(twelve.Cell(12, 1), "P12");
    EXPECT_EQ(twelve.Cell(12, 2), "1200");
    EXPECT_EQ(twelve.Cell(13, 1), "");

    const SheetCells sparse = Read(File("sparse"));
    EXPECT_EQ(sparse.RowBound(), 500);
    EXPECT_EQ(sparse.Cell(500, 1), "Far");
    EXPECT_EQ(sparse.Cell(250, 1), "");
}

TEST_P(WorkbookWriters, KeepsOnlyTheColumnsAsked) {
    const SheetCells sheet = Read(File("parts"), 3);
    EXPECT_EQ(sheet.Cell(2, 1), "Side 侧板");
    EXPECT_EQ(sheet.Cell(2, 3), "560");
    EXPECT_EQ(sheet.Cell(2, 4), "");
}

INSTANTIATE_TEST_SUITE_P(Formats, WorkbookWriters,
                         testing::Values(".xls", "-inline.xlsx", "-shared.xlsx"));

TEST(Workbook, JoinsRichTextRunsAndReadsFormulaResults) {
    const SheetCells sheet = Read("numbers-shared.xlsx");
    EXPECT_EQ(sheet.Cell(3, 1), "Rich bold tail");
    EXPECT_EQ(sheet.Cell(2, 5), "2");
}

TEST(Workbook, ReadsPackagesOfOtherWriters) {
    // Prefixed element names, cells without references, relative targets with ".."
    // and "./", a phonetic run to leave out.
    const SheetCells sheet = Read("prefixed.xlsx");
    EXPECT_EQ(sheet.Cell(1, 1), "漢字 part");
    EXPECT_EQ(sheet.Cell(1, 2), "720");
    EXPECT_EQ(sheet.Cell(1, 4), "2");
    EXPECT_EQ(sheet.Cell(1, 5), "no");
    EXPECT_EQ(sheet.Cell(3, 1), "third");
    EXPECT_EQ(sheet.Cell(3, 2), "1e-07");
    EXPECT_EQ(sheet.RowBound(), 3);

    // Absolute targets ("/xl/worksheets/sheet1.xml").
    EXPECT_EQ(Read("parts-absolute.xlsx").Cell(2, 1), "Side 侧板");
}

TEST(Workbook, ReadsTheSheetShownOnOpening) {
    EXPECT_EQ(Read("active-second.xlsx").Cell(1, 1), "Second sheet");
    EXPECT_EQ(Read("two-sheets.xls").Cell(1, 1), "P1");
}

TEST(Workbook, RefusesFilesThatAreNotWholeWorkbooks) {
    const struct {
        const char* file;
        const char* reason;
    } cases[] = {
        {"missing.xls", "does not exist"},
        {"", "it is a folder"},
        {"text.xls", "not an .xls or .xlsx workbook"},
        {"empty.xls", "not an .xls or .xlsx workbook"},
        {"plain.xlsx", "not an .xls or .xlsx workbook"},
        {"parts-truncated.xls", "damaged or incomplete"},
        {"parts-shared-truncated.xlsx", "damaged or incomplete"},
        {"damaged.xlsx", "damaged or incomplete"},
        {"badcrc.xlsx", "damaged or incomplete"},
        {"encrypted.xls", "protected by a password"},
        {"encrypted-package.xlsx", "protected by a password"},
    };
    for (const auto& c : cases) {
        const std::string path = WorkbookPath(c.file);
        SheetCells sheet;
        sheet.SetCell(1, 1, "kept");
        std::string error;
        EXPECT_FALSE(ReadWorkbookSheet(path, 5, sheet, error)) << c.file;
        EXPECT_NE(error.find('"' + path + '"'), std::string::npos) << error;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        EXPECT_EQ(sheet.Cell(1, 1), "kept") << c.file;
        EXPECT_EQ(sheet.RowBound(), 1) << c.file;
    }
}

}  // namespace
