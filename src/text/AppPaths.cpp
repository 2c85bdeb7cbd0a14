#include "text/AppPaths.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "text/Languages.h"

namespace tarvex {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSettingsFile = "velkor.db";

}  // namespace

fs::path ProgramDir() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return fs::current_path(ec);
    return exe.parent_path();
}

fs::path InstalledDataDir() {
    return (ProgramDir() / TARVEX_DATA_FROM_PROGRAM).lexically_normal();
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

bool KeepsFilesBesideProgram(const fs::path& programDir) {
    // Writability alone would put root's settings into /usr/bin.
    std::error_code ec;
    return access(programDir.c_str(), W_OK) == 0 &&
           fs::is_regular_file(programDir / kSettingsFile, ec);
}

fs::path UserFilePath(const fs::path& programDir, bool besideProgram, const char* xdgVariable,
                      const char* xdgDefault, const std::string& name) {
    if (besideProgram) return programDir / name;
    // The base directory specification ignores relative values.
    const char* xdg = std::getenv(xdgVariable);
    if (xdg && fs::path(xdg).is_absolute()) return fs::path(xdg) / "tarvex" / name;
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : "/tmp") / xdgDefault / "tarvex" / name;
}

fs::path SettingsFilePath() {
    const fs::path dir = ProgramDir();
    return UserFilePath(dir, KeepsFilesBesideProgram(dir), "XDG_CONFIG_HOME", ".config",
                        kSettingsFile);
}

fs::path SettingsTemplatePath() {
    return InstalledDataDir() / kSettingsFile;
}

fs::path UpdatesFilePath() {
    const fs::path dir = ProgramDir();
    return UserFilePath(dir, KeepsFilesBesideProgram(dir), "XDG_CACHE_HOME", ".cache",
                        "updates.db");
}

fs::path RecoveryDirPath() {
    const fs::path dir = ProgramDir();
    return UserFilePath(dir, KeepsFilesBesideProgram(dir), "XDG_STATE_HOME", ".local/state",
                        "recovery");
}

}  // namespace tarvex
