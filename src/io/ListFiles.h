// Sheet and part list files: TAB-separated text lists (read and written), the
// sectioned .sht/.prt lists and workbooks (read), and the remaining-stock list.
// Every operation returns a ListResult; the window shows its message in a box and
// the command line prints it.
#pragma once

#include <string>
#include <vector>

#include "io/CellTable.h"
#include "io/EntryTables.h"
#include "text/LengthText.h"

namespace tarvex {

struct ListResult {
    // false: the file could not be read or written. A text or sectioned list then
    // leaves the table unchanged; a workbook keeps the rows read before the failure.
    bool ok = true;
    // Set when !ok, and when reading stopped early at a bad line (which the text
    // names with the file); empty when everything was read or written.
    std::string message;
    int rows = 0;      // list entries placed in the table, or lines written
    int stopLine = 0;  // 1-based file line where reading stopped; 0 when read to the end
};

// The list files last opened or saved through the Sheets and Parts tabs (or named
// by an opened project), shown in the read-only "File Name:" boxes.
struct ListFileNames {
    std::string SheetFileName;
    std::string PartFileName;
};

enum class ListReader { Text, Sectioned, Spreadsheet, Csv };

// Which reader a path selects: ".sht" (".prt" for parts) anywhere in the path
// selects the sectioned reader, else ".xls" anywhere (.xlsx too) the workbook
// reader, else a name ending in ".csv" (any letter case) the CSV reader, else the
// text reader. With ignoreCase the test runs on the lower-cased
// path (the Open buttons); a project's paths are tested as stored.
ListReader ChooseListReader(TableKind kind, const std::string& path, bool ignoreCase);

// Fill the table from a list file, choosing the reader by the path; the file
// opened is always `path` itself. An empty path does nothing. A text list's sheet
// line holds label, length, width, quantity, cost, priority, material and grain,
// a part line label, length, width, quantity, rotatable and material; the fields
// after the quantity may be left out from the end. A line with too few fields, a
// number that does not convert or a grain that is not length, width or none
// stops the reading: the lines before it stay, the totals cover them, and the
// message names the file, the line and the fault.
// Sizes are read in the unit of `lengths`.
ListResult LoadSheetList(const std::string& path, CellTable& sheetTable, bool ignoreCase = false,
                         const LengthFormat& lengths = {});
ListResult LoadPartList(const std::string& path, CellTable& partTable, bool ignoreCase = false,
                        const LengthFormat& lengths = {});

// The sectioned readers (SHEET1, SHEET2, ... / PART1, ...; names without letter
// case). A missing file gives one empty data row and zero totals; the result is
// still ok, with a message saying the file could not be read.
ListResult LoadSheetIni(const std::string& path, CellTable& sheetTable,
                        const LengthFormat& lengths = {});
ListResult LoadPartIni(const std::string& path, CellTable& partTable,
                       const LengthFormat& lengths = {});

// Save: one TAB-separated line per data row with a label; an empty Cost is "0".
// Material and grain (as "length", "width" or "none") follow only on the lines of
// rows that have them, so that a list without them is written as it always was.
ListResult SaveSheetList(const std::string& path, const CellTable& sheetTable);
ListResult SavePartList(const std::string& path, const CellTable& partTable);
// Save Left: the sheet list with Left Quant as quantity, without the rows whose
// Left Quant is empty or "0".
ListResult SaveLeftSheets(const std::string& path, const CellTable& sheetTable);

// The lines Save writes for the table: two tables with the same lines are the
// same list.
std::vector<std::string> ListLines(TableKind kind, const CellTable& table);
// The same with the Yes/No cells by their meaning: a switch of language rewords
// them but changes nothing.
std::vector<std::string> ListContent(TableKind kind, const CellTable& table);

// The Open and Save buttons of the tabs: the chosen path is remembered (and shown)
// before the file is read or written, whatever the outcome.
ListResult OpenSheetFile(const std::string& path, CellTable& sheetTable, ListFileNames& names,
                         const LengthFormat& lengths);
ListResult OpenPartFile(const std::string& path, CellTable& partTable, ListFileNames& names,
                        const LengthFormat& lengths);
ListResult SaveSheetFile(const std::string& path, const CellTable& sheetTable,
                         ListFileNames& names);
ListResult SavePartFile(const std::string& path, const CellTable& partTable, ListFileNames& names);

}  // namespace tarvex
