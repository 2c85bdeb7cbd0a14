// How much edge banding a plan needs: the banded edges of the parts it places.
#pragma once

#include <string>
#include <vector>

#include "job/AppliedResult.h"

namespace tarvex {

struct BandingLength {
    std::string material;      // empty for the job's totals and the one unnamed material
    std::string name;          // as the banding list names it
    int edges = 0;             // banded edges
    double length = 0;         // along the edges
    double withAllowance = 0;  // each edge with the banding's allowance added

    bool operator==(const BandingLength&) const = default;
};

struct BandingLengths {
    // Per material (in the order the plan's sheets first show it), then per banding
    // in the list's order; only bandings the material's parts use.
    std::vector<BandingLength> byMaterial;
    // Per banding over the whole plan, in the list's order; only bandings used.
    std::vector<BandingLength> total;

    bool Empty() const { return total.empty(); }
};

// An edge's length is the part's size as typed along it: its finished size when
// parts are cut to finished size less banding, otherwise its cut size.
BandingLengths BandingLengthsOf(const AppliedResult& result);

}  // namespace tarvex
