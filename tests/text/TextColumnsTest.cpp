#include <gtest/gtest.h>

#include "io/TextFile.h"
#include "text/TextColumns.h"

using namespace tarvex;

namespace {

TEST(PadText, PadsOrCutsToExactlyTheColumns) {
    EXPECT_EQ(PadText("abc", 5), "abc  ");
    EXPECT_EQ(PadText("abcdef", 3), "abc");
    EXPECT_EQ(PadText("", 2, '.'), "..");
    EXPECT_EQ(PadText("abc", 0), "");
}

TEST(PadText, CountsWideCharactersAsTwoColumns) {
    EXPECT_EQ(DisplayColumns("侧板"), 4);
    EXPECT_EQ(DisplayColumns("Ａ1"), 3) << "full-width letters are wide";
    EXPECT_EQ(DisplayColumns("é"), 1);
    EXPECT_EQ(PadText("侧板", 6), "侧板  ");
    EXPECT_EQ(DisplayColumns(PadText("桦木胶合板 18mm 特级", 20)), 20);
}

TEST(PadText, NeverSplitsACharacterAtTheCut) {
    // The third wide character would straddle column 5: it is left out and filled.
    const std::string cut = PadText("侧板侧板", 5);
    EXPECT_EQ(cut, "侧板 ");
    EXPECT_TRUE(IsValidUtf8(cut));
    EXPECT_EQ(PadText("aé€b", 3), "aé€");
}

TEST(PadText, MalformedBytesTakeOneColumnEach) {
    EXPECT_EQ(DisplayColumns("a\xff"
                             "b"),
              3);
    EXPECT_EQ(PadText("\xff\xfe", 4), "\xff\xfe  ");
}

// Columns read by eye never run together: a text as long as its column or longer
// is cut and marked with "~", so that a blank always follows it.
TEST(ColumnText, AlwaysLeavesABlankAfterTheText) {
    EXPECT_EQ(ColumnText("abc", 5), "abc  ");
    EXPECT_EQ(ColumnText("abcd", 5), "abcd ");
    EXPECT_EQ(ColumnText("abcde", 5), "abc~ ");
    EXPECT_EQ(ColumnText("Oak veneer MDF 2800x2070", 20), "Oak veneer MDF 280~ ");
    EXPECT_EQ(ColumnText("x", 1), " ");
    EXPECT_EQ(ColumnText("x", 0), "");
    // A wide character that would straddle the cut is left out and its place filled.
    EXPECT_EQ(ColumnText("侧板侧板", 6), "侧板~ ");
    EXPECT_EQ(ColumnText("侧板侧板", 7), "侧板~  ");
    for (const char* text : {"", "a", "侧", "Base side panel, left", "桦木胶合板 18mm 特级"})
        for (int n = 2; n < 24; ++n) {
            const std::string cell = ColumnText(text, n);
            EXPECT_EQ(DisplayColumns(cell), n) << text << " " << n;
            EXPECT_EQ(cell.back(), ' ') << text << " " << n;
        }
}

}  // namespace
