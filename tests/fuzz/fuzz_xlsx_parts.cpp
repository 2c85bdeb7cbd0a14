// The XML of an .xlsx package placed in a sound zip archive, so that the fuzzer
// works on the XML instead of the compression: the input is the package
// relationships, the workbook, its relationships, the shared strings and the
// sheet, separated by NUL bytes (which XML cannot hold).
#include <zip.h>

#include <array>
#include <string_view>

#include "FuzzFile.h"
#include "io/WorkbookReaders.h"

using namespace tarvex;

namespace {

constexpr std::array<const char*, 5> kParts = {"_rels/.rels", "xl/workbook.xml",
                                               "xl/_rels/workbook.xml.rels", "xl/sharedStrings.xml",
                                               "xl/worksheets/sheet1.xml"};

bool WritePackage(const std::string& path, std::string_view input) {
    zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, nullptr);
    if (!zip) return false;
    for (const char* name : kParts) {
        const size_t end = std::min(input.find('\0'), input.size());
        zip_source_t* source = zip_source_buffer(zip, input.data(), end, 0);
        const zip_int64_t index = source ? zip_file_add(zip, name, source, ZIP_FL_OVERWRITE) : -1;
        // Stored, not compressed: the archive is only the wrapping.
        if (index < 0 ||
            zip_set_file_compression(zip, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0) < 0) {
            if (index < 0) zip_source_free(source);
            zip_discard(zip);
            return false;
        }
        input.remove_prefix(std::min(end + 1, input.size()));
    }
    return zip_close(zip) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::AsFile(data, 0, "parts.xlsx");
    if (!WritePackage(path, {reinterpret_cast<const char*>(data), size})) return 0;
    SheetCells sheet;
    ReadXlsxSheet(path, 5, sheet);
    return 0;
}
