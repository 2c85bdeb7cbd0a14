#include <gtest/gtest.h>

#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include "ShellTestUtil.h"
#include "shell/SettingsFile.h"
#include "support/ScratchFolder.h"

using namespace tarvex;

namespace fs = std::filesystem;
using namespace shelltest;

namespace {

fs::path SettingsWith(const std::string& bytes) {
    const fs::path file = fs::path(NewScratchFolder("shell")) / "velkor.db";
    WriteBytes(file, bytes);
    return file;
}

}  // namespace

TEST(ReadLanguage, ReadsTheTrimmedValueOfCommonWithoutLetterCase) {
    EXPECT_EQ(ReadLanguage(SettingsWith("[COMMON]\r\nlanguage =  zh_cn \r\n")), "zh_cn");
    EXPECT_EQ(ReadLanguage(SettingsWith("[Other]\nLanguage=xx\n[common]\nLANGUAGE=zh_cn\n")),
              "zh_cn");
    // Garbage lines before the section do not matter.
    EXPECT_EQ(ReadLanguage(SettingsWith("%%% not ini\n\n[Common]\nLanguage=zh_cn\n")), "zh_cn");
}

TEST(ReadLanguage, SectionWithoutTheKeyGivesEnglishAndEmptyValueStaysEmpty) {
    EXPECT_EQ(ReadLanguage(SettingsWith("[Common]\r\nOther=1\r\n")), "en_us");
    EXPECT_EQ(ReadLanguage(SettingsWith("[Common]\r\n")), "en_us");
    EXPECT_EQ(ReadLanguage(SettingsWith("[Common]\r\nLanguage=   \r\n")), "");
}

TEST(ReadLanguage, UnusableFilesGiveEnglish) {
    const fs::path dir = NewScratchFolder("shell");
    EXPECT_EQ(ReadLanguage(dir / "missing.db"), "en_us");
    EXPECT_EQ(ReadLanguage(SettingsWith("")), "en_us");
    EXPECT_EQ(ReadLanguage(SettingsWith("Language=zh_cn\n")), "en_us");  // no section
    EXPECT_EQ(ReadLanguage(SettingsWith("[Main]\nLanguage=zh_cn\n")), "en_us");
    EXPECT_EQ(ReadLanguage(SettingsWith("[Common\nLanguage=zh_cn\n")), "en_us");
    EXPECT_EQ(ReadLanguage(SettingsWith(std::string("\0\xff\xfe\x01[\0]=\n", 9))), "en_us");
    EXPECT_EQ(ReadLanguage(SettingsWith(std::string(1 << 20, '['))), "en_us");
    // A folder where the file should be cannot be read, even by root.
    fs::create_directories(dir / "velkor.db");
    EXPECT_EQ(ReadLanguage(dir / "velkor.db"), "en_us");
}

TEST(SaveLanguage, RewritesTheValueAndKeepsEverythingElse) {
    const fs::path file = SettingsWith(
        "; "
        "settings\r\n[Window]\r\nLeft=10\r\n[common]\r\nLANGUAGE=en_us\r\nUpdateUrl=https://u/"
        "x\r\n");
    ASSERT_TRUE(SaveLanguage(file, "zh_cn"));
    EXPECT_EQ(ReadLanguage(file), "zh_cn");

    CSimpleIniA ini(true);
    ASSERT_GE(ini.LoadFile(file.c_str()), 0);
    EXPECT_STREQ(ini.GetValue("Window", "Left", ""), "10");
    EXPECT_STREQ(ini.GetValue("Common", "UpdateUrl", ""), "https://u/x");
    CSimpleIniA::TNamesDepend keys;
    ini.GetAllKeys("Common", keys);
    EXPECT_EQ(keys.size(), 2u) << "the key must be replaced, not added a second time";

    const std::string bytes = ReadBytes(file);
    EXPECT_NE(bytes.find("; settings"), std::string::npos);
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at " << i;
        }
    }
}

TEST(SaveLanguage, WritesNothingWithoutCommon) {
    const fs::path dir = NewScratchFolder("shell");
    EXPECT_FALSE(SaveLanguage(dir / "velkor.db", "zh_cn"));
    EXPECT_FALSE(fs::exists(dir / "velkor.db"));

    const std::string original = "[Window]\r\nLanguage=en_us\r\n";
    const fs::path file = SettingsWith(original);
    EXPECT_FALSE(SaveLanguage(file, "zh_cn"));
    EXPECT_EQ(ReadBytes(file), original);
    // So the choice is forgotten at the next start.
    EXPECT_EQ(ReadLanguage(file), "en_us");
}

TEST(SaveLanguage, RefusesCodesThatWouldBreakTheFile) {
    const std::string original = "[Common]\r\nLanguage=en_us\r\n";
    const fs::path file = SettingsWith(original);
    EXPECT_FALSE(SaveLanguage(file, "zh_cn\r\n[Evil]"));
    EXPECT_EQ(ReadBytes(file), original);
}

TEST(SaveLanguage, SeedStandsInForAMissingFile) {
    const fs::path seed = SettingsWith("[Common]\r\nLanguage=zh_cn\r\nUpdateUrl= https://s/p \r\n");
    const fs::path file = fs::path(NewScratchFolder("shell")) / "config" / "tarvex" / "velkor.db";

    EXPECT_EQ(ReadLanguage(file, seed), "zh_cn");
    EXPECT_EQ(ReadUpdateUrl(file, seed), "https://s/p");
    ASSERT_TRUE(SaveLanguage(file, "en_us", seed));
    EXPECT_EQ(ReadLanguage(file, seed), "en_us");
    EXPECT_EQ(ReadUpdateUrl(file), "https://s/p");
    EXPECT_EQ(ReadLanguage(seed), "zh_cn") << "the installed default must stay untouched";

    // An existing file without "Common" wins over the seed.
    const fs::path plain = SettingsWith("[Window]\r\n");
    EXPECT_EQ(ReadLanguage(plain, seed), "en_us");
    EXPECT_FALSE(SaveLanguage(plain, "zh_cn", seed));
}

TEST(ReadUpdateUrl, EmptyUnlessConfigured) {
    EXPECT_EQ(ReadUpdateUrl(SettingsWith("[Common]\nUpdateUrl=\n")), "");
    EXPECT_EQ(ReadUpdateUrl(SettingsWith("[Common]\nLanguage=zh_cn\n")), "");
    EXPECT_EQ(ReadUpdateUrl(SettingsWith("[Other]\nUpdateUrl=https://x/y\n")), "");
    EXPECT_EQ(ReadUpdateUrl(SettingsWith("[common]\nupdateurl = https://x/y\n")), "https://x/y");
}
