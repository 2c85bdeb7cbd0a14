#include "render/CutGroups.h"

#include <algorithm>
#include <cmath>

namespace tarvex {

namespace {

struct Piece {
    double lo[2];
    double hi[2];
    int madeBy = -1;        // the group whose cut left it; -1 for the whole sheet
    bool holdsAll = true;   // holds every part of the sheet: still the sheet itself
    std::vector<int> path;  // its name once a group crosses it
};

int AxisIndex(SawCut::Axis axis) {
    return axis == SawCut::Axis::X ? 0 : 1;
}

class Grouping {
  public:
    Grouping(const PlannedSheet& sheet, double blade)
        : blade_(blade), tol_(1e-5 + 1e-6 * (std::fabs(sheet.length) + std::fabs(sheet.width))) {
        for (const Placement& p : sheet.parts)
            parts_.push_back(Piece{{p.x, p.y}, {p.x + p.length, p.y + p.width}, -1, true, {}});
        pieces_.push_back(Piece{{0.0, 0.0}, {sheet.length, sheet.width}, -1, true, {}});
    }

    void Add(const SawCut& cut, int number) {
        const int a = AxisIndex(cut.axis);
        const int crossed = Crossed(cut, a);
        if (crossed < 0) {
            // Not a cut across one piece: it stands alone, measured from the sheet.
            EndGroup();
            groups_.push_back(CutGroup{cut.axis, 0.0, {{}}, {}});
            groups_.back().cuts.push_back(GroupedCut{{number}, cut.at, cut.Length()});
            return;
        }
        Piece piece = pieces_[crossed];
        if (open_ < 0 || piece.madeBy != open_ || groups_[open_].axis != cut.axis) {
            // The group before ends with the crossed piece still among its pieces.
            EndGroup();
            Name(piece);
            groups_.push_back(CutGroup{cut.axis, piece.lo[a], {piece.path}, {}});
            open_ = static_cast<int>(groups_.size()) - 1;
        }
        pieces_.erase(pieces_.begin() + crossed);
        CutGroup& group = groups_[open_];
        group.cuts.push_back(GroupedCut{{number}, cut.at - group.reference, cut.Length()});
        Piece low = piece, high = piece;
        low.hi[a] = std::min(piece.hi[a], cut.at);
        high.lo[a] = std::max(piece.lo[a], cut.at + blade_);
        for (Piece* p : {&low, &high}) {
            if (p->hi[a] - p->lo[a] <= tol_) continue;
            p->madeBy = open_;
            p->path = piece.path;
            p->holdsAll = HeldParts(*p) == parts_.size();
            pieces_.push_back(*p);
        }
    }

    std::vector<CutGroup> Take() {
        EndGroup();
        return Merged();
    }

  private:
    int Crossed(const SawCut& cut, int a) const {
        const int o = 1 - a;
        int found = -1;
        for (size_t k = 0; k < pieces_.size(); ++k) {
            const Piece& p = pieces_[k];
            if (std::fabs(p.lo[o] - cut.from) > tol_ || std::fabs(p.hi[o] - cut.to) > tol_)
                continue;
            if (!(cut.at < p.hi[a] - tol_ && cut.at + blade_ > p.lo[a] + tol_)) continue;
            if (found >= 0) return -1;
            found = static_cast<int>(k);
        }
        return found;
    }

    size_t HeldParts(const Piece& piece) const {
        return std::count_if(parts_.begin(), parts_.end(), [&](const Piece& q) {
            return q.lo[0] >= piece.lo[0] - tol_ && q.lo[1] >= piece.lo[1] - tol_ &&
                   q.hi[0] <= piece.hi[0] + tol_ && q.hi[1] <= piece.hi[1] + tol_;
        });
    }

    // The pieces a finished group left that hold parts, from its low edge: the
    // numbers of the strips or pieces that later groups cross.
    void EndGroup() {
        if (open_ < 0) return;
        const int a = AxisIndex(groups_[open_].axis);
        std::vector<const Piece*> made;
        for (const Piece& p : pieces_)
            if (p.madeBy == open_ && HeldParts(p) > 0) made.push_back(&p);
        std::sort(made.begin(), made.end(),
                  [&](const Piece* x, const Piece* y) { return x->lo[a] < y->lo[a]; });
        std::vector<std::pair<double, double>> spans;
        for (const Piece* p : made) spans.emplace_back(p->lo[a], p->hi[a]);
        made_.resize(groups_.size());
        made_[open_] = {a, std::move(spans)};
        open_ = -1;
    }

    void Name(Piece& piece) const {
        if (piece.madeBy < 0 || piece.holdsAll) return;
        const auto& [a, spans] = made_[piece.madeBy];
        for (size_t k = 0; k < spans.size(); ++k)
            if (std::fabs(spans[k].first - piece.lo[a]) <= tol_) {
                piece.path.push_back(static_cast<int>(k) + 1);
                return;
            }
    }

    bool Alike(const CutGroup& a, const CutGroup& b) const {
        if (a.axis != b.axis || std::fabs(a.reference - b.reference) > tol_ ||
            a.cuts.size() != b.cuts.size())
            return false;
        for (size_t k = 0; k < a.cuts.size(); ++k)
            if (std::fabs(a.cuts[k].offset - b.cuts[k].offset) > tol_ ||
                std::fabs(a.cuts[k].length - b.cuts[k].length) > tol_)
                return false;
        return true;
    }

    // Groups that repeat the one before them become one group made once more.
    std::vector<CutGroup> Merged() {
        std::vector<CutGroup> out;
        for (CutGroup& g : groups_) {
            if (!out.empty() && Alike(out.back(), g)) {
                CutGroup& last = out.back();
                last.pieces.push_back(g.pieces.front());
                for (size_t k = 0; k < g.cuts.size(); ++k)
                    last.cuts[k].numbers.push_back(g.cuts[k].numbers.front());
                continue;
            }
            out.push_back(std::move(g));
        }
        return out;
    }

    double blade_, tol_;
    std::vector<Piece> parts_;
    std::vector<Piece> pieces_;
    std::vector<CutGroup> groups_;
    std::vector<std::pair<int, std::vector<std::pair<double, double>>>> made_;
    int open_ = -1;
};

}  // namespace

std::vector<CutGroup> GroupSawCuts(const PlannedSheet& sheet, const std::vector<SawCut>& cuts,
                                   double bladeWidth) {
    Grouping grouping(sheet, bladeWidth);
    for (size_t k = 0; k < cuts.size(); ++k) grouping.Add(cuts[k], static_cast<int>(k) + 1);
    return grouping.Take();
}

}  // namespace tarvex
