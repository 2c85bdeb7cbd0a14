#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "render/LayoutPrint.h"
#include "support/LayoutFixture.h"

namespace {

// Five parts A placed before two parts B on one sheet, cut twice.
AppliedResult FiveAndTwo() {
    std::vector<Placement> parts;
    for (int i = 0; i < 5; ++i) parts.push_back(Rect("A", i, 100.0 * i, 0, 100, 50));
    parts.push_back(Rect("B", 5, 0, 100, 200, 100));
    parts.push_back(Rect("B", 6, 200, 100, 200, 100));
    return ResultOf({LayoutSheet("Birch", 2440, 1220, 2, 0, parts)});
}

}  // namespace

TEST(LayoutPrint, TextBlockListsTheSheetPartsAndCutOptions) {
    AppliedResult result = FiveAndTwo();
    result.settings.cut.bladeWidth = 3;
    const CellTable table =
        PartTable({{"A", "100", "50", "5", "Yes"}, {"B", "200", "100", "2", "No"}});
    const std::vector<std::string> lines = LayoutPrintLines(result, table, 0, "STAMP");
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0], "STAMP");
    EXPECT_EQ(lines[1], "------------ Sheet Cutting Layouts 1 ------------");
    EXPECT_EQ(lines[2], "          Label： Birch                    Used Quant：2");
    EXPECT_EQ(lines[3], "          Length：2440.00                   Width：1220.00");
    EXPECT_EQ(lines[4], "------------Parts-----------");
    EXPECT_EQ(lines[5].substr(0, 32), "Label           Length          ");
    EXPECT_EQ(lines[6],
              "A               100             50              5               Yes             ");
    EXPECT_EQ(lines[7],
              "B               200             100             2               No              ");
    EXPECT_EQ(lines[8], "------------Cut Options-----------");
    EXPECT_EQ(lines[9], "Length Unit:mm");
    EXPECT_EQ(lines[10], "Blade Width:3.00");
}

TEST(LayoutPrint, MarginsAreListedTopBottomLeftRight) {
    AppliedResult result = FiveAndTwo();
    result.settings.cut.margins = {1, 2, 3, 4};
    const auto lines = LayoutPrintLines(result, PartTable({}), 0, "");
    EXPECT_EQ(
        lines.back(),
        "Top Margin:1.00      Bottom Margin:2.00      Left Margin:3.00      Right Margin:4.00");
}

TEST(LayoutPrint, LongLabelsAreShortenedAndMissingRowsLeaveEmptyCells) {
    const AppliedResult result = ResultOf(
        {LayoutSheet("S", 1000, 1000, 1, 0, {Rect("A very long label indeed", 1, 0, 0, 10, 10)})});
    // The part table no longer holds the label: its cells stay empty.
    const auto lines = LayoutPrintLines(result, PartTable({}), 0, "");
    // A blank always follows a column, so the cut label ends in "~" before it.
    EXPECT_EQ(lines[6], std::string("A very long la~ ") + std::string(32, ' ') + "1" +
                            std::string(15, ' ') + std::string(16, ' '));
}

TEST(LayoutPrint, NoSuchLayoutPrintsNothing) {
    EXPECT_TRUE(LayoutPrintLines(FiveAndTwo(), PartTable({}), 1, "").empty());
    QImage page(800, 1000, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    PrintLayoutPage(painter, page.rect(), FiveAndTwo(), PartTable({}), 3, LayoutDrawOptions{});
    painter.end();
    for (int y = 0; y < page.height(); y += 7)
        for (int x = 0; x < page.width(); x += 7) ASSERT_EQ(page.pixel(x, y), qRgb(255, 255, 255));
}

TEST(LayoutPrint, TheDrawingFillsThePageBelowTheText) {
    AppliedResult result = FiveAndTwo();
    result.settings.print.title = "Kitchen";
    QImage page(1200, 1600, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    LayoutDrawOptions options;
    options.sheetColor = QColor(255, 255, 0);
    PrintLayoutPage(painter, page.rect(), result, PartTable({}), 0, options);
    painter.end();
    // The sheet, 2440 by 1220, spans the drawing's width: its fill shows at the middle
    // of the page's width, below the text block and above the bottom margin.
    int yellowRows = 0, firstYellow = -1;
    for (int y = 0; y < page.height(); ++y) {
        if (page.pixel(600, y) == qRgb(255, 255, 0)) {
            ++yellowRows;
            if (firstYellow < 0) firstYellow = y;
        }
    }
    EXPECT_GT(firstYellow, 400);  // the text block and the 200-pixel gap come first
    EXPECT_GT(yellowRows, 400);   // about half of the drawing's width of 960
    EXPECT_EQ(page.pixel(100 + 20 + 3, firstYellow + 5), qRgb(255, 255, 0));
    EXPECT_NE(page.pixel(1100 - 10, firstYellow + 5), qRgb(255, 255, 0));
}
