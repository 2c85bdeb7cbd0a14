// What the outputs follow besides the plan: the choices of the settings and
// layouts pages at the moment of export (a plan does not hold them, so changing
// them changes the next export, never the plan): the view options, the colours,
// the DXF extras, the offcut lists' prefix and the sheet the labels print on.
#pragma once

#include <string>

namespace tarvex {

struct OutputChoices {
    bool showLabels = true;       // "Label"
    bool showDimensions = false;  // "Dimensions"
    bool showCorners = false;     // "(Left,Top)"
    bool showOffcuts = false;     // "Offcut"
    bool showCuts = false;        // "Cuts": the numbered saw cuts
    int edgeColor = 7;            // positions in the 50-entry colour list
    int sheetColor = 15;
    int partColor = 0;
    int offcutColor = 10;
    bool dxfDimensions = false;
    bool dxfOffcuts = false;
    std::string offcutPrefix = "YL";  // one field of a TAB-separated line, never empty
    std::string labelFormat = "3x8";

    bool operator==(const OutputChoices&) const = default;
};

}  // namespace tarvex
