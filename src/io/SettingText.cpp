#include "io/SettingText.h"

#include <charconv>

#include "text/FieldSplit.h"
#include "text/FileMessages.h"
#include "text/NumberText.h"
#include "text/Translate.h"

namespace {

bool Refuse(const std::string& message, const char* caption, const std::string& text,
            std::string& error) {
    error = Substitute(message, {_(caption), text});
    return false;
}

}  // namespace

bool ReadSettingNumber(const std::string& text, const char* caption, double& out,
                       std::string& error) {
    const std::optional<double> value = ParseNumber(text);
    if (!value) return Refuse(_("{1} \"{2}\" is not a number."), caption, text, error);
    out = *value;
    return true;
}

bool ReadSettingInteger(const std::string& text, const char* caption, int& out,
                        std::string& error) {
    const std::optional<int> value = ParseInteger(text);
    if (!value) return Refuse(_("{1} \"{2}\" is not a whole number."), caption, text, error);
    out = *value;
    return true;
}

bool ReadSettingLength(const std::string& text, const char* caption, double& out,
                       std::string& error) {
    if (!ReadSettingNumber(text, caption, out, error)) return false;
    if (out >= 0) return true;
    return Refuse(_("{1} must not be negative."), caption, text, error);
}

bool ReadSettingSeed(const std::string& text, const char* caption,
                     std::optional<std::uint32_t>& seed, std::string& error) {
    const std::string trimmed = TrimControls(text);
    seed.reset();
    if (trimmed.empty()) return true;
    std::uint64_t value = 0;
    const char* end = trimmed.data() + trimmed.size();
    const auto [stop, fault] = std::from_chars(trimmed.data(), end, value);
    if (fault != std::errc() || stop != end || value > UINT32_MAX)
        return Refuse(_("{1} \"{2}\" is not a whole number from 0 to 4294967295."), caption,
                      text, error);
    seed = static_cast<std::uint32_t>(value);
    return true;
}
