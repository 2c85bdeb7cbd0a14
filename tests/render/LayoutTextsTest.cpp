// The texts of the layout drawing stay readable on generated layouts: every one
// inside what it describes, none over another (cut numbers included), none below
// the readable size, every part numbered where its number fits, and the label of
// a part with room for it at the drawing's full size.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>
#include <random>

#include "job/SawCuts.h"
#include "render/LayoutDrawing.h"
#include "render/LayoutTexts.h"
#include "support/LayoutFixture.h"
#include "text/NumberText.h"

using namespace tarvex;

namespace {

struct Area {
    double x, y, length, width;
};

// A guillotine layout: the area split at random, a blade width between the two
// sides, down to parts (and some offcuts).
void Split(std::mt19937_64& rng, const Area& a, double blade, int depth, PlannedSheet& sheet) {
    std::uniform_real_distribution<double> unit(0, 1);
    const bool alongX = unit(rng) < 0.5;
    const double extent = alongX ? a.length : a.width;
    if (depth == 0 || extent < 3 * blade + 20 || unit(rng) < 0.15) {
        static const char* labels[] = {
            "Side", "Base bottom", "Drawer base bottom", "门板", "Cabinet side panel, left", "X"};
        if (unit(rng) < 0.8)
            sheet.parts.push_back(Rect(labels[rng() % 6], static_cast<int>(sheet.parts.size()), a.x,
                                       a.y, a.length, a.width));
        else
            sheet.offcuts.push_back(Spare(a.x, a.y, a.length, a.width));
        return;
    }
    const double at = std::floor(extent * (0.15 + 0.7 * unit(rng)));
    if (alongX) {
        Split(rng, {a.x, a.y, at, a.width}, blade, depth - 1, sheet);
        Split(rng, {a.x + at + blade, a.y, a.length - at - blade, a.width}, blade, depth - 1,
              sheet);
    } else {
        Split(rng, {a.x, a.y, a.length, at}, blade, depth - 1, sheet);
        Split(rng, {a.x, a.y + at + blade, a.length, a.width - at - blade}, blade, depth - 1,
              sheet);
    }
}

bool Inside(const QRectF& inner, const QRectF& outer) {
    return inner.left() >= outer.left() && inner.top() >= outer.top() &&
           inner.right() <= outer.right() && inner.bottom() <= outer.bottom();
}

struct Reach {
    int texts = 0, shrunk = 0, leftOut = 0, cutNumbers = 0, turned = 0, cutShort = 0;
};

// The label text of part i: its number, then ": " and its label whole or cut
// short, or the number alone.
bool NamesPart(const QString& text, size_t i, const std::string& label, bool& cutShort) {
    const QString number = QString::number(i + 1);
    if (text == number) return true;
    const QString whole = number + QStringLiteral(": ") + QString::fromStdString(label);
    if (text == whole) return true;
    cutShort = text.endsWith(QChar(0x2026)) && whole.startsWith(text.chopped(1)) &&
               text.size() > number.size() + 3;
    return cutShort;
}

}  // namespace

TEST(LayoutTexts, EveryTextFitsWhatItDescribesAndNoneOverlap) {
    Reach reach;
    for (int job = 0; job < 300; ++job) {
        std::mt19937_64 rng(job);
        const double sheetSizes[][2] = {{2440, 1220}, {2500, 1250}, {1000, 600}, {600, 2000}};
        const auto& size = sheetSizes[rng() % 4];
        const double blade = (rng() % 3) * 2.0;
        AppliedResult result = ResultOf({LayoutSheet("S", size[0], size[1], 1, 0, {})});
        result.settings.cut.guillotine = true;
        result.settings.cut.bladeWidth = blade;
        PlannedSheet& sheet = result.sheets.front();
        Split(rng, {0, 0, size[0], size[1]}, blade, 2 + static_cast<int>(rng() % 5), sheet);
        const auto cuts = DeriveSawCuts(sheet, result.settings.cut);
        ASSERT_TRUE(cuts);

        const QSize picture(200 + static_cast<int>(rng() % 900),
                            150 + static_cast<int>(rng() % 700));
        QImage device(picture, QImage::Format_RGB32);
        const double s = std::min(picture.width() / size[0], picture.height() / size[1]);
        const SheetView view(s, size[0], size[1]);
        LayoutDrawOptions options;
        options.dimensions = options.corners = options.offcuts = options.cuts = true;
        options.document = true;
        TextFitter fitter(LayoutFont(), &device, 13, 8);
        const std::vector<LayoutText> texts =
            LayoutTexts(fitter, view, sheet, *cuts, blade, {}, 2, options);

        for (size_t i = 0; i < texts.size(); ++i) {
            const LayoutText& t = texts[i];
            const QRectF box = t.fitted.box;
            EXPECT_GE(t.fitted.pixelSize, 8);
            EXPECT_LE(t.fitted.pixelSize, 13);
            reach.shrunk += t.fitted.pixelSize < 13;
            reach.turned += t.fitted.turned;
            switch (t.kind) {
                case LayoutText::Kind::CutNumber:
                    ++reach.cutNumbers;
                    EXPECT_TRUE(Inside(box, view.Sheet())) << "job " << job;
                    break;
                case LayoutText::Kind::OffcutSize:
                    EXPECT_TRUE(Inside(box, view.Box(sheet.offcuts[t.owner]))) << "job " << job;
                    break;
                default: {
                    const Placement& p = sheet.parts[t.owner];
                    const QRect part = view.Box(p);
                    EXPECT_TRUE(Inside(box, part)) << "job " << job;
                    if (t.kind == LayoutText::Kind::Corner) {
                        // The corner it names, drawn where it is: the top left.
                        EXPECT_EQ(t.fitted.text.toStdString(),
                                  "(" + FormatDecimals(p.x, 2) + "," +
                                      FormatDecimals(p.y + p.width, 2) + ")");
                        EXPECT_EQ(box.topLeft(), QPointF(part.topLeft()));
                    }
                    if (t.kind == LayoutText::Kind::Label) {
                        bool cutShort = false;
                        EXPECT_TRUE(NamesPart(t.fitted.text, t.owner, p.label, cutShort))
                            << "job " << job << ": " << t.fitted.text.toStdString();
                        reach.cutShort += cutShort;
                    }
                }
            }
            for (size_t k = i + 1; k < texts.size(); ++k)
                EXPECT_FALSE(box.intersects(texts[k].fitted.box))
                    << "job " << job << ": " << t.fitted.text.toStdString() << " and "
                    << texts[k].fitted.text.toStdString();
        }
        reach.texts += static_cast<int>(texts.size());

        // A part with room for its label in the middle, beside its other texts,
        // gets it at the full size; one with room for its number is numbered.
        const QFontMetricsF metrics(LayoutFont(), &device);
        QFont smallest = LayoutFont();
        smallest.setPixelSize(8);
        const QFontMetricsF small(smallest, &device);
        for (size_t i = 0; i < sheet.parts.size(); ++i) {
            const QRect part = view.Box(sheet.parts[i]);
            const QString label = QString::number(i + 1) + QStringLiteral(": ") +
                                  QString::fromStdString(sheet.parts[i].label);
            const bool labelled = std::any_of(texts.begin(), texts.end(), [&](const LayoutText& t) {
                return t.kind == LayoutText::Kind::Label && t.owner == static_cast<int>(i);
            });
            reach.leftOut += !labelled;
            // The number goes first: no other text of the part stands in its way.
            const double side = small.horizontalAdvance(QString::number(i + 1)) + 4;
            if (std::min(part.width(), part.height()) > small.height() + 4 &&
                std::max(part.width(), part.height()) > side) {
                EXPECT_TRUE(labelled) << "job " << job << " part " << i;
            }
            if (part.width() > 2 * metrics.horizontalAdvance(label) + 200 &&
                part.height() > 8 * metrics.height()) {
                const auto own = std::find_if(texts.begin(), texts.end(), [&](const LayoutText& t) {
                    return t.kind == LayoutText::Kind::Label && t.owner == static_cast<int>(i);
                });
                ASSERT_NE(own, texts.end()) << "job " << job;
                EXPECT_EQ(own->fitted.pixelSize, 13) << "job " << job;
            }
        }
    }
    // The jobs reach the cases the rules are for.
    EXPECT_GT(reach.texts, 3000);
    EXPECT_GT(reach.shrunk, 100);
    EXPECT_GT(reach.leftOut, 100);
    EXPECT_GT(reach.cutNumbers, 1000);
    EXPECT_GT(reach.turned, 100);
    EXPECT_GT(reach.cutShort, 30);
}

// A long label in a narrow part is set smaller, then turned to read upward where
// the part is tall, then cut short, and at the last the part keeps its number.
TEST(LayoutTexts, LabelsShrinkTurnAndAreCutShortBeforeOnlyTheNumberStays) {
    QImage device(600, 600, QImage::Format_RGB32);
    const SheetView view(1.0, 600, 600);
    LayoutDrawOptions options;
    const QFontMetricsF metrics(LayoutFont(), &device);
    const QString name = QStringLiteral("1: Drawer base bottom");
    const double full = metrics.horizontalAdvance(name);
    const auto labelOf = [&](double partLength, double partWidth) {
        const PlannedSheet sheet = LayoutSheet(
            "S", 600, 600, 1, 0, {Rect("Drawer base bottom", 1, 0, 0, partLength, partWidth)});
        TextFitter fitter(LayoutFont(), &device, 13, 8);
        const auto texts = LayoutTexts(fitter, view, sheet, {}, 0, {}, 2, options);
        return texts.empty() ? FittedText{} : texts.front().fitted;
    };
    EXPECT_EQ(labelOf(full + 40, 100).pixelSize, 13);
    EXPECT_EQ(labelOf(full + 40, 100).text, name);
    const FittedText shrunk = labelOf(full * 0.85, 100);
    EXPECT_LT(shrunk.pixelSize, 13);
    EXPECT_GE(shrunk.pixelSize, 8);
    EXPECT_FALSE(shrunk.turned);
    // Narrow and tall: turned, at the full size.
    const FittedText turned = labelOf(30, full + 40);
    EXPECT_TRUE(turned.turned);
    EXPECT_EQ(turned.pixelSize, 13);
    EXPECT_EQ(turned.text, name);
    EXPECT_LE(turned.box.width(), 30);
    // Too short either way: the label cut short after the number.
    const FittedText cut = labelOf(full * 0.5, 40);
    EXPECT_TRUE(cut.text.startsWith(QStringLiteral("1: Dra"))) << cut.text.toStdString();
    EXPECT_TRUE(cut.text.endsWith(QChar(0x2026)));
    // Room for the number alone.
    EXPECT_EQ(labelOf(20, 20).text, QStringLiteral("1"));
}

// Sizes and corners are written with the job's decimals, trailing zeros dropped.
TEST(LayoutTexts, SizesKeepTheirDecimals) {
    QImage device(1000, 1000, QImage::Format_RGB32);
    const SheetView view(0.5, 2000, 2000);
    LayoutDrawOptions options;
    options.dimensions = options.corners = true;
    const PlannedSheet sheet =
        LayoutSheet("S", 2000, 2000, 1, 0, {Rect("Side", 1, 10.26, 0, 1396.5, 596.5)});
    const auto textsWith = [&](int decimals) {
        TextFitter fitter(LayoutFont(), &device, 13, 8);
        std::vector<std::string> out;
        for (const LayoutText& t : LayoutTexts(fitter, view, sheet, {}, 0, {}, decimals, options))
            if (t.kind != LayoutText::Kind::Label) out.push_back(t.fitted.text.toStdString());
        return out;
    };
    EXPECT_EQ(textsWith(2), (std::vector<std::string>{"1396.5", "596.5", "(10.26,596.5)"}));
    EXPECT_EQ(textsWith(1), (std::vector<std::string>{"1396.5", "596.5", "(10.3,596.5)"}));
}
