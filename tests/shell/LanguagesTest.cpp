#include <gtest/gtest.h>

#include "ShellTestUtil.h"
#include "support/ScratchFolder.h"
#include "text/Languages.h"

using namespace tarvex;

namespace fs = std::filesystem;
using namespace shelltest;

TEST(LanguageList, ListsOnlyFoldersHoldingACatalogLowerCasedOnce) {
    const fs::path dir = NewScratchFolder("shell");
    MakeCatalog(dir, "zh_cn", {});
    MakeCatalog(dir, "EN_US", {});
    MakeCatalog(dir, "en_us", {});
    fs::create_directories(dir / "fr_fr" / "LC_MESSAGES");                 // no catalog
    fs::create_directories(dir / "de_de" / "LC_MESSAGES" / "default.mo");  // not a file
    WriteBytes(dir / "ja_jp" / "default.mo", "catalog in the wrong place");
    WriteBytes(dir / "readme.txt", "not a folder");

    EXPECT_EQ(LanguageList(dir), (std::vector<std::string>{"en_us", "zh_cn"}));
}

TEST(LanguageList, MissingFolderGivesNoLanguages) {
    EXPECT_TRUE(LanguageList(fs::path(NewScratchFolder("shell")) / "no-locale").empty());
}

TEST(LanguageList, ShippedCatalogsAreListed) {
    EXPECT_EQ(LanguageList(ShippedLocaleDir()), (std::vector<std::string>{"en_us", "zh_cn"}));
}

TEST(LanguageFolder, FindsTheFolderWhateverItsLetterCase) {
    const fs::path dir = NewScratchFolder("shell");
    MakeCatalog(dir, "Zh_TW", {});
    fs::create_directories(dir / "ZH_CN");  // holds no catalog
    MakeCatalog(dir, "zh_CN", {});
    EXPECT_EQ(LanguageFolder(dir, "zh_tw"), "Zh_TW");
    EXPECT_EQ(LanguageFolder(dir, "zh_cn"), "zh_CN");
    EXPECT_EQ(LanguageFolder(dir, "ko_kr"), "ko_kr");
}
