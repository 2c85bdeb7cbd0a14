#include "io/TableCalculation.h"

#include "io/EntryTables.h"
#include "io/TableInput.h"
#include "text/CaseFold.h"
#include "text/FieldSplit.h"
#include "text/NumberText.h"

namespace {

using Status = CalcOutcome::Status;
using Code = InputFault::Code;

std::optional<CalcOutcome> FirstRowsRefused(const CellTable& sheets, const CellTable& parts) {
    if (!FirstRowConverts(parts))
        return RefusedOutcome(Status::PartsIncorrect, {.code = Code::FirstRowIncorrect,
                                                       .table = EntryTable::Parts});
    if (!FirstRowConverts(sheets))
        return RefusedOutcome(Status::SheetsIncorrect, {.code = Code::FirstRowIncorrect,
                                                        .table = EntryTable::Sheets});
    return std::nullopt;
}

std::optional<CalcOutcome> PrepareRows(Calculation& calc, JobRows& rows, CellTable& sheets,
                                       CellTable& parts) {
    InputFault fault;
    if (!ReadTableRows(sheets, parts, rows, fault))
        return RefusedOutcome(Status::InputRefused, fault);
    std::optional<CalcOutcome> ended = calc.Prepare(rows);
    if (const Job* job = calc.Gathered()) {
        WriteTotals(parts, TableKind::Part, job->partArea, job->partCount, 0);
        WriteTotals(sheets, TableKind::Sheet, job->sheetArea, job->sheetCount, job->sheetCost);
    }
    return ended;
}

}  // namespace

std::optional<CalcOutcome> PrepareFromTables(Calculation& calc, const SettingsForm& form,
                                             CellTable& sheets, CellTable& parts) {
    calc.Discard();
    if (auto refused = FirstRowsRefused(sheets, parts)) return refused;
    JobRows rows;
    InputFault fault;
    if (!ReadJobSettings(form, rows.settings, fault))
        return RefusedOutcome(Status::InputRefused, fault);
    return PrepareRows(calc, rows, sheets, parts);
}

std::optional<CalcOutcome> PrepareFromTables(Calculation& calc, const JobSettings& settings,
                                             CellTable& sheets, CellTable& parts) {
    calc.Discard();
    if (auto refused = FirstRowsRefused(sheets, parts)) return refused;
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
    const int first = CellTable::kFirstDataRow;
    for (int r = first; r < sheets.RowCount(); ++r)
        sheets.SetCell(r, SheetCol::LeftQuant, sheets.Cell(r, SheetCol::Quant));
    for (const PlannedSheet& s : result.sheets) {
        if (!s.used || !s.distinct) continue;
        for (int r = first; r < sheets.RowCount(); ++r) {
            if (!SameIgnoringCase(TrimControls(sheets.Cell(r, SheetCol::Label)), s.label)) continue;
            const std::string& leftText = sheets.Cell(r, SheetCol::LeftQuant);
            const auto left = ParseInteger(
                TrimControls(leftText).empty() ? sheets.Cell(r, SheetCol::Quant) : leftText);
            if (left) sheets.SetCell(r, SheetCol::LeftQuant, std::to_string(*left - s.count));
            break;
        }
    }
}
