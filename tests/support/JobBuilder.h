// Builds a job the way job input does, from simple part and sheet rows: one
// record per physical part and sheet, parts enlarged by the blade width, sheets
// without their margins, totals recomputed. Settings other than the totals are
// left as they are, so set g_sawwidth and the margins first.
#pragma once

#include <string>
#include <vector>

struct PartRow {
    double length = 100;
    double width = 100;
    int quantity = 1;
    bool rotatable = true;
    std::string label = "P";
};

struct SheetRow {
    double length = 1000;
    double width = 1000;
    int quantity = 1;
    double cost = 0;  // of one sheet
    bool priority = false;
    std::string label = "S";
};

// Replaces g_PartList and g_SheetList. Priority rows come first. With
// limitSheets, sheets are taken only until their usable area exceeds 1.5 times
// the part area, as job input does; without it every sheet is taken.
void BuildJob(const std::vector<PartRow>& parts, const std::vector<SheetRow>& sheets,
              bool limitSheets = false);
