#include "text/LengthText.h"

#include <cmath>
#include <cstdint>
#include <numeric>

#include "text/NumberText.h"

namespace tarvex {

namespace {

// A length counts as a whole number of 1/denominator when it lies this share of one
// step from it: lengths entered as such fractions are exact in binary, and sums of
// them stay exact, so only values of their own (a decimal typed, a share of an
// extent) come near the limit.
constexpr double kFractionTolerance = 1e-6;

// The largest count of steps shown as a fraction; larger values keep their decimals.
constexpr double kLargestSteps = 1e15;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string Trimmed(const std::string& text) {
    size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;
    return text.substr(b, e - b);
}

std::string AsciiLower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool IsInchName(const std::string& name) {
    const std::string lower = AsciiLower(name);
    return lower == "in" || lower == "inch" || lower == "inches";
}

// The unit name and the fraction denominator of a unit text; 0 without one.
struct UnitParts {
    std::string name;
    int fractions = 0;
};

UnitParts SplitUnit(const std::string& unitText) {
    const std::string text = Trimmed(unitText);
    const size_t blank = text.find_last_of(" \t");
    if (blank != std::string::npos) {
        const std::string name = Trimmed(text.substr(0, blank));
        const std::string suffix = text.substr(blank + 1);
        if (IsInchName(name) && (suffix == "1/16" || suffix == "1/32"))
            return {name, suffix == "1/16" ? 16 : 32};
    }
    return {text, 0};
}

// Digits only, at most `most` of them; fifteen fit a 64-bit whole number and every
// whole number of inches a fraction is shown with.
std::optional<std::int64_t> Digits(const std::string& text, size_t most) {
    if (text.empty() || text.size() > most) return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        if (!IsDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// "N/D" with D above 0.
std::optional<double> Fraction(const std::string& text) {
    const size_t slash = text.find('/');
    if (slash == std::string::npos) return std::nullopt;
    const auto numerator = Digits(text.substr(0, slash), 9);
    const auto denominator = Digits(text.substr(slash + 1), 9);
    if (!numerator || !denominator || *denominator == 0) return std::nullopt;
    return static_cast<double>(*numerator) / static_cast<double>(*denominator);
}

// "W N/D", "W-N/D" or "N/D", without sign or inch mark.
std::optional<double> MixedNumber(const std::string& text) {
    const size_t gap = text.find_first_of(" \t-");
    if (gap == std::string::npos) return Fraction(text);
    size_t rest = gap;
    while (rest < text.size() && IsBlank(text[rest])) ++rest;
    // One "-" may stand between the whole number and the fraction, alone or
    // with blanks around it.
    if (rest < text.size() && text[rest] == '-') {
        ++rest;
        while (rest < text.size() && IsBlank(text[rest])) ++rest;
    }
    const auto whole = Digits(text.substr(0, gap), 15);
    const auto fraction = Fraction(text.substr(rest));
    if (!whole || !fraction) return std::nullopt;
    return static_cast<double>(*whole) + *fraction;
}

std::optional<double> InchLength(const std::string& text) {
    std::string s = Trimmed(text);
    if (!s.empty() && s.back() == '"') s = Trimmed(s.substr(0, s.size() - 1));
    if (auto decimal = ParseNumber(s)) return decimal;
    bool negative = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negative = s[0] == '-';
        s.erase(0, 1);
    }
    const auto magnitude = MixedNumber(s);
    if (!magnitude) return std::nullopt;
    return negative ? -*magnitude : *magnitude;
}

}  // namespace

LengthFormat LengthFormatOf(const std::string& unitText) {
    const UnitParts parts = SplitUnit(unitText);
    return {.inches = IsInchName(parts.name), .fractions = parts.fractions};
}

std::string UnitName(const std::string& unitText) {
    const UnitParts parts = SplitUnit(unitText);
    return parts.fractions == 0 ? unitText : parts.name;
}

std::optional<std::string> UnitTextWithFractions(const std::string& unit, int fractions) {
    const UnitParts parts = SplitUnit(unit);
    if (!IsInchName(parts.name)) return std::nullopt;
    if (fractions == 0) return parts.name;
    if (fractions != 16 && fractions != 32) return std::nullopt;
    return parts.name + " 1/" + std::to_string(fractions);
}

std::optional<double> ParseLength(const std::string& text, const LengthFormat& format) {
    if (!format.inches) return ParseNumber(text);
    return InchLength(text);
}

std::string FormatFraction(double value, int denominator) {
    const double steps = std::fabs(value) * denominator;
    if (!std::isfinite(value) || denominator <= 0 || steps > kLargestSteps)
        return FormatGeneral(value);
    const double nearest = std::round(steps);
    const bool exact = std::fabs(steps - nearest) <= kFractionTolerance;
    const auto count = static_cast<std::int64_t>(nearest);
    const std::int64_t whole = count / denominator;
    std::int64_t numerator = count % denominator;
    std::int64_t below = denominator;
    const std::int64_t common = std::gcd(numerator, below);
    if (common > 1) numerator /= common, below /= common;
    std::string text = exact ? "" : "~";
    if (value < 0 && count != 0) text += "-";
    if (whole != 0 || numerator == 0) text += std::to_string(whole);
    if (numerator != 0) {
        if (whole != 0) text += " ";
        text += std::to_string(numerator) + "/" + std::to_string(below);
    }
    return text;
}

std::string FormatLength(double value, const LengthFormat& format, std::string (*decimal)(double)) {
    return format.fractions > 0 ? FormatFraction(value, format.fractions) : decimal(value);
}

std::string FormatLength(double value, const LengthFormat& format,
                         std::string (*decimal)(double, int), int decimals) {
    return format.fractions > 0 ? FormatFraction(value, format.fractions)
                                : decimal(value, decimals);
}

}  // namespace tarvex
