#include "engine/Cut.h"

#include <algorithm>
#include <bit>

#include "engine/Fill.h"

namespace tarvex {

void WorkList::Reset(std::vector<WorkPart>& parts, const CutSettings& settings) {
    settings_ = &settings;
    base_ = parts.data();
    const std::size_t n = parts.size();
    bool sameKeys = sortedKeys_.size() == n;
    for (std::size_t i = 0; sameKeys && i < n; ++i)
        sameKeys = std::bit_cast<std::uint64_t>(parts[i].layoutOrderKey) ==
                   std::bit_cast<std::uint64_t>(sortedKeys_[i]);
    if (sameKeys) {
        items_.resize(n);
        for (std::size_t j = 0; j < n; ++j) items_[j] = &parts[sortedOrder_[j]];
    } else {
        items_.clear();
        for (WorkPart& p : parts) items_.push_back(&p);
        SortByLayoutOrder(items_);
        sortedKeys_.resize(n);
        sortedOrder_.resize(n);
        for (std::size_t i = 0; i < n; ++i) sortedKeys_[i] = parts[i].layoutOrderKey;
        for (std::size_t j = 0; j < n; ++j)
            sortedOrder_[j] = static_cast<std::uint32_t>(items_[j] - parts.data());
    }
    for (WorkPart* p : items_) p->placed = false;
    index_.Build(items_);
}

void WorkList::Reset(const std::vector<Part>& jobParts, std::span<const char> turned,
                     const CutSettings& settings) {
    copies_.resize(jobParts.size());
    for (std::size_t j = 0; j < jobParts.size(); ++j) {
        const Part& p = jobParts[j];
        WorkPart& c = copies_[j];
        const bool turn = j < turned.size() && turned[j] != 0;
        c.length = turn ? p.width : p.length;
        c.width = turn ? p.length : p.width;
        c.layoutOrderKey = p.layoutOrderKey;
        c.id = p.id;
        c.rotatable = p.rotatable;
        c.rotated = turn;
    }
    Reset(copies_, settings);
}

WorkPart& WorkList::Take(std::size_t i) {
    items_[i]->placed = true;
    index_.Take(i);
    return *items_[i];
}

double LayoutSheet(LaidOutSheet& sheet, WorkList& list) {
    sheet.offcuts.clear();
    sheet.segments.clear();
    // The list is in layout order since Reset and the fills never reorder it,
    // so there is nothing to sort here.
    PlacementWriter writer(sheet.parts, 0);
    FillSheet target = FillSheetOf(sheet);
    const double result = list.Settings().guillotine
                              ? GuillotineFillInto(list, target, sheet.originX, sheet.originY,
                                                   sheet.length, sheet.width, writer)
                              : FreeFillInto(list, target, sheet.originX, sheet.originY,
                                             sheet.length, sheet.width, writer);
    writer.Finish();
    return result;
}

double LayoutSheet(const Sheet& stock, WorkList& list, std::vector<PartSpot>& spots,
                   std::vector<Offcut>& offcuts) {
    std::vector<Segment>& segments = list.LayoutSegments();
    segments.clear();
    PlacementWriter writer(spots, list);
    FillSheet target{stock.length, stock.width, offcuts, segments};
    return list.Settings().guillotine
               ? GuillotineFillInto(list, target, stock.originX, stock.originY, stock.length,
                                    stock.width, writer)
               : FreeFillInto(list, target, stock.originX, stock.originY, stock.length, stock.width,
                              writer);
}

void SortByLayoutOrder(std::vector<WorkPart*>& list) {
    std::stable_sort(list.begin(), list.end(), [](const WorkPart* a, const WorkPart* b) {
        const bool aKeyed = a->layoutOrderKey > 0, bKeyed = b->layoutOrderKey > 0;
        if (aKeyed != bKeyed) return aKeyed;
        return aKeyed && a->layoutOrderKey > b->layoutOrderKey;
    });
}

}  // namespace tarvex
