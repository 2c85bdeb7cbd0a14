#include "io/TableCalculation.h"

#include "io/EntryTables.h"
#include "io/TableInput.h"
#include "job/RowUse.h"
#include "text/NumberText.h"

namespace tarvex {

namespace {

using Status = CalcOutcome::Status;
using Code = InputFault::Code;

std::optional<CalcOutcome> FirstRowsRefused(const CellTable& sheets, const CellTable& parts,
                                            const LengthFormat& lengths) {
    if (!FirstRowConverts(parts, lengths))
        return RefusedOutcome(Status::PartsIncorrect,
                              {.code = Code::FirstRowIncorrect, .table = EntryTable::Parts});
    if (!FirstRowConverts(sheets, lengths))
        return RefusedOutcome(Status::SheetsIncorrect,
                              {.code = Code::FirstRowIncorrect, .table = EntryTable::Sheets});
    return std::nullopt;
}

std::optional<CalcOutcome> PrepareRows(Calculation& calc, JobRows& rows, CellTable& sheets,
                                       CellTable& parts) {
    InputFault fault;
    if (!ReadTableRows(sheets, parts, rows, fault))
        return RefusedOutcome(Status::InputRefused, fault);
    std::optional<CalcOutcome> ended = calc.Prepare(rows);
    if (const Job* job = calc.Gathered()) {
        WriteTotals(parts, TableKind::Part, job->PartArea(), job->PartCount(), 0);
        WriteTotals(sheets, TableKind::Sheet, job->SheetArea(), job->SheetCount(),
                    job->SheetCost());
    }
    return ended;
}

}  // namespace

std::optional<CalcOutcome> PrepareFromTables(Calculation& calc, const SettingsForm& form,
                                             CellTable& sheets, CellTable& parts) {
    calc.Discard();
    if (auto refused = FirstRowsRefused(sheets, parts, LengthFormatOf(form.unit))) return refused;
    JobRows rows;
    InputFault fault;
    if (!ReadJobSettings(form, rows.settings, fault))
        return RefusedOutcome(Status::InputRefused, fault);
    return PrepareRows(calc, rows, sheets, parts);
}

std::optional<CalcOutcome> PrepareFromTables(Calculation& calc, const JobSettings& settings,
                                             CellTable& sheets, CellTable& parts) {
    calc.Discard();
    if (auto refused = FirstRowsRefused(sheets, parts, LengthFormatOf(settings.unit)))
        return refused;
    JobRows rows;
    rows.settings = settings;
    return PrepareRows(calc, rows, sheets, parts);
}

CalcOutcome FinishIntoTables(Calculation& calc, CellTable& sheets) {
    CalcOutcome outcome = calc.Finish();
    if (outcome.status == CalcOutcome::Status::Applied) UpdateLeftQuant(*calc.Applied(), sheets);
    return outcome;
}

void UpdateLeftQuant(const AppliedResult& result, CellTable& sheets) {
    const std::vector<int> used = SheetsUsedByRow(result);
    for (int r = CellTable::kFirstDataRow; r < sheets.RowCount(); ++r) {
        const std::string quantity = sheets.Cell(r, SheetCol::Quant);
        const auto at = static_cast<std::size_t>(r - CellTable::kFirstDataRow);
        const std::optional<int> whole =
            at < used.size() && used[at] > 0 ? ParseInteger(quantity) : std::nullopt;
        sheets.SetCell(r, SheetCol::LeftQuant,
                       whole ? std::to_string(*whole - used[at]) : quantity);
    }
}

CellTable EnteredSheetTable(const AppliedResult& result) {
    CellTable table = NewSheetTable();
    table.SetRowCount(CellTable::kFirstDataRow);
    const std::vector<std::optional<int>> left = LeftQuantities(result);
    for (std::size_t r = 0; r < result.entered.sheets.size(); ++r) {
        const SheetTexts& t = result.entered.sheets[r].texts;
        const int row = table.AppendRow();
        table.SetCell(row, SheetCol::Label, t.label);
        table.SetCell(row, SheetCol::Length, t.length);
        table.SetCell(row, SheetCol::Width, t.width);
        table.SetCell(row, SheetCol::Quant, t.quantity);
        table.SetCell(row, SheetCol::Cost, t.cost);
        table.SetCell(row, SheetCol::Priority, t.priority);
        table.SetCell(row, SheetCol::LeftQuant, left[r] ? std::to_string(*left[r]) : t.quantity);
        table.SetCell(row, SheetCol::Material, t.material);
        table.SetCell(row, SheetCol::Grain, t.grain);
    }
    if (table.RowCount() == CellTable::kFirstDataRow) table.AppendRow();
    return table;
}

CellTable EnteredPartTable(const AppliedResult& result) {
    CellTable table = NewPartTable();
    table.SetRowCount(CellTable::kFirstDataRow);
    for (const EnteredPart& part : result.entered.parts) {
        const PartTexts& t = part.texts;
        const int row = table.AppendRow();
        table.SetCell(row, PartCol::Label, t.label);
        table.SetCell(row, PartCol::Length, t.length);
        table.SetCell(row, PartCol::Width, t.width);
        table.SetCell(row, PartCol::Quant, t.quantity);
        table.SetCell(row, PartCol::Rotatable, t.rotatable);
        table.SetCell(row, PartCol::Material, t.material);
        for (size_t e = 0; e < kEdgeCount; ++e)
            table.SetCell(row, PartCol::BandingL1 + static_cast<int>(e), t.banding[e]);
    }
    if (table.RowCount() == CellTable::kFirstDataRow) table.AppendRow();
    return table;
}

}  // namespace tarvex
