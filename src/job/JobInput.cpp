#include "job/JobInput.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "text/FileMessages.h"
#include "text/NumberText.h"
#include "text/Translate.h"

namespace {

// Consecutive sheet records of one row.
struct SheetUnits {
    std::string label;
    double length = 0, width = 0, cost = 0;
    int count = 0;
    bool usedFirst = false;
};

// A fault of one row; messages name the table, the data row and the column by
// their captions.
class RowFault {
  public:
    RowFault(const char* table, std::string& error) : table_(table), error_(error) {}

    bool Size(int row, const char* column, double value) {
        if (value > 0) return true;
        return Fail(_("{1}, row {2}, column \"{3}\": the size must be greater than 0."), row,
                    column);
    }
    bool Cost(int row, double value) {
        if (value >= 0) return true;
        return Fail(_("{1}, row {2}, column \"{3}\": the cost must not be negative."), row, "Cost");
    }
    bool Row(const std::string& message, int row) {
        error_ = Substitute(message, {_(table_), std::to_string(row)});
        return false;
    }

  private:
    bool Fail(const std::string& message, int row, const char* column) {
        error_ = Substitute(message, {_(table_), std::to_string(row), _(column)});
        return false;
    }
    const char* table_;
    std::string& error_;
};

bool CheckPartRows(const JobRows& rows, std::string& error) {
    RowFault fault("Parts", error);
    const double kerf = rows.settings.cut.bladeWidth;
    std::int64_t records = 0;
    for (const PartRow& row : rows.parts) {
        if (row.quantity > 0) {
            // Sizes of a row that makes records must give a finite layout order key and area.
            if (!fault.Size(row.row, "Length", row.length) ||
                !fault.Size(row.row, "Width", row.width))
                return false;
            const double area = (row.length + kerf) * (row.width + kerf);
            if (!std::isfinite(area) ||
                !std::isfinite(Part::LayoutOrderKeyOf(row.length, row.width)))
                return fault.Row(_("{1}, row {2}: the sizes are out of range."), row.row);
        }
        records += row.quantity;
    }
    if (records > kMaxPartRecords) {
        error =
            Substitute(_("The parts add up to {1} pieces; at most {2} can be calculated at once. "
                         "Please check the quantities."),
                       {std::to_string(records), std::to_string(kMaxPartRecords)});
        return false;
    }
    return true;
}

// The part area as the expansion adds it up: one record at a time, kerf included.
double PartArea(const std::vector<PartRow>& rows, double kerf) {
    double sum = 0;
    for (const PartRow& row : rows)
        for (int k = 0; k < row.quantity; ++k) sum += (row.length + kerf) * (row.width + kerf);
    return sum;
}

// Decides which sheet records the job takes, with the same arithmetic as the
// expansion, without making any: the priority rows, then the others, each pass
// ending once the usable area exceeds `stockFactor` times the part area. The second pass
// starts at the limit when the first reached it, so it then takes at most one sheet.
bool PlanSheets(const JobRows& rows, double partArea, double stockFactor,
                std::vector<SheetUnits>& plan, std::string& error) {
    RowFault fault("Sheets", error);
    const Margins& m = rows.settings.cut.margins;
    double sheetArea = 0;
    int records = 0;
    bool limitReached = false;
    for (const bool priorityPass : {true, false}) {
        for (const SheetRow& row : rows.sheets) {
            if (row.priority != priorityPass) continue;
            if (row.quantity > 0) {
                SheetUnits units{row.label, row.length, row.width, row.cost, 0, row.priority};
                if (!fault.Size(row.row, "Length", row.length) ||
                    !fault.Size(row.row, "Width", row.width) || !fault.Cost(row.row, row.cost))
                    return false;
                const double fullArea = units.width * units.length;
                if (!std::isfinite(fullArea) || !std::isfinite(units.cost / fullArea))
                    return fault.Row(_("{1}, row {2}: the sizes are out of range."), row.row);
                const double usableWidth = units.width - (m.top + m.bottom);
                const double usableLength = units.length - (m.left + m.right);
                if (!(usableWidth > 0 && usableLength > 0))
                    return fault.Row(
                        _("{1}, row {2}: the margins leave no usable area on this sheet."),
                        row.row);
                for (int k = 0; k < row.quantity; ++k) {
                    if (++records > kMaxSheetRecords) {
                        error = Substitute(_("The job needs more than {1} sheets. Please check the "
                                             "quantities and sizes of the sheets and parts."),
                                           {std::to_string(kMaxSheetRecords)});
                        return false;
                    }
                    ++units.count;
                    sheetArea += usableWidth * usableLength;
                    if (partArea * stockFactor < sheetArea) {
                        limitReached = true;
                        break;
                    }
                }
                plan.push_back(std::move(units));
            }
            if (limitReached) break;
        }
    }
    return true;
}

}  // namespace

bool GatherJob(const JobRows& rows, std::int32_t firstPartId, Job& job, std::string& error,
               double stockFactor) {
    std::vector<SheetUnits> plan;
    if (!CheckPartRows(rows, error) ||
        !PlanSheets(rows, PartArea(rows.parts, rows.settings.cut.bladeWidth), stockFactor, plan,
                    error))
        return false;
    JobBuilder builder(rows.settings.cut, firstPartId);
    for (const PartRow& row : rows.parts)
        builder.AddParts(row.length, row.width, row.rotatable, row.label, row.quantity);
    for (const SheetUnits& units : plan)
        for (int k = 0; k < units.count; ++k)
            builder.AddSheet(units.length, units.width, units.cost, units.label, units.usedFirst);
    job = std::move(builder).Build();
    return true;
}

std::int64_t StockUnits(const JobRows& rows) {
    std::int64_t units = 0;
    for (const SheetRow& row : rows.sheets)
        if (row.quantity > 0) units += row.quantity;
    return units;
}

double EnteredPartArea(const JobRows& rows) {
    double area = 0;
    for (const PartRow& row : rows.parts)
        if (row.quantity > 0) area += row.length * row.width * row.quantity;
    return area;
}

std::vector<std::string> PartsFittingNoSheet(const JobRows& rows) {
    const Margins& m = rows.settings.cut.margins;
    // A part as large as the usable area fits: it may end at the sheet's edge.
    const auto fits = [&](const PartRow& part, const SheetRow& sheet) {
        const double length = sheet.length - (m.left + m.right);
        const double width = sheet.width - (m.top + m.bottom);
        return (part.length <= length && part.width <= width) ||
               (part.rotatable && part.width <= length && part.length <= width);
    };
    std::vector<std::string> messages;
    for (const PartRow& part : rows.parts) {
        if (part.quantity <= 0) continue;
        const bool fitsSome = std::any_of(rows.sheets.begin(), rows.sheets.end(),
                                          [&](const SheetRow& sheet) {
                                              return sheet.quantity > 0 && fits(part, sheet);
                                          });
        if (!fitsSome)
            messages.push_back(Substitute(_("{1}, row {2}: \"{3}\" of {4} x {5} fits on no sheet."),
                                          {_("Parts"), std::to_string(part.row), part.label,
                                           FormatGeneral(part.length),
                                           FormatGeneral(part.width)}));
    }
    return messages;
}
