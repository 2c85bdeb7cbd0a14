// Numbers as the tables, settings and outputs write them: the conversions of cell
// texts into numbers and the fixed output formats. The decimal separator is "."
// everywhere, so files travel between machines.
#pragma once

#include <optional>
#include <string>

namespace tarvex {

// A decimal number: optional blanks around, optional sign, digits with at most one
// ".", optional exponent. No thousands separators, no "inf" or "nan".
std::optional<double> ParseNumber(const std::string& text);
// A whole number in the 32-bit range, blanks around allowed.
std::optional<int> ParseInteger(const std::string& text);

// printf-like fixed decimals ("%.2f" is FormatFixed(v, 2)).
std::string FormatFixed(double value, int decimals);
// At most `decimals` decimals, rounded, trailing zeros and a bare "." dropped:
// the sizes drawn in pictures and drawings ("1396.5" with two decimals).
std::string FormatDecimals(double value, int decimals);
// At least `decimals` decimals, and as many more (up to six) as the value needs to
// be shown exactly: "3.00" and "0.125" with two.
std::string FormatAtLeast(double value, int decimals);
// General format: up to 15 significant digits, no trailing zeros.
std::string FormatGeneral(double value);
// "#,##0.0": thousands grouped with ",", one decimal.
std::string FormatGrouped1(double value);
// A measure as it was stored in single precision: the shortest decimal that reads
// back to the same single-precision value ("428.8" for 428.79998), never in
// exponent form.
std::string FormatMeasure(double value);
// "###0": rounded to a whole number (halves away from zero), no separators.
std::string FormatWhole(double value);
// "##0.00##%": the value times 100 with two to four decimals and a percent sign.
std::string FormatPercent(double value);

}  // namespace tarvex
