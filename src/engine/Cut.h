// The layout engine: fills one sheet with the parts of one candidate, by
// guillotine cuts or by free placement along level segments, and records the
// reusable offcuts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "engine/FitIndex.h"
#include "engine/Rules.h"
#include "engine/Skyline.h"
#include "model/CutSettings.h"
#include "model/Part.h"
#include "model/Sheet.h"

namespace tarvex {

// A part as a candidate's layout holds it: the position of its record in the job's
// part list, the corner it was put at and whether it lies turned. Its sizes and
// label are the job record's, so that the layouts of many candidates need not
// copy them.
struct PartSpot {
    double x = 0.0;
    double y = 0.0;
    std::int32_t part = 0;
    bool rotated = false;
};

// A rectangle of the guillotine fill waiting on the fill's own stack (a sheet
// may hold more parts than a thread's stack has room for nested calls).
struct GuillotineFrame {
    double x, y, length, width;
    // Only a rectangle that ends where the usable area ends along x may take a part
    // without its kerf along x: elsewhere a cut follows the part there.
    bool reachesFarX;
    int stage;           // 0: to be filled, 1: its strip is being filled, 2: the rest beyond
    EffectiveSize part;  // the part put into its corner
    double area;         // that part's enlarged area
    double strip;        // the area placed in the strip
};

// The working list of one evaluation: the candidate's part records in the engine's
// (layout) order with their placed marks, plus the search structures and
// buffers the fills reuse from sheet to sheet. Each evaluation owns one, so
// several evaluations can run at once on different threads.
class WorkList {
  public:
    // Takes the candidate's records in their order, clears every placed mark and
    // puts them into layout order, for sheets cut with `settings`. The records'
    // sizes and the settings must stay as they are until the candidate's sheets
    // are laid out.
    void Reset(std::vector<WorkPart>& parts, const CutSettings& settings);
    // The same for the job's own records as entered, each turned where `turned` (one
    // mark per record) says: the list works on copies without labels, so the job stays
    // untouched and may be shared by evaluations on several threads.
    void Reset(const std::vector<Part>& jobParts, std::span<const char> turned,
               const CutSettings& settings);

    const CutSettings& Settings() const { return *settings_; }

    // The records in engine order.
    const std::vector<WorkPart*>& Records() const { return items_; }
    std::size_t Unplaced() const { return index_.Remaining(); }

    // The first unplaced record at or after `from` that fits; FitIndex::kNone if none.
    std::size_t FirstFit(std::size_t from, const FitQuery& query, EffectiveSize& eff) const {
        return index_.FirstFit(items_, from, query, eff);
    }
    // Sets record i's placed mark and withdraws it from the search.
    WorkPart& Take(std::size_t i);
    // The position of one of the records in the list the work list was reset from.
    std::int32_t PositionOf(const WorkPart& record) const {
        return static_cast<std::int32_t>(&record - base_);
    }

    // Buffers of the fills, reused from sheet to sheet.
    Skyline& Segments() { return skyline_; }
    std::vector<GuillotineFrame>& Frames() { return frames_; }
    // The segment list of a sheet laid out into a compact layout, which keeps none.
    std::vector<Segment>& LayoutSegments() { return layoutSegments_; }

  private:
    const CutSettings* settings_ = nullptr;
    const WorkPart* base_ = nullptr;  // the list reset from
    std::vector<WorkPart> copies_;    // of the job's records, for the second Reset
    std::vector<WorkPart*> items_;
    FitIndex index_;
    Skyline skyline_;
    std::vector<GuillotineFrame> frames_;
    std::vector<Segment> layoutSegments_;
    // The engine order depends on the layout order keys alone; every candidate of a
    // job brings the same keys, so the order is computed once per job.
    std::vector<double> sortedKeys_;
    std::vector<std::uint32_t> sortedOrder_;
};

// Lays out one sheet with the list's unplaced parts (the list's settings choose
// the method), replacing the sheet's placements, offcuts and segments; returns the
// placed area, the engine's score for the sheet.
double LayoutSheet(LaidOutSheet& sheet, WorkList& list);
// Lays out the job's sheet `stock` in the same way with the unplaced parts of a list
// reset from the job's records, appending compact placements to `spots` and the
// offcuts to `offcuts`; the sheet itself is not changed. Returns the placed area.
double LayoutSheet(const Sheet& stock, WorkList& list, std::vector<PartSpot>& spots,
                   std::vector<Offcut>& offcuts);

// Stable descending order of the layout order key; records whose key is not above 0
// (zero, negative or NaN sizes) go last in their order.
void SortByLayoutOrder(std::vector<WorkPart*>& list);

}  // namespace tarvex
