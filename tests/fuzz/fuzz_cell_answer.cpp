// The reading child's answer as the parent takes it: whatever the bytes, an answer
// taken keeps to the limits and says the same once encoded and taken again.
#include <cstdlib>

#include "io/CellAnswer.h"

using namespace tarvex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    WorkbookFault fault = WorkbookFault::kNone;
    SheetCells sheet;
    if (!DecodeCellAnswer(bytes, 5, fault, sheet)) return 0;
    if (sheet.TextBytes() > kMaxWorkbookTextBytes || sheet.RowBound() > kMaxWorkbookRows)
        std::abort();
    WorkbookFault again = WorkbookFault::kDamaged;
    SheetCells copy;
    if (!DecodeCellAnswer(EncodeCellAnswer(fault, sheet), 5, again, copy) || again != fault ||
        copy.RowBound() != sheet.RowBound() || copy.TextBytes() != sheet.TextBytes())
        std::abort();
    sheet.ForEachCell([&](int row, int col, std::uint32_t text) {
        if (copy.Cell(row, col) != sheet.Text(text)) std::abort();
    });
    return 0;
}
