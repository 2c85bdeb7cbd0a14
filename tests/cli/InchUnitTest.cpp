// The command line in inches: lists, blade and margins in fractions plan as the
// same job in decimals does, the outputs say the unit, and a fraction setting or
// a fraction that cannot be read is bad input.
#include "CliFixture.h"

using namespace tarvex;

namespace {

const std::string kCabinets = kExamples + "/cabinets-inches/cabinets-inches.dat";

}  // namespace

TEST_F(Cli, ListsAndSettingsInFractionsPlanAsTheSameJobInDecimals) {
    WriteFile(Path("sheets.txt"), "Board\t96\t48\t4\t60\tYes\r\n");
    WriteFile(Path("parts.txt"),
              "Side\t34 1/2\t23-1/4\"\t6\tNo\r\nShelf\t33 15/16\t11 7/8\t5\tYes\r\n"
              "Rail\t34 1/2\t3 1/2\t6\tYes\r\n");
    WriteFile(Path("sheets.csv"), "Board,96,48,4,60,Yes\r\n");
    WriteFile(Path("parts.csv"),
              "Side,34.5,23.25,6,No\r\nShelf,33.9375,11.875,5,Yes\r\nRail,34.5,3.5,6,Yes\r\n");
    const Outcome fractions = Run({"--sheets",
                                   Path("sheets.txt"),
                                   "--parts",
                                   Path("parts.txt"),
                                   "--seed",
                                   "3",
                                   "--speed",
                                   "2",
                                   "--guillotine",
                                   "--unit",
                                   "in",
                                   "--fractions",
                                   "16",
                                   "--blade",
                                   "1/8",
                                   "--margins",
                                   "1/4,1/4,0,1/2",
                                   "--json",
                                   Path("fractions.json"),
                                   "--report",
                                   Path("report.txt")});
    ASSERT_EQ(fractions.code, 0) << fractions.err;
    const Outcome decimals =
        Run({"--sheets", Path("sheets.csv"), "--parts", Path("parts.csv"), "--seed", "3", "--speed",
             "2", "--guillotine", "--unit", "in", "--blade", "0.125", "--margins",
             "0.25,0.25,0,0.5", "--json", Path("decimals.json")});
    ASSERT_EQ(decimals.code, 0) << decimals.err;
    const json a = json::parse(ReadFile(Path("fractions.json")));
    const json b = json::parse(ReadFile(Path("decimals.json")));
    EXPECT_EQ(a["unit"], "in");
    EXPECT_EQ(a["fractions"], 16);
    EXPECT_EQ(b["fractions"], 0);
    EXPECT_EQ(a["sheets"], b["sheets"]);
    EXPECT_EQ(a["bladeWidth"], 0.125);
    const std::string report = ReadFile(Path("report.txt"));
    EXPECT_NE(report.find("Length Unit:               in 1/16\r\n"), std::string::npos);
    EXPECT_NE(report.find("Right Margin:              1/2\r\n"), std::string::npos);
}

TEST_F(Cli, TheInchExampleShowsFractionsToTheDenominatorAsked) {
    const Outcome o = Run({kCabinets, "--seed", "5", "--speed", "1", "--fractions", "32", "--json",
                           Path("r.json"), "--offcuts", Path("offcuts{n}.txt")});
    ASSERT_EQ(o.code, 0) << o.err;
    const json r = json::parse(ReadFile(Path("r.json")));
    EXPECT_EQ(r["unit"], "in");
    EXPECT_EQ(r["fractions"], 32);
    EXPECT_EQ(r["sheets"][0]["length"], 96);
}

TEST_F(Cli, FractionsOutsideInchesAndMalformedFractionsAreBadInput) {
    Outcome o = Run({kKitchen, "--seed", "1", "--fractions", "16"});
    EXPECT_EQ(o.code, 1);
    EXPECT_NE(o.err.find("--fractions needs a unit of inches, not \"mm\"."), std::string::npos)
        << o.err;
    o = Run({kCabinets, "--seed", "1", "--fractions", "8"});
    EXPECT_EQ(o.code, 1);
    o = Run({kCabinets, "--seed", "1", "--blade", "1//8"});
    EXPECT_EQ(o.code, 1);
    EXPECT_NE(o.err.find("Blade Width: \"1//8\" is not a number."), std::string::npos) << o.err;
    WriteFile(Path("parts.txt"), "Side\t34 1/2\t23 1/4\t2\tNo\r\nTop\t23 1/0\t10\t1\tYes\r\n");
    o = Run({kCabinets, "--seed", "1", "--parts", Path("parts.txt")});
    EXPECT_EQ(o.code, 1);
    EXPECT_NE(o.err.find("line 2"), std::string::npos) << o.err;
    EXPECT_NE(o.err.find("\"23 1/0\""), std::string::npos) << o.err;
}
