// The labels that go on the cut parts, one per physical part: what the part is,
// its entered size, where it was cut (layout and position on the layout, sheet),
// and the same text for a QR code.
#pragma once

#include <string>
#include <vector>

#include "job/AppliedResult.h"

namespace tarvex {

struct PartLabel {
    std::string label;     // the part's label
    std::string size;      // its entered size: length x width, with the unit
    std::string place;     // layout number and its position number on the layout
    std::string sheet;     // the label and material of the sheet it is cut from
    std::string colorKey;  // the part label, for its colour
    // "Banding: L1 Oak, W2 PVC", empty for a part without banding.
    std::string banding{};
    EdgeBandingNames bandedEdges{};  // for the sketch of the part's banded edges

    // The lines of the label, top to bottom (the banding line only when there is
    // banding); the QR code holds them joined by LF.
    std::vector<std::string> Lines() const;
    std::string QrText() const;
};

// Layout by layout, every sheet cut to it, every part in the order of the
// layout's list (its position number).
std::vector<PartLabel> PartLabels(const AppliedResult& result);

}  // namespace tarvex
