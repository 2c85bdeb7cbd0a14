// The printed page of one layout: a text block (print title, date and time, the
// layout's heading and sheet data, a table of its parts, the cut options), the
// layout drawing in the documents' style with the parts' sizes, across the rest of
// the page, and the cut list under it, or on a page of its own where it does not
// fit there; all in the print font of the last calculation.
#pragma once

#include <QFont>
#include <QPainter>
#include <QRect>
#include <functional>
#include <string>
#include <vector>

#include "job/AppliedResult.h"
#include "render/LayoutDrawing.h"

namespace tarvex {

// The font the pages print in: the print font at the print font size in points
// (10 when that is not a whole number above 0).
QFont PrintFont(const PrintSettings& print);

// The text lines under the title, in order, for the layout; empty when the result
// has no such layout. `stamp` is the date line.
std::vector<std::string> LayoutPrintLines(const AppliedResult& result, int layoutIndex,
                                          const std::string& stamp);

// The drawing options of a printed page: the chosen annotations, the sizes of the
// parts always, in the documents' style.
LayoutDrawOptions PageOptionsOf(const LayoutDrawOptions& options, const AppliedResult& result);

// Lays out and draws one layout onto the painter's current page, whose printable
// area is `page` in device pixels; `newPage` starts the page its cut list goes on
// when the list does not fit under the drawing. Draws nothing when the result has
// no such layout.
void PrintLayoutPage(QPainter& painter, const QRect& page, const AppliedResult& result,
                     int layoutIndex, const LayoutDrawOptions& options,
                     const std::function<void()>& newPage);

}  // namespace tarvex
