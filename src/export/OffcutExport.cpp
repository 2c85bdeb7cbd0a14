#include "export/OffcutExport.h"

#include "text/LengthText.h"
#include "text/NumberText.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

// Sizes as measured: the list holds them in single precision, and writes the
// shortest decimal that reads back to that value. A unit that shows fractions
// writes the fraction when it is exact; a nearest one ("~") would not read back as
// a size of stock, so such a size keeps its decimals.
std::string SizeText(double v, const LengthFormat& lengths) {
    const std::string shown = FormatLength(v, lengths, FormatMeasure);
    return shown.starts_with('~') ? FormatMeasure(v) : shown;
}

struct OffcutLine {
    std::string size;  // length TAB width, in the orientation first met
    long long quantity;
};

}  // namespace

std::vector<std::string> BuildOffcutLines(const ExportSource& source, int layoutIndex) {
    const PlannedSheet* sheet = source.result.LayoutSheetOf(layoutIndex);
    if (!sheet) return {};
    const LengthFormat lengths = LengthFormatOf(source.result.settings.unit);
    std::vector<OffcutLine> merged;
    for (const Offcut& offcut : sheet->offcuts) {
        const std::string length = SizeText(offcut.length, lengths),
                          width = SizeText(offcut.width, lengths);
        const std::string key = length + "\t" + width, turned = width + "\t" + length;
        bool found = false;
        for (OffcutLine& line : merged) {
            if (line.size == key || line.size == turned) {
                line.quantity += sheet->count;
                found = true;
                break;
            }
        }
        if (!found) merged.push_back({key, sheet->count});
    }
    const std::string& prefix = source.choices.offcutPrefix;
    std::vector<std::string> lines;
    for (size_t j = 0; j < merged.size(); ++j)
        lines.push_back(prefix + std::to_string(j + 1) + "\t" + merged[j].size + "\t" +
                        std::to_string(merged[j].quantity) + "\t0");
    return lines;
}

ExportOutcome ExportOffcuts(const ExportSource& source, int layoutIndex, const std::string& path) {
    if (!source.result.LayoutSheetOf(layoutIndex)) return NoSuchLayout(layoutIndex);
    const std::vector<std::string> lines = BuildOffcutLines(source, layoutIndex);
    if (lines.empty()) return {true, _("The layout has no reusable offcuts.")};
    return WriteExportItems(path, lines);
}

}  // namespace tarvex
