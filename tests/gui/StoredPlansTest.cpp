// Plans saved with their project, through the real window: saved beside it,
// shown again on opening without a calculation, marked outdated once the tables
// or settings change, and refused with a message when the file is damaged.
#include <QAction>
#include <QComboBox>
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
#include "gui/EntryTableView.h"

namespace {

QStringList Lines(QListWidget* list) {
    QStringList lines;
    for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
    return lines;
}

class StoredPlans : public WindowTest {
  protected:
    // A calculated project saved as kitchen.dat, its lists beside it.
    void SaveCalculatedProject() {
        Open();
        std::ofstream(Path("sheets.txt"), std::ios::binary) << "Birch\t2440\t1220\t5\t40\tYes\r\n";
        std::ofstream(Path("parts.txt"), std::ios::binary)
            << "Door\t720\t400\t4\tYes\r\nSide\t560\t300\t6\tYes\r\nShelf\t800\t300\t3\tNo\r\n";
        dialogs.openAnswers = {QString::fromStdString(Path("sheets.txt")),
                               QString::fromStdString(Path("parts.txt"))};
        Find<QPushButton>("btnStockOpen")->click();
        Find<QPushButton>("btnPartOpen")->click();
        Find<QSlider>("tbFast")->setValue(1);
        Find<QLineEdit>("edtSeed")->setText(QStringLiteral("77"));
        Find<QPushButton>("btnCalc")->click();
        ASSERT_TRUE(WaitUntil([&] { return !dialogs.messages.empty(); }));
        layouts = Find<QComboBox>("cmbPages")->count();
        report = Lines(Find<QListWidget>("lstReport"));
        dialogs.saveAnswers = {QString::fromStdString(Path("kitchen.dat"))};
        Find<QAction>("mniSave")->trigger();
        ASSERT_TRUE(std::filesystem::exists(Path("kitchen.plan.json")));
        window.reset();
        dialogs.messages.clear();
    }
    std::string Status() { return Text(Find<QLabel>("lblPlanStatus")->text()); }

    int layouts = 0;
    QStringList report;
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
    const size_t first = text.find('{', parts), end = text.find('}', first);
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
