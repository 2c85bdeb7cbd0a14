#include "engine/Cut.h"

#include <algorithm>

namespace {

struct Effective {
    double length;
    double width;
};

// A part whose entered size equals the available extent needs no kerf on that axis.
Effective EffectiveSize(const TPartInfo& p, double availLength, double availWidth) {
    Effective e{p.length, p.width};
    if (g_sawwidth > 0) {
        if (availWidth + g_sawwidth == p.width) e.width = p.width - g_sawwidth;
        if (availLength + g_sawwidth == p.length) e.length = p.length - g_sawwidth;
    }
    return e;
}

bool Fits(const Effective& e, double availLength, double availWidth) {
    return e.length - kCutTolerance < availLength && e.width - kCutTolerance < availWidth;
}

TPartInfo Placement(const TPartInfo& p, double x, double y) {
    TPartInfo r = p;
    r.x = x;
    r.y = y;
    return r;
}

void AddOffcut(TSheetInfo& sheet, double x, double y, double length, double width) {
    TPartInfo o;
    o.x = x;
    o.y = y;
    o.length = length;
    o.width = width;
    sheet.offcuts.push_back(std::move(o));
}

}  // namespace

void WorkList::Reset(std::vector<TPartInfo>& parts) {
    items_.clear();
    items_.reserve(parts.size());
    for (TPartInfo& p : parts) {
        p.placed = 0;
        items_.push_back(&p);
    }
    SortByPriority(items_);
}

bool IsUsableOffcut(double length, double width) {
    return length >= g_minlength && width >= g_minwidth && length * width >= g_minarea;
}

double FillGuillotine(WorkList& list, TSheetInfo& sheet, double x, double y,
                      double regionLength, double regionWidth, std::vector<TPartInfo>& out) {
    if (regionLength < kCutTolerance || regionWidth < kCutTolerance) return 0;
    auto& items = list.Records();
    if (items.empty()) return 0;
    TPartInfo* taken = nullptr;
    Effective eff{};
    for (TPartInfo* p : items) {
        if (p->placed) continue;
        eff = EffectiveSize(*p, regionLength, regionWidth);
        if (Fits(eff, regionLength, regionWidth)) {
            taken = p;
            break;
        }
    }
    if (!taken) {
        if (IsUsableOffcut(regionLength, regionWidth))
            AddOffcut(sheet, x, y, regionLength, regionWidth);
        return 0;
    }
    taken->placed = 1;
    out.push_back(Placement(*taken, x, y));
    // The strip beyond the part along y, then everything beyond it along x.
    double r1 = FillGuillotine(list, sheet, x, y + eff.width, eff.length,
                               regionWidth - eff.width, out);
    double r2 = FillGuillotine(list, sheet, x + eff.length, y, regionLength - eff.length,
                               regionWidth, out);
    return r1 + r2 + taken->length * taken->width;
}

void AddSegment(TSheetInfo& sheet, double x, double y, double length) {
    sheet.lines.push_back(CLine{x, y, length});
}

void PickLowestSegment(const TSheetInfo& sheet, double& x, double& y, double& length) {
    if (sheet.lines.empty()) {
        x = 0;
        y = 0;
        length = sheet.length;
        return;
    }
    const CLine* best = nullptr;
    for (const CLine& s : sheet.lines) {
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

void CloseSegment(TSheetInfo& sheet, double gapX, double gapY, double gapLength,
                  double usableLength) {
    auto& lines = sheet.lines;
    int left = -1, right = -1, current = -1;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        const CLine& s = lines[i];
        if (s.x + s.length == gapX) left = i;
        if (s.x == gapX + gapLength) right = i;
        if (current < 0 && s.y == gapY) current = i;
    }
    if (current >= 0) {
        lines.erase(lines.begin() + current);
        if (left > current) --left;
        if (right > current) --right;
        if (left == current) left = -1;  // a segment cannot neighbour itself once removed
        if (right == current) right = -1;
    }
    if (gapLength <= kCutTolerance) return;
    int absorb;
    bool fromRight;
    if (gapX == 0) {
        absorb = right;
        fromRight = true;
    } else if (gapX + gapLength == usableLength) {
        absorb = left;
        fromRight = false;
    } else if (left >= 0 && right >= 0 && lines[right].y < lines[left].y) {
        absorb = right;
        fromRight = true;
    } else {
        absorb = left;
        fromRight = false;
    }
    // Without an exactly matching neighbour the gap is given up.
    if (absorb < 0) return;
    CLine& n = lines[absorb];
    if (fromRight) n.x = gapX;
    n.length += gapLength;
    if (IsUsableOffcut(gapLength, n.y - gapY)) AddOffcut(sheet, gapX, gapY, gapLength, n.y - gapY);
}

double FillFree(WorkList& list, TSheetInfo& sheet, double x0, double y0, double usableLength,
                double usableWidth, std::vector<TPartInfo>& out) {
    AddSegment(sheet, x0, y0, usableLength);
    auto& items = list.Records();
    if (items.empty()) return 0;
    double total = 0;
    double curX = x0, curY = 0, curLength = usableLength;
    for (;;) {
        PickLowestSegment(sheet, curX, curY, curLength);
        if (curY == usableWidth) break;
        const double depth = usableWidth - curY;
        bool metUnplaced = false;
        bool finished = false;
        for (TPartInfo* p : items) {
            if (p->placed) continue;
            metUnplaced = true;
            Effective eff = EffectiveSize(*p, usableLength, usableWidth);
            if (!Fits(eff, curLength, depth)) continue;
            p->placed = 1;
            total += p->length * p->width;
            out.push_back(Placement(*p, curX, curY));
            AddSegment(sheet, curX, curY + eff.width, eff.length);
            if (curLength - eff.length < 0) {
                CloseSegment(sheet, curX + eff.length, curY, curLength - eff.length, usableLength);
                finished = true;
                break;
            }
            curX += eff.length;
            curLength -= eff.length;
        }
        if (!metUnplaced) break;
        double deepest = curY;
        for (const CLine& s : sheet.lines) deepest = std::max(deepest, s.y);
        if (deepest == curY) break;
        if (!finished) CloseSegment(sheet, curX, curY, curLength, usableLength);
    }
    for (const CLine& s : sheet.lines) {
        if (IsUsableOffcut(s.length, usableWidth - s.y))
            AddOffcut(sheet, s.x, s.y, s.length, usableWidth - s.y);
    }
    return total;
}

double LayoutSheet(TSheetInfo& sheet, WorkList& list) {
    sheet.offcuts.clear();
    sheet.lines.clear();
    SortByPriority(list.Records());
    std::vector<TPartInfo> placed;
    double result = g_isonecut
        ? FillGuillotine(list, sheet, sheet.originX, sheet.originY, sheet.length, sheet.width, placed)
        : FillFree(list, sheet, sheet.originX, sheet.originY, sheet.length, sheet.width, placed);
    ClearSheetParts(sheet);
    for (TPartInfo& p : placed) {
        p.placed = 0;
        sheet.parts.push_back(std::move(p));
    }
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

void ClearSheetParts(TSheetInfo& sheet) { sheet.parts.clear(); }

int CountPartsWithLabel(const TSheetInfo& sheet, const std::string& label) {
    return static_cast<int>(
        std::count_if(sheet.parts.begin(), sheet.parts.end(),
                      [&](const TPartInfo& p) { return p.label == label; }));
}
