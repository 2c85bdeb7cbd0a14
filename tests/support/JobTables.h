// Entry tables for tests: the totals row, the header row and the given data rows.
#pragma once

#include <string>
#include <vector>

#include "io/CellTable.h"
#include "io/EntryTables.h"
#include "io/TableInput.h"
#include "job/AppliedResult.h"
#include "text/FieldSplit.h"

namespace tarvex {

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

// A plan made by hand names no rows: the result gets the tables' rows as typed and
// each record the first row of its label, as a plan of unique labels has them.
inline void EnterRows(AppliedResult& result, const CellTable& sheets, const CellTable& parts) {
    result.entered = ReadEnteredRows(sheets, parts, LengthFormatOf(result.settings.unit));
    const auto firstOf = [](const auto& rows, const std::string& label) {
        for (std::size_t r = 0; r < rows.size(); ++r)
            if (rows[r].label == label) return static_cast<std::int32_t>(r);
        return std::int32_t{-1};
    };
    for (PlannedSheet& s : result.sheets) {
        s.entryRow = firstOf(result.entered.sheets, s.label);
        for (Placement& p : s.parts) p.entryRow = firstOf(result.entered.parts, p.label);
    }
}

// The result with the part rows as typed (no sheet rows), linked as EnterRows does.
inline AppliedResult Entered(AppliedResult result, const CellTable& parts) {
    EnterRows(result, CellTable(), parts);
    return result;
}

}  // namespace tarvex
