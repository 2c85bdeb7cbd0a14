// The totals of an entry table material by material, shown under the table's own
// totals when it holds more than one material.
#pragma once

#include <string>
#include <vector>

#include "io/CellTable.h"
#include "io/EntryTables.h"

namespace tarvex {

struct MaterialTotal {
    std::string material;  // trimmed; empty for the rows without one
    TableTotals totals;
    bool operator==(const MaterialTotal&) const = default;
};

// The totals of the rows RecountTotals counts, one entry per material in the order
// the materials first appear in the table (rows that are not counted included).
std::vector<MaterialTotal> TotalsByMaterial(const CellTable& table, TableKind kind);

// How the window names a material: as typed, "(no material)" for the rows without one.
std::string MaterialName(const std::string& material);

// The cells of a strip row of the table's columns: the material's name under
// Label, its totals where the table's totals stand, written alike.
std::vector<std::string> MaterialTotalCells(const MaterialTotal& total, TableKind kind);

}  // namespace tarvex
