// A calculation that is refused leaves the plan on screen exactly as it was: its
// report and every output of it come out byte for byte the same, whatever the
// refused job changed in the tables and the settings.
#include <gtest/gtest.h>

#include "export/DxfExport.h"
#include "export/GcodeExport.h"
#include "export/HtmlExport.h"
#include "export/OffcutExport.h"
#include "export/Report.h"
#include "export/ResultJson.h"
#include "io/TableCalculation.h"
#include "io/TableInput.h"
#include "render/LayoutPrint.h"
#include "support/JobTables.h"

using namespace tarvex;

namespace {

// Everything the window and the command line write of an applied result.
std::string Outputs(const AppliedResult& result, const SettingsForm& form) {
    std::string all = ResultJson(result);
    for (const std::string& line : WriteReport(result)) all += line + "\n";
    const OutputChoices choices = OutputChoicesOf(form);
    const ExportSource source{result, choices};
    for (int layout = 0; layout < result.LayoutCount(); ++layout) {
        for (const auto& items :
             {BuildDxfBlocks(source, layout, "STAMP"), BuildGcodeItems(source, layout, "STAMP"),
              BuildHtmlItems(source, layout, "page.bmp"), BuildOffcutLines(source, layout),
              LayoutPrintLines(result, layout, "STAMP")})
            for (const std::string& item : items) all += item + "\n";
    }
    return all;
}

TEST(KeptResult, ARefusedCalculationChangesNoOutputOfThePlanShown) {
    SettingsForm form;
    form.speed = 1;
    form.guillotine = true;
    form.bladeWidth = "0";
    form.huazhong = true;
    form.unit = "mm";
    CellTable sheets = SheetTable({{"Birch", "2440", "1220", "3", "50", "Yes"}});
    const CellTable parts = PartTable({{"Door", "720", "560", "4", "Yes"},
                                       {"Shelf", "564", "300", "6", "No"},
                                       {"Back", "1100", "400", "2", "Yes"}});
    Calculation calc;
    CellTable partTable = parts;
    ASSERT_FALSE(PrepareFromTables(calc, form, sheets, partTable));
    GaOptions options;
    options.seed = 3;
    calc.Optimize(options);
    ASSERT_EQ(FinishIntoTables(calc, sheets).status, CalcOutcome::Status::Applied);
    const auto applied = calc.AppliedShared();
    const std::string before = Outputs(*applied, form);

    // Far too many parts, another blade, free placement and the other dialect.
    SettingsForm changed = form;
    changed.guillotine = false;
    changed.bladeWidth = "4";
    changed.huazhong = false;
    changed.unit = "in";
    changed.printTitle = "Other";
    changed.marginLeft = "5";
    CellTable tooMany = PartTable({{"Door", "720", "560", "400", "Yes"}});
    CellTable sheetsAgain = sheets;
    const auto refused = PrepareFromTables(calc, changed, sheetsAgain, tooMany);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->status, CalcOutcome::Status::AreaRefused);

    ASSERT_EQ(calc.AppliedShared(), applied);
    EXPECT_EQ(Outputs(*calc.Applied(), changed), before);
}

}  // namespace
