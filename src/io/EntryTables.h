// The sheet table sheetTable and the part table partTable as data: their columns, the
// fixed rows, and the editing operations the window's table views call. Nothing
// here shows a message; every text the user sees is translated when written.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "io/CellTable.h"
#include "job/EnteredRows.h"
#include "text/LengthText.h"

namespace tarvex {

enum class TableKind { Sheet, Part };

// The columns after the first ones came later: files without them read as before.
namespace SheetCol {
constexpr int Label = 0, Length = 1, Width = 2, Quant = 3, Cost = 4, Priority = 5, LeftQuant = 6;
constexpr int Material = 7, Grain = 8;
constexpr int Count = 9;
}  // namespace SheetCol

namespace PartCol {
constexpr int Label = 0, Length = 1, Width = 2, Quant = 3, Rotatable = 4;
constexpr int Material = 5;
// The banding on each edge, in the order of kEdges.
constexpr int BandingL1 = 6, BandingL2 = 7, BandingW1 = 8, BandingW2 = 9;
constexpr int Count = 10;
}  // namespace PartCol

// Label, Length, Width and Quant are the same columns in both tables.
static_assert(SheetCol::Label == PartCol::Label && SheetCol::Length == PartCol::Length &&
              SheetCol::Width == PartCol::Width && SheetCol::Quant == PartCol::Quant);

// How a data cell of a column is edited.
enum class CellEditing {
    Text,     // free text
    Number,   // a number; the entry is refused when it does not convert (CellEntryFault)
    YesNo,    // drop-down list of YesNoChoices()
    Grain,    // drop-down list of GrainChoices()
    Banding,  // drop-down list of the banding table's names, any text typed also taken
    None,     // grey, cannot be selected (Left Quant)
};

struct ColumnInfo {
    const char* caption;  // message id; the header row holds its translation
    int width;            // default width in pixels
    CellEditing editing;
};

constexpr int kTableRowHeight = 20;

const std::vector<ColumnInfo>& TableColumns(TableKind kind);

// The tables as a fresh start shows them: the sheet table with one data row whose
// Priority is "Yes", the part table with two data rows whose Rotatable is "Yes".
CellTable NewSheetTable();
CellTable NewPartTable();

// Rewrites the translated texts of the fixed rows ("Total", "Area" and the column
// captions), e.g. after a language change; the totals themselves stay.
void WriteFixedRows(CellTable& table, TableKind kind);

// The two texts of the Yes/No drop-down editors in the current language.
std::vector<std::string> YesNoChoices();

// The texts of the Grain drop-down in the current language: along the length (the
// default), across, none.
std::vector<std::string> GrainChoices();
// A Grain cell: empty is along the length; "length", "width", "none" or a
// drop-down text of any language the program has, trimmed and ignoring letter
// case. Nothing for any other text.
std::optional<Grain> ReadGrain(const std::string& cell);
// The Grain cell a list file's field or a pasted cell gives: empty stays empty, a
// text ReadGrain knows becomes the drop-down text of the current language.
// Nothing for any other text.
std::optional<std::string> GrainCell(const std::string& field);
// What a list file stores for a Grain cell: empty stays empty, a text that is no
// grain stays as typed, so that nothing is lost.
std::string GrainFileWord(const std::string& cell);
// Whether a list's heading cell names the column of `caption`: the caption or its
// translation in any language the program has, trimmed and ignoring letter case.
bool NamesColumn(const std::string& heading, const char* caption);

// A Yes/No cell means the same in every language: trimmed and ignoring letter
// case, "Yes", its translation in any language the program has, "Y", "1" and
// "true" mean yes; anything else means no.
bool MeansYes(const std::string& cell);
// Rewrites the Yes/No column's "yes" cells with "Yes" of the current language and
// its cells saying "No" in any language with "No"; other texts stay as typed.
void TranslateYesNoCells(CellTable& table, TableKind kind);
// The same for the Rotatable and Priority texts of entered rows.
void TranslateYesNoTexts(EnteredRows& entered);

// Fixed rows and Left Quant cannot become the current cell.
bool IsSelectableCell(TableKind kind, int row, int col);

struct CellPos {
    int row = CellTable::kFirstDataRow;
    int col = 0;
    bool operator==(const CellPos&) const = default;
};

// Enter: the next editable column, else the first column of the next row; in the
// last column of the last row a new row (Priority/Rotatable "Yes") is added.
CellPos EnterKey(CellTable& table, TableKind kind, CellPos current);

// Append: one empty row at the end; sheets get Cost "0" and Priority "Yes", parts
// Rotatable "Yes" and the quantity of the row above.
void AppendTableRow(CellTable& table, TableKind kind);

// Delete: removes a data row whose Label is not empty after taking it out of the
// totals (totals that cannot be recomputed are left as they are). The only data
// row is emptied instead of removed. Returns false when nothing was deleted.
bool DeleteTableRow(CellTable& table, TableKind kind, int row, const LengthFormat& lengths = {});

// Del All: one completely empty data row and empty totals after "Area".
void DeleteAllRows(CellTable& table, TableKind kind);

// For the list readers: cuts the table back to one empty data row.
void KeepOneEmptyRow(CellTable& table);

// Writes the totals: area and cost as "#,##0.0", the quantity as a plain integer.
// The part table has no cost total.
void WriteTotals(CellTable& table, TableKind kind, double area, long long quantity, double cost);

// The totals of a list as its reader places the entries.
struct TableTotals {
    double area = 0;
    long long quantity = 0;
    double cost = 0;  // sheets only: unit cost times quantity

    // `count` pieces of the size.
    void Add(double length, double width, int count) {
        area += length * width * count;
        quantity += count;
    }
};

void WriteTotals(CellTable& table, TableKind kind, const TableTotals& totals);
// The totals of every data row with a label whose sizes and quantity (and, for
// sheets, cost) convert.
void RecountTotals(CellTable& table, TableKind kind, const LengthFormat& lengths = {});

}  // namespace tarvex
