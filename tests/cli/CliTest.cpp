// Runs the real tarvex-cli on the example projects and on broken inputs.
#include <filesystem>
#include <map>

#include "CliFixture.h"

using namespace tarvex;

namespace {

TEST_F(Cli, KitchenExamplePlacesEveryPartAndWritesItsResult) {
    const Outcome o = Run({kKitchen, "--seed", "7", "--json", Path("result.json"), "--report",
                           Path("report.txt"), "--left", Path("left.txt")});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_NE(o.out.find("Every part is placed.\n"), std::string::npos);

    const json r = json::parse(ReadFile(Path("result.json")));
    EXPECT_EQ(r["seed"], 7);
    EXPECT_TRUE(r["allPlaced"]);
    EXPECT_GE(r["generations"].get<int>(), 1);
    EXPECT_LE(r["generations"].get<int>(), 44);
    EXPECT_EQ(r["passes"], 1);

    // Every part of the lists is placed inside the margins (5) of a used sheet, at
    // its entered size, and the figures agree with the placements.
    std::map<std::string, int> placed;
    double partArea = 0, usedArea = 0;
    int layouts = 0;
    // Layout numbers as the window shows them: each layout's sheets, merged ones
    // included, number as many as the layout's count.
    std::map<int, int> sheetsOfLayout, countOfLayout;
    for (const json& s : r["sheets"]) {
        const double length = s["length"], width = s["width"];
        EXPECT_TRUE(length == 2440 || length == 2500) << length;
        EXPECT_EQ(s["used"].get<bool>(), !s["parts"].empty());
        if (!s["used"]) {
            EXPECT_EQ(s["layout"], 0);
            continue;
        }
        ++sheetsOfLayout[s["layout"].get<int>()];
        usedArea += length * width;
        if (s["distinct"]) {
            ++layouts;
            EXPECT_EQ(s["layout"], s["layoutIndex"].get<int>() + 1);
            countOfLayout[s["layout"].get<int>()] = s["count"];
        }
        for (const json& p : s["parts"]) {
            ++placed[p["label"]];
            const double x = p["x"], y = p["y"], l = p["length"], w = p["width"];
            partArea += l * w;
            EXPECT_GE(x, 5 - 1e-9);
            EXPECT_GE(y, 5 - 1e-9);
            EXPECT_LE(x + l, length - 5 + 1e-9);
            EXPECT_LE(y + w, width - 5 + 1e-9);
        }
    }
    EXPECT_EQ(placed["Base side"], 10);
    EXPECT_EQ(placed["Tall door"], 1);
    EXPECT_EQ(placed.size(), 21u);
    EXPECT_DOUBLE_EQ(r["placedPartArea"].get<double>(), partArea);
    EXPECT_NEAR(r["ratioParts"].get<double>(), partArea / usedArea, 1e-6);
    EXPECT_GE(r["ratioWithOffcuts"].get<double>(), r["ratioParts"].get<double>());
    EXPECT_GE(layouts, 1);
    EXPECT_EQ(sheetsOfLayout, countOfLayout);
    EXPECT_EQ(sheetsOfLayout.begin()->first, 1);
    EXPECT_EQ(sheetsOfLayout.rbegin()->first, layouts);

    const std::string report = ReadFile(Path("report.txt"));
    EXPECT_EQ(report.rfind("Guillotine:                Yes\r\n", 0), 0u) << report;
    EXPECT_NE(report.find("Blade Width:               4.00\r\n"), std::string::npos);
    // The ratio lines on the terminal are those of the report.
    const size_t ratio = o.out.find("Overall Ratio:");
    ASSERT_NE(ratio, std::string::npos);
    std::string ratioLine = o.out.substr(ratio, o.out.find('\n', ratio) - ratio);
    EXPECT_NE(report.find(ratioLine + "\r\n"), std::string::npos) << ratioLine;

    // The stock left: the quantities of the lists (10 + 6) less the sheets used.
    int leftSheets = 0;
    for (const std::string& line : Lines(ReadFile(Path("left.txt"))))
        leftSheets += std::stoi(Fields(line).at(3));
    int usedSheets = 0;
    for (const json& s : r["sheets"]) usedSheets += s["used"].get<bool>() ? 1 : 0;
    EXPECT_EQ(leftSheets, 16 - usedSheets);
}

TEST_F(Cli, TheSameSeedGivesTheSameResultWhateverTheThreads) {
    const std::string shelving = kExamples + "/shelving/shelving.dat";
    ASSERT_EQ(
        Run({shelving, "--cost", "--seed", "11", "--threads", "1", "--json", Path("one.json")})
            .code,
        0);
    ASSERT_EQ(
        Run({shelving, "--cost", "--seed", "11", "--threads", "2", "--json", Path("two.json")})
            .code,
        0);
    const std::string one = ReadFile(Path("one.json"));
    EXPECT_FALSE(one.empty());
    EXPECT_EQ(one, ReadFile(Path("two.json")));
    ASSERT_EQ(Run({shelving, "--seed", "12", "--json", Path("other.json")}).code, 0);
    EXPECT_NE(one, ReadFile(Path("other.json")));
}

TEST_F(Cli, JsonOnStdoutLeavesTheMessagesToStderr) {
    const Outcome o = Run({kKitchen, "--seed", "3", "--speed", "1", "--json", "-"});
    ASSERT_EQ(o.code, 0) << o.err;
    const json r = json::parse(o.out);
    EXPECT_EQ(r["seed"], 3);
    EXPECT_NE(o.err.find("Every part is placed."), std::string::npos);
}

TEST_F(Cli, OptionsOverrideTheProject) {
    const Outcome o =
        Run({kKitchen, "--seed", "1", "--speed", "1", "--free", "--blade", "3.2", "--margins",
             "10,11,12,13", "--unit", "in", "--report", Path("r.txt"), "--json", Path("r.json")});
    ASSERT_EQ(o.code, 0) << o.err;
    const std::string report = ReadFile(Path("r.txt"));
    for (const char* line :
         {"Guillotine:                No\r\n", "Length Unit:               in\r\n",
          "Blade Width:               3.20\r\n", "Top Margin:                10.00\r\n",
          "Right Margin:              13.00\r\n"})
        EXPECT_NE(report.find(line), std::string::npos) << line;
    // A named result: the sheets of a temporary would not outlive the loop's start.
    const json r = json::parse(ReadFile(Path("r.json")));
    int parts = 0;
    for (const json& s : r["sheets"])
        for (const json& p : s["parts"]) {
            EXPECT_GE(p["x"].get<double>(), 12 - 1e-9);
            EXPECT_GE(p["y"].get<double>(), 11 - 1e-9);
            ++parts;
        }
    EXPECT_GT(parts, 0);
}

TEST_F(Cli, RefusedJobsBadInputAndMissingPartsHaveTheirExitCodes) {
    WriteFile(Path("sheets.txt"), "Board\t1000\t1000\t2\t10\tYes\r\n");
    WriteFile(Path("huge.txt"), "Slab\t1500\t1500\t1\tYes\r\n");
    Outcome o = Run({"--sheets", Path("sheets.txt"), "--parts", Path("huge.txt")});
    EXPECT_EQ(o.code, 2);
    EXPECT_NE(o.err.find("The parts need more area than all the sheets together offer"),
              std::string::npos);

    WriteFile(Path("tall.txt"), "Strip\t1200\t100\t1\tNo\r\nSmall\t100\t100\t2\tYes\r\n");
    o = Run({"--sheets", Path("sheets.txt"), "--parts", Path("tall.txt"), "--json",
             Path("tall.json"), "--report", Path("tall-report.txt")});
    EXPECT_EQ(o.code, 3) << o.err;
    EXPECT_NE(o.out.find("some parts could not be placed"), std::string::npos);
    EXPECT_FALSE(json::parse(ReadFile(Path("tall.json")))["allPlaced"]);
    EXPECT_FALSE(ReadFile(Path("tall-report.txt")).empty());

    WriteFile(Path("bad.txt"), "Side\t720\t560\t2\tYes\r\nTop\t8OO\t560\t1\tYes\r\n");
    o = Run(
        {"--sheets", Path("sheets.txt"), "--parts", Path("bad.txt"), "--json", Path("no.json")});
    EXPECT_EQ(o.code, 1);
    EXPECT_NE(o.err.find(Path("bad.txt")), std::string::npos) << o.err;
    EXPECT_NE(o.err.find("line 2"), std::string::npos) << o.err;
    EXPECT_NE(o.err.find("8OO"), std::string::npos) << o.err;
    EXPECT_TRUE(ReadFile(Path("no.json")).empty()) << "nothing is written for bad input";

    WriteFile(Path("neg.txt"), "Side\t720\t560\t2\tYes\r\nTop\t800\t560\t-1\tYes\r\n");
    o = Run({"--sheets", Path("sheets.txt"), "--parts", Path("neg.txt")});
    EXPECT_EQ(o.code, 1);
    EXPECT_EQ(o.err, "Parts, row 2, column \"Quantity\": the quantity must not be negative.\n");

    o = Run({kKitchen, "--margins", "x,0,0,0"});
    EXPECT_EQ(o.code, 1);
    EXPECT_EQ(o.err, "Top Margin: \"x\" is not a number.\n");

    o = Run({Path("missing.dat")});
    EXPECT_EQ(o.code, 1);
    EXPECT_NE(o.err.find(Path("missing.dat")), std::string::npos) << o.err;

    o = Run({"--sheets", dir, "--parts", "/dev/zero"});  // once an abort and a hang
    EXPECT_EQ(o.code, 1);
    EXPECT_NE(o.err.find("it is a folder"), std::string::npos) << o.err;

    o = Run({kKitchen, "--speed", "13"});
    EXPECT_EQ(o.code, 1);
    o = Run({});
    EXPECT_EQ(o.code, 1);
    EXPECT_NE(o.err.find("--sheets"), std::string::npos);
}

TEST_F(Cli, OutputsThatCannotBeWrittenAreBadOutcomes) {
    const Outcome o = Run({kKitchen, "--speed", "1", "--report", Path("no/such/folder/r.txt")});
    EXPECT_EQ(o.code, 1);
    EXPECT_NE(o.err.find(Path("no/such/folder/r.txt")), std::string::npos) << o.err;

    // The JSON on a standard output that is full.
    const std::string command = "LANG=C.UTF-8 " + Quote(kProgram) + " " + Quote(kKitchen) +
                                " --speed 1 --quiet --json - >/dev/full 2>" + Quote(Path("err"));
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_NE(ReadFile(Path("err")).find("standard output"), std::string::npos);

    // A full device named as the file: written in place, and the node stays a device.
    const Outcome full = Run({kKitchen, "--speed", "1", "--quiet", "--json", "/dev/full"});
    EXPECT_EQ(full.code, 1);
    EXPECT_EQ(full.err, "Cannot write \"/dev/full\": the disk is full\n");
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

// No output may replace a file the job was read from, by its own name or another
// one (a link, "./", a layout number filled in): the run is refused before
// anything is written, and the inputs stay as they were.
TEST_F(Cli, AnOutputThatIsAnInputIsRefusedBeforeAnythingIsWritten) {
    for (const char* name : {"kitchen.dat", "parts.txt", "sheets.txt"})
        std::filesystem::copy_file(kExamples + "/kitchen/" + name, Path(name));
    std::filesystem::copy_file(Path("parts.txt"), Path("layout1.txt"));
    std::filesystem::create_symlink("parts.txt", Path("alias"));
    const std::string project = Path("kitchen.dat");
    const std::vector<std::string> lists = {"--sheets", Path("sheets.txt"), "--parts",
                                            Path("layout1.txt")};
    const struct {
        std::vector<std::string> job;
        std::string option, output, input;
    } cases[] = {
        {{project}, "--report", Path("parts.txt"), Path("parts.txt")},
        {{project}, "--json", dir + "/./kitchen.dat", project},
        {{project}, "--left", Path("alias"), Path("parts.txt")},
        {{project}, "--pdf", Path("sheets.txt"), Path("sheets.txt")},
        {lists, "--dxf", Path("layout{n}.txt"), Path("layout1.txt")},
    };
    std::map<std::string, std::string> before;
    for (const char* name : {"kitchen.dat", "parts.txt", "sheets.txt", "layout1.txt"})
        before[name] = ReadFile(Path(name));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.option + " " + c.output);
        std::vector<std::string> args = c.job;
        args.insert(args.end(), {"--speed", "1", "--quiet", "--offcuts", Path("offcuts{n}.txt"),
                                 c.option, c.output});
        const Outcome o = Run(args);
        EXPECT_EQ(o.code, 1);
        const std::string written = c.option == "--dxf" ? Path("layout1.txt") : c.output;
        EXPECT_NE(o.err.find("Cannot write \"" + written + "\": it is the input file"),
                  std::string::npos)
            << o.err;
        EXPECT_NE(o.err.find(std::filesystem::path(c.input).filename().string()), std::string::npos)
            << o.err;
        for (const auto& [name, bytes] : before) EXPECT_EQ(ReadFile(Path(name)), bytes) << name;
        EXPECT_FALSE(std::filesystem::exists(Path("offcuts1.txt")));
    }
    EXPECT_TRUE(std::filesystem::is_symlink(Path("alias")));
}

TEST_F(Cli, ChineseMessagesAndReport) {
    const Outcome o = Run(
        {kKitchen, "--seed", "5", "--speed", "1", "--lang", "zh_cn", "--report", Path("zh.txt")});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_NE(o.out.find("恭喜！所有零件排版完成！"), std::string::npos) << o.out;
    const std::string report = ReadFile(Path("zh.txt"));
    // The caption "总利用率：" is 10 columns wide: 16 blanks pad it to 26.
    EXPECT_NE(report.find("总利用率：" + std::string(16, ' ')), std::string::npos) << report;
}

}  // namespace

TEST_F(Cli, MergedSheetsCarryTheNumberOfTheirLayout) {
    WriteFile(Path("boards.txt"), "Board\t2440\t1220\t4\t0\tNo\r\n");
    WriteFile(Path("doors.txt"), "Door\t1200\t600\t8\tNo\r\n");
    ASSERT_EQ(Run({"--sheets", Path("boards.txt"), "--parts", Path("doors.txt"), "--seed", "1",
                   "--json", Path("doors.json")})
                  .code,
              0);
    const json r = json::parse(ReadFile(Path("doors.json")));
    std::vector<std::pair<int, bool>> used;
    for (const json& s : r["sheets"])
        if (s["used"]) used.emplace_back(s["layout"], s["distinct"]);
    EXPECT_EQ(used, (std::vector<std::pair<int, bool>>{{1, true}, {1, false}}));
}

TEST_F(Cli, CsvListsAreReadLikeTheWindowReadsThem) {
    WriteFile(Path("sheets.csv"), "Label;Length;Width;Quant;Cost\r\nBirch;2440;1220;4;80,5\r\n");
    WriteFile(Path("parts.csv"), "Base side,720,560,4,No\n\"Shelf, adjustable\",764,300.5,3,Yes\n");
    const Outcome o = Run({"--sheets", Path("sheets.csv"), "--parts", Path("parts.csv"), "--seed",
                           "3", "--json", Path("r.json"), "--quiet"});
    ASSERT_EQ(o.code, 0) << o.err;
    std::map<std::string, int> placed;
    const json result = json::parse(ReadFile(Path("r.json")));
    for (const json& s : result["sheets"])
        for (const json& p : s["parts"]) {
            ++placed[p["label"]];
            // A part that may not turn keeps its length along x.
            if (p["label"] == "Base side") {
                EXPECT_EQ(p["length"], 720);
            }
        }
    EXPECT_EQ(placed, (std::map<std::string, int>{{"Base side", 4}, {"Shelf, adjustable", 3}}));

    WriteFile(Path("bad.csv"), "Door,720,400,2,Yes\nBase side,72O,560,4,No\n");
    const Outcome bad = Run({"--sheets", Path("sheets.csv"), "--parts", Path("bad.csv")});
    EXPECT_EQ(bad.code, 1);
    EXPECT_NE(bad.err.find("bad.csv"), std::string::npos) << bad.err;
    EXPECT_NE(bad.err.find("72O"), std::string::npos) << bad.err;
}

TEST_F(Cli, AStoredPlanIsWrittenOutWithoutCalculating) {
    const Outcome first = Run({kKitchen, "--seed", "7", "--json", Path("kitchen.plan.json"),
                               "--report", Path("first.txt"), "--quiet"});
    ASSERT_EQ(first.code, 0) << first.err;
    const Outcome again = Run({"--plan", Path("kitchen.plan.json"), "--report", Path("again.txt"),
                               "--json", Path("again.json"), "--dxf", Path("layout{n}.dxf")});
    ASSERT_EQ(again.code, 0) << again.err;
    EXPECT_EQ(ReadFile(Path("again.txt")), ReadFile(Path("first.txt")));
    EXPECT_EQ(ReadFile(Path("again.json")), ReadFile(Path("kitchen.plan.json")));
    const json plan = json::parse(ReadFile(Path("kitchen.plan.json")));
    int layouts = 0;
    for (const json& s : plan["sheets"]) layouts += s["used"] && s["distinct"] ? 1 : 0;
    ASSERT_GE(layouts, 1);
    EXPECT_FALSE(ReadFile(Path("layout" + std::to_string(layouts) + ".dxf")).empty());

    // A stored plan is not calculated again: options that would shape a calculation are refused.
    EXPECT_EQ(Run({"--plan", Path("kitchen.plan.json"), "--seed", "3"}).code, 1);
    std::string damaged = ReadFile(Path("kitchen.plan.json"));
    damaged.resize(damaged.size() / 2);
    WriteFile(Path("damaged.plan.json"), damaged);
    const Outcome bad = Run({"--plan", Path("damaged.plan.json"), "--report", Path("bad.txt")});
    EXPECT_EQ(bad.code, 1);
    EXPECT_NE(bad.err.find("damaged.plan.json"), std::string::npos) << bad.err;
    EXPECT_TRUE(ReadFile(Path("bad.txt")).empty());
}

// A message says which part, file or cell is at fault, also under --quiet.
TEST_F(Cli, MessagesNameThePartTheFileAndTheCellAtFault) {
    WriteFile(Path("sheets.txt"), "Board\t2800\t2070\t4\t10\tNo\r\n");
    WriteFile(
        Path("parts.txt"),
        "Side\t720\t560\t2\tYes\r\nWorktop\t3200\t600\t1\tYes\r\nFixed\t600\t2500\t1\tNo\r\n");
    for (const bool quiet : {false, true}) {
        SCOPED_TRACE(quiet);
        std::vector<std::string> args = {"--sheets",        Path("sheets.txt"), "--parts",
                                         Path("parts.txt"), "--speed",          "1"};
        if (quiet) args.push_back("--quiet");
        const Outcome o = Run(args);
        EXPECT_EQ(o.code, 3) << o.err;
        const std::string said = o.out + o.err;
        EXPECT_NE(said.find("Parts, row 2: \"Worktop\" of 3200 x 600 fits on no sheet."),
                  std::string::npos)
            << said;
        EXPECT_NE(said.find("Parts, row 3: \"Fixed\" of 600 x 2500 fits on no sheet."),
                  std::string::npos)
            << said;
        EXPECT_EQ(said.find("\"Side\""), std::string::npos) << said;
        if (quiet) {
            EXPECT_EQ(o.out, "");
            EXPECT_NE(o.err.find("Worktop"), std::string::npos);
        }
    }

    WriteFile(Path("empty.txt"), "");
    Outcome o = Run({"--sheets", Path("sheets.txt"), "--parts", Path("empty.txt")});
    EXPECT_EQ(o.code, 1);
    EXPECT_EQ(o.err, Path("empty.txt") + ": the list holds no parts.\n");
    o = Run({"--sheets", Path("empty.txt"), "--parts", Path("parts.txt")});
    EXPECT_EQ(o.code, 1);
    EXPECT_EQ(o.err, Path("empty.txt") + ": the list holds no sheets.\n");

    // A negative quantity in a CSV list is named as it stands, in its own cell.
    WriteFile(Path("parts.csv"), "Side,720,560,2,No\nShelf,560,500,-3,Yes\n");
    o = Run({"--sheets", Path("sheets.txt"), "--parts", Path("parts.csv")});
    EXPECT_EQ(o.code, 1);
    EXPECT_NE(o.err.find("line 2"), std::string::npos) << o.err;
    EXPECT_NE(o.err.find("the quantity \"-3\" must not be negative"), std::string::npos) << o.err;
}

// Stage limits hold guillotine plans only, and only the best search keeps to them:
// a limit in guillotine mode runs it and says so. Two half sheets can lie only in
// ways that two stages cut, so the plan passes whatever the search finds.
TEST_F(Cli, StageLimitsSelectTheBestSearchAndTravelWithThePlan) {
    WriteFile(Path("sheets.txt"), "Board\t1000\t1000\t3\t10\tNo\r\n");
    WriteFile(Path("parts.txt"), "Half\t1000\t500\t2\tYes\r\n");
    const std::vector<std::string> job = {
        "--sheets", Path("sheets.txt"), "--parts", Path("parts.txt"), "--seed",
        "3",        "--iterations",     "20"};
    std::vector<std::string> args = job;
    args.insert(args.end(), {"--guillotine", "--stages", "2", "--first-cut", "width", "--json",
                             Path("r.json"), "--report", Path("r.txt")});
    Outcome o = Run(args);
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_NE(o.out.find("The classic search cannot keep to the stage limits: the best search "
                         "made this plan."),
              std::string::npos)
        << o.out;
    json r = json::parse(ReadFile(Path("r.json")));
    EXPECT_EQ(r["settings"]["search"], "best");
    EXPECT_EQ(r["settings"]["cut"]["stages"], 2);
    EXPECT_EQ(r["settings"]["cut"]["firstCut"], "width");
    EXPECT_EQ(r["lowerBound"], 1);
    EXPECT_EQ(r["lowerBoundMeasure"], "sheets");
    EXPECT_EQ(r["gapToBound"], 0);
    EXPECT_NE(ReadFile(Path("r.txt")).find("Lower bound:              sheets 1, gap 0.00%\r\n"),
              std::string::npos);
    // The stored plan keeps its limits when it is written out again.
    o = Run({"--plan", Path("r.json"), "--json", Path("again.json")});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(json::parse(ReadFile(Path("again.json")))["settings"], r["settings"]);

    // Free placement has no stages: the classic search stays.
    args = job;
    args.insert(args.end(), {"--free", "--stages", "3", "--json", Path("free.json")});
    o = Run(args);
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(o.out.find("best search made"), std::string::npos) << o.out;
    EXPECT_EQ(json::parse(ReadFile(Path("free.json")))["settings"]["search"], "classic");

    for (const auto& [option, value] :
         {std::pair{"--stages", "4"}, {"--stages", "1"}, {"--first-cut", "diagonal"}}) {
        args = job;
        args.insert(args.end(), {option, value});
        o = Run(args);
        EXPECT_EQ(o.code, 1) << option << " " << value;
        EXPECT_NE(o.err.find(option), std::string::npos) << o.err;
    }
}
