// The path of a CNC router's tool along one layout: straight cuts along the part
// edges, each a plunge, one move at cutting depth and a lift. Guillotine layouts
// are cut through strips, free layouts around every part, skipping the edges on
// the sheet border and those cut already.
#pragma once

#include <vector>

#include "model/CutSettings.h"
#include "model/Sheet.h"

namespace tarvex {

struct ToolPoint {
    double x = 0.0;
    double y = 0.0;
};

struct ToolCut {
    ToolPoint from;
    ToolPoint to;

    double Length() const;
};

// The cuts in program order; `cut.guillotine` chooses how the layout is cut.
std::vector<ToolCut> ToolPathOf(const PlannedSheet& sheet, const CutSettings& cut);

// The length the tool travels at cutting depth.
double ToolPathLength(const std::vector<ToolCut>& path);

}  // namespace tarvex
