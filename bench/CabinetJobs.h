// Workshop jobs for the benchmark: kitchens and wardrobes built from cabinets of
// 18 mm board (carcass sides, tops, bottoms, rails, shelves, dividers, doors,
// drawer fronts and drawer boxes), and a bulk job of many pieces of few sizes.
// Identical pieces are one row with their quantity, as a cut list has them; doors
// and drawer fronts keep their grain (not rotatable). The same seed gives the same
// job on every platform.
#pragma once

#include <cstdint>
#include <vector>

#include "job/JobRows.h"

namespace tarvex {

struct Board {
    double length = 0, width = 0;
    double cost = 0;  // of one sheet
};

inline constexpr Board kBoard2800{2800, 2070, 81};
inline constexpr Board kBoard2440{2440, 1220, 46};
inline constexpr Board kBoard3050{3050, 1530, 64};

struct CabinetJobShape {
    int parts = 100;         // pieces of the job
    bool wardrobes = false;  // wardrobes, otherwise a kitchen
    std::vector<Board> boards{kBoard2800};
    int remnants = 0;    // priority offcuts from earlier jobs
    bool costs = false;  // sheets carry costs and the search minimises cost
    bool guillotine = true;
};

// Blade 4, margins 10, the command line's other defaults; every board with enough
// sheets to hold the job alone.
JobRows CabinetJob(const CabinetJobShape& shape, std::uint32_t seed);

// `parts` pieces of `types` random sizes of 100 x 60 to 800 x 450 (four in five
// rotatable) on the three boards with costs, cost objective, guillotine, blade 4,
// margins 10; the stock together holds the job twice, within the job input's sheet
// record limit.
JobRows BulkJob(int parts, int types, std::uint32_t seed);

}  // namespace tarvex
