#include "text/NumberText.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tarvex {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string Trimmed(const std::string& text) {
    size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;
    return text.substr(b, e - b);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The syntax check keeps strtod from taking hex, "inf", "nan" or locale forms.
bool IsDecimalSyntax(const std::string& s) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        size_t expDigits = 0;
        while (i < s.size() && IsDigit(s[i])) ++i, ++expDigits;
        if (expDigits == 0) return false;
    }
    return i == s.size();
}

std::string Printf(const char* format, double value) {
    char buf[512];
    std::snprintf(buf, sizeof buf, format, value);
    return buf;
}

}  // namespace

std::optional<double> ParseNumber(const std::string& text) {
    const std::string s = Trimmed(text);
    if (!IsDecimalSyntax(s)) return std::nullopt;
    // strtod follows LC_NUMERIC; the syntax above is the C locale's, so parse there.
    errno = 0;
    char* end = nullptr;
    double v = std::strtod(s.c_str(), &end);
    if (end != s.c_str() + s.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<int> ParseInteger(const std::string& text) {
    const std::string s = Trimmed(text);
    size_t i = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
    if (i == s.size()) return std::nullopt;
    for (size_t k = i; k < s.size(); ++k)
        if (!IsDigit(s[k])) return std::nullopt;
    errno = 0;
    long long v = std::strtoll(s.c_str(), nullptr, 10);
    if (errno == ERANGE || v < INT_MIN || v > INT_MAX) return std::nullopt;
    return static_cast<int>(v);
}

std::string FormatFixed(double value, int decimals) {
    char format[16];
    std::snprintf(format, sizeof format, "%%.%df", decimals < 0 ? 0 : decimals);
    return Printf(format, value);
}

namespace {

// Fixed decimals from `fewest` up to `most`, the zeros after the fewest dropped.
std::string FormatDecimalsBetween(double value, int fewest, int most) {
    std::string s = FormatFixed(value, most);
    if (!std::isfinite(value)) return s;
    const size_t dot = s.find('.');
    if (dot != std::string::npos) {
        while (s.size() > dot + 1 + fewest && s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);  // no "-0"
    return s;
}

}  // namespace

std::string FormatDecimals(double value, int decimals) {
    return FormatDecimalsBetween(value, 0, std::clamp(decimals, 0, 10));
}

std::string FormatAtLeast(double value, int decimals) {
    const int fewest = std::clamp(decimals, 0, 10);
    return FormatDecimalsBetween(value, fewest, std::max(fewest, 6));
}

std::string FormatGeneral(double value) {
    if (value == 0) return "0";
    return Printf("%.15g", value);
}

std::string FormatMeasure(double value) {
    const float single = static_cast<float>(value);
    if (single == 0) return "0";  // no "-0"
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, single, std::chars_format::fixed);
    if (error != std::errc()) return FormatGeneral(single);
    return std::string(buffer, end);
}

std::string FormatGrouped1(double value) {
    std::string plain = Printf("%.1f", value);
    if (!std::isfinite(value)) return plain;
    const bool negative = plain[0] == '-';
    const size_t intStart = negative ? 1 : 0;
    const size_t dot = plain.find('.');
    std::string intPart = plain.substr(intStart, dot - intStart);
    std::string grouped;
    for (size_t i = 0; i < intPart.size(); ++i) {
        if (i > 0 && (intPart.size() - i) % 3 == 0) grouped += ',';
        grouped += intPart[i];
    }
    return (negative ? "-" : "") + grouped + plain.substr(dot);
}

std::string FormatWhole(double value) {
    if (!std::isfinite(value)) return Printf("%.0f", value);
    double r = std::round(value);
    if (r == 0) r = 0;  // no "-0"
    return Printf("%.0f", r);
}

std::string FormatPercent(double value) {
    std::string s = Printf("%.4f", value * 100.0);
    const size_t dot = s.find('.');
    if (dot != std::string::npos) {
        // Keep two to four decimals.
        while (s.size() > dot + 3 && s.back() == '0') s.pop_back();
    }
    return s + "%";
}

}  // namespace tarvex
