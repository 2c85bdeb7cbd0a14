// Project files (.dat): the two list file paths and the settings of the "Sets"
// page, one value per line, 26 lines. The tables themselves live in the lists, the
// banding table in the banding list beside the project (BandingList.h).
#pragma once

#include <string>
#include <vector>

#include "io/CellTable.h"
#include "io/ListFiles.h"
#include "io/SettingsForm.h"

namespace tarvex {

struct ProjectResult {
    // false: the project file could not be read or written; nothing was changed.
    bool ok = true;
    // The failure; or, when opening, where the applying stopped (file, line and
    // fault) and any list that stopped early. Empty when all went well.
    std::string message;
    int linesApplied = 0;  // project lines applied in order
};

// Why a project cannot be saved yet: "Please save the parts first!" when the part
// list path names no existing file, else "Please save the sheets first!" for the
// sheet list; empty when both exist.
std::string ProjectSaveRefusal(const ListFileNames& names);

// Writes the 26 lines, replacing the file atomically, and the banding list when the
// form has any banding or finished sizes on, or when there is one already. Refuses (ok false, the
// message above) while ProjectSaveRefusal says so. A list in the project's folder
// or below it is written relative to that folder, so that the project moves with
// its lists; any other list keeps its absolute path.
ProjectResult SaveProject(const std::string& path, const ListFileNames& names,
                          const SettingsForm& form);

// Where Save Project As puts a changed list of the project being saved as
// `projectPath`: beside it, named after it (NAME.sheets.txt or NAME.parts.txt for
// NAME.dat), numbered (NAME.parts-2.txt, ...) when that path is one of `taken`,
// the lists the project had before, which another project may still name.
std::string ListPathBesideProject(const std::string& projectPath, TableKind kind,
                                  const std::vector<std::string>& taken);
// Applies a project file line by line: first the list paths, each stored in
// `names` and loaded into its table at once, then the settings. Applying stops at
// the first line that is missing (an older, shorter project: no message), that
// should be a number and is not, or whose list file cannot be read; the lines
// before it stay applied. A relative list path is taken from the project's folder.
// The banding list beside the project, when there is one, becomes the form's
// banding table; without one the table is empty. A bad banding line is a message;
// the lines before it stay.
// Whenever ok is true the window shows ProjectCaption and the "Layouts" page.
ProjectResult LoadProject(const std::string& path, CellTable& sheetTable, CellTable& partTable,
                          ListFileNames& names, SettingsForm& form);

// The settings lines of a project (lines 3 to 26) as they would be written: two
// forms that give the same lines are the same project settings.
std::vector<std::string> ProjectSettingLines(const SettingsForm& form);

// The window caption for a project: its file name (with extension, without
// folder) + " - " + the base caption.
std::string ProjectCaption(const std::string& projectPath, const std::string& baseCaption);

}  // namespace tarvex
