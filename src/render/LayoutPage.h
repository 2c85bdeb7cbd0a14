// What the layout page shows beside the picture for one layout of the applied
// result: the eight captions with the sheet's data and the part table (labels
// with their quantities on one sheet of the layout). The exports and printing
// read the same texts, so they always repeat what the page shows.
#pragma once

#include <string>
#include <vector>

#include "job/AppliedResult.h"
#include "text/LengthText.h"

namespace tarvex {

struct LayoutPartRow {
    std::string label;
    int quantity = 0;            // placed parts of this row on one sheet of the layout
    std::int32_t entryRow = -1;  // the part row they were entered on; -1 when not known
};

// The captions, each the text beside one label of the page.
struct LayoutCaptions {
    std::string partCount;    // "Parts in layout:"
    std::string sheetLabel;   // "Label:"
    std::string sheetCount;   // "Quant:"
    std::string sheetLength;  // "Length:"
    std::string sheetWidth;   // "Width:"
    std::string sheetArea;    // "Sheet Area:"
    std::string scrapArea;    // "Scrap Area:"
    std::string ratio;        // "Ratio:"
};

struct LayoutPage {
    LayoutCaptions captions;
    std::vector<LayoutPartRow> partRows;  // the data rows of the part table, in shown order
};

// The number of the part at this position of a layout's list of parts, as its
// label ("Layout 3, part 13") and every drawing of the layout name it.
inline int LayoutPartNumber(std::size_t position) {
    return static_cast<int>(position) + 1;
}

// The part rows of the sheet's placed parts, in the order their first part was
// placed, each with the number of its parts: parts of one entered row (and label,
// compared byte for byte) make one row, so two part rows of one label stay two.
std::vector<LayoutPartRow> CountLayoutParts(const PlannedSheet& sheet);

// The id of the first placed part of this row on the result's layout sheets
// (sheets in list order, parts in order); 0 when there is none.
int FirstPartIdOf(const AppliedResult& result, const LayoutPartRow& row);

// Orders the rows by FirstPartIdOf, so rows appear in the order their parts were
// entered; rows with equal keys keep the order of a selection sort.
void SortLayoutParts(const AppliedResult& result, std::vector<LayoutPartRow>& rows);

// The cells of the row's part row as typed; empty texts when no row is known.
PartTexts TypedTextsOf(const AppliedResult& result, const LayoutPartRow& row);
// Whether the row's parts may be turned, as entered; false when no row is known.
bool EnteredRotatable(const AppliedResult& result, const LayoutPartRow& row);

// The sheet's sizes in whole units, or as fractions when `lengths` shows them.
LayoutCaptions MakeLayoutCaptions(const PlannedSheet& sheet, const LengthFormat& lengths);

// Captions and sorted part rows of a layout; empty when the result has no such layout.
LayoutPage MakeLayoutPage(const AppliedResult& result, int layoutIndex);

}  // namespace tarvex
