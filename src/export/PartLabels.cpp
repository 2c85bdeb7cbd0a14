#include "export/PartLabels.h"

#include "render/LayoutPage.h"
#include "text/FileMessages.h"
#include "text/LengthText.h"
#include "text/NumberText.h"
#include "text/SingleLineText.h"
#include "text/Translate.h"

namespace tarvex {

std::vector<std::string> PartLabel::Lines() const {
    if (banding.empty()) return {label, size, place, sheet};
    return {label, size, place, sheet, banding};
}

namespace {

std::string BandingLine(const EdgeBandingNames& names) {
    std::string edges;
    for (const Edge edge : kEdges) {
        const std::string& name = NameOn(names, edge);
        if (name.empty()) continue;
        edges +=
            (edges.empty() ? "" : ", ") + std::string(EdgeName(edge)) + " " + SingleLineText(name);
    }
    return edges.empty() ? std::string() : Substitute(_("Banding: {1}"), {edges});
}

}  // namespace

std::string PartLabel::QrText() const {
    std::string text;
    for (const std::string& line : Lines()) text += (text.empty() ? "" : "\n") + line;
    return text;
}

std::vector<PartLabel> PartLabels(const AppliedResult& result) {
    std::vector<PartLabel> labels;
    const std::string unitName = UnitName(result.settings.unit);
    const std::string unit = unitName.empty() ? "" : " " + unitName;
    const LengthFormat lengths = LengthFormatOf(result.settings.unit);
    for (int i = 0; i < result.LayoutCount(); ++i) {
        const PlannedSheet* sheet = result.LayoutSheetOf(i);
        if (!sheet) continue;
        for (int copy = 0; copy < sheet->count; ++copy) {
            for (size_t k = 0; k < sheet->parts.size(); ++k) {
                const Placement& p = sheet->parts[k];
                // Turned parts are named by the sizes they were entered with.
                const double length = p.rotated ? p.width : p.length;
                const double width = p.rotated ? p.length : p.width;
                PartLabel label;
                label.label = SingleLineText(p.label);
                label.size = FormatLength(length, lengths, FormatMeasure) + " x " +
                             FormatLength(width, lengths, FormatMeasure) + unit;
                label.place =
                    Substitute(_("Layout {1}, part {2}"),
                               {std::to_string(i + 1), std::to_string(LayoutPartNumber(k))});
                const std::string& material = result.MaterialOf(*sheet);
                label.sheet =
                    material.empty()
                        ? Substitute(_("Sheet: {1}"), {SingleLineText(sheet->label)})
                        : Substitute(_("Sheet: {1}, material: {2}"),
                                     {SingleLineText(sheet->label), SingleLineText(material)});
                label.colorKey = p.label;
                if (const EnteredPart* row = result.EnteredPartAt(p.entryRow)) {
                    label.banding = BandingLine(row->banding);
                    label.bandedEdges = row->banding;
                }
                labels.push_back(std::move(label));
            }
        }
    }
    return labels;
}

}  // namespace tarvex
