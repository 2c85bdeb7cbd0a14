// Entry tables for tests: the totals row, the header row and the given data rows.
#pragma once

#include <string>
#include <vector>

#include "io/CellTable.h"

using Rows = std::vector<std::vector<std::string>>;

inline CellTable MakeTable(const std::vector<std::string>& headers, const Rows& rows) {
    CellTable t(CellTable::kFirstDataRow + static_cast<int>(rows.size()),
                static_cast<int>(headers.size()));
    for (int c = 0; c < t.ColCount(); ++c) t.SetCell(1, c, headers[c]);
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            t.SetCell(CellTable::kFirstDataRow + static_cast<int>(r), static_cast<int>(c),
                      rows[r][c]);
    return t;
}

// Rows of label, length, width, quantity, cost, priority (left quantity empty).
inline CellTable SheetTable(const Rows& rows) {
    return MakeTable({"Label", "Length", "Width", "Quant", "Cost", "Priority", "Left Quant"}, rows);
}

// Rows of label, length, width, quantity, rotatable.
inline CellTable PartTable(const Rows& rows) {
    return MakeTable({"Label", "Length", "Width", "Quant", "Rotatable"}, rows);
}
