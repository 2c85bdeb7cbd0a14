#include <gtest/gtest.h>

#include <QString>
#include <regex>
#include <set>

#include "ShellTestUtil.h"
#include "text/AppPaths.h"
#include "shell/Help.h"
#include "text/Translate.h"

namespace fs = std::filesystem;
using namespace shelltest;

namespace {

fs::path HelpIn(const fs::path& localeDir, const std::string& code, const char* name) {
    const fs::path file = localeDir / code / "LC_MESSAGES" / name;
    WriteBytes(file, "help");
    return file;
}

// Captures the addresses instead of launching a viewer.
struct Recorder {
    std::vector<QUrl> urls;
    bool succeed = true;
    UrlOpener Opener() {
        return [this](const QUrl& url) {
            urls.push_back(url);
            return succeed;
        };
    }
};

}  // namespace

TEST(FindHelpFile, PrefersTheCompiledHelpThenTheHtmlManual) {
    const fs::path first = MakeTempDir(), second = MakeTempDir();
    const fs::path html = HelpIn(first, "zh_cn", "velkor.html");
    EXPECT_EQ(FindHelpFile("zh_cn", {first, second}), html);
    const fs::path chm = HelpIn(first, "zh_cn", "velkor.chm");
    EXPECT_EQ(FindHelpFile("zh_cn", {first, second}), chm);
}

TEST(FindHelpFile, FolderBesideTheProgramComesFirst) {
    const fs::path first = MakeTempDir(), second = MakeTempDir();
    const fs::path installed = HelpIn(second, "en_us", "velkor.chm");
    EXPECT_EQ(FindHelpFile("en_us", {first, second}), installed);
    const fs::path beside = HelpIn(first, "en_us", "velkor.html");
    EXPECT_EQ(FindHelpFile("en_us", {first, second}), beside);
    EXPECT_TRUE(FindHelpFile("zh_cn", {first, second}).empty());
    EXPECT_TRUE(FindHelpFile("", {first, second}).empty());
}

TEST(OpenHelp, OpensTheShippedManualOfTheLanguage) {
    Recorder recorder;
    EXPECT_EQ(OpenHelp("zh_cn", recorder.Opener()), "");
    ASSERT_EQ(recorder.urls.size(), 1u);
    const fs::path expected = ProgramDir() / "locale" / "zh_cn" / "LC_MESSAGES" / "velkor.html";
    EXPECT_EQ(recorder.urls[0].toLocalFile().toStdString(), expected.string());
}

TEST(OpenHelp, MissingHelpGivesTheTranslatedMessageAndOpensNothing) {
    Recorder recorder;
    InitTranslation(ShippedLocaleDir());
    SetLanguage("en_us");
    EXPECT_EQ(OpenHelp("xx_none", recorder.Opener()), "The manual is missing.");
    SetLanguage("zh_cn");
    EXPECT_EQ(OpenHelp("xx_none", recorder.Opener()), "帮助文件不存在！");
    SetLanguage("en_us");
    EXPECT_TRUE(recorder.urls.empty());
}

TEST(OpenHelp, ViewerThatFailsIsReported) {
    Recorder recorder;
    recorder.succeed = false;
    EXPECT_EQ(OpenHelp("en_us", recorder.Opener()), "The help file can not be opened!");
    EXPECT_EQ(recorder.urls.size(), 1u);
}

TEST(Manuals, EveryLanguageShipsAManualWhoseLinksResolve) {
    const std::regex link(R"(href="([^"]*)\")"), anchor(R"(id="([^"]*)\")");
    for (const std::string code : {"en_us", "zh_cn"}) {
        const fs::path manual = ShippedLocaleDir() / code / "LC_MESSAGES" / "velkor.html";
        const std::string html = ReadBytes(manual);
        ASSERT_FALSE(html.empty()) << manual;
        std::set<std::string> ids;
        for (std::sregex_iterator it(html.begin(), html.end(), anchor), end; it != end; ++it) {
            ids.insert((*it)[1]);
        }
        for (std::sregex_iterator it(html.begin(), html.end(), link), end; it != end; ++it) {
            const std::string target = (*it)[1];
            if (target.starts_with("#")) {
                EXPECT_TRUE(ids.count(target.substr(1))) << code << ": " << target;
            } else {
                EXPECT_TRUE(fs::is_regular_file(manual.parent_path() / target))
                    << code << ": " << target;
            }
        }
    }
}
