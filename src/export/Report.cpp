#include "export/Report.h"

#include <algorithm>
#include <optional>

#include "io/EntryTables.h"
#include "io/TextFile.h"
#include "render/CutList.h"
#include "text/FieldSplit.h"
#include "text/FileMessages.h"
#include "text/NumberText.h"
#include "text/TextColumns.h"
#include "text/Translate.h"

namespace {

constexpr int kCaptionWidth = 26;
constexpr int kLabelWidth = 20;
// A label column widens for the labels of the tables up to this width.
constexpr int kWidestLabelWidth = 32;
constexpr int kColumnWidth = 15;

// Captions, labels and cells longer than their column are shortened with "~", so
// that a blank always parts them from the next column.
std::string Caption(const char* msgid) {
    return ColumnText(_(msgid), kCaptionWidth);
}
std::string Column(const std::string& text) {
    return ColumnText(text, kColumnWidth);
}
std::string LabelColumn(const std::string& text, int width) {
    return ColumnText(text, width);
}

// Wide enough for every label of the tables (and the blank after it), so that two
// boards whose labels begin alike never read the same.
int LabelWidth(const CellTable& sheetTable, const CellTable& partTable) {
    int widest = kLabelWidth;
    for (const CellTable* table : {&sheetTable, &partTable})
        for (int r = CellTable::kFirstDataRow; r < table->RowCount(); ++r)
            widest = std::max(widest, DisplayColumns(table->Cell(r, 0)) + 1);
    return std::min(widest, kWidestLabelWidth);
}

std::string Heading(int labelWidth, std::initializer_list<const char*> columns) {
    std::string line = LabelColumn(_("Label"), labelWidth);
    for (const char* c : columns) line += Column(_(c));
    return line;
}

// "%.2f%%" of the ratio times 100.
std::string Percent(float ratio) {
    return FormatFixed(static_cast<double>(ratio) * 100.0, 2) + "%";
}

std::string YesNo(bool on) {
    return on ? _("Yes") : _("No");
}

// The rows whose label names something; labels of the result were trimmed when the
// job was gathered, so the cell is trimmed before the (case-sensitive) comparison.
std::string RowLabel(const CellTable& table, int r) {
    return TrimControls(table.Cell(r, 0));
}

int UsedSheets(const AppliedResult& result, const std::string& label) {
    int n = 0;
    for (const PlannedSheet& s : result.sheets) n += (s.used && s.label == label) ? 1 : 0;
    return n;
}

int UsedParts(const AppliedResult& result, const std::string& label) {
    int n = 0;
    for (const PlannedSheet& s : result.sheets)
        if (s.used) n += CountPartsWithLabel(s, label);
    return n;
}

// Quantity columns: the left quantity is unknown when the row's quantity is not a
// whole number (a row the calculation skipped).
std::string LeftText(const std::optional<int>& quant, int used) {
    return quant ? std::to_string(*quant - used) : std::string();
}

// The least paid stock any plan needs, and how far this plan is above it.
std::string BoundLine(const PlanBound& bound) {
    const std::string value =
        bound.measure == StockBound::Measure::Sheets
            ? Substitute(_("sheets {1}"), {FormatFixed(bound.value, 0)})
        : bound.measure == StockBound::Measure::Cost
            ? Substitute(_("cost {1}"), {FormatFixed(bound.value, 2)})
            : Substitute(_("area {1}"), {FormatFixed(bound.value, 2)});
    if (!bound.gap) return Caption("Lower bound:") + value;
    return Caption("Lower bound:") +
           Substitute(_("{1}, gap {2}"), {value, FormatFixed(*bound.gap * 100.0, 2) + "%"});
}

}  // namespace

std::vector<std::string> WriteReport(const AppliedResult& result, const CellTable& sheetTable,
                                     const CellTable& partTable) {
    std::vector<std::string> lines;
    const JobSettings& settings = result.settings;
    const CutSettings& cut = settings.cut;
    lines.push_back(Caption("Guillotine:") + " " + YesNo(cut.guillotine));
    lines.push_back(Caption("Cost Optimization:") + " " + YesNo(cut.costObjective));
    lines.push_back(Caption("Length Unit:") + " " + settings.unit);
    lines.push_back(Caption("Blade Width:") + " " + FormatAtLeast(cut.bladeWidth, 2));
    lines.push_back(Caption("Top Margin:") + " " + FormatAtLeast(cut.margins.top, 2));
    lines.push_back(Caption("Bottom Margin:") + " " + FormatAtLeast(cut.margins.bottom, 2));
    lines.push_back(Caption("Left Margin:") + " " + FormatAtLeast(cut.margins.left, 2));
    lines.push_back(Caption("Right Margin:") + " " + FormatAtLeast(cut.margins.right, 2));
    lines.insert(lines.end(), {"", "", _("Sheets:"), ""});
    const int labelWidth = LabelWidth(sheetTable, partTable);
    lines.push_back(Heading(labelWidth, {"Length", "Width", "Area", "Cost", "Total Quant",
                                         "Used Quant", "Left Quant"}));

    double totalArea = 0, totalCost = 0, usedArea = 0, usedCost = 0;
    int usedCount = 0;
    for (int r = CellTable::kFirstDataRow; r < sheetTable.RowCount(); ++r) {
        const std::string label = RowLabel(sheetTable, r);
        if (label.empty()) continue;
        const auto length = ParseNumber(sheetTable.Cell(r, SheetCol::Length));
        const auto width = ParseNumber(sheetTable.Cell(r, SheetCol::Width));
        const auto cost = ParseNumber(sheetTable.Cell(r, SheetCol::Cost));
        const auto quant = ParseInteger(sheetTable.Cell(r, SheetCol::Quant));
        const int used = UsedSheets(result, label);
        const bool sized = length && width;
        const double area = sized ? *length * *width : 0.0;
        lines.push_back(LabelColumn(sheetTable.Cell(r, SheetCol::Label), labelWidth) +
                        Column(sheetTable.Cell(r, SheetCol::Length)) +
                        Column(sheetTable.Cell(r, SheetCol::Width)) +
                        Column(sized ? FormatGeneral(area) : std::string()) +
                        Column(sheetTable.Cell(r, SheetCol::Cost)) +
                        Column(sheetTable.Cell(r, SheetCol::Quant)) + Column(std::to_string(used)) +
                        Column(LeftText(quant, used)));
        if (sized && quant) totalArea += *quant * *length * *width;
        if (cost && quant) totalCost += *quant * *cost;
        if (sized) usedArea += used * *length * *width;
        if (cost) usedCost += used * *cost;
        usedCount += used;
    }
    lines.push_back("");
    lines.push_back(_("Sheets total used Quant:") + " " + std::to_string(usedCount));
    lines.insert(lines.end(), {"", "", _("Parts:"), ""});
    lines.push_back(Heading(
        labelWidth, {"Length", "Width", "Rotatable", "Total Quant", "Used Quant", "Left Quant"}));

    for (int r = CellTable::kFirstDataRow; r < partTable.RowCount(); ++r) {
        const std::string label = RowLabel(partTable, r);
        if (label.empty()) continue;
        const int used = UsedParts(result, label);
        lines.push_back(LabelColumn(partTable.Cell(r, PartCol::Label), labelWidth) +
                        Column(partTable.Cell(r, PartCol::Length)) +
                        Column(partTable.Cell(r, PartCol::Width)) +
                        Column(partTable.Cell(r, PartCol::Rotatable)) +
                        Column(partTable.Cell(r, PartCol::Quant)) + Column(std::to_string(used)) +
                        Column(LeftText(ParseInteger(partTable.Cell(r, PartCol::Quant)), used)));
    }

    lines.insert(lines.end(), {"", ""});
    lines.push_back(Caption("Sheets total area:") + FormatAtLeast(totalArea, 2));
    lines.push_back(Caption("Sheets total cost:") + FormatAtLeast(totalCost, 2));
    lines.push_back("");
    lines.push_back(Caption("Sheets total used area:") + FormatAtLeast(usedArea, 2));
    lines.push_back(Caption("Sheets total used cost:") + FormatAtLeast(usedCost, 2));
    lines.push_back("");
    lines.push_back(Caption("Offcuts reusable area:") + FormatAtLeast(result.offcutArea, 2));
    lines.push_back(Caption("Offcuts total area:") +
                    FormatAtLeast(usedArea - result.placedPartArea, 2));
    lines.push_back("");
    for (std::string& line : RatioLines(result)) lines.push_back(std::move(line));
    if (result.bound) lines.push_back(BoundLine(*result.bound));
    // The seed makes the plan again from the same tables and settings.
    lines.push_back(Caption("Seed:") + std::to_string(result.seed));
    lines.insert(lines.end(), {"", ""});
    for (std::string& line : CutReportLines(result)) lines.push_back(std::move(line));
    return lines;
}

std::vector<std::string> RatioLines(const AppliedResult& result) {
    return {Caption("Overall Ratio:") + Percent(result.ratioParts),
            Caption("Ratio(include offcuts):") + Percent(result.ratioWithOffcuts)};
}

bool SaveReport(const std::string& path, const std::vector<std::string>& lines,
                std::string& message) {
    if (!WriteLinesCrLf(path, lines, message)) return false;
    message = _("Congratulations! File successfully saved!");
    return true;
}
