// The layout engine: fills one sheet with the parts of one candidate, by
// guillotine cuts or by free placement along level segments, and records the
// reusable offcuts.
#pragma once

#include <string>
#include <vector>

#include "model/Globals.h"

// Parts may overrun an available extent by less than this; smaller rectangles are empty.
inline constexpr double kCutTolerance = 0.00001;

// The working list of one evaluation: the candidate's part records in the engine's
// (priority) order with their placed marks. Each evaluation owns one, so several
// evaluations can run at once on different threads.
class WorkList {
public:
    // Takes the candidate's records in their order, clears every placed mark and
    // puts them into priority order.
    void Reset(std::vector<TPartInfo>& parts);

    const std::vector<TPartInfo*>& Records() const { return items_; }
    std::vector<TPartInfo*>& Records() { return items_; }

private:
    std::vector<TPartInfo*> items_;
};

bool IsUsableOffcut(double length, double width);

// Fills the rectangle (x, y, regionLength, regionWidth) by guillotine cuts; returns
// the placed area (enlarged sizes). Placements go to `out`, offcuts to the sheet.
double FillGuillotine(WorkList& list, TSheetInfo& sheet, double x, double y,
                      double regionLength, double regionWidth, std::vector<TPartInfo>& out);

// Fills the usable area of the sheet along level segments; returns the placed area.
double FillFree(WorkList& list, TSheetInfo& sheet, double x0, double y0, double usableLength,
                double usableWidth, std::vector<TPartInfo>& out);

void AddSegment(TSheetInfo& sheet, double x, double y, double length);
void PickLowestSegment(const TSheetInfo& sheet, double& x, double& y, double& length);
void CloseSegment(TSheetInfo& sheet, double gapX, double gapY, double gapLength,
                  double usableLength);

// Lays out one sheet with the list's unplaced parts (g_isonecut chooses the
// method), replacing the sheet's placements, offcuts and segments; returns the
// placed area, the engine's score for the sheet.
double LayoutSheet(TSheetInfo& sheet, WorkList& list);

// Stable descending order of priority; records whose priority is not above 0
// (zero, negative or NaN sizes) go last in their order.
void SortByPriority(std::vector<TPartInfo*>& list);

// A copy of the sheet with its placements; layout bookkeeping gets its defaults.
TSheetInfo CopySheet(const TSheetInfo& sheet);
void ClearSheetParts(TSheetInfo& sheet);
int CountPartsWithLabel(const TSheetInfo& sheet, const std::string& label);
