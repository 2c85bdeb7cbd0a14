// The straightforward layout engine, kept as the yardstick for the fast one: it
// walks the whole working list for every rectangle and every segment, scans the
// segment list for every decision and re-sorts the list by selection before every
// sheet. The fast engine must produce exactly what this one produces.
#pragma once

#include <vector>

#include "model/CutSettings.h"
#include "model/Part.h"
#include "model/Placement.h"
#include "model/Sheet.h"

namespace tarvex {

namespace reference {

// The working list of one evaluation: pointers to the candidate's records and
// the settings the sheets are cut with.
struct WorkList {
    std::vector<WorkPart*> items;
    const CutSettings* settings = nullptr;

    // Takes the candidate's records in their order, clears every placed mark and
    // remembers the settings, which must outlive the list's use. The order is
    // left as given: every sheet sorts the list before its fill.
    void Reset(std::vector<WorkPart>& parts, const CutSettings& cutSettings);
};

double FillGuillotine(WorkList& list, LaidOutSheet& sheet, double x, double y, double regionLength,
                      double regionWidth, std::vector<Footprint>& out);
double FillFree(WorkList& list, LaidOutSheet& sheet, double x0, double y0, double usableLength,
                double usableWidth, std::vector<Footprint>& out);

void AddSegment(LaidOutSheet& sheet, double x, double y, double length);
void PickLowestSegment(const LaidOutSheet& sheet, double& x, double& y, double& length);
void CloseSegment(LaidOutSheet& sheet, double gapX, double gapY, double gapLength,
                  double usableLength, const CutSettings& settings);

double LayoutSheet(LaidOutSheet& sheet, WorkList& list);

// Stable selection sort, descending layout order key. Records whose key is not above
// 0 (or not a number) are never chosen by the selection; they follow in their order.
void SortByLayoutOrder(std::vector<WorkPart*>& list);

}  // namespace reference

}  // namespace tarvex
