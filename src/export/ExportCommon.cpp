#include "export/ExportCommon.h"

#include "io/TextFile.h"
#include "text/FileMessages.h"
#include "text/Translate.h"

namespace tarvex {

ExportOutcome NoSuchLayout(int layoutIndex) {
    return {false,
            Substitute(_("The result has no layout {1}."), {std::to_string(layoutIndex + 1)})};
}

ExportOutcome ExportFailed(const std::string& message) {
    return {false, message};
}

ExportOutcome WriteExportItems(const std::string& path, const std::vector<std::string>& items) {
    std::string error;
    if (!WriteLinesCrLf(path, items, error)) return ExportFailed(error);
    return {true, _("Congratulations! Exported successfully!")};
}

}  // namespace tarvex
