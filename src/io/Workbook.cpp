#include "io/Workbook.h"

#include <fstream>

#include "io/CellAnswer.h"
#include "io/RegularFile.h"
#include "io/WorkbookReaders.h"
#include "text/FileMessages.h"
#include "text/Translate.h"

namespace tarvex {

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
        case WorkbookFault::kTooMuchText:
            return Substitute(_("its cells hold more than {1} MB of text"),
                              {std::to_string(kMaxWorkbookTextBytes >> 20)});
        default:
            return _("the file is not an .xls or .xlsx workbook");
    }
}

std::string Reason(const ChildOutcome& child, const ChildLimits& limits) {
    switch (child.end) {
        case ChildOutcome::End::kOutOfMemory:
            return Substitute(_("reading it needed more than {1} MB of memory"),
                              {std::to_string(limits.memoryBytes >> 20)});
        case ChildOutcome::End::kOutOfTime:
            return Substitute(_("reading it took longer than {1} seconds"),
                              {std::to_string(limits.seconds)});
        case ChildOutcome::End::kCrashed:
            return Substitute(_("the reader crashed on it (signal {1})"),
                              {std::to_string(child.signal)});
        default:
            return _("the reader gave no valid answer");
    }
}

// Room for the texts at their limit and every cell of the columns a list reads.
constexpr std::uint64_t kMaxAnswerBytes =
    kMaxWorkbookTextBytes * 2 + std::uint64_t{kMaxWorkbookRows} * 7 * 12;

}  // namespace

const std::string& SheetCells::Cell(int row, int col) const {
    const auto found = rows_.find(row);
    if (found == rows_.end() || col < 1 || col > static_cast<int>(found->second.size()))
        return texts_[0];
    return texts_[found->second[static_cast<size_t>(col) - 1]];
}

std::uint32_t SheetCells::AddText(std::string text) {
    if (text.empty()) return 0;
    texts_.push_back(std::move(text));
    return static_cast<std::uint32_t>(texts_.size() - 1);
}

void SheetCells::SetCellText(int row, int col, std::uint32_t text) {
    if (text == 0 || text >= texts_.size() || row < 1 || col < 1) return;
    std::vector<std::uint32_t>& cells = rows_[row];
    if (static_cast<int>(cells.size()) < col) cells.resize(static_cast<size_t>(col));
    std::uint32_t& cell = cells[static_cast<size_t>(col) - 1];
    textBytes_ += texts_[text].size() - texts_[cell].size();
    cell = text;
}

std::string ReadWorkbookAnswer(const std::string& path, int columns) {
    std::ifstream in(path, std::ios::binary);
    std::string head(8, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<size_t>(in.gcount()));
    in.close();

    SheetCells sheet;
    WorkbookFault fault = WorkbookFault::kNotWorkbook;
    switch (Sniff(head)) {
        case Container::kCompoundDocument:
            fault = ReadXlsSheet(path, columns, sheet);
            break;
        case Container::kZip:
            fault = ReadXlsxSheet(path, columns, sheet);
            break;
        case Container::kUnknown:
            break;
    }
    return EncodeCellAnswer(fault, sheet);
}

bool ReadWorkbookSheetWith(WorkbookChildWork work, const ChildLimits& limits,
                           const std::string& path, int columns, SheetCells& sheet,
                           std::string& error) {
    if (const std::string fault = RegularFileFault(path, kMaxWorkbookBytes); !fault.empty()) {
        error =
            Substitute(_("Cannot open the workbook \"{1}\": {2}"), {PrintablePath(path), fault});
        return false;
    }
    const ChildOutcome child =
        RunInChild([&] { return work(path, columns); }, limits, kMaxAnswerBytes);
    WorkbookFault fault = WorkbookFault::kNone;
    SheetCells read;
    std::string reason;
    if (child.end != ChildOutcome::End::kAnswered)
        reason = Reason(child, limits);
    else if (!DecodeCellAnswer(child.answer, columns, fault, read))
        reason = _("the reader gave no valid answer");
    else if (fault != WorkbookFault::kNone)
        reason = Reason(fault);
    if (!reason.empty()) {
        error = Substitute(_("Cannot read the workbook \"{1}\": {2}"), {path, reason});
        return false;
    }
    sheet = std::move(read);
    return true;
}

bool ReadWorkbookSheet(const std::string& path, int columns, SheetCells& sheet,
                       std::string& error) {
    return ReadWorkbookSheetWith(ReadWorkbookAnswer, kWorkbookReaderLimits, path, columns, sheet,
                                 error);
}

}  // namespace tarvex
