// Edge banding: the bandings a job knows, and which edges of a part take one.
// L1 and L2 run along a part's length, W1 and W2 along its width.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "job/InputFault.h"

namespace tarvex {

struct JobRows;

enum class Edge { L1, L2, W1, W2 };
constexpr int kEdgeCount = 4;
constexpr std::array<Edge, kEdgeCount> kEdges{Edge::L1, Edge::L2, Edge::W1, Edge::W2};

// "L1", "L2", "W1" or "W2": the column caption and the name files and the JSON use.
inline const char* EdgeName(Edge edge) {
    constexpr const char* kNames[kEdgeCount] = {"L1", "L2", "W1", "W2"};
    return kNames[static_cast<size_t>(edge)];
}
// The part table's column of the edge, as input faults name it.
inline EntryColumn BandingColumn(Edge edge) {
    return static_cast<EntryColumn>(static_cast<int>(EntryColumn::BandingL1) +
                                    static_cast<int>(edge));
}
inline bool AlongLength(Edge edge) {
    return edge == Edge::L1 || edge == Edge::L2;
}

// Which side of its rectangle on the sheet an edge of a placed part is, with y
// upward as the plans have it: a part lying as entered has L1 at its lower side and
// W1 at its left; a turned part has L1 at its left and W1 at its lower side.
enum class PlanSide { Lower, Upper, Left, Right };
PlanSide SideOf(Edge edge, bool rotated);

// The banding name of each edge, in the order of kEdges; empty for an edge without.
using EdgeBandingNames = std::array<std::string, kEdgeCount>;

inline const std::string& NameOn(const EdgeBandingNames& names, Edge edge) {
    return names[static_cast<size_t>(edge)];
}
bool HasBanding(const EdgeBandingNames& names);

struct Banding {
    std::string name;
    double thickness = 0;
    double allowance = 0;  // extra length to order per banded edge
    bool operator==(const Banding&) const = default;
};

struct BandingSettings {
    std::vector<Banding> bandings;
    // The sizes typed are the finished sizes: a part is cut smaller by the
    // thickness of each banded edge.
    bool finishedSizes = false;
    bool operator==(const BandingSettings&) const = default;

    // The banding of that name, trimmed and letter case ignored; nullptr for none.
    const Banding* Find(const std::string& name) const;
};

// The first part row with a quantity that names a banding the list does not
// have, or that finished sizes would leave without a length or width.
std::optional<InputFault> BandingFault(const JobRows& rows);

// The rows with each part's sizes as it is cut: with finished sizes, less the
// thickness of the banding on its edges (the W edges shorten the length, the L
// edges the width); otherwise as they are. BandingFault must have found nothing.
JobRows CutSizes(const JobRows& rows);

}  // namespace tarvex
