// TAB-, blank- and comma-separated sheet and part lists.
#include "FuzzFile.h"
#include "io/EntryTables.h"
#include "io/ListFiles.h"

using namespace tarvex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::AsFile(data, size, "list.txt");
    CellTable sheets = NewSheetTable();
    CellTable parts = NewPartTable();
    LoadSheetList(path, sheets);
    LoadPartList(path, parts);
    return 0;
}
