// Spreadsheet workbooks read straight from the file: the cells of one worksheet as
// texts. Legacy .xls files and .xlsx packages are told apart by their content, so a
// workbook saved under the other extension still reads.
#pragma once

#include <map>
#include <string>
#include <vector>

// The cells of one worksheet, rows and columns counted from 1. A number cell holds
// its number in the general format (FormatGeneral: 1200.0 reads "1200" and a double
// one bit off 0.3 reads "0.3", as a spreadsheet program shows them), an empty or
// missing cell an empty text.
class SheetCells {
  public:
    // No cell below this row holds a text; 0 for an empty sheet.
    int RowBound() const { return rows_.empty() ? 0 : rows_.rbegin()->first; }
    const std::string& Cell(int row, int col) const;
    void SetCell(int row, int col, std::string text);

  private:
    // Sparse by row: a sheet may use row 1,000,000 and nothing in between.
    std::map<int, std::vector<std::string>> rows_;
};

// Reads columns 1 to `columns` of the worksheet a spreadsheet program shows on opening
// the workbook (the active one of an .xlsx package, the first one of an .xls file,
// whose reader does not tell which was active). On failure returns false with a message naming the
// file and the reason (missing, not a workbook, damaged or incomplete, password-protected).
bool ReadWorkbookSheet(const std::string& path, int columns, SheetCells& sheet, std::string& error);
