#include "render/CutList.h"

#include <algorithm>

#include "render/CutGroups.h"
#include "text/FileMessages.h"
#include "text/LengthText.h"
#include "text/NumberText.h"
#include "text/TextColumns.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

constexpr int kCaptionWidth = 26;
constexpr int kNumberWidth = 10;
constexpr int kDirectionWidth = 12;
constexpr int kMeasureWidth = 15;

std::string TableLine(const CutListRow& row, int numberWidth) {
    // The last column needs no padding.
    const std::string line = ColumnText(row.number, numberWidth) +
                             ColumnText(row.direction, kDirectionWidth) +
                             ColumnText(row.position, kMeasureWidth);
    return row.count.empty() ? line + row.length
                             : line + ColumnText(row.length, kMeasureWidth) + row.count;
}

std::string PieceName(const std::vector<int>& path) {
    if (path.empty()) return _("Sheet");
    std::string numbers;
    for (int n : path) numbers += (numbers.empty() ? "" : ".") + std::to_string(n);
    return Substitute(path.size() == 1 ? _("Strip {1}") : _("Piece {1}"), {numbers});
}

std::string GroupHeading(const CutGroup& group, const LengthFormat& lengths) {
    std::string names;
    for (const std::vector<int>& path : group.pieces)
        names += (names.empty() ? "" : ", ") + PieceName(path);
    return Substitute(_("{1} (from {2} = {3}):"),
                      {names, group.axis == SawCut::Axis::X ? "x" : "y",
                       FormatLength(group.reference, lengths, FormatMeasure)});
}

// "9,11", and a run of three or more as "20-23".
std::string NumbersText(const std::vector<int>& numbers) {
    std::string text;
    for (size_t k = 0; k < numbers.size();) {
        size_t end = k + 1;
        while (end < numbers.size() && numbers[end] == numbers[end - 1] + 1) ++end;
        text += (text.empty() ? "" : ",") + std::to_string(numbers[k]);
        if (end - k >= 3)
            text += "-" + std::to_string(numbers[end - 1]);
        else
            end = k + 1;
        k = end;
    }
    return text;
}

CutListRow RowOf(const CutGroup& group, const GroupedCut& cut, const LengthFormat& lengths) {
    return {NumbersText(cut.numbers),
            group.axis == SawCut::Axis::X ? _("Vertical") : _("Horizontal"),
            FormatLength(cut.offset, lengths, FormatMeasure),
            FormatLength(cut.length, lengths, FormatMeasure),
            cut.numbers.size() > 1 ? "×" + std::to_string(cut.numbers.size()) : std::string()};
}

}  // namespace

std::vector<CutListGroup> CutListGroups(const AppliedResult& result, const PlannedSheet& sheet) {
    std::vector<CutListGroup> out;
    const auto cuts = SawCutsOf(result, sheet);
    if (!cuts) return out;
    const LengthFormat lengths = LengthFormatOf(result.settings.unit);
    for (const CutGroup& group : GroupSawCuts(sheet, *cuts, result.settings.cut.bladeWidth)) {
        CutListGroup listed{GroupHeading(group, lengths), {}};
        for (const GroupedCut& cut : group.cuts) listed.rows.push_back(RowOf(group, cut, lengths));
        out.push_back(std::move(listed));
    }
    return out;
}

CutListRow CutListHeadings() {
    return {_("No."), _("Direction"), _("Position"), _("Length"), ""};
}

std::string CutPositionsNote() {
    return _("Positions: from the edge each group names. ×2: one cut in each piece named.");
}

std::string CutFiguresText(const CutFigures& figures, const LengthFormat& lengths) {
    const std::string length = FormatLength(figures.length, lengths, FormatMeasure);
    if (figures.sawn)
        return Substitute(_("{1} cuts, cut length {2}"), {std::to_string(figures.cuts), length});
    return Substitute(_("{1} cuts, tool path {2}"), {std::to_string(figures.cuts), length});
}

std::vector<std::string> CutReportLines(const AppliedResult& result) {
    const bool sawn = result.settings.cut.guillotine;
    const LengthFormat lengths = LengthFormatOf(result.settings.unit);
    std::vector<std::string> lines{sawn ? _("Saw cuts:") : _("CNC tool paths:"), ""};
    if (sawn) lines.push_back(CutPositionsNote());
    for (int i = 0; i < result.LayoutCount(); ++i) {
        const PlannedSheet* sheet = result.LayoutSheetOf(i);
        if (!sheet) continue;
        lines.push_back("");
        lines.push_back(
            Substitute(_("Layout {1}: {2}, sheets: {3}; per sheet {4}"),
                       {std::to_string(i + 1), sheet->label, std::to_string(sheet->count),
                        CutFiguresText(SheetCutFigures(result, *sheet), lengths)}));
        const std::vector<CutListGroup> groups = CutListGroups(result, *sheet);
        if (groups.empty()) continue;
        // The number column widens for the numbers of cuts made in many pieces.
        int numberWidth = kNumberWidth;
        for (const CutListGroup& group : groups)
            for (const CutListRow& row : group.rows)
                numberWidth = std::max(numberWidth, DisplayColumns(row.number) + 2);
        lines.push_back(TableLine(CutListHeadings(), numberWidth));
        for (const CutListGroup& group : groups) {
            lines.push_back(group.heading);
            for (const CutListRow& row : group.rows) lines.push_back(TableLine(row, numberWidth));
        }
    }
    const CutFigures total = PlanCutFigures(result);
    lines.push_back("");
    lines.push_back(ColumnText(_("Cuts in total:"), kCaptionWidth) + std::to_string(total.cuts));
    lines.push_back(
        ColumnText(sawn ? _("Cut length in total:") : _("Tool path in total:"), kCaptionWidth) +
        FormatLength(total.length, lengths, FormatMeasure));
    return lines;
}

}  // namespace tarvex
