// The outputs of a result through the real window: exports, printing to PDF and
// the report, with their dialogs answered.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QSlider>
#include <iterator>

#include "UiWait.h"
#include "WindowFixture.h"
#include "gui/EntryTableView.h"
#include "support/Commands.h"

using namespace tarvex;

namespace {

int PdfPages(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray bytes = file.readAll();
    return static_cast<int>(bytes.count("/Type /Page\n") + bytes.count("/Type /Page ") +
                            bytes.count("/Type /Page>"));
}

class OutputsWindow : public WindowTest {
  protected:
    void SetUp() override { WindowTest::SetUp(); }

    // A result with two layouts: the two sheet kinds differ.
    void Calculate(bool guillotine = false) {
        Open();
        Find<QCheckBox>("chkOneCut")->setChecked(guillotine);
        Find<EntryTableView>("sgSheet")->Model().Edit([](CellTable& t) {
            t.SetRowCount(4);
            const std::vector<std::vector<std::string>> rows = {
                {"Birch", "1000", "600", "1", "10", "Yes"},
                {"Oak", "900", "500", "1", "12", "Yes"}};
            for (int r = 0; r < 2; ++r)
                for (int c = 0; c < 6; ++c) t.SetCell(2 + r, c, rows[r][c]);
        });
        Find<EntryTableView>("sgPart")->Model().Edit([](CellTable& t) {
            t.SetRowCount(3);
            const std::vector<std::string> row = {"Door", "450", "280", "5", "Yes"};
            for (int c = 0; c < 5; ++c) t.SetCell(2, c, row[c]);
        });
        Find<QSlider>("tbFast")->setValue(1);
        Find<QPushButton>("btnCalc")->click();
        ASSERT_TRUE(WaitUntil([&] { return !dialogs.messages.empty(); }));
        dialogs.messages.clear();
    }
    void Click(const char* name) { Find<QPushButton>(name)->click(); }
};

}  // namespace

TEST_F(OutputsWindow, WithoutAResultTheOutputsDoNothing) {
    Open();
    for (const char* button : {"btnPrintCurrent", "btnPrintAll", "btnExpHtml", "btnExpDxf",
                               "btnExpOffcut", "btnExpGcode", "btnExpSvg", "btnExpPdf",
                               "btnExpLabels", "btnReportSave", "btnReportPrint"})
        Click(button);
    EXPECT_TRUE(dialogs.fileRequests.empty());
    EXPECT_EQ(dialogs.printDialogs, 0);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(OutputsWindow, ExportsWriteTheSelectedLayoutAndSaySo) {
    Calculate();
    const std::string html = Path("plan.html"), dxf = Path("plan.dxf"), gnc = Path("plan.gnc");
    dialogs.saveAnswers = {QString::fromStdString(html), QString::fromStdString(dxf),
                           QString::fromStdString(gnc), QString()};
    Click("btnExpHtml");
    Click("btnExpDxf");
    Click("btnExpGcode");
    Click("btnExpOffcut");  // cancelled: nothing happens
    ASSERT_EQ(dialogs.fileRequests.size(), 4u);
    EXPECT_EQ(Text(dialogs.fileRequests[0].title), "Export the layout as an HTML page");
    EXPECT_EQ(Text(dialogs.fileRequests[1].defaultSuffix), "dxf");
    EXPECT_EQ(Text(dialogs.fileRequests[2].filter), "G-code program(*.gnc)");
    EXPECT_EQ(Text(dialogs.fileRequests[3].title),
              "Export the offcuts of the layout as a sheet list");
    ASSERT_EQ(dialogs.messages.size(), 3u);
    for (const ShownMessage& m : dialogs.messages) {
        EXPECT_EQ(Text(m.text), "The export is written.");
        EXPECT_EQ(Text(m.caption), "Tarvex sheet cutting system");
    }
    EXPECT_TRUE(QFile::exists(QString::fromStdString(Path("plan.bmp"))));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(dxf)));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(gnc)));
}

TEST_F(OutputsWindow, PrintAllGivesOnePagePerLayoutAndPrintOne) {
    Calculate();
    const int layouts = Find<QComboBox>("cmbPages")->count();
    ASSERT_GE(layouts, 2);
    const std::string all = Path("all.pdf"), one = Path("one.pdf");
    dialogs.printAnswer = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(all));
    };
    Click("btnPrintAll");
    EXPECT_EQ(PdfPages(all), layouts);
    dialogs.printAnswer = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(one));
    };
    Click("btnPrintCurrent");
    EXPECT_EQ(PdfPages(one), 1);
    dialogs.printAnswer = nullptr;  // cancelled
    Click("btnPrintCurrent");
    EXPECT_EQ(dialogs.printDialogs, 3);
}

TEST_F(OutputsWindow, TheReportIsSavedAndPrinted) {
    Calculate();
    const std::string path = Path("report.txt");
    dialogs.saveAnswers = {QString::fromStdString(path)};
    Click("btnReportSave");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(Text(dialogs.messages[0].text), "The file is saved.");
    QFile saved(QString::fromStdString(path));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    EXPECT_TRUE(bytes.startsWith("Guillotine:"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));

    const std::string pdf = Path("report.pdf");
    dialogs.printAnswer = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
    };
    Click("btnReportPrint");
    EXPECT_GE(PdfPages(pdf), 1);
}

// The plan's PDF, its part labels on the label sheet chosen on the "Sets" page,
// and the SVG drawing of the selected layout with the numbered cuts when "Cuts"
// is on; the cut figures stand under the picture.
TEST_F(OutputsWindow, PlanDocumentsAndDrawingsAreWrittenFromTheLayoutsPage) {
    Calculate();
    const int layouts = Find<QComboBox>("cmbPages")->count();
    EXPECT_NE(Text(Find<QLabel>("lblCutFacts")->text()).find(" cuts, tool path "),
              std::string::npos);  // a free plan: the CNC tool path
    Find<QComboBox>("cbbLabelFormat")
        ->setCurrentIndex(Find<QComboBox>("cbbLabelFormat")->findData(QStringLiteral("2x4")));
    const std::string pdf = Path("plan.pdf"), labels = Path("labels.pdf"),
                      plain = Path("plain.svg"), numbered = Path("numbered.svg");
    dialogs.saveAnswers = {QString::fromStdString(pdf), QString::fromStdString(labels),
                           QString::fromStdString(plain), QString::fromStdString(numbered)};
    Click("btnExpPdf");
    Click("btnExpLabels");
    Click("btnExpSvg");
    Find<QCheckBox>("chkCuts")->setChecked(true);
    Click("btnExpSvg");
    ASSERT_EQ(dialogs.fileRequests.size(), 4u);
    EXPECT_EQ(Text(dialogs.fileRequests[0].title), "Export the plan as a PDF document");
    EXPECT_EQ(Text(dialogs.fileRequests[1].defaultSuffix), "pdf");
    EXPECT_EQ(Text(dialogs.fileRequests[2].filter), "SVG drawing(*.svg)");
    ASSERT_EQ(dialogs.messages.size(), 4u);
    for (const ShownMessage& m : dialogs.messages)
        EXPECT_EQ(Text(m.text), "The export is written.");
    // The report's page or more, then one page per layout.
    EXPECT_GT(PdfPages(pdf), layouts);
    // Five doors on 2 x 4 labels a page: two labels side by side.
    EXPECT_EQ(PdfPages(labels), 1);
    if (!HaveTool("/usr/bin/pdftotext"))
        GTEST_SKIP() << "pdftotext not installed: the labels' text is not read";
    const CommandResult text = RunCommand("pdftotext -layout '" + labels + "' - 2>/dev/null");
    const std::string firstRow =
        text.output.substr(0, text.output.find('\n', text.output.find("Door")));
    EXPECT_EQ(std::count(text.output.begin(), text.output.end(), 'D'), 5) << text.output;
    size_t doors = 0;
    for (size_t at = firstRow.find("Door"); at != std::string::npos;
         at = firstRow.find("Door", at + 1))
        ++doors;
    EXPECT_EQ(doors, 2u) << text.output;
    // A free plan has no saw cuts to number: both drawings hold the same texts.
    QFile first(QString::fromStdString(plain)), second(QString::fromStdString(numbered));
    ASSERT_TRUE(first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly));
    const QByteArray a = first.readAll(), b = second.readAll();
    EXPECT_TRUE(a.startsWith("<?xml"));
    EXPECT_EQ(a.count("<text"), b.count("<text"));
    EXPECT_GT(a.count("<text"), 0);
}

TEST_F(OutputsWindow, NumberedCutsOfAGuillotinePlanReachTheSvgDrawing) {
    Calculate(true);
    EXPECT_NE(Text(Find<QLabel>("lblCutFacts")->text()).find(" cuts, cut length "),
              std::string::npos);
    const std::string plain = Path("plain.svg"), numbered = Path("numbered.svg");
    dialogs.saveAnswers = {QString::fromStdString(plain), QString::fromStdString(numbered)};
    Click("btnExpSvg");
    Find<QCheckBox>("chkCuts")->setChecked(true);
    Click("btnExpSvg");
    QFile first(QString::fromStdString(plain)), second(QString::fromStdString(numbered));
    ASSERT_TRUE(first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly));
    // One number for each cut, as far as they find room: more texts than before.
    EXPECT_GT(second.readAll().count("<text"), first.readAll().count("<text"));
}

// No export, report or plan document replaces a file the tables were read from,
// under whatever name the dialog gives it; nothing is written, and the refusal
// names both.
TEST_F(OutputsWindow, OutputsNeverReplaceTheFilesOfTheJob) {
    Calculate();
    const std::string parts = Path("parts.txt");
    const std::string list = "Door\t450\t280\t5\r\n";
    std::ofstream(parts, std::ios::binary) << list;
    dialogs.openAnswers = {QString::fromStdString(parts)};
    dialogs.saveChoices = {Dialogs::Choice::Discard};  // the part table typed in
    Click("btnPartOpen");
    std::filesystem::create_symlink("parts.txt", Path("alias.html"));
    dialogs.messages.clear();
    dialogs.saveAnswers = {QString::fromStdString(parts),
                           QString::fromStdString(Path("alias.html")),
                           QString::fromStdString(parts), QString::fromStdString(parts)};
    for (const char* button : {"btnExpDxf", "btnExpHtml", "btnReportSave", "btnExpPdf"})
        Click(button);
    ASSERT_EQ(dialogs.messages.size(), 4u);
    EXPECT_EQ(Text(dialogs.messages[1].text), "Cannot write \"" + Path("alias.html") +
                                                  "\": it is the input file \"" + parts +
                                                  "\" of this job");
    for (const ShownMessage& m : dialogs.messages)
        EXPECT_NE(Text(m.text).find("it is the input file \"" + parts + "\""), std::string::npos)
            << Text(m.text);
    std::ifstream in(parts, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), list);
    EXPECT_TRUE(std::filesystem::is_symlink(Path("alias.html")));
    EXPECT_FALSE(std::filesystem::exists(Path("alias.bmp")));
}
