#include "io/SettingText.h"

#include <charconv>

#include "io/OutcomeText.h"
#include "text/FieldSplit.h"
#include "text/FileMessages.h"
#include "text/NumberText.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

bool Refuse(InputFault::Code code, const char* caption, const std::string& text,
            InputFault& fault) {
    fault = InputFault{.code = code, .setting = caption, .values = {text}};
    return false;
}

bool Worded(bool read, const InputFault& fault, std::string& error) {
    if (!read) error = FaultText(fault);
    return read;
}

}  // namespace

bool ReadSettingNumber(const std::string& text, const char* caption, double& out,
                       InputFault& fault) {
    const std::optional<double> value = ParseNumber(text);
    if (!value) return Refuse(InputFault::Code::SettingNotANumber, caption, text, fault);
    out = *value;
    return true;
}

bool ReadSettingInteger(const std::string& text, const char* caption, int& out, InputFault& fault) {
    const std::optional<int> value = ParseInteger(text);
    if (!value) return Refuse(InputFault::Code::SettingNotAWholeNumber, caption, text, fault);
    out = *value;
    return true;
}

bool ReadSettingLength(const std::string& text, const char* caption, double& out,
                       InputFault& fault) {
    if (!ReadSettingNumber(text, caption, out, fault)) return false;
    if (out >= 0) return true;
    return Refuse(InputFault::Code::SettingNegative, caption, text, fault);
}

bool ReadSettingSignedLength(const std::string& text, const char* caption,
                             const LengthFormat& format, double& out, InputFault& fault) {
    const std::optional<double> value = ParseLength(text, format);
    if (!value) return Refuse(InputFault::Code::SettingNotANumber, caption, text, fault);
    out = *value;
    return true;
}

bool ReadSettingLength(const std::string& text, const char* caption, const LengthFormat& format,
                       double& out, InputFault& fault) {
    if (!ReadSettingSignedLength(text, caption, format, out, fault)) return false;
    if (out >= 0) return true;
    return Refuse(InputFault::Code::SettingNegative, caption, text, fault);
}

bool ReadSettingNumber(const std::string& text, const char* caption, double& out,
                       std::string& error) {
    InputFault fault;
    return Worded(ReadSettingNumber(text, caption, out, fault), fault, error);
}

bool ReadSettingInteger(const std::string& text, const char* caption, int& out,
                        std::string& error) {
    InputFault fault;
    return Worded(ReadSettingInteger(text, caption, out, fault), fault, error);
}

bool ReadSettingLength(const std::string& text, const char* caption, double& out,
                       std::string& error) {
    InputFault fault;
    return Worded(ReadSettingLength(text, caption, out, fault), fault, error);
}

bool ReadSettingLength(const std::string& text, const char* caption, const LengthFormat& format,
                       double& out, std::string& error) {
    InputFault fault;
    return Worded(ReadSettingLength(text, caption, format, out, fault), fault, error);
}

bool ReadSettingSignedLength(const std::string& text, const char* caption,
                             const LengthFormat& format, double& out, std::string& error) {
    InputFault fault;
    return Worded(ReadSettingSignedLength(text, caption, format, out, fault), fault, error);
}

bool ReadSettingSeed(const std::string& text, const char* caption,
                     std::optional<std::uint32_t>& seed, std::string& error) {
    const std::string trimmed = TrimControls(text);
    seed.reset();
    if (trimmed.empty()) return true;
    std::uint64_t value = 0;
    const char* end = trimmed.data() + trimmed.size();
    const auto [stop, fault] = std::from_chars(trimmed.data(), end, value);
    if (fault != std::errc() || stop != end || value > UINT32_MAX) {
        error = Substitute(_("{1} \"{2}\" is not a whole number from 0 to 4294967295."),
                           {_(caption), text});
        return false;
    }
    seed = static_cast<std::uint32_t>(value);
    return true;
}

}  // namespace tarvex
