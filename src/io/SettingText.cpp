#include "io/SettingText.h"

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
