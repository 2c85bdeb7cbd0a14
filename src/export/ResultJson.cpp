#include "export/ResultJson.h"

#include <nlohmann/json.hpp>

#include "export/CutJson.h"
#include "export/ResultJsonValue.h"
#include "job/BandingLengths.h"
#include "job/MaterialPlans.h"
#include "text/LengthText.h"

namespace tarvex {

namespace {

// Keys stay in the documented order rather than sorted.
using Json = nlohmann::ordered_json;

template <class Rect>
Json Rectangle(const Rect& p) {
    return {{"x", p.x}, {"y", p.y}, {"length", p.length}, {"width", p.width}};
}

// The banding named on each edge, null for an edge without.
Json EdgeBandingJson(const EnteredPart* row) {
    Json json = Json::object();
    for (const Edge edge : kEdges) {
        const std::string name = row ? NameOn(row->banding, edge) : std::string();
        json[EdgeName(edge)] = name.empty() ? Json(nullptr) : Json(name);
    }
    return json;
}

Json BandingJson(const std::vector<BandingLength>& lengths, const std::string* material) {
    Json json = Json::array();
    for (const BandingLength& b : lengths) {
        if (material && !SameMaterial(b.material, *material)) continue;
        json.push_back({{"name", b.name},
                        {"edges", b.edges},
                        {"length", b.length},
                        {"lengthWithAllowance", b.withAllowance}});
    }
    return json;
}

Json SheetJson(const AppliedResult& result, const PlannedSheet& s, const DecimalGrid& grid) {
    Json parts = Json::array(), offcuts = Json::array();
    for (const Placement& p : s.parts) {
        Json part = {{"id", p.partId}, {"label", p.label}};
        part.update(Rectangle(p));
        part["rotated"] = p.rotated;
        const EnteredPart* row = result.EnteredPartAt(p.entryRow);
        part["material"] = row ? row->material : std::string();
        part["banding"] = EdgeBandingJson(row);
        parts.push_back(std::move(part));
    }
    const EnteredSheet* row = result.EnteredSheetAt(s.entryRow);
    for (const Offcut& o : s.offcuts) offcuts.push_back(Rectangle(o));
    Json sheet = {{"id", s.id},
                  {"label", s.label},
                  {"length", s.length},
                  {"width", s.width},
                  {"used", s.used},
                  {"distinct", s.distinct},
                  {"count", s.count},
                  {"layoutIndex", s.layoutIndex},
                  {"layout", result.LayoutNumberOf(s)},
                  {"utilisation", s.utilisation},
                  {"parts", std::move(parts)},
                  {"offcuts", std::move(offcuts)},
                  {"material", result.MaterialOf(s)},
                  {"grain", GrainWord(row ? row->grain : Grain::Length)}};
    AddSheetCutFields(sheet, result, s, grid);
    return sheet;
}

const char* MeasureText(StockBound::Measure measure) {
    switch (measure) {
        case StockBound::Measure::Sheets:
            return "sheets";
        case StockBound::Measure::Cost:
            return "cost";
        case StockBound::Measure::Area:
            break;
    }
    return "area";
}

// The bound counts sheets when the paid stock is of one kind, otherwise its cost
// or area: scripts need to know which.
void AddBoundFields(Json& json, const AppliedResult& result) {
    const std::optional<PlanBound>& bound = result.bound;
    json["lowerBound"] = bound ? Json(bound->value) : Json(nullptr);
    json["lowerBoundMeasure"] = bound ? Json(MeasureText(bound->measure)) : Json(nullptr);
    json["gapToBound"] = bound && bound->gap ? Json(*bound->gap) : Json(nullptr);
}

// Of each material the sheets name, in table order: the sheets used, their cost and
// the share of their area the parts take.
Json MaterialsJson(const AppliedResult& result, const BandingLengths& banding) {
    struct Figures {
        std::string material;
        int sheets = 0;
        double cost = 0, area = 0, partArea = 0;
    };
    std::vector<Figures> figures;
    const auto of = [&](const std::string& material) -> Figures& {
        for (Figures& f : figures)
            if (SameMaterial(f.material, material)) return f;
        return figures.emplace_back(Figures{material});
    };
    for (const EnteredSheet& row : result.entered.sheets)
        if (!row.label.empty()) of(row.material);
    for (const PlannedSheet& s : result.sheets) {
        Figures& f = of(result.MaterialOf(s));
        if (!s.used) continue;
        ++f.sheets;
        f.cost += s.unitCost * s.Area();
        f.area += s.Area();
        for (const Placement& p : s.parts) f.partArea += p.Area();
    }
    Json json = Json::array();
    for (const Figures& f : figures)
        json.push_back({{"material", f.material},
                        {"sheetsUsed", f.sheets},
                        {"cost", f.cost},
                        {"utilisation", f.area > 0 ? f.partArea / f.area : 0.0},
                        {"banding", BandingJson(banding.byMaterial, &f.material)}});
    return json;
}

}  // namespace

Json ResultJsonValue(const AppliedResult& result) {
    // Cut positions are sums of sizes, blade widths and margins.
    const DecimalGrid grid = DecimalGrid::Of(result.sheets, result.settings.cut);
    Json sheets = Json::array();
    for (const PlannedSheet& s : result.sheets) sheets.push_back(SheetJson(result, s, grid));
    Json out = {{"seed", result.seed},
                {"generations", result.generations},
                {"passes", result.passes},
                {"fitness", result.fitness},
                {"allPlaced", result.allPlaced},
                {"ratioParts", static_cast<double>(result.ratioParts)},
                {"ratioWithOffcuts", static_cast<double>(result.ratioWithOffcuts)},
                {"placedPartArea", result.placedPartArea},
                {"offcutArea", result.offcutArea},
                {"sheets", std::move(sheets)}};
    AddPlanCutFields(out, result, grid);
    AddBoundFields(out, result);
    // The numbers stay decimals; a plan in inches says so, and to which fraction the
    // window and the printouts round them. Plans in other units are written as
    // before.
    if (const LengthFormat lengths = LengthFormatOf(result.settings.unit); lengths.inches) {
        out["unit"] = UnitName(result.settings.unit);
        out["fractions"] = lengths.fractions;
    }
    const BandingLengths banding = BandingLengthsOf(result);
    out["materials"] = MaterialsJson(result, banding);
    out["banding"] = BandingJson(banding.total, nullptr);
    out["finishedSizes"] = result.settings.banding.finishedSizes;
    return out;
}

std::string ResultJson(const AppliedResult& result) {
    // Labels from lists written on other systems may hold bytes that are not UTF-8.
    return ResultJsonValue(result).dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace tarvex
