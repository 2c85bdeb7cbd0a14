#include "export/LabelFormats.h"

namespace tarvex {

const std::vector<LabelFormat>& LabelFormats() {
    static const std::vector<LabelFormat> formats = {
        {"3x8", 210, 297, 3, 8, 70, 37, 0, 0.5, 0, 0},
        {"3x7", 210, 297, 3, 7, 70, 42.3, 0, 0.45, 0, 0},
        {"2x7", 210, 297, 2, 7, 99.1, 38.1, 4.65, 15.15, 2.5, 0},
        {"2x4", 210, 297, 2, 4, 99.1, 67.7, 4.65, 13.1, 2.5, 0},
    };
    return formats;
}

const LabelFormat& LabelFormatNamed(const std::string& name) {
    for (const LabelFormat& f : LabelFormats())
        if (f.name == name) return f;
    return LabelFormats().front();
}

}  // namespace tarvex
