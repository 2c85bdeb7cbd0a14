// The recovery copy of a window's work that is not saved yet: the tables, the
// settings and which project and lists they belong to. The window writes it now
// and then while something is unsaved and removes it once all is saved or
// discarded, so a copy still there at the next start was left by a crash or a kill.
#pragma once

#include <string>

#include "io/CellTable.h"
#include "io/ListFiles.h"
#include "io/SettingsForm.h"

namespace tarvex {

struct RecoveryCopy {
    std::string projectPath;  // empty: the work belonged to no saved project
    ListFileNames names;
    SettingsForm form;
    CellTable sheetTable;
    CellTable partTable;
};

std::string RecoveryCopyJson(const RecoveryCopy& copy);
// Written to a temporary file and renamed into place.
bool WriteRecoveryCopy(const std::string& path, const RecoveryCopy& copy, std::string& error);
// A copy that is damaged or not one of this program's gives false and a message
// naming the file and the fault. Settings missing from the copy keep their
// defaults.
bool ReadRecoveryCopy(const std::string& path, RecoveryCopy& copy, std::string& error);

// The file name of the copy of a project's work, for the project file
// "/jobs/kitchen.dat" "kitchen.dat.recovery.json", "untitled.recovery.json" for
// none; the `number`th of that name when above 1 ("kitchen.dat-2.recovery.json").
std::string RecoveryFileName(const std::string& projectPath, int number = 1);

}  // namespace tarvex
