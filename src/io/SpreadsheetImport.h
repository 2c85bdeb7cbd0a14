// Sheet and part lists read straight from spreadsheet workbooks (.xls, .xlsx).
#pragma once

#include <string>

#include "io/CellTable.h"
#include "text/LengthText.h"

namespace tarvex {

// Fill the table from the first sheet of the workbook: label, length, width,
// quantity and a sheet's cost or a part's flag in A to E, the material in F and a
// sheet's grain in G. On failure (a grain that is not length, width or none among
// them) return false with a message naming the file; rows read before the failure
// stay in the table. Sizes are read in the unit of `lengths`.
bool LoadSheetSpreadsheet(const std::string& path, CellTable& sheetTable, std::string& error,
                          const LengthFormat& lengths = {});
bool LoadPartSpreadsheet(const std::string& path, CellTable& partTable, std::string& error,
                         const LengthFormat& lengths = {});

}  // namespace tarvex
