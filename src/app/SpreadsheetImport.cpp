#include "app/SpreadsheetImport.h"

#include <cctype>
#include <optional>
#include <vector>

#include "app/NumberText.h"
#include "app/Workbook.h"
#include "shell/Translate.h"

namespace {

constexpr int kSheetColumns = 7;     // Label Length Width Quant Cost Priority LeftQuant
constexpr int kPartColumns = 5;      // Label Length Width Quant Rotatable
constexpr int kWorkbookColumns = 5;  // A to E

struct Totals {
    double area = 0;
    long long quantity = 0;
    double cost = 0;
};

// One data row left, empty, as every list reader starts.
void CutToOneEmptyRow(CellTable& table, int columns) {
    table.Resize(CellTable::kFirstDataRow, columns);
    table.InsertRow(CellTable::kFirstDataRow);
}

void WriteTotals(CellTable& table, const Totals& totals, bool withCost) {
    table.SetCell(0, 0, _("Total"));
    table.SetCell(0, 1, _("Area"));
    table.SetCell(0, 2, FormatGrouped1(totals.area));
    table.SetCell(0, 3, std::to_string(totals.quantity));
    if (withCost) table.SetCell(0, 4, FormatGrouped1(totals.cost));
}

// Rows are written from the first data row on; the first one reuses the empty row.
int NextRow(CellTable& table, int lastRow) {
    const int row = lastRow + 1;
    if (row >= table.RowCount()) table.InsertRow(row);
    return row;
}

bool IsNoFlag(std::string flag) {
    for (char& c : flag) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return flag == "n" || flag == "no" || flag == "否";
}

// What every list entry needs: label, length, width and quantity, all present, the
// sizes numbers and the quantity a whole number.
struct Entry {
    std::string label, length, width, quant;
    int quantity = 0;
    double area = 0;  // length x width x quantity
};

std::optional<Entry> ReadEntry(const SheetCells& book, int row, const std::string& quant) {
    Entry entry{book.Cell(row, 1), book.Cell(row, 2), book.Cell(row, 3), quant};
    if (entry.label.empty() || entry.length.empty() || entry.width.empty() || quant.empty())
        return std::nullopt;
    const auto q = ParseInteger(quant);
    const auto l = ParseNumber(entry.length);
    const auto w = ParseNumber(entry.width);
    if (!q || !l || !w) return std::nullopt;
    entry.quantity = *q;
    entry.area = *l * *w * *q;
    return entry;
}

// Fills the table from the workbook: `rowCells` decides for each worksheet row whether
// it qualifies, adds it to the totals and gives the texts of its table row.
template <typename RowCells>
bool Import(const std::string& path, CellTable& table, int columns, bool withCost,
            std::string& error, RowCells rowCells) {
    SheetCells book;
    if (!ReadWorkbookSheet(path, kWorkbookColumns, book, error)) return false;

    CutToOneEmptyRow(table, columns);
    Totals totals;
    int last = CellTable::kFirstDataRow - 1;
    std::vector<std::string> cells;
    for (int i = 1; i <= book.RowBound(); ++i) {
        if (!rowCells(book, i, totals, cells)) continue;
        last = NextRow(table, last);
        for (int col = 0; col < columns; ++col) table.SetCell(last, col, cells[col]);
    }
    WriteTotals(table, totals, withCost);
    return true;
}

}  // namespace

bool LoadSheetSpreadsheet(const std::string& path, CellTable& sgSheet, std::string& error) {
    return Import(
        path, sgSheet, kSheetColumns, true, error,
        [](const SheetCells& book, int i, Totals& totals, std::vector<std::string>& cells) {
            const std::string& cost = book.Cell(i, 5);
            const auto entry = ReadEntry(book, i, book.Cell(i, 4));
            const auto c = ParseNumber(cost);
            if (!entry || !c) return false;
            totals.area += entry->area;
            totals.quantity += entry->quantity;
            totals.cost += *c * entry->quantity;
            cells = {entry->label, entry->length, entry->width, entry->quant,
                     cost,         _("Yes"),      entry->quant};
            return true;
        });
}

bool LoadPartSpreadsheet(const std::string& path, CellTable& sgPart, std::string& error) {
    return Import(
        path, sgPart, kPartColumns, false, error,
        [](const SheetCells& book, int i, Totals& totals, std::vector<std::string>& cells) {
            // Quantity and flag come in either order: a D starting with a digit
            // is the quantity.
            const std::string& d = book.Cell(i, 4);
            const std::string& e = book.Cell(i, 5);
            const bool dIsQuant = !d.empty() && std::isdigit(static_cast<unsigned char>(d[0]));
            const auto entry = ReadEntry(book, i, dIsQuant ? d : e);
            if (!entry) return false;
            totals.area += entry->area;
            totals.quantity += entry->quantity;
            cells = {entry->label, entry->length, entry->width, entry->quant,
                     IsNoFlag(dIsQuant ? e : d) ? _("No") : _("Yes")};
            return true;
        });
}
