// How a job is cut: the settings the layout engine, the search and the result
// application follow. A job is built with them (parts enlarged by the blade
// width, sheets without their margins), and a plan carries the ones it was made with.
#pragma once

namespace tarvex {

struct Margins {
    double top = 0.0;
    double bottom = 0.0;
    double left = 0.0;
    double right = 0.0;

    bool operator==(const Margins&) const = default;
};

// Which way the first stage of a guillotine plan cuts. Length: the first cuts run
// along the sheet's length (parallel to x), so the first strips span the whole
// length; Width: they run along its width (parallel to y), so the first strips
// span the whole width.
enum class FirstCut { Any, Length, Width };

struct CutSettings {
    double bladeWidth = 0.0;  // the kerf every cut takes
    Margins margins;          // trimmed off every sheet
    // The smallest offcut worth keeping.
    double minOffcutLength = 0.0;
    double minOffcutWidth = 0.0;
    double minOffcutArea = 0.0;
    bool guillotine = false;     // edge-to-edge cuts only; free placement otherwise
    bool costObjective = false;  // the search scores plans by cost instead of area
    // Of guillotine plans: the most stages of edge-to-edge cuts a saw may make
    // (2 or 3), 0 for any number; and the direction of the first stage.
    int stages = 0;
    FirstCut firstCut = FirstCut::Any;

    bool operator==(const CutSettings&) const = default;

    // False as well when a value is not a number.
    bool IsUsableOffcut(double length, double width) const {
        return length >= minOffcutLength && width >= minOffcutWidth &&
               length * width >= minOffcutArea;
    }
};

}  // namespace tarvex
