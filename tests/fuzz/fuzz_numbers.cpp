// Number texts of cells and settings: what reads as a number is written back in
// the general format as the same number, to its 15 digits, and a whole number
// reads the same either way.
#include <cmath>
#include <cstdlib>
#include <string>

#include "text/NumberText.h"

using namespace tarvex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto number = ParseNumber(text);
    const auto whole = ParseInteger(text);
    if (whole && (!number || *number != *whole)) std::abort();
    if (!number) return 0;
    if (!std::isfinite(*number)) std::abort();
    const auto back = ParseNumber(FormatGeneral(*number));
    if (!back || std::fabs(*back - *number) > std::fabs(*number) * 1e-14) std::abort();
    FormatFixed(*number, 2);
    FormatGrouped1(*number);
    FormatMeasure(*number);
    FormatWhole(*number);
    FormatPercent(*number);
    return 0;
}
