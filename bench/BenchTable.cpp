#include "BenchTable.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace tarvex {

BenchTable::BenchTable(std::string title, std::vector<std::string> columns)
    : title_(std::move(title)), columns_(std::move(columns)) {}

void BenchTable::AddRow(std::vector<std::string> cells) {
    cells.resize(columns_.size());
    rows_.push_back(std::move(cells));
}

void BenchTable::AddNote(std::string note) {
    notes_.push_back(std::move(note));
}

std::string BenchTable::Text() const {
    std::vector<std::size_t> widths(columns_.size());
    for (std::size_t c = 0; c < columns_.size(); ++c) {
        widths[c] = columns_[c].size();
        for (const auto& row : rows_) widths[c] = std::max(widths[c], row[c].size());
    }
    // The first column (names) is left-aligned, figures right-aligned.
    const auto line = [&](const std::vector<std::string>& cells) {
        std::string out;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const std::string pad(widths[c] - cells[c].size(), ' ');
            out += c == 0 ? cells[c] + pad : "  " + pad + cells[c];
        }
        return out + "\n";
    };
    std::string out = "\n" + title_ + "\n" + line(columns_);
    for (const auto& row : rows_) out += line(row);
    for (const auto& note : notes_) out += note + "\n";
    return out;
}

std::string BenchTable::Markdown() const {
    const auto line = [](const std::vector<std::string>& cells) {
        std::string out = "|";
        for (const auto& cell : cells) out += " " + cell + " |";
        return out + "\n";
    };
    std::string out = title_ + "\n\n" + line(columns_) + "|";
    for (std::size_t c = 0; c < columns_.size(); ++c) out += c == 0 ? "---|" : "---:|";
    out += "\n";
    for (const auto& row : rows_) out += line(row);
    if (!notes_.empty()) out += "\n";
    for (const auto& note : notes_) out += note + "\n";
    return out + "\n";
}

std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int size = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string out(static_cast<std::size_t>(std::max(size, 0)), '\0');
    std::vsnprintf(out.data(), out.size() + 1, format, again);
    va_end(again);
    return out;
}

void BenchReport::Add(const BenchTable& table) {
    std::fputs(table.Text().c_str(), stdout);
    std::fflush(stdout);
    if (markdown_) text_ += table.Markdown();
}

void BenchReport::Progress(const std::string& line) {
    std::fprintf(stderr, "  %s\n", line.c_str());
    std::fflush(stderr);
}

}  // namespace tarvex
