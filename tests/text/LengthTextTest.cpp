#include <gtest/gtest.h>

#include <random>
#include <string>

#include "text/LengthText.h"
#include "text/NumberText.h"

using namespace tarvex;

namespace {

const LengthFormat kInches{.inches = true};
const LengthFormat kSixteenths{.inches = true, .fractions = 16};
const LengthFormat kThirtySeconds{.inches = true, .fractions = 32};

// The ways a shop writes a mixed number: "W N/D", "W-N/D", with or without an
// inch mark.
std::string Written(const std::string& fraction, int style) {
    std::string text = fraction;
    const size_t blank = text.find(' ');
    if ((style & 1) && blank != std::string::npos) text[blank] = '-';
    if (style & 2) text += '"';
    return text;
}

}  // namespace

TEST(LengthText, EveryThirtySecondWrittenAsAFractionReadsBackExactly) {
    std::mt19937_64 rng(11);
    std::uniform_int_distribution<long long> steps(0, 32 * 2000);
    for (int i = 0; i < 20000; ++i) {
        const double value = static_cast<double>(steps(rng)) / 32.0;
        for (const LengthFormat& format : {kSixteenths, kThirtySeconds}) {
            const std::string shown = FormatLength(value, format, FormatGeneral);
            const bool onGrid = format.fractions == 32 || std::fmod(value * 16, 1.0) == 0;
            // Only what lies between two sixteenths is marked as approximate.
            ASSERT_EQ(shown[0] == '~', !onGrid) << value << " " << shown;
            if (!onGrid) continue;
            for (int style = 0; style < 4; ++style) {
                const std::string text = Written(shown, style);
                ASSERT_EQ(ParseLength(text, kInches), value) << text;
                ASSERT_EQ(ParseLength("-" + text, kInches), -value) << text;
            }
        }
    }
}

TEST(LengthText, ShowsReducedFractionsAndTheNearestOneMarked) {
    EXPECT_EQ(FormatFraction(23.25, 16), "23 1/4");
    EXPECT_EQ(FormatFraction(11.875, 32), "11 7/8");
    EXPECT_EQ(FormatFraction(0.125, 16), "1/8");
    EXPECT_EQ(FormatFraction(96, 16), "96");
    EXPECT_EQ(FormatFraction(0, 32), "0");
    EXPECT_EQ(FormatFraction(-0.125, 16), "-1/8");
    EXPECT_EQ(FormatFraction(23.3, 16), "~23 5/16");
    EXPECT_EQ(FormatFraction(23.99, 16), "~24");
    EXPECT_EQ(FormatFraction(0.01, 16), "~0");
    EXPECT_EQ(FormatFraction(1.0 / 3.0, 32), "~11/32");
}

TEST(LengthText, RefusesMalformedFractionsAndFractionsOutsideInches) {
    EXPECT_EQ(ParseLength("23 1/4", kInches), 23.25);
    EXPECT_EQ(ParseLength("23 - 1/4", kInches), 23.25);
    EXPECT_EQ(ParseLength(" 1/8\" ", kInches), 0.125);
    EXPECT_EQ(ParseLength("23.25\"", kInches), 23.25);
    EXPECT_EQ(ParseLength("5/4", kInches), 1.25);
    // Whole numbers as long as those a fraction is shown with.
    EXPECT_EQ(ParseLength(FormatFraction(30303330000000.21875, 32), kInches), 30303330000000.21875);
    for (const char* bad : {"23 1/0", "1//4", "1/", "/4", "23 1/4 1/4", "23 1.5/4", "23--1/4",
                            "23 -1/4\"\"", "1/4.", "23,25", "2 3", "-", "\"", "0x1/2"})
        EXPECT_FALSE(ParseLength(bad, kInches).has_value()) << bad;
    const LengthFormat metric = LengthFormatOf("mm");
    for (const char* text : {"23 1/4", "1/8", "23.25\"", "12.5", " 7 ", "1e3"})
        EXPECT_EQ(ParseLength(text, metric), ParseNumber(text)) << text;
}

TEST(LengthText, KeepsTheFractionSettingInTheUnitText) {
    EXPECT_EQ(LengthFormatOf("mm"), LengthFormat{});
    EXPECT_EQ(LengthFormatOf(""), LengthFormat{});
    EXPECT_EQ(LengthFormatOf("in"), kInches);
    EXPECT_EQ(LengthFormatOf(" Inch "), kInches);
    EXPECT_EQ(LengthFormatOf("in 1/16"), kSixteenths);
    EXPECT_EQ(LengthFormatOf("inches 1/32"), kThirtySeconds);
    // Other texts are shown as they stand, as before.
    EXPECT_EQ(LengthFormatOf("in 1/8"), LengthFormat{});
    EXPECT_EQ(LengthFormatOf("mm 1/16"), LengthFormat{});
    EXPECT_EQ(UnitName("in 1/16"), "in");
    EXPECT_EQ(UnitName("mm 1/16"), "mm 1/16");
    EXPECT_EQ(UnitTextWithFractions("in", 32), "in 1/32");
    EXPECT_EQ(UnitTextWithFractions("in 1/32", 16), "in 1/16");
    EXPECT_EQ(UnitTextWithFractions("in 1/32", 0), "in");
    EXPECT_FALSE(UnitTextWithFractions("mm", 16).has_value());
    EXPECT_FALSE(UnitTextWithFractions("in", 8).has_value());
    for (const char* unit : kUnitChoices)
        EXPECT_EQ(LengthFormatOf(unit).inches, std::string(unit).starts_with("in")) << unit;
}
