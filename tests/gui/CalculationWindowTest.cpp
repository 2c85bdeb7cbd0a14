// A calculation driven through the real window: it runs on a worker thread while
// the window goes on processing events, and its result reaches every page.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QThread>
#include <map>
#include <string>
#include <vector>

#include "UiWait.h"
#include "WindowFixture.h"
#include "export/ResultJson.h"
#include "gui/CalcCommand.h"
#include "gui/EntryTableView.h"
#include "gui/LayoutPicture.h"

using namespace tarvex;

namespace {

class CalculationWindow : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        Open();
    }

    void SetTable(const char* name, const std::vector<std::vector<std::string>>& rows) {
        Find<EntryTableView>(name)->Model().Edit([&](CellTable& t) {
            t.SetRowCount(CellTable::kFirstDataRow + static_cast<int>(rows.size()));
            for (size_t r = 0; r < rows.size(); ++r)
                for (size_t c = 0; c < rows[r].size(); ++c)
                    t.SetCell(CellTable::kFirstDataRow + static_cast<int>(r), static_cast<int>(c),
                              rows[r][c]);
        });
    }
    const CellTable& Table(const char* name) { return Find<EntryTableView>(name)->Model().Table(); }

    // A small kitchen: every part fits on the first two sheets.
    void SmallJob() {
        SetTable("sgSheet", {{"Birch", "2440", "1220", "5", "40", "Yes"}});
        SetTable("sgPart", {{"Door", "720", "400", "4", "Yes"},
                            {"Side", "560", "300", "6", "Yes"},
                            {"Shelf", "800", "300", "3", "No"}});
        Find<QSlider>("tbFast")->setValue(1);
    }

    // Forty kinds of parts at the most thorough setting: many generations to stop.
    void LongJob() {
        std::vector<std::vector<std::string>> parts;
        for (int i = 0; i < 40; ++i)
            parts.push_back({"P" + std::to_string(i), std::to_string(100 + 7 * i),
                             std::to_string(80 + 5 * i), "5", "Yes"});
        SetTable("sgSheet", {{"Board", "2440", "1220", "200", "10", "Yes"}});
        SetTable("sgPart", parts);
        Find<QSlider>("tbFast")->setValue(12);
    }

    bool Finished() const {
        for (const ShownMessage& m : dialogs.messages)
            if (m.text.startsWith(QStringLiteral("Every part is placed.")) ||
                m.text.startsWith(QStringLiteral("The sheets are not enough")))
                return true;
        return false;
    }
};

}  // namespace

TEST_F(CalculationWindow, RunsOnAWorkerThreadAndShowsItsResultEverywhere) {
    SmallJob();
    auto& parts = Find<EntryTableView>("sgPart")->Model();
    parts.setData(parts.index(1, 0), QStringLiteral("Doors"), Qt::EditRole);  // as typed
    ASSERT_TRUE(Find<QAction>("mnUndo")->isEnabled());
    auto* start = Find<QPushButton>("btnCalc");
    auto* progress = Find<QProgressBar>("pbCutting");
    start->click();
    // While it runs: the command and the inputs are off, the window keeps working.
    EXPECT_FALSE(start->isEnabled());
    EXPECT_FALSE(Find<QAction>("mnCalc")->isEnabled());
    EXPECT_FALSE(Find<QAction>("mniOpen")->isEnabled());
    EXPECT_FALSE(Find<EntryTableView>("sgPart")->isEnabled());
    EXPECT_FALSE(Find<QSlider>("tbFast")->isEnabled());
    EXPECT_FALSE(Find<QAction>("mnUndo")->isEnabled());  // nothing may change the tables
    EXPECT_TRUE(Find<QPushButton>("btnStop")->isEnabled());
    EXPECT_EQ(progress->maximum(), 11);
    Find<QAction>("mnCalc")->trigger();  // refused while running
    ASSERT_TRUE(WaitUntil([&] { return Finished(); }));

    EXPECT_EQ(Text(dialogs.messages.back().text), "Every part is placed.");
    EXPECT_EQ(dialogs.messages.back().icon, Dialogs::Icon::Information);
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(start->isEnabled());
    EXPECT_TRUE(Find<EntryTableView>("sgPart")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>("btnExpPdf")->isEnabled());  // there is a plan now
    EXPECT_TRUE(Find<QAction>("mnUndo")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>("btnReportPrint")->isEnabled());
    EXPECT_EQ(progress->value(), progress->maximum());

    // Totals, Left Quant, the layout selector, the facts and the report.
    EXPECT_EQ(Table("sgPart").Cell(0, 3), "13");
    const int left = std::stoi(Table("sgSheet").Cell(2, 6));
    EXPECT_LT(left, 5);
    auto* pages = Find<QComboBox>("cmbPages");
    ASSERT_GE(pages->count(), 1);
    EXPECT_EQ(Text(pages->itemText(0)), "1/" + std::to_string(pages->count()));
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_EQ(Text(Find<QLabel>("sheetLabel")->text()), "Birch");
    EXPECT_EQ(Text(Find<QLabel>("sheetLength")->text()), "2440");
    EXPECT_GE(Find<QTableWidget>("sgLayout")->rowCount(), 1);
    auto* report = Find<QListWidget>("lstReport");
    ASSERT_GT(report->count(), 20);
    EXPECT_EQ(Text(report->item(0)->text()).substr(0, 11), "Guillotine:");
}

TEST_F(CalculationWindow, TheReportFollowsASwitchOfLanguage) {
    SmallJob();
    Find<QPushButton>("btnCalc")->click();
    ASSERT_TRUE(WaitUntil([&] { return Finished(); }));
    auto* report = Find<QListWidget>("lstReport");
    const int lines = report->count();
    auto* language = Find<QComboBox>("cbbLang");
    const auto choose = [&](const char* code) {
        const int index = language->findText(QString::fromUtf8(code));
        ASSERT_GE(index, 0) << code;
        language->setCurrentIndex(index);
        Q_EMIT language->activated(index);
    };
    choose("zh_cn");
    ASSERT_EQ(report->count(), lines);
    EXPECT_EQ(Text(report->item(0)->text()).rfind("一刀切：", 0), 0u)
        << Text(report->item(0)->text());
    choose("en_us");
    EXPECT_EQ(Text(report->item(0)->text()).rfind("Guillotine:", 0), 0u);
}

TEST_F(CalculationWindow, ThePictureFollowsTheSelectionTheOptionsAndTheColours) {
    Find<QTabWidget>("pgcpg1")->setCurrentIndex(MainWindow::kLayoutsPage);
    auto* picture = Find<LayoutPicture>("imgLayout");
    const auto count = [&](QRgb color) {
        const QImage image = picture->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == color ? 1 : 0;
        return n;
    };
    const QRgb white = qRgb(255, 255, 255), grey = qRgb(128, 128, 128);
    // The picture takes the size of its view once the page is laid out.
    const auto area = [&] { return picture->width() * picture->height(); };
    EXPECT_EQ(count(white), area());  // nothing to draw before the first calculation

    SmallJob();
    Find<QPushButton>("btnCalc")->click();
    ASSERT_TRUE(WaitUntil([&] { return Finished(); }));
    EXPECT_LT(count(white), area());
    EXPECT_GT(count(grey), 0);                           // the sheet's edge
    Find<QComboBox>("clrbxSheet")->setCurrentIndex(11);  // yellow, read at the next drawing
    EXPECT_GT(count(qRgb(255, 255, 0)), area() / 10);
    // Offcuts appear in their colour only while "Offcut" is ticked.
    EXPECT_EQ(count(qRgb(0, 255, 0)), 0);
    Find<QCheckBox>("chkLeftRect")->setChecked(true);
    EXPECT_GT(count(qRgb(0, 255, 0)), 0);

    // The scroll bar and the selector choose the same layout.
    auto* pages = Find<QComboBox>("cmbPages");
    if (pages->count() > 1) {
        Find<QScrollBar>("sbLayout")->setValue(2);
        EXPECT_EQ(pages->currentIndex(), 1);
        EXPECT_EQ(Text(pages->currentText()), "2/" + std::to_string(pages->count()));
    }
}

TEST_F(CalculationWindow, StopEndsTheSearchEarlyAndAppliesTheBestPlan) {
    LongJob();
    auto* progress = Find<QProgressBar>("pbCutting");
    std::vector<int> shown;
    QObject::connect(progress, &QProgressBar::valueChanged,
                     [&](int value) { shown.push_back(value); });
    Find<QPushButton>("btnCalc")->click();
    // The steps arrive while the search runs: the window is processing its events.
    ASSERT_TRUE(WaitUntil([&] { return progress->value() >= 1; }));
    Find<QPushButton>("btnStop")->click();
    ASSERT_TRUE(WaitUntil([&] { return Finished(); }));
    EXPECT_EQ(progress->maximum(), 132);
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown.back(), 132);
    EXPECT_LT(shown[shown.size() - 2], 100);  // the search ended long before its last generation
    EXPECT_GE(Find<QComboBox>("cmbPages")->count(), 1);
    EXPECT_FALSE(Find<QPushButton>("btnStop")->isEnabled());
}

// The best search shows its plan so far and the time left in the progress bar;
// Stop ends it at once with that plan applied.
TEST_F(CalculationWindow, TheBestSearchShowsItsPlanSoFarAndStopAppliesIt) {
    LongJob();
    SetTable("sgSheet", {{"Board", "2440", "1220", "200", "10", "Yes"},
                         {"Half", "1220", "1220", "200", "6", "Yes"}});
    Find<QSlider>("tbFast")->setValue(1);
    Find<QComboBox>("cbbSearch")->setCurrentIndex(1);
    Find<QLineEdit>("edtTimeLimit")->setText(QStringLiteral("600"));
    auto* progress = Find<QProgressBar>("pbCutting");
    QElapsedTimer clock;
    clock.start();
    Find<QPushButton>("btnCalc")->click();
    ASSERT_TRUE(
        WaitUntil([&] { return progress->format().startsWith(QStringLiteral("best plan:")); }));
    EXPECT_TRUE(progress->format().contains(QStringLiteral(" s left"))) << Text(progress->format());
    Find<QPushButton>("btnStop")->click();
    ASSERT_TRUE(WaitUntil([&] { return Finished(); }));
    EXPECT_LT(clock.elapsed(), 60000);
    EXPECT_GE(Find<QComboBox>("cmbPages")->count(), 1);
    EXPECT_FALSE(Find<QPushButton>("btnStop")->isEnabled());
}

TEST_F(CalculationWindow, ABadFirstRowSelectsItsPage) {
    SmallJob();
    SetTable("sgPart", {{"Door", "abc", "400", "4", "Yes"}});
    Find<QTabWidget>("pgcpg1")->setCurrentIndex(MainWindow::kLayoutsPage);
    Find<QPushButton>("btnCalc")->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(Text(dialogs.messages[0].text),
              "The first row of the part table needs a length, a width and a quantity. Please "
              "correct it and try again.");
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Error);
    EXPECT_EQ(Find<QTabWidget>("pgcpg1")->currentIndex(), MainWindow::kPartsPage);
    EXPECT_TRUE(Find<QPushButton>("btnCalc")->isEnabled());

    SetTable("sgPart", {{"Door", "720", "400", "4", "Yes"}});
    SetTable("sgSheet", {{"Birch", "", "1220", "5", "40", "Yes"}});
    Find<QPushButton>("btnCalc")->click();
    EXPECT_EQ(Text(dialogs.messages[1].text),
              "The first row of the sheet table needs a length, a width and a quantity. Please "
              "correct it and try again.");
    EXPECT_EQ(Find<QTabWidget>("pgcpg1")->currentIndex(), MainWindow::kSheetsPage);

    SetTable("sgSheet", {{"Small", "100", "100", "1", "1", "Yes"}});
    Find<QPushButton>("btnCalc")->click();
    EXPECT_EQ(
        Text(dialogs.messages[2].text),
        "The parts need more area than all the sheets together offer, so no plan can be made.");
    EXPECT_EQ(dialogs.messages[2].icon, Dialogs::Icon::Information);
}

TEST_F(CalculationWindow, TheKitchenExampleRunsFromItsProject) {
    const std::string project = std::string(TARVEX_SOURCE_DIR) + "/examples/kitchen/kitchen.dat";
    dialogs.openAnswers = {QString::fromStdString(project)};
    Find<QAction>("mniOpen")->trigger();
    EXPECT_EQ(Text(window->windowTitle()), "kitchen.dat - Tarvex sheet cutting system");
    ASSERT_EQ(Table("sgSheet").Cell(2, 0), "Birch 18 2440x1220");
    Find<QPushButton>("btnCalc")->click();
    ASSERT_TRUE(WaitUntil([&] { return Finished(); }, 120000));
    EXPECT_EQ(Text(dialogs.messages.back().text), "Every part is placed.");
    EXPECT_GE(Find<QComboBox>("cmbPages")->count(), 2);

    // Pictures of the pages for the documentation, when asked for.
    const QString shots = qEnvironmentVariable("TARVEX_SCREENSHOTS");
    if (!shots.isEmpty()) {
        auto* pages = Find<QTabWidget>("pgcpg1");
        auto* languages = Find<QComboBox>("cbbLang");
        for (const char* code : {"en_us", "zh_cn"}) {
            Q_EMIT languages->activated(languages->findText(QString::fromUtf8(code)));
            for (int i = 0; i < pages->count(); ++i) {
                pages->setCurrentIndex(i);
                QCoreApplication::processEvents();  // the menu bar lays out its new titles
                window->grab().save(shots + QStringLiteral("/kitchen-") + QString::fromUtf8(code) +
                                    QLatin1Char('-') + QString::number(i) + QStringLiteral(".png"));
            }
        }
    }
}

TEST_F(CalculationWindow, ClosingTheWindowEndsARunningSearch) {
    LongJob();
    Find<QPushButton>("btnCalc")->click();
    ASSERT_TRUE(WaitUntil([&] { return Find<QProgressBar>("pbCutting")->value() >= 1; }));
    QElapsedTimer clock;
    clock.start();
    dialogs.saveChoices = {Dialogs::Choice::Discard};  // the tables typed in
    EXPECT_TRUE(window->close());
    EXPECT_LT(clock.elapsed(), 10000);
    window.reset();  // no thread may outlive the window
}

TEST_F(CalculationWindow, ASeedMakesThePlanAgainAndIsShownWithIt) {
    SmallJob();
    auto* seed = Find<QLineEdit>("edtSeed");
    seed->setText(QStringLiteral("12345"));
    const auto calculate = [&] {
        dialogs.messages.clear();
        Find<QPushButton>("btnCalc")->click();
        EXPECT_TRUE(WaitUntil([&] { return Finished(); }));
    };
    const auto report = [&] {
        QStringList lines;
        auto* list = Find<QListWidget>("lstReport");
        for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
        return lines;
    };
    calculate();
    EXPECT_EQ(Text(Find<QLabel>("lblPlanStatus")->text()), "Plan of seed 12345");
    EXPECT_TRUE(report().contains(QStringLiteral("Seed:                     12345")));
    const std::string first = ResultJson(*window->findChild<CalcCommand*>()->Calc().Applied());

    // Without a seed every calculation draws a new one and shows it.
    seed->clear();
    calculate();
    const std::string status = Text(Find<QLabel>("lblPlanStatus")->text());
    EXPECT_EQ(status.rfind("Plan of seed ", 0), 0u) << status;

    // Another day, the same tables, settings and seed give the same plan.
    dialogs.saveChoices = {Dialogs::Choice::Discard};
    window.reset();
    Open();
    SmallJob();
    seed = Find<QLineEdit>("edtSeed");
    seed->setText(QStringLiteral("12345"));
    calculate();
    EXPECT_EQ(ResultJson(*window->findChild<CalcCommand*>()->Calc().Applied()), first);

    seed->setText(QStringLiteral("12a"));
    dialogs.messages.clear();
    Find<QPushButton>("btnCalc")->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(Text(dialogs.messages[0].text),
              "Seed: \"12a\" is not a whole number from 0 to 4294967295.");
    EXPECT_TRUE(Find<QPushButton>("btnCalc")->isEnabled());
}

TEST_F(CalculationWindow, TheBestSearchShowsItsPlanSoFarAndTheTimeLeftInTheBar) {
    SmallJob();
    auto* bar = Find<QProgressBar>("pbCutting");
    // The classic search's bar has no words.
    Find<QPushButton>("btnCalc")->click();
    ASSERT_TRUE(WaitUntil([&] { return Finished(); }, 120000));
    EXPECT_FALSE(bar->isTextVisible());

    Find<QComboBox>("cbbSearch")->setCurrentIndex(1);
    Find<QLineEdit>("edtTimeLimit")->setText(QStringLiteral("3"));
    dialogs.messages.clear();
    Find<QPushButton>("btnCalc")->click();
    ASSERT_TRUE(WaitUntil([&] { return bar->isTextVisible() || Finished(); }, 60000));
    const std::string text = Text(bar->text());
    EXPECT_TRUE(bar->isTextVisible());
    EXPECT_EQ(text.rfind("best plan: ", 0), 0u) << text;
    EXPECT_NE(text.find(" sheets, cost "), std::string::npos) << text;
    EXPECT_NE(text.find(" s left"), std::string::npos) << text;
    const QString shots = qEnvironmentVariable("TARVEX_SCREENSHOTS");
    if (!shots.isEmpty()) {
        Find<QTabWidget>("pgcpg1")->setCurrentIndex(MainWindow::kLayoutsPage);
        QCoreApplication::processEvents();
        window->grab().save(shots + QStringLiteral("/best-progress.png"));
    }
    ASSERT_TRUE(WaitUntil([&] { return Finished(); }, 60000));

    // A classic search after it has no words again.
    Find<QComboBox>("cbbSearch")->setCurrentIndex(0);
    dialogs.messages.clear();
    Find<QPushButton>("btnCalc")->click();
    EXPECT_FALSE(bar->isTextVisible());
    ASSERT_TRUE(WaitUntil([&] { return Finished(); }, 120000));
}

TEST_F(CalculationWindow, WithSeveralMaterialsEachLayoutEntryNamesItsSheetsMaterial) {
    // Each sheet holds one of the parts, so both sheets are used whichever part
    // lands on which; the sheets tell their materials by their labels.
    SetTable("sgSheet",
             {{"Birch sheet", "1000", "1000", "1", "10", "Yes", "", "Birch 18", "across"},
              {"Oak sheet", "1100", "1100", "1", "10", "No", "", "Oak 12"}});
    SetTable("sgPart", {{"Birch part", "900", "900", "1", "Yes", "Birch 18"},
                        {"Oak part", "900", "900", "1", "Yes", "Oak 12"}});
    Find<QSlider>("tbFast")->setValue(1);
    Find<QPushButton>("btnCalc")->click();
    ASSERT_TRUE(WaitUntil([&] { return Finished(); }));
    const std::map<std::string, std::string> material = {{"Birch sheet", "Birch 18"},
                                                         {"Oak sheet", "Oak 12"}};
    auto* pages = Find<QComboBox>("cmbPages");
    ASSERT_EQ(pages->count(), 2);
    std::vector<std::string> shown;
    for (int k = 0; k < pages->count(); ++k) {
        pages->setCurrentIndex(k);
        const std::string sheet = Text(Find<QLabel>("sheetLabel")->text());
        ASSERT_EQ(material.count(sheet), 1u) << sheet;
        shown.push_back(material.at(sheet));
        EXPECT_EQ(Text(pages->itemText(k)),
                  material.at(sheet) + " \u00b7 " + std::to_string(k + 1) + "/2");
    }
    EXPECT_NE(shown[0], shown[1]);
}

TEST_F(CalculationWindow, WithOneMaterialTheLayoutEntriesAreNumbersAlone) {
    SetTable("sgSheet", {{"Birch", "1000", "1000", "2", "10", "Yes", "", "Birch 18"}});
    SetTable("sgPart", {{"Big", "900", "900", "1", "Yes", "Birch 18"},
                        {"Small", "800", "800", "1", "Yes", "Birch 18"}});
    Find<QSlider>("tbFast")->setValue(1);
    Find<QPushButton>("btnCalc")->click();
    ASSERT_TRUE(WaitUntil([&] { return Finished(); }));
    auto* pages = Find<QComboBox>("cmbPages");
    ASSERT_EQ(pages->count(), 2);
    EXPECT_EQ(Text(pages->itemText(0)), "1/2");
    EXPECT_EQ(Text(pages->itemText(1)), "2/2");
}
