// Where a placed part's banded edges lie in a drawing (SideOf says which side
// each edge is).
#pragma once

#include <QLineF>
#include <QRectF>
#include <vector>

#include "job/EdgeBanding.h"
#include "model/Placement.h"

namespace tarvex {

struct BandedEdge {
    Edge edge = Edge::L1;
    QLineF line;  // along the side of the box, `inset` inside it
};

// The banded edges of the part in its drawn box (y downward, as a painter has it),
// in the order of kEdges; nothing for a part without banding.
std::vector<BandedEdge> BandedEdgesOf(const Placement& part, const EdgeBandingNames& names,
                                      const QRectF& box, double inset);

}  // namespace tarvex
