#include "io/CsvText.h"

#include "text/FieldSplit.h"

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
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                if (c == '\n' || (c == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')))
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == '"' && TrimControls(field).empty()) {
            // An opening quote; blanks before it are not part of the field.
            field.clear();
            quoted = fieldStarted = true;
            quoteLine = line;
        } else if (c == separator) {
            endField();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            ++line;
            endRecord();
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted) {
        unclosedQuoteLine = quoteLine;
        return false;
    }
    if (fieldStarted || !field.empty() || !record.fields.empty()) endRecord();
    return true;
}
