#include <freexl.h>

#include <algorithm>
#include <fstream>
#include <unordered_map>

#include "io/WorkbookReaders.h"
#include "text/NumberText.h"

namespace tarvex {

namespace {

// Closes the handle on every path out, as the library asks even after a failed open.
class XlsHandle {
  public:
    ~XlsHandle() {
        if (handle_) freexl_close(handle_);
    }
    const void** Out() { return &handle_; }
    const void* Get() const { return handle_; }

  private:
    const void* handle_ = nullptr;
};

// A password-protected .xlsx is a compound document too: instead of a "Workbook"
// stream it holds "EncryptedPackage". Its directory names are UTF-16LE.
bool HoldsEncryptedPackage(const std::string& path) {
    constexpr std::streamoff kScanLimit = 64 << 20;
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = std::min<std::streamoff>(in.tellg(), kScanLimit);
    if (size <= 0) return false;
    std::string bytes(static_cast<size_t>(size), '\0');
    in.seekg(0);
    in.read(bytes.data(), size);
    bytes.resize(static_cast<size_t>(in.gcount()));
    std::string marker;
    for (char c : std::string("EncryptedPackage")) marker += {c, '\0'};
    return bytes.find(marker) != std::string::npos;
}

WorkbookFault FaultOfOpen(int rc, const std::string& path) {
    switch (rc) {
        case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
            return HoldsEncryptedPackage(path) ? WorkbookFault::kEncrypted
                                               : WorkbookFault::kNotWorkbook;
        case FREEXL_INVALID_CFBF_HEADER:
            return WorkbookFault::kNotWorkbook;
        default:
            return WorkbookFault::kDamaged;
    }
}

}  // namespace

WorkbookFault ReadXlsSheet(const std::string& path, int columns, SheetCells& sheet) {
    XlsHandle xls;
    const int rc = freexl_open(path.c_str(), xls.Out());
    if (rc != FREEXL_OK) return FaultOfOpen(rc, path);

    // An encrypted (obfuscated) workbook still opens, but its cells are ciphertext.
    unsigned int password = 0;
    if (freexl_get_info(xls.Get(), FREEXL_BIFF_PASSWORD, &password) != FREEXL_OK)
        return WorkbookFault::kDamaged;
    if (password == FREEXL_BIFF_OBFUSCATED) return WorkbookFault::kEncrypted;

    if (freexl_select_active_worksheet(xls.Get(), 0) != FREEXL_OK) return WorkbookFault::kDamaged;
    unsigned int rows = 0;
    unsigned short cols = 0;
    if (freexl_worksheet_dimensions(xls.Get(), &rows, &cols) != FREEXL_OK)
        return WorkbookFault::kDamaged;

    const unsigned int readCols = std::min<unsigned int>(cols, static_cast<unsigned>(columns));
    // Cells of the shared string table point to the same text; keep it once.
    std::unordered_map<const char*, std::uint32_t> shared;
    for (unsigned int r = 0; r < rows; ++r) {
        for (unsigned int c = 0; c < readCols; ++c) {
            FreeXL_CellValue value;
            if (freexl_get_cell_value(xls.Get(), r, static_cast<unsigned short>(c), &value) !=
                FREEXL_OK)
                return WorkbookFault::kDamaged;
            std::string text;
            std::uint32_t number = 0;
            switch (value.type) {
                case FREEXL_CELL_INT:
                    text = std::to_string(value.value.int_value);
                    break;
                case FREEXL_CELL_DOUBLE:
                    text = FormatGeneral(value.value.double_value);
                    break;
                case FREEXL_CELL_SST_TEXT:
                    if (!value.value.text_value) break;
                    if (const auto found = shared.find(value.value.text_value);
                        found != shared.end()) {
                        number = found->second;
                    } else {
                        number = sheet.AddText(value.value.text_value);
                        shared.emplace(value.value.text_value, number);
                    }
                    break;
                case FREEXL_CELL_TEXT:
                case FREEXL_CELL_DATE:
                case FREEXL_CELL_DATETIME:
                case FREEXL_CELL_TIME:
                    if (value.value.text_value) text = value.value.text_value;
                    break;
                default:
                    break;
            }
            if (number == 0) number = sheet.AddText(std::move(text));
            sheet.SetCellText(static_cast<int>(r) + 1, static_cast<int>(c) + 1, number);
            if (sheet.TextBytes() > kMaxWorkbookTextBytes) return WorkbookFault::kTooMuchText;
        }
    }
    return WorkbookFault::kNone;
}

}  // namespace tarvex
