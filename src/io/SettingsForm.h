// The settings of the "Sets" page as data: the texts of the edit boxes exactly as
// they stand, the check boxes, the slider, the colour positions and the dialect.
// The window keeps its controls and this record in step; the calculation, the
// project files, the exports and the command line read and write only this.
#pragma once

#include <string>
#include <vector>

#include "model/CutSettings.h"

namespace tarvex {

// One row of the banding table, as typed: the allowance may be left empty (none).
struct BandingTexts {
    std::string name;
    std::string thickness;
    std::string allowance;
    bool operator==(const BandingTexts&) const = default;
};

// The banding table and its check box "Cut to finished size less banding".
struct BandingForm {
    std::vector<BandingTexts> rows{};
    bool finishedSizes = false;
    bool operator==(const BandingForm&) const = default;
};

struct SettingsForm {
    int speed = 4;                      // speed/quality slider 1 .. 12
    bool guillotine = false;            // "Guillotine"
    bool costOptimization = false;      // "Cost Optimization"
    bool bestSearch = false;            // "Search:" Best, otherwise Classic
    std::string timeLimit = "10";       // seconds of the best search
    int stages = 0;                     // "Stages:" 2 or 3, 0 for any number
    FirstCut firstCut = FirstCut::Any;  // "First Cut:"
    std::string seed;                   // "Seed:" of the search; empty: a new one every time
    std::string unit = "mm";
    std::string bladeWidth = "0";  // blade width
    std::string decimals = "2";
    std::string minOffcutLength = "10";
    std::string minOffcutWidth = "10";
    std::string minOffcutArea = "150";
    std::string offcutPrefix = "YL";
    std::string marginTop = "0";
    std::string marginBottom = "0";
    std::string marginLeft = "0";
    std::string marginRight = "0";
    std::string printFont = "宋体";
    std::string printFontSize = "10";
    std::string printTitle = "Tarvex sheet cuting project";
    int edgeColor = 7;  // positions in the 50-entry colour list
    int sheetColor = 15;
    int partColor = 0;
    int offcutColor = 10;
    bool huazhong = true;  // CNC dialect: Huazhong, otherwise Siemens
    std::string drillDepth = "-0.02";
    std::string safeHeight = "0.02";
    bool dxfDimensions = false;
    bool dxfOffcuts = false;
    // Layout view options on the "Layouts" page.
    bool showLabels = true;           // "Label"
    bool showDimensions = false;      // "Dimensions"
    bool showCorners = false;         // "(Left,Top)"
    bool showOffcuts = false;         // "Offcut"
    bool showCuts = false;            // "Cuts": the numbered saw cuts
    std::string labelFormat = "3x8";  // the sheet the part labels are printed on
    BandingForm banding{};            // kept beside the project, in its banding list
};

}  // namespace tarvex
