// Text files as the program reads and writes them: written in UTF-8 without a
// byte-order mark (see OutputFile.h for how); read as UTF-8 (with or without a byte-order
// mark) or, when that is not valid, as GB18030 (lists written on Chinese systems).
#pragma once

#include <string>
#include <vector>

#include "io/OutputFile.h"

namespace tarvex {

// Joins the lines, each ended by CR LF, and writes them atomically.
bool WriteLinesCrLf(const std::string& path, const std::vector<std::string>& lines,
                    std::string& error);

// Reads the whole file as UTF-8 text (converted from GB18030 when needed). On failure
// returns false and sets `error` to a message naming the file.
bool ReadTextFile(const std::string& path, std::string& text, std::string& error);

// Splits text into lines at CR LF, CR or LF. A final line end does not start another line.
std::vector<std::string> SplitLines(const std::string& text);

// True when the bytes are well-formed UTF-8.
bool IsValidUtf8(const std::string& bytes);

// The local date and time as the exports stamp them (strftime "%Y/%m/%d %X").
std::string ExportTimeStamp();

}  // namespace tarvex
