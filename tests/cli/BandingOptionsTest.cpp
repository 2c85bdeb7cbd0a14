// The banding list on the command line: --banding, the project's own list beside
// it, --finished-sizes, and bad banding input as bad input.
#include "CliFixture.h"

using namespace tarvex;

namespace {

// A part 2 longer than the sheet fits only when its W edges' banding of 1 comes off.
class BandingCli : public Cli {
  protected:
    void SetUp() override {
        Cli::SetUp();
        WriteFile(Path("sheets.txt"), "Board\t1000\t500\t1\t10\tYes\r\n");
        WriteFile(Path("parts.txt"), "Front\t1002\t400\t1\tNo\t\t\t\tABS\tabs\r\n");
        WriteFile(Path("bands.txt"), "# thin edges\r\nABS\t1\t25\r\n");
    }
    std::vector<std::string> Job(std::vector<std::string> more) const {
        std::vector<std::string> args{
            "--sheets", Path("sheets.txt"), "--parts", Path("parts.txt"), "--seed",
            "1",        "--speed",          "1",       "--quiet"};
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }
};

TEST_F(BandingCli, FinishedSizesCutThePartSmallerByItsBanding) {
    const Outcome full = Run(Job({"--banding", Path("bands.txt")}));
    EXPECT_EQ(full.code, 3) << full.err;
    const Outcome finished =
        Run(Job({"--banding", Path("bands.txt"), "--finished-sizes", "--json", Path("r.json")}));
    ASSERT_EQ(finished.code, 0) << finished.err;
    const json banding = json::parse(ReadFile(Path("r.json")))["settings"]["banding"];
    EXPECT_EQ(banding["finishedSizes"], true);
    EXPECT_EQ(banding["bandings"],
              json::parse(R"([{"name": "ABS", "thickness": 1.0, "allowance": 25.0}])"));
}

TEST_F(BandingCli, AProjectReadsItsOwnBandingListUnlessAnotherIsGiven) {
    // A project of its list paths alone keeps every other setting as it is.
    WriteFile(Path("job.dat"), Path("sheets.txt") + "\r\n" + Path("parts.txt") + "\r\n");
    WriteFile(Path("job.banding.txt"), "finished sizes=yes\r\nABS\t1\r\n");
    const Outcome own = Run({Path("job.dat"), "--seed", "1", "--speed", "1", "--quiet"});
    EXPECT_EQ(own.code, 0) << own.err;
    WriteFile(Path("other.txt"), "finished sizes=no\r\nABS\t1\r\n");
    const Outcome other = Run({Path("job.dat"), "--banding", Path("other.txt"), "--seed", "1",
                               "--speed", "1", "--quiet"});
    EXPECT_EQ(other.code, 3) << other.err;
    // The list the run read is not an output it may replace.
    const Outcome clash = Run({Path("job.dat"), "--left", Path("job.banding.txt")});
    EXPECT_EQ(clash.code, 1);
    EXPECT_EQ(ReadFile(Path("job.banding.txt")), "finished sizes=yes\r\nABS\t1\r\n");
}

TEST_F(BandingCli, BadBandingInputIsBadInputNamingWhere) {
    WriteFile(Path("bad.txt"), "ABS\t1\r\nOak\t-2\r\n");
    const Outcome bad = Run(Job({"--banding", Path("bad.txt")}));
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(bad.err, "Reading of \"" + Path("bad.txt") +
                           "\" stopped at line 2: the thickness must not be negative\n");
    const Outcome missing = Run(Job({}));
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.err,
              "Parts, row 1, column \"W1\": the banding list has no banding \"ABS\".\n");
    const Outcome withPlan = Run({"--plan", Path("r.json"), "--banding", Path("bands.txt")});
    EXPECT_EQ(withPlan.code, 1);
}

}  // namespace
