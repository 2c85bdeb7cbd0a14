#include "job/SheetGeometry.h"

#include <algorithm>
#include <numeric>

namespace tarvex {

namespace {

std::vector<std::size_t> OrderBy(const std::vector<Box>& boxes, std::vector<std::size_t> group,
                                 double Box::*start) {
    std::stable_sort(group.begin(), group.end(), [&](std::size_t a, std::size_t b) {
        return boxes[a].*start < boxes[b].*start;
    });
    return group;
}

std::vector<std::size_t> All(const std::vector<Box>& boxes) {
    std::vector<std::size_t> all(boxes.size());
    std::iota(all.begin(), all.end(), std::size_t{0});
    return all;
}

// The group cut at every line along one axis that leaves a gap of `kerf` between
// the boxes on either side; a single piece when there is no such line.
std::vector<std::vector<std::size_t>> CutAcross(const std::vector<Box>& boxes,
                                                const std::vector<std::size_t>& group,
                                                double Box::*start, double Box::*end, double kerf,
                                                double tol) {
    std::vector<std::vector<std::size_t>> pieces(1);
    double reach = 0;
    for (std::size_t k : OrderBy(boxes, group, start)) {
        if (!pieces.back().empty() && boxes[k].*start >= reach + kerf - tol) pieces.emplace_back();
        reach = pieces.back().empty() ? boxes[k].*end : std::max(reach, boxes[k].*end);
        pieces.back().push_back(k);
    }
    return pieces;
}

// The stages a group needs when the next stage cuts along `start`/`end`; nothing
// when no cut along either coordinate parts it. A stage that cannot cut the group
// still counts: the saw's stages turn whether or not a piece is cut in one.
std::optional<int> StagesOf(const std::vector<Box>& boxes, const std::vector<std::size_t>& group,
                            bool alongX, double kerf, double tol) {
    if (group.size() < 2) return 0;
    const auto cut = [&](bool x) {
        return x ? CutAcross(boxes, group, &Box::left, &Box::right, kerf, tol)
                 : CutAcross(boxes, group, &Box::bottom, &Box::top, kerf, tol);
    };
    const auto pieces = cut(alongX);
    if (pieces.size() == 1) {
        if (cut(!alongX).size() == 1) return std::nullopt;
        const auto turned = StagesOf(boxes, group, !alongX, kerf, tol);
        return turned ? std::optional<int>(*turned + 1) : std::nullopt;
    }
    int most = 0;
    for (const auto& piece : pieces) {
        const auto needed = StagesOf(boxes, piece, !alongX, kerf, tol);
        if (!needed) return std::nullopt;
        most = std::max(most, *needed);
    }
    return most + 1;
}

}  // namespace

std::optional<int> FewestStages(const std::vector<Box>& boxes, double kerf, double tol,
                                std::optional<PartAlong> first) {
    const std::vector<std::size_t> all = All(boxes);
    if (first) return StagesOf(boxes, all, *first == PartAlong::X, kerf, tol);
    const auto alongX = StagesOf(boxes, all, true, kerf, tol);
    const auto alongY = StagesOf(boxes, all, false, kerf, tol);
    if (!alongX || !alongY) return alongX ? alongX : alongY;
    return std::min(*alongX, *alongY);
}

bool Within(const Box& inner, const Box& outer, double tol) {
    return inner.left >= outer.left - tol && inner.bottom >= outer.bottom - tol &&
           inner.right <= outer.right + tol && inner.top <= outer.top + tol;
}

std::optional<std::pair<std::size_t, std::size_t>> FirstPairCloserThan(
    const std::vector<Box>& boxes, double gap, double tol) {
    // Along x only the boxes that start before one ends (plus the gap) can be too
    // close to it, so each box meets few others.
    const std::vector<std::size_t> order = OrderBy(boxes, All(boxes), &Box::left);
    std::optional<std::pair<std::size_t, std::size_t>> first;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const Box& a = boxes[order[i]];
        for (std::size_t j = i + 1; j < order.size(); ++j) {
            const Box& b = boxes[order[j]];
            if (b.left >= a.right + gap - tol) break;
            if (std::max(b.bottom - a.top, a.bottom - b.top) >= gap - tol) continue;
            const std::pair<std::size_t, std::size_t> pair = std::minmax(order[i], order[j]);
            if (!first || pair < *first) first = pair;
        }
    }
    return first;
}

std::optional<std::pair<std::size_t, std::size_t>> FirstOverlap(const std::vector<Box>& boxes,
                                                                const std::vector<Box>& others,
                                                                double tol) {
    // Only the boxes that start at most the longest box's length before another
    // one can reach into it.
    const std::vector<std::size_t> order = OrderBy(boxes, All(boxes), &Box::left);
    double longest = 0;
    for (const Box& b : boxes) longest = std::max(longest, b.right - b.left);
    for (std::size_t o = 0; o < others.size(); ++o) {
        const Box& other = others[o];
        std::optional<std::size_t> first;
        auto k = std::lower_bound(order.begin(), order.end(), other.left - longest - tol,
                                  [&](std::size_t i, double x) { return boxes[i].left < x; });
        for (; k != order.end() && boxes[*k].left < other.right - tol; ++k) {
            const Box& b = boxes[*k];
            if (other.left < b.right - tol && b.bottom < other.top - tol &&
                other.bottom < b.top - tol && (!first || *k < *first))
                first = *k;
        }
        if (first) return std::pair{o, *first};
    }
    return std::nullopt;
}

std::optional<std::pair<std::size_t, std::size_t>> FirstInseparablePair(
    const std::vector<Box>& boxes, double kerf, double tol) {
    std::vector<std::vector<std::size_t>> open{All(boxes)};
    std::optional<std::pair<std::size_t, std::size_t>> first;
    while (!open.empty()) {
        std::vector<std::size_t> group = std::move(open.back());
        open.pop_back();
        if (group.size() < 2) continue;
        auto pieces = CutAcross(boxes, group, &Box::left, &Box::right, kerf, tol);
        if (pieces.size() == 1)
            pieces = CutAcross(boxes, group, &Box::bottom, &Box::top, kerf, tol);
        if (pieces.size() > 1) {
            for (auto& piece : pieces) open.push_back(std::move(piece));
            continue;
        }
        std::sort(group.begin(), group.end());
        const std::pair<std::size_t, std::size_t> pair{group[0], group[1]};
        if (!first || pair < *first) first = pair;
    }
    return first;
}

}  // namespace tarvex
