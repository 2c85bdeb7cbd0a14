// The settings of the "Sets" page as data: the texts of the edit boxes exactly as
// they stand, the check boxes, the slider, the colour positions and the dialect.
// The window keeps its controls and this record in step; the calculation, the
// project files, the exports and the command line read and write only this.
#pragma once

#include <string>

struct SettingsForm {
    int tbFast = 4;            // speed/quality slider 1 .. 12
    bool chkOneCut = false;    // "Guillotine"
    bool chkCost = false;      // "Cost Optimization"
    std::string edtUnit = "mm";
    std::string edtGap = "0";  // blade width
    std::string edtDotNum = "2";
    std::string edtMinLength = "10";
    std::string edtMinWidth = "10";
    std::string edtMinArea = "150";
    std::string edtPrefix = "YL";
    std::string edtTopMargin = "0";
    std::string edtBottomMargin = "0";
    std::string edtLeftMargin = "0";
    std::string edtRightMargin = "0";
    std::string edtFontName = "宋体";
    std::string edtFontSize = "10";
    std::string edtTitle = "Tarvex sheet cuting project";
    int clrbxEdge = 7;     // positions in the 50-entry colour list
    int clrbxSheet = 15;
    int clrbxPart = 0;
    int clrbxOffcut = 10;
    bool rbHua = true;     // CNC dialect: Huazhong, otherwise Siemens
    std::string edtDepth = "-0.02";
    std::string edtSafe = "0.02";
    bool chkDxfDim = false;
    bool chkDxfOffcuts = false;
    // Layout view options on the "Layouts" page.
    bool chkLabel = true;      // "Label"
    bool chkEdge = false;      // "Dimensions"
    bool chkLeftTop = false;   // "(Left,Top)"
    bool chkLeftRect = false;  // "Offcut"
};
