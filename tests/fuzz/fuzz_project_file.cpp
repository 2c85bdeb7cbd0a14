// Project files: list paths (taken from the project's folder) and settings lines.
#include "FuzzFile.h"
#include "io/EntryTables.h"
#include "io/ProjectFiles.h"

using namespace tarvex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::AsFile(data, size, "project.dat");
    CellTable sheets = NewSheetTable();
    CellTable parts = NewPartTable();
    ListFileNames names;
    SettingsForm form;
    LoadProject(path, sheets, parts, names, form);
    return 0;
}
