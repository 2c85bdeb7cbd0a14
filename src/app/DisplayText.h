// How a user's text appears on one line: its width in display columns (the
// measure the layout picture's label estimates and padded text tables rest on),
// and a form that cannot break a line or a field of a file.
#pragma once

#include <string>

// Columns of a UTF-8 text: East Asian wide and full-width characters take two
// columns, every other character one; a byte that is not valid UTF-8 counts one.
int DisplayColumns(const std::string& utf8);

// The text with every control character (line breaks, tabs, ...) replaced by a
// space, so that it stays one line, one field of a file.
std::string SingleLineText(const std::string& text);
