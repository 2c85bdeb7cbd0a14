// One entry for every export of a layout, for callers that choose the kind at run
// time (the command line, the window's buttons).
#pragma once

#include <string>

#include "app/DxfExport.h"
#include "app/ExportCommon.h"
#include "app/GcodeExport.h"
#include "app/HtmlExport.h"
#include "app/OffcutExport.h"

enum class LayoutExportKind { Html, Dxf, Gcode, Offcuts };

ExportOutcome ExportLayout(LayoutExportKind kind, const ExportSource& source, int layoutIndex,
                           const std::string& path);
