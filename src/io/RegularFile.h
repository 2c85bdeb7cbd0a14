// The files the program reads: regular files only, and only up to a size, so that
// a folder, a device or a pipe named by mistake, or a file of absurd size, gets a
// message instead of a crash, a read that never ends or memory exhausted.
#pragma once

#include <cstdint>
#include <string>

namespace tarvex {

inline constexpr std::uint64_t kMaxTextFileBytes = std::uint64_t{64} << 20;
inline constexpr std::uint64_t kMaxWorkbookBytes = std::uint64_t{256} << 20;

// Why `path` cannot be read as a file of at most `limit` bytes ("not a regular
// file", the system's reason, ...); empty when it can.
std::string RegularFileFault(const std::string& path, std::uint64_t limit);

// The whole file. On failure returns false and sets `error` to a message naming it.
bool ReadRegularFile(const std::string& path, std::uint64_t limit, std::string& bytes,
                     std::string& error);

// The path fit for a message: an embedded NUL shown as "\0".
std::string PrintablePath(const std::string& path);

}  // namespace tarvex
