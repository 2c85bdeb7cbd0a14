// Jobs in inches: sizes typed as fractions in the tables, the settings and the list
// files are the numbers the same sizes typed as decimals are, so that the plans
// agree placement for placement; a malformed fraction is named where it stands.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "io/EntryTables.h"
#include "io/ListFiles.h"
#include "io/OutcomeText.h"
#include "io/TableCalculation.h"
#include "io/TableInput.h"
#include "job/Calculation.h"
#include "job/PlanCheck.h"
#include "support/JobTables.h"
#include "support/ScratchFolder.h"
#include "text/FileMessages.h"
#include "text/LengthText.h"
#include "text/NumberText.h"

using namespace tarvex;

namespace {

// A size in whole thirty-seconds of an inch, as one of the tables holds it.
struct Size {
    long long steps = 0;
    double Value() const { return static_cast<double>(steps) / 32.0; }
};

// The ways a shop types a fraction: "23 1/4", "23-1/4", "23 1/4\"".
std::string AsFraction(const Size& size, std::mt19937_64& rng) {
    std::string text = FormatFraction(size.Value(), 32);
    const size_t blank = text.find(' ');
    const int style = static_cast<int>(rng() % 3);
    if (style == 1 && blank != std::string::npos) text[blank] = '-';
    if (style == 2) text += '"';
    return text;
}

Size Between(std::mt19937_64& rng, long long lo, long long hi) {
    return {lo + static_cast<long long>(rng() % static_cast<unsigned long long>(hi - lo + 1))};
}

// One job typed twice: in fractions under "in 1/32" and in decimals under "in".
struct TwiceTyped {
    SettingsForm fractionForm, decimalForm;
    CellTable fractionSheets, decimalSheets, fractionParts, decimalParts;
};

TwiceTyped DrawJob(std::mt19937_64& rng) {
    TwiceTyped job;
    std::vector<std::vector<std::string>> fs, ds, fp, dp;
    const auto both = [&rng](const Size& s, std::string& fraction, std::string& decimal) {
        fraction = AsFraction(s, rng);
        decimal = FormatGeneral(s.Value());
    };
    const int sheetRows = 1 + static_cast<int>(rng() % 2);
    for (int r = 0; r < sheetRows; ++r) {
        std::string fl, dl, fw, dw;
        both(Between(rng, 48 * 32, 96 * 32), fl, dl);
        both(Between(rng, 24 * 32, 48 * 32), fw, dw);
        const std::string quantity = std::to_string(1 + rng() % 4);
        fs.push_back({"Board", fl, fw, quantity, "40", "No"});
        ds.push_back({"Board", dl, dw, quantity, "40", "No"});
    }
    const int partRows = 2 + static_cast<int>(rng() % 9);
    for (int r = 0; r < partRows; ++r) {
        std::string fl, dl, fw, dw;
        both(Between(rng, 32, 40 * 32), fl, dl);
        both(Between(rng, 16, 22 * 32), fw, dw);
        const std::string label = "P" + std::to_string(r), quantity = std::to_string(1 + rng() % 3);
        const std::string turns = rng() % 2 ? "Yes" : "No";
        fp.push_back({label, fl, fw, quantity, turns});
        dp.push_back({label, dl, dw, quantity, turns});
    }
    job.fractionSheets = SheetTable(fs);
    job.decimalSheets = SheetTable(ds);
    job.fractionParts = PartTable(fp);
    job.decimalParts = PartTable(dp);
    const bool guillotine = rng() % 2;
    for (SettingsForm* form : {&job.fractionForm, &job.decimalForm}) {
        form->speed = 1;
        form->guillotine = guillotine;
    }
    job.fractionForm.unit = "in 1/32";
    job.decimalForm.unit = "in";
    std::string* fields[][2] = {
        {&job.fractionForm.bladeWidth, &job.decimalForm.bladeWidth},
        {&job.fractionForm.marginTop, &job.decimalForm.marginTop},
        {&job.fractionForm.marginLeft, &job.decimalForm.marginLeft},
        {&job.fractionForm.minOffcutLength, &job.decimalForm.minOffcutLength},
        {&job.fractionForm.minOffcutWidth, &job.decimalForm.minOffcutWidth}};
    for (auto& field : fields) both(Between(rng, 0, 16), *field[0], *field[1]);
    return job;
}

struct TypedRun {
    CalcOutcome outcome;
    std::shared_ptr<const AppliedResult> result;
};

TypedRun Calculate(const SettingsForm& form, CellTable sheets, CellTable parts,
                   std::uint32_t seed) {
    Calculation calc{[](const AppliedResult& r) { return CheckPlan(r); }};
    if (auto ended = PrepareFromTables(calc, form, sheets, parts)) return {*ended, nullptr};
    GaOptions options;
    options.seed = seed;
    options.threads = 1;
    calc.Optimize(options);
    const CalcOutcome outcome = FinishIntoTables(calc, sheets);
    return {outcome, calc.AppliedShared()};
}

void ExpectSamePlacements(const AppliedResult& a, const AppliedResult& b) {
    ASSERT_EQ(a.sheets.size(), b.sheets.size());
    for (size_t s = 0; s < a.sheets.size(); ++s) {
        const PlannedSheet &x = a.sheets[s], &y = b.sheets[s];
        ASSERT_EQ(x.length, y.length);
        ASSERT_EQ(x.width, y.width);
        ASSERT_EQ(x.layoutIndex, y.layoutIndex);
        ASSERT_EQ(x.count, y.count);
        ASSERT_EQ(x.parts.size(), y.parts.size()) << "sheet " << s;
        for (size_t p = 0; p < x.parts.size(); ++p) {
            const Placement &u = x.parts[p], &v = y.parts[p];
            ASSERT_EQ(u.partId, v.partId);
            ASSERT_EQ(u.rotated, v.rotated);
            ASSERT_EQ(u.x, v.x);
            ASSERT_EQ(u.y, v.y);
            ASSERT_EQ(u.length, v.length);
            ASSERT_EQ(u.width, v.width);
        }
        ASSERT_EQ(x.offcuts.size(), y.offcuts.size());
    }
}

std::string WriteFile(const std::string& folder, const std::string& name, const std::string& text) {
    const std::string path = folder + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

}  // namespace

TEST(InchEntry, APlanEnteredInFractionsEqualsTheSameJobEnteredInDecimals) {
    std::mt19937_64 rng(32);
    int placed = 0;
    for (std::uint32_t job = 0; job < 400; ++job) {
        const TwiceTyped typed = DrawJob(rng);
        const TypedRun inFractions =
            Calculate(typed.fractionForm, typed.fractionSheets, typed.fractionParts, job);
        const TypedRun inDecimals =
            Calculate(typed.decimalForm, typed.decimalSheets, typed.decimalParts, job);
        ASSERT_EQ(inFractions.outcome.status, inDecimals.outcome.status) << "job " << job;
        ASSERT_EQ(inFractions.result == nullptr, inDecimals.result == nullptr);
        if (!inFractions.result) continue;
        ASSERT_EQ(inFractions.result->settings.cut, inDecimals.result->settings.cut);
        ExpectSamePlacements(*inFractions.result, *inDecimals.result);
        placed += inFractions.result->allPlaced;
    }
    // The jobs are not all refused or left unplaced, which would compare nothing.
    EXPECT_GT(placed, 280) << placed;
}

TEST(InchEntry, MalformedFractionsAreRefusedWithTheirRowAndColumn) {
    SettingsForm form;
    form.unit = "in 1/16";
    form.speed = 1;
    for (const char* bad : {"23 1/0", "1//4"}) {
        CellTable sheets = SheetTable({{"Board", "96", "48", "2", "40", "No"}});
        CellTable parts =
            PartTable({{"Side", "23 1/4", "11 7/8", "2", "Yes"}, {"Top", "23", bad, "1", "Yes"}});
        Calculation calc;
        const auto refused = PrepareFromTables(calc, form, sheets, parts);
        ASSERT_TRUE(refused) << bad;
        EXPECT_EQ(OutcomeText(*refused),
                  "Parts, row 2, column \"Width\": \"" + std::string(bad) + "\" is not a number.");
    }
    // The same sizes in millimetres are no numbers at all, as before.
    form.unit = "mm";
    CellTable sheets = SheetTable({{"Board", "96", "48", "2", "40", "No"}});
    CellTable parts = PartTable({{"Side", "23 1/4", "11", "2", "Yes"}});
    Calculation calc;
    const auto refused = PrepareFromTables(calc, form, sheets, parts);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->status, CalcOutcome::Status::PartsIncorrect);
}

TEST(InchEntry, ListFilesInFractionsReadAsTheirDecimalsAndStopAtAMalformedOne) {
    const std::string folder = NewScratchFolder("inch-lists");
    const LengthFormat inches = LengthFormatOf("in 1/16");
    const std::string lines = "Side\t23 1/4\t11-7/8\"\t2\tYes\nShelf\t22 3/4\"\t1/2\t1\tNo\n";
    const std::vector<std::string> paths = {
        WriteFile(folder, "parts.txt", lines),
        WriteFile(folder, "parts.csv", "Side,23 1/4,\"11-7/8\"\"\",2,Yes\nShelf,22 3/4,1/2,1,No\n"),
        WriteFile(folder, "parts.prt",
                  "[PART1]\nLABEL=Side\nLENGTH=23 1/4\nWIDTH=11-7/8\nQTY=2\nROTATE=Y\n"
                  "[PART2]\nLABEL=Shelf\nLENGTH=22 3/4\nWIDTH=1/2\nQTY=1\nROTATE=N\n")};
    for (const std::string& path : paths) {
        CellTable parts = NewPartTable();
        const ListResult read = LoadPartList(path, parts, false, inches);
        ASSERT_TRUE(read.ok && read.message.empty()) << path << ": " << read.message;
        ASSERT_EQ(read.rows, 2) << path;
        JobRows rows;
        rows.settings.unit = "in 1/16";
        InputFault fault;
        ASSERT_TRUE(
            ReadTableRows(SheetTable({{"Board", "96", "48", "1", "0", "No"}}), parts, rows, fault))
            << path;
        ASSERT_EQ(rows.parts.size(), 2u);
        EXPECT_EQ(rows.parts[0].length, 23.25) << path;
        EXPECT_EQ(rows.parts[0].width, 11.875) << path;
        EXPECT_EQ(rows.parts[1].length, 22.75) << path;
        EXPECT_EQ(rows.parts[1].width, 0.5) << path;
        // The totals of the table cover the sizes read.
        EXPECT_EQ(parts.Cell(0, 2), FormatGrouped1(2 * 23.25 * 11.875 + 22.75 * 0.5)) << path;
    }
    CellTable parts = NewPartTable();
    const std::string path = WriteFile(folder, "bad.txt", lines + "Top\t23 1/0\t10\t1\tYes\n");
    const ListResult read = LoadPartList(path, parts, false, inches);
    EXPECT_EQ(read.rows, 2);
    EXPECT_EQ(read.stopLine, 3);
    EXPECT_EQ(read.message, StoppedAtLine(path, 3, "the length \"23 1/0\" is not a number"));
}
