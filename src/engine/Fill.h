// What the two fills share behind the public entry points: the writer of the
// placement records, and the fills writing through it.
#pragma once

#include <cstddef>
#include <vector>

#include "engine/Cut.h"

// Appends placement records to a list. Stale records past the write position are
// overwritten first, so that laying out a sheet again reuses their label buffers.
class PlacementWriter {
  public:
    PlacementWriter(std::vector<Footprint>& out, std::size_t start) : out_(out), next_(start) {}

    void Add(const Part& part, double x, double y) {
        if (next_ == out_.size()) out_.emplace_back();
        Footprint& f = out_[next_++];
        f.x = x;
        f.y = y;
        f.length = part.length;
        f.width = part.width;
        f.partId = part.id;
        f.label = part.label;
        f.rotated = part.rotated;
    }
    // Drops the stale records that were not overwritten.
    void Finish() { out_.resize(next_); }

  private:
    std::vector<Footprint>& out_;
    std::size_t next_;
};

double GuillotineFillInto(WorkList& list, Sheet& sheet, double x, double y, double regionLength,
                          double regionWidth, PlacementWriter& out);
double FreeFillInto(WorkList& list, Sheet& sheet, double x0, double y0, double usableLength,
                    double usableWidth, PlacementWriter& out);
