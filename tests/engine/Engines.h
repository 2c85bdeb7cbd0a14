// The fast engine and the reference behind one face, so that every behaviour test
// checks both: the reference must be right for the comparisons to mean anything.
// Each engine carries the cut settings its work list is reset with.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <type_traits>
#include <vector>

#include "engine/Fill.h"
#include "model/CutSettings.h"
#include "support/ReferenceCut.h"

namespace tarvex {

struct FastEngine {
    CutSettings settings;
    WorkList list;

    void Reset(std::vector<WorkPart>& parts) { list.Reset(parts, settings); }
    double Layout(LaidOutSheet& sheet) { return LayoutSheet(sheet, list); }
    double Guillotine(LaidOutSheet& sheet, double x, double y, double length, double width,
                      std::vector<Footprint>& out) {
        return FillGuillotine(list, sheet, x, y, length, width, out);
    }
    double Free(LaidOutSheet& sheet, std::vector<Footprint>& out) {
        return FillFree(list, sheet, 0, 0, sheet.length, sheet.width, out);
    }
    static void Pick(const LaidOutSheet& sheet, double& x, double& y, double& length) {
        PickLowestSegment(sheet, x, y, length);
    }
    void Close(LaidOutSheet& sheet, double gapX, double gapY, double gapLength,
               double usableLength) {
        CloseSegment(sheet, gapX, gapY, gapLength, usableLength, settings);
    }
};

struct ReferenceEngine {
    CutSettings settings;
    reference::WorkList list;

    void Reset(std::vector<WorkPart>& parts) { list.Reset(parts, settings); }
    double Layout(LaidOutSheet& sheet) { return reference::LayoutSheet(sheet, list); }
    // The fill itself does not sort; the fast list is sorted from its Reset on.
    double Guillotine(LaidOutSheet& sheet, double x, double y, double length, double width,
                      std::vector<Footprint>& out) {
        reference::SortByLayoutOrder(list.items);
        return reference::FillGuillotine(list, sheet, x, y, length, width, out);
    }
    double Free(LaidOutSheet& sheet, std::vector<Footprint>& out) {
        reference::SortByLayoutOrder(list.items);
        return reference::FillFree(list, sheet, 0, 0, sheet.length, sheet.width, out);
    }
    static void Pick(const LaidOutSheet& sheet, double& x, double& y, double& length) {
        reference::PickLowestSegment(sheet, x, y, length);
    }
    void Close(LaidOutSheet& sheet, double gapX, double gapY, double gapLength,
               double usableLength) {
        reference::CloseSegment(sheet, gapX, gapY, gapLength, usableLength, settings);
    }
};

using Engines = ::testing::Types<FastEngine, ReferenceEngine>;

// Names the typed instantiations after the engine.
struct EngineNames {
    template <typename T>
    static std::string GetName(int) {
        return std::is_same_v<T, FastEngine> ? "Fast" : "Reference";
    }
};

// Every test starts with the default cut settings and the offcut limits the
// settings page starts with.
template <typename Engine>
class TypedEngineTest : public ::testing::Test {
  protected:
    void SetUp() override { SetOffcutLimits(10, 10, 150); }

    void SetOffcutLimits(double length, double width, double area) {
        engine.settings.minOffcutLength = length;
        engine.settings.minOffcutWidth = width;
        engine.settings.minOffcutArea = area;
    }

    Engine engine;
};

// A rectangle's position and extents, for comparing placements and offcuts.
struct Rect {
    double x, y, length, width;
    friend bool operator==(const Rect&, const Rect&) = default;
    friend std::ostream& operator<<(std::ostream& o, const Rect& r) {
        return o << "(" << r.x << ", " << r.y << ", " << r.length << " x " << r.width << ")";
    }
};

// Placements or offcuts as rectangles.
template <typename Record>
std::vector<Rect> Rects(const std::vector<Record>& records) {
    std::vector<Rect> r;
    for (const Record& p : records) r.push_back(Rect{p.x, p.y, p.length, p.width});
    return r;
}

inline std::vector<std::string> Labels(const std::vector<Footprint>& records) {
    std::vector<std::string> r;
    for (const Footprint& p : records) r.push_back(p.label);
    return r;
}

// Segments as rectangles of width 0, to compare with the same helpers.
inline std::vector<Rect> Lines(const LaidOutSheet& sheet) {
    std::vector<Rect> r;
    for (const Segment& l : sheet.segments) r.push_back(Rect{l.x, l.y, l.length, 0});
    return r;
}

}  // namespace tarvex
