// The material and grain columns through every list format: generated tables
// written and read back give the same typed rows, and tables without them are
// written as the lists have always been.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "io/CsvLists.h"
#include "io/ListFiles.h"
#include "io/PastedRows.h"
#include "io/TableInput.h"
#include "support/DataFixtures.h"

using namespace tarvex;

namespace {

using fixtures::Row;

const std::vector<std::string> kLabels = {"Side",        "桦木 18mm",  "Door \"A\"",
                                          "Shelf, left", "Leg: front", "Top  part"};
const std::vector<std::string> kMaterials = {
    "",        "Birch 18",  "桦木 18mm", "Oak \"select\"", "MDF, raw; E1",
    "ply: 12", "  padded ", "width",     "none",           "材料"};
// Grain cells as the drop-down, another language's drop-down or a file leaves them.
const std::vector<std::string> kGrains = {"",       "along length", "across", "no grain", "横向",
                                          "无纹理", "width",        "NONE",   " length "};

struct Generated {
    CellTable sheets = NewSheetTable();
    CellTable parts = NewPartTable();
    bool later = false;  // whether any row has a material or a grain
};

class Generator {
  public:
    explicit Generator(unsigned seed) : random_(seed) {}

    Generated Next() {
        Generated g;
        const bool later = Pick(2) == 0;
        const int sheetRows = 1 + Pick(5), partRows = 1 + Pick(6);
        KeepOneEmptyRow(g.sheets);
        KeepOneEmptyRow(g.parts);
        std::vector<Row> sheets, parts;
        for (int i = 0; i < sheetRows; ++i) {
            const std::string quant = std::to_string(Pick(20));
            Row row = {
                Of(kLabels), Size(), Size(), quant, Pick(3) ? "12.5" : "0", Pick(2) ? "Yes" : "No",
                quant};
            row.push_back(later ? Of(kMaterials) : "");
            row.push_back(later ? Of(kGrains) : "");
            g.later |= !row[SheetCol::Material].empty() || !row[SheetCol::Grain].empty();
            sheets.push_back(row);
        }
        for (int i = 0; i < partRows; ++i) {
            Row row = {Of(kLabels),
                       Size(),
                       Size(),
                       std::to_string(1 + Pick(9)),
                       Pick(2) ? "Yes" : "No",
                       later ? Of(kMaterials) : ""};
            g.later |= !row[PartCol::Material].empty();
            parts.push_back(row);
        }
        fixtures::FillRows(g.sheets, sheets);
        fixtures::FillRows(g.parts, parts);
        return g;
    }

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    const std::string& Of(const std::vector<std::string>& pool) {
        return pool[static_cast<size_t>(Pick(static_cast<int>(pool.size())))];
    }

  private:
    std::string Size() { return std::to_string(50 + Pick(3000)) + (Pick(4) == 0 ? ".5" : ""); }
    std::mt19937 random_;
};

// The typed rows a calculation would take from the tables.
JobRows Typed(const CellTable& sheets, const CellTable& parts) {
    JobRows rows;
    InputFault fault;
    EXPECT_TRUE(ReadTableRows(sheets, parts, rows, fault));
    return rows;
}

void ExpectSameRows(const Generated& g, const CellTable& sheets, const CellTable& parts,
                    const char* format) {
    const JobRows want = Typed(g.sheets, g.parts), got = Typed(sheets, parts);
    EXPECT_TRUE(got.sheets == want.sheets) << format << ": the sheets differ";
    EXPECT_TRUE(got.parts == want.parts) << format << ": the parts differ";
}

// A CSV field as a spreadsheet writes it, quoted when it must be and sometimes
// when it need not be.
std::string CsvField(const std::string& field, bool quoteAnyway) {
    if (!quoteAnyway && field.find_first_of(",;\"\r\n") == std::string::npos) return field;
    std::string out = "\"";
    for (char c : field) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

// The rows of a table as CSV in the columns of the list files, the later ones
// sometimes moved elsewhere under a heading that names them.
std::string CsvText(Generator& random, const CellTable& t, TableKind kind) {
    const bool sheet = kind == TableKind::Sheet;
    std::vector<int> cols =
        sheet ? std::vector<int>{SheetCol::Label, SheetCol::Length, SheetCol::Width,
                                 SheetCol::Quant, SheetCol::Cost,   SheetCol::Priority}
              : std::vector<int>{PartCol::Label, PartCol::Length, PartCol::Width, PartCol::Quant,
                                 PartCol::Rotatable};
    std::vector<int> later = sheet ? std::vector<int>{SheetCol::Material, SheetCol::Grain}
                                   : std::vector<int>{PartCol::Material};
    const bool heading = random.Pick(2) == 0;
    for (int col : later) {
        const size_t at = heading
                              ? static_cast<size_t>(random.Pick(static_cast<int>(cols.size()) + 1))
                              : cols.size();
        cols.insert(cols.begin() + static_cast<std::ptrdiff_t>(at), col);
    }
    std::string text;
    const auto line = [&](const std::vector<std::string>& fields) {
        for (size_t i = 0; i < fields.size(); ++i)
            text += (i ? "," : "") + CsvField(fields[i], random.Pick(5) == 0);
        text += "\r\n";
    };
    if (heading) {
        std::vector<std::string> captions;
        for (int col : cols) {
            std::string caption = TableColumns(kind)[col].caption;
            if (std::find(later.begin(), later.end(), col) != later.end()) {
                static const std::vector<std::string> material = {"MATERIAL", "材料", " material "};
                static const std::vector<std::string> grain = {"grain", "纹理", "GRAIN"};
                caption = random.Of(col == later.front() ? material : grain);
            }
            captions.push_back(caption);
        }
        line(captions);
    }
    for (int r = CellTable::kFirstDataRow; r < t.RowCount(); ++r) {
        std::vector<std::string> fields;
        for (int col : cols) fields.push_back(t.Cell(r, col));
        line(fields);
    }
    return text;
}

// The rows as a spreadsheet copies them: the table's columns, TAB between cells.
std::string PastedText(const CellTable& t) {
    std::string text;
    for (int r = CellTable::kFirstDataRow; r < t.RowCount(); ++r) {
        for (int c = 0; c < t.ColCount(); ++c) text += (c ? "\t" : "") + t.Cell(r, c);
        text += "\r\n";
    }
    return text;
}

// The lines the text lists have always had: the later columns do not exist.
std::string ListBytesWithoutLaterColumns(const CellTable& t, TableKind kind) {
    const int last = kind == TableKind::Sheet ? SheetCol::Priority : PartCol::Rotatable;
    std::string bytes;
    for (int r = CellTable::kFirstDataRow; r < t.RowCount(); ++r) {
        for (int c = 0; c <= last; ++c) bytes += (c ? "\t" : "") + t.Cell(r, c);
        bytes += "\r\n";
    }
    return bytes;
}

class MaterialLists : public fixtures::ListFolder {
  protected:
    fixtures::ProgramCatalogs catalogs_;
};

}  // namespace

TEST_F(MaterialLists, EveryFormatGivesBackTheTypedRowsAndOldListsStayByteForByte) {
    Generator random(20261210);
    int withLater = 0;
    for (int round = 0; round < 100; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const Generated g = random.Next();
        withLater += g.later;

        const std::string sheetList = dir_ + "/sheets.txt", partList = dir_ + "/parts.txt";
        ASSERT_TRUE(SaveSheetList(sheetList, g.sheets).ok);
        ASSERT_TRUE(SavePartList(partList, g.parts).ok);
        if (!g.later) {
            EXPECT_EQ(fixtures::ReadBytes(sheetList),
                      ListBytesWithoutLaterColumns(g.sheets, TableKind::Sheet));
            EXPECT_EQ(fixtures::ReadBytes(partList),
                      ListBytesWithoutLaterColumns(g.parts, TableKind::Part));
        }
        CellTable sheets = NewSheetTable(), parts = NewPartTable();
        ASSERT_EQ(LoadSheetList(sheetList, sheets).message, "");
        ASSERT_EQ(LoadPartList(partList, parts).message, "");
        ExpectSameRows(g, sheets, parts, "text list");

        const std::string sheetCsv =
            Write("sheets.csv", CsvText(random, g.sheets, TableKind::Sheet));
        const std::string partCsv = Write("parts.csv", CsvText(random, g.parts, TableKind::Part));
        sheets = NewSheetTable();
        parts = NewPartTable();
        ASSERT_EQ(LoadSheetCsv(sheetCsv, sheets).message, "") << fixtures::ReadBytes(sheetCsv);
        ASSERT_EQ(LoadPartCsv(partCsv, parts).message, "") << fixtures::ReadBytes(partCsv);
        ExpectSameRows(g, sheets, parts, "CSV");

        sheets = NewSheetTable();
        parts = NewPartTable();
        ASSERT_EQ(PasteRows(sheets, TableKind::Sheet, PastedText(g.sheets)).refusal, "");
        ASSERT_EQ(PasteRows(parts, TableKind::Part, PastedText(g.parts)).refusal, "");
        ExpectSameRows(g, sheets, parts, "paste");
    }
    EXPECT_GT(withLater, 25);
    EXPECT_LT(withLater, 75);
}

TEST_F(MaterialLists, ExampleListsAreWrittenBackByteForByte) {
    for (const char* example : {"kitchen", "shelving"}) {
        const std::string folder = std::string(TARVEX_SOURCE_DIR) + "/examples/" + example;
        ASSERT_TRUE(LoadSheetList(folder + "/sheets.txt", sheets_).ok);
        ASSERT_TRUE(LoadPartList(folder + "/parts.txt", parts_).ok);
        ASSERT_TRUE(SaveSheetList(dir_ + "/s.txt", sheets_).ok);
        ASSERT_TRUE(SavePartList(dir_ + "/p.txt", parts_).ok);
        EXPECT_EQ(fixtures::ReadBytes(dir_ + "/s.txt"), fixtures::ReadBytes(folder + "/sheets.txt"))
            << example;
        EXPECT_EQ(fixtures::ReadBytes(dir_ + "/p.txt"), fixtures::ReadBytes(folder + "/parts.txt"))
            << example;
    }
}

TEST_F(MaterialLists, LaterFieldsAreWrittenOnlyOnTheRowsThatHaveThem) {
    fixtures::FillRows(sheets_, {{"Birch", "2440", "1220", "2", "", "", "2", "Birch 18", "across"},
                                 {"Spare", "1000", "500", "1", "5", "Yes", "1"},
                                 {"Veneer", "2500", "1250", "1", "9", "No", "1", "", "no grain"}});
    ASSERT_TRUE(SaveSheetList(dir_ + "/s.txt", sheets_).ok);
    // An empty Priority before a material is what it means, lest the material take its place.
    EXPECT_EQ(fixtures::ReadBytes(dir_ + "/s.txt"),
              "Birch\t2440\t1220\t2\t0\tNo\tBirch 18\twidth\r\n"
              "Spare\t1000\t500\t1\t5\tYes\r\n"
              "Veneer\t2500\t1250\t1\t9\tNo\t\tnone\r\n");
    ASSERT_TRUE(SaveLeftSheets(dir_ + "/left.txt", sheets_).ok);
    EXPECT_EQ(fixtures::ReadBytes(dir_ + "/left.txt"),
              "Birch\t2440\t1220\t2\t0\tNo\tBirch 18\twidth\r\n"
              "Spare\t1000\t500\t1\t5\tYes\r\n"
              "Veneer\t2500\t1250\t1\t9\tNo\t\tnone\r\n");
}

TEST_F(MaterialLists, BlankSeparatedAndOlderLinesReadAsBefore) {
    LoadSheetList(Write("s.txt",
                        "Birch 2440 1220 2 0 Yes Birch width\r\n"
                        "Oak\t2000\t1000\t1\t12.5\tNo extra\r\n"
                        "Pine\t1000\t500\t4\r\n"),
                  sheets_);
    EXPECT_EQ(fixtures::DataRows(sheets_),
              (std::vector<Row>{{"Birch", "2440", "1220", "2", "0", "Yes", "2", "Birch", "across"},
                                {"Oak", "2000", "1000", "1", "12.5", "No", "1", "", ""},
                                {"Pine", "1000", "500", "4", "0", "Yes", "4", "", ""}}));
}

TEST_F(MaterialLists, BadGrainStopsEveryReaderNamingTheFileThePlaceAndTheValue) {
    const std::string text = Write("s.txt",
                                   "A\t1\t1\t1\t0\tYes\tOak\tlength\r\n"
                                   "B\t1\t1\t1\t0\tYes\tOak\tdiagonal\r\n");
    ListResult r = LoadSheetList(text, sheets_);
    EXPECT_EQ(r.stopLine, 2);
    EXPECT_NE(r.message.find(text), std::string::npos);
    EXPECT_NE(r.message.find("\"diagonal\""), std::string::npos);
    // B stays as the file has it, for the calculation to refuse; the totals cover A only.
    EXPECT_EQ(fixtures::DataRows(sheets_).back(),
              (Row{"B", "1", "1", "1", "0", "Yes", "1", "Oak", "diagonal"}));
    EXPECT_EQ(sheets_.Cell(0, 3), "1");

    const std::string csv = Write("s.csv",
                                  "Label,Length,Width,Quant,Grain\r\nA,1,1,1,width\r\n"
                                  "B,1,1,1,sideways\r\n");
    r = LoadSheetCsv(csv, sheets_);
    EXPECT_EQ(r.stopLine, 3);
    EXPECT_NE(r.message.find(csv), std::string::npos);
    EXPECT_NE(r.message.find("\"sideways\""), std::string::npos);
    EXPECT_EQ(sheets_.Cell(CellTable::kFirstDataRow, SheetCol::Grain), "across");

    const std::string ini = Write("s.sht",
                                  "[SHEET1]\nLABEL=A\nLENGTH=1\nWIDTH=1\nQTY=1\nMATERIAL=Oak\n"
                                  "GRAIN=none\n[SHEET2]\nLABEL=B\nLENGTH=1\nWIDTH=1\nQTY=1\n"
                                  "GRAIN=up\n");
    r = LoadSheetList(ini, sheets_);
    EXPECT_NE(r.message.find(ini), std::string::npos);
    EXPECT_NE(r.message.find("[SHEET2]"), std::string::npos);
    EXPECT_NE(r.message.find("\"up\""), std::string::npos);
    EXPECT_EQ(fixtures::DataRows(sheets_),
              (std::vector<Row>{{"A", "1", "1", "1", "0", "Yes", "1", "Oak", "no grain"}, Row(9)}));

    // Pasted rows are refused whole, with the table, row and column named.
    CellTable sheets = NewSheetTable();
    const PasteOutcome grain =
        PasteRows(sheets, TableKind::Sheet, "A\t1\t1\t1\t0\tYes\t\tOak\tslanted\r\n");
    EXPECT_NE(grain.refusal.find("row 1, column \"Grain\""), std::string::npos) << grain.refusal;
    EXPECT_NE(grain.refusal.find("\"slanted\""), std::string::npos);
}

TEST_F(MaterialLists, SectionedListsCarryTheMaterial) {
    LoadPartList(Write("p.prt",
                       "[PART1]\nLABEL=Side\nLENGTH=720\nWIDTH=560\nQTY=2\nROTATE=Y\n"
                       "MATERIAL= Birch 18 \n[PART2]\nLABEL=Top\nLENGTH=1\nWIDTH=1\nQTY=1\n"),
                 parts_);
    EXPECT_EQ(fixtures::DataRows(parts_),
              (std::vector<Row>{{"Side", "720", "560", "2", "Yes", "Birch 18", "", "", "", ""},
                                {"Top", "1", "1", "1", "No", "", "", "", "", ""}}));
}
