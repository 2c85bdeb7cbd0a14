// A calculation run from the entry tables and the settings form, as the window
// and the command line run it: the first rows are checked, the tables read into
// typed rows, the totals rows written once the job is gathered, and "Left Quant"
// written once a new plan is applied.
#pragma once

#include <optional>

#include "io/CellTable.h"
#include "io/SettingsForm.h"
#include "job/Calculation.h"

namespace tarvex {

// The calculation's Prepare from the tables and the settings form; the outcome
// when it ends here.
std::optional<CalcOutcome> PrepareFromTables(Calculation& calc, const SettingsForm& form,
                                             CellTable& sheets, CellTable& parts);
// The same with settings already read (the command line's: the project's settings
// with its own options over them).
std::optional<CalcOutcome> PrepareFromTables(Calculation& calc, const JobSettings& settings,
                                             CellTable& sheets, CellTable& parts);
// The calculation's Finish; on applying, "Left Quant" of the sheet table follows.
CalcOutcome FinishIntoTables(Calculation& calc, CellTable& sheets);

// "Left Quant" of every data row: its quantity less the sheets of the result cut
// from it (the records of the entered row of its position).
void UpdateLeftQuant(const AppliedResult& result, CellTable& sheets);

// The tables as the result's rows were typed, the sheets with the plan's "Left
// Quant"; the totals rows are empty.
CellTable EnteredSheetTable(const AppliedResult& result);
CellTable EnteredPartTable(const AppliedResult& result);

}  // namespace tarvex
