// What a data cell of an entry table accepts, whether typed or pasted: sizes and
// costs are numbers, quantities whole numbers not below 0, the Yes/No column
// holds a word for yes or no and the Grain column a grain direction. A cell that would not convert
// is refused before it reaches the table, so a slip never turns silently into another value.
#pragma once

#include <optional>
#include <string>

#include "io/EntryTables.h"

namespace tarvex {

// Why `text` cannot stand in the data cell of table row `row` and column `col`,
// naming the table, the data row (1 for the first) and the column; empty when it
// can. An empty text clears a cell and is accepted. Sizes are read in the unit of
// `lengths`.
std::string CellEntryFault(TableKind kind, int row, int col, const std::string& text,
                           const LengthFormat& lengths = {});

// Yes, No or neither: the words MeansYes accepts, and "No" in any language, "N",
// "0" and "false" (letter case and blanks around ignored).
std::optional<bool> ReadYesNo(const std::string& cell);

// Whether the size cells of a list's first row are column captions, so that the row
// is a heading to skip: both hold text and neither a digit. A mistyped size
// ("562,5", "72O") thus stays a fault of its own row rather than of the heading.
bool AreSizeCaptions(const std::string& length, const std::string& width);

}  // namespace tarvex
