#include <gtest/gtest.h>

#include <QImage>
#include <QUrl>
#include <cstdlib>
#include <filesystem>

#include "export/HtmlExport.h"
#include "support/LayoutFixture.h"
#include "support/ScratchFolder.h"

using namespace tarvex;

namespace {

class HtmlExport : public ::testing::Test {
  protected:
    OutputChoices settings;
};

}  // namespace

TEST_F(HtmlExport, WritesPageAndPictureBesideIt) {
    const AppliedResult result = SmallResult();
    const CellTable parts = SmallPartTable();
    const std::string dir = NewScratchFolder("export");
    const ExportOutcome outcome =
        ExportHtml({Entered(result, parts), settings}, 0, dir + "/plan.html");
    ASSERT_TRUE(outcome.ok) << outcome.message;
    EXPECT_EQ(outcome.message, "Congratulations! Exported successfully!");
    const std::string page = ReadBytes(dir + "/plan.html");
    ExpectGolden("small.html", page);
    // The picture is named relative to the page, quoted, and lies beside it.
    EXPECT_NE(page.find("<img src=\"plan.bmp\" align=\"middle\" />"), std::string::npos);
    EXPECT_NE(page.find("charset=utf-8"), std::string::npos);
    const QImage picture(QString::fromStdString(dir + "/plan.bmp"));
    EXPECT_EQ(picture.size(), QSize(600, 360));
}

TEST_F(HtmlExport, EveryPageHasItsOwnPicture) {
    EXPECT_EQ(LayoutPicturePath("/d/plan.html"), "/d/plan.bmp");
    EXPECT_EQ(LayoutPicturePath("plan"), "plan.bmp");
    EXPECT_EQ(LayoutPicturePath("/d/odd.bmp"), "/d/odd.bmp.bmp");
    // Two layouts exported into one folder keep their own pictures.
    const AppliedResult result =
        ResultOf({LayoutSheet("S", 2440, 1220, 1, 0, {}), LayoutSheet("T", 1000, 1000, 1, 1, {})});
    const CellTable parts = PartTable({});
    const std::string dir = NewScratchFolder("export");
    ASSERT_TRUE(ExportHtml({Entered(result, parts), settings}, 0, dir + "/one.html").ok);
    ASSERT_TRUE(ExportHtml({Entered(result, parts), settings}, 1, dir + "/two.html").ok);
    EXPECT_EQ(QImage(QString::fromStdString(dir + "/one.bmp")).size(), QSize(600, 300));
    EXPECT_EQ(QImage(QString::fromStdString(dir + "/two.bmp")).size(), QSize(600, 600));
    // Characters that mean something in an address are encoded.
    const std::string page =
        JoinCrLf(BuildHtmlItems({Entered(result, parts), settings}, 0, "排 #1.bmp"));
    EXPECT_NE(page.find("src=\"%E6%8E%92%20%231.bmp\""), std::string::npos);
}

TEST_F(HtmlExport, PartRowsFollowTheLayoutTable) {
    // A part shows the cells of the row it was entered on, as typed; a part of no
    // known row keeps its row with empty sizes; an empty label gives no row.
    AppliedResult result =
        ResultOf({LayoutSheet("S", 1000, 1000, 1, 0,
                              {Rect("Door", 1, 0, 0, 10, 10), Rect("Gone", 2, 0, 0, 10, 10),
                               Rect("", 3, 0, 0, 10, 10)})});
    result.entered =
        ReadEnteredRows(SheetTable({}), PartTable({{"Door", "720.0", "560", "1", "Yes"}}), {});
    result.sheets[0].parts[0].entryRow = 0;
    const std::string page = JoinCrLf(BuildHtmlItems({result, settings}, 0, "p.bmp"));
    const std::string cell = "<td align=\"center\">";
    EXPECT_NE(page.find(cell + "Door</td>\n" + cell + "720.0</td>\n" + cell + "560</td>\n" + cell +
                        "Yes</td>\n" + cell + "1</td>"),
              std::string::npos);
    EXPECT_NE(page.find(cell + "Gone</td>\n" + cell + "</td>\n" + cell + "</td>\n" + cell +
                        "</td>\n" + cell + "1</td>"),
              std::string::npos);
    // Rows opening with a centred cell: the two part rows and the picture's row.
    size_t rows = 0;
    for (size_t at = page.find("<tr>\n" + cell); at != std::string::npos;
         at = page.find("<tr>\n" + cell, at + 1))
        ++rows;
    EXPECT_EQ(rows, 3u);
    EXPECT_NE(page.find("Ratio</th>\n" + cell + "0.03%</td>"), std::string::npos);
}

TEST_F(HtmlExport, UserTextsAreEscaped) {
    AppliedResult result = ResultOf(
        {LayoutSheet("A&B \"x\"", 100, 100, 1, 0, {Rect("<script>x</script>", 1, 0, 0, 10, 10)})});
    result.settings.unit = "<i>";
    const CellTable parts = PartTable({});
    const std::string page =
        JoinCrLf(BuildHtmlItems({Entered(result, parts), settings}, 0, "p.bmp"));
    EXPECT_EQ(page.find("<script>"), std::string::npos);
    EXPECT_EQ(page.find("<i>"), std::string::npos);
    EXPECT_NE(page.find("&lt;script&gt;x&lt;/script&gt;"), std::string::npos);
    EXPECT_NE(page.find("A&amp;B &quot;x&quot;"), std::string::npos);
    EXPECT_NE(page.find("(Unit:&lt;i&gt;)"), std::string::npos);
}

TEST_F(HtmlExport, MissingLayoutOrFolderWritesNothing) {
    const AppliedResult result = SmallResult();
    const CellTable parts = SmallPartTable();
    const std::string dir = NewScratchFolder("export");
    ExportOutcome outcome = ExportHtml({Entered(result, parts), settings}, 3, dir + "/plan.html");
    EXPECT_FALSE(outcome.ok);
    EXPECT_NE(outcome.message.find("4"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_empty(dir));
    outcome = ExportHtml({Entered(result, parts), settings}, 0, dir + "/missing/plan.html");
    EXPECT_FALSE(outcome.ok);
    EXPECT_NE(outcome.message.find(dir + "/missing/plan.bmp"), std::string::npos);
}

// The page as a browser shows it: the tables and the picture beside it.
TEST_F(HtmlExport, BrowserRendersPageWithPicture) {
    if (!std::filesystem::exists("/usr/bin/chromium")) GTEST_SKIP() << "chromium not installed";
    settings.sheetColor = 16;  // money green, to find the picture in the screenshot
    const AppliedResult result = SmallResult();
    const CellTable parts = SmallPartTable();
    const std::string dir = NewScratchFolder("export");
    // A page name with a blank, "#" and Chinese still finds its picture.
    const std::string page = dir + "/排版 #1.html";
    ASSERT_TRUE(ExportHtml({Entered(result, parts), settings}, 0, page).ok);
    const std::string shot = dir + "/shot.png";
    const std::string url =
        QUrl::fromLocalFile(QString::fromStdString(page)).toEncoded().toStdString();
    const std::string command =
        "chromium --headless --no-sandbox --disable-gpu --hide-scrollbars "
        "--window-size=1000,1200 --screenshot=" +
        shot + " '" + url + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const QImage image(QString::fromStdString(shot));
    ASSERT_FALSE(image.isNull());
    int sheetPixels = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            sheetPixels += image.pixelColor(x, y) == QColor(192, 220, 192);
    // Most of the 600 x 360 picture is sheet colour, so the picture was found.
    EXPECT_GT(sheetPixels, 600 * 360 / 2);
}
