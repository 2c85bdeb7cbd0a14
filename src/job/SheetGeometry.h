// Rectangles on one sheet, as the plan check sees them: how close they come to
// each other and whether edge-to-edge cuts can part them. Every test allows
// `tol` of rounding.
#pragma once

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace tarvex {

struct Box {
    double left, bottom, right, top;
};

template <typename Record>
Box BoxOf(const Record& r) {
    return Box{r.x, r.y, r.x + r.length, r.y + r.width};
}

// False as well when a position or size is not a number.
bool Within(const Box& inner, const Box& outer, double tol);

// The first pair of boxes (positions in `boxes`, the smaller first) that are less
// than `gap` apart along x and along y; overlapping boxes are less than 0 apart.
std::optional<std::pair<std::size_t, std::size_t>> FirstPairCloserThan(
    const std::vector<Box>& boxes, double gap, double tol);

// The first of the other boxes that overlaps one of `boxes`, and the first box it
// overlaps (positions in `others` and in `boxes`).
std::optional<std::pair<std::size_t, std::size_t>> FirstOverlap(const std::vector<Box>& boxes,
                                                                const std::vector<Box>& others,
                                                                double tol);

// Whether straight cuts `kerf` wide, each through the whole rectangle left by the
// cuts before it, can part every box from every other; if not, the first two
// boxes of a group that no such cut divides.
std::optional<std::pair<std::size_t, std::size_t>> FirstInseparablePair(
    const std::vector<Box>& boxes, double kerf, double tol);

// The coordinate the cuts of one stage part the boxes along: X, cuts at positions
// along x (each running parallel to y); Y likewise.
enum class PartAlong { X, Y };

// The fewest stages of cuts that part every box from every other: a stage cuts each
// piece the stage before it left, edge to edge and `kerf` wide, along one
// coordinate, and the stages take x and y in turn, the first along `first` (or
// along whichever needs fewer stages, when not given). Cutting a piece down to its
// single box is trimming, not a stage. Nothing when no edge-to-edge cut parts some
// of the boxes.
std::optional<int> FewestStages(const std::vector<Box>& boxes, double kerf, double tol,
                                std::optional<PartAlong> first);

}  // namespace tarvex
