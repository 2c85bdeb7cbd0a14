#include "job/AppliedResult.h"

#include <algorithm>

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

int CountPartsWithLabel(const PlannedSheet& sheet, const std::string& label) {
    return static_cast<int>(std::count_if(sheet.parts.begin(), sheet.parts.end(),
                                          [&](const Placement& p) { return p.label == label; }));
}

int AppliedResult::LayoutNumberOf(const PlannedSheet& sheet) const {
    if (!sheet.used) return 0;
    if (sheet.distinct) return sheet.layoutIndex + 1;
    const auto at = static_cast<size_t>(sheet.mergedInto);
    return at < sheets.size() ? sheets[at].layoutIndex + 1 : 0;
}
