// Recovery copies of unsaved work: whatever the tables and settings hold comes
// back as it was written, and a copy damaged at random is refused with a message
// naming it, never a crash.
#include <gtest/gtest.h>

#include <array>
#include <nlohmann/json.hpp>
#include <random>

#include "io/RecoveryCopy.h"
#include "support/DataFixtures.h"
#include "support/ScratchFolder.h"

using namespace tarvex;

namespace {

// Cell texts a workshop may type or paste, separators and line breaks included.
std::string AnyText(std::mt19937_64& rng) {
    static const std::vector<std::string> pieces = {
        "Door", "720", "564.5",  "Yes", "No", "",    " ",    "\t",   "\r\n",
        "\"",   ",",   "厨房柜", "%s",  "\\", "{1}", "\x7f", "1e-07"};
    std::string text;
    for (int n = static_cast<int>(rng() % 4); n > 0; --n) text += pieces[rng() % pieces.size()];
    return text;
}

CellTable AnyTable(std::mt19937_64& rng, TableKind kind) {
    CellTable table = kind == TableKind::Sheet ? NewSheetTable() : NewPartTable();
    table.SetRowCount(CellTable::kFirstDataRow);
    for (int r = 1 + static_cast<int>(rng() % 6); r > 0; --r) {
        const int row = table.AppendRow();
        for (int c = 0; c < table.ColCount(); ++c) table.SetCell(row, c, AnyText(rng));
    }
    RecountTotals(table, kind);
    return table;
}

RecoveryCopy AnyCopy(std::mt19937_64& rng) {
    RecoveryCopy copy;
    copy.projectPath = rng() % 3 == 0 ? "" : "/jobs/" + AnyText(rng) + ".dat";
    copy.names = {AnyText(rng), AnyText(rng)};
    SettingsForm& f = copy.form;
    f.speed = 1 + static_cast<int>(rng() % 12);
    f.guillotine = rng() % 2;
    f.costOptimization = rng() % 2;
    f.bestSearch = rng() % 2;
    f.stages = std::array{0, 2, 3}[rng() % 3];
    f.firstCut = static_cast<FirstCut>(rng() % 3);
    for (std::string* text :
         {&f.timeLimit, &f.seed, &f.unit, &f.bladeWidth, &f.decimals, &f.minOffcutLength,
          &f.minOffcutWidth, &f.minOffcutArea, &f.offcutPrefix, &f.marginTop, &f.marginBottom,
          &f.marginLeft, &f.marginRight, &f.printFont, &f.printFontSize, &f.printTitle,
          &f.drillDepth, &f.safeHeight, &f.labelFormat})
        *text = AnyText(rng);
    for (int* colour : {&f.edgeColor, &f.sheetColor, &f.partColor, &f.offcutColor})
        *colour = static_cast<int>(rng() % 50);
    for (bool* flag : {&f.huazhong, &f.dxfDimensions, &f.dxfOffcuts, &f.showLabels,
                       &f.showDimensions, &f.showCorners, &f.showOffcuts, &f.showCuts})
        *flag = rng() % 2;
    f.banding.finishedSizes = rng() % 2;
    for (int r = static_cast<int>(rng() % 4); r > 0; --r)
        f.banding.rows.push_back({AnyText(rng), AnyText(rng), AnyText(rng)});
    copy.sheetTable = AnyTable(rng, TableKind::Sheet);
    copy.partTable = AnyTable(rng, TableKind::Part);
    return copy;
}

}  // namespace

TEST(RecoveryCopy, WhatIsWrittenReadsBackTheSame) {
    const std::string path = NewScratchFolder("io") + "/untitled.recovery.json";
    std::mt19937_64 rng(23);
    for (int round = 0; round < 100; ++round) {
        SCOPED_TRACE(round);
        const RecoveryCopy copy = AnyCopy(rng);
        std::string error;
        ASSERT_TRUE(WriteRecoveryCopy(path, copy, error)) << error;
        RecoveryCopy read;
        ASSERT_TRUE(ReadRecoveryCopy(path, read, error)) << error;
        EXPECT_EQ(read.projectPath, copy.projectPath);
        EXPECT_EQ(read.names.SheetFileName, copy.names.SheetFileName);
        EXPECT_EQ(read.names.PartFileName, copy.names.PartFileName);
        EXPECT_EQ(read.sheetTable, copy.sheetTable);
        EXPECT_EQ(read.partTable, copy.partTable);
        EXPECT_EQ(RecoveryCopyJson(read), RecoveryCopyJson(copy));  // every setting
        EXPECT_EQ(read.form.banding, copy.form.banding);
    }
}

TEST(RecoveryCopy, ADamagedCopyIsRefusedWithItsNameAndMissingSettingsKeepTheirDefaults) {
    const std::string path = NewScratchFolder("io") + "/kitchen.dat.recovery.json";
    std::mt19937_64 rng(5);
    int refused = 0;
    for (int round = 0; round < 120; ++round) {
        SCOPED_TRACE(round);
        nlohmann::json json = nlohmann::json::parse(RecoveryCopyJson(AnyCopy(rng)));
        const std::vector<std::string> keys = {"format",   "project", "sheetFile", "partFile",
                                               "settings", "sheets",  "parts"};
        const std::string key = keys[rng() % keys.size()];
        static const std::vector<nlohmann::json> odd = {nullptr,
                                                        7,
                                                        "text",
                                                        true,
                                                        nlohmann::json::array({1, 2}),
                                                        nlohmann::json::array({{"a", 3}})};
        if (rng() % 2)
            json[key] = odd[rng() % odd.size()];
        else
            json.erase(key);
        std::string text = json.dump();
        if (rng() % 4 == 0) text.resize(rng() % (text.size() + 1));
        fixtures::WriteBytes(path, text);
        RecoveryCopy read;
        std::string error;
        if (ReadRecoveryCopy(path, read, error)) continue;
        ++refused;
        EXPECT_NE(error.find("\"" + path + "\""), std::string::npos) << error;
    }
    EXPECT_GT(refused, 100);

    // A copy from before a setting existed reads with that setting's default.
    nlohmann::json json = nlohmann::json::parse(RecoveryCopyJson(AnyCopy(rng)));
    json["settings"].erase("seed");
    json["settings"]["speed"] = 13;
    fixtures::WriteBytes(path, json.dump());
    RecoveryCopy read;
    std::string error;
    EXPECT_FALSE(ReadRecoveryCopy(path, read, error));
    EXPECT_NE(error.find("settings.speed"), std::string::npos) << error;
    json["settings"]["speed"] = 3;
    fixtures::WriteBytes(path, json.dump());
    ASSERT_TRUE(ReadRecoveryCopy(path, read, error)) << error;
    EXPECT_EQ(read.form.seed, SettingsForm{}.seed);
    EXPECT_EQ(read.form.speed, 3);

    EXPECT_FALSE(ReadRecoveryCopy(path + ".missing", read, error));
    EXPECT_NE(error.find(".missing"), std::string::npos) << error;
}

TEST(RecoveryCopy, IsNamedForItsProject) {
    EXPECT_EQ(RecoveryFileName("/home/w/jobs/kitchen.dat"), "kitchen.dat.recovery.json");
    EXPECT_EQ(RecoveryFileName(""), "untitled.recovery.json");
    EXPECT_EQ(RecoveryFileName("kitchen.dat", 3), "kitchen.dat-3.recovery.json");
}
