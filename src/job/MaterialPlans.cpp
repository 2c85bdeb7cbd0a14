#include "job/MaterialPlans.h"

#include <algorithm>
#include <utility>

#include "text/CaseFold.h"

namespace tarvex {

namespace {

// The materials the sheet rows with a quantity name, each once, in table order.
std::vector<std::string> StockMaterials(const JobRows& rows) {
    std::vector<std::string> names;
    for (const SheetRow& row : rows.sheets) {
        if (row.quantity <= 0) continue;
        const bool known = std::any_of(names.begin(), names.end(), [&](const std::string& n) {
            return SameMaterial(n, row.material);
        });
        if (!known) names.push_back(row.material);
    }
    return names;
}

bool OneMaterial(const JobRows& rows) {
    const std::string* first = nullptr;
    const auto same = [&](const std::string& material) {
        if (!first) first = &material;
        return SameMaterial(*first, material);
    };
    return std::all_of(rows.sheets.begin(), rows.sheets.end(),
                       [&](const SheetRow& row) { return same(row.material); }) &&
           std::all_of(rows.parts.begin(), rows.parts.end(),
                       [&](const PartRow& row) { return same(row.material); });
}

// Of plans that each know how far they are from their bound, how far all are from
// the sum of the bounds; nothing when the bounds count in different measures.
std::optional<PlanBound> JoinedBound(const std::vector<AppliedResult>& plans) {
    PlanBound joined;
    double planValue = 0;
    bool everyGap = true;
    for (std::size_t k = 0; k < plans.size(); ++k) {
        const std::optional<PlanBound>& b = plans[k].bound;
        if (!b || (k > 0 && b->measure != joined.measure)) return std::nullopt;
        joined.measure = b->measure;
        joined.value += b->value;
        everyGap = everyGap && b->gap.has_value();
        if (b->gap) planValue += b->value * (1 + *b->gap);
    }
    if (everyGap && joined.value > 0) joined.gap = (planValue - joined.value) / joined.value;
    return joined;
}

}  // namespace

bool SameMaterial(const std::string& a, const std::string& b) {
    return a == b || SameIgnoringCase(a, b);
}

std::vector<JobRows> RowsByMaterial(const JobRows& rows) {
    if (OneMaterial(rows)) return {rows};
    std::vector<JobRows> groups;
    for (const std::string& material : StockMaterials(rows)) {
        JobRows group;
        group.settings = rows.settings;
        group.entered = rows.entered;
        for (const PartRow& row : rows.parts)
            if (SameMaterial(row.material, material)) group.parts.push_back(row);
        const bool cuts = std::any_of(group.parts.begin(), group.parts.end(),
                                      [](const PartRow& row) { return row.quantity > 0; });
        if (!cuts) continue;
        for (const SheetRow& row : rows.sheets)
            if (SameMaterial(row.material, material)) group.sheets.push_back(row);
        groups.push_back(std::move(group));
    }
    return groups;
}

std::optional<InputFault> PartWithoutItsMaterial(const JobRows& rows) {
    if (OneMaterial(rows)) return std::nullopt;
    const std::vector<std::string> stock = StockMaterials(rows);
    for (const PartRow& row : rows.parts) {
        if (row.quantity <= 0) continue;
        const bool found = std::any_of(stock.begin(), stock.end(), [&](const std::string& m) {
            return SameMaterial(m, row.material);
        });
        if (!found)
            return InputFault{.code = InputFault::Code::NoSheetOfMaterial,
                              .table = EntryTable::Parts,
                              .row = row.row,
                              .column = EntryColumn::Material,
                              .values = {row.material}};
    }
    return std::nullopt;
}

AppliedResult JoinMaterialPlans(std::vector<AppliedResult> plans, std::int32_t firstPartId) {
    AppliedResult joined;
    if (plans.empty()) return joined;
    std::vector<const Job*> jobs;
    std::vector<std::int32_t> shifts;
    std::int32_t nextId = firstPartId, sheetIds = 0, layouts = 0;
    double usedArea = 0;
    joined.allPlaced = true;
    joined.fitness = 0;
    for (AppliedResult& plan : plans) {
        const std::int32_t shift =
            plan.job.Parts().empty() ? 0 : nextId - plan.job.Parts().front().id;
        const auto sheetsBefore = static_cast<std::int32_t>(joined.sheets.size());
        for (PlannedSheet& s : plan.sheets) {
            if (s.id >= 0) s.id += sheetIds;
            if (s.mergedInto >= 0) s.mergedInto += sheetsBefore;
            if (s.layoutIndex >= 0) s.layoutIndex += layouts;
            for (Placement& p : s.parts) p.partId += shift;
            if (s.used) usedArea += s.Area();
            joined.sheets.push_back(std::move(s));
        }
        jobs.push_back(&plan.job);
        shifts.push_back(shift);
        nextId += plan.job.PartCount();
        sheetIds += plan.job.SheetCount();
        layouts += plan.LayoutCount();
        joined.fitness += plan.fitness;
        joined.placedPartArea += plan.placedPartArea;
        joined.offcutArea += plan.offcutArea;
        joined.allPlaced = joined.allPlaced && plan.allPlaced;
        joined.generations = std::max(joined.generations, plan.generations);
        joined.passes = std::max(joined.passes, plan.passes);
    }
    if (usedArea == 0) usedArea = 1.0;
    joined.ratioParts = static_cast<float>(joined.placedPartArea / usedArea);
    joined.ratioWithOffcuts =
        static_cast<float>((joined.placedPartArea + joined.offcutArea) / usedArea);
    joined.bound = JoinedBound(plans);
    joined.job = Job::Joined(jobs, shifts);
    joined.settings = plans.front().settings;
    joined.seed = plans.front().seed;
    return joined;
}

}  // namespace tarvex
