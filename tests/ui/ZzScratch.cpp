#include <QAction>
#include <QCheckBox>
#include <QPrinter>
#include <QPushButton>

#include "UiWait.h"
#include "WindowFixture.h"
using Scratch = WindowTest;
TEST_F(Scratch, Print) {
    Open(std::string("[Common]\r\nLanguage=") +
         (getenv("SCRATCH_LANG") ? getenv("SCRATCH_LANG") : "en_us") + "\r\n");
    dialogs.openAnswers = {
        QString::fromStdString(std::string(TARVEX_SOURCE_DIR) + "/examples/kitchen/kitchen.dat")};
    Find<QAction>("mniOpen")->trigger();
    Find<QPushButton>("btnCalc")->click();
    ASSERT_TRUE(WaitUntil([&] { return !dialogs.messages.empty(); }, 120000));
    Find<QCheckBox>("chkEdge")->setChecked(true);
    Find<QCheckBox>("chkLeftRect")->setChecked(true);
    dialogs.printAnswer = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QStringLiteral("/tmp/print/all.pdf"));
    };
    Find<QPushButton>("btnPrintAll")->click();
    dialogs.printAnswer = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QStringLiteral("/tmp/print/report.pdf"));
    };
    Find<QPushButton>("btnReportPrint")->click();
}
