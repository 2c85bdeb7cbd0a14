#include <gtest/gtest.h>

#include "text/FileMessages.h"

using namespace tarvex;

TEST(Substitute, ReplacesNumberedPlaceholdersLiterally) {
    EXPECT_EQ(Substitute("{2} of {1}", {"a", "b"}), "b of a");
    // Values are not scanned again, and printf directives mean nothing.
    EXPECT_EQ(Substitute("%s {1} %d", {"{2}", "x"}), "%s {2} %d");
    EXPECT_EQ(Substitute("{1}{1}", {"100%"}), "100%100%");
    // Placeholders without a value, and stray braces, stay as written.
    EXPECT_EQ(Substitute("{3} {} {x} {1", {"a"}), "{3} {} {x} {1");
    EXPECT_EQ(Substitute("第 {1} 行", {"7"}), "第 7 行");
}

TEST(StoppedAtLine, NamesFileLineAndFault) {
    EXPECT_EQ(StoppedAtLine("/w/a.txt", 12, "bad"),
              "Reading of \"/w/a.txt\" stopped at line 12: bad");
}
