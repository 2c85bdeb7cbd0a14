#include "job/AppliedResult.h"

#include <algorithm>

namespace tarvex {

int AppliedResult::LayoutCount() const {
    int n = 0;
    for (const PlannedSheet& s : sheets) n += (s.used && s.distinct) ? 1 : 0;
    return n;
}

const PlannedSheet* AppliedResult::LayoutSheetOf(int layoutIndex) const {
    for (const PlannedSheet& s : sheets)
        if (s.used && s.distinct && s.layoutIndex == layoutIndex) return &s;
    return nullptr;
}

int AppliedResult::LayoutNumberOf(const PlannedSheet& sheet) const {
    if (!sheet.used) return 0;
    if (sheet.distinct) return sheet.layoutIndex + 1;
    const auto at = static_cast<size_t>(sheet.mergedInto);
    return at < sheets.size() ? sheets[at].layoutIndex + 1 : 0;
}

namespace {

template <class Row>
const Row* RowAt(const std::vector<Row>& rows, std::int32_t entryRow) {
    return entryRow >= 0 && static_cast<std::size_t>(entryRow) < rows.size() ? &rows[entryRow]
                                                                             : nullptr;
}

}  // namespace

const EnteredPart* AppliedResult::EnteredPartAt(std::int32_t entryRow) const {
    return RowAt(entered.parts, entryRow);
}

const EnteredSheet* AppliedResult::EnteredSheetAt(std::int32_t entryRow) const {
    return RowAt(entered.sheets, entryRow);
}

const std::string& AppliedResult::MaterialOf(const PlannedSheet& sheet) const {
    static const std::string unnamed;
    const EnteredSheet* row = EnteredSheetAt(sheet.entryRow);
    return row ? row->material : unnamed;
}

}  // namespace tarvex
