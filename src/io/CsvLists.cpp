#include "io/CsvLists.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "io/CellEntry.h"
#include "io/CsvText.h"
#include "io/EntryTables.h"
#include "io/TextFile.h"
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

// The table row of one record, or why it cannot be one.
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
    totals.Add(*l, *w, *q);
    if (!sheet) {
        row = {label, length, width, quant, yesNo};
        return {};
    }
    if (cost.empty()) cost.push_back('0');
    const auto c = ParseNumber(cost);
    if (!c) return Substitute(_("the cost \"{1}\" is not a number"), {cost});
    totals.cost += *c * *q;
    row = {label, length, width, quant, cost, yesNo, quant};
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
    if (records.size() > 1 &&
        AreSizeCaptions(Field(records[0].fields, 1), Field(records[0].fields, 2)))
        records.erase(records.begin());

    KeepOneEmptyRow(table);
    TableTotals totals;
    int row = CellTable::kFirstDataRow;
    for (const CsvRecord& record : records) {
        Fields cells;
        TableTotals added = totals;
        const std::string fault = ReadRecord(kind, record.fields, separator, lengths, cells, added);
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
