// The saw cut sequence of a sheet as the operator works through it: the cuts are
// gathered by the piece they cross, each group measured from that piece's own
// edge, and groups that repeat the same cuts in pieces cut one after the other
// become one group made that many times. The sheet itself (with the trims of its
// margins) is level 0; the pieces its cuts leave are the strips, numbered from
// the low edge; the pieces of a strip are named by the strip's number and their
// own ("2.3"), and so on for every further stage.
#pragma once

#include <string>
#include <vector>

#include "job/SawCuts.h"
#include "model/Sheet.h"

namespace tarvex {

struct GroupedCut {
    std::vector<int> numbers;  // 1-based in the sequence, one per piece of the group
    double offset = 0.0;       // from the group's reference edge to the slot's near edge
    double length = 0.0;
};

struct CutGroup {
    SawCut::Axis axis = SawCut::Axis::X;
    double reference = 0.0;  // the crossed piece's low edge along the axis (sheet coordinates)
    // The path of numbers of each crossed piece: empty for the sheet, {2} for strip 2,
    // {2, 3} for piece 3 of strip 2; one path per piece cut alike.
    std::vector<std::vector<int>> pieces;
    std::vector<GroupedCut> cuts;
};

// The groups of the sequence, in cutting order; every cut of the sequence is in
// exactly one group (as many times as the group's pieces).
std::vector<CutGroup> GroupSawCuts(const PlannedSheet& sheet, const std::vector<SawCut>& cuts,
                                   double bladeWidth);

}  // namespace tarvex
