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
    PlacementWriter(std::vector<TPartInfo>& out, std::size_t start) : out_(out), next_(start) {}

    void Add(const TPartInfo& part, double x, double y) {
        if (next_ < out_.size())
            out_[next_] = part;
        else
            out_.push_back(part);
        out_[next_].x = x;
        out_[next_].y = y;
        ++next_;
    }
    // Drops the stale records that were not overwritten.
    void Finish() { out_.resize(next_); }

  private:
    std::vector<TPartInfo>& out_;
    std::size_t next_;
};

double GuillotineFillInto(WorkList& list, TSheetInfo& sheet, double x, double y,
                          double regionLength, double regionWidth, PlacementWriter& out);
double FreeFillInto(WorkList& list, TSheetInfo& sheet, double x0, double y0, double usableLength,
                    double usableWidth, PlacementWriter& out);
