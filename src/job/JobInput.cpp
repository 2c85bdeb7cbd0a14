#include "job/JobInput.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace tarvex {

namespace {

// Data row n of a table is entered row n - 1.
std::int32_t EntryRowOf(int dataRow) {
    return dataRow - 1;
}

// Consecutive sheet records of one row.
struct SheetUnits {
    std::string label;
    double length = 0, width = 0, cost = 0;
    int count = 0;
    bool usedFirst = false;
    std::int32_t entryRow = -1;
    bool turned = false;  // the grain runs across the sheet
};

// A fault of one row of a table.
class RowFault {
  public:
    RowFault(EntryTable table, InputFault& fault) : table_(table), fault_(fault) {}

    bool Size(int row, EntryColumn column, double value) {
        if (value > 0) return true;
        return Fail(InputFault::Code::SizeNotPositive, row, column);
    }
    bool Cost(int row, double value) {
        if (value >= 0) return true;
        return Fail(InputFault::Code::NegativeCost, row, EntryColumn::Cost);
    }
    bool Row(InputFault::Code code, int row) { return Fail(code, row, EntryColumn::None); }

  private:
    bool Fail(InputFault::Code code, int row, EntryColumn column) {
        fault_ = InputFault{.code = code, .table = table_, .row = row, .column = column};
        return false;
    }
    EntryTable table_;
    InputFault& fault_;
};

bool CheckPartRows(const JobRows& rows, InputFault& error) {
    RowFault fault(EntryTable::Parts, error);
    const double kerf = rows.settings.cut.bladeWidth;
    std::int64_t records = 0;
    for (const PartRow& row : rows.parts) {
        if (row.quantity > 0) {
            // Sizes of a row that makes records must give a finite layout order key and area.
            if (!fault.Size(row.row, EntryColumn::Length, row.length) ||
                !fault.Size(row.row, EntryColumn::Width, row.width))
                return false;
            const double area = (row.length + kerf) * (row.width + kerf);
            if (!std::isfinite(area) ||
                !std::isfinite(Part::LayoutOrderKeyOf(row.length, row.width)))
                return fault.Row(InputFault::Code::SizesOutOfRange, row.row);
        }
        records += row.quantity;
    }
    if (records > kMaxPartRecords) {
        error = InputFault{.code = InputFault::Code::TooManyParts,
                           .table = EntryTable::Parts,
                           .column = EntryColumn::Quant,
                           .values = {std::to_string(records), std::to_string(kMaxPartRecords)}};
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
                std::vector<SheetUnits>& plan, InputFault& error) {
    RowFault fault(EntryTable::Sheets, error);
    const Margins& m = rows.settings.cut.margins;
    double sheetArea = 0;
    int records = 0;
    bool limitReached = false;
    for (const bool priorityPass : {true, false}) {
        for (const SheetRow& row : rows.sheets) {
            if (row.priority != priorityPass) continue;
            if (row.quantity > 0) {
                SheetUnits units{
                    row.label, row.length,   row.width,           row.cost,
                    0,         row.priority, EntryRowOf(row.row), row.grain == Grain::Width};
                if (!fault.Size(row.row, EntryColumn::Length, row.length) ||
                    !fault.Size(row.row, EntryColumn::Width, row.width) ||
                    !fault.Cost(row.row, row.cost))
                    return false;
                const double fullArea = units.width * units.length;
                if (!std::isfinite(fullArea) || !std::isfinite(units.cost / fullArea))
                    return fault.Row(InputFault::Code::SizesOutOfRange, row.row);
                const double usableWidth = units.width - (m.top + m.bottom);
                const double usableLength = units.length - (m.left + m.right);
                if (!(usableWidth > 0 && usableLength > 0))
                    return fault.Row(InputFault::Code::NoUsableArea, row.row);
                for (int k = 0; k < row.quantity; ++k) {
                    if (++records > kMaxSheetRecords) {
                        error = InputFault{.code = InputFault::Code::TooManySheets,
                                           .table = EntryTable::Sheets,
                                           .column = EntryColumn::Quant,
                                           .values = {std::to_string(kMaxSheetRecords)}};
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

// Stock that all has no grain lets every part turn.
bool AllStockWithoutGrain(const JobRows& rows) {
    bool any = false;
    for (const SheetRow& row : rows.sheets) {
        if (row.quantity <= 0) continue;
        if (row.grain != Grain::None) return false;
        any = true;
    }
    return any;
}

}  // namespace

bool GatherJob(const JobRows& rows, std::int32_t firstPartId, Job& job, InputFault& error,
               double stockFactor) {
    std::vector<SheetUnits> plan;
    if (!CheckPartRows(rows, error) ||
        !PlanSheets(rows, PartArea(rows.parts, rows.settings.cut.bladeWidth), stockFactor, plan,
                    error))
        return false;
    JobBuilder builder(rows.settings.cut, firstPartId);
    const bool turnAny = AllStockWithoutGrain(rows);
    for (const PartRow& row : rows.parts)
        builder.AddParts(row.length, row.width, row.rotatable || turnAny, row.label, row.quantity,
                         EntryRowOf(row.row));
    for (const SheetUnits& units : plan)
        for (int k = 0; k < units.count; ++k)
            builder.AddSheet(units.length, units.width, units.cost, units.label, units.usedFirst,
                             units.entryRow, units.turned);
    job = std::move(builder).Build();
    return true;
}

std::optional<InputFault> FirstCutAcrossGrain(const JobRows& rows) {
    const CutSettings& cut = rows.settings.cut;
    if (!cut.guillotine || cut.firstCut == FirstCut::Any) return std::nullopt;
    for (const SheetRow& row : rows.sheets)
        if (row.quantity > 0 && row.grain == Grain::Width)
            return InputFault{.code = InputFault::Code::FirstCutAcrossGrain,
                              .table = EntryTable::Sheets,
                              .row = row.row,
                              .column = EntryColumn::Grain};
    return std::nullopt;
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

std::vector<PartRow> PartsFittingNoSheet(const JobRows& rows) {
    const Margins& m = rows.settings.cut.margins;
    const bool turnAny = AllStockWithoutGrain(rows);
    // A part as large as the usable area fits: it may end at the sheet's edge. A part
    // that may not turn lies along the grain.
    const auto fits = [&](const PartRow& part, const SheetRow& sheet) {
        const double length = sheet.length - (m.left + m.right);
        const double width = sheet.width - (m.top + m.bottom);
        const bool asEntered = part.length <= length && part.width <= width;
        const bool turned = part.width <= length && part.length <= width;
        if (part.rotatable || turnAny) return asEntered || turned;
        return sheet.grain == Grain::Width ? turned : asEntered;
    };
    std::vector<PartRow> unfitting;
    for (const PartRow& part : rows.parts) {
        if (part.quantity <= 0) continue;
        const bool fitsSome = std::any_of(
            rows.sheets.begin(), rows.sheets.end(),
            [&](const SheetRow& sheet) { return sheet.quantity > 0 && fits(part, sheet); });
        if (!fitsSome) unfitting.push_back(part);
    }
    return unfitting;
}

}  // namespace tarvex
