// The most valuable pattern of one stock kind for given values of the piece types:
// strips across the sheet, each filled with stacks of pieces (three stages) or
// with single pieces (two stages), by knapsack-like dynamic programming over a
// grid of sizes.
#pragma once

#include <cstdint>
#include <vector>

#include "optimizer/SheetPattern.h"

namespace tarvex {

// A grid that every piece's room is a whole number of cells of, or, when there is
// none coarse enough to stay small, one that rounds them to the nearest cell
// (patterns then check the real sizes and hold a little less).
double PatternGrid(const PatternJob& pj, int maxCells);

class PatternPricer {
  public:
    // Strips run along x (first cuts along the length), along y, or both ways when
    // `bothWays`; `stacks` allows a third stage of cuts inside each strip.
    PatternPricer(const PatternJob& pj, std::int32_t kind, double grid, bool alongLength,
                  bool alongWidth, bool stacks);

    // A pattern of the most value it finds, with at most `bounds[t]` pieces of type
    // t; types of value 0 or less are left out. Returns its value.
    double Best(const std::vector<double>& values, const std::vector<std::int32_t>& bounds,
                SheetPattern& out) const;

  private:
    struct Item {
        std::int32_t type;
        bool turned;
        int u, v;  // cells along and across the strip
        double realU, realV;
    };
    struct Frame {
        bool alongLength;
        int cellsU, cellsV;
        double roomU, roomV;
        std::vector<Item> items;  // those that fit, by v then u
    };

    double Price(const Frame& f, const std::vector<double>& values,
                 const std::vector<std::int32_t>& bounds, SheetPattern* out) const;

    const PatternJob& pj_;
    std::int32_t kind_;
    bool stacks_;
    std::vector<Frame> frames_;
};

}  // namespace tarvex
