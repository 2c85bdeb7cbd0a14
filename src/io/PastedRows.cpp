#include "io/PastedRows.h"

#include <vector>

#include "io/CellEntry.h"
#include "io/TextFile.h"
#include "text/FieldSplit.h"
#include "text/FileMessages.h"
#include "text/NumberText.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

using Cells = std::vector<std::string>;

// The cells of one line: split at every TAB (an empty cell keeps its place),
// trimmed, without the empty cells a spreadsheet leaves at the end.
Cells SplitCells(const std::string& line) {
    Cells cells;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        cells.push_back(TrimControls(line.substr(start, tab - start)));
        if (tab == std::string::npos) break;
        start = tab + 1;
    }
    while (!cells.empty() && cells.back().empty()) cells.pop_back();
    return cells;
}

std::string CellOf(const Cells& cells, int col) {
    return col < static_cast<int>(cells.size()) ? cells[col] : std::string();
}

// The row as the table holds it, or the reason it cannot be pasted.
std::string FillRow(TableKind kind, int row, const Cells& cells, const LengthFormat& lengths,
                    Cells& out) {
    const int columns = static_cast<int>(TableColumns(kind).size());
    if (static_cast<int>(cells.size()) > columns)
        return Substitute(_("{1}, row {2}: {3} cells, but the table has {4} columns."),
                          {_(kind == TableKind::Sheet ? "Sheets" : "Parts"),
                           std::to_string(row - CellTable::kFirstDataRow + 1),
                           std::to_string(cells.size()), std::to_string(columns)});
    out.assign(columns, std::string());
    const int yesNo = kind == TableKind::Sheet ? SheetCol::Priority : PartCol::Rotatable;
    for (int c = 0; c < columns; ++c) {
        if (kind == TableKind::Sheet && c == SheetCol::LeftQuant) continue;
        const std::string cell = c < static_cast<int>(cells.size()) ? cells[c] : std::string();
        const bool required = c <= SheetCol::Quant;
        if (cell.empty() && required)
            return Substitute(_("{1}, row {2}, column \"{3}\" is empty."),
                              {_(kind == TableKind::Sheet ? "Sheets" : "Parts"),
                               std::to_string(row - CellTable::kFirstDataRow + 1),
                               _(TableColumns(kind)[c].caption)});
        if (const std::string fault = CellEntryFault(kind, row, c, cell, lengths); !fault.empty())
            return fault;
        out[c] = cell;
    }
    if (kind == TableKind::Sheet) {
        if (out[SheetCol::Cost].empty()) out[SheetCol::Cost].push_back('0');
        out[SheetCol::LeftQuant] = out[SheetCol::Quant];
        // CellEntryFault has taken only grains.
        out[SheetCol::Grain] = GrainCell(out[SheetCol::Grain]).value_or(out[SheetCol::Grain]);
    }
    const std::optional<bool> yes = ReadYesNo(out[yesNo]);
    out[yesNo] = yes.value_or(true) ? _("Yes") : _("No");
    return {};
}

}  // namespace

PasteOutcome PasteRows(CellTable& table, TableKind kind, const std::string& text,
                       const LengthFormat& lengths) {
    std::vector<Cells> lines;
    for (const std::string& line : SplitLines(text)) {
        Cells cells = SplitCells(line);
        if (!cells.empty()) lines.push_back(std::move(cells));
    }
    if (lines.size() > 1 &&
        AreSizeCaptions(CellOf(lines[0], SheetCol::Length), CellOf(lines[0], SheetCol::Width)))
        lines.erase(lines.begin());
    if (lines.empty()) return {};

    int first = table.RowCount();
    while (first > CellTable::kFirstDataRow && table.Cell(first - 1, 0).empty()) --first;
    std::vector<Cells> rows(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string fault =
            FillRow(kind, first + static_cast<int>(i), lines[i], lengths, rows[i]);
        if (!fault.empty()) return {0, Substitute(_("Nothing was pasted: {1}"), {fault})};
    }
    table.SetRowCount(first);
    for (const Cells& cells : rows) {
        const int row = table.AppendRow();
        for (size_t c = 0; c < cells.size(); ++c) table.SetCell(row, static_cast<int>(c), cells[c]);
    }
    table.AppendRow();
    RecountTotals(table, kind, lengths);
    return {static_cast<int>(rows.size()), {}};
}

}  // namespace tarvex
