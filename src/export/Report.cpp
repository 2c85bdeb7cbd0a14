#include "export/Report.h"

#include <algorithm>
#include <optional>

#include "io/TextFile.h"
#include "job/BandingLengths.h"
#include "job/MaterialPlans.h"
#include "job/RowUse.h"
#include "render/CutList.h"
#include "text/FieldSplit.h"
#include "text/FileMessages.h"
#include "text/LengthText.h"
#include "text/NumberText.h"
#include "text/TextColumns.h"
#include "text/Translate.h"

namespace tarvex {

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
int LabelWidth(const EnteredRows& entered) {
    int widest = kLabelWidth;
    for (const EnteredSheet& row : entered.sheets)
        widest = std::max(widest, DisplayColumns(row.texts.label) + 1);
    for (const EnteredPart& row : entered.parts)
        widest = std::max(widest, DisplayColumns(row.texts.label) + 1);
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

// Quantity columns: the left quantity is unknown when the row's quantity is not a
// whole number (a row the calculation skipped).
std::string LeftText(const std::optional<int>& quant, int used) {
    return quant ? std::to_string(*quant - used) : std::string();
}

// The least paid stock any plan needs, and how far this plan is above it.
std::string BoundLine(const PlanBound& bound) {
    const std::string value = bound.measure == StockBound::Measure::Sheets
                                  ? Substitute(_("sheets {1}"), {FormatFixed(bound.value, 0)})
                              : bound.measure == StockBound::Measure::Cost
                                  ? Substitute(_("cost {1}"), {FormatFixed(bound.value, 2)})
                                  : Substitute(_("area {1}"), {FormatFixed(bound.value, 2)});
    if (!bound.gap) return Caption("Lower bound:") + value;
    return Caption("Lower bound:") +
           Substitute(_("{1}, gap {2}"), {value, FormatFixed(*bound.gap * 100.0, 2) + "%"});
}

// The materials the sheet rows name, each once, in table order; nothing when no row
// names one.
std::vector<std::string> NamedMaterials(const EnteredRows& entered) {
    std::vector<std::string> names;
    bool named = false;
    for (const EnteredSheet& row : entered.sheets) {
        if (row.label.empty()) continue;
        named = named || !row.material.empty();
        const bool known = std::any_of(names.begin(), names.end(), [&](const std::string& n) {
            return SameMaterial(n, row.material);
        });
        if (!known) names.push_back(row.material);
    }
    if (!named) names.clear();
    return names;
}

// Of one material: the sheets used, their area and cost, the ratios of its sheets
// and what is left of each of its rows.
std::vector<std::string> MaterialSection(const AppliedResult& result, const std::string& material,
                                         const std::vector<int>& usedSheets, int labelWidth) {
    std::vector<std::string> lines;
    lines.push_back(Caption("Material:") + " " + (material.empty() ? _("(none)") : material));
    int used = 0;
    double usedCost = 0;
    for (std::size_t r = 0; r < result.entered.sheets.size(); ++r) {
        const EnteredSheet& row = result.entered.sheets[r];
        if (row.label.empty() || !SameMaterial(row.material, material)) continue;
        used += usedSheets[r];
        if (row.cost) usedCost += usedSheets[r] * *row.cost;
    }
    double usedArea = 0, partArea = 0, offcutArea = 0;
    for (const PlannedSheet& s : result.sheets) {
        if (!s.used || !SameMaterial(result.MaterialOf(s), material)) continue;
        usedArea += s.Area();
        for (const Placement& p : s.parts) partArea += p.Area();
        for (const Offcut& o : s.offcuts) offcutArea += o.Area();
    }
    lines.push_back(Caption("Sheets used:") + std::to_string(used));
    lines.push_back(Caption("Sheets total used area:") + FormatAtLeast(usedArea, 2));
    lines.push_back(Caption("Sheets total used cost:") + FormatAtLeast(usedCost, 2));
    const double share = usedArea > 0 ? partArea / usedArea : 0;
    const double withOffcuts = usedArea > 0 ? (partArea + offcutArea) / usedArea : 0;
    lines.push_back(Caption("Overall Ratio:") + Percent(static_cast<float>(share)));
    lines.push_back(Caption("Ratio(include offcuts):") + Percent(static_cast<float>(withOffcuts)));
    lines.push_back(Heading(labelWidth, {"Length", "Width", "Left Quant"}));
    for (std::size_t r = 0; r < result.entered.sheets.size(); ++r) {
        const EnteredSheet& row = result.entered.sheets[r];
        if (row.label.empty() || !SameMaterial(row.material, material)) continue;
        lines.push_back(LabelColumn(row.texts.label, labelWidth) + Column(row.texts.length) +
                        Column(row.texts.width) + Column(LeftText(row.quantity, usedSheets[r])));
    }
    lines.push_back("");
    return lines;
}

// The banding to order: per material when the job names materials, then per
// banding over the job, each edge's length and the same with its allowance.
std::vector<std::string> BandingSection(const AppliedResult& result, bool byMaterial,
                                        int labelWidth) {
    const BandingLengths lengths = BandingLengthsOf(result);
    if (lengths.Empty()) return {};
    const LengthFormat units = LengthFormatOf(result.settings.unit);
    const auto length = [&units](double v) { return FormatLength(v, units, FormatAtLeast, 2); };
    std::vector<std::string> lines = {_("Edge banding:"), ""};
    // Longer than the caption column: set whole, not cut to it.
    lines.push_back(std::string(_("Cut to finished size less banding:")) + " " +
                    YesNo(result.settings.banding.finishedSizes));
    lines.push_back("");
    const auto table = [&](const std::vector<BandingLength>& rows, bool named) {
        std::string heading = LabelColumn(_("Banding"), labelWidth);
        if (named) heading += LabelColumn(_("Material"), labelWidth);
        lines.push_back(heading + Column(_("Edges")) + Column(_("Length")) +
                        Column(_("With allowance")));
        for (const BandingLength& b : rows) {
            std::string line = LabelColumn(b.name, labelWidth);
            if (named)
                line += LabelColumn(b.material.empty() ? _("(none)") : b.material, labelWidth);
            lines.push_back(line + Column(std::to_string(b.edges)) + Column(length(b.length)) +
                            Column(length(b.withAllowance)));
        }
        lines.push_back("");
    };
    if (byMaterial) table(lengths.byMaterial, true);
    table(lengths.total, false);
    lines.push_back("");
    return lines;
}

}  // namespace

std::vector<std::string> WriteReport(const AppliedResult& result) {
    std::vector<std::string> lines;
    const JobSettings& settings = result.settings;
    const CutSettings& cut = settings.cut;
    lines.push_back(Caption("Guillotine:") + " " + YesNo(cut.guillotine));
    lines.push_back(Caption("Cost Optimization:") + " " + YesNo(cut.costObjective));
    lines.push_back(Caption("Length Unit:") + " " + settings.unit);
    const LengthFormat lengths = LengthFormatOf(settings.unit);
    const auto length = [&lengths](double v) { return FormatLength(v, lengths, FormatAtLeast, 2); };
    lines.push_back(Caption("Blade Width:") + " " + length(cut.bladeWidth));
    lines.push_back(Caption("Top Margin:") + " " + length(cut.margins.top));
    lines.push_back(Caption("Bottom Margin:") + " " + length(cut.margins.bottom));
    lines.push_back(Caption("Left Margin:") + " " + length(cut.margins.left));
    lines.push_back(Caption("Right Margin:") + " " + length(cut.margins.right));
    lines.insert(lines.end(), {"", "", _("Sheets:"), ""});
    const int labelWidth = LabelWidth(result.entered);
    lines.push_back(Heading(labelWidth, {"Length", "Width", "Area", "Cost", "Total Quant",
                                         "Used Quant", "Left Quant"}));

    double totalArea = 0, totalCost = 0, usedArea = 0, usedCost = 0;
    int usedCount = 0;
    const std::vector<int> usedSheets = SheetsUsedByRow(result);
    for (std::size_t r = 0; r < result.entered.sheets.size(); ++r) {
        const EnteredSheet& row = result.entered.sheets[r];
        if (row.label.empty()) continue;
        const SheetTexts& typed = row.texts;
        const int used = usedSheets[r];
        const bool sized = row.length && row.width;
        const double area = sized ? *row.length * *row.width : 0.0;
        lines.push_back(LabelColumn(typed.label, labelWidth) + Column(typed.length) +
                        Column(typed.width) + Column(sized ? FormatGeneral(area) : std::string()) +
                        Column(typed.cost) + Column(typed.quantity) + Column(std::to_string(used)) +
                        Column(LeftText(row.quantity, used)));
        if (sized && row.quantity) totalArea += *row.quantity * *row.length * *row.width;
        if (row.cost && row.quantity) totalCost += *row.quantity * *row.cost;
        if (sized) usedArea += used * *row.length * *row.width;
        if (row.cost) usedCost += used * *row.cost;
        usedCount += used;
    }
    lines.push_back("");
    lines.push_back(_("Sheets total used Quant:") + " " + std::to_string(usedCount));
    lines.insert(lines.end(), {"", "", _("Parts:"), ""});
    lines.push_back(Heading(
        labelWidth, {"Length", "Width", "Rotatable", "Total Quant", "Used Quant", "Left Quant"}));

    const std::vector<int> placedParts = PartsPlacedByRow(result);
    for (std::size_t r = 0; r < result.entered.parts.size(); ++r) {
        const EnteredPart& row = result.entered.parts[r];
        if (row.label.empty()) continue;
        const PartTexts& typed = row.texts;
        const int used = placedParts[r];
        lines.push_back(LabelColumn(typed.label, labelWidth) + Column(typed.length) +
                        Column(typed.width) + Column(typed.rotatable) + Column(typed.quantity) +
                        Column(std::to_string(used)) + Column(LeftText(row.quantity, used)));
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
    // The seed makes the plan again from the same rows and settings.
    lines.push_back(Caption("Seed:") + std::to_string(result.seed));
    lines.insert(lines.end(), {"", ""});
    const std::vector<std::string> materials = NamedMaterials(result.entered);
    for (const std::string& material : materials)
        for (std::string& line : MaterialSection(result, material, usedSheets, labelWidth))
            lines.push_back(std::move(line));
    for (std::string& line : BandingSection(result, !materials.empty(), labelWidth))
        lines.push_back(std::move(line));
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

}  // namespace tarvex
