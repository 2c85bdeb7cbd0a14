// Whole .xlsx files as bytes, read in this process (not in the reading child, so
// that a fault shows here).
#include "FuzzFile.h"
#include "io/WorkbookReaders.h"

using namespace tarvex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SheetCells sheet;
    ReadXlsxSheet(fuzz::AsFile(data, size, "book.xlsx"), 5, sheet);
    return 0;
}
