#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPalette>
#include <QTextLayout>
#include <set>

#include "render/ColorList.h"
#include "render/LayoutDrawing.h"
#include "render/LayoutImage.h"
#include "render/LayoutPage.h"
#include "support/LayoutFixture.h"
#include "support/ScratchFolder.h"

using namespace tarvex;

namespace {

const QColor kWhite(255, 255, 255);
const QColor kMoneyGreen(192, 220, 192);

LayoutDrawOptions Colours() {
    LayoutDrawOptions o;
    o.sheetColor = kMoneyGreen;  // told apart from the white background
    o.edgeColor = QColor(128, 128, 128);
    o.partColor = QColor(255, 0, 0);
    o.offcutColor = QColor(0, 0, 255);
    o.label = false;
    return o;
}

QColor At(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

// The bounding box of the pixels that are none of the drawing's fill colours.
QRect InkBox(const QImage& image, const QRect& area) {
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c != kMoneyGreen && c != kWhite && c != QColor(255, 0, 0))
                box = box.united(QRect(x, y, 1, 1));
        }
    return box;
}

}  // namespace

TEST(LayoutCaptions, TruncatedSizesAreaRatioAndIntegerScrap) {
    PlannedSheet sheet =
        LayoutSheet("Birch", 2440.7, 1220.9, 3, 0,
                    {Rect("A", 1, 0, 0, 1220, 1220), Rect("B", 2, 1220, 0, 10, 10)},
                    {Spare(0, 0, 10.5, 10.5), Spare(0, 0, 10.5, 10.5)});
    const LayoutCaptions c = MakeLayoutCaptions(sheet, {});
    EXPECT_EQ(c.sheetLength, "2440");
    EXPECT_EQ(c.sheetWidth, "1220");
    EXPECT_EQ(c.sheetArea, "2976800");
    EXPECT_EQ(c.scrapArea, "220");  // 110 after the first offcut, not 220.5
    EXPECT_EQ(c.partCount, "2");
    EXPECT_EQ(c.sheetCount, "3");
    EXPECT_EQ(c.sheetLabel, "Birch");
    // (1220 * 1220 + 100) / 2976800 = 50.0034 %, shown with at most four decimals.
    EXPECT_EQ(c.ratio, "50.0034%");
    sheet.parts.pop_back();
    EXPECT_EQ(MakeLayoutCaptions(sheet, {}).ratio, "50.00%");
}

TEST(LayoutPartTable, RowsCountLabelsAndFollowPartEntryOrder) {
    // B was entered before A (smaller id) but A was placed first.
    AppliedResult result = ResultOf({
        LayoutSheet("S", 1000, 1000, 1, 1, {Rect("A", 7, 0, 0, 10, 10)}),
        LayoutSheet(
            "S", 1000, 1000, 1, 0,
            {Rect("A", 5, 0, 0, 10, 10), Rect("B", 3, 0, 0, 10, 10), Rect("B", 4, 0, 0, 10, 10)}),
    });
    const LayoutPage page = MakeLayoutPage(result, 0);
    ASSERT_EQ(page.partRows.size(), 2u);
    EXPECT_EQ(page.partRows[0].label, "B");
    EXPECT_EQ(page.partRows[0].quantity, 2);
    EXPECT_EQ(page.partRows[1].label, "A");
    EXPECT_EQ(page.partRows[1].quantity, 1);
    // Unsorted, the labels keep the order of their first placement.
    EXPECT_EQ(CountLayoutParts(*result.LayoutSheetOf(0))[0].label, "A");

    // The key is the first part of the row on any layout sheet, in list order;
    // a merged (not distinct) sheet does not count.
    EXPECT_EQ(FirstPartIdOf(result, {"A", 1}), 7);
    result.sheets[0].distinct = 0;
    EXPECT_EQ(FirstPartIdOf(result, {"A", 1}), 5);
    EXPECT_EQ(FirstPartIdOf(result, {"missing", 1}), 0);
    EXPECT_TRUE(MakeLayoutPage(result, 1).partRows.empty());
}

TEST(ColorList, FixedColoursAndThemeRoles) {
    EXPECT_EQ(ListColor(0), QColor(0, 0, 0));
    EXPECT_EQ(ListColor(7), QColor(128, 128, 128));
    EXPECT_EQ(ListColor(10), QColor(0, 255, 0));
    EXPECT_EQ(ListColor(15), QColor(255, 255, 255));
    EXPECT_EQ(ListColor(16), QColor(192, 220, 192));
    EXPECT_EQ(ListColor(19), QColor(160, 160, 164));
    const QPalette palette = QGuiApplication::palette();
    EXPECT_EQ(ListColor(32), palette.color(QPalette::Active, QPalette::Highlight));
    EXPECT_EQ(ListColor(38), palette.color(QPalette::Active, QPalette::ToolTipBase));
    EXPECT_EQ(ListColor(49), palette.color(QPalette::Active, QPalette::Text));
    EXPECT_EQ(ListColor(50), QColor(0, 0, 0));
    EXPECT_EQ(ListColor(-1), QColor(0, 0, 0));
    std::set<std::string> names;
    for (int i = 0; i < kColorListSize; ++i) names.insert(ListColorName(i));
    EXPECT_EQ(names.size(), 50u);
    EXPECT_EQ(names.count(""), 0u);
}

TEST(LayoutPicture, SheetFillsTheFittingSideAndTheRestStaysWhite) {
    const AppliedResult result = ResultOf({LayoutSheet("S", 2440, 1220, 1, 0, {})});
    const QImage image = RenderLayoutPicture(result, 0, QSize(553, 495), Colours());
    ASSERT_EQ(image.size(), QSize(553, 495));
    // s = 553 / 2440: the sheet covers (0, 0) up to (553, 276).
    EXPECT_EQ(At(image, 0, 0), QColor(128, 128, 128));
    EXPECT_EQ(At(image, 552, 275), QColor(128, 128, 128));
    EXPECT_EQ(At(image, 300, 100), kMoneyGreen);
    EXPECT_EQ(At(image, 300, 276), kWhite);
    EXPECT_EQ(At(image, 300, 494), kWhite);
    // No such layout: all white.
    const QImage empty = RenderLayoutPicture(result, 1, QSize(50, 50), Colours());
    EXPECT_EQ(At(empty, 0, 0), kWhite);
    EXPECT_EQ(At(empty, 25, 25), kWhite);
}

// The sheet lies as the DXF drawing and the CNC program have it: its corner at
// the bottom left, y upward. s = 0.5: the sheet of 1106 x 990 covers 553 x 495.
TEST(LayoutPicture, PartsOffcutsAndLabelInkWithYUpward) {
    PlannedSheet sheet = LayoutSheet("S", 1106, 990, 1, 0, {Rect("ABCDE", 1, 0, 0, 600, 400)},
                                     {Spare(700, 500, 200, 100)});
    const AppliedResult result = ResultOf({sheet});
    LayoutDrawOptions o = Colours();
    QImage image = RenderLayoutPicture(result, 0, QSize(553, 495), o);
    // The part at the sheet's corner covers x 0 .. 300 and the lowest 200 rows.
    EXPECT_EQ(At(image, 0, 494), QColor(255, 0, 0));
    EXPECT_EQ(At(image, 299, 400), QColor(255, 0, 0));
    EXPECT_EQ(At(image, 150, 295), QColor(255, 0, 0));
    EXPECT_EQ(At(image, 150, 294), kMoneyGreen);
    EXPECT_EQ(At(image, 150, 100), kMoneyGreen);
    EXPECT_EQ(At(image, 400, 220), kMoneyGreen);  // offcuts hidden
    // Without its label the part keeps its number, narrow in the middle.
    const QRect number = InkBox(image, QRect(1, 296, 298, 198));
    ASSERT_FALSE(number.isNull());
    EXPECT_NEAR(number.center().x(), 150, 4);
    EXPECT_LE(number.width(), 12);

    o.label = true;
    o.offcuts = true;
    image = RenderLayoutPicture(result, 0, QSize(553, 495), o);
    // The offcut at (700, 500) of 200 x 100 covers x 350 .. 450, rows 195 .. 245.
    EXPECT_EQ(At(image, 350, 220), QColor(0, 0, 255));
    EXPECT_EQ(At(image, 449, 244), QColor(0, 0, 255));
    EXPECT_EQ(At(image, 400, 195), QColor(0, 0, 255));
    const QRect ink = InkBox(image, QRect(1, 296, 298, 198));
    ASSERT_FALSE(ink.isNull());
    // "1: ABCDE" stands in the middle of the part, at the drawing's 13 pixels.
    EXPECT_GT(ink.width(), 3 * number.width());
    EXPECT_NEAR(ink.center().x(), 150, 4);
    EXPECT_NEAR(ink.center().y(), 395, 4);
    EXPECT_GE(ink.height(), 8);
    EXPECT_LE(ink.height(), 16);
    int dark = 0;
    for (int y = ink.top(); y <= ink.bottom(); ++y)
        for (int x = ink.left(); x <= ink.right(); ++x) dark += At(image, x, y).value() < 80;
    EXPECT_GT(dark, 20);  // the label is drawn in black
}

TEST(LayoutPicture, PrintTargetIsShiftedAndLeavesTheRestAlone) {
    const AppliedResult result =
        ResultOf({LayoutSheet("S", 1000, 500, 1, 0, {Rect("P", 1, 0, 0, 500, 500)})});
    const PlannedSheet& sheet = result.sheets.front();
    QImage image(800, 600, QImage::Format_RGB32);
    image.fill(Qt::yellow);
    {
        QPainter painter(&image);
        DrawLayoutSheet(painter, result, sheet, QRect(100, 50, 400, 300), Colours());
        DrawLayoutSheet(painter, result, sheet, QRect(600, 500, 100, 0), Colours());  // no room
    }
    // s = min(400 / 1000, 300 / 500) = 0.4: the sheet runs from (100, 50) to (500, 250).
    EXPECT_EQ(At(image, 99, 50), QColor(Qt::yellow));
    EXPECT_EQ(At(image, 100, 49), QColor(Qt::yellow));
    EXPECT_EQ(At(image, 100, 50), QColor(255, 0, 0));  // the part's corner
    EXPECT_EQ(At(image, 499, 249), QColor(128, 128, 128));
    EXPECT_EQ(At(image, 500, 249), QColor(Qt::yellow));
    EXPECT_EQ(At(image, 650, 550), QColor(Qt::yellow));
}

TEST(LayoutBitmap, SixHundredPixelsOnTheLongerSide) {
    const AppliedResult result =
        ResultOf({LayoutSheet("S", 2440, 1220, 1, 0, {}), LayoutSheet("T", 1000, 1000, 1, 1, {})});
    EXPECT_EQ(RenderLayoutBitmap(result, 0, Colours()).size(), QSize(600, 300));
    EXPECT_EQ(RenderLayoutBitmap(result, 1, Colours()).size(), QSize(600, 600));
    EXPECT_TRUE(RenderLayoutBitmap(result, 2, Colours()).isNull());

    const std::string path = NewScratchFolder("render") + "/layout.bmp";
    std::string error;
    ASSERT_TRUE(SaveLayoutBitmap(result, 0, path, Colours(), error)) << error;
    EXPECT_EQ(ReadBytes(path).substr(0, 2), "BM");
    const QImage back(QString::fromStdString(path));
    EXPECT_EQ(back.size(), QSize(600, 300));
    EXPECT_EQ(back.pixelColor(599, 299), QColor(128, 128, 128));
    EXPECT_FALSE(SaveLayoutBitmap(result, 5, path, Colours(), error));
}

TEST(LayoutFont, ChineseLabelsFindGlyphs) {
    QTextLayout layout(QStringLiteral("门板 Door"), LayoutFont());
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    int glyphs = 0;
    for (const QGlyphRun& run : layout.glyphRuns())
        for (quint32 index : run.glyphIndexes()) {
            EXPECT_NE(index, 0u) << run.rawFont().familyName().toStdString();
            ++glyphs;
        }
    EXPECT_EQ(glyphs, 7);
}
