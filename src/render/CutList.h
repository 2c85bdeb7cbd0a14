// The cuts of a layout as the people at the machines read them: the saw's cut
// list (number, direction, position from the sheet's left or bottom edge, length)
// and what cutting a layout and the whole plan costs, for the report, the
// printout and the PDF.
#pragma once

#include <string>
#include <vector>

#include "job/AppliedResult.h"
#include "job/CutFigures.h"

struct CutListRow {
    std::string number;     // 1-based, in cutting order
    std::string direction;  // "Vertical" (a cut parallel to y) or "Horizontal", translated
    std::string position;   // the slot's near edge: x of a vertical cut, y of a horizontal one
    std::string length;
};

// The rows of the saw cuts of the sheet; none for a free plan.
std::vector<CutListRow> CutListRows(const AppliedResult& result, const PlannedSheet& sheet);
// The headings of the four columns, translated.
CutListRow CutListHeadings();
// Where the positions are measured from, as one line.
std::string CutPositionsNote();

// "18 cuts, cut length 21345.5", or the tool path of a free plan.
std::string CutFiguresText(const CutFigures& figures);

// The report's part on cutting: every layout with its figures per sheet and its
// cut list, then the totals over all sheets of the plan.
std::vector<std::string> CutReportLines(const AppliedResult& result);
