#include "text/FieldSplit.h"

namespace tarvex {

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
    size_t start = 0, end = line.size();
    while (start < end && IsControl(line[start])) ++start;
    while (end > start && IsControl(line[end - 1])) --end;
    // Each delimiter's next occurrence in the remainder. The remainder only shrinks
    // from the front, so a search resumes where the last one ended and the whole
    // split stays linear in the line's length, however many fields it has.
    std::vector<size_t> next(delimiters.size());
    for (size_t k = 0; k < delimiters.size(); ++k) next[k] = line.find(delimiters[k], start);
    for (;;) {
        // Priority goes to the delimiter's rank, not to its position in the text.
        size_t p = std::string_view::npos;
        for (size_t k = 0; k < delimiters.size(); ++k) {
            if (next[k] != std::string_view::npos && next[k] < start)
                next[k] = line.find(delimiters[k], start);
            if (next[k] < end) {
                p = next[k];
                break;
            }
        }
        if (p == std::string_view::npos) break;
        fields.push_back(TrimControls(line.substr(start, p - start)));
        start = p + 1;
        while (start < end && IsControl(line[start])) ++start;
    }
    if (start < end) fields.emplace_back(line.substr(start, end - start));
    return fields;
}

std::vector<std::string> SplitFields(std::string_view line) {
    if (line.empty() || line == "0") return {};
    return SplitAtDelimiters(line, std::string_view("\t ;,:", 5));
}

}  // namespace tarvex
