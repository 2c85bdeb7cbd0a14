// Fonts of the outputs that are not the window's picture.
#pragma once

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace tarvex {

// The report on screen and on paper. It lines up its columns with blanks, counting
// a Chinese character as two columns: a monospaced CJK font keeps exactly that
// proportion, the desktop's fixed font serves where it is missing.
inline QFont FixedPitchFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setFamilies({QStringLiteral("Noto Sans Mono CJK SC"), font.family()});
    return font;
}

// The documents (PDF, SVG, labels) name fonts that exist, so that the programs
// that show them draw their texts at the sizes they were fitted at.
inline QFont DocumentFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("DejaVu Sans")});
    return font;
}

}  // namespace tarvex
