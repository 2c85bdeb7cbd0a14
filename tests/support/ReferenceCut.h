// The straightforward layout engine, kept as the yardstick for the fast one: it
// walks the whole working list for every rectangle and every segment, scans the
// segment list for every decision and re-sorts the list by selection before every
// sheet. The fast engine must produce exactly what this one produces.
#pragma once

#include <string>
#include <vector>

#include "model/Globals.h"

namespace reference {

// The working list of one evaluation: pointers to the candidate's records.
struct WorkList {
    std::vector<TPartInfo*> items;

    // Takes the candidate's records in their order and clears every placed mark.
    // The order is left as given: every sheet sorts the list before its fill.
    void Reset(std::vector<TPartInfo>& parts);
};

bool IsUsableOffcut(double length, double width);

double FillGuillotine(WorkList& list, TSheetInfo& sheet, double x, double y, double regionLength,
                      double regionWidth, std::vector<TPartInfo>& out);
double FillFree(WorkList& list, TSheetInfo& sheet, double x0, double y0, double usableLength,
                double usableWidth, std::vector<TPartInfo>& out);

void AddSegment(TSheetInfo& sheet, double x, double y, double length);
void PickLowestSegment(const TSheetInfo& sheet, double& x, double& y, double& length);
void CloseSegment(TSheetInfo& sheet, double gapX, double gapY, double gapLength,
                  double usableLength);

double LayoutSheet(TSheetInfo& sheet, WorkList& list);

// Stable selection sort, descending priority. Records whose priority is not above
// 0 (or not a number) are never chosen by the selection; they follow in their order.
void SortByPriority(std::vector<TPartInfo*>& list);

}  // namespace reference
