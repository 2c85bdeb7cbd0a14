// Sheet and part lists kept as CSV files, read with the columns of a workbook
// (label, length, width, quantity, then the cost of a sheet or the part's
// rotatable flag, quantity and flag in either order) and reported like the text
// lists: a bad row stops the reading, names the file and the line, and the rows
// before it stay. A first row whose size cells hold captions (text without a
// digit) is a heading. Then come a sheet's priority, material and grain, a
// part's material; a heading cell naming "Material" or "Grain" (in any language,
// any letter case) gives that column wherever it stands, and the other columns
// keep their order.
#pragma once

#include <string>

#include "io/CellTable.h"
#include "io/ListFiles.h"

namespace tarvex {

// Whether the path names a CSV file: its name ends in ".csv", in any letter case.
bool IsCsvPath(const std::string& path);

ListResult LoadSheetCsv(const std::string& path, CellTable& sheetTable,
                        const LengthFormat& lengths = {});
ListResult LoadPartCsv(const std::string& path, CellTable& partTable,
                       const LengthFormat& lengths = {});

}  // namespace tarvex
