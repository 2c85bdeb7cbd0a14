// The two workbook formats behind ReadWorkbookSheet. Each reader fills the sheet or
// says why it could not; the caller turns the reason into a message naming the file.
#pragma once

#include <cstdint>
#include <string>

#include "io/ChildProcess.h"
#include "io/Workbook.h"

namespace tarvex {

enum class WorkbookFault { kNone, kNotWorkbook, kDamaged, kEncrypted, kTooMuchText };

inline constexpr int kMaxWorkbookRows = 1048576;  // the format's own limit
// The cells' texts added up, as the table would hold them: as much as a list file
// may bring.
inline constexpr std::uint64_t kMaxWorkbookTextBytes = std::uint64_t{64} << 20;
inline constexpr ChildLimits kWorkbookReaderLimits{std::uint64_t{1} << 30, 20};

// Legacy binary workbooks (compound document holding a BIFF "Workbook" stream).
WorkbookFault ReadXlsSheet(const std::string& path, int columns, SheetCells& sheet);
// Office Open XML packages (zip archive holding the sheet XML and shared strings).
WorkbookFault ReadXlsxSheet(const std::string& path, int columns, SheetCells& sheet);

// What the reading child does: reads the file in its own process, either format,
// and returns the cells or the fault as EncodeCellAnswer writes them.
std::string ReadWorkbookAnswer(const std::string& path, int columns);

// ReadWorkbookSheet with the child's work and limits given (the tests make the
// child crash, loop or answer garbage).
using WorkbookChildWork = std::string (*)(const std::string& path, int columns);
bool ReadWorkbookSheetWith(WorkbookChildWork work, const ChildLimits& limits,
                           const std::string& path, int columns, SheetCells& sheet,
                           std::string& error);

}  // namespace tarvex
