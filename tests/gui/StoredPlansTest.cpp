// Plans saved with their project, through the real window: saved beside it,
// shown again on opening without a calculation, marked outdated once the tables
// or settings change, and refused with a message when the file is damaged.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <filesystem>
#include <fstream>

#include "UiWait.h"
#include "WindowFixture.h"
#include "export/StoredPlan.h"
#include "gui/CalcCommand.h"
#include "gui/EntryTableView.h"
#include "io/ListFiles.h"
#include "io/TableCalculation.h"
#include "support/DataFixtures.h"

using namespace tarvex;

namespace {

QStringList Lines(QListWidget* list) {
    QStringList lines;
    for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
    return lines;
}

class StoredPlans : public WindowTest {
  protected:
    // A calculated project saved as kitchen.dat, its lists beside it; the plan
    // made by the search given (0 classic, 1 best) from the seed given, if any.
    void SaveCalculatedProject(const char* seedText = "77", int search = 0) {
        Open();
        std::ofstream(Path("sheets.txt"), std::ios::binary)
            << "Birch\t2440\t1220\t5\t40\tYes\r\nOak\t2000\t1000\t3\t60\tNo\r\n";
        std::ofstream(Path("parts.txt"), std::ios::binary)
            << "Door\t720\t400\t4\tYes\r\nSide\t560\t300\t6\tYes\r\nShelf\t800\t300\t3\tNo\r\n";
        dialogs.openAnswers = {QString::fromStdString(Path("sheets.txt")),
                               QString::fromStdString(Path("parts.txt"))};
        Find<QPushButton>("btnStockOpen")->click();
        Find<QPushButton>("btnPartOpen")->click();
        Find<QSlider>("tbFast")->setValue(1);
        Find<QLineEdit>("edtSeed")->setText(QString::fromUtf8(seedText));
        Find<QComboBox>("cbbSearch")->setCurrentIndex(search);
        Find<QLineEdit>("edtTimeLimit")->setText(QStringLiteral("1"));
        Find<QPushButton>("btnCalc")->click();
        ASSERT_TRUE(WaitUntil([&] { return !dialogs.messages.empty(); }, 60000));
        layouts = Find<QComboBox>("cmbPages")->count();
        report = Lines(Find<QListWidget>("lstReport"));
        leftQuant = LeftQuant();
        dialogs.saveAnswers = {QString::fromStdString(Path("kitchen.dat"))};
        Find<QAction>("mniSave")->trigger();
        ASSERT_TRUE(std::filesystem::exists(Path("kitchen.plan.json")));
        window.reset();
        dialogs.messages.clear();
    }
    std::string Status() { return Text(Find<QLabel>("lblPlanStatus")->text()); }
    bool Outdated() { return Status().find("Outdated") != std::string::npos; }
    std::vector<std::string> LeftQuant() {
        std::vector<std::string> left;
        for (const auto& row : fixtures::DataRows(Find<EntryTableView>("sgSheet")->Model().Table()))
            left.push_back(row[6]);
        return left;
    }

    int layouts = 0;
    QStringList report;
    std::vector<std::string> leftQuant;
};

}  // namespace

TEST_F(StoredPlans, ShowTheirLayoutsAndReportAgainWithoutACalculation) {
    SaveCalculatedProject();
    Open();
    window->OpenProject(QString::fromStdString(Path("kitchen.dat")));
    EXPECT_TRUE(dialogs.messages.empty());  // no calculation has ended
    EXPECT_EQ(Find<QProgressBar>("pbCutting")->value(), 0);
    EXPECT_EQ(Find<QComboBox>("cmbPages")->count(), layouts);
    EXPECT_EQ(Lines(Find<QListWidget>("lstReport")), report);
    EXPECT_EQ(Status(), "Plan of seed 77");
    EXPECT_TRUE(Find<QPushButton>("btnExpDxf")->isEnabled());
    dialogs.saveAnswers = {QString::fromStdString(Path("first.dxf"))};
    Find<QPushButton>("btnExpDxf")->click();
    EXPECT_TRUE(std::filesystem::file_size(Path("first.dxf")) > 0);

    // A typed cell or another setting outdates the plan; undoing it does not.
    auto* parts = Find<EntryTableView>("sgPart");
    parts->Model().setData(parts->Model().index(1, 3), QStringLiteral("5"), Qt::EditRole);
    EXPECT_NE(Status().find("Outdated"), std::string::npos) << Status();
    Find<QAction>("mnUndo")->trigger();
    EXPECT_EQ(Status(), "Plan of seed 77");
    Find<QLineEdit>("edtGap")->setText(QStringLiteral("4"));
    EXPECT_NE(Status().find("Outdated"), std::string::npos) << Status();

    // A new project has no plan.
    dialogs.saveChoices = {Dialogs::Choice::Discard};
    Find<QAction>("mniNew")->trigger();
    EXPECT_EQ(Find<QComboBox>("cmbPages")->count(), 0);
    EXPECT_EQ(Status(), "");
    EXPECT_FALSE(Find<QPushButton>("btnExpDxf")->isEnabled());
}

TEST_F(StoredPlans, ADamagedPlanIsRefusedAndTheProjectStillOpens) {
    SaveCalculatedProject();
    // A part placed twice, as a hand-edited or corrupted file might say.
    std::ifstream in(Path("kitchen.plan.json"), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    const size_t parts = text.find("\"parts\": [");
    const size_t first = text.find('{', parts);
    size_t end = first;  // the part's closing brace, past the objects it holds
    for (int depth = 0; text[end] != '}' || --depth > 0; ++end)
        if (text[end] == '{') ++depth;
    text.insert(end + 1, "," + text.substr(first, end + 1 - first));
    std::ofstream(Path("kitchen.plan.json"), std::ios::binary) << text;

    Open();
    window->OpenProject(QString::fromStdString(Path("kitchen.dat")));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const std::string message = Text(dialogs.messages[0].text);
    EXPECT_NE(message.find("kitchen.plan.json"), std::string::npos) << message;
    EXPECT_NE(message.find("placed a second time"), std::string::npos) << message;
    EXPECT_EQ(Find<QComboBox>("cmbPages")->count(), 0);
    EXPECT_EQ(Find<EntryTableView>("sgPart")->Model().Table().Cell(2, 0), "Door");
}

TEST_F(StoredPlans, ShowTheStockTheyLeaveAsTheCommandLineWritesIt) {
    SaveCalculatedProject();
    ASSERT_EQ(leftQuant.size(), 2u);
    ASSERT_NE(leftQuant, (std::vector<std::string>{"5", "3"}));  // some stock is cut
    Open();
    window->OpenProject(QString::fromStdString(Path("kitchen.dat")));
    EXPECT_EQ(LeftQuant(), leftQuant);
    EXPECT_FALSE(window->HasUnsavedChanges());  // the lists hold no stock left

    // Save Sheets Left writes what `tarvex-cli kitchen.dat --plan kitchen.plan.json
    // --left` writes: the stock left in the plan's own tables.
    dialogs.saveAnswers = {QString::fromStdString(Path("left.txt"))};
    Find<QPushButton>("btnSaveLeft")->click();
    StoredPlan plan;
    std::string error;
    ASSERT_TRUE(ReadStoredPlan(Path("kitchen.plan.json"), plan, error)) << error;
    ASSERT_TRUE(SaveLeftSheets(Path("cli-left.txt"), EnteredSheetTable(*plan.result)).ok);
    EXPECT_EQ(fixtures::ReadBytes(Path("left.txt")), fixtures::ReadBytes(Path("cli-left.txt")));
}

TEST_F(StoredPlans, OfTheBestSearchAndASeedAreNotOutdatedByReopeningTheirProject) {
    SaveCalculatedProject("77", 1);
    Open();
    window->OpenProject(QString::fromStdString(Path("kitchen.dat")));
    EXPECT_EQ(Status(), "Plan of seed 77");
    // How the plan was searched for comes back with it.
    EXPECT_EQ(Find<QComboBox>("cbbSearch")->currentIndex(), 1);
    EXPECT_EQ(Text(Find<QLineEdit>("edtTimeLimit")->text()), "1");
    EXPECT_EQ(Text(Find<QLineEdit>("edtSeed")->text()), "77");
    EXPECT_FALSE(window->HasUnsavedChanges());

    // Another search, speed or seed would search differently: the plan still is one
    // of these tables and settings. A setting that shapes the plan outdates it.
    Find<QComboBox>("cbbSearch")->setCurrentIndex(0);
    Find<QLineEdit>("edtTimeLimit")->setText(QStringLiteral("30"));
    Find<QLineEdit>("edtSeed")->setText(QStringLiteral("5"));
    Find<QSlider>("tbFast")->setValue(8);
    EXPECT_FALSE(Outdated()) << Status();
    Find<QCheckBox>("chkCost")->setChecked(true);
    EXPECT_TRUE(Outdated()) << Status();

    // A plan searched from a seed of its own leaves "Seed:" empty.
    window.reset();
    std::filesystem::remove(Path("kitchen.plan.json"));
    SaveCalculatedProject("");
    Open();
    Find<QLineEdit>("edtSeed")->setText(QStringLiteral("3"));
    window->OpenProject(QString::fromStdString(Path("kitchen.dat")));
    EXPECT_EQ(Text(Find<QLineEdit>("edtSeed")->text()), "");
    EXPECT_EQ(Find<QComboBox>("cbbSearch")->currentIndex(), 0);
    EXPECT_FALSE(Outdated()) << Status();
}

TEST_F(StoredPlans, ANewPlanIsAChangeThatExitAsksAbout) {
    SaveCalculatedProject();
    Open();
    window->OpenProject(QString::fromStdString(Path("kitchen.dat")));
    ASSERT_FALSE(window->HasUnsavedChanges());
    Find<QPushButton>("btnCalc")->click();
    ASSERT_TRUE(WaitUntil([&] { return !dialogs.messages.empty(); }, 60000));
    EXPECT_EQ(Text(window->windowTitle()), "*kitchen.dat - Tarvex sheet cutting system");
    dialogs.saveChoices = {Dialogs::Choice::Cancel};
    Find<QAction>("mnExit")->trigger();
    EXPECT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(window->isVisible());

    // Saved with the project, the plan is no change any more.
    const auto before = std::filesystem::last_write_time(Path("kitchen.plan.json"));
    std::filesystem::last_write_time(Path("kitchen.plan.json"), before - std::chrono::hours(1));
    Find<QAction>("mniSave")->trigger();
    EXPECT_GT(std::filesystem::last_write_time(Path("kitchen.plan.json")),
              before - std::chrono::hours(1));
    EXPECT_FALSE(window->HasUnsavedChanges());
    EXPECT_TRUE(window->close());
    EXPECT_EQ(dialogs.questions.size(), 1);
}

TEST_F(StoredPlans, ExitDuringALongBestSearchKeepsItsPlanAndAsksAboutIt) {
    SaveCalculatedProject();
    Open();
    window->OpenProject(QString::fromStdString(Path("kitchen.dat")));
    Find<QComboBox>("cbbSearch")->setCurrentIndex(1);
    Find<QLineEdit>("edtTimeLimit")->setText(QStringLiteral("120"));
    ASSERT_FALSE(window->HasUnsavedChanges());
    Find<QPushButton>("btnCalc")->click();
    auto* bar = Find<QProgressBar>("pbCutting");
    ASSERT_TRUE(WaitUntil([&] { return bar->isTextVisible(); }, 60000));  // searching for the best
    dialogs.saveChoices = {Dialogs::Choice::Cancel};
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(window->close());
    EXPECT_LT(clock.elapsed(), 20000);
    EXPECT_EQ(dialogs.questions.size(), 1);
    EXPECT_FALSE(window->findChild<CalcCommand*>()->Running());
    EXPECT_TRUE(Find<QPushButton>("btnCalc")->isEnabled());
    EXPECT_EQ(Text(window->windowTitle()), "*kitchen.dat - Tarvex sheet cutting system");
    EXPECT_GT(Find<QComboBox>("cmbPages")->count(), 0);
}
