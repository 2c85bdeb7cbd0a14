// The cells of a worksheet as the reading child sends them to the parent: a fault
// code, the texts once each, then row, column and text number of every cell, all
// numbers 32-bit. The parent trusts nothing in it: DecodeCellAnswer checks every
// count, length, position and reference before a cell is taken.
#pragma once

#include <string>

#include "io/Workbook.h"
#include "io/WorkbookReaders.h"

namespace tarvex {

std::string EncodeCellAnswer(WorkbookFault fault, const SheetCells& sheet);

// False when the bytes are not exactly an answer for columns 1 to `columns`
// within the text limit; `fault` and `sheet` are set only when they are.
bool DecodeCellAnswer(const std::string& bytes, int columns, WorkbookFault& fault,
                      SheetCells& sheet);

}  // namespace tarvex
