// A part of a job: one physical piece to cut. In a job its sizes are the entered
// sizes plus one blade width, the room the part takes with the cut beside it.
#pragma once

#include <cstdint>
#include <string>

struct Part {
    double length = 100.0;     // along x, one blade width included
    double width = 100.0;      // along y, likewise
    double priority = 500.95;  // layout order key of the entered sizes (100 x 100 by default)
    std::int32_t id = 0;       // unique within the job
    std::string label;
    bool rotatable = true;  // may be turned by 90 degrees
    bool rotated = false;   // a candidate's copy that has been turned
    bool placed = false;    // the engine has taken it for a sheet of the candidate

    static double ComputePriority(double a, double b);
    // Sets the sizes and the priority they give.
    void SetSize(double newLength, double newWidth);
    // Swaps length and width; the priority does not change under a swap.
    void Rotate();
    double Area() const { return length * width; }
};
