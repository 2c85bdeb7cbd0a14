#include "model/Part.h"

#include <utility>

namespace tarvex {

double Part::LayoutOrderKeyOf(double a, double b) {
    return 0.05 * a * b + 0.95 * (a > b ? a / b : b / a);
}

void Part::SetSize(double newLength, double newWidth) {
    length = newLength;
    width = newWidth;
    layoutOrderKey = LayoutOrderKeyOf(newLength, newWidth);
}

void WorkPart::Rotate() {
    std::swap(length, width);
    rotated = !rotated;
}

}  // namespace tarvex
