// User texts written into line-structured files (DXF groups, G-code comments, list
// fields) or drawn as one line of the layout picture.
#pragma once

#include <string>

namespace tarvex {

// The text with every control character (line breaks, tabs, ...) replaced by a
// space, so that it stays one line, one field of a file.
std::string SingleLineText(const std::string& text);

}  // namespace tarvex
