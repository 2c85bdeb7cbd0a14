// Printing on the printer chosen in the page setup: layouts one per page with
// their text block, and the report as plain lines.
#pragma once

#include <string>
#include <vector>

#include "io/CellTable.h"
#include "job/AppliedResult.h"
#include "render/LayoutDrawing.h"

class QPrinter;
class QWidget;

namespace tarvex {

class Dialogs;
class Messages;

class Printing {
  public:
    Printing(Dialogs& dialogs, const Messages& messages, QWidget& window, QPrinter& printer)
        : dialogs_(dialogs), messages_(messages), window_(window), printer_(printer) {}

    // After the print dialog: one document, one page per layout, in the given order.
    void PrintLayouts(const AppliedResult& result, const std::vector<int>& layouts,
                      const LayoutDrawOptions& options);
    // After the print dialog: the lines in a font of fixed pitch, so columns line up.
    void PrintReport(const std::vector<std::string>& lines, const std::string& title);

  private:
    // Shows the print dialog and prepares the document; false when cancelled.
    bool BeginDocument(const std::string& title);

    Dialogs& dialogs_;
    const Messages& messages_;
    QWidget& window_;
    QPrinter& printer_;
};

}  // namespace tarvex
