#include "job/JobInput.h"

#include <cmath>
#include <cstdint>
#include <string_view>
#include <vector>

#include "text/FieldSplit.h"
#include "text/FileMessages.h"
#include "text/NumberText.h"
#include "model/Globals.h"
#include "text/Translate.h"

namespace {

struct JobSettings {
    std::string printtitle, printfont, printfontsize, unit, prefix;
    double margintop = 0, marginbottom = 0, marginleft = 0, marginright = 0;
    double sawwidth = 0, safeheight = 0, zkdepth = 0;
    double minlength = 0, minwidth = 0, minarea = 0;
    int decimalnum = 0;
    int shukongtype = 1;
    double optimrate = 1;
    bool isonecut = false, ispricecut = false;
};

struct PartRow {
    std::string label;
    double length = 0, width = 0;
    int quant = 0;
    bool rotatable = false;
};

// Consecutive sheet records of one table row.
struct SheetUnits {
    std::string label;
    double length = 0, width = 0, cost = 0;
    int count = 0;
};

// Reads one numeric setting; `caption` is the setting's label on the settings page.
class SettingReader {
  public:
    explicit SettingReader(std::string& error) : error_(error) {}

    bool Number(const std::string& text, const char* caption, double& out) {
        if (auto v = ParseNumber(text)) {
            out = *v;
            return true;
        }
        return Fail(_("{1} \"{2}\" is not a number."), caption, text);
    }
    bool Integer(const std::string& text, const char* caption, int& out) {
        if (auto v = ParseInteger(text)) {
            out = *v;
            return true;
        }
        return Fail(_("{1} \"{2}\" is not a whole number."), caption, text);
    }
    // Blade width and margins: a negative one would enlarge parts or sheets.
    bool Length(const std::string& text, const char* caption, double& out) {
        if (!Number(text, caption, out)) return false;
        if (out >= 0) return true;
        return Fail(_("{1} must not be negative."), caption, text);
    }

  private:
    bool Fail(const std::string& message, const char* caption, const std::string& text) {
        error_ = Substitute(message, {_(caption), text});
        return false;
    }
    std::string& error_;
};

bool ReadSettings(const SettingsForm& f, JobSettings& s, std::string& error) {
    SettingReader in(error);
    s.printtitle = TrimControls(f.printTitle);
    s.printfont = f.printFont;
    s.printfontsize = f.printFontSize;
    if (!in.Length(f.marginTop, "Top Margin:", s.margintop) ||
        !in.Length(f.marginBottom, "Bottom Margin:", s.marginbottom) ||
        !in.Length(f.marginLeft, "Left Margin:", s.marginleft) ||
        !in.Length(f.marginRight, "Right Margin:", s.marginright))
        return false;
    s.unit = TrimControls(f.unit);
    if (!in.Length(f.bladeWidth, "Blade Width:", s.sawwidth) ||
        !in.Integer(f.decimals, "Decimals:", s.decimalnum) ||
        !in.Number(f.safeHeight, "Safe Height:", s.safeheight) ||
        !in.Number(f.drillDepth, "Drill Depth:", s.zkdepth))
        return false;
    s.shukongtype = f.huazhong ? 1 : 0;
    s.optimrate = f.speed;
    s.isonecut = f.guillotine;
    s.ispricecut = f.costOptimization;
    if (!in.Number(f.minOffcutLength, "Min. Length:", s.minlength) ||
        !in.Number(f.minOffcutWidth, "Min. Width:", s.minwidth) ||
        !in.Number(f.minOffcutArea, "Min. Area:", s.minarea))
        return false;
    s.prefix = TrimControls(f.offcutPrefix);
    return true;
}

void ApplySettings(const JobSettings& s) {
    g_printtitle = s.printtitle;
    g_printfont = s.printfont;
    g_printfontsize = s.printfontsize;
    g_margintop = s.margintop;
    g_marginbottom = s.marginbottom;
    g_marginleft = s.marginleft;
    g_marginright = s.marginright;
    g_unit = s.unit;
    g_sawwidth = s.sawwidth;
    g_decimalnum = s.decimalnum;
    g_safeheight = s.safeheight;
    g_zkdepth = s.zkdepth;
    g_shukongtype = s.shukongtype;
    g_optimrate = s.optimrate;
    g_isonecut = s.isonecut;
    g_ispricecut = s.ispricecut;
    g_minlength = s.minlength;
    g_minwidth = s.minwidth;
    g_minarea = s.minarea;
    g_prefix = s.prefix;
    g_maxgen = MaxGenerations(g_optimrate);
}

// Reads cells of one entry table; messages name the table, the data row (1 for the
// first) and the column by their captions.
class CellReader {
  public:
    CellReader(const CellTable& table, TableKind kind, std::string& error)
        : table_(table),
          tableName_(kind == TableKind::Sheet ? "Sheets" : "Parts"),
          columns_(TableColumns(kind)),
          error_(error) {}

    const std::string& Text(int row, int col) const { return table_.Cell(row, col); }
    bool QuantityEmpty(int row, int quantCol) const {
        return TrimControls(Text(row, quantCol)).empty();
    }

    bool Number(int row, int col, double& out) {
        if (auto v = ParseNumber(Text(row, col))) {
            out = *v;
            return true;
        }
        return Fail(_("{1}, row {2}, column \"{3}\": \"{4}\" is not a number."), row, col);
    }
    bool Quantity(int row, int col, int& out) {
        auto v = ParseInteger(Text(row, col));
        if (!v)
            return Fail(_("{1}, row {2}, column \"{3}\": \"{4}\" is not a whole number."), row,
                        col);
        if (*v < 0)
            return Fail(_("{1}, row {2}, column \"{3}\": the quantity must not be negative."), row,
                        col);
        out = *v;
        return true;
    }
    bool Size(int row, int col, double& out) {
        if (!Number(row, col, out)) return false;
        if (out > 0) return true;
        return Fail(_("{1}, row {2}, column \"{3}\": the size must be greater than 0."), row, col);
    }
    bool Cost(int row, int col, double& out) {
        if (!Number(row, col, out)) return false;
        if (out >= 0) return true;
        return Fail(_("{1}, row {2}, column \"{3}\": the cost must not be negative."), row, col);
    }
    // A fault of the row as a whole (sizes out of range, margins too wide).
    bool FailRow(const std::string& message, int row) {
        error_ = Substitute(message, {_(tableName_), RowText(row)});
        return false;
    }

  private:
    static std::string RowText(int row) {
        return std::to_string(row - CellTable::kFirstDataRow + 1);
    }

    bool Fail(const std::string& message, int row, int col) {
        error_ = Substitute(
            message, {_(tableName_), RowText(row), _(columns_[col].caption), Text(row, col)});
        return false;
    }

    const CellTable& table_;
    const char* tableName_;
    const std::vector<ColumnInfo>& columns_;
    std::string& error_;
};

bool ReadPartRows(const CellTable& sgPart, const JobSettings& s, std::vector<PartRow>& rows,
                  std::string& error) {
    CellReader in(sgPart, TableKind::Part, error);
    const std::string yes = _("Yes");
    std::int64_t records = 0;
    for (int r = CellTable::kFirstDataRow; r < sgPart.RowCount(); ++r) {
        if (in.QuantityEmpty(r, PartCol::Quant)) continue;
        PartRow row;
        if (!in.Number(r, PartCol::Length, row.length) ||
            !in.Number(r, PartCol::Width, row.width) || !in.Quantity(r, PartCol::Quant, row.quant))
            return false;
        if (row.quant > 0) {
            // Sizes of a row that makes records must give a finite priority and area.
            if (!in.Size(r, PartCol::Length, row.length) || !in.Size(r, PartCol::Width, row.width))
                return false;
            const double area = (row.length + s.sawwidth) * (row.width + s.sawwidth);
            if (!std::isfinite(area) ||
                !std::isfinite(TPartInfo::ComputePriority(row.length, row.width)))
                return in.FailRow(_("{1}, row {2}: the sizes are out of range."), r);
        }
        row.label = TrimControls(in.Text(r, PartCol::Label));
        row.rotatable = in.Text(r, PartCol::Rotatable) == yes;
        records += row.quant;
        rows.push_back(std::move(row));
    }
    if (records > kMaxPartRecords) {
        error =
            Substitute(_("The parts add up to {1} pieces; at most {2} can be calculated at once. "
                         "Please check the quantities."),
                       {std::to_string(records), std::to_string(kMaxPartRecords)});
        return false;
    }
    return true;
}

// The part area as the expansion adds it up: one record at a time, kerf included.
double PartArea(const std::vector<PartRow>& rows, double sawwidth) {
    double sum = 0;
    for (const PartRow& row : rows)
        for (int k = 0; k < row.quant; ++k) sum += (row.length + sawwidth) * (row.width + sawwidth);
    return sum;
}

// Decides which sheet records the job takes, with the same arithmetic as the
// expansion, without making any: the priority rows, then the others, each pass
// ending once the usable area exceeds 1.5 times the part area. The second pass
// starts at the limit when the first reached it, so it then takes at most one sheet.
bool PlanSheets(const CellTable& sgSheet, const JobSettings& s, double partArea,
                std::vector<SheetUnits>& plan, std::string& error) {
    CellReader in(sgSheet, TableKind::Sheet, error);
    const std::string yes = _("Yes");
    double sheetArea = 0;
    int records = 0;
    bool limitReached = false;
    for (const bool priorityPass : {true, false}) {
        for (int r = CellTable::kFirstDataRow; r < sgSheet.RowCount(); ++r) {
            if ((TrimControls(in.Text(r, SheetCol::Priority)) == yes) != priorityPass) continue;
            if (in.QuantityEmpty(r, SheetCol::Quant)) continue;
            int n = 0;
            if (!in.Quantity(r, SheetCol::Quant, n)) return false;
            if (n > 0) {
                SheetUnits units;
                units.label = TrimControls(in.Text(r, SheetCol::Label));
                if (!in.Size(r, SheetCol::Length, units.length) ||
                    !in.Size(r, SheetCol::Width, units.width) ||
                    !in.Cost(r, SheetCol::Cost, units.cost))
                    return false;
                const double fullArea = units.width * units.length;
                if (!std::isfinite(fullArea) || !std::isfinite(units.cost / fullArea))
                    return in.FailRow(_("{1}, row {2}: the sizes are out of range."), r);
                const double usableWidth = units.width - (s.margintop + s.marginbottom);
                const double usableLength = units.length - (s.marginleft + s.marginright);
                if (!(usableWidth > 0 && usableLength > 0))
                    return in.FailRow(
                        _("{1}, row {2}: the margins leave no usable area on this sheet."), r);
                for (int k = 0; k < n; ++k) {
                    if (++records > kMaxSheetRecords) {
                        error = Substitute(_("The job needs more than {1} sheets. Please check the "
                                             "quantities and sizes of the sheets and parts."),
                                           {std::to_string(kMaxSheetRecords)});
                        return false;
                    }
                    ++units.count;
                    sheetArea += usableWidth * usableLength;
                    if (partArea * 1.5 < sheetArea) {
                        limitReached = true;
                        break;
                    }
                }
                plan.push_back(std::move(units));
            }
            if (limitReached) break;
        }
    }
    return true;
}

void ExpandParts(const std::vector<PartRow>& rows) {
    g_PartList.clear();
    g_SumPartArea = 0;
    g_PartCount = 0;
    for (const PartRow& row : rows)
        AddJobParts(row.length, row.width, row.rotatable, row.label, row.quant);
}

void ExpandSheets(const std::vector<SheetUnits>& plan) {
    g_SheetList.clear();
    g_SumSheetArea = 0;
    g_SumSheetCost = 0;
    g_SheetCount = 0;
    for (const SheetUnits& units : plan)
        for (int k = 0; k < units.count; ++k)
            AddJobSheet(units.length, units.width, units.cost, units.label);
}

}  // namespace

bool GatherJob(const SettingsForm& form, CellTable& sgSheet, CellTable& sgPart,
               std::string& error) {
    JobSettings settings;
    std::vector<PartRow> partRows;
    std::vector<SheetUnits> plan;
    if (!ReadSettings(form, settings, error) || !ReadPartRows(sgPart, settings, partRows, error) ||
        !PlanSheets(sgSheet, settings, PartArea(partRows, settings.sawwidth), plan, error))
        return false;

    ApplySettings(settings);
    ExpandParts(partRows);
    WriteTotals(sgPart, TableKind::Part, g_SumPartArea, g_PartCount, 0);
    ExpandSheets(plan);
    WriteTotals(sgSheet, TableKind::Sheet, g_SumSheetArea, g_SheetCount, g_SumSheetCost);
    return true;
}
