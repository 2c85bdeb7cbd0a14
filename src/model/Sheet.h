// Stock sheets: as a job holds them, as the search lays them out, and as a plan
// holds them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/CutSettings.h"
#include "model/Placement.h"

namespace tarvex {

// A stock sheet of a job: its usable extents (margins taken off).
struct Sheet {
    std::int32_t id = 0;  // position in the job's sheet list
    std::string label;
    double length = 1000.0;  // along x
    double width = 1000.0;   // along y
    double originX = 0.0;    // the usable area's origin handed to the engine
    double originY = 0.0;
    double unitCost = 0.0;   // cost per unit of the entered area
    bool usedFirst = false;  // from a priority row: a remnant already paid for, used first
    // The entered sheet turned by a quarter, so that its grain, which runs across it,
    // runs along the record's length as on every other sheet; its plan is turned back.
    bool turned = false;

    double Area() const { return width * length; }
};

// A stock sheet as the search lays it out: what the engine put on it, measured
// from the usable area's origin. It owns its records; copying it copies them.
struct LaidOutSheet : Sheet {
    LaidOutSheet() = default;
    // An empty layout of a job's sheet.
    explicit LaidOutSheet(const Sheet& stock) : Sheet(stock) {}

    std::vector<Footprint> parts;
    std::vector<Offcut> offcuts;
    std::vector<Segment> segments;  // of the free placement
    double utilisation = 0.0;       // placed area / usable area of the last evaluation
};

// A sheet of a plan: its full extents, its parts as cut and its offcuts measured
// from the sheet's corner, and where it stands in the list of layouts.
struct PlannedSheet {
    std::int32_t id = 0;
    std::string label;
    double length = 1000.0;
    double width = 1000.0;
    double unitCost = 0.0;
    std::vector<Placement> parts;
    std::vector<Offcut> offcuts;
    bool used = false;       // holds at least one part
    bool distinct = true;    // heads its own layout; false once merged into an identical one
    std::int32_t count = 1;  // sheets cut to this layout
    double utilisation = 0.0;
    std::int32_t layoutIndex = -1;  // position in the layout list; -1 while not numbered
    std::int32_t mergedInto = -1;   // of a merged sheet: the position of its layout's sheet
    // The sheet row it was entered on, as an index into the entered rows the plan was
    // made from (0 for the first data row); -1 when no row is known.
    std::int32_t entryRow = -1;

    double Area() const { return width * length; }
};

}  // namespace tarvex
