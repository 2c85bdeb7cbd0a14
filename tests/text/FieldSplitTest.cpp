#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "support/ReferenceSplit.h"
#include "text/FieldSplit.h"

using namespace tarvex;

namespace {

TEST(FieldSplit, GeneratedLinesSplitAsTheRuleSays) {
    const std::string alphabet = std::string("ab7.\t ;,:\x01\r", 12);
    const std::string delimiters = std::string("\t ;,:", 5);
    std::mt19937 rng(5);
    for (int n = 0; n < 20000; ++n) {
        std::string line(rng() % 24, ' ');
        for (char& c : line) c = alphabet[rng() % alphabet.size()];
        ASSERT_EQ(SplitAtDelimiters(line, delimiters), ReferenceSplit(line, delimiters))
            << "line: \"" << line << "\"";
    }
}

TEST(FieldSplit, LongLinesSplitInLinearTime) {
    std::string blanks, semicolons;
    for (int k = 0; k < 100000; ++k) {
        blanks += "abcdefghi ";
        semicolons += "12;";
    }
    const auto begin = std::chrono::steady_clock::now();
    EXPECT_EQ(SplitFields(blanks).size(), 100000u);  // a megabyte, TAB searched for in vain
    EXPECT_EQ(SplitFields(semicolons).size(), 100000u);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(1));
}

}  // namespace
