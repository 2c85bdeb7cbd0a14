#include "support/JobBuilder.h"

#include "model/Globals.h"

namespace {

void AddParts(const std::vector<PartRow>& rows) {
    g_PartList.clear();
    g_PartCount = 0;
    g_SumPartArea = 0;
    for (const PartRow& row : rows)
        AddJobParts(row.length, row.width, row.rotatable, row.label, row.quantity);
}

// One pass over the rows of one kind; a pass ends after the row that reached the limit.
void AddSheets(const std::vector<SheetRow>& rows, bool priority, bool limitSheets,
               bool& limitReached) {
    for (const SheetRow& row : rows) {
        if (row.priority != priority) continue;
        for (int n = 0; n < row.quantity; ++n) {
            AddJobSheet(row.length, row.width, row.cost, row.label);
            if (limitSheets && g_SumPartArea * 1.5 < g_SumSheetArea) {
                limitReached = true;
                break;
            }
        }
        if (limitReached) return;
    }
}

}  // namespace

void BuildJob(const std::vector<PartRow>& parts, const std::vector<SheetRow>& sheets,
              bool limitSheets) {
    AddParts(parts);
    g_SheetList.clear();
    g_SheetCount = 0;
    g_SumSheetArea = 0;
    g_SumSheetCost = 0;
    bool limitReached = false;
    AddSheets(sheets, true, limitSheets, limitReached);
    AddSheets(sheets, false, limitSheets, limitReached);
}
