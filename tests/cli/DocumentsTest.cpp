// The shop-floor outputs of the real tarvex-cli on the kitchen example, checked
// with the tools users have: the JSON cuts and the report's cut lists replayed,
// the PDF's pages counted and read (pdfinfo, pdftotext), the labels' QR codes decoded (pdftoppm,
// zbarimg), the SVG drawings parsed and shown by a browser, and the cut list of the report against
// its golden file.
#include <QImage>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <map>
#include <regex>

#include "CliFixture.h"
#include "support/Commands.h"
#include "support/LayoutFixture.h"

using namespace tarvex;

namespace {

const std::string kReplay =
    "/usr/bin/python3 " + std::string(TARVEX_SOURCE_DIR) + "/tests/export/tools/replay_cuts.py";

int PdfPages(const std::string& pdf) {
    const CommandResult info = RunCommand("pdfinfo " + Quote(pdf));
    std::smatch m;
    if (!std::regex_search(info.output, m, std::regex("Pages:\\s+(\\d+)"))) return -1;
    return std::stoi(m[1]);
}

std::string PageText(const std::string& pdf, int page) {
    const std::string n = std::to_string(page);
    return RunCommand("pdftotext -layout -f " + n + " -l " + n + " " + Quote(pdf) + " -").output;
}

std::string Measure(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

// The layouts of the result in their order, as (sheet, layout number).
std::vector<const json*> Layouts(const json& result) {
    std::vector<const json*> layouts;
    for (const json& s : result["sheets"])
        if (s["used"] && s["distinct"]) layouts.push_back(&s);
    std::sort(layouts.begin(), layouts.end(), [](const json* a, const json* b) {
        return (*a)["layoutIndex"].get<int>() < (*b)["layoutIndex"].get<int>();
    });
    return layouts;
}

// The texts the labels should hold: every part of every sheet cut to a layout.
std::multiset<std::string> ExpectedLabels(const json& result) {
    std::multiset<std::string> texts;
    int number = 0;
    for (const json* s : Layouts(result)) {
        ++number;
        for (int copy = 0; copy < (*s)["count"].get<int>(); ++copy) {
            int position = 0;
            for (const json& p : (*s)["parts"]) {
                const bool turned = p["rotated"];
                const double length = p[turned ? "width" : "length"],
                             width = p[turned ? "length" : "width"];
                texts.insert(p["label"].get<std::string>() + "\n" + Measure(length) + " x " +
                             Measure(width) + " mm\nLayout " + std::to_string(number) + ", part " +
                             std::to_string(++position) +
                             "\nSheet: " + (*s)["label"].get<std::string>());
            }
        }
    }
    return texts;
}

std::multiset<std::string> DecodedLabels(const std::string& pdf, const std::string& folder) {
    RunCommand("pdftoppm -r 300 -png " + Quote(pdf) + " " + Quote(folder + "/label"));
    const CommandResult scan =
        RunCommand("zbarimg --quiet --xml " + Quote(folder) + "/label-*.png 2>/dev/null");
    std::multiset<std::string> texts;
    const std::regex data("<!\\[CDATA\\[([\\s\\S]*?)\\]\\]>");
    for (auto it = std::sregex_iterator(scan.output.begin(), scan.output.end(), data);
         it != std::sregex_iterator(); ++it)
        texts.insert((*it)[1]);
    return texts;
}

struct SvgContent {
    bool valid = false;
    std::string title;
    int rects = 0;
    std::vector<std::string> texts;
};

SvgContent ReadSvg(const std::string& path) {
    SvgContent svg;
    QXmlStreamReader xml(QByteArray::fromStdString(ReadFile(path)));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QStringLiteral("title")) svg.title = xml.readElementText().toStdString();
        if (xml.name() == QStringLiteral("rect")) ++svg.rects;
        if (xml.name() == QStringLiteral("text"))
            svg.texts.push_back(xml.readElementText().simplified().toStdString());
    }
    svg.valid = !xml.hasError();
    return svg;
}

}  // namespace

TEST_F(Cli, KitchenPlanLabelsDrawingsAndCutsAsTheWorkshopGetsThem) {
    for (const char* tool :
         {"/usr/bin/pdfinfo", "/usr/bin/pdftoppm", "/usr/bin/zbarimg", "/usr/bin/pdftotext"})
        if (!HaveTool(tool)) GTEST_SKIP() << tool << " not installed";
    const Outcome o = Run({kKitchen, "--seed", "1", "--pdf", Path("plan.pdf"), "--labels",
                           Path("labels.pdf"), "--svg", Path("l{n}.svg"), "--json",
                           Path("plan.json"), "--report", Path("report.txt")});
    ASSERT_EQ(o.code, 0) << o.err;
    const json result = json::parse(ReadFile(Path("plan.json")));
    const std::vector<const json*> layouts = Layouts(result);
    ASSERT_GE(layouts.size(), 2u);

    const CommandResult replay = RunCommand(kReplay + " " + Quote(Path("plan.json")) + " 2>&1");
    EXPECT_EQ(replay.status, 0) << replay.output;

    // The grouped cut lists of the report, read as the operator reads them, say the
    // same cuts.
    const CommandResult listed = RunCommand(kReplay + " --report " + Quote(Path("report.txt")) +
                                            " " + Quote(Path("plan.json")) + " 2>&1");
    EXPECT_EQ(listed.status, 0) << listed.output;
    EXPECT_EQ(listed.output.find("layouts " + std::to_string(layouts.size()) + " "), 0u)
        << listed.output;

    // The report first, then per layout its page, and its cut list on the next one
    // where it does not fit under the drawing.
    const int pages = PdfPages(Path("plan.pdf"));
    std::vector<std::string> texts;
    for (int page = 1; page <= pages; ++page) texts.push_back(PageText(Path("plan.pdf"), page));
    const auto firstLayoutPage = std::find_if(texts.begin(), texts.end(), [](const std::string& t) {
        return t.find("Sheet Cutting Layouts") != std::string::npos;
    });
    ASSERT_NE(firstLayoutPage, texts.begin());
    EXPECT_NE(texts.front().find("Guillotine:"), std::string::npos);
    EXPECT_GE(pages - (firstLayoutPage - texts.begin()), static_cast<int>(layouts.size()));
    EXPECT_LE(pages - (firstLayoutPage - texts.begin()), 2 * static_cast<int>(layouts.size()));
    for (size_t k = 0; k < layouts.size(); ++k) {
        std::string layout;
        for (const std::string& t : texts)
            if (t.find("Sheet Cutting Layouts " + std::to_string(k + 1) + " ") != std::string::npos)
                layout += t;
        EXPECT_NE(layout.find("Per sheet: " + std::to_string((*layouts[k])["cutCount"].get<int>()) +
                              " cuts"),
                  std::string::npos)
            << layout;
    }

    // 3 x 8 labels a page, and every QR code reads back to its part.
    const std::multiset<std::string> expected = ExpectedLabels(result);
    EXPECT_EQ(PdfPages(Path("labels.pdf")), static_cast<int>((expected.size() + 23) / 24));
    EXPECT_EQ(DecodedLabels(Path("labels.pdf"), dir), expected);

    for (size_t k = 0; k < layouts.size(); ++k) {
        const SvgContent svg = ReadSvg(Path("l" + std::to_string(k + 1) + ".svg"));
        SCOPED_TRACE("layout " + std::to_string(k + 1));
        EXPECT_TRUE(svg.valid);
        EXPECT_EQ(svg.title, "Layout " + std::to_string(k + 1) + ": " +
                                 (*layouts[k])["label"].get<std::string>());
        EXPECT_GT(svg.rects, static_cast<int>((*layouts[k])["parts"].size()));
        // Every part numbered as its label names it; those with room, with their label.
        int named = 0, n = 0;
        for (const json& p : (*layouts[k])["parts"]) {
            const std::string number = std::to_string(++n);
            const auto text =
                std::find_if(svg.texts.begin(), svg.texts.end(), [&](const std::string& t) {
                    return t == number || t.rfind(number + ": ", 0) == 0;
                });
            EXPECT_NE(text, svg.texts.end()) << p["label"];
            named +=
                text != svg.texts.end() && *text == number + ": " + p["label"].get<std::string>();
        }
        EXPECT_GT(named, static_cast<int>((*layouts[k])["parts"].size()) / 2);
    }

    // The kitchen's cut lists: from the report's saw cuts to its end.
    const std::string report = ReadFile(Path("report.txt"));
    const size_t cuts = report.find("Saw cuts:");
    ASSERT_NE(cuts, std::string::npos);
    ExpectGolden("kitchen_cuts.txt", report.substr(cuts));
}

// The drawing as a browser shows it: the sheet and its parts in their colours.
TEST_F(Cli, BrowsersShowTheSvgDrawing) {
    if (!HaveTool("/usr/bin/chromium")) GTEST_SKIP() << "chromium not installed";
    ASSERT_EQ(Run({kKitchen, "--seed", "1", "--layouts", "1", "--svg", Path("l{n}.svg")}).code, 0);
    const std::string shot = Path("shot.png");
    RunCommand(
        "chromium --headless --no-sandbox --disable-gpu --hide-scrollbars "
        "--window-size=1300,700 --screenshot=" +
        Quote(shot) + " " + Quote("file://" + Path("l1.svg")) + " >/dev/null 2>&1");
    const QImage image(QString::fromStdString(shot));
    ASSERT_FALSE(image.isNull());
    std::map<QRgb, int> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) ++colours[image.pixel(x, y)];
    // Parts of one label share a light fill: at least one such colour covers a
    // good share of the drawing, besides the white.
    int filled = 0;
    for (const auto& [rgb, n] : colours)
        if (QColor(rgb).saturation() > 20 && QColor(rgb).value() > 200)
            filled = std::max(filled, n);
    EXPECT_GT(filled, image.width() * image.height() / 10);
}
