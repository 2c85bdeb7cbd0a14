#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QString>
#include <regex>
#include <set>

#include "ShellTestUtil.h"
#include "shell/Help.h"
#include "support/ScratchFolder.h"
#include "text/AppPaths.h"
#include "text/Translate.h"

using namespace tarvex;

namespace fs = std::filesystem;
using namespace shelltest;

namespace {

fs::path HelpIn(const fs::path& localeDir, const std::string& code, const char* name) {
    const fs::path file = localeDir / code / "LC_MESSAGES" / name;
    WriteBytes(file, "help");
    return file;
}

// Captures the addresses instead of launching a viewer, and the messages.
struct Recorder {
    std::vector<QUrl> urls;
    std::vector<std::string> messages;
    bool succeed = true;
    void Open(const std::string& code) {
        OpenHelp(
            code,
            [this](const QUrl& url, const std::function<void()>& failed) {
                urls.push_back(url);
                if (!succeed) failed();
            },
            [this](const std::string& message) { messages.push_back(message); });
    }
};

}  // namespace

TEST(FindHelpFile, PrefersTheCompiledHelpThenTheHtmlManual) {
    const fs::path first = NewScratchFolder("shell"), second = NewScratchFolder("shell");
    const fs::path html = HelpIn(first, "zh_cn", "velkor.html");
    EXPECT_EQ(FindHelpFile("zh_cn", {first, second}), html);
    const fs::path chm = HelpIn(first, "zh_cn", "velkor.chm");
    EXPECT_EQ(FindHelpFile("zh_cn", {first, second}), chm);
}

TEST(FindHelpFile, FolderBesideTheProgramComesFirst) {
    const fs::path first = NewScratchFolder("shell"), second = NewScratchFolder("shell");
    const fs::path installed = HelpIn(second, "en_us", "velkor.chm");
    EXPECT_EQ(FindHelpFile("en_us", {first, second}), installed);
    const fs::path beside = HelpIn(first, "en_us", "velkor.html");
    EXPECT_EQ(FindHelpFile("en_us", {first, second}), beside);
    EXPECT_TRUE(FindHelpFile("zh_cn", {first, second}).empty());
    EXPECT_TRUE(FindHelpFile("", {first, second}).empty());
}

TEST(OpenHelp, OpensTheShippedManualOfTheLanguage) {
    Recorder recorder;
    recorder.Open("zh_cn");
    EXPECT_TRUE(recorder.messages.empty());
    ASSERT_EQ(recorder.urls.size(), 1u);
    const fs::path expected = ProgramDir() / "locale" / "zh_cn" / "LC_MESSAGES" / "velkor.html";
    EXPECT_EQ(recorder.urls[0].toLocalFile().toStdString(), expected.string());
}

TEST(OpenHelp, MissingHelpGivesTheTranslatedMessageAndOpensNothing) {
    Recorder recorder;
    InitTranslation(ShippedLocaleDir());
    SetLanguage("en_us");
    recorder.Open("xx_none");
    SetLanguage("zh_cn");
    recorder.Open("xx_none");
    SetLanguage("en_us");
    EXPECT_EQ(recorder.messages,
              (std::vector<std::string>{"The manual is missing.", "帮助文件不存在！"}));
    EXPECT_TRUE(recorder.urls.empty());
}

TEST(OpenHelp, ViewerThatFailsIsReported) {
    Recorder recorder;
    recorder.succeed = false;
    recorder.Open("en_us");
    ASSERT_EQ(recorder.urls.size(), 1u);
    ASSERT_EQ(recorder.messages.size(), 1u);
    // The message names the file, so that it can be opened by hand.
    EXPECT_NE(recorder.messages[0].find(recorder.urls[0].toLocalFile().toStdString()),
              std::string::npos)
        << recorder.messages[0];
}

// The desktop's opener as xdg-open answers: it exits with 3 or 4 when no program
// takes the file, which the window must hear of.
TEST(DesktopDocumentOpener, HearsWhetherAProgramTookTheFile) {
    const fs::path bin = NewScratchFolder("shell");
    const char* path = std::getenv("PATH");
    const std::string oldPath = path ? path : "";
    setenv("PATH", (bin.string() + ":" + oldPath).c_str(), 1);
    const QUrl file = QUrl::fromLocalFile(QStringLiteral("/tmp/manual.html"));
    for (const int status : {0, 3, 4}) {
        SCOPED_TRACE(status);
        WriteBytes(bin / "xdg-open",
                   "#!/bin/sh\necho \"$1\" > \"$0.arg\"\nexit " + std::to_string(status) + "\n");
        fs::permissions(bin / "xdg-open", fs::perms::owner_all);
        fs::remove(bin / "xdg-open.arg");
        QObject owner;
        bool failed = false;
        DesktopDocumentOpener (&owner)(file, [&] { failed = true; });
        QDeadlineTimer deadline(10000);
        while (!fs::exists(bin / "xdg-open.arg") || owner.children().size() > 0) {
            ASSERT_FALSE(deadline.hasExpired());
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        EXPECT_EQ(failed, status != 0);
        EXPECT_EQ(ReadBytes(bin / "xdg-open.arg"), "/tmp/manual.html\n");
    }
    setenv("PATH", oldPath.c_str(), 1);
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
