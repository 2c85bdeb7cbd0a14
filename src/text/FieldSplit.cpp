#include "text/FieldSplit.h"

namespace {

bool IsControl(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

}  // namespace

std::string TrimControls(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && IsControl(text[b])) ++b;
    while (e > b && IsControl(text[e - 1])) --e;
    return std::string(text.substr(b, e - b));
}

std::vector<std::string> SplitAtDelimiters(std::string_view line, std::string_view delimiters) {
    std::vector<std::string> fields;
    std::string rest = TrimControls(line);
    for (;;) {
        // Priority goes to the delimiter's rank, not to its position in the text.
        size_t p = std::string::npos;
        for (char d : delimiters) {
            p = rest.find(d);
            if (p != std::string::npos) break;
        }
        if (p == std::string::npos) break;
        fields.push_back(TrimControls(std::string_view(rest).substr(0, p)));
        rest = TrimControls(std::string_view(rest).substr(p + 1));
    }
    if (!rest.empty()) fields.push_back(std::move(rest));
    return fields;
}

std::vector<std::string> SplitFields(std::string_view line) {
    if (line.empty() || line == "0") return {};
    return SplitAtDelimiters(line, std::string_view("\t ;,:", 5));
}
