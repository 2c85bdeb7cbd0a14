#include "app/SpreadsheetImport.h"

// Workbook reading is not available in this build yet.
bool LoadSheetSpreadsheet(const std::string& path, CellTable&, std::string& error) {
    error = "Cannot read \"" + path + "\": spreadsheet workbooks are not supported yet";
    return false;
}

bool LoadPartSpreadsheet(const std::string& path, CellTable&, std::string& error) {
    error = "Cannot read \"" + path + "\": spreadsheet workbooks are not supported yet";
    return false;
}
