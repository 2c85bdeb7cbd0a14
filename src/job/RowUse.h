// What a plan takes of each entered row, found by the rows its records came from:
// two rows of one label are two rows, each with its own figures.
#pragma once

#include <optional>
#include <vector>

#include "job/AppliedResult.h"

namespace tarvex {

// The used sheet records cut from each entered sheet row (merged ones included).
std::vector<int> SheetsUsedByRow(const AppliedResult& result);
// The parts on used sheets of each entered part row.
std::vector<int> PartsPlacedByRow(const AppliedResult& result);
// "Left Quant" of each entered sheet row: its quantity less the sheets cut from
// it; nothing where no sheet of the row is used or its quantity is not a whole
// number, and the column then shows the quantity as typed.
std::vector<std::optional<int>> LeftQuantities(const AppliedResult& result);

// Links the records of a plan read back without their entry rows (the stored plan
// does not hold them) to the rows, as job input gathers them: the parts row by row,
// `quantity` records each; the sheets from the priority rows first, then from the
// others, a row's sheets in a run that may end early. A record that matches no
// row by label and sizes (and sheets by unit cost) keeps -1.
void LinkEnteredRows(AppliedResult& result);

}  // namespace tarvex
