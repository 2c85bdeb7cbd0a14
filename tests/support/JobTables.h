// Entry tables for tests: the totals row, the header row and the given data rows.
#pragma once

#include <string>
#include <vector>

#include "io/CellTable.h"
#include "io/EntryTables.h"

using Rows = std::vector<std::vector<std::string>>;

// The captions of the table's columns, untranslated, as the header row holds them
// without a catalog.
inline std::vector<std::string> Captions(TableKind kind) {
    std::vector<std::string> captions;
    for (const ColumnInfo& column : TableColumns(kind)) captions.push_back(column.caption);
    return captions;
}

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
    return MakeTable(Captions(TableKind::Sheet), rows);
}

// Rows of label, length, width, quantity, rotatable.
inline CellTable PartTable(const Rows& rows) {
    return MakeTable(Captions(TableKind::Part), rows);
}
