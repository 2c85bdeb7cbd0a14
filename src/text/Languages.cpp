#include "text/Languages.h"

#include <algorithm>
#include <system_error>

namespace tarvex {

namespace fs = std::filesystem;

namespace {

// Folder names of `localeDir`, in name order, so that the list does not depend
// on the file system's own listing order.
std::vector<std::string> SubFolders(const fs::path& localeDir) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(localeDir, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_directory(ec)) names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool HoldsCatalog(const fs::path& localeDir, const std::string& folder) {
    std::error_code ec;
    return !folder.empty() &&
           fs::is_regular_file(localeDir / folder / "LC_MESSAGES" / "default.mo", ec);
}

}  // namespace

std::string AsciiLower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::vector<std::string> LanguageList(const fs::path& localeDir) {
    std::vector<std::string> codes;
    for (const std::string& name : SubFolders(localeDir)) {
        if (!HoldsCatalog(localeDir, name)) continue;
        const std::string code = AsciiLower(name);
        if (std::find(codes.begin(), codes.end(), code) == codes.end()) codes.push_back(code);
    }
    return codes;
}

std::string LanguageFolder(const fs::path& localeDir, const std::string& code) {
    if (HoldsCatalog(localeDir, code)) return code;
    const std::string wanted = AsciiLower(code);
    for (const std::string& name : SubFolders(localeDir)) {
        if (AsciiLower(name) == wanted && HoldsCatalog(localeDir, name)) return name;
    }
    return code;
}

}  // namespace tarvex
