// Finds the first unplaced record of the working list that fits a rectangle
// without walking the records that cannot: a tournament tree over the engine
// order whose nodes bound the sizes still unplaced below them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/Rules.h"

namespace tarvex {

// What a search asks for: the available extents, and the extents the kerf rule
// compares the parts with (kNoReference where the kerf must stay).
class FitQuery {
  public:
    FitQuery(double availLength, double availWidth, double refLength, double refWidth, double kerf);

    double AvailLength() const { return availLength_; }
    double AvailWidth() const { return availWidth_; }
    double RefLength() const { return refLength_; }
    double RefWidth() const { return refWidth_; }
    double Kerf() const { return kerf_; }

    // False only when no record at least this long and at least this wide can fit.
    bool Admits(double leastLength, double leastWidth) const {
        return leastLength <= maxLength_ && leastWidth <= maxWidth_;
    }

  private:
    // A size bound along one axis that every fitting part keeps to.
    static double LargestFitting(double avail, double ref, double kerf);

    double availLength_;
    double availWidth_;
    double refLength_;
    double refWidth_;
    double kerf_;
    double maxLength_;
    double maxWidth_;
};

class FitIndex {
  public:
    static constexpr std::size_t kNone = SIZE_MAX;

    // Indexes the records in their order, all unplaced.
    void Build(const std::vector<WorkPart*>& items);
    // Record i leaves the search.
    void Take(std::size_t i);
    std::size_t Remaining() const { return remaining_; }

    // The first unplaced index of `items` (the records indexed) at or after `from`
    // whose record fits, with its effective sizes; kNone when there is none.
    std::size_t FirstFit(const std::vector<WorkPart*>& items, std::size_t from,
                         const FitQuery& query, EffectiveSize& eff) const;

  private:
    static constexpr int kCorners = 2;
    // Lower-left corners bounding the unplaced records below a node: every such
    // record is at least as long and at least as wide as one of the corners. A
    // single pair of minima would admit a square hole whenever the node holds both
    // long thin parts and turned ones; two corners keep such nodes shut (more
    // corners cost more to merge than they save). Corners are sorted by length;
    // unused ones are infinite.
    struct Node {
        double length[kCorners];
        double width[kCorners];
        bool Admits(const FitQuery& query) const;
        bool operator==(const Node&) const = default;
    };
    static Node Merge(const Node& a, const Node& b);
    std::size_t Search(const std::vector<WorkPart*>& items, std::size_t node, std::size_t lo,
                       std::size_t hi, std::size_t from, const FitQuery& query,
                       EffectiveSize& eff) const;

    std::vector<Node> nodes_;  // 1 is the root, leaves from leaves_ on
    std::size_t leaves_ = 0;
    std::size_t remaining_ = 0;
};

}  // namespace tarvex
