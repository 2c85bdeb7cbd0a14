// Scratch folders for the files that tests and fuzz targets write: every call
// makes a new empty folder under the system's temporary folder (TMPDIR, else
// /tmp), named for what it holds. A test's folder stays behind, so that the files
// of a failed test can be looked at; a folder kept for a whole process is removed
// by its owner at exit. Needs nothing of the test framework, so that the fuzz
// targets share it.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>

namespace tarvex {

// A new empty folder "tarvex-<purpose>-XXXXXX"; throws when none can be made, as
// nothing a test writes could then be checked.
inline std::string NewScratchFolder(const std::string& purpose) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / ("tarvex-" + purpose + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a scratch folder from " + pattern);
    return pattern;
}

}  // namespace tarvex
