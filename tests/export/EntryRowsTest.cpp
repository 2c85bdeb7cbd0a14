// Two part rows of one label (and labels differing only in letter case) are two
// rows in every output: each layout's part lists give every row its own entered
// sizes and count, and the report its own used quantity, as the placed parts
// themselves say.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <sstream>
#include <tuple>

#include "export/HtmlExport.h"
#include "export/Report.h"
#include "render/LayoutPrint.h"
#include "support/LayoutFixture.h"
#include "text/NumberText.h"

using namespace tarvex;

namespace {

using Key = std::tuple<std::string, std::string, std::string>;  // label, length, width
using Counts = std::map<Key, int>;

// The parts of the sheet by label and entered size (turns undone), from the placements.
Counts PlacedOn(const PlannedSheet& sheet) {
    Counts counts;
    for (const Placement& p : sheet.parts) {
        const double length = p.rotated ? p.width : p.length;
        const double width = p.rotated ? p.length : p.width;
        ++counts[{p.label, FormatGeneral(length), FormatGeneral(width)}];
    }
    return counts;
}

// The part rows of an HTML page: label, length, width, rotatable, quantity cells.
Counts HtmlRows(const std::vector<std::string>& items) {
    Counts counts;
    const std::regex cell("<td align=\"center\">([^<]*)</td>");
    for (const std::string& item : items) {
        std::vector<std::string> cells;
        for (auto it = std::sregex_iterator(item.begin(), item.end(), cell);
             it != std::sregex_iterator(); ++it)
            cells.push_back((*it)[1]);
        if (cells.size() == 5) counts[{cells[0], cells[1], cells[2]}] += std::stoi(cells[4]);
    }
    return counts;
}

// The part rows of the printed page: the lines between the part heading and the
// cut options, as label, length, width, quantity, rotatable words.
Counts PrintedRows(const std::vector<std::string>& lines) {
    Counts counts;
    bool inParts = false;
    for (const std::string& line : lines) {
        if (line.find("Cut Options") != std::string::npos) break;
        if (line.rfind("Label ", 0) == 0) {
            inParts = true;
            continue;
        }
        if (!inParts) continue;
        std::istringstream words(line);
        std::string label, length, width;
        int quantity = 0;
        words >> label >> length >> width >> quantity;
        counts[{label, length, width}] += quantity;
    }
    return counts;
}

TEST(EntryRows, RowsOfOneLabelKeepTheirOwnSizesAndCounts) {
    SettingsForm form;
    form.bladeWidth = "0";
    const CellTable sheets = SheetTable({{"Birch", "1200", "800", "6", "10", "No"}});
    const CellTable parts = PartTable({{"Shelf", "500", "300", "3", "No"},
                                       {"Shelf", "400", "200", "4", "No"},
                                       {"shelf", "300", "100", "2", "No"},
                                       {"Door", "700", "400", "1", "No"}});
    for (const bool guillotine : {true, false}) {
        SCOPED_TRACE(guillotine ? "guillotine" : "free");
        form.guillotine = guillotine;
        const AppliedResult result = Calculate(form, sheets, parts);
        ASSERT_TRUE(result.allPlaced);
        const OutputChoices choices;
        for (int layout = 0; layout < result.LayoutCount(); ++layout) {
            SCOPED_TRACE(layout);
            const Counts placed = PlacedOn(*result.LayoutSheetOf(layout));
            EXPECT_EQ(HtmlRows(BuildHtmlItems({result, choices}, layout, "p.bmp")), placed);
            EXPECT_EQ(PrintedRows(LayoutPrintLines(result, layout, "")), placed);
        }
        // Every part row was placed in full: its used quantity is its own quantity.
        const std::vector<std::string> report = WriteReport(result);
        const auto partsHeading = std::find(report.begin(), report.end(), "Parts:");
        ASSERT_NE(partsHeading, report.end());
        std::map<Key, std::pair<int, int>> used;  // total and used quantity
        for (auto line = partsHeading + 3; line != report.end() && !line->empty(); ++line) {
            std::istringstream words(*line);
            std::string label, length, width, rotatable;
            int total = 0, usedQuant = 0;
            words >> label >> length >> width >> rotatable >> total >> usedQuant;
            used[{label, length, width}] = {total, usedQuant};
        }
        EXPECT_EQ(used, (std::map<Key, std::pair<int, int>>{{{"Shelf", "500", "300"}, {3, 3}},
                                                            {{"Shelf", "400", "200"}, {4, 4}},
                                                            {{"shelf", "300", "100"}, {2, 2}},
                                                            {{"Door", "700", "400"}, {1, 1}}}));
    }
}

}  // namespace
