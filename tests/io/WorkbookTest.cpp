#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <vector>

#include "io/CellAnswer.h"
#include "io/Workbook.h"
#include "io/WorkbookReaders.h"
#include "support/WorkbookFiles.h"

using namespace tarvex;

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

// A long shared string in many cells is kept once, and the text the cells would
// bring into a table is bounded: the amplifying workbook (a few kilobytes, one
// 32 MB string in 14,000 cells) is refused at once instead of taking gigabytes.
TEST(Workbook, SharedStringsStaySharedAndTheCellTextIsBounded) {
    const SheetCells repeated = Read("repeated.xlsx");
    EXPECT_EQ(repeated.RowBound(), 40);
    EXPECT_EQ(repeated.Cell(40, 1), std::string(1 << 20, 'y'));
    EXPECT_EQ(&repeated.Cell(1, 1), &repeated.Cell(40, 1));
    EXPECT_EQ(repeated.TextBytes(), std::uint64_t{40} << 20);

    const std::string path = WorkbookPath("amplifying.xlsx");
    SheetCells sheet;
    sheet.SetCell(1, 1, "kept");
    std::string error;
    const auto begin = std::chrono::steady_clock::now();
    EXPECT_FALSE(ReadWorkbookSheet(path, 5, sheet, error));
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(10));
    EXPECT_EQ(error,
              "Cannot read the workbook \"" + path + "\": its cells hold more than 64 MB of text");
    EXPECT_EQ(sheet.Cell(1, 1), "kept");
}

// The parent takes the child's answer only when it is exactly one: every answer
// cut short is refused, the whole one gives the same cells.
TEST(Workbook, TheChildsAnswerIsTakenOnlyWhole) {
    const SheetCells sheet = Read("parts-shared.xlsx");
    const std::string answer = EncodeCellAnswer(WorkbookFault::kNone, sheet);
    WorkbookFault fault = WorkbookFault::kDamaged;
    SheetCells decoded;
    ASSERT_TRUE(DecodeCellAnswer(answer, 5, fault, decoded));
    EXPECT_EQ(fault, WorkbookFault::kNone);
    ASSERT_EQ(decoded.RowBound(), sheet.RowBound());
    for (int row = 1; row <= sheet.RowBound(); ++row)
        for (int col = 1; col <= 6; ++col) EXPECT_EQ(decoded.Cell(row, col), sheet.Cell(row, col));
    for (size_t n = 0; n < answer.size(); ++n)
        EXPECT_FALSE(DecodeCellAnswer(answer.substr(0, n), 5, fault, decoded)) << n;
    EXPECT_FALSE(DecodeCellAnswer(answer + '\0', 5, fault, decoded));
    EXPECT_FALSE(DecodeCellAnswer(answer, 4, fault, decoded));  // a cell in column 5
}

std::string Crash(const std::string&, int) {
    std::abort();
}

std::string Garbage(const std::string&, int) {
    return "TXC1 and then no answer at all";
}

std::string Loop(const std::string&, int) {
    volatile unsigned turns = 0;
    for (;;) turns = turns + 1;
}

std::string Hoard(const std::string&, int) {
    std::vector<std::string> hoard;
    for (;;) hoard.emplace_back(std::size_t{64} << 20, 'x');
}

// Whatever happens to the reading child, the caller gets a message naming the
// file and its sheet stays as it was.
TEST(Workbook, AChildThatFailsIsAMessageAndChangesNothing) {
    const std::string path = WorkbookPath("parts.xls");
    const struct {
        WorkbookChildWork work;
        const char* reason;
    } cases[] = {
        {Crash, "the reader crashed on it (signal 6)"},
        {Garbage, "the reader gave no valid answer"},
        {Loop, "reading it took longer than 1 seconds"},
        {Hoard, ""},  // out of memory, told by the C++ library or by a sanitizer
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        SheetCells sheet;
        sheet.SetCell(1, 1, "kept");
        std::string error;
        EXPECT_FALSE(
            ReadWorkbookSheetWith(c.work, {std::uint64_t{256} << 20, 1}, path, 5, sheet, error));
        EXPECT_EQ(error.rfind("Cannot read the workbook \"" + path + "\": " + c.reason, 0), 0u)
            << error;
        EXPECT_EQ(sheet.Cell(1, 1), "kept");
        EXPECT_EQ(sheet.RowBound(), 1);
    }
}

}  // namespace
