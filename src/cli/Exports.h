// The exports of tarvex-cli: DXF, G-code, HTML, SVG and offcut lists of the chosen
// layouts, each file named by a pattern whose "{n}" is the layout number, the PDF
// of the whole plan and the part labels, and the settings they follow.
#pragma once

#include <CLI/CLI.hpp>
#include <QGuiApplication>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "job/AppliedResult.h"
#include "job/OutputChoices.h"

namespace tarvex {

struct ExportOptions {
    std::string layouts;  // "all" or layout numbers "1,3"
    std::string dxf, gcode, html, offcuts, svg;
    std::string pdf, labels;  // of the whole plan
    std::string labelFormat;  // one of LabelFormats(); the project's when empty
    bool dxfDimensions = false, dxfOffcuts = false;
    std::string nc;  // "huazhong" or "siemens"
    std::optional<std::string> safeHeight, depth;
    std::optional<std::vector<std::string>> show;  // view options of the picture
};

void DefineExportOptions(CLI::App& app, ExportOptions& options);

// False with a message when the layout list cannot be read; checked before the
// calculation so that a long run is not wasted.
bool CheckExportOptions(const ExportOptions& options, std::string& error);

// Pictures, SVG drawings and PDFs are painted with the fonts of a GUI application:
// one on the offscreen platform when one of them is asked, otherwise none. Make
// it before the translation is set up (its constructor resets the locale).
std::unique_ptr<QGuiApplication> StartPainting(const ExportOptions& options, char* program);

// The CNC options over the project's CNC settings, which travel with the
// calculation; false with a message naming the setting when a value does not convert.
bool ApplyCncOptions(const ExportOptions& options, CncSettings& cnc, std::string& error);
// The drawing options over the project's, read when the exports are written.
void ApplyViewOptions(const ExportOptions& options, OutputChoices& choices);

// The files the exports of a result with `layoutCount` layouts write, each HTML
// page's picture too, so that they can be checked before any is written.
std::vector<std::string> ExportPaths(const ExportOptions& options, int layoutCount);

// Writes every asked export of the chosen layouts, naming each file written on
// `info` (nullptr for none). False with the message of the first failure.
bool WriteExports(const ExportOptions& options, const AppliedResult& result,
                  const OutputChoices& choices, std::FILE* info, std::string& error);
// Writes the PDF of the plan (the report first) and the part labels when asked.
bool WritePlanDocuments(const ExportOptions& options, const AppliedResult& result,
                        const std::vector<std::string>& reportLines, const OutputChoices& choices,
                        std::FILE* info, std::string& error);

}  // namespace tarvex
