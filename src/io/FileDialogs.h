// What the open and save dialogs of the list, project and export commands show:
// filters, title and default suffix, translated in the current language.
#pragma once

#include <string>
#include <vector>

namespace tarvex {

enum class FileDialogKind {
    SheetOpen,    // Sheets tab, Open
    PartOpen,     // Parts tab, Open
    SheetSave,    // Sheets tab, Save
    PartSave,     // Parts tab, Save
    SaveLeft,     // Sheets tab, Save Left
    ProjectOpen,  // "Open Project(&O)..."
    ProjectSave,  // "Save Project(&S)..." (asks before overwriting)
    // The export buttons of the Layouts tab.
    ExportHtml,
    ExportDxf,
    ExportGcode,
    ExportOffcuts,
    ExportSvg,
    // The whole plan's documents.
    ExportPdf,
    ExportLabels,
};

struct FileDialogSpec {
    std::vector<std::string> filters;  // each "Description(*.ext)"
    std::string title;
    std::string defaultSuffix;  // without the dot

    // The filters joined for a Qt file dialog ("a(*.x);;b(*.y)").
    std::string QtFilter() const;
};

FileDialogSpec FileDialogFor(FileDialogKind kind);

}  // namespace tarvex
