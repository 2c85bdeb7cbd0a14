// Where the program finds its catalogs and help pages and keeps its own files.
// Files that a portable installation keeps "next to the program" stay there when
// the program's folder is a writable copy that holds its own settings file (the
// build folder, an unpacked folder a user set up so); an installed program keeps
// them in the user's configuration or cache folder instead, even when run by
// root. Catalogs and help pages are looked up beside the program first, then in
// the data folder of the installation the program belongs to.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tarvex {

// The folder holding the running program.
std::filesystem::path ProgramDir();

// The data folder of the installation the program belongs to, found from the
// program's own location (<prefix>/bin/../share/tarvex), so that an installed
// package and a copy unpacked anywhere else both find their data.
std::filesystem::path InstalledDataDir();

// The locale folders to search, in order: beside the program, then installed.
std::vector<std::filesystem::path> LocaleDirs();

// The first of LocaleDirs() that holds a catalog of any language; the one beside
// the program when none does.
std::filesystem::path LocaleDir();

// True when the program's own files belong beside it: `programDir` is writable
// and holds the settings file velkor.db.
bool KeepsFilesBesideProgram(const std::filesystem::path& programDir);

// `name` in the program folder when `besideProgram`, otherwise in
// $<xdgVariable>/tarvex, where an unset or relative variable means
// $HOME/<xdgDefault> (".config" or ".cache").
std::filesystem::path UserFilePath(const std::filesystem::path& programDir, bool besideProgram,
                                   const char* xdgVariable, const char* xdgDefault,
                                   const std::string& name);

// The settings file velkor.db (program folder or $XDG_CONFIG_HOME/tarvex).
std::filesystem::path SettingsFilePath();

// The settings file shipped with an installation, used as the starting point when
// the user has none yet.
std::filesystem::path SettingsTemplatePath();

// The local copy of the update page, updates.db (program folder or
// $XDG_CACHE_HOME/tarvex).
std::filesystem::path UpdatesFilePath();

// The folder of the window's recovery copies of unsaved work (program folder or
// $XDG_STATE_HOME/tarvex, by default ~/.local/state/tarvex).
std::filesystem::path RecoveryDirPath();

}  // namespace tarvex
