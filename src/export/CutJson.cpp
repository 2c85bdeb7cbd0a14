#include "export/CutJson.h"

#include "job/CutFigures.h"

namespace {

using Json = nlohmann::ordered_json;

Json CutJson(const SawCut& c) {
    return {{"axis", c.axis == SawCut::Axis::X ? "x" : "y"},
            {"at", c.at},
            {"from", c.from},
            {"to", c.to}};
}

void AddFigures(Json& json, const CutFigures& figures) {
    if (figures.sawn) {
        json["cutCount"] = figures.cuts;
        json["cutLength"] = figures.length;
    } else {
        json["toolPathLength"] = figures.length;
    }
}

}  // namespace

void AddSheetCutFields(Json& sheetJson, const AppliedResult& result, const PlannedSheet& sheet) {
    if (!sheet.used) return;
    if (const auto cuts = SawCutsOf(result, sheet)) {
        Json list = Json::array();
        for (const SawCut& c : *cuts) list.push_back(CutJson(c));
        sheetJson["cuts"] = std::move(list);
    }
    AddFigures(sheetJson, SheetCutFigures(result, sheet));
}

void AddPlanCutFields(Json& resultJson, const AppliedResult& result) {
    // A cut's slot is one blade width wide.
    resultJson["bladeWidth"] = result.settings.cut.bladeWidth;
    AddFigures(resultJson, PlanCutFigures(result));
}
