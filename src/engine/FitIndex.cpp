#include "engine/FitIndex.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarvex {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

}  // namespace

// A part fits along an axis when its size less the tolerance is below the
// available extent, or when its size is the reference extent plus one kerf and
// the size without that kerf fits. The bound is rounded well up: it only decides
// where the exact test is worth making, never whether a part fits.
double FitQuery::LargestFitting(double avail, double ref, double kerf) {
    double bound = avail + kCutTolerance + 1e-12 * (std::fabs(avail) + 1);
    const double kerfSize = ref + kerf;
    if (kerf > 0 && (kerfSize - kerf) - kCutTolerance < avail) bound = std::max(bound, kerfSize);
    return bound;
}

FitQuery::FitQuery(double availLength, double availWidth, double refLength, double refWidth,
                   double kerf)
    : availLength_(availLength),
      availWidth_(availWidth),
      refLength_(refLength),
      refWidth_(refWidth),
      kerf_(kerf),
      maxLength_(LargestFitting(availLength, refLength, kerf)),
      maxWidth_(LargestFitting(availWidth, refWidth, kerf)) {}

bool FitIndex::Node::Admits(const FitQuery& query) const {
    for (int c = 0; c < kCorners && length[c] != kInfinity; ++c)
        if (query.Admits(length[c], width[c])) return true;
    return false;
}

// The corners of both children that no other corner lies below, thinned out to
// kCorners by replacing two neighbouring corners with the corner below both,
// where that gives up the least area.
FitIndex::Node FitIndex::Merge(const Node& a, const Node& b) {
    double length[2 * kCorners], width[2 * kCorners];
    int m = 0;
    int i = 0, j = 0;
    double lastWidth = kInfinity;
    for (;;) {
        const bool aLeft = i < kCorners && a.length[i] != kInfinity;
        const bool bLeft = j < kCorners && b.length[j] != kInfinity;
        if (!aLeft && !bLeft) break;
        const bool takeA = aLeft && (!bLeft || a.length[i] < b.length[j] ||
                                     (a.length[i] == b.length[j] && a.width[i] <= b.width[j]));
        const double l = takeA ? a.length[i++] : b.length[j++];
        const double w = takeA ? a.width[i - 1] : b.width[j - 1];
        if (w < lastWidth) {
            length[m] = l;
            width[m++] = w;
            lastWidth = w;
        }
    }
    for (; m > kCorners; --m) {
        int best = 0;
        double bestLoss = kInfinity;
        for (int k = 0; k + 1 < m; ++k) {
            const double loss = (length[k + 1] - length[k]) * (width[k] - width[k + 1]);
            if (loss < bestLoss) bestLoss = loss, best = k;
        }
        width[best] = width[best + 1];
        for (int k = best + 1; k + 1 < m; ++k) length[k] = length[k + 1], width[k] = width[k + 1];
    }
    Node n;
    for (int c = 0; c < kCorners; ++c) {
        n.length[c] = c < m ? length[c] : kInfinity;
        n.width[c] = c < m ? width[c] : kInfinity;
    }
    return n;
}

void FitIndex::Build(const std::vector<WorkPart*>& items) {
    remaining_ = items.size();
    leaves_ = 1;
    while (leaves_ < items.size()) leaves_ *= 2;
    Node empty;
    std::fill(std::begin(empty.length), std::end(empty.length), kInfinity);
    std::fill(std::begin(empty.width), std::end(empty.width), kInfinity);
    nodes_.assign(2 * leaves_, empty);
    for (std::size_t i = 0; i < items.size(); ++i) {
        // A record of a size that is infinite or not a number never fits.
        const double l = items[i]->length, w = items[i]->width;
        if (std::isnan(l) || std::isnan(w) || l == kInfinity || w == kInfinity) continue;
        nodes_[leaves_ + i].length[0] = l;
        nodes_[leaves_ + i].width[0] = w;
    }
    for (std::size_t n = leaves_ - 1; n >= 1; --n)
        nodes_[n] = Merge(nodes_[2 * n], nodes_[2 * n + 1]);
}

void FitIndex::Take(std::size_t i) {
    --remaining_;
    std::size_t n = leaves_ + i;
    nodes_[n].length[0] = nodes_[n].width[0] = kInfinity;
    for (n /= 2; n >= 1; n /= 2) {
        const Node merged = Merge(nodes_[2 * n], nodes_[2 * n + 1]);
        if (merged == nodes_[n]) break;
        nodes_[n] = merged;
    }
}

std::size_t FitIndex::FirstFit(const std::vector<WorkPart*>& items, std::size_t from,
                               const FitQuery& query, EffectiveSize& eff) const {
    if (remaining_ == 0 || from >= items.size()) return kNone;
    return Search(items, 1, 0, leaves_, from, query, eff);
}

std::size_t FitIndex::Search(const std::vector<WorkPart*>& items, std::size_t node, std::size_t lo,
                             std::size_t hi, std::size_t from, const FitQuery& query,
                             EffectiveSize& eff) const {
    if (hi <= from || !nodes_[node].Admits(query)) return kNone;
    if (hi - lo == 1) {
        eff = KerfRule(*items[lo], query.RefLength(), query.RefWidth(), query.Kerf());
        return Fits(eff, query.AvailLength(), query.AvailWidth()) ? lo : kNone;
    }
    const std::size_t mid = lo + (hi - lo) / 2;
    const std::size_t found = Search(items, 2 * node, lo, mid, from, query, eff);
    if (found != kNone) return found;
    return Search(items, 2 * node + 1, mid, hi, from, query, eff);
}

}  // namespace tarvex
