// A table's data rows as JSON arrays of their cell texts, as the stored plan and
// the recovery copy keep them.
#pragma once

#include <nlohmann/json.hpp>

#include "io/CellTable.h"

namespace tarvex {

nlohmann::ordered_json TableRowsJson(const CellTable& table);

}  // namespace tarvex
