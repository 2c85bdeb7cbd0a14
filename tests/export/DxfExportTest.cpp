#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <regex>

#include "export/DxfExport.h"
#include "support/LayoutFixture.h"
#include "support/ScratchFolder.h"

using namespace tarvex;

namespace {

using nlohmann::json;

std::string RunCommand(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string out;
    char buffer[4096];
    while (pipe && fgets(buffer, sizeof buffer, pipe.get())) out += buffer;
    return out;
}

// What ezdxf reads from the file.
json ReadWithEzdxf(const std::string& path) {
    const std::string out = RunCommand("/usr/bin/python3 " + std::string(TARVEX_SOURCE_DIR) +
                                       "/tests/export/tools/check_dxf.py '" + path + "' 2>&1");
    try {
        return json::parse(out);
    } catch (const json::exception&) {
        ADD_FAILURE() << "ezdxf could not read " << path << ":\n" << out;
        return json::object();
    }
}

class DxfExport : public ::testing::Test {
  protected:
    std::string Export(const AppliedResult& result, const CellTable& parts) {
        const std::string path = NewScratchFolder("export") + "/layout.dxf";
        const ExportOutcome outcome = ExportDxf({Entered(result, parts), settings}, 0, path);
        EXPECT_TRUE(outcome.ok) << outcome.message;
        return path;
    }

    OutputChoices settings;
};

}  // namespace

TEST_F(DxfExport, GoldenFileWithDimensionsAndOffcuts) {
    settings.dxfDimensions = true;
    settings.dxfOffcuts = true;
    const std::string path = Export(SmallResult(), SmallPartTable());
    const std::string bytes = ReadBytes(path);
    // The date line is the only part that changes from run to run.
    const std::regex stamp("\n1\n[0-9]{4}/[0-9]{2}/[0-9]{2} [^\r\n]*\n");
    EXPECT_TRUE(std::regex_search(bytes, stamp));
    ExpectGolden("small.dxf", std::regex_replace(bytes, stamp, "\n1\nSTAMP\n"));
}

TEST_F(DxfExport, EzdxfReadsEveryLayerInsideTheSheet) {
    settings.dxfDimensions = true;
    settings.dxfOffcuts = true;
    const json dxf = ReadWithEzdxf(Export(SmallResult(), SmallPartTable()));
    EXPECT_EQ(dxf["version"], "AC1009");
    EXPECT_EQ(dxf["errors"], 0);
    EXPECT_EQ(dxf["fixes"], 0);
    // 1 sheet outline; 3 parts + 2 offcuts on "parts"; 3 labels, 3 + 3 dimensions;
    // the report: 5 lines, a heading row and 2 part rows of 5 texts each.
    EXPECT_EQ(dxf["layers"]["sheet"], 1);
    EXPECT_EQ(dxf["layers"]["parts"], 5);
    EXPECT_EQ(dxf["layers"]["parts label"], 3);
    EXPECT_EQ(dxf["layers"]["parts height"], 3);
    EXPECT_EQ(dxf["layers"]["parts width"], 3);
    EXPECT_EQ(dxf["layers"]["Layout Report"], 5 + 15);
    int offcuts = 0;
    for (const json& p : dxf["polylines"]) {
        EXPECT_TRUE(p["closed"].get<bool>());
        EXPECT_EQ(p["points"].size(), 4u);
        offcuts += p["color"] == 11;
        for (const json& v : p["points"]) {
            EXPECT_GE(v[0].get<double>(), 0.0);
            EXPECT_LE(v[0].get<double>(), 1000.0);
            EXPECT_GE(v[1].get<double>(), 0.0);
            EXPECT_LE(v[1].get<double>(), 600.0);
        }
    }
    EXPECT_EQ(offcuts, 2);
    for (const json& t : dxf["texts"]) {
        const bool report = t["layer"] == "Layout Report";
        EXPECT_EQ(t["y"].get<double>() < 0, report) << t.dump();
    }
}

TEST_F(DxfExport, PartGeometryAndReportRows) {
    settings.dxfDimensions = true;
    const AppliedResult result =
        ResultOf({LayoutSheet("S", 2440, 1220, 1, 0,
                              {Rect("P", 1, 10, 10, 600, 400), Rect("Q", 2, 700, 10, 10, 10),
                               Rect("", 3, 800, 10, 10, 10)})});
    const CellTable parts =
        PartTable({{"P", "600", "400", "1", "Yes"}, {"Q", "10", "10", "1", ""}});
    const std::string dxf =
        JoinCrLf(BuildDxfBlocks({Entered(result, parts), settings}, 0, "STAMP"));
    EXPECT_NE(dxf.find("$LIMMAX\n10\n2440.000\n20\n1320.000\n"), std::string::npos);
    EXPECT_NE(dxf.find("8\nsheet\n10\n0\n20\n1220.000\n"), std::string::npos);
    EXPECT_NE(dxf.find("8\nparts label\n10\n310.000\n20\n210.000\n30\n0.000\n40\n10.000\n1\nP\n"),
              std::string::npos);
    EXPECT_NE(dxf.find("8\nparts height\n10\n310.000\n20\n12.000\n30\n0.000\n40\n10.000\n1\n600\n"),
              std::string::npos);
    EXPECT_NE(dxf.find("8\nparts width\n10\n12.000\n20\n210.000\n30\n0.000\n40\n10.000\n1\n400\n"),
              std::string::npos);
    EXPECT_NE(dxf.find("8\nparts\n10\n10.000\n20\n410.000\n"), std::string::npos);
    EXPECT_NE(dxf.find("8\nparts\n10\n610.000\n20\n10.000\n"), std::string::npos);
    // Two non-empty rows: the last stands at -95 - 15 * 2; Q is not rotatable.
    EXPECT_NE(dxf.find("10\n480.000\n20\n-110.000\n30\n0.000\n40\n10.000\n1\nR\n"),
              std::string::npos);
    EXPECT_NE(dxf.find("10\n480.000\n20\n-125.000\n30\n0.000\n40\n10.000\n1\nN\n"),
              std::string::npos);
    EXPECT_EQ(dxf.find("-140.000"), std::string::npos);
    EXPECT_EQ(dxf.find("\n62\n11"), std::string::npos);  // offcuts not asked for
    // Every block ends with CR LF and holds no other CR.
    EXPECT_EQ(
        std::count(dxf.begin(), dxf.end(), '\r'),
        static_cast<long>(BuildDxfBlocks({Entered(result, parts), settings}, 0, "STAMP").size()));
}

TEST_F(DxfExport, ChineseAndControlCharactersSurviveTheReaders) {
    const AppliedResult result = ResultOf({LayoutSheet(
        "桦木", 1000, 600, 1, 0,
        {Rect("门板", 1, 0, 0, 400, 300), Rect("Bad\r\n0\nEOF\tlabel", 2, 500, 0, 100, 100)})});
    const CellTable parts = PartTable({{"门板", "400", "300", "1", "Yes"}});
    const json dxf = ReadWithEzdxf(Export(result, parts));
    EXPECT_EQ(dxf["errors"], 0);
    EXPECT_EQ(dxf["fixes"], 0);
    EXPECT_EQ(dxf["version"], "AC1021");  // the version whose files are UTF-8
    std::vector<std::string> labels;
    for (const json& t : dxf["texts"])
        if (t["layer"] == "parts label") labels.push_back(t["text"]);
    EXPECT_EQ(labels, (std::vector<std::string>{"门板", "Bad  0 EOF label"}));
    bool sheetLine = false;
    for (const json& t : dxf["texts"])
        sheetLine |= t["text"].get<std::string>().find("Label: 桦木") != std::string::npos;
    EXPECT_TRUE(sheetLine);
    EXPECT_EQ(dxf["layers"]["parts"], 2);
}

TEST_F(DxfExport, LibreCadRendersTheDrawing) {
    if (!std::filesystem::exists("/usr/bin/librecad")) GTEST_SKIP() << "librecad not installed";
    const std::string path = Export(SmallResult(), SmallPartTable());
    const std::string dir = std::filesystem::path(path).parent_path();
    RunCommand("cd '" + dir +
               "' && QT_QPA_PLATFORM=offscreen timeout 120 librecad dxf2pdf -a -t '" + dir +
               "' layout.dxf >/dev/null 2>&1");
    ASSERT_TRUE(std::filesystem::exists(dir + "/layout.pdf"));
    EXPECT_GT(std::filesystem::file_size(dir + "/layout.pdf"), 1000u);
}

TEST_F(DxfExport, MissingLayoutWritesNothing) {
    const AppliedResult result = SmallResult();
    const CellTable parts = SmallPartTable();
    const std::string dir = NewScratchFolder("export");
    EXPECT_TRUE(BuildDxfBlocks({Entered(result, parts), settings}, 1, "STAMP").empty());
    EXPECT_FALSE(ExportDxf({Entered(result, parts), settings}, 1, dir + "/x.dxf").ok);
    EXPECT_TRUE(std::filesystem::is_empty(dir));
}

// The sizes are written with the job's decimals, trailing zeros dropped, not
// rounded to whole units.
TEST_F(DxfExport, SizesKeepTheJobsDecimals) {
    settings.dxfDimensions = true;
    AppliedResult result = ResultOf(
        {LayoutSheet("S", 2440, 1220, 1, 0,
                     {Rect("P", 1, 0, 0, 1396.5, 596.5), Rect("Q", 2, 1400, 0, 23.5, 11.875)})});
    const auto sizes = [&](int decimals) {
        result.settings.decimals = decimals;
        std::vector<std::string> out;
        for (const std::string& block : BuildDxfBlocks({result, settings}, 0, "S"))
            if (block.find("8\nparts height\n") != std::string::npos ||
                block.find("8\nparts width\n") != std::string::npos) {
                const size_t text = block.find("\n1\n") + 3;
                out.push_back(block.substr(text, block.find('\n', text) - text));
            }
        return out;
    };
    EXPECT_EQ(sizes(2), (std::vector<std::string>{"1396.5", "596.5", "23.5", "11.88"}));
    EXPECT_EQ(sizes(3), (std::vector<std::string>{"1396.5", "596.5", "23.5", "11.875"}));
}
