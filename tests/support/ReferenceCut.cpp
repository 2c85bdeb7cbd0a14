#include "support/ReferenceCut.h"

#include <cmath>

namespace reference {

namespace {

constexpr double kTolerance = 0.00001;

struct Effective {
    double length;
    double width;
};

Effective EffectiveSize(const TPartInfo& p, double availLength, double availWidth) {
    Effective e{p.length, p.width};
    if (g_sawwidth > 0) {
        if (availWidth + g_sawwidth == p.width) e.width = p.width - g_sawwidth;
        if (availLength + g_sawwidth == p.length) e.length = p.length - g_sawwidth;
    }
    return e;
}

bool Fits(const Effective& e, double availLength, double availWidth) {
    return e.length - kTolerance < availLength && e.width - kTolerance < availWidth;
}

void AddOffcut(TSheetInfo& sheet, double x, double y, double length, double width) {
    TPartInfo o;
    o.x = x;
    o.y = y;
    o.length = length;
    o.width = width;
    sheet.offcuts.push_back(o);
}

}  // namespace

void WorkList::Reset(std::vector<TPartInfo>& parts) {
    items.clear();
    for (TPartInfo& p : parts) {
        p.placed = 0;
        items.push_back(&p);
    }
}

bool IsUsableOffcut(double length, double width) {
    return length >= g_minlength && width >= g_minwidth && length * width >= g_minarea;
}

double FillGuillotine(WorkList& list, TSheetInfo& sheet, double x, double y, double regionLength,
                      double regionWidth, std::vector<TPartInfo>& out) {
    if (regionLength < kTolerance || regionWidth < kTolerance) return 0;
    if (list.items.empty()) return 0;
    TPartInfo* taken = nullptr;
    Effective eff{0, 0};
    for (TPartInfo* p : list.items) {
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
    std::vector<TPartInfo> sub;
    double r1 =
        FillGuillotine(list, sheet, x, y + eff.width, eff.length, regionWidth - eff.width, sub);
    double r2 =
        FillGuillotine(list, sheet, x + eff.length, y, regionLength - eff.length, regionWidth, sub);
    TPartInfo placement = *taken;
    placement.x = x;
    placement.y = y;
    out.push_back(placement);
    for (TPartInfo& s : sub) out.push_back(s);
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
    CLine& n = lines[absorb];
    if (fromRight) n.x = gapX;
    n.length += gapLength;
    if (IsUsableOffcut(gapLength, n.y - gapY)) AddOffcut(sheet, gapX, gapY, gapLength, n.y - gapY);
}

double FillFree(WorkList& list, TSheetInfo& sheet, double x0, double y0, double usableLength,
                double usableWidth, std::vector<TPartInfo>& out) {
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
        for (TPartInfo* p : list.items) {
            if (p->placed) continue;
            metUnplaced = true;
            Effective eff = EffectiveSize(*p, usableLength, usableWidth);
            if (!Fits(eff, curLength, depth)) continue;
            p->placed = 1;
            total += p->length * p->width;
            TPartInfo placement = *p;
            placement.x = curX;
            placement.y = curY;
            out.push_back(placement);
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
        for (const CLine& s : sheet.lines)
            if (deepest < s.y) deepest = s.y;
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
    SortByPriority(list.items);
    std::vector<TPartInfo> placed;
    const double result = g_isonecut ? FillGuillotine(list, sheet, sheet.originX, sheet.originY,
                                                      sheet.length, sheet.width, placed)
                                     : FillFree(list, sheet, sheet.originX, sheet.originY,
                                                sheet.length, sheet.width, placed);
    sheet.parts.clear();
    for (TPartInfo& p : placed) {
        p.placed = 0;
        sheet.parts.push_back(p);
    }
    return result;
}

void SortByPriority(std::vector<TPartInfo*>& list) {
    std::vector<TPartInfo*> sorted;
    while (!list.empty()) {
        double best = 0.0;
        int chosen = -1;
        for (int i = 0; i < static_cast<int>(list.size()); ++i) {
            if (list[i]->priority > best) {
                best = list[i]->priority;
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
