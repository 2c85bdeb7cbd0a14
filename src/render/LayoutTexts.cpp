#include "render/LayoutTexts.h"

#include <QLineF>
#include <cmath>

#include "render/LayoutDrawing.h"
#include "render/LayoutPage.h"
#include "text/LengthText.h"
#include "text/NumberText.h"
#include "text/SingleLineText.h"

namespace tarvex {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(SingleLineText(text));
}

using Spot = TextSpot::Kind;

bool Add(std::vector<LayoutText>& out, TextFitter& fitter, LayoutText::Kind kind, int owner,
         const QString& text, const QRectF& area, const std::vector<TextSpot>& spots,
         bool mayTurn = false) {
    auto fitted = fitter.Fit(text, area, spots, mayTurn);
    if (fitted) out.push_back(LayoutText{kind, owner, std::move(*fitted)});
    return fitted.has_value();
}

bool Add(std::vector<LayoutText>& out, TextFitter& fitter, LayoutText::Kind kind, int owner,
         const std::string& text, const QRectF& area, const std::vector<TextSpot>& spots,
         bool mayTurn = false) {
    return Add(out, fitter, kind, owner, Q(text), area, spots, mayTurn);
}

// The part's number with its label: whole where it fits, level or turned, else
// the label cut short, else the number alone; the number is never cut.
void AddPartName(std::vector<LayoutText>& out, TextFitter& fitter, int owner, const QString& number,
                 const QString& label, const QRectF& area) {
    const std::vector<TextSpot> spots{{Spot::Centre}, {Spot::AboveCentre}, {Spot::BelowCentre}};
    const auto add = [&](const QString& text) {
        return Add(out, fitter, LayoutText::Kind::Label, owner, text, area, spots, true);
    };
    if (label.isEmpty()) {
        add(number);
        return;
    }
    const QString prefix = number + QStringLiteral(": ");
    const QString whole = prefix + label;
    if (add(whole)) return;
    const QString cut = fitter.Elided(whole, std::max(area.width(), area.height()));
    // A cut that keeps at least one letter of the label says more than the number.
    if (cut != whole && cut.startsWith(prefix) && cut.size() >= prefix.size() + 2 && add(cut))
        return;
    add(number);
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
                                    double bladeWidth, const LengthFormat& lengths, int decimals,
                                    const LayoutDrawOptions& options) {
    std::vector<LayoutText> out;
    const auto size = [&lengths, decimals](double v) {
        return FormatLength(v, lengths, FormatDecimals, decimals);
    };
    for (size_t i = 0; i < sheet.parts.size(); ++i) {
        const Placement& p = sheet.parts[i];
        const QRectF area = view.Box(p);
        const int owner = static_cast<int>(i);
        AddPartName(out, fitter, owner, QString::number(LayoutPartNumber(i)),
                    options.label ? Q(p.label) : QString(), area);
        if (options.dimensions) {
            Add(out, fitter, LayoutText::Kind::Length, owner, size(p.length), area,
                {{Spot::BottomCentre}});
            // Turned, the width reads along the edge it measures.
            Add(out, fitter, LayoutText::Kind::Width, owner, size(p.width), area,
                {{Spot::RightMiddle}}, true);
        }
        // The corner it names: the left edge and the upper edge.
        if (options.corners)
            Add(out, fitter, LayoutText::Kind::Corner, owner,
                "(" + size(p.x) + "," + size(p.y + p.width) + ")", area, {{Spot::TopLeft}});
    }
    if (options.offcuts && options.document) {
        for (size_t k = 0; k < sheet.offcuts.size(); ++k) {
            const Offcut& o = sheet.offcuts[k];
            Add(out, fitter, LayoutText::Kind::OffcutSize, static_cast<int>(k),
                size(o.length) + " x " + size(o.width), view.Box(o), {{Spot::Centre}}, true);
        }
    }
    if (options.cuts) {
        // Last, so that they stand beside the texts of the parts, never on them; a
        // number without room along its line is left out.
        const QRectF whole = view.Sheet();
        for (size_t k = 0; k < cuts.size(); ++k)
            Add(out, fitter, LayoutText::Kind::CutNumber, static_cast<int>(k),
                std::to_string(k + 1), whole, AlongLine(CutLine(view, cuts[k], bladeWidth)));
    }
    return out;
}

}  // namespace tarvex
