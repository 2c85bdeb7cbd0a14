// A table of figures as a section prints it: aligned columns for the terminal and,
// when asked for, the same table in Markdown for the README.
#pragma once

#include <string>
#include <vector>

namespace tarvex {

class BenchTable {
  public:
    BenchTable(std::string title, std::vector<std::string> columns);

    void AddRow(std::vector<std::string> cells);
    // A line under the table: how to read it, or a total.
    void AddNote(std::string note);

    // The title, the columns and every row so far, aligned; then the notes.
    std::string Text() const;
    std::string Markdown() const;

  private:
    std::string title_;
    std::vector<std::string> columns_;
    std::vector<std::vector<std::string>> rows_;
    std::vector<std::string> notes_;
};

// printf-style formatting into a string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Collects what the sections produce: prints each table when it is complete and
// keeps its Markdown for the file the run writes at the end.
class BenchReport {
  public:
    explicit BenchReport(bool markdown) : markdown_(markdown) {}

    void Add(const BenchTable& table);
    // Live progress of a long section, on standard error so tables stay clean.
    static void Progress(const std::string& line);

    const std::string& Markdown() const { return text_; }

  private:
    bool markdown_;
    std::string text_;
};

}  // namespace tarvex
