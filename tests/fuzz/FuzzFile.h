// The fuzzed bytes as a file, for the readers that take a path: one folder per
// process, removed at exit, and the file rewritten for every input.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/ScratchFolder.h"

namespace tarvex {

namespace fuzz {

class Folder {
  public:
    Folder() : path_(NewScratchFolder("fuzz")) {}
    ~Folder() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

inline std::string AsFile(const std::uint8_t* data, std::size_t size, const std::string& name) {
    static const Folder folder;
    const std::string path = (folder.Path() / name).string();
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

}  // namespace fuzz

}  // namespace tarvex
