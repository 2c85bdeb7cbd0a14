#include "io/TableRowsJson.h"

namespace tarvex {

nlohmann::ordered_json TableRowsJson(const CellTable& table) {
    nlohmann::ordered_json rows = nlohmann::ordered_json::array();
    for (int r = CellTable::kFirstDataRow; r < table.RowCount(); ++r) {
        nlohmann::ordered_json row = nlohmann::ordered_json::array();
        for (int c = 0; c < table.ColCount(); ++c) row.push_back(table.Cell(r, c));
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace tarvex
