// Lengths as the job's unit reads and shows them. A unit of inches reads fractions
// ("23 1/4", "23-1/4\"", "1/8") besides decimals; the unit "in 1/16" or "in 1/32"
// also shows lengths as fractions to that denominator. The fraction setting is kept
// in the unit text, so that every file that stores the unit stores it unchanged and
// every unit text written before reads as it did. Any other unit takes the decimal
// formats of NumberText unchanged.
#pragma once

#include <optional>
#include <string>

namespace tarvex {

struct LengthFormat {
    bool inches = false;  // fractions are read
    int fractions = 0;    // 16 or 32: lengths are shown to 1/fractions in; 0: as decimals
    bool operator==(const LengthFormat&) const = default;
};

// The unit texts of the settings page's unit choice, the default first.
inline constexpr const char* kUnitChoices[] = {"mm", "cm", "m", "in", "in 1/16", "in 1/32"};

// "in", "inch" or "inches" (letter case ignored), optionally followed by " 1/16" or
// " 1/32", is a unit of inches; every other text is a unit shown as it stands.
LengthFormat LengthFormatOf(const std::string& unitText);
// The unit as shown beside a length: the unit text without its fraction setting.
std::string UnitName(const std::string& unitText);
// The unit text of `unit` with fractions to 1/`fractions` in (16 or 32; 0 for
// decimals); nothing when `unit` is not a unit of inches or `fractions` neither.
std::optional<std::string> UnitTextWithFractions(const std::string& unit, int fractions);

// A length typed in `format`: ParseNumber, and in inches also a whole number and a
// fraction separated by blanks or "-", or a fraction alone, each optionally followed
// by an inch mark ("). A fraction has a whole numerator and a denominator above 0.
std::optional<double> ParseLength(const std::string& text, const LengthFormat& format);

// `value` in `format`: the decimal text `decimal` gives unless the format shows
// fractions; then the whole number and the reduced fraction nearest to it
// ("23 1/4", "1/8", "0"), marked "~" when the value lies between two of them.
std::string FormatLength(double value, const LengthFormat& format, std::string (*decimal)(double));
std::string FormatLength(double value, const LengthFormat& format,
                         std::string (*decimal)(double, int), int decimals);
// `value` to the nearest 1/`denominator`, as FormatLength shows it.
std::string FormatFraction(double value, int denominator);

}  // namespace tarvex
