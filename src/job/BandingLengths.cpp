#include "job/BandingLengths.h"

#include <algorithm>

#include "job/MaterialPlans.h"

namespace tarvex {

namespace {

// The sizes the part was typed with, or its cut size when its row is unknown.
void TypedSizes(const Placement& part, const EnteredPart& row, double& length, double& width) {
    length = part.rotated ? part.width : part.length;
    width = part.rotated ? part.length : part.width;
    if (row.length && row.width) length = *row.length, width = *row.width;
}

BandingLength& Entry(std::vector<BandingLength>& list, const std::string& material,
                     const std::string& name) {
    auto found = std::find_if(list.begin(), list.end(), [&](const BandingLength& b) {
        return b.name == name && SameMaterial(b.material, material);
    });
    if (found != list.end()) return *found;
    return list.emplace_back(BandingLength{.material = material, .name = name});
}

void AddEdge(BandingLength& entry, double length, double allowance) {
    ++entry.edges;
    entry.length += length;
    entry.withAllowance += length + allowance;
}

// The list's order of the bandings, material by material.
void SortByList(std::vector<BandingLength>& list, const BandingSettings& banding) {
    const auto rank = [&](const BandingLength& b) {
        return banding.Find(b.name) - banding.bandings.data();
    };
    std::stable_sort(list.begin(), list.end(), [&](const BandingLength& a, const BandingLength& b) {
        return rank(a) < rank(b);
    });
}

}  // namespace

BandingLengths BandingLengthsOf(const AppliedResult& result) {
    const BandingSettings& banding = result.settings.banding;
    BandingLengths lengths;
    std::vector<std::string> materials;  // in the order the sheets show them
    for (const PlannedSheet& sheet : result.sheets) {
        if (!sheet.used) continue;
        const std::string& material = result.MaterialOf(sheet);
        if (std::none_of(materials.begin(), materials.end(),
                         [&](const std::string& m) { return SameMaterial(m, material); }))
            materials.push_back(material);
        for (const Placement& part : sheet.parts) {
            const EnteredPart* row = result.EnteredPartAt(part.entryRow);
            if (!row) continue;
            double length = 0, width = 0;
            TypedSizes(part, *row, length, width);
            for (const Edge edge : kEdges) {
                const Banding* used = banding.Find(NameOn(row->banding, edge));
                if (!used) continue;
                const double along = AlongLength(edge) ? length : width;
                AddEdge(Entry(lengths.byMaterial, material, used->name), along, used->allowance);
                AddEdge(Entry(lengths.total, {}, used->name), along, used->allowance);
            }
        }
    }
    SortByList(lengths.total, banding);
    // Materials in the sheets' order, each with its bandings in the list's order.
    SortByList(lengths.byMaterial, banding);
    std::stable_sort(lengths.byMaterial.begin(), lengths.byMaterial.end(),
                     [&](const BandingLength& a, const BandingLength& b) {
                         const auto at = [&](const std::string& m) {
                             return std::find_if(
                                        materials.begin(), materials.end(),
                                        [&](const std::string& x) { return SameMaterial(x, m); }) -
                                    materials.begin();
                         };
                         return at(a.material) < at(b.material);
                     });
    return lengths;
}

}  // namespace tarvex
