// What the layout exports share: their outcome, the data they read, and the
// helpers that keep user texts from breaking the line structure of a file.
#pragma once

#include <string>
#include <vector>

#include "job/AppliedResult.h"
#include "io/CellTable.h"
#include "io/SettingsForm.h"
#include "text/SingleLineText.h"

// The outcome of one export, for the window's message box (information when ok,
// error otherwise) and the command line.
struct ExportOutcome {
    bool ok = false;  // nothing went wrong; the message says what was written
    std::string message;
};

// What an export reads besides the job settings of the last calculation.
struct ExportSource {
    const AppliedResult& result;
    const CellTable& partTable;  // the part table as typed
    const SettingsForm& settings;
};

// The refusal when the result has no layout of that index.
ExportOutcome NoSuchLayout(int layoutIndex);
ExportOutcome ExportFailed(const std::string& message);
// Writes the items, each followed by CR LF, atomically; "Congratulations! Exported
// successfully!" or the failure naming the file.
ExportOutcome WriteExportItems(const std::string& path, const std::vector<std::string>& items);

// The local date and time as the exports stamp them (strftime "%Y/%m/%d %X").
std::string ExportTimeStamp();

// The cells of a label as the part table holds them, from the first data row whose
// label equals it, exactly or ignoring letter case. A label no longer in the table
// (edited after the calculation) gives empty cells, so that its row is still written.
struct TypedPart {
    std::string length, width, rotatable;
};
TypedPart LookUpTypedPart(const CellTable& partTable, const std::string& label, bool ignoreCase);
