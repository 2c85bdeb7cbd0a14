#include "engine/Cut.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace {

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

class GuillotineFill {
  public:
    GuillotineFill(WorkList& list, TSheetInfo& sheet, PlacementWriter& out)
        : list_(list), sheet_(sheet), out_(out) {}

    // Puts the first fitting part into the corner, then fills the strip beyond
    // it along y, then everything beyond it along x; returns the placed area,
    // summed as strip + rest + part for every part.
    double Fill(double x, double y, double regionLength, double regionWidth) {
        std::vector<GuillotineFrame>& stack = list_.Frames();
        stack.clear();
        stack.push_back(GuillotineFrame{x, y, regionLength, regionWidth, 0, {}, 0, 0});
        double done = 0;  // the area of the rectangle finished last
        while (!stack.empty()) {
            GuillotineFrame& f = stack.back();
            if (f.stage == 0) {
                if (!PlaceCorner(f)) {
                    done = 0;
                    stack.pop_back();
                    continue;
                }
                f.stage = 1;
                const GuillotineFrame strip{
                    f.x, f.y + f.part.width, f.part.length, f.width - f.part.width, 0, {}, 0, 0};
                stack.push_back(strip);
            } else if (f.stage == 1) {
                f.strip = done;
                f.stage = 2;
                const GuillotineFrame beyond{
                    f.x + f.part.length, f.y, f.length - f.part.length, f.width, 0, {}, 0, 0};
                stack.push_back(beyond);
            } else {
                done = f.strip + done + f.area;
                stack.pop_back();
            }
        }
        return done;
    }

  private:
    // Takes the first fitting part for the rectangle's corner; without one the
    // rectangle is an offcut if it is worth keeping. Empty rectangles are neither.
    bool PlaceCorner(GuillotineFrame& f) {
        if (f.length < kCutTolerance || f.width < kCutTolerance) return false;
        if (list_.Records().empty()) return false;
        const std::size_t i =
            list_.FirstFit(0, FitQuery(f.length, f.width, f.length, f.width), f.part);
        if (i == FitIndex::kNone) {
            if (IsUsableOffcut(f.length, f.width))
                AppendOffcut(sheet_.offcuts, f.x, f.y, f.length, f.width);
            return false;
        }
        const TPartInfo& part = list_.Take(i);
        out_.Add(part, f.x, f.y);
        f.area = part.length * part.width;
        return true;
    }

    WorkList& list_;
    TSheetInfo& sheet_;
    PlacementWriter& out_;
};

double FreeFill(WorkList& list, TSheetInfo& sheet, double x0, double y0, double usableLength,
                double usableWidth, PlacementWriter& out) {
    Skyline& segments = list.Segments();
    segments.Load(sheet.lines, sheet.width, sheet.length);
    segments.Add(x0, y0, usableLength);
    if (list.Records().empty()) {
        segments.Store(sheet.lines);
        return 0;
    }
    double total = 0;
    double curX = x0, curY = 0, curLength = usableLength;
    for (;;) {
        int current = segments.Pick(curX, curY, curLength);
        // A level that is not a number could never be closed.
        if (curY == usableWidth || std::isnan(curY)) break;
        if (current < 0) current = segments.FirstAtLevel(curY);
        if (list.Unplaced() == 0) break;
        const double depth = usableWidth - curY;
        // Lay parts side by side along the segment, each from the list position
        // after the previous one; the kerf rule looks at the whole usable area.
        bool finished = false;
        for (std::size_t from = 0;;) {
            EffectiveSize eff{};
            const std::size_t i =
                list.FirstFit(from, FitQuery(curLength, depth, usableLength, usableWidth), eff);
            if (i == FitIndex::kNone) break;
            const TPartInfo& part = list.Take(i);
            total += part.length * part.width;
            out.Add(part, curX, curY);
            segments.Add(curX, curY + eff.width, eff.length);
            if (curLength - eff.length < 0) {
                // The part overran the segment within the tolerance: it is used up.
                segments.Close(current, curX + eff.length, curY, curLength - eff.length,
                               usableLength, sheet.offcuts);
                finished = true;
                break;
            }
            curX += eff.length;
            curLength -= eff.length;
            from = i + 1;
        }
        // Only the first segment of the lowest level is tried: with nothing deeper
        // the fill is over, even if a neighbour at the same level had room.
        if (!segments.AnyBeyond(curY)) break;
        if (!finished) segments.Close(current, curX, curY, curLength, usableLength, sheet.offcuts);
    }
    segments.Store(sheet.lines);
    for (const CLine& s : sheet.lines) {
        if (IsUsableOffcut(s.length, usableWidth - s.y))
            AppendOffcut(sheet.offcuts, s.x, s.y, s.length, usableWidth - s.y);
    }
    return total;
}

}  // namespace

void WorkList::Reset(std::vector<TPartInfo>& parts) {
    const std::size_t n = parts.size();
    bool sameKeys = sortedKeys_.size() == n;
    for (std::size_t i = 0; sameKeys && i < n; ++i)
        sameKeys = std::bit_cast<std::uint64_t>(parts[i].priority) ==
                   std::bit_cast<std::uint64_t>(sortedKeys_[i]);
    if (sameKeys) {
        items_.resize(n);
        for (std::size_t j = 0; j < n; ++j) items_[j] = &parts[sortedOrder_[j]];
    } else {
        items_.clear();
        for (TPartInfo& p : parts) items_.push_back(&p);
        SortByPriority(items_);
        sortedKeys_.resize(n);
        sortedOrder_.resize(n);
        for (std::size_t i = 0; i < n; ++i) sortedKeys_[i] = parts[i].priority;
        for (std::size_t j = 0; j < n; ++j)
            sortedOrder_[j] = static_cast<std::uint32_t>(items_[j] - parts.data());
    }
    for (TPartInfo* p : items_) p->placed = 0;
    index_.Build(items_);
}

TPartInfo& WorkList::Take(std::size_t i) {
    items_[i]->placed = 1;
    index_.Take(i);
    return *items_[i];
}

double FillGuillotine(WorkList& list, TSheetInfo& sheet, double x, double y, double regionLength,
                      double regionWidth, std::vector<TPartInfo>& out) {
    PlacementWriter writer(out, out.size());
    return GuillotineFill(list, sheet, writer).Fill(x, y, regionLength, regionWidth);
}

double FillFree(WorkList& list, TSheetInfo& sheet, double x0, double y0, double usableLength,
                double usableWidth, std::vector<TPartInfo>& out) {
    PlacementWriter writer(out, out.size());
    return FreeFill(list, sheet, x0, y0, usableLength, usableWidth, writer);
}

void AddSegment(TSheetInfo& sheet, double x, double y, double length) {
    sheet.lines.push_back(CLine{x, y, length});
}

void PickLowestSegment(const TSheetInfo& sheet, double& x, double& y, double& length) {
    Skyline segments;
    segments.Load(sheet.lines, sheet.width, sheet.length);
    segments.Pick(x, y, length);
}

void CloseSegment(TSheetInfo& sheet, double gapX, double gapY, double gapLength,
                  double usableLength) {
    Skyline segments;
    segments.Load(sheet.lines, sheet.width, sheet.length);
    segments.Close(segments.FirstAtLevel(gapY), gapX, gapY, gapLength, usableLength, sheet.offcuts);
    segments.Store(sheet.lines);
}

double LayoutSheet(TSheetInfo& sheet, WorkList& list) {
    sheet.offcuts.clear();
    sheet.lines.clear();
    // The list is in priority order since Reset and the fills never reorder it,
    // so there is nothing to sort here.
    PlacementWriter writer(sheet.parts, 0);
    const double result = g_isonecut ? GuillotineFill{list, sheet, writer}.Fill(
                                           sheet.originX, sheet.originY, sheet.length, sheet.width)
                                     : FreeFill(list, sheet, sheet.originX, sheet.originY,
                                                sheet.length, sheet.width, writer);
    writer.Finish();
    for (TPartInfo& p : sheet.parts) p.placed = 0;
    return result;
}

void SortByPriority(std::vector<TPartInfo*>& list) {
    std::stable_sort(list.begin(), list.end(), [](const TPartInfo* a, const TPartInfo* b) {
        const bool aKeyed = a->priority > 0, bKeyed = b->priority > 0;
        if (aKeyed != bKeyed) return aKeyed;
        return aKeyed && a->priority > b->priority;
    });
}

TSheetInfo CopySheet(const TSheetInfo& sheet) {
    TSheetInfo c;
    c.id = sheet.id;
    c.unitCost = sheet.unitCost;
    c.label = sheet.label;
    c.used = sheet.used;
    c.originX = sheet.originX;
    c.originY = sheet.originY;
    c.width = sheet.width;
    c.length = sheet.length;
    c.parts = sheet.parts;
    return c;
}

void ClearSheetParts(TSheetInfo& sheet) {
    sheet.parts.clear();
}

int CountPartsWithLabel(const TSheetInfo& sheet, const std::string& label) {
    return static_cast<int>(std::count_if(sheet.parts.begin(), sheet.parts.end(),
                                          [&](const TPartInfo& p) { return p.label == label; }));
}
