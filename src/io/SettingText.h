// One setting typed as text, read as the settings page reads it. `caption` is the
// setting's label on that page (untranslated); a message names it and the text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "job/InputFault.h"
#include "text/LengthText.h"

namespace tarvex {

bool ReadSettingNumber(const std::string& text, const char* caption, double& out,
                       InputFault& fault);
bool ReadSettingInteger(const std::string& text, const char* caption, int& out, InputFault& fault);
bool ReadSettingLength(const std::string& text, const char* caption, double& out,
                       InputFault& fault);
// A length typed in the job's unit: not below 0 (blade width and margins), or of
// either sign (the offcut limits, which the search only compares with).
bool ReadSettingLength(const std::string& text, const char* caption, const LengthFormat& format,
                       double& out, InputFault& fault);
bool ReadSettingSignedLength(const std::string& text, const char* caption,
                             const LengthFormat& format, double& out, InputFault& fault);
// The same, worded.
bool ReadSettingNumber(const std::string& text, const char* caption, double& out,
                       std::string& error);
bool ReadSettingInteger(const std::string& text, const char* caption, int& out, std::string& error);
// Not below 0: a negative blade width or margin would enlarge parts or sheets.
bool ReadSettingLength(const std::string& text, const char* caption, double& out,
                       std::string& error);
bool ReadSettingLength(const std::string& text, const char* caption, const LengthFormat& format,
                       double& out, std::string& error);
bool ReadSettingSignedLength(const std::string& text, const char* caption,
                             const LengthFormat& format, double& out, std::string& error);
// The seed of the search: nothing for an empty text (a new seed every time),
// otherwise a whole number from 0 to 4294967295.
bool ReadSettingSeed(const std::string& text, const char* caption,
                     std::optional<std::uint32_t>& seed, std::string& error);

}  // namespace tarvex
