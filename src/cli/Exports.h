// The layout exports of tarvex-cli: pictures, DXF, G-code, HTML and offcut lists of
// the chosen layouts, each file named by a pattern whose "{n}" is the layout number.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

struct ExportOptions {
    std::string layouts;  // "all" or layout numbers "1,3"
    std::string dxf, gcode, html, offcuts;
};

void DefineExportOptions(CLI::App& app, ExportOptions& options);

// False with a message when an option asks for something this build cannot do;
// checked before the calculation so that a long run is not wasted.
bool CheckExportOptions(const ExportOptions& options, std::string& error);
