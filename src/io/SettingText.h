// One setting typed as text, read as the settings page reads it. `caption` is the
// setting's label on that page (untranslated); a message names it and the text.
#pragma once

#include <string>

bool ReadSettingNumber(const std::string& text, const char* caption, double& out,
                       std::string& error);
bool ReadSettingInteger(const std::string& text, const char* caption, int& out, std::string& error);
// Blade width and margins: a negative one would enlarge parts or sheets.
bool ReadSettingLength(const std::string& text, const char* caption, double& out,
                       std::string& error);
