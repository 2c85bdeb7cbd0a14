#include "io/TableInput.h"

#include "io/BandingInput.h"
#include "io/EnteredRowInput.h"
#include "io/EntryTables.h"
#include "io/SettingText.h"
#include "job/EdgeBanding.h"
#include "text/FieldSplit.h"
#include "text/Languages.h"
#include "text/LengthText.h"
#include "text/NumberText.h"
#include "text/SingleLineText.h"

namespace tarvex {

namespace {

// Reads cells of one entry table; a fault names the table, the data row (1 for the
// first) and the column.
class CellReader {
  public:
    CellReader(const CellTable& table, TableKind kind, const LengthFormat& lengths,
               InputFault& fault)
        : table_(table),
          kind_(kind == TableKind::Sheet ? EntryTable::Sheets : EntryTable::Parts),
          lengths_(lengths),
          fault_(fault) {}

    const std::string& Text(int row, int col) const { return table_.Cell(row, col); }
    bool QuantityEmpty(int row, int quantCol) const {
        return TrimControls(Text(row, quantCol)).empty();
    }
    static int DataRow(int row) { return row - CellTable::kFirstDataRow + 1; }

    bool Number(int row, int col, double& out) {
        return Converted(ParseNumber(Text(row, col)), row, col, out);
    }
    bool Length(int row, int col, double& out) {
        return Converted(ParseLength(Text(row, col), lengths_), row, col, out);
    }
    bool GrainOf(int row, int col, Grain& out) {
        const std::optional<Grain> grain = ReadGrain(Text(row, col));
        if (!grain) return Fail(InputFault::Code::NotAGrain, row, col);
        out = *grain;
        return true;
    }
    bool Quantity(int row, int col, int& out) {
        auto v = ParseInteger(Text(row, col));
        if (!v) return Fail(InputFault::Code::NotAWholeNumber, row, col);
        if (*v < 0) return Fail(InputFault::Code::NegativeQuantity, row, col);
        out = *v;
        return true;
    }

  private:
    bool Converted(std::optional<double> value, int row, int col, double& out) {
        if (!value) return Fail(InputFault::Code::NotANumber, row, col);
        out = *value;
        return true;
    }
    // Label, Length, Width and Quant are the same columns in both tables.
    EntryColumn Column(int col) const {
        switch (col) {
            case SheetCol::Label:
                return EntryColumn::Label;
            case SheetCol::Length:
                return EntryColumn::Length;
            case SheetCol::Width:
                return EntryColumn::Width;
            case SheetCol::Quant:
                return EntryColumn::Quant;
        }
        if (kind_ == EntryTable::Parts) {
            if (col >= PartCol::BandingL1) return BandingColumn(Edge(col - PartCol::BandingL1));
            return col == PartCol::Material ? EntryColumn::Material : EntryColumn::Rotatable;
        }
        switch (col) {
            case SheetCol::Cost:
                return EntryColumn::Cost;
            case SheetCol::Material:
                return EntryColumn::Material;
            case SheetCol::Grain:
                return EntryColumn::Grain;
        }
        return EntryColumn::Priority;
    }
    bool Fail(InputFault::Code code, int row, int col) {
        fault_ = InputFault{.code = code,
                            .table = kind_,
                            .row = DataRow(row),
                            .column = Column(col),
                            .values = {Text(row, col)}};
        return false;
    }

    const CellTable& table_;
    EntryTable kind_;
    LengthFormat lengths_;
    InputFault& fault_;
};

bool ReadPartRows(const CellTable& table, const LengthFormat& lengths, std::vector<PartRow>& rows,
                  InputFault& error) {
    CellReader in(table, TableKind::Part, lengths, error);
    for (int r = CellTable::kFirstDataRow; r < table.RowCount(); ++r) {
        if (in.QuantityEmpty(r, PartCol::Quant)) continue;
        PartRow row;
        if (!in.Length(r, PartCol::Length, row.length) ||
            !in.Length(r, PartCol::Width, row.width) ||
            !in.Quantity(r, PartCol::Quant, row.quantity))
            return false;
        row.label = TrimControls(in.Text(r, PartCol::Label));
        row.rotatable = MeansYes(in.Text(r, PartCol::Rotatable));
        row.material = TrimControls(in.Text(r, PartCol::Material));
        for (int e = 0; e < kEdgeCount; ++e)
            row.banding[e] = TrimControls(in.Text(r, PartCol::BandingL1 + e));
        row.row = CellReader::DataRow(r);
        rows.push_back(std::move(row));
    }
    return true;
}

bool ReadSheetRows(const CellTable& table, const LengthFormat& lengths, std::vector<SheetRow>& rows,
                   InputFault& error) {
    CellReader in(table, TableKind::Sheet, lengths, error);
    for (int r = CellTable::kFirstDataRow; r < table.RowCount(); ++r) {
        if (in.QuantityEmpty(r, SheetCol::Quant)) continue;
        SheetRow row;
        if (!in.Quantity(r, SheetCol::Quant, row.quantity) ||
            !in.GrainOf(r, SheetCol::Grain, row.grain))
            return false;
        if (row.quantity > 0 &&
            (!in.Length(r, SheetCol::Length, row.length) ||
             !in.Length(r, SheetCol::Width, row.width) || !in.Number(r, SheetCol::Cost, row.cost)))
            return false;
        row.label = TrimControls(in.Text(r, SheetCol::Label));
        row.priority = MeansYes(in.Text(r, SheetCol::Priority));
        row.material = TrimControls(in.Text(r, SheetCol::Material));
        row.row = CellReader::DataRow(r);
        rows.push_back(std::move(row));
    }
    return true;
}

}  // namespace

bool FirstRowConverts(const CellTable& table, const LengthFormat& lengths) {
    const int r = CellTable::kFirstDataRow;
    return ParseLength(table.Cell(r, 1), lengths) && ParseLength(table.Cell(r, 2), lengths) &&
           ParseInteger(table.Cell(r, 3));
}

bool ReadJobSettings(const SettingsForm& f, JobSettings& s, InputFault& error) {
    s.print.title = TrimControls(f.printTitle);
    s.print.font = f.printFont;
    s.print.fontSize = f.printFontSize;
    // Margins, blade width and offcut limits are typed in the unit.
    const LengthFormat lengths = LengthFormatOf(f.unit);
    Margins& m = s.cut.margins;
    if (!ReadSettingLength(f.marginTop, "Top Margin:", lengths, m.top, error) ||
        !ReadSettingLength(f.marginBottom, "Bottom Margin:", lengths, m.bottom, error) ||
        !ReadSettingLength(f.marginLeft, "Left Margin:", lengths, m.left, error) ||
        !ReadSettingLength(f.marginRight, "Right Margin:", lengths, m.right, error))
        return false;
    s.unit = TrimControls(f.unit);
    if (!ReadSettingLength(f.bladeWidth, "Blade Width:", lengths, s.cut.bladeWidth, error) ||
        !ReadSettingInteger(f.decimals, "Decimals:", s.decimals, error) ||
        !ReadSettingNumber(f.safeHeight, "Safe Height:", s.cnc.safeHeight, error) ||
        !ReadSettingNumber(f.drillDepth, "Drill Depth:", s.cnc.drillDepth, error))
        return false;
    s.cnc.huazhong = f.huazhong;
    s.speed = f.speed;
    s.cut.guillotine = f.guillotine;
    s.cut.costObjective = f.costOptimization;
    s.cut.stages = f.stages;
    s.cut.firstCut = f.firstCut;
    s.search = f.bestSearch ? SearchMethod::Best : SearchMethod::Classic;
    if (!ReadSettingLength(f.timeLimit, "Time Limit (s):", s.timeLimit, error)) return false;
    if (!ReadSettingSignedLength(f.minOffcutLength, "Min. Length:", lengths, s.cut.minOffcutLength,
                                 error) ||
        !ReadSettingSignedLength(f.minOffcutWidth, "Min. Width:", lengths, s.cut.minOffcutWidth,
                                 error) ||
        !ReadSettingNumber(f.minOffcutArea, "Min. Area:", s.cut.minOffcutArea, error))
        return false;
    s.offcutPrefix = TrimControls(f.offcutPrefix);
    return ReadBandings(f.banding, lengths, s.banding, error);
}

OutputChoices OutputChoicesOf(const SettingsForm& f) {
    OutputChoices c;
    c.showLabels = f.showLabels;
    c.showDimensions = f.showDimensions;
    c.showCorners = f.showCorners;
    c.showOffcuts = f.showOffcuts;
    c.showCuts = f.showCuts;
    c.edgeColor = f.edgeColor;
    c.sheetColor = f.sheetColor;
    c.partColor = f.partColor;
    c.offcutColor = f.offcutColor;
    c.dxfDimensions = f.dxfDimensions;
    c.dxfOffcuts = f.dxfOffcuts;
    // The prefix becomes part of a TAB-separated field, so it must stay one field.
    const std::string prefix = SingleLineText(f.offcutPrefix);
    const size_t b = prefix.find_first_not_of(' ');
    if (b != std::string::npos)
        c.offcutPrefix = prefix.substr(b, prefix.find_last_not_of(' ') - b + 1);
    c.labelFormat = f.labelFormat;
    return c;
}

bool ReadTableRows(const CellTable& sheets, const CellTable& parts, JobRows& rows,
                   InputFault& error) {
    const LengthFormat lengths = LengthFormatOf(rows.settings.unit);
    std::vector<PartRow> partRows;
    std::vector<SheetRow> sheetRows;
    if (!ReadPartRows(parts, lengths, partRows, error) ||
        !ReadSheetRows(sheets, lengths, sheetRows, error))
        return false;
    rows.parts = std::move(partRows);
    rows.sheets = std::move(sheetRows);
    rows.entered = ReadEnteredRows(sheets, parts, lengths);
    return true;
}

EnteredRows ReadEnteredRows(const CellTable& sheets, const CellTable& parts,
                            const LengthFormat& lengths) {
    EnteredRows entered;
    for (int r = CellTable::kFirstDataRow; r < parts.RowCount(); ++r)
        entered.parts.push_back(
            EnteredPartOf({parts.Cell(r, PartCol::Label),
                           parts.Cell(r, PartCol::Length),
                           parts.Cell(r, PartCol::Width),
                           parts.Cell(r, PartCol::Quant),
                           parts.Cell(r, PartCol::Rotatable),
                           parts.Cell(r, PartCol::Material),
                           {parts.Cell(r, PartCol::BandingL1), parts.Cell(r, PartCol::BandingL2),
                            parts.Cell(r, PartCol::BandingW1), parts.Cell(r, PartCol::BandingW2)}},
                          lengths));
    for (int r = CellTable::kFirstDataRow; r < sheets.RowCount(); ++r)
        entered.sheets.push_back(
            EnteredSheetOf({sheets.Cell(r, SheetCol::Label), sheets.Cell(r, SheetCol::Length),
                            sheets.Cell(r, SheetCol::Width), sheets.Cell(r, SheetCol::Quant),
                            sheets.Cell(r, SheetCol::Cost), sheets.Cell(r, SheetCol::Priority),
                            sheets.Cell(r, SheetCol::Material), sheets.Cell(r, SheetCol::Grain)},
                           lengths));
    return entered;
}

}  // namespace tarvex
