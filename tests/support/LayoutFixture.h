// Applied results for the layout view and export tests: built by hand, or made by
// a whole calculation.
#pragma once

#include <string>
#include <vector>

#include "io/CellTable.h"
#include "io/SettingsForm.h"
#include "job/AppliedResult.h"
#include "support/JobTables.h"

namespace tarvex {

Placement Rect(const std::string& label, int id, double x, double y, double length, double width);
Offcut Spare(double x, double y, double length, double width);

// A layout sheet (used, distinct) with the given layout index and sheet count.
PlannedSheet LayoutSheet(const std::string& label, double length, double width, int count,
                         int layoutIndex, std::vector<Placement> parts,
                         std::vector<Offcut> offcuts = {});

// A result of the sheets, made with the default settings in unit "mm".
AppliedResult ResultOf(std::vector<PlannedSheet> sheets);

// The applied result of a whole calculation (seeded, fastest setting) of the part
// table on the sheet table with the settings, or an empty result when the
// calculation refuses the job.
AppliedResult Calculate(const SettingsForm& form, CellTable sheets, CellTable parts);

// A fixed layout for the golden files: sheet "Birch" 1000 x 600 cut twice, kerf
// 4, parts Door (twice) and Side, two offcuts; with its part table.
AppliedResult SmallResult();
CellTable SmallPartTable();

// Compares the bytes with the golden file tests/export/golden/<name>; with
// TARVEX_UPDATE_GOLDEN=1 in the environment the golden file is rewritten instead.
void ExpectGolden(const std::string& name, const std::string& bytes);

// The items as a file holds them: each followed by CR LF.
std::string JoinCrLf(const std::vector<std::string>& items);

std::string ReadBytes(const std::string& path);

}  // namespace tarvex
