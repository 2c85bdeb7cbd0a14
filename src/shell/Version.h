// The program's own version and the comparison of version texts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvex {

// The version compiled into the program ("3.2.1207.2015").
std::string GetFileVersionText();

// 1 when version a is newer than b, -1 when older, 0 when equal. Only the first two
// numbers count: the major before the first ".", the minor up to the next ".".
// No result when either text does not have them as whole numbers ("3", "3.x", "v3.3").
std::optional<int> CompareVersions(std::string_view a, std::string_view b);

}  // namespace tarvex
