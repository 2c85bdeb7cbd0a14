#include <gtest/gtest.h>

#include "text/NumberText.h"

TEST(NumberText, ParsesDecimalNumbersOnly) {
    EXPECT_EQ(ParseNumber("12.5"), 12.5);
    EXPECT_EQ(ParseNumber(" -3 "), -3.0);
    EXPECT_EQ(ParseNumber(".5"), 0.5);
    EXPECT_EQ(ParseNumber("1e3"), 1000.0);
    for (const char* bad : {"", "-", ".", "abc", "1,5", "1.2.3", "0x10", "inf", "nan", "1e", "12a"})
        EXPECT_FALSE(ParseNumber(bad).has_value()) << bad;
}

TEST(NumberText, ParsesWholeNumbersInRange) {
    EXPECT_EQ(ParseInteger("42"), 42);
    EXPECT_EQ(ParseInteger(" -7"), -7);
    EXPECT_FALSE(ParseInteger("2.5").has_value());
    EXPECT_FALSE(ParseInteger("").has_value());
    EXPECT_FALSE(ParseInteger("99999999999").has_value());
}

TEST(NumberText, FormatsThePatterns) {
    EXPECT_EQ(FormatFixed(0.1, 2), "0.10");
    EXPECT_EQ(FormatFixed(87.344, 2), "87.34");
    EXPECT_EQ(FormatGeneral(2976800), "2976800");
    EXPECT_EQ(FormatGeneral(0.1), "0.1");
    EXPECT_EQ(FormatGrouped1(1640000), "1,640,000.0");
    EXPECT_EQ(FormatGrouped1(999.95), "1,000.0");
    EXPECT_EQ(FormatGrouped1(-1234.5), "-1,234.5");
    EXPECT_EQ(FormatGrouped1(0), "0.0");
    EXPECT_EQ(FormatWhole(2.5), "3");
    EXPECT_EQ(FormatWhole(-0.4), "0");
    EXPECT_EQ(FormatPercent(0.8734), "87.34%");
    EXPECT_EQ(FormatPercent(0.123456), "12.3456%");
    EXPECT_EQ(FormatPercent(1), "100.00%");
}
