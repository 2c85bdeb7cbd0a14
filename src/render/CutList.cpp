#include "render/CutList.h"

#include "text/FileMessages.h"
#include "text/NumberText.h"
#include "text/TextColumns.h"
#include "text/Translate.h"

namespace {

constexpr int kCaptionWidth = 26;
constexpr int kNumberWidth = 6;
constexpr int kDirectionWidth = 12;
constexpr int kMeasureWidth = 15;

std::string TableLine(const CutListRow& row) {
    // The last column needs no padding.
    return ColumnText(row.number, kNumberWidth) + ColumnText(row.direction, kDirectionWidth) +
           ColumnText(row.position, kMeasureWidth) + row.length;
}

}  // namespace

std::vector<CutListRow> CutListRows(const AppliedResult& result, const PlannedSheet& sheet) {
    std::vector<CutListRow> rows;
    const auto cuts = SawCutsOf(result, sheet);
    if (!cuts) return rows;
    for (const SawCut& c : *cuts)
        rows.push_back({std::to_string(rows.size() + 1),
                        c.axis == SawCut::Axis::X ? _("Vertical") : _("Horizontal"),
                        FormatMeasure(c.at), FormatMeasure(c.Length())});
    return rows;
}

CutListRow CutListHeadings() {
    return {_("No."), _("Direction"), _("Position"), _("Length")};
}

std::string CutPositionsNote() {
    return _("Positions: vertical cuts from the left edge, horizontal cuts from the bottom edge.");
}

std::string CutFiguresText(const CutFigures& figures) {
    if (figures.sawn)
        return Substitute(_("{1} cuts, cut length {2}"),
                          {std::to_string(figures.cuts), FormatMeasure(figures.length)});
    return Substitute(_("{1} cuts, tool path {2}"),
                      {std::to_string(figures.cuts), FormatMeasure(figures.length)});
}

std::vector<std::string> CutReportLines(const AppliedResult& result) {
    const bool sawn = result.settings.cut.guillotine;
    std::vector<std::string> lines{sawn ? _("Saw cuts:") : _("CNC tool paths:"), ""};
    if (sawn) lines.push_back(CutPositionsNote());
    for (int i = 0; i < result.LayoutCount(); ++i) {
        const PlannedSheet* sheet = result.LayoutSheetOf(i);
        if (!sheet) continue;
        lines.push_back("");
        lines.push_back(
            Substitute(_("Layout {1}: {2}, sheets: {3}; per sheet {4}"),
                       {std::to_string(i + 1), sheet->label, std::to_string(sheet->count),
                        CutFiguresText(SheetCutFigures(result, *sheet))}));
        const std::vector<CutListRow> rows = CutListRows(result, *sheet);
        if (rows.empty()) continue;
        lines.push_back(TableLine(CutListHeadings()));
        for (const CutListRow& row : rows) lines.push_back(TableLine(row));
    }
    const CutFigures total = PlanCutFigures(result);
    lines.push_back("");
    lines.push_back(ColumnText(_("Cuts in total:"), kCaptionWidth) + std::to_string(total.cuts));
    lines.push_back(
        ColumnText(sawn ? _("Cut length in total:") : _("Tool path in total:"), kCaptionWidth) +
        FormatMeasure(total.length));
    return lines;
}
