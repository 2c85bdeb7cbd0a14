#include "io/CsvLists.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <utility>

#include "io/CellEntry.h"
#include "io/CsvText.h"
#include "io/EntryTables.h"
#include "io/TextFile.h"
#include "job/EdgeBanding.h"
#include "text/FieldSplit.h"
#include "text/FileMessages.h"
#include "text/Languages.h"
#include "text/LengthText.h"
#include "text/NumberText.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

using Fields = std::vector<std::string>;

std::string Field(const Fields& fields, size_t index) {
    return index < fields.size() ? fields[index] : std::string();
}

bool IsBlank(const Fields& fields) {
    for (const std::string& f : fields)
        if (!f.empty()) return false;
    return true;
}

// Spreadsheets that separate with ";" write "564,5" for 564.5.
std::string DecimalPoint(std::string cell, char separator) {
    if (separator == ';' && cell.find('.') == std::string::npos &&
        std::count(cell.begin(), cell.end(), ',') == 1)
        cell[cell.find(',')] = '.';
    return cell;
}

// The columns after the first ones (a sheet's six, a part's five), in their order.
constexpr const char* kSheetLaterCaptions[] = {"Material", "Grain"};
constexpr const char* kPartLaterCaptions[] = {"Material", "L1", "L2", "W1", "W2"};

size_t FirstColumns(TableKind kind) {
    return kind == TableKind::Sheet ? 6 : 5;
}

std::vector<const char*> LaterCaptions(TableKind kind) {
    if (kind == TableKind::Sheet)
        return {std::begin(kSheetLaterCaptions), std::end(kSheetLaterCaptions)};
    return {std::begin(kPartLaterCaptions), std::end(kPartLaterCaptions)};
}

// For each later column, the field that a heading cell names for it, if any.
using NamedColumns = std::vector<std::optional<size_t>>;

NamedColumns NamedInHeading(TableKind kind, const Fields& heading) {
    NamedColumns named;
    for (const char* caption : LaterCaptions(kind)) {
        std::optional<size_t> found;
        for (size_t i = 0; i < heading.size() && !found; ++i)
            if (NamesColumn(heading[i], caption)) found = i;
        named.push_back(found);
    }
    return named;
}

// A first record whose size fields hold captions, or name later columns moved there
// (the banding captions hold digits, which a caption of the sizes may not).
bool IsHeading(TableKind kind, const Fields& first) {
    const auto caption = [&](size_t i) {
        const std::string field = Field(first, i);
        for (const char* later : LaterCaptions(kind))
            if (NamesColumn(field, later)) return std::string("caption");
        return field;
    };
    return AreSizeCaptions(caption(1), caption(2));
}

// The record's fields in the columns' order: the fields no heading names stand
// for the first columns and then for the later columns left unnamed.
Fields InColumnOrder(TableKind kind, const Fields& in, const NamedColumns& named) {
    const auto isNamed = [&](size_t i) {
        return std::find(named.begin(), named.end(), std::optional<size_t>(i)) != named.end();
    };
    Fields unnamed;
    for (size_t i = 0; i < in.size(); ++i)
        if (!isNamed(i)) unnamed.push_back(in[i]);
    const size_t first = FirstColumns(kind);
    Fields ordered(first);
    for (size_t i = 0; i < first; ++i) ordered[i] = Field(unnamed, i);
    size_t next = first;
    for (const std::optional<size_t>& column : named)
        ordered.push_back(column ? Field(in, *column) : Field(unnamed, next++));
    return ordered;
}

// The table row of one record (its fields in the columns' order), or why it
// cannot be one.
std::string ReadRecord(TableKind kind, const Fields& in, char separator,
                       const LengthFormat& lengths, Fields& row, TableTotals& totals) {
    const bool sheet = kind == TableKind::Sheet;
    const auto number = [&](size_t i) { return DecimalPoint(Field(in, i), separator); };
    std::string label = Field(in, 0), length = number(1), width = number(2);
    std::string quant = Field(in, 3), flag = Field(in, sheet ? 5 : 4), cost = number(4);
    // A part's quantity and flag may come in either order, as in a workbook; a
    // quantity that is not a whole number stays where it is, to be named.
    if (!sheet && !ParseInteger(quant) && (quant.empty() || ReadYesNo(quant)))
        std::swap(quant, flag);
    if (label.empty()) return _("the label is empty");
    const auto l = ParseLength(length, lengths);
    if (!l) return Substitute(_("the length \"{1}\" is not a number"), {length});
    const auto w = ParseLength(width, lengths);
    if (!w) return Substitute(_("the width \"{1}\" is not a number"), {width});
    const auto q = ParseInteger(quant);
    if (!q) return Substitute(_("the quantity \"{1}\" is not a whole number"), {quant});
    if (*q < 0) return Substitute(_("the quantity \"{1}\" must not be negative"), {quant});
    // Cells the row leaves out take a new table row's values: a part may be turned,
    // a sheet is not one to use first.
    const std::optional<bool> yes = flag.empty() ? !sheet : ReadYesNo(flag);
    if (!yes) return Substitute(_("\"{1}\" is neither Yes nor No"), {flag});
    const std::string yesNo = *yes ? _("Yes") : _("No");
    const std::string material = TrimControls(Field(in, FirstColumns(kind)));
    if (!sheet) {
        totals.Add(*l, *w, *q);
        row = {label, length, width, quant, yesNo, material};
        for (size_t e = 1; e <= kEdgeCount; ++e)
            row.push_back(TrimControls(Field(in, FirstColumns(kind) + e)));
        return {};
    }
    if (cost.empty()) cost.push_back('0');
    const auto c = ParseNumber(cost);
    if (!c) return Substitute(_("the cost \"{1}\" is not a number"), {cost});
    const std::string grainField = Field(in, FirstColumns(kind) + 1);
    const std::optional<std::string> grain = GrainCell(grainField);
    if (!grain)
        return Substitute(_("the grain \"{1}\" is not length, width or none"), {grainField});
    totals.Add(*l, *w, *q);
    totals.cost += *c * *q;
    row = {label, length, width, quant, cost, yesNo, quant, material, *grain};
    return {};
}

ListResult LoadCsv(TableKind kind, const std::string& path, const LengthFormat& lengths,
                   CellTable& table) {
    ListResult result;
    std::string text;
    if (!ReadTextFile(path, text, result.message)) {
        result.ok = false;
        return result;
    }
    const char separator = DetectCsvSeparator(text);
    std::vector<CsvRecord> records;
    int unclosed = 0;
    const bool whole = ParseCsv(text, separator, records, unclosed);
    std::erase_if(records, [](const CsvRecord& r) { return IsBlank(r.fields); });
    NamedColumns named(LaterCaptions(kind).size());
    if (records.size() > 1 && IsHeading(kind, records[0].fields)) {
        named = NamedInHeading(kind, records[0].fields);
        records.erase(records.begin());
    }

    KeepOneEmptyRow(table);
    TableTotals totals;
    int row = CellTable::kFirstDataRow;
    for (const CsvRecord& record : records) {
        Fields cells;
        TableTotals added = totals;
        const std::string fault = ReadRecord(kind, InColumnOrder(kind, record.fields, named),
                                             separator, lengths, cells, added);
        if (!fault.empty()) {
            result.stopLine = record.line;
            result.message = StoppedAtLine(path, record.line, fault);
            break;
        }
        totals = added;
        if (row >= table.RowCount()) table.AppendRow();
        for (size_t c = 0; c < cells.size(); ++c) table.SetCell(row, static_cast<int>(c), cells[c]);
        ++row;
        ++result.rows;
    }
    if (!whole && result.message.empty()) {
        result.stopLine = unclosed;
        result.message =
            StoppedAtLine(path, unclosed, _("a quoted field is not closed by a second quote"));
    }
    WriteTotals(table, kind, totals);
    return result;
}

}  // namespace

bool IsCsvPath(const std::string& path) {
    return path.size() >= 4 && AsciiLower(path.substr(path.size() - 4)) == ".csv";
}

ListResult LoadSheetCsv(const std::string& path, CellTable& sheetTable,
                        const LengthFormat& lengths) {
    return LoadCsv(TableKind::Sheet, path, lengths, sheetTable);
}

ListResult LoadPartCsv(const std::string& path, CellTable& partTable, const LengthFormat& lengths) {
    return LoadCsv(TableKind::Part, path, lengths, partTable);
}

}  // namespace tarvex
