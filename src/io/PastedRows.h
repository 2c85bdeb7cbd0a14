// Rows pasted into an entry table, as a spreadsheet or another table copies them:
// one line per row, cells separated by TABs in the table's column order.
#pragma once

#include <string>

#include "io/CellTable.h"
#include "io/EntryTables.h"

namespace tarvex {

struct PasteOutcome {
    int rows = 0;         // rows added to the table
    std::string refusal;  // why nothing was pasted (table, row and column named)
};

// Adds the rows after the last row with a label (empty rows at the end make room
// for them) and leaves one empty row at the end; the totals then cover every row.
// A row may have as many cells as the table has columns: missing trailing cells
// take the defaults of a new row (cost 0, Priority or Rotatable Yes), Left Quant
// follows the quantity, Yes/No and Grain cells are written in the current
// language. A first row whose size cells hold captions (text without a digit) is
// a heading and is skipped; blank lines are passed over. A row whose cells do not convert refuses
// the whole paste: the table is left as it was.
// Sizes are read in the unit of `lengths`.
PasteOutcome PasteRows(CellTable& table, TableKind kind, const std::string& text,
                       const LengthFormat& lengths = {});

}  // namespace tarvex
