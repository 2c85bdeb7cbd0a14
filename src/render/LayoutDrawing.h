// The layout picture: the sheet, its placed parts and optionally its offcuts and
// numbered saw cuts, scaled into a target with the sheet's corner at the bottom
// left and y upward (as the DXF drawing and the CNC program have it), with the
// annotations the view options switch on. The screen picture, the bitmap beside
// an HTML page, the printed page, the PDF and the SVG all draw through
// DrawLayoutSheet.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <map>
#include <string>

#include "job/AppliedResult.h"
#include "job/OutputChoices.h"

namespace tarvex {

struct LayoutDrawOptions {
    bool label = true;        // "Label"
    bool dimensions = false;  // "Dimensions"
    bool corners = false;     // "(Left,Top)"
    bool offcuts = false;     // "Offcut"
    bool cuts = false;        // "Cuts": the saw cuts, numbered in cutting order
    QColor edgeColor{128, 128, 128};
    QColor sheetColor{255, 255, 255};
    QColor partColor{0, 0, 0};
    QColor offcutColor{0, 255, 0};
    // The documents' own style, free of the window's colours: parts filled with a
    // light colour per label, offcuts hatched with their sizes written in them.
    bool document = false;
    std::map<std::string, QColor> labelColors;
};

// The view options and the four colours of the choices.
LayoutDrawOptions DrawOptionsOf(const OutputChoices& choices);
// A light colour for each part label of the result, in the order the labels were
// entered, so that parts of one label are seen together at a glance.
std::map<std::string, QColor> LabelColorsOf(const AppliedResult& result);
// The view options in the documents' style.
LayoutDrawOptions DocumentOptionsOf(const OutputChoices& choices, const AppliedResult& result);

// The font of the screen picture and the bitmap: the window's "宋体" at 13 pixels,
// falling back to an installed CJK font where that family does not exist.
QFont LayoutFont();

// Draws the sheet into the target rectangle at the largest scale that fits, in the
// target's top-left corner, in the painter's current font (texts shrink from its
// size to a readable one, or are left out). Nothing is cleared; a target without
// room draws nothing.
void DrawLayoutSheet(QPainter& painter, const AppliedResult& result, const PlannedSheet& sheet,
                     const QRect& target, const LayoutDrawOptions& options);

// The layout alone at 600 pixels on the sheet's longer side; a null image when the
// result has no such layout.
QImage RenderLayoutBitmap(const AppliedResult& result, int layoutIndex,
                          const LayoutDrawOptions& options);

// RenderLayoutBitmap saved as a BMP file (written atomically). On failure returns
// false with a message naming the file.
bool SaveLayoutBitmap(const AppliedResult& result, int layoutIndex, const std::string& path,
                      const LayoutDrawOptions& options, std::string& error);

}  // namespace tarvex
