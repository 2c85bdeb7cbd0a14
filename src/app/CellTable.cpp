#include "app/CellTable.h"

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

void CellTable::InsertRow(int row) {
    if (row < 0 || row > RowCount()) return;
    cells_.insert(cells_.begin() + row, std::vector<std::string>(cols_));
}

void CellTable::RemoveRow(int row) {
    if (row < 0 || row >= RowCount()) return;
    cells_.erase(cells_.begin() + row);
}
