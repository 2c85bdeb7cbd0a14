// The fixed list of colours the colour boxes of the settings page offer. A colour
// is identified by its position in the list, which is what project files store.
// Positions 0 to 19 are fixed RGB values; positions 20 to 49 name colours of the
// desktop theme and are taken from the application palette.
#pragma once

#include <QColor>

namespace tarvex {

inline constexpr int kColorListSize = 50;

// The colour at a position of the list; a position outside the list gives black.
QColor ListColor(int position);

// The English name of a position (a message id, for the colour boxes); empty
// outside the list.
const char* ListColorName(int position);

}  // namespace tarvex
