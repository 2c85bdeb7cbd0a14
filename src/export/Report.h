// The text report of the applied result: the main settings, one line per sheet and
// part row as typed with their used and left quantities, and the area, cost
// and ratio totals, in fixed columns.
#pragma once

#include <string>
#include <vector>

#include "job/AppliedResult.h"

namespace tarvex {

// The report lines, built from the rows the result was made from, as typed, and
// the job settings of the calculation that produced it.
std::vector<std::string> WriteReport(const AppliedResult& result);

// The two ratio lines that end the report (with and without the reusable offcuts).
std::vector<std::string> RatioLines(const AppliedResult& result);

// Writes the lines, each ended by CR LF, replacing the file only once the new one
// is complete. `message` receives the text to show: the success message, or what
// went wrong with which file.
bool SaveReport(const std::string& path, const std::vector<std::string>& lines,
                std::string& message);

}  // namespace tarvex
