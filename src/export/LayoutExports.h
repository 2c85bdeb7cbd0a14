// One entry for every export of a layout, for callers that choose the kind at run
// time (the command line, the window's buttons).
#pragma once

#include <string>

#include "export/DxfExport.h"
#include "export/ExportCommon.h"
#include "export/GcodeExport.h"
#include "export/HtmlExport.h"
#include "export/OffcutExport.h"
#include "export/SvgExport.h"

namespace tarvex {

enum class LayoutExportKind { Html, Dxf, Gcode, Offcuts, Svg };

ExportOutcome ExportLayout(LayoutExportKind kind, const ExportSource& source, int layoutIndex,
                           const std::string& path);

}  // namespace tarvex
