// What the two fills share behind the public entry points: the sheet records a
// fill writes to, the writer of the placement records, and the fills writing
// through them; and the single steps of the fills, which the engine's tests
// compare one by one with the reference engine.
#pragma once

#include <cstddef>
#include <vector>

#include "engine/Cut.h"

namespace tarvex {

// The records of the sheet a fill works on besides its placements: its usable
// extents, the offcut list the fill appends to and the free fill's segment list.
struct FillSheet {
    double length;
    double width;
    std::vector<Offcut>& offcuts;
    std::vector<Segment>& segments;
};

inline FillSheet FillSheetOf(LaidOutSheet& sheet) {
    return FillSheet{sheet.length, sheet.width, sheet.offcuts, sheet.segments};
}

// Appends placement records to a list: full records, or compact ones that name
// the part by its position in the list the work list was reset from. Stale full
// records past the write position are overwritten first, so that laying out a
// sheet again reuses their label buffers.
class PlacementWriter {
  public:
    PlacementWriter(std::vector<Footprint>& out, std::size_t start)
        : records_(&out), next_(start) {}
    PlacementWriter(std::vector<PartSpot>& out, const WorkList& list)
        : spots_(&out), list_(&list) {}

    void Add(const WorkPart& part, double x, double y) {
        if (spots_) {
            spots_->push_back(PartSpot{x, y, list_->PositionOf(part), part.rotated});
            return;
        }
        if (next_ == records_->size()) records_->emplace_back();
        Footprint& f = (*records_)[next_++];
        f.x = x;
        f.y = y;
        f.length = part.length;
        f.width = part.width;
        f.partId = part.id;
        f.label = part.label;
        f.rotated = part.rotated;
    }
    // Drops the stale full records that were not overwritten.
    void Finish() {
        if (records_) records_->resize(next_);
    }

  private:
    std::vector<Footprint>* records_ = nullptr;
    std::size_t next_ = 0;
    std::vector<PartSpot>* spots_ = nullptr;
    const WorkList* list_ = nullptr;
};

double GuillotineFillInto(WorkList& list, FillSheet& sheet, double x, double y, double regionLength,
                          double regionWidth, PlacementWriter& out);
double FreeFillInto(WorkList& list, FillSheet& sheet, double x0, double y0, double usableLength,
                    double usableWidth, PlacementWriter& out);

// Fills the rectangle (x, y, regionLength, regionWidth) by guillotine cuts, taking
// it for the usable area whose far edges the kerf rule looks for; returns the
// placed area (enlarged sizes). Placements are appended to `out`, offcuts to the
// sheet.
double FillGuillotine(WorkList& list, LaidOutSheet& sheet, double x, double y, double regionLength,
                      double regionWidth, std::vector<Footprint>& out);

// Fills the usable area of the sheet along level segments, starting from the
// sheet's segments; returns the placed area.
double FillFree(WorkList& list, LaidOutSheet& sheet, double x0, double y0, double usableLength,
                double usableWidth, std::vector<Footprint>& out);

// The segment operations of the free fill, on a sheet's segment list: the first
// segment of the lowest level below the sheet's width, and closing the segment
// at level gapY, whose stretch from gapX on no part took.
void PickLowestSegment(const LaidOutSheet& sheet, double& x, double& y, double& length);
void CloseSegment(LaidOutSheet& sheet, double gapX, double gapY, double gapLength,
                  double usableLength, const CutSettings& settings);

}  // namespace tarvex
