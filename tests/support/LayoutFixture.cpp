#include "support/LayoutFixture.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "job/Calculation.h"
#include "optimizer/Random.h"

TPartInfo Rect(const std::string& label, int id, double x, double y, double length, double width) {
    TPartInfo p;
    p.label = label;
    p.id = id;
    p.x = x;
    p.y = y;
    p.length = length;
    p.width = width;
    return p;
}

TSheetInfo LayoutSheet(const std::string& label, double length, double width, int count,
                       int layoutIndex, std::vector<TPartInfo> parts,
                       std::vector<TPartInfo> offcuts) {
    TSheetInfo s;
    s.label = label;
    s.length = length;
    s.width = width;
    s.count = count;
    s.layoutIndex = layoutIndex;
    s.used = 1;
    s.distinct = 1;
    s.parts = std::move(parts);
    s.offcuts = std::move(offcuts);
    return s;
}

AppliedResult ResultOf(std::vector<TSheetInfo> sheets) {
    AppliedResult r;
    r.sheets = std::move(sheets);
    return r;
}

AppliedResult Calculate(const SettingsForm& form, CellTable sheets, CellTable parts) {
    SeedRandom(1);
    SettingsForm fastest = form;
    fastest.speed = 1;
    Calculation calc;
    const CalcOutcome outcome = calc.Run(fastest, sheets, parts, GaOptions{});
    EXPECT_TRUE(outcome.Ran()) << outcome.message;
    return calc.Applied() ? *calc.Applied() : AppliedResult{};
}

std::string JoinCrLf(const std::vector<std::string>& items) {
    std::string all;
    for (const std::string& item : items) all += item + "\r\n";
    return all;
}

std::string TempFolder() {
    std::string dir = ::testing::TempDir() + "tarvex-layout-XXXXXX";
    return mkdtemp(dir.data());
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void ResetExportSettings() {
    ResetJobSettings();
    g_unit = "mm";
}

AppliedResult SmallResult() {
    return ResultOf(
        {LayoutSheet("Birch", 1000, 600, 2, 0,
                     {Rect("Door", 1, 0, 0, 400, 300), Rect("Side", 3, 404, 0, 400, 300),
                      Rect("Door", 2, 0, 304, 400, 296)},
                     {Rect("", 0, 808, 0, 192, 600), Rect("", 0, 404, 304, 400, 296)})});
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
