#include "text/TextColumns.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

namespace tarvex {

namespace {

int CharColumns(UChar32 c) {
    const int eaw = u_getIntPropertyValue(c, UCHAR_EAST_ASIAN_WIDTH);
    return (eaw == U_EA_WIDE || eaw == U_EA_FULLWIDTH) ? 2 : 1;
}

// Decodes the character at `i`, advancing `i`; malformed bytes count as one
// column each so that no input can stall the scan.
int NextColumns(const std::string& text, int32_t& i) {
    UChar32 c;
    U8_NEXT(reinterpret_cast<const uint8_t*>(text.data()), i, static_cast<int32_t>(text.size()), c);
    return c < 0 ? 1 : CharColumns(c);
}

// The longest start of the text that takes at most `columns` display columns,
// never splitting a character; `used` receives its width.
std::string Prefix(const std::string& text, int columns, int& used) {
    std::string out;
    used = 0;
    for (int32_t i = 0; i < static_cast<int32_t>(text.size());) {
        const int32_t start = i;
        const int w = NextColumns(text, i);
        if (used + w > columns) break;
        out.append(text, start, i - start);
        used += w;
    }
    return out;
}

}  // namespace

int DisplayColumns(const std::string& text) {
    int columns = 0;
    for (int32_t i = 0; i < static_cast<int32_t>(text.size());) columns += NextColumns(text, i);
    return columns;
}

std::string PadText(const std::string& text, int columns, char fill) {
    int used = 0;
    std::string out = Prefix(text, columns, used);
    if (used < columns) out.append(columns - used, fill);
    return out;
}

std::string ColumnText(const std::string& text, int columns) {
    if (columns < 2) return std::string(columns > 0 ? columns : 0, ' ');
    if (DisplayColumns(text) < columns) return PadText(text, columns);
    int used = 0;
    return PadText(Prefix(text, columns - 2, used) + "~", columns);
}

}  // namespace tarvex
