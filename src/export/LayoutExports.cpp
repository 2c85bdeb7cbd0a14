#include "export/LayoutExports.h"

namespace tarvex {

ExportOutcome ExportLayout(LayoutExportKind kind, const ExportSource& source, int layoutIndex,
                           const std::string& path) {
    switch (kind) {
        case LayoutExportKind::Html:
            return ExportHtml(source, layoutIndex, path);
        case LayoutExportKind::Dxf:
            return ExportDxf(source, layoutIndex, path);
        case LayoutExportKind::Gcode:
            return ExportGcode(source, layoutIndex, path);
        case LayoutExportKind::Offcuts:
            return ExportOffcuts(source, layoutIndex, path);
        case LayoutExportKind::Svg:
            return ExportSvg(source, layoutIndex, path);
    }
    return ExportFailed("Unknown export");
}

}  // namespace tarvex
