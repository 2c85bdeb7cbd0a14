// The drawing of one layout as an SVG file: the same content as the picture (the
// view options choose the annotations and whether the offcuts and the numbered
// saw cuts show), in the documents' style.
#pragma once

#include <string>

#include "export/ExportCommon.h"

namespace tarvex {

// The drawing's bytes; empty when the result has no such layout.
std::string LayoutSvg(const ExportSource& source, int layoutIndex);

ExportOutcome ExportSvg(const ExportSource& source, int layoutIndex, const std::string& path);

}  // namespace tarvex
