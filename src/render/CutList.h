// The cuts of a layout as the people at the machines read them: the saw's cut
// list, grouped by the piece each cut crosses (the sheet, then strip by strip,
// positions from the piece's own edge, cuts repeated alike in pieces cut one
// after the other given once with their count), and what cutting a layout and
// the whole plan costs, for the report, the printout and the PDF.
#pragma once

#include <string>
#include <vector>

#include "job/AppliedResult.h"
#include "job/CutFigures.h"
#include "text/LengthText.h"

namespace tarvex {

struct CutListRow {
    std::string
        number;  // 1-based in cutting order; "5,9" or "20-23" for a cut made in several pieces
    std::string direction;  // "Vertical" (a cut parallel to y) or "Horizontal", translated
    std::string position;   // the slot's near edge, from the group's reference edge
    std::string length;
    std::string count;  // "×2" for a cut made in two pieces, empty for one
};

struct CutListGroup {
    std::string heading;  // "Strip 2 (from y = 540):", naming the reference once
    std::vector<CutListRow> rows;
};

// The groups of the saw cuts of the sheet; none for a free plan.
std::vector<CutListGroup> CutListGroups(const AppliedResult& result, const PlannedSheet& sheet);
// The headings of the five columns, translated (the count column has none).
CutListRow CutListHeadings();
// Where the positions are measured from, as one line.
std::string CutPositionsNote();

// "18 cuts, cut length 21345.5", or the tool path of a free plan, the length in
// the format of the plan's unit.
std::string CutFiguresText(const CutFigures& figures, const LengthFormat& lengths);

// The report's part on cutting: every layout with its figures per sheet and its
// cut list, then the totals over all sheets of the plan.
std::vector<std::string> CutReportLines(const AppliedResult& result);

}  // namespace tarvex
