#include "export/CutJson.h"

#include "job/CutFigures.h"

namespace tarvex {

namespace {

using Json = nlohmann::ordered_json;

Json CutJson(const SawCut& c, const DecimalGrid& grid) {
    return {{"axis", c.axis == SawCut::Axis::X ? "x" : "y"},
            {"at", grid.Snap(c.at)},
            {"from", grid.Snap(c.from)},
            {"to", grid.Snap(c.to)}};
}

void AddFigures(Json& json, const CutFigures& figures, const DecimalGrid& grid) {
    if (figures.sawn) {
        json["cutCount"] = figures.cuts;
        json["cutLength"] = grid.Snap(figures.length);
    } else {
        json["toolPathLength"] = grid.Snap(figures.length);
    }
}

}  // namespace

void AddSheetCutFields(Json& sheetJson, const AppliedResult& result, const PlannedSheet& sheet,
                       const DecimalGrid& grid) {
    if (!sheet.used) return;
    if (const auto cuts = SawCutsOf(result, sheet)) {
        Json list = Json::array();
        for (const SawCut& c : *cuts) list.push_back(CutJson(c, grid));
        sheetJson["cuts"] = std::move(list);
    }
    AddFigures(sheetJson, SheetCutFigures(result, sheet), grid);
}

void AddPlanCutFields(Json& resultJson, const AppliedResult& result, const DecimalGrid& grid) {
    // A cut's slot is one blade width wide.
    resultJson["bladeWidth"] = result.settings.cut.bladeWidth;
    AddFigures(resultJson, PlanCutFigures(result), grid);
}

}  // namespace tarvex
