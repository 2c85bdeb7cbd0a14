// The cuts a panel saw makes to take a guillotine layout apart, in the order it
// makes them: the trim cuts of the margins, then the cuts across the whole sheet,
// then the cuts within each of the pieces they leave, and so on, until every part
// is cut free to its size. The sequence is read off the layout itself, by
// separating its parts edge to edge, so it holds for any guillotine layout. A plan
// held to stages or to a first-cut direction is cut stage by stage instead: every
// cut of the first stage across the sheet, then the second-stage cuts of each strip
// it leaves, and so on; the trims that free each part of its waste come last.
#pragma once

#include <optional>
#include <vector>

#include "model/CutSettings.h"
#include "model/Sheet.h"

namespace tarvex {

// One pass of the blade: a slot one blade width wide across one current piece.
// Axis x: the slot covers x from `at` to `at` + blade width and runs parallel to
// y from `from` to `to`; axis y likewise across y, running along x. Positions are
// sheet coordinates (origin at the sheet corner on the left and bottom margins).
struct SawCut {
    enum class Axis { X, Y };
    Axis axis = Axis::X;
    double at = 0.0;
    double from = 0.0;
    double to = 0.0;

    double Length() const { return to - from; }
};

// The sequence for a sheet of a plan cut with these settings; nothing when no
// edge-to-edge cut parts some of its parts (a free layout). A sheet without parts
// needs no cuts.
std::optional<std::vector<SawCut>> DeriveSawCuts(const PlannedSheet& sheet, const CutSettings& cut);

double TotalCutLength(const std::vector<SawCut>& cuts);

}  // namespace tarvex
