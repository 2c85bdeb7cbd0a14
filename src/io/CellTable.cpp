#include "io/CellTable.h"

namespace tarvex {

void CellTable::Resize(int rows, int cols) {
    cols_ = cols;
    cells_.resize(rows);
    for (auto& row : cells_) row.resize(cols);
}

const std::string& CellTable::Cell(int row, int col) const {
    static const std::string kEmpty;
    if (row < 0 || row >= RowCount() || col < 0 || col >= cols_) return kEmpty;
    return cells_[row][col];
}

void CellTable::SetCell(int row, int col, std::string text) {
    if (row < 0 || row >= RowCount() || col < 0 || col >= cols_) return;
    cells_[row][col] = std::move(text);
}

void CellTable::RemoveRow(int row) {
    if (row < 0 || row >= RowCount()) return;
    cells_.erase(cells_.begin() + row);
}

int CellTable::AppendRow() {
    cells_.emplace_back(cols_);
    return RowCount() - 1;
}

void CellTable::SetRowCount(int rows) {
    cells_.resize(rows < 0 ? 0 : rows, std::vector<std::string>(cols_));
}

void CellTable::ClearRow(int row) {
    if (row < 0 || row >= RowCount()) return;
    for (auto& cell : cells_[row]) cell.clear();
}

}  // namespace tarvex
