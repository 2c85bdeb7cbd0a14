#include "io/ListFiles.h"

#include <algorithm>
#include <optional>

#include "io/CellEntry.h"
#include "io/CsvLists.h"
#include "io/SpreadsheetImport.h"
#include "io/TextFile.h"
#include "job/EdgeBanding.h"
#include "text/FieldSplit.h"
#include "text/FileMessages.h"
#include "text/LengthText.h"
#include "text/NumberText.h"
#include "text/SingleLineText.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

constexpr int kFirst = CellTable::kFirstDataRow;

std::string AsciiLower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string BadGrain(const std::string& field) {
    return Substitute(_("the grain \"{1}\" is not length, width or none"), {field});
}

int CountLabelledRows(const CellTable& table) {
    int rows = 0;
    for (int r = kFirst; r < table.RowCount(); ++r) rows += table.Cell(r, 0).empty() ? 0 : 1;
    return rows;
}

// The fields a line has for the columns after the first ones (`first` fields:
// cost and priority included for a sheet, rotatable for a part). After TABs they
// are split at every TAB, so that an empty material keeps its place before a
// grain and a material may hold blanks; a line with fewer TABs has none (what
// followed the last field was never read), and a line without TABs gives the
// fields SplitFields finds after the first ones.
std::vector<std::string> LaterFields(const std::string& line, size_t first) {
    const std::string text = TrimControls(line);
    std::vector<std::string> fields;
    if (text.find('\t') == std::string::npos) {
        fields = SplitFields(text);
        fields.erase(fields.begin(), fields.begin() + std::min(first, fields.size()));
        return fields;
    }
    size_t start = 0;
    for (size_t k = 0; k < first && start != std::string::npos; ++k) {
        start = text.find('\t', start);
        if (start == std::string::npos) break;
        ++start;
        // Among the first fields runs of TABs and blanks collapse, as SplitFields has them.
        if (k + 1 < first)
            while (start < text.size() && static_cast<unsigned char>(text[start]) <= 32) ++start;
    }
    if (start == std::string::npos) return fields;
    for (;;) {
        const size_t tab = text.find('\t', start);
        fields.push_back(TrimControls(text.substr(start, tab - start)));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

std::string LaterField(const std::vector<std::string>& later, size_t index) {
    return index < later.size() ? later[index] : std::string();
}

// What stopped the text reader at a line; empty when the line was placed whole.
std::string PlaceTextLine(TableKind kind, const std::string& line,
                          const std::vector<std::string>& fields, const LengthFormat& lengths,
                          CellTable& t, int row, TableTotals& totals) {
    const bool sheet = kind == TableKind::Sheet;
    if (fields.size() < (sheet ? 4u : 5u)) {
        return Substitute(sheet ? _("a sheet line needs 4 fields (label, length, width, "
                                    "quantity), found {1}")
                                : _("a part line needs 5 fields (label, length, width, "
                                    "quantity, rotatable), found {1}"),
                          {std::to_string(fields.size())});
    }
    for (int c = 0; c < 4; ++c) t.SetCell(row, c, fields[c]);
    if (sheet) {
        t.SetCell(row, SheetCol::Cost,
                  fields.size() > 4 && !fields[4].empty() ? fields[4] : std::string("0"));
        t.SetCell(row, SheetCol::Priority,
                  fields.size() > 5 && !fields[5].empty() ? fields[5] : _("Yes"));
        t.SetCell(row, SheetCol::LeftQuant, fields[3]);
        const std::vector<std::string> later = LaterFields(line, 6);
        t.SetCell(row, SheetCol::Material, LaterField(later, 0));
        // A bad grain stays in its cell as the file has it, like a bad number.
        const std::optional<std::string> grain = GrainCell(LaterField(later, 1));
        t.SetCell(row, SheetCol::Grain, grain.value_or(LaterField(later, 1)));
        if (!grain) return BadGrain(LaterField(later, 1));
    } else {
        t.SetCell(row, PartCol::Rotatable, fields[4]);
        const std::vector<std::string> later = LaterFields(line, 5);
        t.SetCell(row, PartCol::Material, LaterField(later, 0));
        for (int e = 0; e < kEdgeCount; ++e)
            t.SetCell(row, PartCol::BandingL1 + e, LaterField(later, 1 + e));
    }
    const auto count = ParseInteger(fields[3]);
    if (!count) return Substitute(_("the quantity \"{1}\" is not a whole number"), {fields[3]});
    const auto length = ParseLength(fields[1], lengths);
    if (!length) return Substitute(_("the length \"{1}\" is not a number"), {fields[1]});
    const auto width = ParseLength(fields[2], lengths);
    if (!width) return Substitute(_("the width \"{1}\" is not a number"), {fields[2]});
    totals.Add(*length, *width, *count);
    if (sheet) {
        const std::string& costText = t.Cell(row, SheetCol::Cost);
        const auto unitCost = ParseNumber(costText);
        if (!unitCost) return Substitute(_("the cost \"{1}\" is not a number"), {costText});
        totals.cost += *unitCost * *count;
    }
    return {};
}

ListResult LoadText(TableKind kind, const std::string& path, const LengthFormat& lengths,
                    CellTable& t) {
    ListResult result;
    std::string text;
    if (!ReadTextFile(path, text, result.message)) {
        result.ok = false;
        return result;
    }
    KeepOneEmptyRow(t);
    const std::vector<std::string> lines = SplitLines(text);
    int row = kFirst - 1;
    TableTotals totals;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::vector<std::string> fields = SplitFields(lines[i]);
        if (fields.empty()) continue;
        ++row;
        const std::string fault = PlaceTextLine(kind, lines[i], fields, lengths, t, row, totals);
        if (!fault.empty()) {
            result.stopLine = static_cast<int>(i) + 1;
            result.message = StoppedAtLine(path, result.stopLine, fault);
            break;
        }
        ++result.rows;
        t.AppendRow();
    }
    WriteTotals(t, kind, totals);
    t.SetRowCount(std::max(row, kFirst) + 1);
    return result;
}

ListResult LoadList(TableKind kind, const std::string& path, CellTable& t, bool ignoreCase,
                    const LengthFormat& lengths) {
    if (path.empty()) return {};
    const bool sheet = kind == TableKind::Sheet;
    switch (ChooseListReader(kind, path, ignoreCase)) {
        case ListReader::Sectioned:
            return sheet ? LoadSheetIni(path, t, lengths) : LoadPartIni(path, t, lengths);
        case ListReader::Spreadsheet: {
            ListResult result;
            result.ok = sheet ? LoadSheetSpreadsheet(path, t, result.message, lengths)
                              : LoadPartSpreadsheet(path, t, result.message, lengths);
            if (result.ok) result.message.clear();
            result.rows = CountLabelledRows(t);
            return result;
        }
        case ListReader::Csv:
            return sheet ? LoadSheetCsv(path, t, lengths) : LoadPartCsv(path, t, lengths);
        case ListReader::Text:
            break;
    }
    return LoadText(kind, path, lengths, t);
}

std::string JoinFields(const std::vector<std::string>& cells) {
    std::string line;
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) line += '\t';
        // A TAB or line break in a cell would shift every later field or start a
        // bogus entry.
        line += SingleLineText(cells[i]);
    }
    return line;
}

std::string CostText(const std::string& cell) {
    return cell.empty() ? "0" : cell;
}

ListResult WriteList(const std::string& path, const std::vector<std::string>& lines) {
    ListResult result;
    result.ok = WriteLinesCrLf(path, lines, result.message);
    if (result.ok) result.rows = static_cast<int>(lines.size());
    return result;
}

// The fields of the later columns follow only when the row has them, so that a
// list without them is written as before. An empty Yes/No field before them would
// vanish among the TABs and shift them: it is written as what it means, No.
void AddLaterFields(std::vector<std::string>& fields, std::vector<std::string> later) {
    while (!later.empty() && TrimControls(later.back()).empty()) later.pop_back();
    if (later.empty()) return;
    if (TrimControls(fields.back()).empty()) fields.back() = _("No");
    fields.insert(fields.end(), later.begin(), later.end());
}

std::vector<std::string> SheetLines(const CellTable& t, bool leftQuant) {
    std::vector<std::string> lines;
    for (int r = kFirst; r < t.RowCount(); ++r) {
        if (t.Cell(r, SheetCol::Label).empty()) continue;
        const std::string& quant = t.Cell(r, leftQuant ? SheetCol::LeftQuant : SheetCol::Quant);
        if (leftQuant && (quant.empty() || quant == "0")) continue;
        std::vector<std::string> fields = {
            t.Cell(r, SheetCol::Label),          t.Cell(r, SheetCol::Length),
            t.Cell(r, SheetCol::Width),          quant,
            CostText(t.Cell(r, SheetCol::Cost)), t.Cell(r, SheetCol::Priority)};
        AddLaterFields(fields,
                       {t.Cell(r, SheetCol::Material), GrainFileWord(t.Cell(r, SheetCol::Grain))});
        lines.push_back(JoinFields(fields));
    }
    return lines;
}

std::vector<std::string> PartLines(const CellTable& t) {
    std::vector<std::string> lines;
    for (int r = kFirst; r < t.RowCount(); ++r) {
        if (t.Cell(r, PartCol::Label).empty()) continue;
        std::vector<std::string> fields = {t.Cell(r, PartCol::Label), t.Cell(r, PartCol::Length),
                                           t.Cell(r, PartCol::Width), t.Cell(r, PartCol::Quant),
                                           t.Cell(r, PartCol::Rotatable)};
        AddLaterFields(fields, {t.Cell(r, PartCol::Material), t.Cell(r, PartCol::BandingL1),
                                t.Cell(r, PartCol::BandingL2), t.Cell(r, PartCol::BandingW1),
                                t.Cell(r, PartCol::BandingW2)});
        lines.push_back(JoinFields(fields));
    }
    return lines;
}

}  // namespace

ListReader ChooseListReader(TableKind kind, const std::string& path, bool ignoreCase) {
    const std::string probe = ignoreCase ? AsciiLower(path) : path;
    if (probe.find(kind == TableKind::Sheet ? ".sht" : ".prt") != std::string::npos)
        return ListReader::Sectioned;
    if (probe.find(".xls") != std::string::npos) return ListReader::Spreadsheet;
    if (IsCsvPath(path)) return ListReader::Csv;
    return ListReader::Text;
}

ListResult LoadSheetList(const std::string& path, CellTable& sheetTable, bool ignoreCase,
                         const LengthFormat& lengths) {
    return LoadList(TableKind::Sheet, path, sheetTable, ignoreCase, lengths);
}

ListResult LoadPartList(const std::string& path, CellTable& partTable, bool ignoreCase,
                        const LengthFormat& lengths) {
    return LoadList(TableKind::Part, path, partTable, ignoreCase, lengths);
}

ListResult SaveSheetList(const std::string& path, const CellTable& sheetTable) {
    return WriteList(path, SheetLines(sheetTable, false));
}

ListResult SaveLeftSheets(const std::string& path, const CellTable& sheetTable) {
    return WriteList(path, SheetLines(sheetTable, true));
}

ListResult SavePartList(const std::string& path, const CellTable& partTable) {
    return WriteList(path, PartLines(partTable));
}

std::vector<std::string> ListLines(TableKind kind, const CellTable& table) {
    return kind == TableKind::Sheet ? SheetLines(table, false) : PartLines(table);
}

std::vector<std::string> ListContent(TableKind kind, const CellTable& table) {
    CellTable meaning = table;
    const int col = kind == TableKind::Sheet ? SheetCol::Priority : PartCol::Rotatable;
    for (int r = kFirst; r < meaning.RowCount(); ++r)
        if (const auto yes = ReadYesNo(meaning.Cell(r, col)))
            meaning.SetCell(r, col, *yes ? "1" : "0");
    return ListLines(kind, meaning);
}

ListResult OpenSheetFile(const std::string& path, CellTable& sheetTable, ListFileNames& names,
                         const LengthFormat& lengths) {
    names.SheetFileName = path;
    return LoadSheetList(path, sheetTable, true, lengths);
}

ListResult OpenPartFile(const std::string& path, CellTable& partTable, ListFileNames& names,
                        const LengthFormat& lengths) {
    names.PartFileName = path;
    return LoadPartList(path, partTable, true, lengths);
}

ListResult SaveSheetFile(const std::string& path, const CellTable& sheetTable,
                         ListFileNames& names) {
    names.SheetFileName = path;
    return SaveSheetList(path, sheetTable);
}

ListResult SavePartFile(const std::string& path, const CellTable& partTable, ListFileNames& names) {
    names.PartFileName = path;
    return SavePartList(path, partTable);
}

}  // namespace tarvex
