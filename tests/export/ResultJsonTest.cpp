// The result JSON's numbers are those of the entries: a plan whose sizes, blade
// width and margins have one decimal at most writes every size, position and cut
// with one decimal at most, without the noise of summing doubles.
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>

#include "export/ResultJson.h"
#include "support/RandomJobRows.h"

using namespace tarvex;

namespace {

bool OneDecimal(double v) {
    return std::round(v * 10) / 10 == v;
}

bool EnteredWithOneDecimal(const JobRows& rows) {
    const CutSettings& cut = rows.settings.cut;
    const Margins& m = cut.margins;
    bool tenths = OneDecimal(cut.bladeWidth) && OneDecimal(m.top) && OneDecimal(m.bottom) &&
                  OneDecimal(m.left) && OneDecimal(m.right);
    for (const PartRow& p : rows.parts)
        tenths = tenths && OneDecimal(p.length) && OneDecimal(p.width);
    for (const SheetRow& s : rows.sheets)
        tenths = tenths && OneDecimal(s.length) && OneDecimal(s.width);
    return tenths;
}

// The first field of the fields named that is not of one decimal, "" when none is.
std::string NoisyField(const nlohmann::json& object, std::initializer_list<const char*> names) {
    for (const char* name : names)
        if (object.contains(name) && !OneDecimal(object[name].get<double>()))
            return name + std::string(" ") + object[name].dump();
    return {};
}

}  // namespace

TEST(ResultJson, PlansOfEntriesWithOneDecimalWriteNumbersWithOneDecimal) {
    int tenths = 0, cuts = 0;
    ForEachGeneratedPlan(
        1500, 8200000, Placements::Alternating,
        [&](const JobRows& rows, const AppliedResult& plan, std::uint64_t jobSeed) {
            if (!EnteredWithOneDecimal(rows)) return true;
            ++tenths;
            const nlohmann::json json = nlohmann::json::parse(ResultJson(plan));
            std::string noisy = NoisyField(json, {"cutLength"});
            for (const auto& sheet : json["sheets"]) {
                if (!sheet["used"]) continue;
                if (noisy.empty()) noisy = NoisyField(sheet, {"length", "width", "cutLength"});
                for (const char* list : {"parts", "offcuts", "cuts"}) {
                    if (!sheet.contains(list)) continue;
                    for (const auto& item : sheet[list]) {
                        if (noisy.empty())
                            noisy =
                                NoisyField(item, {"x", "y", "length", "width", "at", "from", "to"});
                        cuts += std::string(list) == "cuts";
                    }
                }
            }
            EXPECT_EQ(noisy, "") << "job " << jobSeed;
            return noisy.empty();
        });
    EXPECT_GT(tenths, 1500 / 4);
    EXPECT_GT(cuts, 1500);
}
