// Conversions between the core's UTF-8 texts and the window's QStrings.
#pragma once

#include <QString>
#include <string>

namespace tarvex {

// The application's title, untranslated: the caption of the general error box.
inline constexpr const char* kApplicationTitle = "Tarvex sheet cutting system";

inline QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
inline QString Q(const char* text) {
    return QString::fromUtf8(text);
}
inline std::string S(const QString& text) {
    return text.toStdString();
}

}  // namespace tarvex
