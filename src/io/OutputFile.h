// Writing an output file so that nothing is lost when the write fails: a regular
// file is replaced by a complete new one renamed into place; a symbolic link keeps
// being a link and its target is replaced; a device or a pipe (and "-", standard
// output) is written directly, every write and the flush checked; a read-only file
// is left alone.
#pragma once

#include <string>

namespace tarvex {

// Writes `content` to `path` as above. On failure returns false and sets `error`
// to a message naming the file; a regular file that was there is left untouched.
// Temporaries of an earlier write that was killed ("NAME.tmp-XXXXXX", untouched
// for a minute) are removed.
bool WriteFileAtomic(const std::string& path, const std::string& content, std::string& error);

}  // namespace tarvex
