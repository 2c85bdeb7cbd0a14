// The font of the report on screen and on paper. The report lines up its columns
// with blanks, counting a Chinese character as two columns: a monospaced CJK font
// keeps exactly that proportion, the desktop's fixed font serves where it is missing.
#pragma once

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

inline QFont FixedPitchFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setFamilies({QStringLiteral("Noto Sans Mono CJK SC"), font.family()});
    return font;
}
