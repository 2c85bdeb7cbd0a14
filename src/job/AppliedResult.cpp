#include "job/AppliedResult.h"

int AppliedResult::LayoutCount() const {
    int n = 0;
    for (const TSheetInfo& s : sheets) n += (s.used && s.distinct) ? 1 : 0;
    return n;
}

const TSheetInfo* AppliedResult::LayoutSheetOf(int layoutIndex) const {
    for (const TSheetInfo& s : sheets)
        if (s.used && s.distinct && s.layoutIndex == layoutIndex) return &s;
    return nullptr;
}
