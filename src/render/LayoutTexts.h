// The texts of a layout drawing and where they go: for every part its number on
// the layout (the one its label names) with its label, its length and width and
// its top-left corner, then the sizes of the offcuts, then the numbers of the saw
// cuts beside their lines; each kept inside what it describes, off every other
// text, turned, shrunk, cut short or left out where there is no room. Sizes are
// written with the job's decimals.
#pragma once

#include <QLineF>
#include <vector>

#include "job/SawCuts.h"
#include "model/Sheet.h"
#include "render/SheetView.h"
#include "render/TextFit.h"
#include "text/LengthText.h"

namespace tarvex {

struct LayoutDrawOptions;

struct LayoutText {
    // Label: the part's number with its label (or the number alone).
    enum class Kind { CutNumber, Label, Length, Width, Corner, OffcutSize };
    Kind kind;
    int owner;  // the index of the cut, part or offcut it belongs to
    FittedText fitted;
};

// The cuts count only when the options show them, the offcut sizes only in the
// documents' style. Sizes and corners have at most `decimals` decimals, or are
// fractions when `lengths` shows them.
std::vector<LayoutText> LayoutTexts(TextFitter& fitter, const SheetView& view,
                                    const PlannedSheet& sheet, const std::vector<SawCut>& cuts,
                                    double bladeWidth, const LengthFormat& lengths, int decimals,
                                    const LayoutDrawOptions& options);

// The line a cut is drawn as: the middle of its slot, in the view's pixels.
QLineF CutLine(const SheetView& view, const SawCut& cut, double bladeWidth);

}  // namespace tarvex
