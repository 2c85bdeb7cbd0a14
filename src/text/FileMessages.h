// Messages about list and project files that stop at a bad line: they name the
// file, the line and what was wrong, in the current language.
#pragma once

#include <string>
#include <vector>

namespace tarvex {

// Replaces "{1}", "{2}", ... in a (translated) text by the values, literally: a
// value or a translation holding "%" or braces cannot disturb the result.
std::string Substitute(const std::string& text, const std::vector<std::string>& values);

// "Reading of "<path>" stopped at line <line>: <what>"
std::string StoppedAtLine(const std::string& path, int line, const std::string& what);

}  // namespace tarvex
