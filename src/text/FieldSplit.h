// Splitting a text line into fields, as list files and pasted rows are read.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

// The text without the characters of codes 0 to 32 at both ends.
std::string TrimControls(std::string_view text);

// Splits at the first delimiter, in the order given, that occurs anywhere in the
// (trimmed) remainder; every field and remainder is trimmed, so runs of blanks or
// TABs collapse while doubled ";" "," ":" give empty fields. A blank line gives none.
std::vector<std::string> SplitAtDelimiters(std::string_view line, std::string_view delimiters);

// The fields of one list file line: TAB, blank, ";", "," and ":" in that priority.
// An empty line, and a line that is exactly "0", give no field.
std::vector<std::string> SplitFields(std::string_view line);

}  // namespace tarvex
