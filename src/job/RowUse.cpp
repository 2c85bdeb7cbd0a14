#include "job/RowUse.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

namespace tarvex {

namespace {

template <class Row>
bool Names(const std::vector<Row>& rows, std::int32_t entryRow) {
    return entryRow >= 0 && static_cast<std::size_t>(entryRow) < rows.size();
}

// The entered part row of each of the job's part records, in their order; empty
// when the rows do not make exactly those records.
std::vector<std::int32_t> PartRecordRows(const AppliedResult& result) {
    const std::vector<Part>& parts = result.job.Parts();
    std::vector<std::int32_t> rows;
    rows.reserve(parts.size());
    for (std::size_t r = 0; r < result.entered.parts.size(); ++r) {
        const EnteredPart& row = result.entered.parts[r];
        for (int k = 0; k < row.quantity.value_or(0); ++k) {
            if (rows.size() == parts.size() || parts[rows.size()].label != row.label) return {};
            rows.push_back(static_cast<std::int32_t>(r));
        }
    }
    if (rows.size() != parts.size()) return {};
    return rows;
}

// The sheet rows in the order job input takes their sheets, each with the sheets
// it offers.
struct SheetRun {
    std::int32_t row = 0;
    int left = 0;
};

std::vector<SheetRun> SheetRuns(const EnteredRows& entered) {
    std::vector<SheetRun> runs;
    for (const bool priorityPass : {true, false})
        for (std::size_t r = 0; r < entered.sheets.size(); ++r) {
            const EnteredSheet& row = entered.sheets[r];
            if (row.priority != priorityPass || !row.length || !row.width || !row.cost ||
                row.quantity.value_or(0) <= 0)
                continue;
            runs.push_back({static_cast<std::int32_t>(r), *row.quantity});
        }
    return runs;
}

bool CameFrom(const PlannedSheet& sheet, const EnteredSheet& row) {
    return sheet.label == row.label && sheet.length == *row.length && sheet.width == *row.width &&
           sheet.unitCost == *row.cost / (*row.width * *row.length);
}

}  // namespace

std::vector<int> SheetsUsedByRow(const AppliedResult& result) {
    std::vector<int> used(result.entered.sheets.size(), 0);
    for (const PlannedSheet& s : result.sheets)
        if (s.used && Names(result.entered.sheets, s.entryRow)) ++used[s.entryRow];
    return used;
}

std::vector<int> PartsPlacedByRow(const AppliedResult& result) {
    std::vector<int> placed(result.entered.parts.size(), 0);
    for (const PlannedSheet& s : result.sheets) {
        if (!s.used) continue;
        for (const Placement& p : s.parts)
            if (Names(result.entered.parts, p.entryRow)) ++placed[p.entryRow];
    }
    return placed;
}

std::vector<std::optional<int>> LeftQuantities(const AppliedResult& result) {
    const std::vector<int> used = SheetsUsedByRow(result);
    std::vector<std::optional<int>> left(used.size());
    for (std::size_t r = 0; r < used.size(); ++r) {
        const std::optional<int>& quantity = result.entered.sheets[r].quantity;
        if (used[r] > 0 && quantity) left[r] = *quantity - used[r];
    }
    return left;
}

void LinkEnteredRows(AppliedResult& result) {
    const std::vector<std::int32_t> partRows = PartRecordRows(result);
    std::unordered_map<std::int32_t, std::int32_t> rowOfId;
    for (std::size_t k = 0; k < partRows.size(); ++k)
        rowOfId.emplace(result.job.Parts()[k].id, partRows[k]);
    for (PlannedSheet& s : result.sheets)
        for (Placement& p : s.parts) {
            const auto found = rowOfId.find(p.partId);
            p.entryRow = found == rowOfId.end() ? -1 : found->second;
        }

    // The records are in the order the job took the sheets; a row's run ends early
    // only where the stock limit was reached, so a record that does not match the
    // next offer comes from a later row.
    std::vector<SheetRun> runs = SheetRuns(result.entered);
    std::vector<PlannedSheet*> byId;
    for (PlannedSheet& s : result.sheets) byId.push_back(&s);
    std::stable_sort(byId.begin(), byId.end(),
                     [](const PlannedSheet* a, const PlannedSheet* b) { return a->id < b->id; });
    std::size_t current = 0;
    for (PlannedSheet* s : byId) {
        s->entryRow = -1;
        for (std::size_t k = current; k < runs.size(); ++k)
            if (runs[k].left > 0 && CameFrom(*s, result.entered.sheets[runs[k].row])) {
                s->entryRow = runs[k].row;
                --runs[k].left;
                current = k;
                break;
            }
    }
}

}  // namespace tarvex
