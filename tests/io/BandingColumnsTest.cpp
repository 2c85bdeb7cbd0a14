// The banding columns L1, L2, W1 and W2 of the part table through every list
// format: generated tables written and read back give the same typed rows, and
// rows without banding are written as the lists have always had them.
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

// Banding cells as typed: none, names with blanks, punctuation the blank-separated
// lists split at, Chinese names.
const std::vector<std::string> kBandings = {"",         "",          "ABS 2mm", "封边 白色",
                                            "Oak, 0.5", "PVC: 1 mm", "橡木",    "  padded "};
const std::vector<std::string> kMaterials = {"", "Birch 18", "桦木 18mm"};

class Generator {
  public:
    explicit Generator(unsigned seed) : random_(seed) {}

    // Part tables of a few rows, about half of them with a banding on some edge.
    CellTable Next(bool& banded) {
        CellTable parts = NewPartTable();
        KeepOneEmptyRow(parts);
        std::vector<Row> rows;
        banded = false;
        const bool withBanding = Pick(2) == 0;
        for (int i = 0, n = 1 + Pick(6); i < n; ++i) {
            Row row = {"Part " + std::to_string(i),     std::to_string(100 + Pick(2000)),
                       std::to_string(50 + Pick(1000)), std::to_string(1 + Pick(9)),
                       Pick(2) ? "Yes" : "No",          Of(kMaterials)};
            for (int e = 0; e < kEdgeCount; ++e) {
                row.push_back(withBanding ? Of(kBandings) : "");
                banded |= !row.back().empty();
            }
            rows.push_back(row);
        }
        fixtures::FillRows(parts, rows);
        return parts;
    }

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    const std::string& Of(const std::vector<std::string>& pool) {
        return pool[static_cast<size_t>(Pick(static_cast<int>(pool.size())))];
    }

  private:
    std::mt19937 random_;
};

std::vector<PartRow> Typed(const CellTable& parts) {
    JobRows rows;
    InputFault fault;
    CellTable sheets = NewSheetTable();
    EXPECT_TRUE(ReadTableRows(sheets, parts, rows, fault));
    return rows.parts;
}

std::string CsvField(const std::string& field) {
    if (field.find_first_of(",;\"\r\n") == std::string::npos) return field;
    std::string out = "\"";
    for (char c : field) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

// The part rows as CSV: the columns in the list files' order, or, under a heading
// naming them in any letter case, the banding columns anywhere.
std::string CsvText(Generator& random, const CellTable& t) {
    std::vector<int> cols = {PartCol::Label, PartCol::Length,    PartCol::Width,
                             PartCol::Quant, PartCol::Rotatable, PartCol::Material};
    const bool heading = random.Pick(2) == 0;
    for (int e = 0; e < kEdgeCount; ++e) {
        const size_t at = heading
                              ? static_cast<size_t>(random.Pick(static_cast<int>(cols.size()) + 1))
                              : cols.size();
        cols.insert(cols.begin() + static_cast<std::ptrdiff_t>(at), PartCol::BandingL1 + e);
    }
    std::string text;
    const auto line = [&](const std::vector<std::string>& fields) {
        for (size_t i = 0; i < fields.size(); ++i) text += (i ? "," : "") + CsvField(fields[i]);
        text += "\r\n";
    };
    if (heading) {
        std::vector<std::string> captions;
        for (int col : cols) {
            std::string caption = TableColumns(TableKind::Part)[col].caption;
            if (random.Pick(2) == 0)
                std::transform(caption.begin(), caption.end(), caption.begin(), ::tolower);
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

// The rows as a sectioned list has them, the keys in any letter case.
std::string SectionedText(Generator& random, const CellTable& t) {
    std::string text;
    int section = 0;  // numbered from 1 without gaps
    for (int r = CellTable::kFirstDataRow; r < t.RowCount(); ++r) {
        if (t.Cell(r, PartCol::Label).empty()) continue;
        text += "[PART" + std::to_string(++section) + "]\nLABEL=" + t.Cell(r, PartCol::Label) +
                "\nLENGTH=" + t.Cell(r, PartCol::Length) + "\nWIDTH=" + t.Cell(r, PartCol::Width) +
                "\nQTY=" + t.Cell(r, PartCol::Quant) +
                "\nROTATE=" + (t.Cell(r, PartCol::Rotatable) == "Yes" ? "Y" : "N") +
                "\nMATERIAL=" + t.Cell(r, PartCol::Material) + "\n";
        for (int e = 0; e < kEdgeCount; ++e) {
            const std::string& cell = t.Cell(r, PartCol::BandingL1 + e);
            if (cell.empty() && random.Pick(2) == 0) continue;
            const std::string key = EdgeName(kEdges[static_cast<size_t>(e)]);
            text +=
                (random.Pick(2) ? key : std::string(1, static_cast<char>(key[0] + 32)) + key[1]) +
                "=" + cell + "\n";
        }
    }
    return text;
}

std::string PastedText(const CellTable& t) {
    std::string text;
    for (int r = CellTable::kFirstDataRow; r < t.RowCount(); ++r) {
        for (int c = 0; c < t.ColCount(); ++c) text += (c ? "\t" : "") + t.Cell(r, c);
        text += "\r\n";
    }
    return text;
}

// The lines the part lists have had before the banding columns.
std::string ListBytesWithoutBanding(const CellTable& t) {
    std::string bytes;
    for (int r = CellTable::kFirstDataRow; r < t.RowCount(); ++r) {
        if (t.Cell(r, PartCol::Label).empty()) continue;
        const int last =
            t.Cell(r, PartCol::Material).empty() ? PartCol::Rotatable : PartCol::Material;
        for (int c = 0; c <= last; ++c) bytes += (c ? "\t" : "") + t.Cell(r, c);
        bytes += "\r\n";
    }
    return bytes;
}

class BandingColumns : public fixtures::ListFolder {
  protected:
    fixtures::ProgramCatalogs catalogs_;
};

}  // namespace

TEST_F(BandingColumns, EveryFormatGivesBackTheTypedRowsAndListsWithoutStayByteForByte) {
    Generator random(26);
    int banded = 0;
    for (int round = 0; round < 100; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        bool hasBanding = false;
        const CellTable table = random.Next(hasBanding);
        banded += hasBanding;
        const std::vector<PartRow> want = Typed(table);

        const std::string list = dir_ + "/parts.txt";
        ASSERT_TRUE(SavePartList(list, table).ok);
        if (!hasBanding) {
            EXPECT_EQ(fixtures::ReadBytes(list), ListBytesWithoutBanding(table));
        }
        CellTable parts = NewPartTable();
        ASSERT_EQ(LoadPartList(list, parts).message, "");
        EXPECT_EQ(Typed(parts), want) << "text list:\n" << fixtures::ReadBytes(list);

        const std::string csv = Write("parts.csv", CsvText(random, table));
        parts = NewPartTable();
        ASSERT_EQ(LoadPartCsv(csv, parts).message, "") << fixtures::ReadBytes(csv);
        EXPECT_EQ(Typed(parts), want) << "CSV:\n" << fixtures::ReadBytes(csv);

        const std::string ini = Write("parts.prt", SectionedText(random, table));
        parts = NewPartTable();
        ASSERT_EQ(LoadPartList(ini, parts).message, "") << fixtures::ReadBytes(ini);
        EXPECT_EQ(Typed(parts), want) << "sectioned:\n" << fixtures::ReadBytes(ini);

        parts = NewPartTable();
        ASSERT_EQ(PasteRows(parts, TableKind::Part, PastedText(table)).refusal, "");
        EXPECT_EQ(Typed(parts), want) << "paste";
    }
    EXPECT_GT(banded, 25);
    EXPECT_LT(banded, 75);
}

TEST_F(BandingColumns, AnEmptyMaterialKeepsItsPlaceBeforeTheBanding) {
    fixtures::FillRows(parts_, {{"Door", "700", "400", "2", "", "", "", "ABS", "", "ABS"},
                                {"Back", "700", "700", "1", "No"}});
    ASSERT_TRUE(SavePartList(dir_ + "/p.txt", parts_).ok);
    EXPECT_EQ(fixtures::ReadBytes(dir_ + "/p.txt"),
              "Door\t700\t400\t2\tNo\t\t\tABS\t\tABS\r\nBack\t700\t700\t1\tNo\r\n");
}
