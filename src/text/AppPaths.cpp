#include "text/AppPaths.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "text/Languages.h"

#ifndef TARVEX_DATA_DIR
#define TARVEX_DATA_DIR "/usr/local/share/tarvex"
#endif

namespace fs = std::filesystem;

namespace {

bool IsWritableDir(const fs::path& dir) {
    return access(dir.c_str(), W_OK) == 0;
}

}  // namespace

fs::path ProgramDir() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return fs::current_path(ec);
    return exe.parent_path();
}

fs::path InstalledDataDir() {
    return TARVEX_DATA_DIR;
}

std::vector<fs::path> LocaleDirs() {
    return {ProgramDir() / "locale", InstalledDataDir() / "locale"};
}

fs::path LocaleDir() {
    const auto dirs = LocaleDirs();
    for (const auto& dir : dirs) {
        if (!LanguageList(dir).empty()) return dir;
    }
    return dirs.front();
}

fs::path UserFilePath(const fs::path& programDir, bool programDirWritable, const char* xdgVariable,
                      const char* xdgDefault, const std::string& name) {
    if (programDirWritable) return programDir / name;
    // The base directory specification ignores relative values.
    const char* xdg = std::getenv(xdgVariable);
    if (xdg && fs::path(xdg).is_absolute()) return fs::path(xdg) / "tarvex" / name;
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : "/tmp") / xdgDefault / "tarvex" / name;
}

fs::path SettingsFilePath() {
    const fs::path dir = ProgramDir();
    return UserFilePath(dir, IsWritableDir(dir), "XDG_CONFIG_HOME", ".config", "velkor.db");
}

fs::path SettingsTemplatePath() {
    return InstalledDataDir() / "velkor.db";
}

fs::path UpdatesFilePath() {
    const fs::path dir = ProgramDir();
    return UserFilePath(dir, IsWritableDir(dir), "XDG_CACHE_HOME", ".cache", "updates.db");
}
