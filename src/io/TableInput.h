// The entry tables and the settings form as typed job rows and settings: every cell and
// setting the job reads converted, with the fault naming the setting, or the
// table, row and column, when one does not convert.
#pragma once

#include <string>

#include "io/CellTable.h"
#include "io/SettingsForm.h"
#include "job/InputFault.h"
#include "job/JobRows.h"
#include "job/OutputChoices.h"
#include "text/LengthText.h"

namespace tarvex {

// The cells a calculation tests before anything else: length, width and quantity
// of the first data row.
bool FirstRowConverts(const CellTable& table, const LengthFormat& lengths);

bool ReadJobSettings(const SettingsForm& form, JobSettings& settings, InputFault& error);
// The choices the outputs follow, as the form holds them now; an offcut prefix of
// nothing but blanks is "YL".
OutputChoices OutputChoicesOf(const SettingsForm& form);

// The part and sheet rows of `rows`; its settings are left as they are. Rows with
// an empty quantity are left out. Part rows must have numbers for their sizes and
// a whole, non-negative quantity; sheet rows a whole, non-negative quantity and,
// when it is above 0, numbers for sizes and cost.
// Every data row as typed goes to `rows.entered`. Sizes are read in the unit of
// `rows.settings`.
bool ReadTableRows(const CellTable& sheets, const CellTable& parts, JobRows& rows,
                   InputFault& error);

// Every data row of the tables as typed, with its values where they convert.
EnteredRows ReadEnteredRows(const CellTable& sheets, const CellTable& parts,
                            const LengthFormat& lengths);

}  // namespace tarvex
