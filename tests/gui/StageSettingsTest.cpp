// The stage limits on the Settings page: they belong to guillotine cutting, and a
// limit runs the best search, which the message after the calculation says.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include "UiWait.h"
#include "WindowFixture.h"
#include "gui/EntryTableView.h"
#include "gui/MainWindow.h"

using namespace tarvex;

namespace {

void SetTable(EntryTableView& view, const std::vector<std::vector<std::string>>& rows) {
    view.Model().Edit([&](CellTable& t) {
        t.SetRowCount(CellTable::kFirstDataRow + static_cast<int>(rows.size()));
        for (size_t r = 0; r < rows.size(); ++r)
            for (size_t c = 0; c < rows[r].size(); ++c)
                t.SetCell(CellTable::kFirstDataRow + static_cast<int>(r), static_cast<int>(c),
                          rows[r][c]);
    });
}

}  // namespace

TEST_F(WindowTest, StageLimitsAreForGuillotinePlansAndRunTheBestSearch) {
    Open();
    auto* guillotine = Find<QCheckBox>("chkOneCut");
    auto* stages = Find<QComboBox>("cbbStages");
    auto* firstCut = Find<QComboBox>("cbbFirstCut");
    guillotine->setChecked(false);
    EXPECT_FALSE(stages->isEnabled());
    EXPECT_FALSE(firstCut->isEnabled());
    guillotine->setChecked(true);
    EXPECT_TRUE(stages->isEnabled());
    EXPECT_TRUE(firstCut->isEnabled());
    EXPECT_EQ(Text(stages->currentText()), "Any");
    ASSERT_EQ(stages->count(), 3);
    ASSERT_EQ(firstCut->count(), 3);
    stages->setCurrentIndex(1);    // 2
    firstCut->setCurrentIndex(2);  // along the width

    // Two half sheets lie only in ways two stages cut, whatever the search finds.
    SetTable(*Find<EntryTableView>("sgSheet"), {{"Board", "1000", "1000", "3", "10", "Yes"}});
    SetTable(*Find<EntryTableView>("sgPart"), {{"Half", "1000", "500", "2", "Yes"}});
    Find<QSlider>("tbFast")->setValue(1);
    Find<QLineEdit>("edtTimeLimit")->setText(QStringLiteral("2"));
    Find<QPushButton>("btnCalc")->click();
    ASSERT_TRUE(WaitUntil([&] { return !dialogs.messages.empty(); }));
    EXPECT_EQ(Text(dialogs.messages.back().text),
              "Every part is placed. The classic search cannot keep to the stage limits: the "
              "best search made this plan.");
    EXPECT_EQ(dialogs.messages.back().icon, Dialogs::Icon::Information);
    // The page keeps its choice; the search stays as chosen for the next job.
    EXPECT_EQ(Text(stages->currentText()), "2");
    EXPECT_EQ(Find<QComboBox>("cbbSearch")->currentIndex(), 0);
}
