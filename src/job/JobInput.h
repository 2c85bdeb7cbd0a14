// Job input: turns the settings page and the two entry tables into the job the
// optimizer reads (the job settings, one record per physical part and sheet, the
// totals) and writes the totals into the tables' totals rows.
#pragma once

#include <string>

#include "io/CellTable.h"
#include "io/EntryTables.h"
#include "io/SettingsForm.h"

// Larger jobs are refused before any record is made: a mistyped quantity must not
// exhaust the memory or run for hours.
inline constexpr int kMaxPartRecords = 100000;
inline constexpr int kMaxSheetRecords = 10000;

// Rebuilds the job from the settings and the tables. Sheets of the rows marked
// priority come first; sheets are taken only until their usable area exceeds 1.5
// times the part area. Every cell and setting is checked before anything changes:
// on a bad value (not a number, a negative quantity, a size that is not positive,
// a negative cost, margins that leave nothing of a sheet) or a job beyond the
// record limits, returns false with a message naming the setting or the table, row
// and column, and leaves the job, its settings and the tables as they were.
bool GatherJob(const SettingsForm& form, CellTable& sgSheet, CellTable& sgPart, std::string& error);
