#include "support/LayoutFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "io/OutcomeText.h"
#include "io/TableCalculation.h"
#include "job/Calculation.h"

namespace tarvex {

Placement Rect(const std::string& label, int id, double x, double y, double length, double width) {
    Placement p;
    p.label = label;
    p.partId = id;
    p.x = x;
    p.y = y;
    p.length = length;
    p.width = width;
    return p;
}

Offcut Spare(double x, double y, double length, double width) {
    return Offcut{x, y, length, width};
}

PlannedSheet LayoutSheet(const std::string& label, double length, double width, int count,
                         int layoutIndex, std::vector<Placement> parts,
                         std::vector<Offcut> offcuts) {
    PlannedSheet s;
    s.label = label;
    s.length = length;
    s.width = width;
    s.count = count;
    s.layoutIndex = layoutIndex;
    s.used = true;
    s.distinct = true;
    s.parts = std::move(parts);
    s.offcuts = std::move(offcuts);
    return s;
}

AppliedResult ResultOf(std::vector<PlannedSheet> sheets) {
    AppliedResult r;
    r.sheets = std::move(sheets);
    r.settings.unit = "mm";
    return r;
}

AppliedResult Calculate(const SettingsForm& form, CellTable sheets, CellTable parts) {
    SettingsForm fastest = form;
    fastest.speed = 1;
    Calculation calc;
    CalcOutcome outcome;
    if (auto ended = PrepareFromTables(calc, fastest, sheets, parts)) {
        outcome = *ended;
    } else {
        GaOptions options;
        options.seed = 1;
        calc.Optimize(options);
        outcome = FinishIntoTables(calc, sheets);
    }
    EXPECT_TRUE(outcome.Ran()) << OutcomeText(outcome);
    return calc.Applied() ? *calc.Applied() : AppliedResult{};
}

std::string JoinCrLf(const std::vector<std::string>& items) {
    std::string all;
    for (const std::string& item : items) all += item + "\r\n";
    return all;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

AppliedResult SmallResult() {
    return ResultOf(
        {LayoutSheet("Birch", 1000, 600, 2, 0,
                     {Rect("Door", 1, 0, 0, 400, 300), Rect("Side", 3, 404, 0, 400, 300),
                      Rect("Door", 2, 0, 304, 400, 296)},
                     {Spare(808, 0, 192, 600), Spare(404, 304, 400, 296)})});
}

CellTable SmallPartTable() {
    return PartTable({{"Door", "400", "300", "2", "Yes"}, {"Side", "400", "300", "1", "No"}});
}

void ExpectGolden(const std::string& name, const std::string& bytes) {
    const std::string path = std::string(TARVEX_SOURCE_DIR) + "/tests/export/golden/" + name;
    const char* update = std::getenv("TARVEX_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        std::ofstream(path, std::ios::binary) << bytes;
        return;
    }
    EXPECT_EQ(bytes, ReadBytes(path)) << "golden file " << path;
}

}  // namespace tarvex
