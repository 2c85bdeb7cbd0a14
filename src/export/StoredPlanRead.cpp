#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <set>

#include "export/StoredPlan.h"
#include "io/EnteredRowInput.h"
#include "io/TextFile.h"
#include "job/PlanCheck.h"
#include "job/RowUse.h"
#include "text/FileMessages.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

using Json = nlohmann::json;

// More records than any job the program gathers.
constexpr std::size_t kMostRecords = 1'000'000;
// Sizes and positions beyond this are no workshop's.
constexpr double kFarthest = 1e9;

// Reads the fields of the file, naming the first one that is missing, of the wrong
// kind or out of range.
class Fields {
  public:
    explicit Fields(std::string& fault) : fault_(fault) {}

    const Json* Get(const Json& object, const std::string& where, const char* key) {
        if (!object.is_object()) return Missing(where);
        const auto found = object.find(key);
        if (found == object.end()) return Missing(Join(where, key));
        return &*found;
    }
    bool Number(const Json& object, const std::string& where, const char* key, double& out,
                double low = -kFarthest, double high = kFarthest) {
        const Json* value = Get(object, where, key);
        if (!value) return false;
        if (!value->is_number()) return Wrong(Join(where, key));
        out = value->get<double>();
        if (std::isfinite(out) && out >= low && out <= high) return true;
        return OutOfRange(Join(where, key));
    }
    template <class Integer>
    bool Whole(const Json& object, const std::string& where, const char* key, Integer& out,
               double low, double high) {
        double value = 0;
        if (!Number(object, where, key, value, low, high)) return false;
        if (value != std::floor(value)) return OutOfRange(Join(where, key));
        out = static_cast<Integer>(value);
        return true;
    }
    bool Flag(const Json& object, const std::string& where, const char* key, bool& out) {
        const Json* value = Get(object, where, key);
        if (!value) return false;
        if (!value->is_boolean()) return Wrong(Join(where, key));
        out = value->get<bool>();
        return true;
    }
    bool Text(const Json& object, const std::string& where, const char* key, std::string& out) {
        const Json* value = Get(object, where, key);
        if (!value) return false;
        if (!value->is_string()) return Wrong(Join(where, key));
        out = value->get<std::string>();
        return true;
    }
    const Json* List(const Json& object, const std::string& where, const char* key,
                     std::size_t most = kMostRecords) {
        const Json* value = Get(object, where, key);
        if (!value) return nullptr;
        if (!value->is_array()) return Missing(Join(where, key));
        if (value->size() > most) {
            OutOfRange(Join(where, key));
            return nullptr;
        }
        return value;
    }
    bool Fail(const std::string& fault) {
        fault_ = fault;
        return false;
    }

    static std::string Join(const std::string& where, const char* key) {
        return where.empty() ? key : where + "." + key;
    }
    static std::string At(const std::string& where, std::size_t index) {
        return where + "[" + std::to_string(index) + "]";
    }

    bool Wrong(const std::string& field) {
        fault_ = Substitute(_("the field \"{1}\" is missing or of the wrong kind"), {field});
        return false;
    }

  private:
    std::nullptr_t Missing(const std::string& field) {
        Wrong(field);
        return nullptr;
    }
    bool OutOfRange(const std::string& field) {
        fault_ = Substitute(_("the field \"{1}\" is out of range"), {field});
        return false;
    }

    std::string& fault_;
};

bool ReadRectangle(Fields& in, const Json& j, const std::string& where, double& x, double& y,
                   double& length, double& width) {
    return in.Number(j, where, "x", x) && in.Number(j, where, "y", y) &&
           in.Number(j, where, "length", length, 0, kFarthest) &&
           in.Number(j, where, "width", width, 0, kFarthest);
}

bool ReadSheet(Fields& in, const Json& j, const std::string& where, std::size_t count,
               PlannedSheet& s) {
    const double most = static_cast<double>(count);
    if (!in.Whole(j, where, "id", s.id, 0, std::numeric_limits<std::int32_t>::max()) ||
        !in.Text(j, where, "label", s.label) ||
        !in.Number(j, where, "length", s.length, 0, kFarthest) ||
        !in.Number(j, where, "width", s.width, 0, kFarthest) ||
        !in.Flag(j, where, "used", s.used) || !in.Flag(j, where, "distinct", s.distinct) ||
        !in.Whole(j, where, "count", s.count, 1, most) ||
        !in.Whole(j, where, "layoutIndex", s.layoutIndex, -1, most - 1) ||
        !in.Whole(j, where, "mergedInto", s.mergedInto, -1, most - 1) ||
        !in.Number(j, where, "utilisation", s.utilisation) ||
        !in.Number(j, where, "unitCost", s.unitCost, 0, kFarthest))
        return false;
    const Json* parts = in.List(j, where, "parts");
    const Json* offcuts = parts ? in.List(j, where, "offcuts") : nullptr;
    if (!offcuts) return false;
    for (std::size_t k = 0; k < parts->size(); ++k) {
        const std::string at = Fields::At(Fields::Join(where, "parts"), k);
        Placement& p = s.parts.emplace_back();
        if (!in.Whole((*parts)[k], at, "id", p.partId, std::numeric_limits<std::int32_t>::min(),
                      std::numeric_limits<std::int32_t>::max()) ||
            !in.Text((*parts)[k], at, "label", p.label) ||
            !ReadRectangle(in, (*parts)[k], at, p.x, p.y, p.length, p.width) ||
            !in.Flag((*parts)[k], at, "rotated", p.rotated))
            return false;
    }
    for (std::size_t k = 0; k < offcuts->size(); ++k) {
        Offcut& o = s.offcuts.emplace_back();
        if (!ReadRectangle(in, (*offcuts)[k], Fields::At(Fields::Join(where, "offcuts"), k), o.x,
                           o.y, o.length, o.width))
            return false;
    }
    return true;
}

bool ReadJob(Fields& in, const Json& top, Job& job) {
    const Json* j = in.Get(top, "", "job");
    const Json* parts = j ? in.List(*j, "job", "parts") : nullptr;
    if (!parts) return false;
    std::vector<Part> records;
    for (std::size_t k = 0; k < parts->size(); ++k) {
        const std::string at = Fields::At("job.parts", k);
        Part& p = records.emplace_back();
        double length = 0, width = 0;
        if (!in.Whole((*parts)[k], at, "id", p.id, std::numeric_limits<std::int32_t>::min(),
                      std::numeric_limits<std::int32_t>::max()) ||
            !in.Text((*parts)[k], at, "label", p.label) ||
            !in.Number((*parts)[k], at, "length", length, 0, kFarthest) ||
            !in.Number((*parts)[k], at, "width", width, 0, kFarthest) ||
            !in.Flag((*parts)[k], at, "rotatable", p.rotatable))
            return false;
        p.SetSize(length, width);
    }
    const double most = static_cast<double>(kMostRecords);
    const double parted = static_cast<double>(parts->size());
    JobTotals totals;
    if (!in.Whole(*j, "job", "partCount", totals.partCount, parted, parted) ||
        !in.Whole(*j, "job", "sheetCount", totals.sheetCount, 0, most) ||
        !in.Number(*j, "job", "partArea", totals.partArea, 0, 1e30) ||
        !in.Number(*j, "job", "sheetArea", totals.sheetArea, 0, 1e30) ||
        !in.Number(*j, "job", "sheetCost", totals.sheetCost, 0, 1e30))
        return false;
    job = Job::Restored(std::move(records), totals);
    return true;
}

// The stage limits came after the first plan files: a file without them was made
// without limits.
bool ReadStageLimits(Fields& in, const Json& cut, CutSettings& c) {
    if (cut.contains("stages")) {
        if (!in.Whole(cut, "settings.cut", "stages", c.stages, 0, 3)) return false;
        if (c.stages == 1)
            return in.Fail(
                Substitute(_("the field \"{1}\" is out of range"), {"settings.cut.stages"}));
    }
    if (!cut.contains("firstCut")) return true;
    std::string firstCut;
    if (!in.Text(cut, "settings.cut", "firstCut", firstCut)) return false;
    if (firstCut == "any" || firstCut == "length" || firstCut == "width") {
        c.firstCut = firstCut == "length"  ? FirstCut::Length
                     : firstCut == "width" ? FirstCut::Width
                                           : FirstCut::Any;
        return true;
    }
    return in.Fail(Substitute(_("the field \"{1}\" is out of range"), {"settings.cut.firstCut"}));
}

// Plans of jobs without banding have none.
bool ReadBanding(Fields& in, const Json& settings, BandingSettings& banding) {
    if (!settings.contains("banding")) return true;
    const Json* b = in.Get(settings, "settings", "banding");
    const Json* list = b ? in.List(*b, "settings.banding", "bandings") : nullptr;
    if (!list || !in.Flag(*b, "settings.banding", "finishedSizes", banding.finishedSizes))
        return false;
    for (std::size_t k = 0; k < list->size(); ++k) {
        const std::string at = Fields::At("settings.banding.bandings", k);
        Banding& one = banding.bandings.emplace_back();
        if (!in.Text((*list)[k], at, "name", one.name) ||
            !in.Number((*list)[k], at, "thickness", one.thickness, 0, kFarthest) ||
            !in.Number((*list)[k], at, "allowance", one.allowance, 0, kFarthest))
            return false;
    }
    return true;
}

bool ReadSettings(Fields& in, const Json& top, JobSettings& s) {
    const Json* j = in.Get(top, "", "settings");
    const Json* cut = j ? in.Get(*j, "settings", "cut") : nullptr;
    const Json* margins = cut ? in.Get(*cut, "settings.cut", "margins") : nullptr;
    const Json* cnc = margins ? in.Get(*j, "settings", "cnc") : nullptr;
    const Json* print = cnc ? in.Get(*j, "settings", "print") : nullptr;
    if (!print) return false;
    CutSettings& c = s.cut;
    std::string search;
    if (!in.Number(*cut, "settings.cut", "bladeWidth", c.bladeWidth, 0, kFarthest) ||
        !in.Number(*margins, "settings.cut.margins", "top", c.margins.top, 0, kFarthest) ||
        !in.Number(*margins, "settings.cut.margins", "bottom", c.margins.bottom, 0, kFarthest) ||
        !in.Number(*margins, "settings.cut.margins", "left", c.margins.left, 0, kFarthest) ||
        !in.Number(*margins, "settings.cut.margins", "right", c.margins.right, 0, kFarthest) ||
        !in.Number(*cut, "settings.cut", "minOffcutLength", c.minOffcutLength) ||
        !in.Number(*cut, "settings.cut", "minOffcutWidth", c.minOffcutWidth) ||
        !in.Number(*cut, "settings.cut", "minOffcutArea", c.minOffcutArea, -1e30, 1e30) ||
        !in.Flag(*cut, "settings.cut", "guillotine", c.guillotine) ||
        !in.Flag(*cut, "settings.cut", "costObjective", c.costObjective) ||
        !ReadStageLimits(in, *cut, c) || !in.Number(*j, "settings", "speed", s.speed, 1, 12) ||
        !in.Text(*j, "settings", "search", search) ||
        !in.Number(*j, "settings", "timeLimit", s.timeLimit, 0, 1e9) ||
        !in.Whole(*j, "settings", "bestSteps", s.bestSteps, 0, 1e15) ||
        !in.Text(*j, "settings", "unit", s.unit) ||
        // Decimals beyond this would only make numbers of absurd length.
        !in.Whole(*j, "settings", "decimals", s.decimals, -20, 20) ||
        !in.Text(*j, "settings", "offcutPrefix", s.offcutPrefix) ||
        !in.Flag(*cnc, "settings.cnc", "huazhong", s.cnc.huazhong) ||
        !in.Number(*cnc, "settings.cnc", "safeHeight", s.cnc.safeHeight) ||
        !in.Number(*cnc, "settings.cnc", "drillDepth", s.cnc.drillDepth) ||
        !in.Text(*print, "settings.print", "title", s.print.title) ||
        !in.Text(*print, "settings.print", "font", s.print.font) ||
        !in.Text(*print, "settings.print", "fontSize", s.print.fontSize))
        return false;
    if (search != "classic" && search != "best")
        return in.Fail(Substitute(_("the field \"{1}\" is out of range"), {"settings.search"}));
    s.search = search == "best" ? SearchMethod::Best : SearchMethod::Classic;
    return ReadBanding(in, *j, s.banding);
}

// Plans written before the field was added were searched from a seed of their own.
bool ReadFixedSeed(Fields& in, const Json& top, bool& fixed) {
    const Json& settings = top.at("settings");  // read by ReadSettings before
    fixed = false;
    return !settings.contains("fixedSeed") || in.Flag(settings, "settings", "fixedSeed", fixed);
}

// Plans stored before the bound was shown have none.
bool ReadBound(Fields& in, const Json& top, std::optional<PlanBound>& bound) {
    if (!top.contains("lowerBound") || top["lowerBound"].is_null()) return true;
    PlanBound b;
    std::string measure;
    if (!in.Number(top, "", "lowerBound", b.value, 0, 1e30) ||
        !in.Text(top, "", "lowerBoundMeasure", measure))
        return false;
    if (measure != "sheets" && measure != "cost" && measure != "area")
        return in.Fail(Substitute(_("the field \"{1}\" is out of range"), {"lowerBoundMeasure"}));
    b.measure = measure == "sheets" ? StockBound::Measure::Sheets
                : measure == "cost" ? StockBound::Measure::Cost
                                    : StockBound::Measure::Area;
    if (top.contains("gapToBound") && !top["gapToBound"].is_null()) {
        double gap = 0;
        if (!in.Number(top, "", "gapToBound", gap, -1e30, 1e30)) return false;
        b.gap = gap;
    }
    bound = b;
    return true;
}

// The cells of each data row, in the tables' column order; a row may end early,
// its last cells empty. A table always has a data row, as the window's do.
bool ReadRowTexts(Fields& in, const Json& tables, const char* key, std::size_t columns,
                  std::vector<std::vector<std::string>>& out) {
    const Json* rows = in.List(tables, "tables", key);
    if (!rows) return false;
    for (std::size_t r = 0; r < rows->size(); ++r) {
        const Json& row = (*rows)[r];
        const std::string at = Fields::At(Fields::Join("tables", key), r);
        if (!row.is_array() || row.size() > columns) return in.Wrong(at);
        std::vector<std::string>& cells = out.emplace_back(columns);
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (!row[c].is_string()) return in.Wrong(at);
            cells[c] = row[c].get<std::string>();
        }
    }
    if (out.empty()) out.emplace_back(columns);
    return true;
}

// "Left Quant", the sheets' last column, is the plan's: it is worked out again.
// The sizes are read in the unit the plan was made in.
bool ReadEntered(Fields& in, const Json& tables, const std::string& unit, EnteredRows& entered) {
    std::vector<std::vector<std::string>> sheets, parts;
    if (!ReadRowTexts(in, tables, "sheets", 9, sheets) ||
        !ReadRowTexts(in, tables, "parts", 10, parts))
        return false;
    for (std::vector<std::string>& c : sheets)
        entered.sheets.push_back(
            EnteredSheetOf({std::move(c[0]), std::move(c[1]), std::move(c[2]), std::move(c[3]),
                            std::move(c[4]), std::move(c[5]), std::move(c[7]), std::move(c[8])},
                           LengthFormatOf(unit)));
    for (std::vector<std::string>& c : parts)
        entered.parts.push_back(
            EnteredPartOf({std::move(c[0]),
                           std::move(c[1]),
                           std::move(c[2]),
                           std::move(c[3]),
                           std::move(c[4]),
                           std::move(c[5]),
                           {std::move(c[6]), std::move(c[7]), std::move(c[8]), std::move(c[9])}},
                          LengthFormatOf(unit)));
    return true;
}

// What the plan check takes for granted: a used sheet holds parts, the layouts are
// numbered 0 to n - 1 once each, and a merged sheet names an earlier layout's sheet.
bool CheckNumbering(Fields& in, const AppliedResult& r) {
    std::set<std::int32_t> numbers;
    for (std::size_t i = 0; i < r.sheets.size(); ++i) {
        const PlannedSheet& s = r.sheets[i];
        const bool layout = s.used && s.distinct;
        const bool merged = s.used && !s.distinct;
        const bool numbered = layout ? s.layoutIndex >= 0 : s.layoutIndex == -1;
        const bool mergeOk =
            merged ? s.mergedInto >= 0 && static_cast<std::size_t>(s.mergedInto) < i &&
                         r.sheets[s.mergedInto].used && r.sheets[s.mergedInto].distinct
                   : s.mergedInto == -1;
        if (s.used == s.parts.empty() || !numbered || !mergeOk ||
            (layout && !numbers.insert(s.layoutIndex).second))
            return in.Fail(
                Substitute(_("the field \"{1}\" is out of range"), {Fields::At("sheets", i)}));
    }
    if (!numbers.empty() && *numbers.rbegin() != static_cast<std::int32_t>(numbers.size()) - 1)
        return in.Fail(Substitute(_("the field \"{1}\" is out of range"), {"layoutIndex"}));
    return true;
}

bool ReadPlan(const Json& top, StoredPlan& plan, std::string& fault) {
    Fields in(fault);
    auto result = std::make_shared<AppliedResult>();
    AppliedResult& r = *result;
    double ratioParts = 0, ratioWithOffcuts = 0;
    if (!in.Whole(top, "", "seed", r.seed, 0, std::numeric_limits<std::uint32_t>::max()) ||
        !in.Whole(top, "", "generations", r.generations, 0, 1e9) ||
        !in.Whole(top, "", "passes", r.passes, 1, 1e9) ||
        !in.Number(top, "", "fitness", r.fitness, -1e30, 1e30) ||
        !in.Flag(top, "", "allPlaced", r.allPlaced) ||
        !in.Number(top, "", "ratioParts", ratioParts, 0, 1e9) ||
        !in.Number(top, "", "ratioWithOffcuts", ratioWithOffcuts, 0, 1e9) ||
        !in.Number(top, "", "placedPartArea", r.placedPartArea, 0, 1e30) ||
        !in.Number(top, "", "offcutArea", r.offcutArea, 0, 1e30) || !ReadBound(in, top, r.bound))
        return false;
    r.ratioParts = static_cast<float>(ratioParts);
    r.ratioWithOffcuts = static_cast<float>(ratioWithOffcuts);
    const Json* sheets = in.List(top, "", "sheets");
    if (!sheets) return false;
    for (std::size_t i = 0; i < sheets->size(); ++i)
        if (!ReadSheet(in, (*sheets)[i], Fields::At("sheets", i), sheets->size(),
                       r.sheets.emplace_back()))
            return false;
    const Json* tables = nullptr;
    if (!ReadJob(in, top, r.job) || !ReadSettings(in, top, r.settings) ||
        !ReadFixedSeed(in, top, plan.fixedSeed) || !(tables = in.Get(top, "", "tables")) ||
        !ReadEntered(in, *tables, r.settings.unit, r.entered) || !CheckNumbering(in, r))
        return false;
    LinkEnteredRows(r);
    if (const auto violation = CheckPlan(r)) return in.Fail(violation->message);
    plan.result = std::move(result);
    return true;
}

}  // namespace

bool ReadStoredPlan(const std::string& path, StoredPlan& plan, std::string& error) {
    std::string text;
    if (!ReadTextFile(path, text, error)) return false;
    const Json top = Json::parse(text, nullptr, false);
    std::string fault;
    StoredPlan read;
    if (top.is_discarded() || !top.is_object())
        fault = _("the file is not a plan written by this program");
    else
        ReadPlan(top, read, fault);
    if (!fault.empty()) {
        error = Substitute(_("The stored plan \"{1}\" cannot be used: {2}"), {path, fault});
        return false;
    }
    plan = std::move(read);
    return true;
}

}  // namespace tarvex
