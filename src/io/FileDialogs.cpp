#include "io/FileDialogs.h"

#include "text/Translate.h"

namespace tarvex {

namespace {

std::string TextFilter() {
    return _("Text file") + "(*.txt)";
}

// Workbooks are read directly, the newer format as well.
std::string WorkbookFilter() {
    return _("Excel file") + "(*.xls *.xlsx)";
}

std::string CsvFilter() {
    return _("CSV file") + "(*.csv)";
}

}  // namespace

std::string FileDialogSpec::QtFilter() const {
    std::string joined;
    for (const std::string& filter : filters) joined += (joined.empty() ? "" : ";;") + filter;
    return joined;
}

FileDialogSpec FileDialogFor(FileDialogKind kind) {
    switch (kind) {
        case FileDialogKind::SheetOpen:
            return {{_("Sheet file") + "(*.sht)", TextFilter(), WorkbookFilter(), CsvFilter()},
                    _("Please select open sheet file name"),
                    "sht"};
        case FileDialogKind::PartOpen:
            return {{_("Part file") + "(*.prt)", TextFilter(), WorkbookFilter(), CsvFilter()},
                    _("Please select open part file name"),
                    "prt"};
        case FileDialogKind::SheetSave:
            return {{TextFilter()}, _("Please select sheet file name save as"), "txt"};
        case FileDialogKind::PartSave:
            return {{TextFilter()}, _("Please select part file name save as"), "txt"};
        case FileDialogKind::SaveLeft:
            return {{TextFilter()}, _("Please choose left sheets file name save as"), "txt"};
        case FileDialogKind::ProjectOpen:
            return {
                {_("Project file") + "(*.dat)"}, _("Please choose open Project file name"), "dat"};
        case FileDialogKind::ProjectSave:
            return {{_("Project file") + "(*.dat)"},
                    _("Please choose Project file name save as"),
                    "dat"};
        case FileDialogKind::ExportHtml:
            return {
                {_("Html file") + "(*.html)"}, _("Please select html file name export as"), "html"};
        case FileDialogKind::ExportDxf:
            return {{_("DXF file") + "(*.dxf)"}, _("Please select dxf file name export as"), "dxf"};
        case FileDialogKind::ExportGcode:
            return {{_("G code file") + "(*.gnc)"},
                    _("Please select g-code file name export as"),
                    "gnc"};
        case FileDialogKind::ExportOffcuts:
            return {{TextFilter()}, _("Please select offcut file name export as"), "txt"};
        case FileDialogKind::ExportSvg:
            return {
                {_("SVG drawing") + "(*.svg)"}, _("Please select SVG file name export as"), "svg"};
        case FileDialogKind::ExportPdf:
            return {
                {_("PDF document") + "(*.pdf)"}, _("Please select PDF file name export as"), "pdf"};
        case FileDialogKind::ExportLabels:
            return {{_("PDF document") + "(*.pdf)"},
                    _("Please select part label file name export as"),
                    "pdf"};
    }
    return {};
}

}  // namespace tarvex
