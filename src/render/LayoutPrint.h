// The printed page of one layout: a text block (print title, date and time, the
// layout's heading and sheet data, a table of its parts, the cut options), the
// cut list at the foot of the page and between them the layout drawing scaled
// into the rest, all in the print font of the last calculation.
#pragma once

#include <QFont>
#include <QPainter>
#include <QRect>
#include <string>
#include <vector>

#include "io/CellTable.h"
#include "job/AppliedResult.h"
#include "render/LayoutDrawing.h"

// The font the pages print in: the print font at the print font size in points
// (10 when that is not a whole number above 0).
QFont PrintFont(const PrintSettings& print);

// The text lines under the title, in order, for the layout; empty when the result
// has no such layout. `stamp` is the date line.
std::vector<std::string> LayoutPrintLines(const AppliedResult& result, const CellTable& partTable,
                                          int layoutIndex, const std::string& stamp);

// Lays out and draws one layout onto the painter's current page, whose printable
// area is `page` in device pixels. Draws nothing when the result has no such layout.
void PrintLayoutPage(QPainter& painter, const QRect& page, const AppliedResult& result,
                     const CellTable& partTable, int layoutIndex, const LayoutDrawOptions& options);
