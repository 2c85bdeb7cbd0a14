#include "io/SpreadsheetImport.h"

#include <cctype>
#include <optional>
#include <vector>

#include "io/EntryTables.h"
#include "io/Workbook.h"
#include "text/FieldSplit.h"
#include "text/FileMessages.h"
#include "text/LengthText.h"
#include "text/NumberText.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

// A to E, then the material (F) and a sheet's grain (G).
constexpr int kWorkbookColumns = 7;
constexpr int kMaterialColumn = 6, kGrainColumn = 7;

bool IsNoFlag(std::string flag) {
    for (char& c : flag) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return flag == "n" || flag == "no" || flag == "否";
}

// What every list entry needs: label, length, width and quantity, all present, the
// sizes numbers and the quantity a whole number.
struct Entry {
    std::string label, length, width, quant;
    double lengthValue = 0, widthValue = 0;
    int quantity = 0;

    void AddTo(TableTotals& totals) const { totals.Add(lengthValue, widthValue, quantity); }
};

std::optional<Entry> ReadEntry(const SheetCells& book, int row, const std::string& quant,
                               const LengthFormat& lengths) {
    Entry entry{book.Cell(row, 1), book.Cell(row, 2), book.Cell(row, 3), quant};
    if (entry.label.empty() || entry.length.empty() || entry.width.empty() || quant.empty())
        return std::nullopt;
    const auto q = ParseInteger(quant);
    const auto l = ParseLength(entry.length, lengths);
    const auto w = ParseLength(entry.width, lengths);
    if (!q || !l || !w) return std::nullopt;
    entry.lengthValue = *l;
    entry.widthValue = *w;
    entry.quantity = *q;
    return entry;
}

// Fills the table from the workbook: `rowCells` decides for each worksheet row whether
// it qualifies, adds it to the totals and gives the texts of its table row, or says
// why the row stops the reading.
template <typename RowCells>
bool Import(const std::string& path, CellTable& table, TableKind kind, std::string& error,
            RowCells rowCells) {
    SheetCells book;
    if (!ReadWorkbookSheet(path, kWorkbookColumns, book, error)) return false;

    KeepOneEmptyRow(table);
    TableTotals totals;
    int last = CellTable::kFirstDataRow - 1;
    std::vector<std::string> cells;
    for (int i = 1; i <= book.RowBound(); ++i) {
        std::string fault;
        const bool qualifies = rowCells(book, i, totals, cells, fault);
        if (!fault.empty()) {
            WriteTotals(table, kind, totals);
            error = StoppedAtLine(path, i, fault);
            return false;
        }
        if (!qualifies) continue;
        // The first entry takes the empty row left above.
        last = last + 1 < table.RowCount() ? last + 1 : table.AppendRow();
        for (size_t col = 0; col < cells.size(); ++col)
            table.SetCell(last, static_cast<int>(col), cells[col]);
    }
    WriteTotals(table, kind, totals);
    return true;
}

}  // namespace

bool LoadSheetSpreadsheet(const std::string& path, CellTable& sheetTable, std::string& error,
                          const LengthFormat& lengths) {
    return Import(path, sheetTable, TableKind::Sheet, error,
                  [&lengths](const SheetCells& book, int i, TableTotals& totals,
                             std::vector<std::string>& cells, std::string& fault) {
                      const std::string& cost = book.Cell(i, 5);
                      const auto entry = ReadEntry(book, i, book.Cell(i, 4), lengths);
                      const auto c = ParseNumber(cost);
                      if (!entry || !c) return false;
                      const std::string& grainText = book.Cell(i, kGrainColumn);
                      const std::optional<std::string> grain = GrainCell(grainText);
                      if (!grain) {
                          fault = Substitute(_("the grain \"{1}\" is not length, width or none"),
                                             {grainText});
                          return false;
                      }
                      entry->AddTo(totals);
                      totals.cost += *c * entry->quantity;
                      cells = {entry->label, entry->length,
                               entry->width, entry->quant,
                               cost,         _("Yes"),
                               entry->quant, TrimControls(book.Cell(i, kMaterialColumn)),
                               *grain};
                      return true;
                  });
}

bool LoadPartSpreadsheet(const std::string& path, CellTable& partTable, std::string& error,
                         const LengthFormat& lengths) {
    return Import(path, partTable, TableKind::Part, error,
                  [&lengths](const SheetCells& book, int i, TableTotals& totals,
                             std::vector<std::string>& cells, std::string&) {
                      // Quantity and flag come in either order: a D starting with a digit
                      // is the quantity.
                      const std::string& d = book.Cell(i, 4);
                      const std::string& e = book.Cell(i, 5);
                      const bool dIsQuant =
                          !d.empty() && std::isdigit(static_cast<unsigned char>(d[0]));
                      const auto entry = ReadEntry(book, i, dIsQuant ? d : e, lengths);
                      if (!entry) return false;
                      entry->AddTo(totals);
                      cells = {entry->label,
                               entry->length,
                               entry->width,
                               entry->quant,
                               IsNoFlag(dIsQuant ? e : d) ? _("No") : _("Yes"),
                               TrimControls(book.Cell(i, kMaterialColumn))};
                      return true;
                  });
}

}  // namespace tarvex
