// The window's printouts on a PDF printer as it is set up by default, looked at as
// a user would: the page rendered by pdftoppm, the drawing measured on it.
#include <QCheckBox>
#include <QImage>
#include <QPrinter>
#include <QPushButton>
#include <QSlider>
#include <algorithm>

#include "UiWait.h"
#include "WindowFixture.h"
#include "gui/EntryTableView.h"
#include "support/Commands.h"

using namespace tarvex;

namespace {

class Printout : public WindowTest {
  protected:
    // A guillotine result of one square sheet with parts of three labels.
    void Calculate() {
        Open();
        Find<QCheckBox>("chkOneCut")->setChecked(true);
        Find<EntryTableView>("sgSheet")->Model().Edit([](CellTable& t) {
            t.SetRowCount(3);
            const std::vector<std::string> row = {"Birch", "1200", "1200", "1", "10", "Yes"};
            for (int c = 0; c < 6; ++c) t.SetCell(2, c, row[c]);
        });
        Find<EntryTableView>("sgPart")->Model().Edit([](CellTable& t) {
            t.SetRowCount(5);
            const std::vector<std::vector<std::string>> rows = {
                {"Door", "450", "280", "4", "Yes"},
                {"Side", "700", "500", "1", "Yes"},
                {"Shelf", "560", "300", "2", "Yes"}};
            for (int r = 0; r < 3; ++r)
                for (int c = 0; c < 5; ++c) t.SetCell(2 + r, c, rows[r][c]);
        });
        Find<QSlider>("tbFast")->setValue(1);
        Find<QPushButton>("btnCalc")->click();
        ASSERT_TRUE(WaitUntil([&] { return !dialogs.messages.empty(); }));
        dialogs.messages.clear();
    }
};

}  // namespace

TEST_F(Printout, ThePrintedDrawingCoversMostOfThePagesFreeArea) {
    if (!HaveTool("/usr/bin/pdftoppm")) GTEST_SKIP() << "pdftoppm is not installed";
    Calculate();
    const std::string pdf = Path("one.pdf");
    dialogs.printAnswer = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
    };
    Find<QPushButton>("btnPrintCurrent")->click();
    const CommandResult render =
        RunCommand("/usr/bin/pdftoppm -png -r 60 -f 1 -l 1 " + pdf + " " + Path("page") + " 2>&1");
    ASSERT_EQ(render.status, 0) << render.output;
    QImage page(QString::fromStdString(Path("page-1.png")));
    ASSERT_FALSE(page.isNull());
    // The drawing: the parts' tinted fills. The free area: the page's width from the
    // lowest line of text above the drawing down to the page's foot.
    QRect drawing;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            if (std::max({c.red(), c.green(), c.blue()}) -
                    std::min({c.red(), c.green(), c.blue()}) >
                12)
                drawing |= QRect(x, y, 1, 1);
        }
    ASSERT_TRUE(drawing.isValid()) << "no drawing on the page";
    int textBottom = 0;
    for (int y = 0; y < drawing.top(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 100) textBottom = y;
    const double freeArea = static_cast<double>(page.width()) * (page.height() - textBottom);
    const double covered = static_cast<double>(drawing.width()) * drawing.height();
    EXPECT_GT(covered, freeArea / 2)
        << "drawing " << drawing.width() << " x " << drawing.height() << " on a page of "
        << page.width() << " x " << page.height() << ", text down to " << textBottom;
}
