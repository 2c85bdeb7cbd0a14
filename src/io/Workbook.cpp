#include "io/Workbook.h"

#include <fstream>

#include "io/RegularFile.h"
#include "io/WorkbookReaders.h"
#include "text/FileMessages.h"
#include "text/Translate.h"

namespace {

enum class Container { kUnknown, kCompoundDocument, kZip };

// The leading bytes decide, not the name: workbooks are often saved as .xls by
// programs that write the XML format.
Container Sniff(const std::string& head) {
    static const std::string kCompound("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    static const std::string kZip("PK\x03\x04", 4);
    if (head.compare(0, kCompound.size(), kCompound) == 0) return Container::kCompoundDocument;
    if (head.compare(0, kZip.size(), kZip) == 0) return Container::kZip;
    return Container::kUnknown;
}

std::string Reason(WorkbookFault fault) {
    switch (fault) {
        case WorkbookFault::kEncrypted:
            return _("the workbook is protected by a password");
        case WorkbookFault::kDamaged:
            return _("the file is damaged or incomplete");
        default:
            return _("the file is not an .xls or .xlsx workbook");
    }
}

}  // namespace

const std::string& SheetCells::Cell(int row, int col) const {
    static const std::string kEmpty;
    const auto found = rows_.find(row);
    if (found == rows_.end() || col < 1 || col > static_cast<int>(found->second.size()))
        return kEmpty;
    return found->second[static_cast<size_t>(col) - 1];
}

void SheetCells::SetCell(int row, int col, std::string text) {
    if (text.empty() || row < 1 || col < 1) return;
    std::vector<std::string>& cells = rows_[row];
    if (static_cast<int>(cells.size()) < col) cells.resize(static_cast<size_t>(col));
    cells[static_cast<size_t>(col) - 1] = std::move(text);
}

bool ReadWorkbookSheet(const std::string& path, int columns, SheetCells& sheet,
                       std::string& error) {
    if (const std::string fault = RegularFileFault(path, kMaxWorkbookBytes); !fault.empty()) {
        error =
            Substitute(_("Cannot open the workbook \"{1}\": {2}"), {PrintablePath(path), fault});
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    std::string head(8, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<size_t>(in.gcount()));
    in.close();

    SheetCells read;
    WorkbookFault fault = WorkbookFault::kNotWorkbook;
    switch (Sniff(head)) {
        case Container::kCompoundDocument:
            fault = ReadXlsSheet(path, columns, read);
            break;
        case Container::kZip:
            fault = ReadXlsxSheet(path, columns, read);
            break;
        case Container::kUnknown:
            break;
    }
    if (fault != WorkbookFault::kNone) {
        error = Substitute(_("Cannot read the workbook \"{1}\": {2}"), {path, Reason(fault)});
        return false;
    }
    sheet = std::move(read);
    return true;
}
