// The fast engine and the reference behind one face, so that every behaviour test
// checks both: the reference must be right for the comparisons to mean anything.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <type_traits>
#include <vector>

#include "engine/Cut.h"
#include "support/ReferenceCut.h"

struct FastEngine {
    WorkList list;

    void Reset(std::vector<TPartInfo>& parts) { list.Reset(parts); }
    double Layout(TSheetInfo& sheet) { return LayoutSheet(sheet, list); }
    double Guillotine(TSheetInfo& sheet, double x, double y, double length, double width,
                      std::vector<TPartInfo>& out) {
        return FillGuillotine(list, sheet, x, y, length, width, out);
    }
    double Free(TSheetInfo& sheet, std::vector<TPartInfo>& out) {
        return FillFree(list, sheet, 0, 0, sheet.length, sheet.width, out);
    }
    static void Pick(const TSheetInfo& sheet, double& x, double& y, double& length) {
        PickLowestSegment(sheet, x, y, length);
    }
    static void Close(TSheetInfo& sheet, double gapX, double gapY, double gapLength,
                      double usableLength) {
        CloseSegment(sheet, gapX, gapY, gapLength, usableLength);
    }
};

struct ReferenceEngine {
    reference::WorkList list;

    void Reset(std::vector<TPartInfo>& parts) { list.Reset(parts); }
    double Layout(TSheetInfo& sheet) { return reference::LayoutSheet(sheet, list); }
    // The fill itself does not sort; the fast list is sorted from its Reset on.
    double Guillotine(TSheetInfo& sheet, double x, double y, double length, double width,
                      std::vector<TPartInfo>& out) {
        reference::SortByPriority(list.items);
        return reference::FillGuillotine(list, sheet, x, y, length, width, out);
    }
    double Free(TSheetInfo& sheet, std::vector<TPartInfo>& out) {
        reference::SortByPriority(list.items);
        return reference::FillFree(list, sheet, 0, 0, sheet.length, sheet.width, out);
    }
    static void Pick(const TSheetInfo& sheet, double& x, double& y, double& length) {
        reference::PickLowestSegment(sheet, x, y, length);
    }
    static void Close(TSheetInfo& sheet, double gapX, double gapY, double gapLength,
                      double usableLength) {
        reference::CloseSegment(sheet, gapX, gapY, gapLength, usableLength);
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

// Every test starts and ends with the settings of program start.
class EngineTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetJobSettings(); }
    void TearDown() override { ResetJobSettings(); }

    static void SetOffcutLimits(double length, double width, double area) {
        g_minlength = length;
        g_minwidth = width;
        g_minarea = area;
    }
};

// With the offcut limits the settings page starts with.
template <typename Engine>
class TypedEngineTest : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        SetOffcutLimits(10, 10, 150);
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

inline std::vector<Rect> Rects(const std::vector<TPartInfo>& records) {
    std::vector<Rect> r;
    for (const TPartInfo& p : records) r.push_back(Rect{p.x, p.y, p.length, p.width});
    return r;
}

inline std::vector<std::string> Labels(const std::vector<TPartInfo>& records) {
    std::vector<std::string> r;
    for (const TPartInfo& p : records) r.push_back(p.label);
    return r;
}

// Segments as rectangles of width 0, to compare with the same helpers.
inline std::vector<Rect> Lines(const TSheetInfo& sheet) {
    std::vector<Rect> r;
    for (const CLine& l : sheet.lines) r.push_back(Rect{l.x, l.y, l.length, 0});
    return r;
}
