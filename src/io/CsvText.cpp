#include "io/CsvText.h"

#include <algorithm>

#include "text/FieldSplit.h"

namespace tarvex {

namespace {

bool IsLineEnd(char c) {
    return c == '\n' || c == '\r';
}

// A blank that trimming drops, line ends aside.
bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 32 && !IsLineEnd(c);
}

}  // namespace

char DetectCsvSeparator(const std::string& text) {
    int commas = 0, semicolons = 0;
    bool quoted = false;
    for (char c : text) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if ((c == '\n' || c == '\r') && commas + semicolons > 0) break;
        commas += c == ',';
        semicolons += c == ';';
    }
    return semicolons > commas ? ';' : ',';
}

bool ParseCsv(const std::string& text, char separator, std::vector<CsvRecord>& records,
              int& unclosedQuoteLine) {
    records.clear();
    int line = 1;
    CsvRecord record{line, {}};
    std::string field;
    bool quoted = false, fieldStarted = false;
    int quoteLine = 0;
    // Of the quoted field being read: whether it runs over a line end, and the most
    // separators one of its lines holds.
    bool spansLines = false;
    int lineSeparators = 0, mostSeparators = 0;
    // A closed quoted field that ran over a line end: only blanks may follow it
    // before the separator or the line end.
    bool closedAcrossLines = false;
    const auto endField = [&] {
        record.fields.push_back(TrimControls(field));
        field.clear();
        fieldStarted = false;
    };
    const auto endRecord = [&] {
        endField();
        records.push_back(std::move(record));
        record = CsvRecord{line, {}};
    };
    const auto refuse = [&] {
        unclosedQuoteLine = quoteLine;
        return false;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
                // A quote left open swallows the rows after it up to the next quote,
                // which then closes it in the middle of a field, or the swallowed
                // lines look like rows of their own.
                if (spansLines && std::max(mostSeparators, lineSeparators) >= kRowSeparators)
                    return refuse();
                closedAcrossLines = spansLines;
            } else {
                if (c == '\n' || (c == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
                    ++line;
                    spansLines = true;
                    mostSeparators = std::max(mostSeparators, lineSeparators);
                    lineSeparators = 0;
                }
                lineSeparators += c == separator;
                field += c;
            }
            continue;
        }
        if (closedAcrossLines && c != separator && !IsLineEnd(c) && !IsBlank(c)) return refuse();
        if (c == '"' && TrimControls(field).empty()) {
            // An opening quote; blanks before it are not part of the field.
            field.clear();
            quoted = fieldStarted = true;
            quoteLine = line;
            spansLines = false;
            lineSeparators = mostSeparators = 0;
        } else if (c == separator) {
            endField();
            closedAcrossLines = false;
        } else if (IsLineEnd(c)) {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            ++line;
            endRecord();
            closedAcrossLines = false;
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted) return refuse();
    if (fieldStarted || !field.empty() || !record.fields.empty()) endRecord();
    return true;
}

}  // namespace tarvex
