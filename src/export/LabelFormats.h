// Sheets of self-adhesive labels the part labels are printed on: the page, the
// grid of labels and where it lies on the page, in millimetres.
#pragma once

#include <string>
#include <vector>

namespace tarvex {

struct LabelFormat {
    std::string name;  // "3x8": columns x rows
    double pageWidth = 210, pageHeight = 297;
    int columns = 3, rows = 8;
    double labelWidth = 70, labelHeight = 37;
    double left = 0, top = 0.5;  // of the first label
    double columnGap = 0, rowGap = 0;

    int PerPage() const { return columns * rows; }
};

// The formats offered, the common A4 sheet of 3 x 8 labels of 70 x 37 mm first.
const std::vector<LabelFormat>& LabelFormats();
// The format of that name; the first one when there is none.
const LabelFormat& LabelFormatNamed(const std::string& name);

}  // namespace tarvex
