// The whole plan as one PDF, written without a print dialog: the report, then one
// full page per layout (the part table, the picture across the page's free area
// with the chosen annotations and the parts' sizes in the documents' style, and
// the cut list, on a page of its own where it does not fit under the picture), as
// the printout lays them out.
#pragma once

#include <string>
#include <vector>

#include "export/ExportCommon.h"

namespace tarvex {

// The PDF's bytes; `reportLines` are the report of the result.
std::string PlanPdf(const ExportSource& source, const std::vector<std::string>& reportLines);

ExportOutcome ExportPlanPdf(const ExportSource& source, const std::vector<std::string>& reportLines,
                            const std::string& path);

}  // namespace tarvex
