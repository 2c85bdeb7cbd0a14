// The entry tables and the settings form as typed job rows and settings: every cell and
// setting the job reads converted, with a message naming the setting, or the
// table, row and column, when one does not convert.
#pragma once

#include <string>

#include "io/CellTable.h"
#include "io/SettingsForm.h"
#include "job/JobRows.h"

// The cells a calculation tests before anything else: length, width and quantity
// of the first data row.
bool FirstRowConverts(const CellTable& table);

bool ReadJobSettings(const SettingsForm& form, JobSettings& settings, std::string& error);

// The part and sheet rows of `rows`; its settings are left as they are. Rows with
// an empty quantity are left out. Part rows must have numbers for their sizes and
// a whole, non-negative quantity; sheet rows a whole, non-negative quantity and,
// when it is above 0, numbers for sizes and cost.
bool ReadTableRows(const CellTable& sheets, const CellTable& parts, JobRows& rows,
                   std::string& error);
