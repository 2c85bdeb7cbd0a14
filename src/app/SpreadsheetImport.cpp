#include "app/SpreadsheetImport.h"

#include <cctype>
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
            const std::string& label = book.Cell(i, 1);
            const std::string& length = book.Cell(i, 2);
            const std::string& width = book.Cell(i, 3);
            const std::string& quant = book.Cell(i, 4);
            const std::string& cost = book.Cell(i, 5);
            if (label.empty() || length.empty() || width.empty() || quant.empty()) return false;
            const auto q = ParseInteger(quant);
            const auto l = ParseNumber(length);
            const auto w = ParseNumber(width);
            const auto c = ParseNumber(cost);
            if (!q || !l || !w || !c) return false;
            totals.area += *l * *w * *q;
            totals.quantity += *q;
            totals.cost += *c * *q;
            cells = {label, length, width, quant, cost, _("Yes"), quant};
            return true;
        });
}

bool LoadPartSpreadsheet(const std::string& path, CellTable& sgPart, std::string& error) {
    return Import(
        path, sgPart, kPartColumns, false, error,
        [](const SheetCells& book, int i, Totals& totals, std::vector<std::string>& cells) {
            const std::string& label = book.Cell(i, 1);
            const std::string& length = book.Cell(i, 2);
            const std::string& width = book.Cell(i, 3);
            // Quantity and flag come in either order: a D starting with a digit
            // is the quantity.
            const std::string& d = book.Cell(i, 4);
            const std::string& e = book.Cell(i, 5);
            const bool dIsQuant = !d.empty() && std::isdigit(static_cast<unsigned char>(d[0]));
            const std::string& quant = dIsQuant ? d : e;
            const std::string& flag = dIsQuant ? e : d;
            if (label.empty() || length.empty() || width.empty() || quant.empty()) return false;
            const auto q = ParseInteger(quant);
            const auto l = ParseNumber(length);
            const auto w = ParseNumber(width);
            if (!q || !l || !w) return false;
            totals.area += *l * *w * *q;
            totals.quantity += *q;
            cells = {label, length, width, quant, IsNoFlag(flag) ? _("No") : _("Yes")};
            return true;
        });
}
