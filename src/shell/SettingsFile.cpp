#include "shell/SettingsFile.h"

#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include <system_error>

#include "io/OutputFile.h"
#include "io/RegularFile.h"

namespace tarvex {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSection = "Common";

// Trims the blanks the way the other settings are trimmed (codes 0 to 32).
std::string Trim(const std::string& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= 32) ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32) --end;
    return text.substr(begin, end - begin);
}

// Loads the file, or the seed when the file does not exist. False when neither
// can be read as an INI file.
bool Load(CSimpleIniA& ini, const fs::path& file, const fs::path& seed) {
    std::error_code ec;
    const fs::path& source = !fs::exists(file, ec) && !seed.empty() ? seed : file;
    std::string bytes, error;
    return ReadRegularFile(source.string(), kMaxTextFileBytes, bytes, error) &&
           ini.LoadData(bytes) >= 0;
}

bool HasCommon(const CSimpleIniA& ini) {
    return ini.GetSectionSize(kSection) >= 0;
}

std::string ReadKey(const fs::path& file, const fs::path& seed, const char* key,
                    const char* fallback) {
    CSimpleIniA ini(true);
    if (!Load(ini, file, seed) || !HasCommon(ini)) return fallback;
    return Trim(ini.GetValue(kSection, key, fallback));
}

std::string WithCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

bool WriteAtomically(const fs::path& file, const std::string& bytes) {
    std::error_code ec;
    if (file.has_parent_path()) fs::create_directories(file.parent_path(), ec);
    std::string error;
    return WriteFileAtomic(file.string(), bytes, error);
}

}  // namespace

std::string ReadLanguage(const fs::path& file, const fs::path& seed) {
    return ReadKey(file, seed, "Language", "en_us");
}

bool SaveLanguage(const fs::path& file, const std::string& code, const fs::path& seed) {
    // A line break in the value would split the file's lines.
    for (char c : code) {
        if (static_cast<unsigned char>(c) < 32) return false;
    }
    CSimpleIniA ini(true);
    if (!Load(ini, file, seed) || !HasCommon(ini)) return false;
    ini.SetSpaces(false);
    if (ini.SetValue(kSection, "Language", code.c_str()) < 0) return false;
    std::string text;
    if (ini.Save(text) < 0) return false;
    return WriteAtomically(file, WithCrLf(text));
}

std::string ReadUpdateUrl(const fs::path& file, const fs::path& seed) {
    return ReadKey(file, seed, "UpdateUrl", "");
}

}  // namespace tarvex
