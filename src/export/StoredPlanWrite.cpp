#include <filesystem>

#include "export/ResultJsonValue.h"
#include "export/StoredPlan.h"
#include "io/TableRowsJson.h"
#include "io/TextFile.h"

namespace {

using Json = nlohmann::ordered_json;

Json JobJson(const Job& job) {
    Json parts = Json::array();
    for (const Part& p : job.parts)
        parts.push_back({{"id", p.id},
                         {"label", p.label},
                         {"length", p.length},
                         {"width", p.width},
                         {"rotatable", p.rotatable}});
    return {{"parts", std::move(parts)},    {"partCount", job.partCount},
            {"sheetCount", job.sheetCount}, {"partArea", job.partArea},
            {"sheetArea", job.sheetArea},   {"sheetCost", job.sheetCost}};
}

const char* FirstCutText(FirstCut firstCut) {
    switch (firstCut) {
        case FirstCut::Length:
            return "length";
        case FirstCut::Width:
            return "width";
        case FirstCut::Any:
            break;
    }
    return "any";
}

Json SettingsJson(const JobSettings& s) {
    const CutSettings& c = s.cut;
    return {{"cut",
             {{"bladeWidth", c.bladeWidth},
              {"margins",
               {{"top", c.margins.top},
                {"bottom", c.margins.bottom},
                {"left", c.margins.left},
                {"right", c.margins.right}}},
              {"minOffcutLength", c.minOffcutLength},
              {"minOffcutWidth", c.minOffcutWidth},
              {"minOffcutArea", c.minOffcutArea},
              {"guillotine", c.guillotine},
              {"costObjective", c.costObjective},
              {"stages", c.stages},
              {"firstCut", FirstCutText(c.firstCut)}}},
            {"speed", s.speed},
            {"search", s.search == SearchMethod::Best ? "best" : "classic"},
            {"timeLimit", s.timeLimit},
            {"bestSteps", s.bestSteps},
            {"unit", s.unit},
            {"decimals", s.decimals},
            {"offcutPrefix", s.offcutPrefix},
            {"cnc",
             {{"huazhong", s.cnc.huazhong},
              {"safeHeight", s.cnc.safeHeight},
              {"drillDepth", s.cnc.drillDepth}}},
            {"print",
             {{"title", s.print.title}, {"font", s.print.font}, {"fontSize", s.print.fontSize}}}};
}

}  // namespace

std::string PlanPathOf(const std::string& projectPath) {
    std::filesystem::path path(projectPath);
    return path.replace_extension(".plan.json").string();
}

std::string StoredPlanJson(const StoredPlan& plan) {
    const AppliedResult& result = *plan.result;
    Json json = ResultJsonValue(result);
    for (size_t i = 0; i < result.sheets.size(); ++i) {
        json["sheets"][i]["unitCost"] = result.sheets[i].unitCost;
        json["sheets"][i]["mergedInto"] = result.sheets[i].mergedInto;
    }
    json["job"] = JobJson(result.job);
    json["settings"] = SettingsJson(result.settings);
    json["settings"]["fixedSeed"] = plan.fixedSeed;
    json["tables"] = {{"sheets", TableRowsJson(plan.sheetTable)},
                      {"parts", TableRowsJson(plan.partTable)}};
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

bool WriteStoredPlan(const std::string& path, const StoredPlan& plan, std::string& error) {
    return WriteFileAtomic(path, StoredPlanJson(plan), error);
}
