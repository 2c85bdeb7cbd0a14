// The sectioned lists (SHEET1, PART1, ... sections of an INI file).
#include "FuzzFile.h"
#include "io/EntryTables.h"
#include "io/ListFiles.h"

using namespace tarvex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::AsFile(data, size, "list.sht");
    CellTable sheets = NewSheetTable();
    CellTable parts = NewPartTable();
    LoadSheetIni(path, sheets);
    LoadPartIni(path, parts);
    return 0;
}
