#include "cli/Exports.h"

#include "app/FileMessages.h"
#include "shell/Translate.h"

void DefineExportOptions(CLI::App& app, ExportOptions& o) {
    app.add_option("--layouts", o.layouts, "Layouts to export: all, or numbers such as 1,3");
    app.add_option("--dxf", o.dxf, "DXF drawing of each layout; {n} is the layout number");
    app.add_option("--gcode", o.gcode, "CNC program of each layout");
    app.add_option("--html", o.html, "HTML page with a picture of each layout");
    app.add_option("--offcuts", o.offcuts, "Reusable offcuts of each layout as a sheet list");
}

bool CheckExportOptions(const ExportOptions& o, std::string& error) {
    for (const auto& [name, value] :
         {std::pair<const char*, const std::string&>{"--layouts", o.layouts},
          {"--dxf", o.dxf},
          {"--gcode", o.gcode},
          {"--html", o.html},
          {"--offcuts", o.offcuts}}) {
        if (value.empty()) continue;
        error = Substitute(_("{1}: not available in this build."), {name});
        return false;
    }
    return true;
}
