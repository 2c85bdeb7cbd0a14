#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ShellTestUtil.h"
#include "support/ScratchFolder.h"
#include "text/Translate.h"

using namespace tarvex;

namespace fs = std::filesystem;
using namespace shelltest;

namespace {

// Restores English and the shipped catalogs whatever a test switched to.
class Translation : public ::testing::Test {
  protected:
    void TearDown() override {
        InitTranslation(ShippedLocaleDir());
        SetLanguage("en_us");
    }
};

// Numbers must keep "." as the decimal separator whatever the language.
void ExpectCNumbers() {
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", 1.5);
    EXPECT_STREQ(text, "1.50");
    EXPECT_EQ(std::strtod("2.25", nullptr), 2.25);
}

}  // namespace

TEST_F(Translation, SwitchesBackAndForthInOneProcess) {
    const fs::path dir = NewScratchFolder("shell");
    MakeCatalog(dir, "zh_cn", {{"Open(&O)", "打开(&O)"}, {"Yes", "是"}});
    MakeCatalog(dir, "xx_yy", {{"Open(&O)", "Ouvrir(&O)"}});
    InitTranslation(dir);

    SetLanguage("zh_cn");
    EXPECT_EQ(_("Open(&O)"), "打开(&O)");
    EXPECT_EQ(_("Yes"), "是");
    EXPECT_EQ(_("Not in any catalog"), "Not in any catalog");
    SetLanguage("xx_yy");
    EXPECT_EQ(_("Open(&O)"), "Ouvrir(&O)");
    EXPECT_EQ(_("Yes"), "Yes");
    SetLanguage("zh_cn");
    EXPECT_EQ(_(std::string("Yes")), "是");
    EXPECT_EQ(CurrentLanguage(), "zh_cn");
    // A language without a catalog shows the message ids.
    SetLanguage("de_de");
    EXPECT_EQ(_("Open(&O)"), "Open(&O)");
    EXPECT_EQ(CurrentLanguage(), "de_de");
    ExpectCNumbers();
}

TEST_F(Translation, BrokenCatalogLeavesTheTextsInEnglish) {
    const fs::path dir = NewScratchFolder("shell");
    MakeCatalog(dir, "zh_cn", {{"Yes", "是"}});
    const fs::path broken = dir / "xx_yy" / "LC_MESSAGES";
    fs::create_directories(broken);
    WriteBytes(broken / "default.mo", std::string("\xde\x12\x04\x95") + "garbage, not a catalog");
    const fs::path truncated = dir / "zz_zz" / "LC_MESSAGES";
    fs::create_directories(truncated);
    WriteBytes(truncated / "default.mo",
               ReadBytes(dir / "zh_cn" / "LC_MESSAGES" / "default.mo").substr(0, 20));
    InitTranslation(dir);
    for (const char* code : {"xx_yy", "zz_zz"}) {
        SetLanguage(code);
        EXPECT_EQ(_("Yes"), "Yes") << code;
    }
    SetLanguage("zh_cn");
    EXPECT_EQ(_("Yes"), "是");
    ExpectCNumbers();
}

TEST_F(Translation, CodesMatchFolderNamesWithoutLetterCase) {
    const fs::path dir = NewScratchFolder("shell");
    MakeCatalog(dir, "ZH_TW", {{"Yes", "是的"}});
    InitTranslation(dir);
    SetLanguage("zh_tw");
    EXPECT_EQ(_("Yes"), "是的");
    SetLanguage("Zh_Tw");
    EXPECT_EQ(_("Yes"), "是的");
}

TEST_F(Translation, EmptyCodeTakesTheLanguageFromLang) {
    const fs::path dir = NewScratchFolder("shell");
    MakeCatalog(dir, "zh_cn", {{"Yes", "是"}});
    InitTranslation(dir);
    const char* saved = std::getenv("LANG");
    const std::string savedLang = saved ? saved : "";

    setenv("LANG", "zh_CN.UTF-8", 1);
    SetLanguage("");
    EXPECT_EQ(CurrentLanguage(), "zh_cn");
    EXPECT_EQ(_("Yes"), "是");

    for (const char* lang : {"", "C", "POSIX.UTF-8"}) {
        setenv("LANG", lang, 1);
        SetLanguage("");
        EXPECT_EQ(CurrentLanguage(), "en_us") << "LANG=" << lang;
        EXPECT_EQ(_("Yes"), "Yes") << "LANG=" << lang;
    }
    if (saved) {
        setenv("LANG", savedLang.c_str(), 1);
    } else {
        unsetenv("LANG");
    }
}

TEST_F(Translation, EmptyMessageIdGivesEmptyText) {
    InitTranslation(ShippedLocaleDir());
    SetLanguage("zh_cn");
    // gettext would answer "" with the catalog header.
    EXPECT_EQ(_(""), "");
    EXPECT_EQ(_(static_cast<const char*>(nullptr)), "");
}

TEST_F(Translation, ShippedCatalogsTranslateTheWindowTexts) {
    InitTranslation(ShippedLocaleDir());
    SetLanguage("zh_cn");
    EXPECT_EQ(_("Export &Offcuts"), "导出余料(&O)");
    EXPECT_EQ(_("Tarvex sheet cutting system"), "Tarvex 板材切割系统");
    SetLanguage("en_us");
    EXPECT_EQ(_("Export &Offcuts"), "Export &Offcuts...");
    EXPECT_EQ(_("Tarvex sheet cutting system"), "Tarvex sheet cutting system");
}

// Run only as a child of the next test, in the environment that test chooses.
TEST(TranslationChild, DISABLED_SwitchesInThisEnvironment) {
    InitTranslation(ShippedLocaleDir());
    ExpectCNumbers();
    SetLanguage("zh_cn");
    EXPECT_EQ(_("Open(&O)"), "打开(&O)");
    SetLanguage("en_us");
    EXPECT_EQ(_("Open(&O)"), "&Open...");
    SetLanguage("zh_cn");
    EXPECT_EQ(_("Yes"), "是");
    ExpectCNumbers();
}

TEST(TranslationEnvironments, SwitchingWorksWhateverTheLocaleVariablesSay) {
    const std::vector<std::vector<std::string>> environments = {
        {"LC_ALL=C"},
        {"LANG=C.UTF-8"},
        {},
        {"LANG=zh_CN.UTF-8", "LANGUAGE=fr:de"},  // a locale that is not installed
        {"LC_ALL=C.UTF-8", "LC_NUMERIC=C.UTF-8", "LC_MESSAGES=C"},
    };
    for (const auto& env : environments) {
        std::string described;
        for (const auto& e : env) described += e + " ";
        const Output child =
            RunSelf({"--gtest_filter=TranslationChild.*", "--gtest_also_run_disabled_tests"}, env);
        EXPECT_EQ(child.status, 0) << "environment: " << described << "\n" << child.text;
        // The child must really have run the test, not skipped it.
        EXPECT_NE(child.text.find("[  PASSED  ] 1 test"), std::string::npos)
            << "environment: " << described << "\n"
            << child.text;
    }
}
