#include "support/JobBuilder.h"

#include <utility>

namespace tarvex {

namespace {

// One pass over the rows of one kind; a pass ends after the sheet that reached
// the limit, and once the limit is reached a later pass takes one sheet more,
// as job input does.
void AddSheets(JobBuilder& builder, const std::vector<SheetRow>& rows, bool priority,
               SheetLimit limit, bool& limitReached) {
    for (const SheetRow& row : rows) {
        if (row.priority != priority) continue;
        for (int n = 0; n < row.quantity; ++n) {
            builder.AddSheet(row.length, row.width, row.cost, row.label, row.priority);
            const Job& job = builder.Current();
            if (limit == SheetLimit::AsJobInput && job.PartArea() * 1.5 < job.SheetArea()) {
                limitReached = true;
                break;
            }
        }
        if (limitReached) return;
    }
}

}  // namespace

PartRow TestPart(double length, double width, int quantity, bool rotatable, std::string label) {
    PartRow row;
    row.label = std::move(label);
    row.length = length;
    row.width = width;
    row.quantity = quantity;
    row.rotatable = rotatable;
    return row;
}

SheetRow TestSheet(double length, double width, int quantity, double cost, bool priority,
                   std::string label) {
    SheetRow row;
    row.label = std::move(label);
    row.length = length;
    row.width = width;
    row.quantity = quantity;
    row.cost = cost;
    row.priority = priority;
    return row;
}

Job MakeJob(const CutSettings& settings, const std::vector<PartRow>& parts,
            const std::vector<SheetRow>& sheets, SheetLimit limit, std::int32_t firstPartId) {
    JobBuilder builder(settings, firstPartId);
    for (const PartRow& row : parts)
        builder.AddParts(row.length, row.width, row.rotatable, row.label, row.quantity);
    bool limitReached = false;
    AddSheets(builder, sheets, true, limit, limitReached);
    AddSheets(builder, sheets, false, limit, limitReached);
    return std::move(builder).Build();
}

}  // namespace tarvex
