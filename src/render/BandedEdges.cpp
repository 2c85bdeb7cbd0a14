#include "render/BandedEdges.h"

namespace tarvex {

std::vector<BandedEdge> BandedEdgesOf(const Placement& part, const EdgeBandingNames& names,
                                      const QRectF& box, double inset) {
    std::vector<BandedEdge> edges;
    const QRectF in = box.adjusted(inset, inset, -inset, -inset);
    for (const Edge edge : kEdges) {
        if (NameOn(names, edge).empty()) continue;
        QLineF line;
        switch (SideOf(edge, part.rotated)) {
            case PlanSide::Lower:  // the drawn box has y downward
                line = QLineF(in.bottomLeft(), in.bottomRight());
                break;
            case PlanSide::Upper:
                line = QLineF(in.topLeft(), in.topRight());
                break;
            case PlanSide::Left:
                line = QLineF(in.topLeft(), in.bottomLeft());
                break;
            case PlanSide::Right:
                line = QLineF(in.topRight(), in.bottomRight());
                break;
        }
        edges.push_back({edge, line});
    }
    return edges;
}

}  // namespace tarvex
