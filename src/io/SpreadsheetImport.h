// Sheet and part lists read straight from spreadsheet workbooks (.xls, .xlsx).
#pragma once

#include <string>

#include "io/CellTable.h"
#include "text/LengthText.h"

namespace tarvex {

// Fill the table from the first sheet of the workbook. On failure return false with
// a message naming the file; rows read before the failure stay in the table.
// Sizes are read in the unit of `lengths`.
bool LoadSheetSpreadsheet(const std::string& path, CellTable& sheetTable, std::string& error,
                          const LengthFormat& lengths = {});
bool LoadPartSpreadsheet(const std::string& path, CellTable& partTable, std::string& error,
                         const LengthFormat& lengths = {});

}  // namespace tarvex
