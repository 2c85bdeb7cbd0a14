// The DXF drawing of one layout: the sheet outline, every placed part as a closed
// rectangle with its label, optionally the part dimensions and the offcuts, and a
// text report below the sheet.
#pragma once

#include <string>
#include <vector>

#include "export/ExportCommon.h"

namespace tarvex {

// The blocks of the drawing, each to be followed by CR LF in the file (the lines
// inside a block are separated by LF alone); empty when the result has no such
// layout. `stamp` is the date line of the report.
std::vector<std::string> BuildDxfBlocks(const ExportSource& source, int layoutIndex,
                                        const std::string& stamp);

ExportOutcome ExportDxf(const ExportSource& source, int layoutIndex, const std::string& path);

}  // namespace tarvex
