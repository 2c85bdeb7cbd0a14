#include "job/EdgeBanding.h"

#include "job/JobRows.h"
#include "text/CaseFold.h"
#include "text/FieldSplit.h"

namespace tarvex {

namespace {

// How much the banding on the two edges along one side takes off the other size.
double Thickness(const BandingSettings& banding, const EdgeBandingNames& names, Edge a, Edge b) {
    double sum = 0;
    for (const Edge edge : {a, b})
        if (const Banding* found = banding.Find(NameOn(names, edge))) sum += found->thickness;
    return sum;
}

}  // namespace

PlanSide SideOf(Edge edge, bool rotated) {
    const bool first = edge == Edge::L1 || edge == Edge::W1;
    // Along the sheet's length: the L edges of a part as entered, the W edges of a turned one.
    if (AlongLength(edge) != rotated) return first ? PlanSide::Lower : PlanSide::Upper;
    return first ? PlanSide::Left : PlanSide::Right;
}

bool HasBanding(const EdgeBandingNames& names) {
    for (const std::string& name : names)
        if (!name.empty()) return true;
    return false;
}

const Banding* BandingSettings::Find(const std::string& name) const {
    const std::string wanted = TrimControls(name);
    if (wanted.empty()) return nullptr;
    for (const Banding& banding : bandings)
        if (banding.name == wanted || SameIgnoringCase(banding.name, wanted)) return &banding;
    return nullptr;
}

std::optional<InputFault> BandingFault(const JobRows& rows) {
    const BandingSettings& banding = rows.settings.banding;
    for (const PartRow& row : rows.parts) {
        if (row.quantity <= 0) continue;
        for (const Edge edge : kEdges) {
            const std::string& name = NameOn(row.banding, edge);
            if (!name.empty() && !banding.Find(name))
                return InputFault{.code = InputFault::Code::UnknownBanding,
                                  .table = EntryTable::Parts,
                                  .row = row.row,
                                  .column = BandingColumn(edge),
                                  .values = {name}};
        }
        if (!banding.finishedSizes) continue;
        const double length = row.length - Thickness(banding, row.banding, Edge::W1, Edge::W2);
        const double width = row.width - Thickness(banding, row.banding, Edge::L1, Edge::L2);
        // A size already not above 0 is the size check's to name.
        if ((row.length > 0 && !(length > 0)) || (row.width > 0 && !(width > 0)))
            return InputFault{.code = InputFault::Code::BandingLeavesNothing,
                              .table = EntryTable::Parts,
                              .row = row.row};
    }
    return std::nullopt;
}

JobRows CutSizes(const JobRows& rows) {
    JobRows cut = rows;
    const BandingSettings& banding = rows.settings.banding;
    if (!banding.finishedSizes) return cut;
    for (PartRow& row : cut.parts) {
        row.length -= Thickness(banding, row.banding, Edge::W1, Edge::W2);
        row.width -= Thickness(banding, row.banding, Edge::L1, Edge::L2);
    }
    return cut;
}

}  // namespace tarvex
