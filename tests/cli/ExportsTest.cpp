// The layout exports of the real tarvex-cli: every kind for the chosen layouts,
// the settings that reach them, and the refusals.
#include <QImage>
#include <filesystem>

#include "CliFixture.h"

using namespace tarvex;

namespace {

bool Exists(const std::string& path) {
    return std::filesystem::exists(path);
}

int CountPixels(const QImage& image, const QColor& color) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == color;
    return n;
}

const std::vector<std::string> kQuick = {kKitchen, "--seed", "7", "--speed", "1"};

std::vector<std::string> With(std::vector<std::string> more) {
    std::vector<std::string> args = kQuick;
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

}  // namespace

TEST_F(Cli, EveryLayoutOfEveryKindFollowsTheCommandLine) {
    const Outcome o =
        Run(With({"--json", Path("r.json"), "--dxf", Path("l{n}.dxf"), "--gcode", Path("l{n}.gnc"),
                  "--html", Path("p{n}.html"), "--offcuts", Path("o{n}.txt"), "--nc", "siemens",
                  "--safe-height", "5", "--depth", "-1.5", "--dxf-offcuts", "--prefix", "OC"}));
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_TRUE(o.err.empty()) << o.err;
    int layouts = 0;
    const json r = json::parse(ReadFile(Path("r.json")));
    for (const json& s : r["sheets"]) {
        if (!s["used"] || !s["distinct"]) continue;
        ++layouts;
        const std::string n = std::to_string(s["layoutIndex"].get<int>() + 1);
        SCOPED_TRACE("layout " + n);
        const bool hasOffcuts = !s["offcuts"].empty();

        const std::string dxf = ReadFile(Path("l" + n + ".dxf"));
        EXPECT_NE(dxf.find("------------ Layouts " + n + " ------------"), std::string::npos);
        EXPECT_NE(dxf.find("8\nparts height\n"), std::string::npos);  // from the project
        EXPECT_EQ(dxf.find("\n62\n11\r\n") != std::string::npos, hasOffcuts);

        const std::vector<std::string> program = Lines(ReadFile(Path("l" + n + ".gnc")));
        ASSERT_GE(program.size(), 2u);
        EXPECT_EQ(program[program.size() - 2], "G0 Z5.000");
        EXPECT_EQ(program.back(), "G0 X0 Y0");
        EXPECT_NE(std::find(program.begin(), program.end(), "G1 Z-1.500"), program.end());

        EXPECT_NE(ReadFile(Path("p" + n + ".html")).find("<img src=\"p" + n + ".bmp\""),
                  std::string::npos);
        EXPECT_EQ(QImage(QString::fromStdString(Path("p" + n + ".bmp"))).width(), 600);

        EXPECT_EQ(Exists(Path("o" + n + ".txt")), hasOffcuts);
        if (hasOffcuts) {
            const std::vector<std::string> first =
                Fields(Lines(ReadFile(Path("o" + n + ".txt")))[0]);
            EXPECT_EQ(first.at(0), "OC1");
            EXPECT_EQ(first.at(4), "0");
            EXPECT_NE(o.out.find(Path("o" + n + ".txt") + ": The export is written."),
                      std::string::npos);
        } else {
            EXPECT_NE(o.out.find(Path("o" + n + ".txt") + ": The layout has no reusable offcuts."),
                      std::string::npos);
        }
    }
    EXPECT_GE(layouts, 2);
}

TEST_F(Cli, ShowChoosesWhatThePictureHolds) {
    const QColor lime(0, 255, 0);  // the project's offcut colour
    ASSERT_EQ(Run(With({"--json", Path("r.json"), "--html", Path("all{n}.html"), "--show",
                        "label,dimensions,corners,offcuts"}))
                  .code,
              0);
    ASSERT_EQ(Run(With({"--html", Path("none{n}.html"), "--show", "none"})).code, 0);
    const json r = json::parse(ReadFile(Path("r.json")));
    int withOffcuts = 0;
    for (const json& s : r["sheets"]) {
        if (!s["used"] || !s["distinct"]) continue;
        const std::string n = std::to_string(s["layoutIndex"].get<int>() + 1);
        const QImage all(QString::fromStdString(Path("all" + n + ".bmp")));
        const QImage none(QString::fromStdString(Path("none" + n + ".bmp")));
        ASSERT_EQ(all.size(), none.size());
        withOffcuts += !s["offcuts"].empty();
        EXPECT_EQ(CountPixels(all, lime) > 0, !s["offcuts"].empty()) << "layout " << n;
        // Without annotations the picture holds the colours of the outlines and of
        // the sheet, and the parts' numbers (their edges in shades of grey) only.
        EXPECT_GT(CountPixels(none, Qt::black) + CountPixels(none, Qt::white) +
                      CountPixels(none, QColor(128, 128, 128)),
                  none.width() * none.height() * 99 / 100)
            << "layout " << n;
    }
    EXPECT_GT(withOffcuts, 0);
}

TEST_F(Cli, LayoutChoiceAndFileNames) {
    Outcome o = Run(With({"--dxf", Path("one{n}.dxf"), "--layouts", "2", "--lang", "zh_cn"}));
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_TRUE(Exists(Path("one2.dxf")));
    EXPECT_FALSE(Exists(Path("one1.dxf")));
    EXPECT_NE(o.out.find(Path("one2.dxf") + ": 恭喜！导出成功！"), std::string::npos) << o.out;

    // A list that cannot be read is refused before the calculation runs.
    o = Run(With({"--dxf", Path("x{n}.dxf"), "--layouts", "1,x"}));
    EXPECT_EQ(o.code, 1);
    EXPECT_EQ(o.err, "--layouts: not a list of layout numbers: 1,x\n");
    EXPECT_TRUE(o.out.empty());

    o = Run(With({"--gcode", Path("x{n}.gnc"), "--layouts", "99"}));
    EXPECT_EQ(o.code, 1);
    EXPECT_EQ(o.err, "The result has no layout 99.\n");

    // One name for several layouts would keep only the last.
    o = Run(With({"--offcuts", Path("same.txt")}));
    EXPECT_EQ(o.code, 1);
    EXPECT_EQ(o.err, "--offcuts: the file name needs {n} when several layouts are exported.\n");
    EXPECT_FALSE(Exists(Path("same.txt")));
    o = Run(With({"--offcuts", Path("single.txt"), "--layouts", "1", "--nc", "fanuc"}));
    EXPECT_EQ(o.code, 1);
    o = Run(With({"--gcode", Path("single.gnc"), "--layouts", "1"}));
    EXPECT_EQ(o.code, 0) << o.err;
    EXPECT_TRUE(Exists(Path("single.gnc")));
}
