#include "support/ReferenceCut.h"

#include <cmath>
#include <utility>

namespace tarvex {

namespace reference {

namespace {

constexpr double kTolerance = 0.00001;

struct Effective {
    double length;
    double width;
};

// The kerf along x is dropped only where the rectangle ends at the far x edge of
// the usable area.
Effective EffectiveSize(const Part& p, double availLength, double availWidth, double kerf,
                        bool reachesFarX) {
    Effective e{p.length, p.width};
    if (kerf > 0) {
        if (availWidth + kerf == p.width) e.width = p.width - kerf;
        if (reachesFarX && availLength + kerf == p.length) e.length = p.length - kerf;
    }
    return e;
}

bool Fits(const Effective& e, double availLength, double availWidth) {
    return e.length - kTolerance < availLength && e.width - kTolerance < availWidth;
}

void AddOffcut(LaidOutSheet& sheet, double x, double y, double length, double width) {
    Offcut o;
    o.x = x;
    o.y = y;
    o.length = length;
    o.width = width;
    sheet.offcuts.push_back(o);
}

Footprint PlacementOf(const WorkPart& p, double x, double y) {
    Footprint f;
    f.x = x;
    f.y = y;
    f.length = p.length;
    f.width = p.width;
    f.partId = p.id;
    f.label = p.label;
    f.rotated = p.rotated;
    return f;
}

}  // namespace

void WorkList::Reset(std::vector<WorkPart>& parts, const CutSettings& cutSettings) {
    settings = &cutSettings;
    items.clear();
    for (WorkPart& p : parts) {
        p.placed = false;
        items.push_back(&p);
    }
}

namespace {

double FillRectangle(WorkList& list, LaidOutSheet& sheet, double x, double y, double regionLength,
                     double regionWidth, bool reachesFarX, std::vector<Footprint>& out) {
    if (regionLength < kTolerance || regionWidth < kTolerance) return 0;
    if (list.items.empty()) return 0;
    WorkPart* taken = nullptr;
    Effective eff{0, 0};
    for (WorkPart* p : list.items) {
        if (p->placed) continue;
        eff = EffectiveSize(*p, regionLength, regionWidth, list.settings->bladeWidth, reachesFarX);
        if (Fits(eff, regionLength, regionWidth)) {
            taken = p;
            break;
        }
    }
    if (!taken) {
        if (list.settings->IsUsableOffcut(regionLength, regionWidth))
            AddOffcut(sheet, x, y, regionLength, regionWidth);
        return 0;
    }
    taken->placed = true;
    std::vector<Footprint> sub;
    const bool stripReachesFarX = reachesFarX && regionLength - eff.length < kTolerance;
    double r1 = FillRectangle(list, sheet, x, y + eff.width, eff.length, regionWidth - eff.width,
                              stripReachesFarX, sub);
    double r2 = FillRectangle(list, sheet, x + eff.length, y, regionLength - eff.length,
                              regionWidth, reachesFarX, sub);
    out.push_back(PlacementOf(*taken, x, y));
    for (Footprint& s : sub) out.push_back(s);
    return r1 + r2 + taken->length * taken->width;
}

}  // namespace

double FillGuillotine(WorkList& list, LaidOutSheet& sheet, double x, double y, double regionLength,
                      double regionWidth, std::vector<Footprint>& out) {
    return FillRectangle(list, sheet, x, y, regionLength, regionWidth, true, out);
}

void AddSegment(LaidOutSheet& sheet, double x, double y, double length) {
    sheet.segments.push_back(Segment{x, y, length});
}

void PickLowestSegment(const LaidOutSheet& sheet, double& x, double& y, double& length) {
    if (sheet.segments.empty()) {
        x = 0;
        y = 0;
        length = sheet.length;
        return;
    }
    const Segment* best = nullptr;
    for (const Segment& s : sheet.segments) {
        if (s.y < sheet.width && (!best || s.y < best->y)) best = &s;
    }
    if (best) {
        x = best->x;
        y = best->y;
        length = best->length;
    } else {
        y = sheet.width;
    }
}

void CloseSegment(LaidOutSheet& sheet, double gapX, double gapY, double gapLength,
                  double usableLength, const CutSettings& settings) {
    auto& lines = sheet.segments;
    const int count = static_cast<int>(lines.size());
    int current = -1;
    for (int i = 0; i < count && current < 0; ++i)
        if (lines[i].y == gapY) current = i;
    int left = -1, right = -1;
    for (int i = 0; i < count; ++i) {
        if (i == current) continue;
        if (lines[i].x + lines[i].length == gapX) left = i;
        if (lines[i].x == gapX + gapLength) right = i;
    }
    if (current >= 0) {
        lines.erase(lines.begin() + current);
        if (left > current) --left;
        if (right > current) --right;
    }
    if (gapLength <= kTolerance) return;
    bool fromRight;
    if (gapX == 0)
        fromRight = true;
    else if (gapX + gapLength == usableLength)
        fromRight = false;
    else if (left < 0 || right < 0)
        fromRight = left < 0;
    else
        fromRight = lines[left].y > lines[right].y;
    const int absorb = fromRight ? right : left;
    if (absorb < 0) return;
    Segment& n = lines[absorb];
    if (fromRight) n.x = gapX;
    n.length += gapLength;
    if (settings.IsUsableOffcut(gapLength, n.y - gapY))
        AddOffcut(sheet, gapX, gapY, gapLength, n.y - gapY);
}

double FillFree(WorkList& list, LaidOutSheet& sheet, double x0, double y0, double usableLength,
                double usableWidth, std::vector<Footprint>& out) {
    const CutSettings& settings = *list.settings;
    AddSegment(sheet, x0, y0, usableLength);
    if (list.items.empty()) return 0;
    double total = 0;
    double curX = x0, curY = 0, curLength = usableLength;
    for (;;) {
        PickLowestSegment(sheet, curX, curY, curLength);
        if (curY == usableWidth || std::isnan(curY)) break;
        const double depth = usableWidth - curY;
        bool metUnplaced = false;
        bool finished = false;
        for (WorkPart* p : list.items) {
            if (p->placed) continue;
            metUnplaced = true;
            Effective eff = EffectiveSize(*p, usableLength, usableWidth, settings.bladeWidth, true);
            if (!Fits(eff, curLength, depth)) continue;
            p->placed = true;
            total += p->length * p->width;
            out.push_back(PlacementOf(*p, curX, curY));
            AddSegment(sheet, curX, curY + eff.width, eff.length);
            if (curLength - eff.length < 0) {
                CloseSegment(sheet, curX + eff.length, curY, curLength - eff.length, usableLength,
                             settings);
                finished = true;
                break;
            }
            curX += eff.length;
            curLength -= eff.length;
        }
        if (!metUnplaced) break;
        double deepest = curY;
        for (const Segment& s : sheet.segments)
            if (deepest < s.y) deepest = s.y;
        if (deepest == curY) break;
        if (!finished) CloseSegment(sheet, curX, curY, curLength, usableLength, settings);
    }
    for (const Segment& s : sheet.segments) {
        if (settings.IsUsableOffcut(s.length, usableWidth - s.y))
            AddOffcut(sheet, s.x, s.y, s.length, usableWidth - s.y);
    }
    return total;
}

double LayoutSheet(LaidOutSheet& sheet, WorkList& list) {
    sheet.offcuts.clear();
    sheet.segments.clear();
    SortByLayoutOrder(list.items);
    std::vector<Footprint> placed;
    const double result = list.settings->guillotine
                              ? FillGuillotine(list, sheet, sheet.originX, sheet.originY,
                                               sheet.length, sheet.width, placed)
                              : FillFree(list, sheet, sheet.originX, sheet.originY, sheet.length,
                                         sheet.width, placed);
    sheet.parts = std::move(placed);
    return result;
}

void SortByLayoutOrder(std::vector<WorkPart*>& list) {
    std::vector<WorkPart*> sorted;
    while (!list.empty()) {
        double best = 0.0;
        int chosen = -1;
        for (int i = 0; i < static_cast<int>(list.size()); ++i) {
            if (list[i]->layoutOrderKey > best) {
                best = list[i]->layoutOrderKey;
                chosen = i;
            }
        }
        if (chosen < 0) break;  // only unkeyed records are left
        sorted.push_back(list[chosen]);
        list.erase(list.begin() + chosen);
    }
    sorted.insert(sorted.end(), list.begin(), list.end());
    list = sorted;
}

}  // namespace reference

}  // namespace tarvex
