// How a job is cut: the settings the layout engine, the search and the result
// application follow. A job is built with them (parts enlarged by the blade
// width, sheets without their margins), and a plan carries the ones it was made with.
#pragma once

struct Margins {
    double top = 0.0;
    double bottom = 0.0;
    double left = 0.0;
    double right = 0.0;

    bool operator==(const Margins&) const = default;
};

struct CutSettings {
    double bladeWidth = 0.0;  // the kerf every cut takes
    Margins margins;          // trimmed off every sheet
    // The smallest offcut worth keeping.
    double minOffcutLength = 0.0;
    double minOffcutWidth = 0.0;
    double minOffcutArea = 0.0;
    bool guillotine = false;     // edge-to-edge cuts only; free placement otherwise
    bool costObjective = false;  // the search scores plans by cost instead of area

    bool operator==(const CutSettings&) const = default;

    // False as well when a value is not a number.
    bool IsUsableOffcut(double length, double width) const {
        return length >= minOffcutLength && width >= minOffcutWidth &&
               length * width >= minOffcutArea;
    }
};
