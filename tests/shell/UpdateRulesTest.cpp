#include <gtest/gtest.h>

#include "shell/UpdateConfig.h"
#include "shell/UpdatePage.h"
#include "shell/Version.h"

using namespace tarvex;

namespace {

TEST(CompareVersions, OnlyTheFirstTwoNumbersCount) {
    const std::string own = GetFileVersionText();
    EXPECT_EQ(own, "3.2.1207.2015");
    EXPECT_EQ(CompareVersions("3.3.0", own), 1);
    EXPECT_EQ(CompareVersions("3.10", own), 1);  // numbers, not texts
    EXPECT_EQ(CompareVersions("4.0", own), 1);
    EXPECT_EQ(CompareVersions("3.2.5", own), 0);
    EXPECT_EQ(CompareVersions("3.2", "3.2.9999"), 0);
    EXPECT_EQ(CompareVersions("3.1.9", own), -1);
    EXPECT_EQ(CompareVersions("2.99.0", own), -1);
}

TEST(CompareVersions, TextsWithoutTwoWholeNumbersHaveNoOrder) {
    for (const char* bad : {"3", "x.3.0", "3.x", "3..1", "v3.3.0", "-3.3", "3.3a", "", "."})
        EXPECT_FALSE(CompareVersions(bad, "3.2.1207.2015").has_value()) << bad;
    EXPECT_FALSE(CompareVersions("3.3.0", "").has_value());
}

TEST(ParseUpdatePage, FirstLineWithDotAndParenthesisNamesTheVersion) {
    const UpdatePage page = ParseUpdatePage(
        "Tarvex (sheet cutting)\r\nRelease 3.3\r\n\t 3.3.0 (2016-01-20) \r\n"
        "3.4.0 (later)\rlast");
    EXPECT_EQ(page.versionText, QStringLiteral("3.3.0"));
    EXPECT_EQ(page.notes, QStringLiteral("Tarvex (sheet cutting)\nRelease 3.3\n\t 3.3.0 "
                                         "(2016-01-20) \n3.4.0 (later)\nlast"));
}

TEST(ParseUpdatePage, ShortOrMissingVersionNamesNone) {
    // The first qualifying line decides even when its version is too short.
    EXPECT_EQ(ParseUpdatePage("3.3 (x)\n3.4.0 (y)").versionText, QString());
    EXPECT_EQ(ParseUpdatePage("no version\nhere").versionText, QString());
    EXPECT_EQ(ParseUpdatePage("").versionText, QString());
    EXPECT_EQ(ParseUpdatePage("\xEF\xBB\xBF"
                              "3.3.0 (x)")
                  .versionText,
              QStringLiteral("3.3.0"));
}

TEST(UpdatePageUrl, ABareHostGetsThePagePath) {
    EXPECT_EQ(
        UpdatePageUrl(" https://updates.example.org "),
        QUrl(QStringLiteral("https://updates.example.org/fuploadfile/updates/velkor_updates.asp")));
    EXPECT_EQ(
        UpdatePageUrl("http://updates.example.org/"),
        QUrl(QStringLiteral("http://updates.example.org/fuploadfile/updates/velkor_updates.asp")));
    EXPECT_EQ(UpdatePageUrl("http://127.0.0.1:8080/notes.txt"),
              QUrl(QStringLiteral("http://127.0.0.1:8080/notes.txt")));
}

TEST(UpdatePageUrl, UnusableAddressesGiveNone) {
    for (const char* bad : {"", "ftp://a.example/x", "not an address", "file:///etc/passwd",
                            "http://", "updates.example.org"})
        EXPECT_TRUE(UpdatePageUrl(bad).isEmpty()) << bad;
}

TEST(DownloadPage, OpensTheTranslatedAddress) {
    QUrl opened;
    EXPECT_TRUE(OpenDownloadPage([&](const QUrl& url) {
        opened = url;
        return true;
    }));
    EXPECT_EQ(opened, DownloadPageUrl());
    EXPECT_TRUE(opened.isValid());
    EXPECT_EQ(opened.path(), QStringLiteral("/index.php/download"));
}

}  // namespace
