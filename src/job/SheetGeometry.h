// Rectangles on one sheet, as the plan check sees them: how close they come to
// each other and whether edge-to-edge cuts can part them. Every test allows
// `tol` of rounding.
#pragma once

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

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

// The first of the boxes that overlaps `box`.
std::optional<std::size_t> FirstOverlapping(const std::vector<Box>& boxes, const Box& box,
                                            double tol);

// Whether straight cuts `kerf` wide, each through the whole rectangle left by the
// cuts before it, can part every box from every other; if not, the first two
// boxes of a group that no such cut divides.
std::optional<std::pair<std::size_t, std::size_t>> FirstInseparablePair(
    const std::vector<Box>& boxes, double kerf, double tol);
