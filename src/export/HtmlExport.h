// The HTML page of one layout: a table of its parts, a table of the sheet's data
// and its picture, a BMP file beside the page.
#pragma once

#include <string>
#include <vector>

#include "export/ExportCommon.h"

namespace tarvex {

// The picture's path: the page's with the extension ".bmp" (plan.html: plan.bmp).
// Each page has its own picture, so pages of several layouts can share a folder.
std::string LayoutPicturePath(const std::string& pagePath);

// The items of the page, each to be followed by CR LF in the file; empty when the
// result has no such layout. `pictureName` is the picture's file name, which the
// page refers to relative to itself.
std::vector<std::string> BuildHtmlItems(const ExportSource& source, int layoutIndex,
                                        const std::string& pictureName);

// Writes the picture beside the page, then the page.
ExportOutcome ExportHtml(const ExportSource& source, int layoutIndex, const std::string& path);

}  // namespace tarvex
