// Comma-separated values as spreadsheet programs write them (RFC 4180): fields in
// double quotes may hold the separator, line breaks and doubled quotes. The
// separator is a comma or, as spreadsheets in many countries write, a semicolon.
#pragma once

#include <string>
#include <vector>

struct CsvRecord {
    int line = 0;  // 1-based line of the file the record starts on
    std::vector<std::string> fields;
};

// ';' when the first line that holds anything has more semicolons than commas
// outside quotes, ',' otherwise.
char DetectCsvSeparator(const std::string& text);

// The records of the text, each field trimmed of codes 0 to 32 at both ends.
// Returns false with the line of the quote that is never closed.
bool ParseCsv(const std::string& text, char separator, std::vector<CsvRecord>& records,
              int& unclosedQuoteLine);
