// The whole plan as one PDF, written without a print dialog: the report, then one
// full page per layout (the picture with the chosen annotations in the documents'
// style, the part table and the cut list), as the printout lays them out.
#pragma once

#include <string>
#include <vector>

#include "export/ExportCommon.h"

// The PDF's bytes; `reportLines` are the report of the result.
std::string PlanPdf(const ExportSource& source, const std::vector<std::string>& reportLines);

ExportOutcome ExportPlanPdf(const ExportSource& source, const std::vector<std::string>& reportLines,
                            const std::string& path);
