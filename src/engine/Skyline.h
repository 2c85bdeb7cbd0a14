// The level segments of a free fill, held so that each decision of the fill
// costs little whatever the number of segments: the lowest segment, the deepest
// level and the neighbours of a gap are found through heaps and exact-key
// indexes instead of scans. The list order (the order in which segments were
// added, which decides every tie) is kept by numbering the segments as they come.
#pragma once

#include <utility>
#include <vector>

#include "engine/KeyIndex.h"
#include "model/CutSettings.h"
#include "model/Placement.h"

namespace tarvex {

class Skyline {
  public:
    // Starts from a sheet's segments in their list order. Segments at or beyond
    // `pickLimit` (the usable width) are never picked; `emptyLength` is the length
    // picked when there is no segment at all (the usable length).
    void Load(const std::vector<Segment>& lines, double pickLimit, double emptyLength);
    int Add(double x, double y, double length);

    // The first segment of the lowest level below the pick limit: sets x, y and
    // length to it and returns it. Without such a segment only y is set, to the
    // limit, and -1 is returned; without any segment x, y, length are 0, 0 and the
    // empty length.
    int Pick(double& x, double& y, double& length);
    // True when some segment lies beyond the level y.
    bool AnyBeyond(double y);
    // Removes segment `current` (none when -1) and lets a neighbour absorb the gap,
    // recording the given-up rectangle below it as an offcut when usable.
    void Close(int current, double gapX, double gapY, double gapLength, double usableLength,
               std::vector<Offcut>& offcuts, const CutSettings& settings);
    // The first segment at level y in list order, -1 when none.
    int FirstAtLevel(double y) const;

    // The remaining segments in list order.
    void Store(std::vector<Segment>& lines) const;

  private:
    struct Entry {
        Segment line;
        bool alive;
    };
    void Remove(int id);
    void Absorb(int id, double gapX, double gapLength, bool fromRight);

    std::vector<Entry> segments_;  // indexed by id, ids in list order
    int alive_ = 0;
    double pickLimit_ = 0;
    double emptyLength_ = 0;
    // Lazy heaps (removed segments are dropped when they surface) of (y, id).
    std::vector<std::pair<double, int>> lowest_;
    std::vector<std::pair<double, int>> deepest_;
    KeyIndex ends_;    // x + length
    KeyIndex starts_;  // x
};

}  // namespace tarvex
