#include "app/DisplayText.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

int DisplayColumns(const std::string& utf8) {
    const auto* s = reinterpret_cast<const uint8_t*>(utf8.data());
    const int32_t length = static_cast<int32_t>(utf8.size());
    int columns = 0;
    for (int32_t i = 0; i < length;) {
        UChar32 c;
        U8_NEXT(s, i, length, c);
        const int width = c < 0 ? U_EA_NEUTRAL : u_getIntPropertyValue(c, UCHAR_EAST_ASIAN_WIDTH);
        columns += (width == U_EA_WIDE || width == U_EA_FULLWIDTH) ? 2 : 1;
    }
    return columns;
}

std::string SingleLineText(const std::string& text) {
    std::string out = text;
    for (char& c : out) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F) c = ' ';
    }
    return out;
}
