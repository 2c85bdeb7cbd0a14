#include <zip.h>

#include <charconv>
#include <cstring>
#include <pugixml.hpp>
#include <vector>

#include "io/WorkbookReaders.h"
#include "text/NumberText.h"

namespace tarvex {

namespace {

constexpr int kMaxRows = kMaxWorkbookRows;
constexpr int kMaxCols = 16384;  // the format's own limit
// Refuses parts that would inflate beyond reason (a crafted archive).
constexpr zip_uint64_t kMaxPartSize = 256u << 20;

class ZipArchive {
  public:
    explicit ZipArchive(const std::string& path)
        : zip_(zip_open(path.c_str(), ZIP_RDONLY, nullptr)) {}
    ~ZipArchive() {
        if (zip_) zip_discard(zip_);
    }
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    bool IsOpen() const { return zip_ != nullptr; }
    bool Has(const std::string& name) const { return zip_name_locate(zip_, name.c_str(), 0) >= 0; }

    // The whole part; a missing part reads as kNotWorkbook so the caller can decide.
    WorkbookFault Read(const std::string& name, std::string& out) const {
        const zip_int64_t index = zip_name_locate(zip_, name.c_str(), 0);
        if (index < 0) return WorkbookFault::kNotWorkbook;
        zip_stat_t st;
        if (zip_stat_index(zip_, static_cast<zip_uint64_t>(index), 0, &st) != 0 ||
            !(st.valid & ZIP_STAT_SIZE) || st.size > kMaxPartSize)
            return WorkbookFault::kDamaged;
        zip_file_t* file = zip_fopen_index(zip_, static_cast<zip_uint64_t>(index), 0);
        if (!file) {
            return zip_error_code_zip(zip_get_error(zip_)) == ZIP_ER_NOPASSWD
                       ? WorkbookFault::kEncrypted
                       : WorkbookFault::kDamaged;
        }
        out.assign(st.size, '\0');
        zip_uint64_t done = 0;
        while (done < st.size) {
            const zip_int64_t n = zip_fread(file, out.data() + done, st.size - done);
            if (n <= 0) break;
            done += static_cast<zip_uint64_t>(n);
        }
        // Reading to the end makes the library check the CRC.
        char probe;
        const bool atEnd = done == st.size && zip_fread(file, &probe, 1) == 0;
        zip_fclose(file);
        return atEnd ? WorkbookFault::kNone : WorkbookFault::kDamaged;
    }

  private:
    zip_t* zip_;
};

// Writers differ in namespace prefixes ("x:row" beside "row"); match local names.
const char* LocalName(const char* name) {
    const char* colon = std::strrchr(name, ':');
    return colon ? colon + 1 : name;
}

bool Is(const pugi::xml_node& node, const char* local) {
    return std::strcmp(LocalName(node.name()), local) == 0;
}

pugi::xml_node Child(const pugi::xml_node& node, const char* local) {
    for (pugi::xml_node child : node.children())
        if (Is(child, local)) return child;
    return {};
}

pugi::xml_attribute Attribute(const pugi::xml_node& node, const char* local) {
    for (pugi::xml_attribute a : node.attributes())
        if (std::strcmp(LocalName(a.name()), local) == 0) return a;
    return {};
}

WorkbookFault ParseXml(const std::string& text, pugi::xml_document& doc) {
    // Without parse_ws_pcdata_single a cell holding only blanks would read empty.
    const auto result = doc.load_buffer(text.data(), text.size(),
                                        pugi::parse_default | pugi::parse_ws_pcdata_single);
    return result ? WorkbookFault::kNone : WorkbookFault::kDamaged;
}

// "xl/workbook.xml" -> "xl/".
std::string FolderOf(const std::string& part) {
    const size_t slash = part.rfind('/');
    return slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
}

std::string RelationshipsOf(const std::string& part) {
    const size_t slash = part.rfind('/');
    const std::string name = slash == std::string::npos ? part : part.substr(slash + 1);
    return FolderOf(part) + "_rels/" + name + ".rels";
}

// Targets are absolute ("/xl/worksheets/sheet1.xml") in some writers and relative to
// the source part's folder ("worksheets/sheet1.xml", "../xl/...") in others.
std::string ResolveTarget(const std::string& sourceFolder, const std::string& target) {
    const std::string joined =
        (!target.empty() && target[0] == '/') ? target.substr(1) : sourceFolder + target;
    std::vector<std::string> segments;
    size_t start = 0;
    while (start <= joined.size()) {
        size_t end = joined.find('/', start);
        if (end == std::string::npos) end = joined.size();
        const std::string segment = joined.substr(start, end - start);
        if (segment == "..") {
            if (!segments.empty()) segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        start = end + 1;
    }
    std::string path;
    for (const std::string& s : segments) path += (path.empty() ? "" : "/") + s;
    return path;
}

struct Relationship {
    std::string id, type, target;
};

// The relationships of a part; a package without them gets none.
std::vector<Relationship> ReadRelationships(const ZipArchive& zip, const std::string& part,
                                            WorkbookFault& fault) {
    std::vector<Relationship> list;
    const std::string relsPart = RelationshipsOf(part);
    if (!zip.Has(relsPart)) return list;
    std::string text;
    pugi::xml_document doc;
    if ((fault = zip.Read(relsPart, text)) != WorkbookFault::kNone ||
        (fault = ParseXml(text, doc)) != WorkbookFault::kNone)
        return list;
    for (pugi::xml_node rel : Child(doc, "Relationships").children()) {
        if (!Is(rel, "Relationship")) continue;
        if (std::strcmp(rel.attribute("TargetMode").as_string(), "External") == 0) continue;
        list.push_back({rel.attribute("Id").as_string(), rel.attribute("Type").as_string(),
                        ResolveTarget(FolderOf(part), rel.attribute("Target").as_string())});
    }
    return list;
}

bool EndsWith(const std::string& text, const char* suffix) {
    const size_t n = std::strlen(suffix);
    return text.size() >= n && text.compare(text.size() - n, n, suffix) == 0;
}

// A string item (<si> of the shared strings, <is> of an inline string): plain text,
// or rich text in several runs to join. Phonetic runs (<rPh>) are not part of it.
std::string StringItemText(const pugi::xml_node& item) {
    std::string text;
    for (pugi::xml_node child : item.children()) {
        if (Is(child, "t")) {
            text += child.child_value();
        } else if (Is(child, "r")) {
            text += Child(child, "t").child_value();
        }
    }
    return text;
}

// The shared strings kept in the sheet, once each; `strings` gets their numbers there.
WorkbookFault ReadSharedStrings(const ZipArchive& zip, const std::string& part, SheetCells& sheet,
                                std::vector<std::uint32_t>& strings) {
    std::string text;
    pugi::xml_document doc;
    WorkbookFault fault = zip.Read(part, text);
    if (fault == WorkbookFault::kNone) fault = ParseXml(text, doc);
    if (fault != WorkbookFault::kNone) return fault;
    text.clear();
    for (pugi::xml_node si : Child(doc, "sst").children())
        if (Is(si, "si")) strings.push_back(sheet.AddText(StringItemText(si)));
    return WorkbookFault::kNone;
}

// "AB12" -> column 28, row 12.
bool ParseCellReference(const char* ref, int& row, int& col) {
    col = 0;
    const char* p = ref;
    for (; *p >= 'A' && *p <= 'Z'; ++p) {
        col = col * 26 + (*p - 'A' + 1);
        if (col > kMaxCols) return false;
    }
    if (p == ref) return false;
    const char* end = p + std::strlen(p);
    const auto [ptr, ec] = std::from_chars(p, end, row);
    return ec == std::errc() && ptr == end && row >= 1 && row <= kMaxRows;
}

bool ParseIndex(const char* text, int& value) {
    const char* end = text + std::strlen(text);
    const auto [ptr, ec] = std::from_chars(text, end, value);
    return ec == std::errc() && ptr == end;
}

// The number of the cell's text in the sheet: a shared string's own, or a text of
// its own kept for it.
WorkbookFault CellText(const pugi::xml_node& cell, const std::vector<std::uint32_t>& strings,
                       SheetCells& sheet, std::uint32_t& textNumber) {
    const std::string type = cell.attribute("t").as_string();
    const char* value = Child(cell, "v").child_value();
    std::string text;
    if (type == "s") {
        if (!*value) return WorkbookFault::kNone;
        int index = 0;
        if (!ParseIndex(value, index) || index < 0 || index >= static_cast<int>(strings.size()))
            return WorkbookFault::kDamaged;
        textNumber = strings[static_cast<size_t>(index)];
        return WorkbookFault::kNone;
    } else if (type == "inlineStr") {
        text = StringItemText(Child(cell, "is"));
    } else if (type.empty() || type == "n") {
        // Numbers come as "1200", "600.5", "1E-07" or "1e-07".
        const auto number = ParseNumber(value);
        text = number ? FormatGeneral(*number) : value;
    } else {
        text = value;  // formula strings, booleans ("1"), errors, ISO dates
    }
    textNumber = sheet.AddText(std::move(text));
    return WorkbookFault::kNone;
}

WorkbookFault ReadCells(const pugi::xml_node& worksheet, const std::vector<std::uint32_t>& strings,
                        int columns, SheetCells& sheet) {
    int row = 0;
    for (pugi::xml_node rowNode : Child(worksheet, "sheetData").children()) {
        if (!Is(rowNode, "row")) continue;
        // Row and cell references are optional: missing ones follow the previous.
        const pugi::xml_attribute rowRef = rowNode.attribute("r");
        if (rowRef) {
            if (!ParseIndex(rowRef.value(), row) || row < 1 || row > kMaxRows)
                return WorkbookFault::kDamaged;
        } else if (++row > kMaxRows) {
            return WorkbookFault::kDamaged;
        }
        int col = 0;
        for (pugi::xml_node cell : rowNode.children()) {
            if (!Is(cell, "c")) continue;
            int cellRow = row;
            if (const pugi::xml_attribute ref = cell.attribute("r")) {
                if (!ParseCellReference(ref.value(), cellRow, col)) return WorkbookFault::kDamaged;
            } else if (++col > kMaxCols) {
                return WorkbookFault::kDamaged;
            }
            if (col > columns) continue;
            std::uint32_t text = 0;
            if (const WorkbookFault fault = CellText(cell, strings, sheet, text);
                fault != WorkbookFault::kNone)
                return fault;
            sheet.SetCellText(cellRow, col, text);
            if (sheet.TextBytes() > kMaxWorkbookTextBytes) return WorkbookFault::kTooMuchText;
        }
    }
    return WorkbookFault::kNone;
}

// The workbook part named by the package relationships ("xl/workbook.xml" by default).
std::string WorkbookPart(const ZipArchive& zip, WorkbookFault& fault) {
    for (const Relationship& rel : ReadRelationships(zip, "", fault))
        if (EndsWith(rel.type, "/officeDocument")) return rel.target;
    return "xl/workbook.xml";
}

}  // namespace

WorkbookFault ReadXlsxSheet(const std::string& path, int columns, SheetCells& sheet) {
    ZipArchive zip(path);
    if (!zip.IsOpen()) return WorkbookFault::kDamaged;

    WorkbookFault fault = WorkbookFault::kNone;
    const std::string workbookPart = WorkbookPart(zip, fault);
    if (fault != WorkbookFault::kNone) return fault;
    std::string text;
    pugi::xml_document workbook;
    // A zip without a workbook part is some other document (or a plain archive).
    if ((fault = zip.Read(workbookPart, text)) != WorkbookFault::kNone) return fault;
    if ((fault = ParseXml(text, workbook)) != WorkbookFault::kNone) return fault;

    const pugi::xml_node root = Child(workbook, "workbook");
    std::vector<std::string> sheetIds;
    for (pugi::xml_node s : Child(root, "sheets").children())
        if (Is(s, "sheet")) sheetIds.push_back(Attribute(s, "id").as_string());
    if (sheetIds.empty()) return WorkbookFault::kDamaged;
    const unsigned activeTab =
        Child(Child(root, "bookViews"), "workbookView").attribute("activeTab").as_uint(0);
    const std::string& sheetId = sheetIds[activeTab < sheetIds.size() ? activeTab : 0];

    std::string sheetPart, stringsPart;
    for (const Relationship& rel : ReadRelationships(zip, workbookPart, fault)) {
        if (rel.id == sheetId) sheetPart = rel.target;
        if (EndsWith(rel.type, "/sharedStrings")) stringsPart = rel.target;
    }
    if (fault != WorkbookFault::kNone) return fault;
    if (sheetPart.empty()) return WorkbookFault::kDamaged;

    std::vector<std::uint32_t> strings;
    if (!stringsPart.empty() &&
        (fault = ReadSharedStrings(zip, stringsPart, sheet, strings)) != WorkbookFault::kNone)
        return fault == WorkbookFault::kNotWorkbook ? WorkbookFault::kDamaged : fault;

    pugi::xml_document worksheet;
    if ((fault = zip.Read(sheetPart, text)) == WorkbookFault::kNone)
        fault = ParseXml(text, worksheet);
    if (fault != WorkbookFault::kNone)
        return fault == WorkbookFault::kNotWorkbook ? WorkbookFault::kDamaged : fault;
    text.clear();
    return ReadCells(Child(worksheet, "worksheet"), strings, columns, sheet);
}

}  // namespace tarvex
