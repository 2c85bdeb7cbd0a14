// Helpers of the table, list and project tests: scratch folders, raw file bytes,
// and a small message catalog that switches the translation for one test.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "io/CellTable.h"
#include "io/EntryTables.h"
#include "support/ScratchFolder.h"
#include "text/Translate.h"

namespace tarvex {

namespace fixtures {

using Row = std::vector<std::string>;

// The data rows of a table, from row 2 on.
inline std::vector<Row> DataRows(const CellTable& t) {
    std::vector<Row> rows;
    for (int r = CellTable::kFirstDataRow; r < t.RowCount(); ++r) {
        Row row;
        for (int c = 0; c < t.ColCount(); ++c) row.push_back(t.Cell(r, c));
        rows.push_back(row);
    }
    return rows;
}

// Writes the rows into the table's last row and the rows it adds after it.
inline void FillRows(CellTable& t, const std::vector<Row>& rows) {
    for (size_t i = 0; i < rows.size(); ++i) {
        const int r = i == 0 ? t.RowCount() - 1 : t.AppendRow();
        for (int c = 0; c < static_cast<int>(rows[i].size()); ++c) t.SetCell(r, c, rows[i][c]);
    }
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A scratch folder to write list files into, and empty entry tables to read
// them into.
class ListFolder : public ::testing::Test {
  protected:
    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = dir_ + "/" + name;
        WriteBytes(path, bytes);
        return path;
    }
    std::string dir_ = NewScratchFolder("lists");
    CellTable sheets_ = NewSheetTable();
    CellTable parts_ = NewPartTable();
};

// Compiles the given translations into a catalog of the "default" domain and
// switches to it; the destructor switches back to the untranslated texts.
class ScopedCatalog {
  public:
    explicit ScopedCatalog(const std::vector<std::pair<std::string, std::string>>& entries) {
        const std::string dir = NewScratchFolder("catalog");
        const std::string po = dir + "/default.po";
        std::string text = "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n";
        for (const auto& [id, str] : entries)
            text += "\nmsgid \"" + id + "\"\nmsgstr \"" + str + "\"\n";
        WriteBytes(po, text);
        const std::string target = dir + "/zz/LC_MESSAGES";
        const std::string command =
            "mkdir -p '" + target + "' && msgfmt -o '" + target + "/default.mo' '" + po + "'";
        ok_ = std::system(command.c_str()) == 0;
        InitTranslation(dir);
        SetLanguage("zz");
    }
    ~ScopedCatalog() { SetLanguage("en_us"); }
    ScopedCatalog(const ScopedCatalog&) = delete;
    ScopedCatalog& operator=(const ScopedCatalog&) = delete;

    bool ok() const { return ok_; }

  private:
    bool ok_ = false;
};

// The program's own catalogs in English for one test, with the words of every
// language it has; afterwards the texts are the message ids again, as the tests
// that follow in the same program expect.
class ProgramCatalogs {
  public:
    ProgramCatalogs() {
        InitTranslation();
        SetLanguage("en_us");
    }
    ~ProgramCatalogs() { SetLanguage("no-catalog"); }
    ProgramCatalogs(const ProgramCatalogs&) = delete;
    ProgramCatalogs& operator=(const ProgramCatalogs&) = delete;
};

}  // namespace fixtures

}  // namespace tarvex
