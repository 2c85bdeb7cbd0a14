#include "render/LayoutPage.h"

#include <cmath>
#include <utility>

#include "text/LengthText.h"
#include "text/NumberText.h"

namespace tarvex {

namespace {

bool OfRow(const Placement& part, const LayoutPartRow& row) {
    return row.label == part.label && row.entryRow == part.entryRow;
}

}  // namespace

std::vector<LayoutPartRow> CountLayoutParts(const PlannedSheet& sheet) {
    std::vector<LayoutPartRow> rows;
    for (const Placement& part : sheet.parts) {
        bool found = false;
        for (LayoutPartRow& row : rows) {
            if (OfRow(part, row)) {
                ++row.quantity;
                found = true;
                break;
            }
        }
        if (!found) rows.push_back({part.label, 1, part.entryRow});
    }
    return rows;
}

int FirstPartIdOf(const AppliedResult& result, const LayoutPartRow& row) {
    for (const PlannedSheet& sheet : result.sheets) {
        if (!sheet.used || !sheet.distinct) continue;
        for (const Placement& part : sheet.parts)
            if (OfRow(part, row)) return part.partId;
    }
    return 0;
}

PartTexts TypedTextsOf(const AppliedResult& result, const LayoutPartRow& row) {
    const EnteredPart* entered = result.EnteredPartAt(row.entryRow);
    return entered ? entered->texts : PartTexts{};
}

bool EnteredRotatable(const AppliedResult& result, const LayoutPartRow& row) {
    const EnteredPart* entered = result.EnteredPartAt(row.entryRow);
    return entered && entered->rotatable;
}

void SortLayoutParts(const AppliedResult& result, std::vector<LayoutPartRow>& rows) {
    std::vector<int> keys;
    keys.reserve(rows.size());
    for (const LayoutPartRow& row : rows) keys.push_back(FirstPartIdOf(result, row));
    for (size_t r = 0; r < rows.size(); ++r) {
        size_t best = r;
        for (size_t k = r + 1; k < rows.size(); ++k)
            if (keys[k] < keys[best]) best = k;
        std::swap(rows[r], rows[best]);
        std::swap(keys[r], keys[best]);
    }
}

LayoutCaptions MakeLayoutCaptions(const PlannedSheet& sheet, const LengthFormat& lengths) {
    double partArea = 0.0;
    for (const Placement& part : sheet.parts) partArea += part.length * part.width;
    // The scrap area is truncated after every offcut, as an integer sum.
    long long offcutArea = 0;
    for (const Offcut& offcut : sheet.offcuts)
        offcutArea =
            static_cast<long long>(static_cast<double>(offcutArea) + offcut.length * offcut.width);
    const double length = std::trunc(sheet.length);
    const double width = std::trunc(sheet.width);
    const double sheetArea = length * width;

    LayoutCaptions c;
    c.partCount = std::to_string(sheet.parts.size());
    c.sheetLabel = sheet.label;
    c.sheetCount = std::to_string(sheet.count);
    // Fractions show the sheet as entered; whole units are what decimals show.
    c.sheetLength = lengths.fractions > 0 ? FormatFraction(sheet.length, lengths.fractions)
                                          : FormatGeneral(length);
    c.sheetWidth = lengths.fractions > 0 ? FormatFraction(sheet.width, lengths.fractions)
                                         : FormatGeneral(width);
    c.sheetArea = FormatGeneral(sheetArea);
    c.scrapArea = std::to_string(offcutArea);
    // A sheet below one unit in either direction has no whole area to relate to.
    c.ratio = FormatPercent(sheetArea > 0 ? partArea / sheetArea : 0.0);
    return c;
}

LayoutPage MakeLayoutPage(const AppliedResult& result, int layoutIndex) {
    LayoutPage page;
    const PlannedSheet* sheet = result.LayoutSheetOf(layoutIndex);
    if (!sheet) return page;
    page.captions = MakeLayoutCaptions(*sheet, LengthFormatOf(result.settings.unit));
    page.partRows = CountLayoutParts(*sheet);
    SortLayoutParts(result, page.partRows);
    return page;
}

}  // namespace tarvex
