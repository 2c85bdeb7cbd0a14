// The languages the program can switch to: the folders of the locale folder that
// hold a catalog, named by their lower-cased folder names (for example "zh_cn").
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tarvex {

// Every sub-folder L of `localeDir` that holds LC_MESSAGES/default.mo, lower-cased,
// without duplicates, sorted by name. Empty when the folder is missing.
std::vector<std::string> LanguageList(const std::filesystem::path& localeDir);

// The name of the sub-folder of `localeDir` that the code stands for (codes match
// folder names without letter case); the code itself when no folder matches.
std::string LanguageFolder(const std::filesystem::path& localeDir, const std::string& code);

// The text with A-Z turned into a-z; other bytes (UTF-8 included) stay as they are.
std::string AsciiLower(std::string text);

}  // namespace tarvex
