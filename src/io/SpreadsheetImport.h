// Sheet and part lists read straight from spreadsheet workbooks (.xls, .xlsx).
#pragma once

#include <string>

#include "io/CellTable.h"

namespace tarvex {

// Fill the table from the first sheet of the workbook. On failure return false with
// a message naming the file; rows read before the failure stay in the table.
bool LoadSheetSpreadsheet(const std::string& path, CellTable& sheetTable, std::string& error);
bool LoadPartSpreadsheet(const std::string& path, CellTable& partTable, std::string& error);

}  // namespace tarvex
