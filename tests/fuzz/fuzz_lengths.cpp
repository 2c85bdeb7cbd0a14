// Length texts in inches: every number reads as the same length, a length is
// finite, and a length shown as an exact fraction reads back as the same number.
#include <cmath>
#include <cstdlib>
#include <string>

#include "text/LengthText.h"
#include "text/NumberText.h"

using namespace tarvex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const LengthFormat inches{.inches = true};
    const auto length = ParseLength(text, inches);
    const auto number = ParseNumber(text);
    if (number && length != number) std::abort();
    if (ParseLength(text, LengthFormat{}) != number) std::abort();
    if (!length) return 0;
    if (!std::isfinite(*length)) std::abort();
    for (int denominator : {16, 32}) {
        const std::string shown = FormatFraction(*length, denominator);
        if (shown.empty()) std::abort();
        if (shown[0] == '~') continue;
        const auto back = ParseLength(shown, inches);
        if (!back || std::fabs(*back - *length) > 1e-6 * std::fmax(1.0, std::fabs(*length)))
            std::abort();
    }
    return 0;
}
