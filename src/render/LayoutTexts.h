// The texts of a layout drawing and where they go: the numbers of the saw cuts on
// their lines, then for every part its label, its length and width and its
// top-left corner, then the sizes of the offcuts; each kept inside what it
// describes, off every other text, shrunk or left out where there is no room.
#pragma once

#include <QLineF>
#include <vector>

#include "job/SawCuts.h"
#include "model/Sheet.h"
#include "render/SheetView.h"
#include "render/TextFit.h"

struct LayoutDrawOptions;

struct LayoutText {
    enum class Kind { CutNumber, Label, Length, Width, Corner, OffcutSize };
    Kind kind;
    int owner;  // the index of the cut, part or offcut it belongs to
    FittedText fitted;
};

// The cuts count only when the options show them, the offcut sizes only in the
// documents' style.
std::vector<LayoutText> LayoutTexts(TextFitter& fitter, const SheetView& view,
                                    const PlannedSheet& sheet, const std::vector<SawCut>& cuts,
                                    double bladeWidth, const LayoutDrawOptions& options);

// The line a cut is drawn as: the middle of its slot, in the view's pixels.
QLineF CutLine(const SheetView& view, const SawCut& cut, double bladeWidth);
