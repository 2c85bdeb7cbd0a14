#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "io/TextFile.h"
#include "io/Workbook.h"
#include "support/ScratchFolder.h"

using namespace tarvex;

namespace {

void WriteRaw(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace

TEST(TextFile, WritesCrLfAndReadsBack) {
    const std::string path = NewScratchFolder("textfile") + "/list.txt";
    std::string error;
    ASSERT_TRUE(WriteLinesCrLf(path, {"a\tb", "桦木"}, error)) << error;
    std::string text;
    ASSERT_TRUE(ReadTextFile(path, text, error)) << error;
    EXPECT_EQ(text, "a\tb\r\n桦木\r\n");
    EXPECT_EQ(SplitLines(text), (std::vector<std::string>{"a\tb", "桦木"}));
}

TEST(TextFile, FailedRenameLeavesNoTemporaryBehind) {
    // A folder in the way makes the final rename fail, even for root.
    const std::string dir = NewScratchFolder("textfile");
    const std::string path = dir + "/taken";
    ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
    WriteRaw(path + "/inside.txt", "old");
    std::string error;
    EXPECT_FALSE(WriteFileAtomic(path, "new", error));
    EXPECT_NE(error.find(path), std::string::npos);
    std::string text;
    ASSERT_TRUE(ReadTextFile(path + "/inside.txt", text, error));
    EXPECT_EQ(text, "old");
    int entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        entries += e.path().filename().string().find("tmp-") != std::string::npos ? 1 : 0;
    EXPECT_EQ(entries, 0);
}

TEST(TextFile, WriteIntoMissingFolderFailsWithItsName) {
    std::string error;
    EXPECT_FALSE(WriteFileAtomic("/nonexistent-folder/x.txt", "x", error));
    EXPECT_NE(error.find("/nonexistent-folder/x.txt"), std::string::npos);
}

TEST(TextFile, ReadsBomUtf8AndGb18030) {
    const std::string dir = NewScratchFolder("textfile");
    std::string text, error;
    WriteRaw(dir + "/bom.txt",
             "\xEF\xBB\xBF"
             "abc");
    ASSERT_TRUE(ReadTextFile(dir + "/bom.txt", text, error));
    EXPECT_EQ(text, "abc");
    WriteRaw(dir + "/gb.txt", "\xC9\xE8\xB1\xB8\t1");  // "设备" in GB18030
    ASSERT_TRUE(ReadTextFile(dir + "/gb.txt", text, error));
    EXPECT_EQ(text, "设备\t1");
    EXPECT_FALSE(ReadTextFile(dir + "/missing.txt", text, error));
    EXPECT_NE(error.find("missing.txt"), std::string::npos);
}

TEST(TextFile, SplitsEveryLineEnd) {
    EXPECT_EQ(SplitLines("a\rb\nc\r\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(SplitLines("").empty());
}

TEST(TextFile, RecognisesMalformedUtf8) {
    EXPECT_TRUE(IsValidUtf8("plain 桦木 ✓"));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));      // overlong
    EXPECT_FALSE(IsValidUtf8("\xE6\xA1"));      // truncated
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // surrogate
}

// Only regular files of sane size are read, by the list and project readers and
// by the workbook reader alike: anything else is a message naming the path, at
// once, never a crash or a read that does not end.
TEST(TextFile, OnlyRegularFilesOfBoundedSizeAreRead) {
    const std::string dir = NewScratchFolder("textfile");
    ASSERT_EQ(mkfifo((dir + "/pipe").c_str(), 0600), 0);
    const std::string huge = dir + "/huge.txt";
    WriteRaw(huge, "");
    std::filesystem::resize_file(huge, (std::uint64_t{256} << 20) + 1);  // sparse
    const std::string withNul = std::string("list") + '\0' + ".txt";
    struct Case {
        std::string path, reason, shown;
    };
    const std::vector<Case> cases = {
        {dir, "it is a folder", dir},
        {"/dev/zero", "not a regular file", "/dev/zero"},
        {dir + "/pipe", "not a regular file", dir + "/pipe"},
        {huge, "larger than", huge},
        {withNul, "NUL", "list\\0.txt"},
        {dir + "/missing.txt", "does not exist", dir + "/missing.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        std::string text = "kept", error;
        EXPECT_FALSE(ReadTextFile(c.path, text, error));
        EXPECT_EQ(text, "kept");
        EXPECT_NE(error.find("\"" + c.shown + "\""), std::string::npos) << error;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        SheetCells cells;
        error.clear();
        EXPECT_FALSE(ReadWorkbookSheet(c.path, 6, cells, error));
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
}
