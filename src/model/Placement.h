// Where parts and offcuts lie on a sheet.
#pragma once

#include <cstdint>
#include <string>

namespace tarvex {

// A part laid on a sheet during the search: the rectangle it takes on the
// sheet's usable area, its size with one blade width, its corner measured from
// the usable area's origin.
struct Footprint {
    double x = 0.0;
    double y = 0.0;
    double length = 0.0;
    double width = 0.0;
    std::int32_t partId = 0;
    std::string label;
    bool rotated = false;
};

// A part of a plan: its size as cut and its corner measured from the sheet's corner.
struct Placement {
    double x = 0.0;
    double y = 0.0;
    double length = 0.0;
    double width = 0.0;
    std::int32_t partId = 0;
    std::string label;
    bool rotated = false;
    // The part row it was entered on, as an index into the entered rows the plan was
    // made from (0 for the first data row); -1 when no row is known.
    std::int32_t entryRow = -1;

    double Area() const { return length * width; }
};

// A reusable leftover rectangle.
struct Offcut {
    double x = 0.0;
    double y = 0.0;
    double length = 0.0;
    double width = 0.0;

    double Area() const { return length * width; }
};

// A level segment of the free placement: the line from (x, y) to (x + length, y).
struct Segment {
    double x = 0.0;
    double y = 0.0;
    double length = 0.0;
};

}  // namespace tarvex
