#include "job/CutFigures.h"

#include "job/ToolPath.h"

namespace tarvex {

CutFigures& CutFigures::operator+=(const CutFigures& other) {
    cuts += other.cuts;
    length += other.length;
    return *this;
}

std::optional<std::vector<SawCut>> SawCutsOf(const AppliedResult& result,
                                             const PlannedSheet& sheet) {
    if (!result.settings.cut.guillotine) return std::nullopt;
    return DeriveSawCuts(sheet, result.settings.cut);
}

CutFigures SheetCutFigures(const AppliedResult& result, const PlannedSheet& sheet) {
    if (const auto cuts = SawCutsOf(result, sheet))
        return {true, static_cast<int>(cuts->size()), TotalCutLength(*cuts)};
    const std::vector<ToolCut> path = ToolPathOf(sheet, result.settings.cut);
    return {false, static_cast<int>(path.size()), ToolPathLength(path)};
}

CutFigures PlanCutFigures(const AppliedResult& result) {
    CutFigures total;
    total.sawn = result.settings.cut.guillotine;
    for (const PlannedSheet& s : result.sheets)
        if (s.used) total += SheetCutFigures(result, s);
    return total;
}

}  // namespace tarvex
