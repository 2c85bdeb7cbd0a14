// Comma-separated values as spreadsheet programs write them (RFC 4180): fields in
// double quotes may hold the separator, line breaks and doubled quotes. The
// separator is a comma or, as spreadsheets in many countries write, a semicolon.
#pragma once

#include <string>
#include <vector>

namespace tarvex {

struct CsvRecord {
    int line = 0;  // 1-based line of the file the record starts on
    std::vector<std::string> fields;
};

// ';' when the first line that holds anything has more semicolons than commas
// outside quotes, ',' otherwise.
char DetectCsvSeparator(const std::string& text);

// The rows of a list have at least this many separators (four fields).
inline constexpr int kRowSeparators = 3;

// The records of the text, each field trimmed of codes 0 to 32 at both ends.
// Returns false with the line where a quote opened that is never closed, and with
// the records before that one. A quoted field may hold line ends, but one that does
// must be followed by a separator or a line end, and none of its lines may hold
// kRowSeparators separators: such a field is a quote left open that swallowed
// the rows after it.
bool ParseCsv(const std::string& text, char separator, std::vector<CsvRecord>& records,
              int& unclosedQuoteLine);

}  // namespace tarvex
