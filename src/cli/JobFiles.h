// The job of a command-line run: the project and list files read through the same
// readers as the window, then the options that override the project's settings.
#pragma once

#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "io/CellTable.h"
#include "io/SettingsForm.h"
#include "job/JobSettings.h"

namespace tarvex {

// Fills the settings and tables from the project (list paths relative to the
// project's folder) and from --sheets/--parts/--banding, which replace the
// project's lists.
// A file that cannot be read, or whose reading stopped at a bad line or value, is
// bad input: false with the reader's message naming the file and line. `inputs`
// receives every file read, for the outputs not to replace them.
bool LoadJob(const CliOptions& options, SettingsForm& form, CellTable& sheetTable,
             CellTable& partTable, std::vector<std::string>& inputs, std::string& error);

// The settings given on the command line over those read from the project; false
// with a message naming the setting when an option's value does not convert.
bool ApplySettingOptions(const CliOptions& options, JobSettings& settings, std::string& error);

}  // namespace tarvex
