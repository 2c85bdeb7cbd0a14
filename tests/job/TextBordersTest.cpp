#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The texts of the entry tables and of the settings page are read where they are
// typed, loaded or saved. Below that border the code works on typed rows, results
// and output choices, so that no number is parsed twice and no export finds a row
// by comparing texts.
struct Border {
    const char* folder;
    std::vector<std::string> unreachable;  // headers no file of the folder includes
};

const std::vector<Border>& Borders() {
    static const std::vector<std::string> texts = {"io/CellTable.h", "io/SettingsForm.h",
                                                   "io/EntryTables.h", "io/TableInput.h"};
    static const std::vector<Border> borders = {
        {"model", texts},
        {"engine", texts},
        {"optimizer", texts},
        {"job", texts},
        // The part table still reaches the exports and the printed page for the
        // entered sizes of their parts lists, and the report reads both tables.
        {"render", {"io/SettingsForm.h", "io/TableInput.h"}},
        {"export", {"io/SettingsForm.h", "io/TableInput.h"}},
    };
    return borders;
}

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(TextBorders, NoFolderBelowTheEdgesIncludesTheTextsOfTablesOrSettings) {
    const std::filesystem::path src = std::filesystem::path(TARVEX_SOURCE_DIR) / "src";
    int files = 0;
    for (const Border& border : Borders()) {
        const std::filesystem::path folder = src / border.folder;
        ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".h" && ext != ".cpp") continue;
            ++files;
            const std::string text = ReadAll(entry.path());
            for (const std::string& header : border.unreachable)
                EXPECT_EQ(text.find("#include \"" + header + "\""), std::string::npos)
                    << entry.path() << " includes " << header;
        }
    }
    EXPECT_GT(files, 50) << "the folders were not found where the sources are";
}

}  // namespace
