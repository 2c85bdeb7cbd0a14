#include "shell/Version.h"

#include <charconv>

namespace tarvex {

namespace {

struct MajorMinor {
    long major = 0;
    long minor = 0;
};

std::optional<long> WholeNumber(std::string_view text) {
    long value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || text[0] == '-' || ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

std::optional<MajorMinor> Split(std::string_view version) {
    const size_t firstDot = version.find('.');
    if (firstDot == std::string_view::npos) return std::nullopt;
    std::string_view rest = version.substr(firstDot + 1);
    rest = rest.substr(0, rest.find('.'));
    const auto major = WholeNumber(version.substr(0, firstDot));
    const auto minor = WholeNumber(rest);
    if (!major || !minor) return std::nullopt;
    return MajorMinor{*major, *minor};
}

}  // namespace

std::string GetFileVersionText() {
    return TARVEX_VERSION;
}

std::optional<int> CompareVersions(std::string_view a, std::string_view b) {
    const auto va = Split(a);
    const auto vb = Split(b);
    if (!va || !vb) return std::nullopt;
    if (va->major != vb->major) return va->major > vb->major ? 1 : -1;
    if (va->minor == vb->minor) return 0;
    return va->minor > vb->minor ? 1 : -1;
}

}  // namespace tarvex
