#include "engine/Cut.h"

#include <algorithm>
#include <bit>

#include "engine/Fill.h"

void WorkList::Reset(std::vector<Part>& parts, const CutSettings& settings) {
    settings_ = &settings;
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
        for (Part& p : parts) items_.push_back(&p);
        SortByPriority(items_);
        sortedKeys_.resize(n);
        sortedOrder_.resize(n);
        for (std::size_t i = 0; i < n; ++i) sortedKeys_[i] = parts[i].priority;
        for (std::size_t j = 0; j < n; ++j)
            sortedOrder_[j] = static_cast<std::uint32_t>(items_[j] - parts.data());
    }
    for (Part* p : items_) p->placed = false;
    index_.Build(items_);
}

Part& WorkList::Take(std::size_t i) {
    items_[i]->placed = true;
    index_.Take(i);
    return *items_[i];
}

double LayoutSheet(Sheet& sheet, WorkList& list) {
    sheet.offcuts.clear();
    sheet.segments.clear();
    // The list is in priority order since Reset and the fills never reorder it,
    // so there is nothing to sort here.
    PlacementWriter writer(sheet.parts, 0);
    const double result = list.Settings().guillotine
                              ? GuillotineFillInto(list, sheet, sheet.originX, sheet.originY,
                                                   sheet.length, sheet.width, writer)
                              : FreeFillInto(list, sheet, sheet.originX, sheet.originY,
                                             sheet.length, sheet.width, writer);
    writer.Finish();
    return result;
}

void SortByPriority(std::vector<Part*>& list) {
    std::stable_sort(list.begin(), list.end(), [](const Part* a, const Part* b) {
        const bool aKeyed = a->priority > 0, bKeyed = b->priority > 0;
        if (aKeyed != bKeyed) return aKeyed;
        return aKeyed && a->priority > b->priority;
    });
}

Sheet CopySheet(const Sheet& sheet) {
    Sheet c;
    c.id = sheet.id;
    c.unitCost = sheet.unitCost;
    c.priority = sheet.priority;
    c.label = sheet.label;
    c.originX = sheet.originX;
    c.originY = sheet.originY;
    c.width = sheet.width;
    c.length = sheet.length;
    c.parts = sheet.parts;
    return c;
}

void ClearSheetParts(Sheet& sheet) {
    sheet.parts.clear();
}
