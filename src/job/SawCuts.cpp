#include "job/SawCuts.h"

#include <algorithm>
#include <cmath>

#include "engine/Rules.h"

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
          tol_(kCutTolerance + 1e-6 * (std::fabs(sheet.length) + std::fabs(sheet.width))) {
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
        for (std::size_t k = 0; k < groups.size(); ++k)
            if (!Separate(pieces[k], groups[k].members, axis)) return false;
        return true;
    }

    std::vector<SawCut> Take() { return std::move(cuts_); }
    std::size_t PartCount() const { return parts_.size(); }

  private:
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
    if (!saw.Separate(piece, all, kY)) return std::nullopt;
    return saw.Take();
}

double TotalCutLength(const std::vector<SawCut>& cuts) {
    double total = 0.0;
    for (const SawCut& c : cuts) total += c.Length();
    return total;
}
