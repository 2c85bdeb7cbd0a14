// The reusable offcuts of one layout as a sheet list (label, length, width,
// quantity, cost 0), so that they can be opened later as stock. Offcuts of equal
// size in either orientation share a line; quantities count every sheet cut to
// the layout.
#pragma once

#include <string>
#include <vector>

#include "export/ExportCommon.h"

namespace tarvex {

// The lines of the list, each to be followed by CR LF; empty when the layout has
// no offcuts or the result has no such layout.
std::vector<std::string> BuildOffcutLines(const ExportSource& source, int layoutIndex);

// A layout without offcuts writes nothing and says so (not a failure).
ExportOutcome ExportOffcuts(const ExportSource& source, int layoutIndex, const std::string& path);

}  // namespace tarvex
