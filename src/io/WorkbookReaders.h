// The two workbook formats behind ReadWorkbookSheet. Each reader fills the sheet or
// says why it could not; the caller turns the reason into a message naming the file.
#pragma once

#include <string>

#include "io/Workbook.h"

enum class WorkbookFault { kNone, kNotWorkbook, kDamaged, kEncrypted };

// Legacy binary workbooks (compound document holding a BIFF "Workbook" stream).
WorkbookFault ReadXlsSheet(const std::string& path, int columns, SheetCells& sheet);
// Office Open XML packages (zip archive holding the sheet XML and shared strings).
WorkbookFault ReadXlsxSheet(const std::string& path, int columns, SheetCells& sheet);
