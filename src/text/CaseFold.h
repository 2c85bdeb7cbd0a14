// Comparing user texts without regard to letter case, in any script.
#pragma once

#include <string>

namespace tarvex {

// True when the UTF-8 texts are equal after Unicode case folding.
bool SameIgnoringCase(const std::string& a, const std::string& b);

}  // namespace tarvex
