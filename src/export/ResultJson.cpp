#include "export/ResultJson.h"

#include <nlohmann/json.hpp>

namespace {

// Keys stay in the documented order rather than sorted.
using Json = nlohmann::ordered_json;

Json Rectangle(const TPartInfo& p) {
    return {{"x", p.x}, {"y", p.y}, {"length", p.length}, {"width", p.width}};
}

Json Sheet(const TSheetInfo& s) {
    Json parts = Json::array(), offcuts = Json::array();
    for (const TPartInfo& p : s.parts) {
        Json part = {{"id", p.id}, {"label", p.label}};
        part.update(Rectangle(p));
        part["rotated"] = p.rotated != 0;
        parts.push_back(std::move(part));
    }
    for (const TPartInfo& o : s.offcuts) offcuts.push_back(Rectangle(o));
    return {{"id", s.id},
            {"label", s.label},
            {"length", s.length},
            {"width", s.width},
            {"used", s.used != 0},
            {"distinct", s.distinct != 0},
            {"count", s.count},
            {"layoutIndex", s.layoutIndex},
            {"utilisation", s.utilisation},
            {"parts", std::move(parts)},
            {"offcuts", std::move(offcuts)}};
}

}  // namespace

std::string ResultJson(const AppliedResult& result, std::uint32_t seed) {
    Json sheets = Json::array();
    for (const TSheetInfo& s : result.sheets) sheets.push_back(Sheet(s));
    const Json out = {{"seed", seed},
                      {"generations", result.generations},
                      {"fitness", result.fitness},
                      {"allPlaced", result.allPlaced},
                      {"ratioParts", static_cast<double>(result.ratioParts)},
                      {"ratioWithOffcuts", static_cast<double>(result.ratioWithOffcuts)},
                      {"placedPartArea", result.placedPartArea},
                      {"offcutArea", result.offcutArea},
                      {"sheets", std::move(sheets)}};
    // Labels from lists written on other systems may hold bytes that are not UTF-8.
    return out.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}
