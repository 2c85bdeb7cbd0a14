#include "io/EntryTables.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "text/CaseFold.h"
#include "text/FieldSplit.h"
#include "text/Languages.h"
#include "text/LengthText.h"
#include "text/NumberText.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

constexpr int kTotalsRow = 0;
constexpr int kHeaderRow = 1;
constexpr int kFirst = CellTable::kFirstDataRow;
// Totals sit under Width, Quant and Cost in both tables.
constexpr int kTotalArea = 2, kTotalQuant = 3, kTotalCost = 4;

// The last column the Enter key walks through.
int LastEditableCol(TableKind kind) {
    return kind == TableKind::Sheet ? SheetCol::Grain : PartCol::BandingW2;
}

int YesNoCol(TableKind kind) {
    return kind == TableKind::Sheet ? SheetCol::Priority : PartCol::Rotatable;
}

int ColumnCount(TableKind kind) {
    return kind == TableKind::Sheet ? SheetCol::Count : PartCol::Count;
}

CellTable NewTable(TableKind kind, int dataRows) {
    CellTable table(kFirst + dataRows, ColumnCount(kind));
    WriteFixedRows(table, kind);
    for (int r = kFirst; r < table.RowCount(); ++r) table.SetCell(r, YesNoCol(kind), _("Yes"));
    return table;
}

// Totals may be rounded to nothing after subtractions; never show "-0.0".
double CleanZero(double value) {
    return std::fabs(value) < 0.05 ? 0.0 : value;
}

std::optional<double> ParseGrouped(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), ','), text.end());
    return ParseNumber(text);
}

// Takes the row out of the totals; leaves them alone when any text fails to convert.
void SubtractRowFromTotals(CellTable& t, TableKind kind, int row, const LengthFormat& lengths) {
    const auto area = ParseGrouped(t.Cell(kTotalsRow, kTotalArea));
    const auto quantity = ParseInteger(t.Cell(kTotalsRow, kTotalQuant));
    const auto length = ParseLength(t.Cell(row, SheetCol::Length), lengths);
    const auto width = ParseLength(t.Cell(row, SheetCol::Width), lengths);
    const auto count = ParseInteger(t.Cell(row, SheetCol::Quant));
    if (!area || !quantity || !length || !width || !count) return;
    double cost = 0;
    if (kind == TableKind::Sheet) {
        const auto costTotal = ParseGrouped(t.Cell(kTotalsRow, kTotalCost));
        const auto unitCost = ParseNumber(t.Cell(row, SheetCol::Cost));
        if (!costTotal || !unitCost) return;
        cost = *costTotal - *unitCost * *count;
    }
    WriteTotals(t, kind, *area - *length * *width * *count,
                static_cast<long long>(*quantity) - *count, cost);
}

}  // namespace

const std::vector<ColumnInfo>& TableColumns(TableKind kind) {
    static const std::vector<ColumnInfo> sheet = {
        {"Label", 199, CellEditing::Text},     {"Length", 83, CellEditing::Number},
        {"Width", 91, CellEditing::Number},    {"Quant", 64, CellEditing::Number},
        {"Cost", 64, CellEditing::Number},     {"Priority", 64, CellEditing::YesNo},
        {"Left Quant", 62, CellEditing::None}, {"Material", 120, CellEditing::Text},
        {"Grain", 70, CellEditing::Grain},
    };
    static const std::vector<ColumnInfo> part = {
        {"Label", 199, CellEditing::Text},     {"Length", 83, CellEditing::Number},
        {"Width", 90, CellEditing::Number},    {"Quant", 64, CellEditing::Number},
        {"Rotatable", 77, CellEditing::YesNo}, {"Material", 120, CellEditing::Text},
        {"L1", 60, CellEditing::Banding},      {"L2", 60, CellEditing::Banding},
        {"W1", 60, CellEditing::Banding},      {"W2", 60, CellEditing::Banding},
    };
    return kind == TableKind::Sheet ? sheet : part;
}

CellTable NewSheetTable() {
    return NewTable(TableKind::Sheet, 1);
}

CellTable NewPartTable() {
    return NewTable(TableKind::Part, 2);
}

void WriteFixedRows(CellTable& table, TableKind kind) {
    if (table.ColCount() != ColumnCount(kind) || table.RowCount() < kFirst + 1)
        table.Resize(std::max(table.RowCount(), kFirst + 1), ColumnCount(kind));
    table.SetCell(kTotalsRow, 0, _("Total"));
    table.SetCell(kTotalsRow, 1, _("Area"));
    const auto& columns = TableColumns(kind);
    for (int c = 0; c < static_cast<int>(columns.size()); ++c)
        table.SetCell(kHeaderRow, c, _(columns[c].caption));
}

std::vector<std::string> YesNoChoices() {
    return {_("Yes"), _("No")};
}

namespace {

// The drop-down texts, in the order of the Grain values.
constexpr const char* kGrainChoices[] = {"along length", "across", "no grain"};

}  // namespace

std::vector<std::string> GrainChoices() {
    std::vector<std::string> texts;
    for (const char* id : kGrainChoices) texts.push_back(_(id));
    return texts;
}

namespace {

bool IsWordOfEveryLanguage(const std::string& text, const char* msgid) {
    if (SameIgnoringCase(text, msgid) || SameIgnoringCase(text, _(msgid))) return true;
    for (const std::string& word : InEveryLanguage(msgid))
        if (SameIgnoringCase(text, word)) return true;
    return false;
}

}  // namespace

std::optional<Grain> ReadGrain(const std::string& cell) {
    const std::string text = TrimControls(cell);
    if (text.empty()) return Grain::Length;
    for (Grain grain : {Grain::Length, Grain::Width, Grain::None})
        if (SameIgnoringCase(text, GrainWord(grain)) ||
            IsWordOfEveryLanguage(text, kGrainChoices[static_cast<int>(grain)]))
            return grain;
    return std::nullopt;
}

std::optional<std::string> GrainCell(const std::string& field) {
    const std::optional<Grain> grain = ReadGrain(field);
    if (!grain) return std::nullopt;
    if (TrimControls(field).empty()) return std::string();
    return _(kGrainChoices[static_cast<int>(*grain)]);
}

std::string GrainFileWord(const std::string& cell) {
    if (TrimControls(cell).empty()) return {};
    const std::optional<Grain> grain = ReadGrain(cell);
    return grain ? GrainWord(*grain) : cell;
}

bool NamesColumn(const std::string& heading, const char* caption) {
    return IsWordOfEveryLanguage(TrimControls(heading), caption);
}

bool MeansYes(const std::string& cell) {
    const std::string text = TrimControls(cell);
    if (text.empty()) return false;
    const std::string lower = AsciiLower(text);
    return lower == "y" || lower == "1" || lower == "true" || IsWordOfEveryLanguage(text, "Yes");
}

namespace {

std::string TranslatedYesNo(const std::string& text) {
    if (MeansYes(text)) return _("Yes");
    if (IsWordOfEveryLanguage(TrimControls(text), "No")) return _("No");
    return text;
}

}  // namespace

namespace {

// An empty or unknown text stays as typed.
std::string TranslatedGrain(const std::string& text) {
    const std::optional<std::string> cell = GrainCell(text);
    return cell && !cell->empty() ? *cell : text;
}

}  // namespace

void TranslateYesNoCells(CellTable& table, TableKind kind) {
    const int col = YesNoCol(kind);
    for (int r = kFirst; r < table.RowCount(); ++r) {
        table.SetCell(r, col, TranslatedYesNo(table.Cell(r, col)));
        if (kind == TableKind::Sheet)
            table.SetCell(r, SheetCol::Grain, TranslatedGrain(table.Cell(r, SheetCol::Grain)));
    }
}

void TranslateYesNoTexts(EnteredRows& entered) {
    for (EnteredPart& row : entered.parts)
        row.texts.rotatable = TranslatedYesNo(row.texts.rotatable);
    for (EnteredSheet& row : entered.sheets) {
        row.texts.priority = TranslatedYesNo(row.texts.priority);
        row.texts.grain = TranslatedGrain(row.texts.grain);
    }
}

bool IsSelectableCell(TableKind kind, int row, int col) {
    if (row < kFirst || col < 0 || col >= ColumnCount(kind)) return false;
    return TableColumns(kind)[col].editing != CellEditing::None;
}

CellPos EnterKey(CellTable& table, TableKind kind, CellPos current) {
    for (int col = current.col + 1; col <= LastEditableCol(kind); ++col)
        if (IsSelectableCell(kind, current.row, col)) return {current.row, col};
    if (current.row >= table.RowCount() - 1) {
        const int row = table.AppendRow();
        table.SetCell(row, YesNoCol(kind), _("Yes"));
        return {row, 0};
    }
    return {current.row + 1, 0};
}

void AppendTableRow(CellTable& table, TableKind kind) {
    const int row = table.AppendRow();
    table.SetCell(row, YesNoCol(kind), _("Yes"));
    if (kind == TableKind::Sheet)
        table.SetCell(row, SheetCol::Cost, "0");
    else if (row > kFirst)
        table.SetCell(row, PartCol::Quant, table.Cell(row - 1, PartCol::Quant));
}

bool DeleteTableRow(CellTable& table, TableKind kind, int row, const LengthFormat& lengths) {
    if (row < kFirst || row >= table.RowCount() || table.Cell(row, 0).empty()) return false;
    SubtractRowFromTotals(table, kind, row, lengths);
    if (table.RowCount() <= kFirst + 1)
        table.ClearRow(row);
    else
        table.RemoveRow(row);
    return true;
}

void DeleteAllRows(CellTable& table, TableKind kind) {
    KeepOneEmptyRow(table);
    for (int c = kTotalArea; c < ColumnCount(kind); ++c) table.SetCell(kTotalsRow, c, "");
}

void KeepOneEmptyRow(CellTable& table) {
    table.SetRowCount(kFirst + 1);
    table.ClearRow(kFirst);
}

void WriteTotals(CellTable& table, TableKind kind, double area, long long quantity, double cost) {
    table.SetCell(kTotalsRow, kTotalArea, FormatGrouped1(CleanZero(area)));
    table.SetCell(kTotalsRow, kTotalQuant, std::to_string(quantity));
    if (kind == TableKind::Sheet)
        table.SetCell(kTotalsRow, kTotalCost, FormatGrouped1(CleanZero(cost)));
}

void WriteTotals(CellTable& table, TableKind kind, const TableTotals& totals) {
    WriteTotals(table, kind, totals.area, totals.quantity, totals.cost);
}

void RecountTotals(CellTable& table, TableKind kind, const LengthFormat& lengths) {
    TableTotals totals;
    for (int r = kFirst; r < table.RowCount(); ++r) {
        if (table.Cell(r, 0).empty()) continue;
        const auto length = ParseLength(table.Cell(r, SheetCol::Length), lengths);
        const auto width = ParseLength(table.Cell(r, SheetCol::Width), lengths);
        const auto count = ParseInteger(table.Cell(r, SheetCol::Quant));
        if (!length || !width || !count) continue;
        if (kind == TableKind::Sheet) {
            const auto cost = ParseNumber(table.Cell(r, SheetCol::Cost));
            if (!cost) continue;
            totals.cost += *cost * *count;
        }
        totals.Add(*length, *width, *count);
    }
    WriteTotals(table, kind, totals);
}

}  // namespace tarvex
