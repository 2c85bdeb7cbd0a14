// Text laid out in fixed columns (the report, printed part summaries): widths count
// display columns, so East Asian wide characters take two and everything else one,
// and columns of Chinese and Latin text still line up in a monospaced font.
#pragma once

#include <string>

namespace tarvex {

// The display width of UTF-8 text.
int DisplayColumns(const std::string& text);

// The text padded on the right with `fill` or cut, to exactly `columns` display
// columns. A cut never splits a character; a wide character that would straddle
// the end is left out and its place filled.
std::string PadText(const std::string& text, int columns, char fill = ' ');

// A column of a table that is read by eye: the text padded to exactly `columns`
// display columns and always followed by at least one blank, so neighbouring
// columns never run together. A longer text is cut and ends in "~".
std::string ColumnText(const std::string& text, int columns);

}  // namespace tarvex
