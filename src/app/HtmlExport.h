// The HTML page of one layout: a table of its parts, a table of the sheet's data
// and its picture, saved as "bmp.bmp" beside the page.
#pragma once

#include <string>
#include <vector>

#include "app/ExportCommon.h"

// The picture's file name; it lies in the page's folder and the page names it
// relative to itself.
inline constexpr const char* kLayoutPictureName = "bmp.bmp";

// The items of the page, each to be followed by CR LF in the file; empty when the
// result has no such layout.
std::vector<std::string> BuildHtmlItems(const ExportSource& source, int layoutIndex);

// Writes the picture beside the page, then the page.
ExportOutcome ExportHtml(const ExportSource& source, int layoutIndex, const std::string& path);
