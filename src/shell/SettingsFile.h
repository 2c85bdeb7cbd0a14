// The settings file velkor.db: an INI-style file whose section and key names
// compare without letter case. The program keeps only the language there
// ("Language" of section "Common") and reads the update page's address
// ("UpdateUrl" of the same section). Every other section and key is left as it is.
//
// A file without the section "Common" (or a missing, unreadable or malformed one)
// gives "en_us" and never remembers a change of language.
#pragma once

#include <filesystem>
#include <string>

namespace tarvex {

// The stored language code, trimmed (possibly empty: the environment decides
// then); "en_us" when the key is missing or the file cannot be used. `seed` is
// read instead of `file` when `file` does not exist (an installation's default).
std::string ReadLanguage(const std::filesystem::path& file, const std::filesystem::path& seed = {});

// Stores `code` as the language when the file (or, when it does not exist yet, the
// seed) has a section "Common"; writes nothing otherwise. The file is replaced
// through a temporary file, so a failed save keeps the previous one; lines end
// with CR LF. Returns whether the file was written; failures are otherwise silent.
bool SaveLanguage(const std::filesystem::path& file, const std::string& code,
                  const std::filesystem::path& seed = {});

// The address of the update page ("UpdateUrl" of "Common"), trimmed; empty when it
// is not configured or the file cannot be used.
std::string ReadUpdateUrl(const std::filesystem::path& file,
                          const std::filesystem::path& seed = {});

}  // namespace tarvex
