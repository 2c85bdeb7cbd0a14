// An entry table as data: every cell a text. Row 0 is the totals row, row 1 the
// header row, data rows start at row 2 (kFirstDataRow).
#pragma once

#include <string>
#include <vector>

namespace tarvex {

class CellTable {
  public:
    static constexpr int kFirstDataRow = 2;

    CellTable() = default;
    CellTable(int rows, int cols) { Resize(rows, cols); }

    int RowCount() const { return static_cast<int>(cells_.size()); }
    int ColCount() const { return cols_; }
    void Resize(int rows, int cols);

    // Out-of-range cells read as empty texts.
    const std::string& Cell(int row, int col) const;
    void SetCell(int row, int col, std::string text);

    void RemoveRow(int row);
    // Adds an empty row at the end and returns its index.
    int AppendRow();
    // Keeps the first `rows` rows; rows added to reach the count start empty.
    void SetRowCount(int rows);
    // Empties every cell of the row.
    void ClearRow(int row);

    bool operator==(const CellTable&) const = default;

  private:
    std::vector<std::vector<std::string>> cells_;
    int cols_ = 0;
};

}  // namespace tarvex
