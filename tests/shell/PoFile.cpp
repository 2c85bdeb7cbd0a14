#include "PoFile.h"

#include <sstream>

namespace tarvex {

namespace shelltest {

namespace {

// The text of one quoted PO string, escapes resolved.
std::string Unquote(const std::string& quoted) {
    std::string out;
    const size_t open = quoted.find('"'), close = quoted.rfind('"');
    if (open == std::string::npos || close <= open) return out;
    for (size_t i = open + 1; i < close; ++i) {
        if (quoted[i] != '\\' || i + 1 >= close) {
            out += quoted[i];
            continue;
        }
        const char c = quoted[++i];
        out += c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c;
    }
    return out;
}

bool StartsWith(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

}  // namespace

std::vector<PoEntry> ParsePo(const std::string& text) {
    std::vector<PoEntry> entries;
    PoEntry current;
    std::string* field = nullptr;
    bool fuzzyFlag = false, inPlural = false;
    auto finish = [&] {
        if (!current.id.empty()) entries.push_back(current);
        current = PoEntry{};
        field = nullptr;
        inPlural = false;
    };
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (StartsWith(line, "#,")) {
            fuzzyFlag = fuzzyFlag || line.find("fuzzy") != std::string::npos;
        } else if (StartsWith(line, "msgctxt")) {
            finish();
            current.context = Unquote(line);
            field = &current.context;
        } else if (StartsWith(line, "msgid_plural")) {
            field = nullptr;
        } else if (StartsWith(line, "msgid")) {
            if (!current.id.empty() || field != &current.context) finish();
            current.id = Unquote(line);
            current.line = number;
            current.fuzzy = fuzzyFlag;
            fuzzyFlag = false;
            field = &current.id;
        } else if (StartsWith(line, "msgstr[")) {
            field = inPlural ? nullptr : &current.text;
            if (field) *field = Unquote(line);
            inPlural = true;
        } else if (StartsWith(line, "msgstr")) {
            current.text = Unquote(line);
            field = &current.text;
        } else if (StartsWith(line, "\"") && field) {
            *field += Unquote(line);
        }
    }
    finish();
    return entries;
}

}  // namespace shelltest

}  // namespace tarvex
