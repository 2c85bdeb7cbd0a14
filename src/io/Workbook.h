// Spreadsheet workbooks read straight from the file: the cells of one worksheet as
// texts. Legacy .xls files and .xlsx packages are told apart by their content, so a
// workbook saved under the other extension still reads.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tarvex {

// The cells of one worksheet, rows and columns counted from 1. A number cell holds
// its number in the general format (FormatGeneral: 1200.0 reads "1200" and a double
// one bit off 0.3 reads "0.3", as a spreadsheet program shows them), an empty or
// missing cell an empty text. A text is kept once however many cells hold it, as
// a workbook's shared strings are: a long one in every cell must not multiply.
class SheetCells {
  public:
    // No cell below this row holds a text; 0 for an empty sheet.
    int RowBound() const { return rows_.empty() ? 0 : rows_.rbegin()->first; }
    const std::string& Cell(int row, int col) const;
    void SetCell(int row, int col, std::string text) {
        SetCellText(row, col, AddText(std::move(text)));
    }

    // Keeps a text for any number of cells; its number for SetCellText.
    std::uint32_t AddText(std::string text);
    // Gives the cell a text kept before; the empty text (number 0) sets nothing.
    void SetCellText(int row, int col, std::uint32_t text);
    const std::string& Text(std::uint32_t text) const { return texts_[text]; }
    // The length of the cells' texts added up, a text counted in every cell holding it.
    std::uint64_t TextBytes() const { return textBytes_; }

    // Calls visit(row, col, text number) for every cell holding a text, by row and column.
    template <typename Visit>
    void ForEachCell(Visit visit) const {
        for (const auto& [row, cells] : rows_)
            for (size_t c = 0; c < cells.size(); ++c)
                if (cells[c] != 0) visit(row, static_cast<int>(c) + 1, cells[c]);
    }

  private:
    std::vector<std::string> texts_{std::string()};
    // Sparse by row: a sheet may use row 1,000,000 and nothing in between.
    std::map<int, std::vector<std::uint32_t>> rows_;
    std::uint64_t textBytes_ = 0;
};

// Reads columns 1 to `columns` of the worksheet a spreadsheet program shows on opening
// the workbook (the active one of an .xlsx package, the first one of an .xls file,
// whose reader does not tell which was active). On failure returns false with a message naming the
// file and the reason (missing, not a workbook, damaged or incomplete, password-protected,
// too much text). The file is read by a child process with memory and time limits,
// so that a reader crashing or running away on a hostile file is only a message.
bool ReadWorkbookSheet(const std::string& path, int columns, SheetCells& sheet, std::string& error);

}  // namespace tarvex
