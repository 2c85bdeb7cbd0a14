// What the layout exports share: their outcome, the data they read, and the
// helpers that keep user texts from breaking the line structure of a file.
#pragma once

#include <string>
#include <vector>

#include "io/TextFile.h"
#include "job/AppliedResult.h"
#include "job/OutputChoices.h"
#include "text/SingleLineText.h"

namespace tarvex {

// The outcome of one export, for the window's message box (information when ok,
// error otherwise) and the command line.
struct ExportOutcome {
    bool ok = false;  // nothing went wrong; the message says what was written
    std::string message;
};

// What an export reads: the applied result with the settings and the rows as typed
// it was made with, and the choices of the moment (colours, DXF extras, view
// options, prefix), which are not part of a plan.
struct ExportSource {
    const AppliedResult& result;
    const OutputChoices& choices;
};

// The refusal when the result has no layout of that index.
ExportOutcome NoSuchLayout(int layoutIndex);
ExportOutcome ExportFailed(const std::string& message);
// Writes the items, each followed by CR LF, atomically; "Congratulations! Exported
// successfully!" or the failure naming the file.
ExportOutcome WriteExportItems(const std::string& path, const std::vector<std::string>& items);

}  // namespace tarvex
