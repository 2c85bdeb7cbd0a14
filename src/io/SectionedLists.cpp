// The sectioned list readers (.sht, .prt): one INI section per entry, SHEET1,
// SHEET2, ... or PART1, PART2, ..., read until the first missing number. Besides
// the sizes, quantity, cost and rotation an entry may name its MATERIAL and a
// sheet its GRAIN (length, width or none).
#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include <algorithm>
#include <optional>

#include "io/ListFiles.h"
#include "io/TextFile.h"
#include "text/FieldSplit.h"
#include "text/FileMessages.h"
#include "text/LengthText.h"
#include "text/NumberText.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

constexpr int kFirst = CellTable::kFirstDataRow;

// Section and key names compare without letter case (CSimpleIniA).
class Sections {
  public:
    Sections(const std::string& text, const LengthFormat& lengths) : lengths_(lengths) {
        ini_.LoadData(text);
    }

    bool Has(const std::string& section) const { return ini_.GetSection(section.c_str()); }
    std::string Text(const std::string& section, const char* key) const {
        return TrimControls(ini_.GetValue(section.c_str(), key, ""));
    }
    // Numbers that are missing or do not convert read as 0.
    double Number(const std::string& section, const char* key) const {
        return ParseNumber(Text(section, key)).value_or(0.0);
    }
    // Sizes that are missing or do not convert read as 0.
    double Length(const std::string& section, const char* key) const {
        return ParseLength(Text(section, key), lengths_).value_or(0.0);
    }
    int Integer(const std::string& section, const char* key) const {
        return ParseInteger(Text(section, key)).value_or(0);
    }

  private:
    CSimpleIniA ini_;
    LengthFormat lengths_;
};

ListResult LoadSectioned(TableKind kind, const std::string& path, const LengthFormat& lengths,
                         CellTable& t) {
    const bool sheet = kind == TableKind::Sheet;
    ListResult result;
    std::string text;
    // A missing file reads as an empty list (a project goes on with its other
    // settings), but the user still learns why the table is empty.
    if (!ReadTextFile(path, text, result.message)) text.clear();
    const Sections ini(text, lengths);
    KeepOneEmptyRow(t);
    TableTotals totals;
    int row = kFirst - 1;
    for (int n = 1;; ++n) {
        const std::string section = (sheet ? "SHEET" : "PART") + std::to_string(n);
        if (!ini.Has(section)) break;
        row = kFirst + n - 1;
        const std::string grain = sheet ? ini.Text(section, "GRAIN") : std::string();
        const std::optional<std::string> grainCell = GrainCell(grain);
        if (!grainCell) {
            // Unlike a number, a grain read as another one would plan the sheet wrongly.
            result.message =
                Substitute(_("Reading of \"{1}\" stopped at [{2}]: the grain \"{3}\" is not "
                             "length, width or none"),
                           {path, section, grain});
            break;
        }
        const double length = ini.Length(section, "LENGTH");
        const double width = ini.Length(section, "WIDTH");
        const int count = ini.Integer(section, "QTY");
        t.SetCell(row, 0, ini.Text(section, "LABEL"));
        t.SetCell(row, 1, FormatGeneral(length));
        t.SetCell(row, 2, FormatGeneral(width));
        t.SetCell(row, 3, std::to_string(count));
        totals.Add(length, width, count);
        if (sheet) {
            const double unitCost = ini.Number(section, "COST");
            t.SetCell(row, SheetCol::Cost, FormatGeneral(unitCost));
            t.SetCell(row, SheetCol::Priority, _("Yes"));
            t.SetCell(row, SheetCol::LeftQuant, std::to_string(count));
            t.SetCell(row, SheetCol::Material, ini.Text(section, "MATERIAL"));
            t.SetCell(row, SheetCol::Grain, *grainCell);
            totals.cost += unitCost * count;
        } else {
            const std::string rotate = ini.Text(section, "ROTATE");
            t.SetCell(row, PartCol::Rotatable, rotate == "R" || rotate == "Y" ? _("Yes") : _("No"));
            t.SetCell(row, PartCol::Material, ini.Text(section, "MATERIAL"));
        }
        ++result.rows;
        t.AppendRow();
    }
    WriteTotals(t, kind, totals);
    t.SetRowCount(std::max(row, kFirst) + 1);
    return result;
}

}  // namespace

ListResult LoadSheetIni(const std::string& path, CellTable& sheetTable,
                        const LengthFormat& lengths) {
    return LoadSectioned(TableKind::Sheet, path, lengths, sheetTable);
}

ListResult LoadPartIni(const std::string& path, CellTable& partTable, const LengthFormat& lengths) {
    return LoadSectioned(TableKind::Part, path, lengths, partTable);
}

}  // namespace tarvex
