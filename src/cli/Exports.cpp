#include "cli/Exports.h"

#include <algorithm>

#include "export/LabelSheet.h"
#include "export/LayoutExports.h"
#include "export/PlanPdf.h"
#include "io/SettingText.h"
#include "text/FileMessages.h"
#include "text/NumberText.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

// The layout numbers (1-based) of "all" or "1,3"; nothing when the text is neither.
std::optional<std::vector<int>> LayoutNumbers(const std::string& text, int layoutCount) {
    std::vector<int> numbers;
    if (text.empty() || text == "all") {
        for (int n = 1; n <= layoutCount; ++n) numbers.push_back(n);
        return numbers;
    }
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = std::min(text.find(',', start), text.size());
        const std::optional<int> n = ParseInteger(text.substr(start, comma - start));
        if (!n || *n < 1) return std::nullopt;
        numbers.push_back(*n);
        start = comma + 1;
    }
    return numbers;
}

std::string FileName(const std::string& pattern, int number) {
    std::string name = pattern;
    const std::string text = std::to_string(number);
    for (size_t at = name.find("{n}"); at != std::string::npos;
         at = name.find("{n}", at + text.size()))
        name.replace(at, 3, text);
    return name;
}

struct Asked {
    const char* option;
    const std::string& pattern;
    LayoutExportKind kind;
};

std::vector<Asked> AskedExports(const ExportOptions& o) {
    return {{"--dxf", o.dxf, LayoutExportKind::Dxf},
            {"--gcode", o.gcode, LayoutExportKind::Gcode},
            {"--html", o.html, LayoutExportKind::Html},
            {"--offcuts", o.offcuts, LayoutExportKind::Offcuts},
            {"--svg", o.svg, LayoutExportKind::Svg}};
}

}  // namespace

void DefineExportOptions(CLI::App& app, ExportOptions& o) {
    app.add_option("--layouts", o.layouts,
                   "Layouts to export: all (the default), or numbers such as 1,3");
    app.add_option("--dxf", o.dxf, "DXF drawing of each layout; {n} is the layout number");
    app.add_option("--gcode", o.gcode, "CNC program of each layout");
    app.add_option("--html", o.html, "HTML page of each layout, its picture beside it (.bmp)");
    app.add_option("--offcuts", o.offcuts, "Reusable offcuts of each layout as a sheet list");
    app.add_option("--svg", o.svg, "SVG drawing of each layout, as the picture shows it");
    app.add_option("--pdf", o.pdf,
                   "PDF of the whole plan: the report, then one page per layout with its "
                   "picture, part table and cut list");
    app.add_option("--labels", o.labels,
                   "PDF of part labels with QR codes, one per part, on label sheets");
    std::vector<std::string> formats;
    for (const LabelFormat& f : LabelFormats()) formats.push_back(f.name);
    app.add_option("--label-format", o.labelFormat,
                   "Label sheet: 3x8 (A4, 70 x 37 mm, the default), 3x7, 2x7 or 2x4")
        ->check(CLI::IsMember(formats));
    app.add_flag("--dxf-dimensions", o.dxfDimensions, "Part dimensions in the DXF drawings");
    app.add_flag("--dxf-offcuts", o.dxfOffcuts, "Offcuts in the DXF drawings");
    app.add_option("--nc", o.nc, "CNC dialect: huazhong (the default) or siemens")
        ->check(CLI::IsMember({"huazhong", "siemens"}));
    app.add_option("--safe-height", o.safeHeight, "Safe height of the tool (Z)");
    app.add_option("--depth", o.depth, "Cutting depth of the tool (Z)");
    app.add_option("--show", o.show,
                   "What the pictures, SVG drawings and PDF pages show: "
                   "label,dimensions,corners,offcuts,cuts, or none")
        ->delimiter(',')
        ->check(CLI::IsMember({"label", "dimensions", "corners", "offcuts", "cuts", "none"}));
}

bool CheckExportOptions(const ExportOptions& o, std::string& error) {
    if (LayoutNumbers(o.layouts, 0)) return true;
    error = Substitute(_("{1}: not a list of layout numbers: {2}"), {"--layouts", o.layouts});
    return false;
}

std::unique_ptr<QGuiApplication> StartPainting(const ExportOptions& o, char* program) {
    if (o.html.empty() && o.svg.empty() && o.pdf.empty() && o.labels.empty()) return nullptr;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The platform's notes (such as a missing runtime folder) mean nothing to the
    // user of a command line and would mix with its messages on stderr.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static int argc = 1;
    static char* argv[] = {program, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

bool ApplyCncOptions(const ExportOptions& o, CncSettings& cnc, std::string& error) {
    if (!o.nc.empty()) cnc.huazhong = o.nc == "huazhong";
    return (!o.safeHeight ||
            ReadSettingNumber(*o.safeHeight, "Safe Height:", cnc.safeHeight, error)) &&
           (!o.depth || ReadSettingNumber(*o.depth, "Drill Depth:", cnc.drillDepth, error));
}

void ApplyViewOptions(const ExportOptions& o, OutputChoices& choices) {
    choices.dxfDimensions = choices.dxfDimensions || o.dxfDimensions;
    choices.dxfOffcuts = choices.dxfOffcuts || o.dxfOffcuts;
    if (o.show) {
        const auto has = [&](const char* name) {
            return std::find(o.show->begin(), o.show->end(), name) != o.show->end();
        };
        choices.showLabels = has("label");
        choices.showDimensions = has("dimensions");
        choices.showCorners = has("corners");
        choices.showOffcuts = has("offcuts");
        choices.showCuts = has("cuts");
    }
    if (!o.labelFormat.empty()) choices.labelFormat = o.labelFormat;
}

std::vector<std::string> ExportPaths(const ExportOptions& o, int layoutCount) {
    std::vector<std::string> paths = {o.pdf, o.labels};
    const auto numbers = LayoutNumbers(o.layouts, layoutCount);
    for (const Asked& a : AskedExports(o)) {
        if (a.pattern.empty() || !numbers) continue;
        for (int n : *numbers) {
            paths.push_back(FileName(a.pattern, n));
            if (a.kind == LayoutExportKind::Html) paths.push_back(LayoutPicturePath(paths.back()));
        }
    }
    return paths;
}

bool WriteExports(const ExportOptions& o, const AppliedResult& result, const OutputChoices& choices,
                  std::FILE* info, std::string& error) {
    const std::vector<int> numbers = *LayoutNumbers(o.layouts, result.LayoutCount());
    const ExportSource source{result, choices};
    for (const Asked& a : AskedExports(o)) {
        if (a.pattern.empty()) continue;
        // One name for several layouts would leave only the last one.
        if (numbers.size() > 1 && a.pattern.find("{n}") == std::string::npos) {
            error = Substitute(_("{1}: the file name needs {n} when several layouts are exported."),
                               {a.option});
            return false;
        }
        for (int n : numbers) {
            const std::string path = FileName(a.pattern, n);
            const ExportOutcome outcome = ExportLayout(a.kind, source, n - 1, path);
            if (!outcome.ok) {
                error = outcome.message;
                return false;
            }
            if (info) std::fprintf(info, "%s: %s\n", path.c_str(), outcome.message.c_str());
        }
    }
    return true;
}

bool WritePlanDocuments(const ExportOptions& o, const AppliedResult& result,
                        const std::vector<std::string>& reportLines, const OutputChoices& choices,
                        std::FILE* info, std::string& error) {
    const ExportSource source{result, choices};
    const auto written = [&](const std::string& path, const ExportOutcome& outcome) {
        if (!outcome.ok) {
            error = outcome.message;
            return false;
        }
        if (info) std::fprintf(info, "%s: %s\n", path.c_str(), outcome.message.c_str());
        return true;
    };
    return (o.pdf.empty() || written(o.pdf, ExportPlanPdf(source, reportLines, o.pdf))) &&
           (o.labels.empty() || written(o.labels, ExportLabels(source, o.labels)));
}

}  // namespace tarvex
