#include "text/SingleLineText.h"

namespace tarvex {

std::string SingleLineText(const std::string& text) {
    std::string out = text;
    for (char& c : out) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F) c = ' ';
    }
    return out;
}

}  // namespace tarvex
