#include <filesystem>

#include "export/ResultJsonValue.h"
#include "export/StoredPlan.h"
#include "io/TextFile.h"
#include "job/RowUse.h"

namespace tarvex {

namespace {

using Json = nlohmann::ordered_json;

Json JobJson(const Job& job) {
    Json parts = Json::array();
    for (const Part& p : job.Parts())
        parts.push_back({{"id", p.id},
                         {"label", p.label},
                         {"length", p.length},
                         {"width", p.width},
                         {"rotatable", p.rotatable}});
    return {{"parts", std::move(parts)},      {"partCount", job.PartCount()},
            {"sheetCount", job.SheetCount()}, {"partArea", job.PartArea()},
            {"sheetArea", job.SheetArea()},   {"sheetCost", job.SheetCost()}};
}

// The rows as the tables held them, one array of cell texts per data row in the
// tables' column order. The sheets' first columns end with "Left Quant"; the later
// columns are written only when a row has them, so older readers keep reading the
// files of jobs without them.
Json PartRowsJson(const std::vector<EnteredPart>& rows) {
    Json json = Json::array();
    for (const EnteredPart& row : rows) {
        const PartTexts& t = row.texts;
        Json cells = {t.label, t.length, t.width, t.quantity, t.rotatable};
        if (!t.material.empty() || HasBanding(t.banding)) cells.push_back(t.material);
        if (HasBanding(t.banding))
            for (const std::string& name : t.banding) cells.push_back(name);
        json.push_back(std::move(cells));
    }
    return json;
}

Json SheetRowsJson(const AppliedResult& result) {
    const std::vector<std::optional<int>> left = LeftQuantities(result);
    Json json = Json::array();
    for (std::size_t r = 0; r < result.entered.sheets.size(); ++r) {
        const SheetTexts& t = result.entered.sheets[r].texts;
        Json cells = {t.label,
                      t.length,
                      t.width,
                      t.quantity,
                      t.cost,
                      t.priority,
                      left[r] ? std::to_string(*left[r]) : t.quantity};
        if (!t.material.empty() || !t.grain.empty()) cells.push_back(t.material);
        if (!t.grain.empty()) cells.push_back(t.grain);
        json.push_back(std::move(cells));
    }
    return json;
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

// Written only for a job that has bandings or cuts to finished sizes, so that the
// files of jobs without stay as they were.
void AddBandingJson(const BandingSettings& banding, Json& settings) {
    if (banding.bandings.empty() && !banding.finishedSizes) return;
    Json list = Json::array();
    for (const Banding& b : banding.bandings)
        list.push_back({{"name", b.name}, {"thickness", b.thickness}, {"allowance", b.allowance}});
    settings["banding"] = {{"finishedSizes", banding.finishedSizes}, {"bandings", list}};
}

Json SettingsJson(const JobSettings& s) {
    const CutSettings& c = s.cut;
    Json json = {
        {"cut",
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
    AddBandingJson(s.banding, json);
    return json;
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
    json["tables"] = {{"sheets", SheetRowsJson(result)},
                      {"parts", PartRowsJson(result.entered.parts)}};
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

bool WriteStoredPlan(const std::string& path, const StoredPlan& plan, std::string& error) {
    return WriteFileAtomic(path, StoredPlanJson(plan), error);
}

}  // namespace tarvex
