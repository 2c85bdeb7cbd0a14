// The layout picture: the sheet, its placed parts and optionally its offcuts,
// scaled into a target, with the annotations the view options switch on. The
// screen picture, the bitmap beside an HTML page and the printed page all draw
// through DrawLayoutSheet.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <string>
#include <vector>

#include "io/SettingsForm.h"
#include "job/AppliedResult.h"

struct LayoutDrawOptions {
    bool label = true;        // "Label"
    bool dimensions = false;  // "Dimensions"
    bool corners = false;     // "(Left,Top)"
    bool offcuts = false;     // "Offcut"
    QColor edgeColor{128, 128, 128};
    QColor sheetColor{255, 255, 255};
    QColor partColor{0, 0, 0};
    QColor offcutColor{0, 255, 0};
};

// One annotation of a part: its text with the top-left corner at (x, y), in
// pixels from the sheet's corner.
struct LayoutText {
    int x = 0;
    int y = 0;
    std::string text;
};

// The annotations of a placed part drawn at scale s, in drawing order: label,
// corner coordinates, length, width (as the options switch them on).
std::vector<LayoutText> PartAnnotations(const Placement& part, double s,
                                        const LayoutDrawOptions& options);

// The view options and the four colours of the settings page, read now.
LayoutDrawOptions DrawOptionsOf(const SettingsForm& settings);

// The font of the screen picture and the bitmap: the window's "宋体" at 13 pixels,
// falling back to an installed CJK font where that family does not exist.
QFont LayoutFont();

// Draws the sheet into the target rectangle at the largest scale that fits, its
// corner at the target's top-left, in the painter's current font. Nothing is
// cleared; a target without room draws nothing.
void DrawLayoutSheet(QPainter& painter, const PlannedSheet& sheet, const QRect& target,
                     const LayoutDrawOptions& options);

// The screen picture of a layout: a white image of the given size with the layout
// drawn into it (left white when the result has no such layout).
QImage RenderLayoutPicture(const AppliedResult& result, int layoutIndex, const QSize& size,
                           const LayoutDrawOptions& options);

// The layout alone at 600 pixels on the sheet's longer side; a null image when the
// result has no such layout.
QImage RenderLayoutBitmap(const AppliedResult& result, int layoutIndex,
                          const LayoutDrawOptions& options);

// RenderLayoutBitmap saved as a BMP file (written atomically). On failure returns
// false with a message naming the file.
bool SaveLayoutBitmap(const AppliedResult& result, int layoutIndex, const std::string& path,
                      const LayoutDrawOptions& options, std::string& error);
