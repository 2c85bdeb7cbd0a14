#include "job/PlanCheck.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "job/MaterialPlans.h"
#include "job/SheetGeometry.h"
#include "model/Tolerances.h"
#include "text/FileMessages.h"
#include "text/NumberText.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

using Kind = PlanViolation::Kind;

// The engine lets a part overrun the room it is given by less than its fit
// tolerance, and positions summed along a sheet lose digits in proportion to its size.
double Tolerance(const PlannedSheet& s) {
    return kCutTolerance + kPositionDrift * (std::fabs(s.length) + std::fabs(s.width));
}

std::string PartName(const Placement& p) {
    return Substitute(_("\"{1}\" (id {2})"), {p.label, std::to_string(p.partId)});
}

std::string SheetName(std::size_t i, const PlannedSheet& s) {
    const std::string number = std::to_string(i + 1);
    if (s.used && s.distinct)
        return Substitute(_("Sheet {1} \"{2}\", layout {3}"),
                          {number, s.label, std::to_string(s.layoutIndex + 1)});
    return Substitute(_("Sheet {1} \"{2}\""), {number, s.label});
}

std::string Position(const Offcut& o) {
    return FormatGeneral(o.x) + ", " + FormatGeneral(o.y);
}

PlanViolation Violation(Kind kind, const std::string& text,
                        const std::vector<std::string>& values) {
    return PlanViolation{kind, Substitute(text, values)};
}

// What tells parts apart in the workshop: the label and the sizes as the job holds
// them, unturned.
using PartKey = std::tuple<std::string, double, double>;

class Checker {
  public:
    explicit Checker(const AppliedResult& result)
        : r_(result), cut_(result.settings.cut), placed_(result.job.Parts().size(), false) {
        for (std::size_t k = 0; k < r_.job.Parts().size(); ++k) jobIndex_[r_.job.Parts()[k].id] = k;
    }

    std::optional<PlanViolation> Run() {
        for (std::size_t i = 0; i < r_.sheets.size(); ++i)
            if (auto v = CheckSheet(i)) return v;
        if (auto v = CheckPlacedCount()) return v;
        return CheckMerges();
    }

  private:
    std::optional<PlanViolation> CheckSheet(std::size_t i) {
        const PlannedSheet& s = r_.sheets[i];
        const std::string name = SheetName(i, s);
        const double tol = Tolerance(s);
        for (const Offcut& o : s.offcuts)
            if (!Within(BoxOf(o), Box{0, 0, s.length, s.width}, tol))
                return Violation(Kind::OffcutOutsideSheet,
                                 _("{1}: the offcut at {2} lies outside the sheet."),
                                 {name, Position(o)});
        const Margins& m = cut_.margins;
        const Box usable{m.left, m.bottom, s.length - m.right, s.width - m.top};
        for (const Placement& p : s.parts)
            if (auto v = CheckPart(p, s, usable, tol, name)) return v;

        std::vector<Box> parts;
        for (const Placement& p : s.parts) parts.push_back(BoxOf(p));
        if (const auto pair = FirstPairCloserThan(parts, cut_.bladeWidth, tol))
            return Violation(
                Kind::TooClose, _("{1}: parts {2} and {3} are less than one blade width apart."),
                {name, PartName(s.parts[pair->first]), PartName(s.parts[pair->second])});
        std::vector<Box> offcuts;
        for (const Offcut& o : s.offcuts) offcuts.push_back(BoxOf(o));
        if (const auto pair = FirstOverlap(parts, offcuts, tol))
            return Violation(
                Kind::OffcutOverPart, _("{1}: the offcut at {2} overlaps part {3}."),
                {name, Position(s.offcuts[pair->first]), PartName(s.parts[pair->second])});
        if (cut_.guillotine)
            if (const auto pair = FirstInseparablePair(parts, cut_.bladeWidth, tol))
                return Violation(
                    Kind::NotGuillotine,
                    _("{1}: parts {2} and {3} cannot be separated by edge-to-edge cuts."),
                    {name, PartName(s.parts[pair->first]), PartName(s.parts[pair->second])});
        if (cut_.guillotine && cut_.stages > 0) return CheckStages(parts, tol, name);
        return std::nullopt;
    }

    std::optional<PlanViolation> CheckStages(const std::vector<Box>& parts, double tol,
                                             const std::string& name) const {
        const auto needed =
            FewestStages(parts, cut_.bladeWidth, tol, FirstStageAlong(cut_.firstCut));
        if (!needed || *needed <= cut_.stages) return std::nullopt;
        const std::string text =
            cut_.firstCut == FirstCut::Length
                ? _("{1}: with the first cuts along the length, its parts need {2} stages of "
                    "cuts, but at most {3} are allowed.")
            : cut_.firstCut == FirstCut::Width
                ? _("{1}: with the first cuts along the width, its parts need {2} stages of "
                    "cuts, but at most {3} are allowed.")
                : _("{1}: its parts need {2} stages of cuts, but at most {3} are allowed.");
        return Violation(Kind::TooManyStages, text,
                         {name, std::to_string(*needed), std::to_string(cut_.stages)});
    }

    // From the job's record, which the search used; from the sheet's row for a plan
    // read back, whose job keeps no sheet records.
    Grain GrainOf(const PlannedSheet& sheet) const {
        const auto& records = r_.job.Sheets();
        if (sheet.id >= 0 && static_cast<std::size_t>(sheet.id) < records.size())
            return records[sheet.id].turned ? Grain::Width : Grain::Length;
        const EnteredSheet* row = r_.EnteredSheetAt(sheet.entryRow);
        return row ? row->grain : Grain::Length;
    }

    std::optional<PlanViolation> CheckPart(const Placement& p, const PlannedSheet& sheet,
                                           const Box& usable, double tol, const std::string& name) {
        const auto found = jobIndex_.find(p.partId);
        if (found == jobIndex_.end() || r_.job.Parts()[found->second].label != p.label)
            return Violation(Kind::UnknownPart, _("{1}: part {2} is not a part of the job."),
                             {name, PartName(p)});
        const Part& part = r_.job.Parts()[found->second];
        if (placed_[found->second])
            return Violation(Kind::PlacedTwice, _("{1}: part {2} is placed a second time."),
                             {name, PartName(p)});
        placed_[found->second] = true;
        // A part that may not turn keeps its length along the grain: turned on a
        // sheet whose grain runs across, as entered on one whose grain runs along.
        const Grain grain = GrainOf(sheet);
        if (!part.rotatable && grain == Grain::Length && p.rotated)
            return Violation(Kind::TurnedNotRotatable,
                             _("{1}: part {2} is turned, but it may not be turned."),
                             {name, PartName(p)});
        if (!part.rotatable && grain == Grain::Width && !p.rotated)
            return Violation(Kind::TurnedNotRotatable,
                             _("{1}: part {2} lies across the grain of the sheet, but it may "
                               "not be turned."),
                             {name, PartName(p)});
        if (const EnteredPart* row = r_.EnteredPartAt(p.entryRow);
            row && !SameMaterial(row->material, r_.MaterialOf(sheet)))
            return Violation(Kind::OtherMaterial,
                             _("{1}: part {2} is of the material \"{3}\", not of the sheet's."),
                             {name, PartName(p), row->material});
        // The job holds every part unturned, with one blade width added.
        const double length = part.length - cut_.bladeWidth, width = part.width - cut_.bladeWidth;
        const double wantLength = p.rotated ? width : length,
                     wantWidth = p.rotated ? length : width;
        if (!(std::fabs(p.length - wantLength) <= tol && std::fabs(p.width - wantWidth) <= tol))
            return Violation(Kind::NotEnteredSize,
                             _("{1}: part {2} is not cut to its entered size."),
                             {name, PartName(p)});
        if (!Within(BoxOf(p), usable, tol))
            return Violation(Kind::OutsideUsableArea,
                             _("{1}: part {2} lies outside the usable area of the sheet."),
                             {name, PartName(p)});
        return std::nullopt;
    }

    std::optional<PlanViolation> CheckPlacedCount() const {
        const auto missing = std::find(placed_.begin(), placed_.end(), false);
        if (r_.allPlaced && missing != placed_.end()) {
            const Part& part = r_.job.Parts()[missing - placed_.begin()];
            Placement named;
            named.label = part.label;
            named.partId = part.id;
            return Violation(
                Kind::PlacedCountWrong,
                _("Part {1} lies on no sheet, though the plan says every part is placed."),
                {PartName(named)});
        }
        if (!r_.allPlaced && missing == placed_.end())
            return Violation(Kind::PlacedCountWrong,
                             _("Every part lies on a sheet, though the plan says some do not."),
                             {});
        return std::nullopt;
    }

    // Every sheet merged into a layout must be cut like an earlier layout sheet,
    // and every layout counts itself and the sheets cut like it.
    std::optional<PlanViolation> CheckMerges() const {
        const auto& sheets = r_.sheets;
        std::vector<std::vector<PartKey>> keys(sheets.size());
        for (std::size_t i = 0; i < sheets.size(); ++i) {
            for (const Placement& p : sheets[i].parts) {
                const Part& part = r_.job.Parts()[jobIndex_.at(p.partId)];
                keys[i].emplace_back(part.label, part.length, part.width);
            }
            std::sort(keys[i].begin(), keys[i].end());
        }
        const auto alike = [&](std::size_t a, std::size_t b) {
            return sheets[a].label == sheets[b].label && sheets[a].length == sheets[b].length &&
                   sheets[a].width == sheets[b].width && keys[a] == keys[b];
        };
        std::vector<int> cutAlike(sheets.size(), 1);
        for (std::size_t q = 0; q < sheets.size(); ++q) {
            if (!sheets[q].used || sheets[q].distinct) continue;
            std::size_t p = 0;
            while (p < q && !(sheets[p].used && sheets[p].distinct && alike(p, q))) ++p;
            if (p == q)
                return Violation(Kind::MergedUnlike,
                                 _("{1} is merged into a layout, but no layout is cut like it."),
                                 {SheetName(q, sheets[q])});
            ++cutAlike[p];
        }
        for (std::size_t p = 0; p < sheets.size(); ++p) {
            if (!sheets[p].used || !sheets[p].distinct || sheets[p].count == cutAlike[p]) continue;
            return Violation(Kind::LayoutCountWrong,
                             _("{1}: the layout counts {2} sheets, but {3} are cut like it."),
                             {SheetName(p, sheets[p]), std::to_string(sheets[p].count),
                              std::to_string(cutAlike[p])});
        }
        return std::nullopt;
    }

    const AppliedResult& r_;
    const CutSettings& cut_;
    std::unordered_map<std::int32_t, std::size_t> jobIndex_;
    std::vector<bool> placed_;  // by position in the job
};

}  // namespace

std::optional<PlanViolation> CheckPlan(const AppliedResult& result) {
    return Checker(result).Run();
}

std::optional<PartAlong> FirstStageAlong(FirstCut firstCut) {
    // Cuts along the length run parallel to x: they part the sheet across y.
    switch (firstCut) {
        case FirstCut::Length:
            return PartAlong::Y;
        case FirstCut::Width:
            return PartAlong::X;
        case FirstCut::Any:
            break;
    }
    return std::nullopt;
}

std::optional<int> FewestStagesOf(const PlannedSheet& sheet, const CutSettings& cut) {
    std::vector<Box> parts;
    for (const Placement& p : sheet.parts) parts.push_back(BoxOf(p));
    return FewestStages(parts, cut.bladeWidth, Tolerance(sheet), FirstStageAlong(cut.firstCut));
}

}  // namespace tarvex
