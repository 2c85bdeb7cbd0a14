#include "engine/Cut.h"

#include <algorithm>
#include <bit>

#include "engine/Fill.h"

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

double LayoutSheet(TSheetInfo& sheet, WorkList& list) {
    sheet.offcuts.clear();
    sheet.lines.clear();
    // The list is in priority order since Reset and the fills never reorder it,
    // so there is nothing to sort here.
    PlacementWriter writer(sheet.parts, 0);
    const double result = g_isonecut ? GuillotineFillInto(list, sheet, sheet.originX, sheet.originY,
                                                          sheet.length, sheet.width, writer)
                                     : FreeFillInto(list, sheet, sheet.originX, sheet.originY,
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
