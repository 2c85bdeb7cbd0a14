#include "io/TableCalculation.h"

#include "io/EntryTables.h"
#include "io/TableInput.h"
#include "text/CaseFold.h"
#include "text/FieldSplit.h"
#include "text/NumberText.h"
#include "text/Translate.h"

std::optional<CalcOutcome> PrepareFromTables(Calculation& calc, const SettingsForm& form,
                                             CellTable& sheets, CellTable& parts) {
    using S = CalcOutcome::Status;
    calc.Discard();
    if (!FirstRowConverts(parts))
        return EndedOutcome(S::PartsIncorrect,
                            _("Parts is incorrect, please correct and try again!"), true, 1);
    if (!FirstRowConverts(sheets))
        return EndedOutcome(S::SheetsIncorrect,
                            _("Sheets is incorrect, please correct and try again!"), true, 0);
    JobRows rows;
    std::string error;
    if (!ReadJobRows(form, sheets, parts, rows, error))
        return EndedOutcome(S::InputRefused, error, true);
    std::optional<CalcOutcome> ended = calc.Prepare(rows);
    if (const Job* job = calc.Gathered()) {
        WriteTotals(parts, TableKind::Part, job->partArea, job->partCount, 0);
        WriteTotals(sheets, TableKind::Sheet, job->sheetArea, job->sheetCount, job->sheetCost);
    }
    return ended;
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
