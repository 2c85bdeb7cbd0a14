#include "job/SawCuts.h"

#include <algorithm>
#include <cmath>

#include "job/PlanCheck.h"
#include "job/SheetGeometry.h"
#include "model/Tolerances.h"

namespace tarvex {

namespace {

constexpr int kX = 0;
constexpr int kY = 1;

// A rectangle by its extents along x (index 0) and y (index 1).
struct Span {
    double lo[2];
    double hi[2];
};

Span SpanOf(const Placement& p) {
    return Span{{p.x, p.y}, {p.x + p.length, p.y + p.width}};
}

// Parts lying one after the other along an axis, with a blade width or more
// between neighbouring groups: a cut between two groups touches no part.
struct Group {
    std::vector<std::size_t> members;
    double lo = 0.0;
    double hi = 0.0;
};

class Separation {
  public:
    Separation(const PlannedSheet& sheet, double blade)
        : blade_(blade),
          // Positions summed along a sheet lose digits in proportion to its size,
          // and the engine lets parts overrun by its fit tolerance.
          tol_(kCutTolerance +
               kPositionDrift * (std::fabs(sheet.length) + std::fabs(sheet.width))) {
        for (const Placement& p : sheet.parts) parts_.push_back(SpanOf(p));
    }

    void Trim(Span& piece, int axis, double lo, double hi) {
        if (lo > piece.lo[axis] + tol_) {
            Emit(piece, axis, lo - blade_);
            piece.lo[axis] = lo;
        }
        if (hi < piece.hi[axis] - tol_) {
            Emit(piece, axis, hi);
            piece.hi[axis] = hi;
        }
    }

    // Cuts the piece until each of its parts lies alone in a piece of its own size.
    // `previousAxis` is the axis of the cuts that made the piece: where both axes
    // would do, the cuts turn, as a saw's stages do.
    bool Separate(const Span& piece, const std::vector<std::size_t>& members, int previousAxis) {
        if (members.empty()) return true;
        const std::vector<Group> alongX = GroupsAlong(kX, members);
        const std::vector<Group> alongY = GroupsAlong(kY, members);
        if (alongX.size() == 1 && alongY.size() == 1 && members.size() > 1) return false;
        int axis;
        if (alongX.size() != alongY.size()) {
            axis = alongX.size() > alongY.size() ? kX : kY;
        } else {
            // One part left: what remains are the trims around it.
            const int turned = 1 - previousAxis;
            if (members.size() > 1 || NeedsTrim(piece, turned, alongX, alongY))
                axis = turned;
            else if (NeedsTrim(piece, previousAxis, alongX, alongY))
                axis = previousAxis;
            else
                return true;
        }
        const std::vector<Group>& groups = axis == kX ? alongX : alongY;
        const std::vector<Span> pieces = CutInto(piece, axis, groups);
        for (std::size_t k = 0; k < groups.size(); ++k)
            if (!Separate(pieces[k], groups[k].members, axis)) return false;
        return true;
    }

    // Cuts stage by stage: every piece the stage before left is cut at once along
    // the stage's axis, starting with `first`, until each piece holds one part;
    // the trims around the parts come last.
    bool SeparateInStages(const Span& piece, const std::vector<std::size_t>& members, int first) {
        struct Open {
            Span piece;
            std::vector<std::size_t> members;
        };
        std::vector<Open> stage{{piece, members}}, alone;
        for (int axis = first; !stage.empty(); axis = 1 - axis) {
            std::vector<Open> next;
            for (Open& open : stage) {
                if (open.members.size() < 2) {
                    if (!open.members.empty()) alone.push_back(std::move(open));
                    continue;
                }
                const std::vector<Group> groups = GroupsAlong(axis, open.members);
                if (groups.size() == 1 && GroupsAlong(1 - axis, open.members).size() == 1)
                    return false;
                std::vector<Span> pieces = CutInto(open.piece, axis, groups);
                for (std::size_t k = 0; k < groups.size(); ++k)
                    next.push_back(Open{pieces[k], groups[k].members});
            }
            stage = std::move(next);
        }
        for (Open& open : alone) {
            const Span& part = parts_[open.members.front()];
            for (int axis : {first, 1 - first})
                Trim(open.piece, axis, part.lo[axis], part.hi[axis]);
        }
        return true;
    }

    std::vector<Box> PartBoxes() const {
        std::vector<Box> boxes;
        for (const Span& s : parts_) boxes.push_back(Box{s.lo[kX], s.lo[kY], s.hi[kX], s.hi[kY]});
        return boxes;
    }
    double Tolerance() const { return tol_; }

    std::vector<SawCut> Take() { return std::move(cuts_); }
    std::size_t PartCount() const { return parts_.size(); }

  private:
    // Cuts the piece across the axis between the groups and off their ends; the
    // piece of each group.
    std::vector<Span> CutInto(const Span& piece, int axis, const std::vector<Group>& groups) {
        std::vector<Span> pieces;
        Span rest = piece;
        for (const Group& g : groups) {
            Span own = rest;
            if (g.lo > rest.lo[axis] + tol_) {
                Emit(rest, axis, g.lo - blade_);
                own.lo[axis] = g.lo;
            }
            if (g.hi < rest.hi[axis] - tol_) {
                Emit(rest, axis, g.hi);
                own.hi[axis] = g.hi;
                rest.lo[axis] = g.hi + blade_;
            }
            pieces.push_back(own);
        }
        return pieces;
    }

    // The slot from `at` to `at` + blade width along the axis, across the piece.
    void Emit(const Span& piece, int axis, double at) {
        const int other = 1 - axis;
        cuts_.push_back(SawCut{axis == kX ? SawCut::Axis::X : SawCut::Axis::Y, at, piece.lo[other],
                               piece.hi[other]});
    }

    bool NeedsTrim(const Span& piece, int axis, const std::vector<Group>& alongX,
                   const std::vector<Group>& alongY) const {
        const Group& g = (axis == kX ? alongX : alongY).front();
        return g.lo > piece.lo[axis] + tol_ || g.hi < piece.hi[axis] - tol_;
    }

    std::vector<Group> GroupsAlong(int axis, std::vector<std::size_t> members) const {
        std::sort(members.begin(), members.end(), [&](std::size_t a, std::size_t b) {
            return parts_[a].lo[axis] < parts_[b].lo[axis];
        });
        std::vector<Group> groups;
        for (std::size_t i : members) {
            const Span& s = parts_[i];
            // Closer than a blade width to the group so far: no cut fits between.
            if (!groups.empty() && s.lo[axis] < groups.back().hi + blade_ - tol_) {
                groups.back().members.push_back(i);
                groups.back().hi = std::max(groups.back().hi, s.hi[axis]);
            } else {
                groups.push_back(Group{{i}, s.lo[axis], s.hi[axis]});
            }
        }
        return groups;
    }

    double blade_;
    double tol_;
    std::vector<Span> parts_;
    std::vector<SawCut> cuts_;
};

}  // namespace

std::optional<std::vector<SawCut>> DeriveSawCuts(const PlannedSheet& sheet,
                                                 const CutSettings& cut) {
    if (sheet.parts.empty()) return std::vector<SawCut>{};
    Separation saw(sheet, cut.bladeWidth);
    // The margins go first: they take the sheet's rough edges off.
    Span piece{{0.0, 0.0}, {sheet.length, sheet.width}};
    const Margins& m = cut.margins;
    saw.Trim(piece, kX, m.left, sheet.length - m.right);
    saw.Trim(piece, kY, m.bottom, sheet.width - m.top);
    std::vector<std::size_t> all(saw.PartCount());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
    if (cut.stages == 0 && cut.firstCut == FirstCut::Any) {
        if (!saw.Separate(piece, all, kY)) return std::nullopt;
        return saw.Take();
    }
    // A saw held to stages cuts along the settings' direction first, or along
    // the one that needs fewer stages.
    std::optional<PartAlong> first = FirstStageAlong(cut.firstCut);
    if (!first) {
        const std::vector<Box> boxes = saw.PartBoxes();
        const auto alongX = FewestStages(boxes, cut.bladeWidth, saw.Tolerance(), PartAlong::X);
        const auto alongY = FewestStages(boxes, cut.bladeWidth, saw.Tolerance(), PartAlong::Y);
        first = alongY && (!alongX || *alongY < *alongX) ? PartAlong::Y : PartAlong::X;
    }
    if (!saw.SeparateInStages(piece, all, *first == PartAlong::X ? kX : kY)) return std::nullopt;
    return saw.Take();
}

double TotalCutLength(const std::vector<SawCut>& cuts) {
    double total = 0.0;
    for (const SawCut& c : cuts) total += c.Length();
    return total;
}

}  // namespace tarvex
