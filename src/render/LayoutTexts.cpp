#include "render/LayoutTexts.h"

#include <QLineF>
#include <cmath>

#include "render/LayoutDrawing.h"
#include "text/NumberText.h"
#include "text/SingleLineText.h"

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(SingleLineText(text));
}

using Spot = TextSpot::Kind;

void Add(std::vector<LayoutText>& out, TextFitter& fitter, LayoutText::Kind kind, int owner,
         const std::string& text, const QRectF& area, const std::vector<TextSpot>& spots) {
    if (auto fitted = fitter.Fit(Q(text), area, spots))
        out.push_back(LayoutText{kind, owner, std::move(*fitted)});
}

// Along the line from its middle outward, on the line or just beside it (where a
// cut runs along the sheet's edge, or numbers of other cuts stand in the way).
std::vector<TextSpot> AlongLine(const QLineF& line) {
    const bool vertical = std::abs(line.dx()) < std::abs(line.dy());
    std::vector<TextSpot> spots;
    for (double f : {0.5, 0.3, 0.7, 0.15, 0.85, 0.05, 0.95}) {
        const QPointF at = line.pointAt(f);
        spots.push_back({Spot::AroundPoint, at});
        spots.push_back({vertical ? Spot::RightOfPoint : Spot::BelowPoint, at});
        spots.push_back({vertical ? Spot::LeftOfPoint : Spot::AbovePoint, at});
    }
    return spots;
}

}  // namespace

QLineF CutLine(const SheetView& view, const SawCut& cut, double bladeWidth) {
    const double middle = cut.at + bladeWidth / 2;
    if (cut.axis == SawCut::Axis::X)
        return QLineF(view.Point(middle, cut.from), view.Point(middle, cut.to));
    return QLineF(view.Point(cut.from, middle), view.Point(cut.to, middle));
}

std::vector<LayoutText> LayoutTexts(TextFitter& fitter, const SheetView& view,
                                    const PlannedSheet& sheet, const std::vector<SawCut>& cuts,
                                    double bladeWidth, const LayoutDrawOptions& options) {
    std::vector<LayoutText> out;
    if (options.cuts) {
        // Numbers may cross the parts' edges: they stand on the cut lines.
        const QRectF whole = view.Sheet();
        for (size_t k = 0; k < cuts.size(); ++k)
            Add(out, fitter, LayoutText::Kind::CutNumber, static_cast<int>(k),
                std::to_string(k + 1), whole, AlongLine(CutLine(view, cuts[k], bladeWidth)));
    }
    for (size_t i = 0; i < sheet.parts.size(); ++i) {
        const Placement& p = sheet.parts[i];
        const QRectF area = view.Box(p);
        const int owner = static_cast<int>(i);
        if (options.label)
            Add(out, fitter, LayoutText::Kind::Label, owner, p.label, area,
                {{Spot::Centre}, {Spot::AboveCentre}, {Spot::BelowCentre}});
        if (options.dimensions) {
            Add(out, fitter, LayoutText::Kind::Length, owner, FormatWhole(p.length), area,
                {{Spot::BottomCentre}});
            Add(out, fitter, LayoutText::Kind::Width, owner, FormatWhole(p.width), area,
                {{Spot::RightMiddle}});
        }
        // The corner it names: the left edge and the upper edge.
        if (options.corners)
            Add(out, fitter, LayoutText::Kind::Corner, owner,
                "(" + FormatWhole(p.x) + "," + FormatWhole(p.y + p.width) + ")", area,
                {{Spot::TopLeft}});
    }
    if (options.offcuts && options.document) {
        for (size_t k = 0; k < sheet.offcuts.size(); ++k) {
            const Offcut& o = sheet.offcuts[k];
            Add(out, fitter, LayoutText::Kind::OffcutSize, static_cast<int>(k),
                FormatMeasure(o.length) + " x " + FormatMeasure(o.width), view.Box(o),
                {{Spot::Centre}});
        }
    }
    return out;
}
