#include "export/ExportCommon.h"

#include <QString>
#include <ctime>

#include "io/EntryTables.h"
#include "text/FileMessages.h"
#include "io/TextFile.h"
#include "text/Translate.h"

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

std::string ExportTimeStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[64];
    if (std::strftime(buffer, sizeof buffer, "%Y/%m/%d %X", &local) > 0 && IsValidUtf8(buffer))
        return buffer;
    // A locale whose time format is not UTF-8 text would corrupt a UTF-8 file.
    std::strftime(buffer, sizeof buffer, "%Y/%m/%d %H:%M:%S", &local);
    return buffer;
}

TypedPart LookUpTypedPart(const CellTable& partTable, const std::string& label, bool ignoreCase) {
    const QString wanted = QString::fromStdString(label);
    for (int row = CellTable::kFirstDataRow; row < partTable.RowCount(); ++row) {
        const std::string& cell = partTable.Cell(row, PartCol::Label);
        if (ignoreCase ? QString::fromStdString(cell).compare(wanted, Qt::CaseInsensitive) == 0
                       : cell == label)
            return {partTable.Cell(row, PartCol::Length), partTable.Cell(row, PartCol::Width),
                    partTable.Cell(row, PartCol::Rotatable)};
    }
    return {};
}
