#include "app/MessageText.h"

std::string Substitute(std::string_view text, MessageValues values) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        bool replaced = false;
        if (text[i] == '{') {
            for (const auto& [name, value] : values) {
                if (text.substr(i, name.size()) == name) {
                    out += value;
                    i += name.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced) out += text[i++];
    }
    return out;
}
