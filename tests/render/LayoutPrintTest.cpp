#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>

#include "render/LayoutPrint.h"
#include "support/JobTables.h"
#include "support/LayoutFixture.h"

using namespace tarvex;

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
    EnterRows(result, SheetTable({}),
              PartTable({{"A", "100", "50", "5", "Yes"}, {"B", "200", "100", "2", "No"}}));
    const std::vector<std::string> lines = LayoutPrintLines(result, 0, "STAMP");
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
    const auto lines = LayoutPrintLines(result, 0, "");
    EXPECT_EQ(
        lines.back(),
        "Top Margin:1.00      Bottom Margin:2.00      Left Margin:3.00      Right Margin:4.00");
}

TEST(LayoutPrint, LongLabelsWidenTheirColumnAndMissingRowsLeaveEmptyCells) {
    const AppliedResult result = ResultOf(
        {LayoutSheet("S", 1000, 1000, 1, 0,
                     {Rect("Oak melamine 18, 2mm", 1, 0, 0, 10, 10),
                      Rect("A label far too long for any column at all", 2, 10, 0, 10, 10)})});
    // The parts name no entered row: their cells stay empty.
    const auto lines = LayoutPrintLines(result, 0, "");
    // The label column widens to twice its width; a longer label ends in "~" before the
    // blank that parts it from the next column.
    EXPECT_EQ(lines[5].substr(0, 33), "Label" + std::string(27, ' ') + "L");
    EXPECT_EQ(lines[6], "Oak melamine 18, 2mm" + std::string(12, ' ') + std::string(32, ' ') + "1" +
                            std::string(15, ' ') + std::string(16, ' '));
    EXPECT_EQ(lines[7].substr(0, 33), "A label far too long for any c~ " + std::string(1, ' '));
}

// Sizes and settings show every digit they need, and two decimals at least.
TEST(LayoutPrint, NumbersShowTheirDigits) {
    AppliedResult result = FiveAndTwo();
    result.settings.cut.bladeWidth = 0.125;
    result.sheets.front().length = 2440.5;
    const auto lines = LayoutPrintLines(result, 0, "");
    EXPECT_EQ(lines[3], "          Length：2440.50                   Width：1220.00");
    EXPECT_EQ(lines[10], "Blade Width:0.125");
}

TEST(LayoutPrint, NoSuchLayoutPrintsNothing) {
    EXPECT_TRUE(LayoutPrintLines(FiveAndTwo(), 1, "").empty());
    QImage page(800, 1000, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    PrintLayoutPage(painter, page.rect(), FiveAndTwo(), 3, LayoutDrawOptions{},
                    [] { ADD_FAILURE() << "no page to start"; });
    painter.end();
    for (int y = 0; y < page.height(); y += 7)
        for (int x = 0; x < page.width(); x += 7) ASSERT_EQ(page.pixel(x, y), qRgb(255, 255, 255));
}

// The drawing on a page: the rows and columns where the parts' light fills cover
// a quarter or more (texts, lines and their edges do not), and the page's free
// area below the lowest dark row above it.
struct Measured {
    QRect drawing;
    qint64 freeArea = 0;
};

bool Fill(const QImage& page, int x, int y) {
    const QColor c = page.pixelColor(x, y);
    const int low = std::min({c.red(), c.green(), c.blue()});
    const int high = std::max({c.red(), c.green(), c.blue()});
    return high < 252 && low > 150;
}

Measured Measure(const QImage& page, int bottomMargin) {
    int top = -1, bottom = -1;
    for (int y = 0; y < page.height(); ++y) {
        int fill = 0;
        for (int x = 0; x < page.width(); ++x) fill += Fill(page, x, y);
        if (fill * 4 >= page.width()) {
            if (top < 0) top = y;
            bottom = y;
        }
    }
    if (top < 0) return {};
    int left = -1, right = -1;
    for (int x = 0; x < page.width(); ++x) {
        int fill = 0;
        for (int y = top; y <= bottom; ++y) fill += Fill(page, x, y);
        if (fill * 4 >= bottom - top + 1) {
            if (left < 0) left = x;
            right = x;
        }
    }
    int textBottom = 0;
    for (int y = 0; y < top; ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 100) textBottom = y;
    return {QRect(QPoint(left, top), QPoint(right, bottom)),
            static_cast<qint64>(page.width()) * (page.height() - bottomMargin - textBottom)};
}

// An A4 page at the resolution of a screen (as a printer set up with its defaults
// has it) and at a printer's: the drawing spans the page's width below the text,
// covering more than half of the free area.
TEST(LayoutPrint, TheDrawingFillsThePageBelowTheTextAtAnyResolution) {
    AppliedResult result =
        ResultOf({LayoutSheet("Birch", 1000, 1000, 1, 0,
                              {Rect("A", 1, 0, 0, 500, 1000), Rect("B", 2, 500, 0, 500, 400),
                               Rect("C", 3, 500, 400, 500, 600)})});
    result.settings.cut.guillotine = true;
    result.settings.print.title = "Kitchen";
    for (const int dpi : {96, 300}) {
        QImage page(static_cast<int>(8.27 * dpi), static_cast<int>(11.69 * dpi),
                    QImage::Format_RGB32);
        page.setDotsPerMeterX(static_cast<int>(dpi / 0.0254));
        page.setDotsPerMeterY(static_cast<int>(dpi / 0.0254));
        page.fill(Qt::white);
        int pages = 1;
        QPainter painter(&page);
        PrintLayoutPage(painter, page.rect(), result, 0, LayoutDrawOptions{}, [&] { ++pages; });
        painter.end();
        const Measured m = Measure(page, dpi / 6);
        ASSERT_TRUE(m.drawing.isValid()) << dpi;
        EXPECT_GT(m.drawing.width(), page.width() * 0.8) << dpi;
        EXPECT_GT(static_cast<qint64>(m.drawing.width()) * m.drawing.height(), m.freeArea / 2)
            << dpi;
        EXPECT_LE(pages, 2) << dpi;
    }
}

// A cut list too long for the room under the drawing goes on a page of its own,
// and the drawing keeps its size.
TEST(LayoutPrint, ALongCutListGetsAPageOfItsOwn) {
    std::vector<Placement> parts;
    // Strips of parts of their own heights: no two strips are cut alike.
    for (int i = 0; i < 10; ++i)
        for (int k = 0; k < 8; ++k)
            parts.push_back(Rect("P", 8 * i + k, 240.0 * i, (140.0 + i) * k, 230, 130 + i));
    AppliedResult result = ResultOf({LayoutSheet("Birch", 2440, 1220, 1, 0, parts)});
    result.settings.cut.guillotine = true;
    QImage page(827, 1169, QImage::Format_RGB32);
    page.fill(Qt::white);
    int pages = 1;
    QPainter painter(&page);
    PrintLayoutPage(painter, page.rect(), result, 0, LayoutDrawOptions{}, [&] { ++pages; });
    painter.end();
    EXPECT_EQ(pages, 2);
    EXPECT_GT(Measure(page, 17).drawing.width(), page.width() * 0.8);
}

// A short cut list stands under the drawing on the same page.
TEST(LayoutPrint, AShortCutListStaysOnThePage) {
    AppliedResult result =
        ResultOf({LayoutSheet("Birch", 2440, 1220, 1, 0, {Rect("A", 1, 0, 0, 1000, 1220)})});
    result.settings.cut.guillotine = true;
    QImage page(827, 1169, QImage::Format_RGB32);
    page.fill(Qt::white);
    int pages = 1;
    QPainter painter(&page);
    PrintLayoutPage(painter, page.rect(), result, 0, LayoutDrawOptions{}, [&] { ++pages; });
    painter.end();
    EXPECT_EQ(pages, 1);
}
