#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>

#include "text/NumberText.h"

using namespace tarvex;

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

// Measures read as they were measured: the shortest decimal that gives the same
// single-precision value back, never in exponent form.
TEST(NumberText, MeasuresAreTheShortestDecimalOfTheirSinglePrecisionValue) {
    EXPECT_EQ(FormatMeasure(2440 - 2011.2), "428.8");
    EXPECT_EQ(FormatMeasure(15.4), "15.4");
    EXPECT_EQ(FormatMeasure(1220), "1220");
    EXPECT_EQ(FormatMeasure(-0.0), "0");
    EXPECT_EQ(FormatMeasure(0.25), "0.25");
    EXPECT_EQ(FormatMeasure(1e7), "10000000");
    std::mt19937_64 rng(3);
    for (int i = 0; i < 20000; ++i) {
        const double v = std::uniform_real_distribution<double>(-1e5, 1e5)(rng) /
                         std::pow(10.0, static_cast<int>(rng() % 4));
        const std::string text = FormatMeasure(v);
        ASSERT_EQ(text.find_first_of("eE"), std::string::npos) << text;
        ASSERT_EQ(std::strtof(text.c_str(), nullptr), static_cast<float>(v)) << text;
        // Nine significant digits always suffice for single precision.
        const std::string digits = text.substr(0, text.find_first_not_of("-0."));
        ASSERT_LE(text.size() - digits.size(), 10u) << text;
    }
}
