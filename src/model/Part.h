// A part of a job: one physical piece to cut. In a job its sizes are the entered
// sizes plus one blade width, the room the part takes with the cut beside it.
#pragma once

#include <cstdint>
#include <string>

namespace tarvex {

struct Part {
    double length = 100.0;  // along x, one blade width included
    double width = 100.0;   // along y, likewise
    // The engine lays parts out in descending order of this key, computed from the
    // entered sizes (100 x 100 by default).
    double layoutOrderKey = 500.95;
    std::int32_t id = 0;  // unique within the job
    std::string label;
    bool rotatable = true;  // may be turned by 90 degrees

    static double LayoutOrderKeyOf(double a, double b);
    // Sets the sizes and the layout order key they give.
    void SetSize(double newLength, double newWidth);
    double Area() const { return length * width; }
};

// A part as one layout works on it: a copy of the job's record, perhaps turned,
// and whether the engine has taken it for a sheet yet. `WorkPart{part}` copies a
// job's record as it lies.
struct WorkPart : Part {
    bool rotated = false;  // turned by 90 degrees from the job's record
    bool placed = false;   // the engine has taken it for a sheet of the layout

    // Swaps length and width; the layout order key does not change under a swap.
    void Rotate();
};

}  // namespace tarvex
