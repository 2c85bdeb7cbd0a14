// The cutting program of one layout for a CNC machine: comment lines naming the
// layout, straight cuts along the part edges, and a return to the origin, in the
// Huazhong or the Siemens dialect. The program follows the job settings of the
// last calculation (dialect, blade width, safe height, depth, guillotine mode).
#pragma once

#include <string>
#include <vector>

#include "export/ExportCommon.h"

namespace tarvex {

// The items of the program, each to be followed by CR LF in the file (only the
// width comment holds further lines, separated by LF); empty when the result has
// no such layout. `stamp` is the date comment.
std::vector<std::string> BuildGcodeItems(const ExportSource& source, int layoutIndex,
                                         const std::string& stamp);

ExportOutcome ExportGcode(const ExportSource& source, int layoutIndex, const std::string& path);

}  // namespace tarvex
