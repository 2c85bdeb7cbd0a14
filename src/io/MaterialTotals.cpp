#include "io/MaterialTotals.h"

#include <algorithm>

#include "text/FieldSplit.h"
#include "text/NumberText.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

int MaterialCol(TableKind kind) {
    return kind == TableKind::Sheet ? SheetCol::Material : PartCol::Material;
}

}  // namespace

std::vector<MaterialTotal> TotalsByMaterial(const CellTable& table, TableKind kind) {
    std::vector<MaterialTotal> totals;
    for (int r = CellTable::kFirstDataRow; r < table.RowCount(); ++r) {
        if (table.Cell(r, SheetCol::Label).empty()) continue;
        const std::string material = TrimControls(table.Cell(r, MaterialCol(kind)));
        auto found = std::find_if(totals.begin(), totals.end(),
                                  [&](const MaterialTotal& t) { return t.material == material; });
        if (found == totals.end()) found = totals.insert(totals.end(), MaterialTotal{material, {}});
        const auto length = ParseNumber(table.Cell(r, SheetCol::Length));
        const auto width = ParseNumber(table.Cell(r, SheetCol::Width));
        const auto count = ParseInteger(table.Cell(r, SheetCol::Quant));
        if (!length || !width || !count) continue;
        if (kind == TableKind::Sheet) {
            const auto cost = ParseNumber(table.Cell(r, SheetCol::Cost));
            if (!cost) continue;
            found->totals.cost += *cost * *count;
        }
        found->totals.Add(*length, *width, *count);
    }
    return totals;
}

std::string MaterialName(const std::string& material) {
    return material.empty() ? _("(no material)") : material;
}

std::vector<std::string> MaterialTotalCells(const MaterialTotal& total, TableKind kind) {
    // Written into a table of the same columns, the totals land where WriteTotals
    // puts them and look the same.
    CellTable row(1, kind == TableKind::Sheet ? SheetCol::Count : PartCol::Count);
    WriteTotals(row, kind, total.totals);
    row.SetCell(0, SheetCol::Label, MaterialName(total.material));
    std::vector<std::string> cells;
    for (int c = 0; c < row.ColCount(); ++c) cells.push_back(row.Cell(0, c));
    return cells;
}

}  // namespace tarvex
